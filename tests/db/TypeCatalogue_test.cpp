#include <gtest/gtest.h>

#include <string>

#include "db/TypeCatalogue.h"

namespace {

DefinitionRow Row(const char* number, const char* typeName, const char* size,
                  const char* precision = "", const char* scale = "")
{
    DefinitionRow row = EmptyDefinitionRow();
    row[kDefName] = "col";
    row[kDefAdoType] = number;
    row[kDefTypeName] = typeName;
    row[kDefSize] = size;
    row[kDefPrecision] = precision;
    row[kDefScale] = scale;
    return row;
}

// type name, size, precision of the single mapped row
std::string Mapped(DefinitionRow row, DatabaseKind from, DatabaseKind to)
{
    DefinitionRows rows = MapDefinitionsForExport(DefinitionRows{row}, from, to);
    return std::string(rows[0][kDefTypeName].Text()) + "|" + rows[0][kDefSize].Text() + "|" +
           rows[0][kDefPrecision].Text();
}

}  // namespace

TEST(TypeCatalogue, LookUpsByNumberText)
{
    EXPECT_STREQ("adNumeric", TypeConstantName("131"));
    EXPECT_STREQ("固定精度およびスケールの正確な数値", TypeDescription("131"));
    EXPECT_STREQ("日付", TypeCategory("135"));
    EXPECT_STREQ("文字列", TypeCategory("202"));
    EXPECT_STREQ("数値", TypeCategory("11"));
    EXPECT_STREQ("未定義", TypeConstantName("999"));
    EXPECT_STREQ("未定義", TypeCategory(""));
    // Statements quote the character types the catalogue leaves without a category.
    for (const char* text : {"72", "200", "201", "203", "202"})
        EXPECT_STREQ("文字列", LiteralCategory(text)) << text;
    EXPECT_STREQ("数値", LiteralCategory("3"));
    EXPECT_STREQ("未定義", LiteralCategory("205"));
    // 200 has a name and a description but no generic name or category.
    EXPECT_STREQ("adVarChar", TypeConstantName("200"));
    EXPECT_STREQ("文字列値", TypeDescription("200"));
    EXPECT_STREQ("未定義", GenericTypeName("200", DatabaseKind::MySql));
    EXPECT_STREQ("未定義", TypeCategory("200"));
}

TEST(TypeCatalogue, GenericNamesDependOnTheKindForAccess)
{
    EXPECT_STREQ("REAL", GenericTypeName("4", DatabaseKind::Mdb));
    EXPECT_STREQ("FLOAT", GenericTypeName("4", DatabaseKind::SqlServer));
    EXPECT_STREQ("FLOAT", GenericTypeName("4", DatabaseKind::None));
    EXPECT_STREQ("DATETIME", GenericTypeName("7", DatabaseKind::Mdb));
    EXPECT_STREQ("DATE", GenericTypeName("7", DatabaseKind::Oracle));
    EXPECT_STREQ("BYTE", GenericTypeName("17", DatabaseKind::Mdb));
    EXPECT_STREQ("TINYINT", GenericTypeName("17", DatabaseKind::Excel));
}

TEST(ExportTypeMapping, TextSizesFollowEachKindsLimit)
{
    using K = DatabaseKind;
    EXPECT_EQ("varchar|255|", Mapped(Row("130", "VarChar", "255"), K::Mdb, K::MySql));
    EXPECT_EQ("text||", Mapped(Row("130", "VarChar", "256"), K::Mdb, K::MySql));
    EXPECT_EQ("varchar|1000|", Mapped(Row("129", "varchar", "1000"), K::SqlServer, K::Postgres));
    EXPECT_EQ("MEMO||", Mapped(Row("129", "varchar", "1000"), K::SqlServer, K::Mdb));
    EXPECT_EQ("TEXT||", Mapped(Row("129", "varchar", "0"), K::MySql, K::SqlServer));
    EXPECT_EQ("NVARCHAR|1000|", Mapped(Row("130", "nvarchar", "1000"), K::Postgres, K::SqlServer));
    EXPECT_EQ("NTEXT||", Mapped(Row("130", "nvarchar", "1001"), K::Postgres, K::SqlServer));
    EXPECT_EQ("VARCHAR2|4000|", Mapped(Row("129", "varchar", "4000"), K::MySql, K::Oracle));
    EXPECT_EQ("CLOB||", Mapped(Row("129", "varchar", "4001"), K::MySql, K::Oracle));
    EXPECT_EQ("CLOB||", Mapped(Row("129", "varchar", ""), K::MySql, K::Oracle));
    EXPECT_EQ("NVARCHAR2|1000|", Mapped(Row("130", "varchar", "1000"), K::MySql, K::Oracle));
    EXPECT_EQ("CLOB||", Mapped(Row("130", "varchar", "1001"), K::MySql, K::Oracle));
    EXPECT_EQ("VARCHAR||", Mapped(Row("129", "varchar", "20"), K::MySql, K::Excel));
}

TEST(ExportTypeMapping, RowVersionColumnsLoseTheirSize)
{
    using K = DatabaseKind;
    EXPECT_EQ("text||", Mapped(Row("128", "timestamp", "8"), K::SqlServer, K::MySql));
    EXPECT_EQ("DATETIME||", Mapped(Row("130", "timestamp", "8"), K::MySql, K::SqlServer));
    EXPECT_EQ("TEXT||", Mapped(Row("129", "timestamp", "8"), K::MySql, K::SqlServer));
    EXPECT_EQ("CLOB||", Mapped(Row("128", "TIMESTAMP", "8"), K::SqlServer, K::Oracle));
}

TEST(ExportTypeMapping, NumbersAndDates)
{
    using K = DatabaseKind;
    EXPECT_EQ("numeric|10|2", Mapped(Row("131", "decimal", "19", "10", "2"), K::MySql, K::Postgres));
    EXPECT_EQ("NUMBER||10", Mapped(Row("131", "decimal", "19", "10", "2"), K::MySql, K::Excel));
    EXPECT_EQ("int8||", Mapped(Row("20", "bigint", "19"), K::MySql, K::Postgres));
    EXPECT_EQ("BIT||", Mapped(Row("11", "bool", "1"), K::Postgres, K::SqlServer));
    EXPECT_EQ("datetime||", Mapped(Row("135", "timestamp", "16"), K::Postgres, K::MySql));
    EXPECT_EQ("time||", Mapped(Row("134", "time", "8"), K::SqlServer, K::Postgres));
    EXPECT_EQ("float8||", Mapped(Row("6", "money", "8"), K::SqlServer, K::Postgres));
    // Every number type becomes NUMBER without size in a workbook.
    for (const char* number : {"2", "3", "4", "5", "16", "17", "20", "131"})
        EXPECT_EQ("NUMBER|", Mapped(Row(number, "x", "9", "9", "0"), K::MySql, K::Excel).substr(0, 7))
            << number;
    // Unknown groups stay as copied.
    EXPECT_EQ("nvarchar|50|", Mapped(Row("202", "nvarchar", "50"), K::SqlServer, K::MySql));
}

TEST(ExportTypeMapping, SameKindOnlyFixesWhatCannotBeRecreated)
{
    using K = DatabaseKind;
    EXPECT_EQ("float8||", Mapped(Row("6", "money", ""), K::Postgres, K::Postgres));
    EXPECT_EQ("datetime|19|", Mapped(Row("135", "timestamp", "19"), K::MySql, K::MySql));
    EXPECT_EQ("text|8|", Mapped(Row("128", "timestamp", "8"), K::SqlServer, K::SqlServer));
    EXPECT_EQ("varchar|1000|", Mapped(Row("129", "varchar", "1000"), K::MySql, K::MySql));
    EXPECT_EQ("text||", Mapped(Row("129", "text", "65535"), K::MySql, K::MySql));
    EXPECT_EQ("bool||", Mapped(Row("11", "bool", "1"), K::Postgres, K::Postgres));
    EXPECT_EQ("numeric|12|3", Mapped(Row("131", "numeric", "", "12", "3"), K::Postgres, K::Postgres));
}

TEST(ExportTypeMapping, OtherColumnsAreCopiedUnchanged)
{
    DefinitionRow row = Row("3", "int4", "10");
    row[kDefNumber] = " 1";
    row[kDefNullable] = "N";
    row[kDefPrimaryKey] = "1";
    row[kDefDefault] = "nextval('s''q')";
    DefinitionRows mapped = MapDefinitionsForExport(DefinitionRows{row}, DatabaseKind::Postgres,
                                                    DatabaseKind::SqlServer);
    EXPECT_STREQ("INT", mapped[0][kDefTypeName].Text());
    EXPECT_STREQ("N", mapped[0][kDefNullable].Text());
    EXPECT_STREQ("1", mapped[0][kDefPrimaryKey].Text());
    EXPECT_STREQ("nextval('s''q')", mapped[0][kDefDefault].Text());
}
