#include <gtest/gtest.h>

#include <string>

#include "DefinitionRowSupport.h"
#include "schema/DefinitionFile.h"
#include "schema/TableDdl.h"

namespace {


std::string Translated(DatabaseKind target, const char* number, const char* type, const char* size = "",
                       const char* scale = "")
{
    DefinitionFileColumn column = TranslateDefinitionColumn(target, "c", type, number, size, scale, "");
    std::string text = column.type.Text();
    if (!column.size.IsEmpty())
        text += std::string("(") + column.size.Text() + (column.scale.IsEmpty() ? "" : ",") + column.scale.Text() + ")";
    return text;
}

}  // namespace

TEST(DefinitionFile, WritesKindTableAndOneLinePerColumnWithEachKindsSizes)
{
    DefinitionRows oracle = {DefinitionColumn("ID", "131", "NUMBER", "", "10", "0", "1"),
                             DefinitionColumn("氏名", "130", "NVARCHAR2", "100"), DefinitionColumn("備考", "129", "CLOB", "4000"),
                             DefinitionColumn("画像", "128", "LONG RAW", "2000"), DefinitionColumn("符号", "128", "RAW", "16")};
    EXPECT_STREQ("Oracle\r\n社員\r\nID,NUMBER,131,10,0,1\r\n氏名,NVARCHAR2,130,50,,\r\n備考,CLOB,129,,,\r\n"
                 "画像,LONG RAW,128,,,\r\n符号,RAW,128,16,,\r\n",
                 DefinitionFileText(DatabaseKind::Oracle, "社員", oracle).Text());

    DefinitionRows mdb = {DefinitionColumn("メモ", "130", "MEMO", "0"), DefinitionColumn("名", "130", "VARCHAR", "50"),
                          DefinitionColumn("額", "131", "DECIMAL", "", "15", "2")};
    EXPECT_STREQ("MDB\r\nT\r\nメモ,MEMO,130,,,\r\n名,VARCHAR,130,50,,\r\n額,DECIMAL,131,15,2,\r\n",
                 DefinitionFileText(DatabaseKind::Mdb, "T", mdb).Text());

    // The layer's own character numbers follow the same rules as the provider's.
    DefinitionRows postgres = {DefinitionColumn("a", "200", "varchar", "40"), DefinitionColumn("b", "201", "text", "8190"),
                               DefinitionColumn("c", "3", "int4", "", "10")};
    EXPECT_STREQ("POSTGRES\r\nt\r\na,varchar,200,40,,\r\nb,text,201,,,\r\nc,int4,3,,,\r\n",
                 DefinitionFileText(DatabaseKind::Postgres, "t", postgres).Text());
    DefinitionRows mysql = {DefinitionColumn("m", "203", "MEDIUMTEXT", "16777215"), DefinitionColumn("v", "202", "varchar", "20")};
    EXPECT_STREQ("MySQL\r\nt\r\nm,MEDIUMTEXT,203,,,\r\nv,varchar,202,20,,\r\n",
                 DefinitionFileText(DatabaseKind::MySql, "t", mysql).Text());
    DefinitionRows excel = {DefinitionColumn("名前", "130", "VARCHAR", "255"), DefinitionColumn("数", "5", "NUMBER", "", "15")};
    EXPECT_STREQ("EXCEL\r\nSheet1$\r\n名前,VARCHAR,130,255,,\r\n数,NUMBER,5,,,\r\n",
                 DefinitionFileText(DatabaseKind::Excel, "Sheet1$", excel).Text());
    EXPECT_STREQ("C:\\出力\\表ソ.wos", DefinitionFilePath("C:\\出力", "表ソ").Text());
    EXPECT_STREQ("C:\\表\\t.wos", DefinitionFilePath("C:\\表\\", "t").Text());
}

TEST(DefinitionFile, TranslatesByTypeNumberKeepingLengthsPrecisionAndScale)
{
    EXPECT_EQ("TEXT", Translated(DatabaseKind::SqlServer, "130", "MEMO"));
    EXPECT_EQ("NVARCHAR(50)", Translated(DatabaseKind::SqlServer, "202", "varchar", "50"));
    EXPECT_EQ("VARCHAR2(40)", Translated(DatabaseKind::Oracle, "200", "varchar", "40"));
    EXPECT_EQ("CLOB", Translated(DatabaseKind::Oracle, "203", "text"));
    EXPECT_EQ("MEMO", Translated(DatabaseKind::Mdb, "129", "text"));
    EXPECT_EQ("VARCHAR", Translated(DatabaseKind::Excel, "129", "varchar", "40"));
    EXPECT_EQ("", Translated(DatabaseKind::Excel, "128", "RAW", "16"));
    for (const char* number : {"131", "14"}) {
        EXPECT_EQ("numeric(15,2)", Translated(DatabaseKind::Postgres, number, "NUMBER", "15", "2"));
        EXPECT_EQ("decimal(15,2)", Translated(DatabaseKind::MySql, number, "numeric", "15", "2"));
        EXPECT_EQ("NUMBER(15,2)", Translated(DatabaseKind::Oracle, number, "decimal", "15", "2"));
        EXPECT_EQ("DECIMAL(15,2)", Translated(DatabaseKind::SqlServer, number, "numeric", "15", "2"));
        EXPECT_EQ("DECIMAL(15,2)", Translated(DatabaseKind::Mdb, number, "numeric", "15", "2"));
        EXPECT_EQ("NUMBER", Translated(DatabaseKind::Excel, number, "numeric", "15", "2"));
    }
    EXPECT_EQ("decimal", Translated(DatabaseKind::MySql, "131", "NUMBER"));
    EXPECT_EQ("int2", Translated(DatabaseKind::Postgres, "11", "bit"));
    EXPECT_EQ("tinyint", Translated(DatabaseKind::MySql, "11", "bool"));
    EXPECT_EQ("BIT", Translated(DatabaseKind::SqlServer, "200", "bool"));
    EXPECT_EQ("int8", Translated(DatabaseKind::Postgres, "19", "int unsigned"));
    EXPECT_EQ("BIGINT", Translated(DatabaseKind::SqlServer, "20", "int8"));
    EXPECT_EQ("bytea", Translated(DatabaseKind::Postgres, "205", "longblob"));
    EXPECT_EQ("", Translated(DatabaseKind::Postgres, "72", "uniqueidentifier"));
    // A Postgres "date" would drop the time of day.
    EXPECT_EQ("timestamp", Translated(DatabaseKind::Postgres, "135", "datetime"));
    EXPECT_EQ("datetime", Translated(DatabaseKind::MySql, "135", "DATE"));
    EXPECT_EQ("date", Translated(DatabaseKind::Postgres, "133", "date"));
    EXPECT_EQ("time", Translated(DatabaseKind::MySql, "134", "time"));
}

TEST(DefinitionFile, TimestampNamesWinOverCharacterAndDateRowsOutsideJet)
{
    EXPECT_EQ("TIMESTAMP", Translated(DatabaseKind::SqlServer, "128", "timestamp", "8"));
    EXPECT_EQ("timestamp", Translated(DatabaseKind::MySql, "129", "TIMESTAMP", "8"));
    EXPECT_EQ("VARCHAR(8)", Translated(DatabaseKind::Mdb, "129", "timestamp", "8"));
    EXPECT_EQ("TIMESTAMP", Translated(DatabaseKind::Oracle, "135", "timestamp without time zone"));
    EXPECT_EQ("timestamp", Translated(DatabaseKind::MySql, "7", "TIMESTAMP(6)"));
    EXPECT_EQ("DATE", Translated(DatabaseKind::Mdb, "135", "timestamp"));
}

TEST(DefinitionFile, ReadsTheSameKindAsWrittenAndOtherKindsTranslated)
{
    const char file[] = "POSTGRES\r\n受注\r\nid,int4,3,,,1\r\n品名,varchar,200,40,,\r\n額,numeric,131,15,2,\r\n";
    DefinitionFileTable table;
    ASSERT_TRUE(ReadDefinitionFileText(file, DatabaseKind::Postgres, table));
    EXPECT_EQ(DatabaseKind::Postgres, table.sourceKind);
    EXPECT_STREQ("受注", table.tableName.Text());
    ASSERT_EQ(3u, table.columns.size());
    EXPECT_STREQ("int4", table.columns[0].type.Text());
    EXPECT_STREQ("1", table.columns[0].key.Text());
    EXPECT_STREQ("40", table.columns[1].size.Text());

    ASSERT_TRUE(ReadDefinitionFileText(file, DatabaseKind::SqlServer, table));
    EXPECT_STREQ("INT", table.columns[0].type.Text());
    EXPECT_STREQ("", table.columns[0].size.Text());
    EXPECT_STREQ("1", table.columns[0].key.Text());
    EXPECT_STREQ("VARCHAR", table.columns[1].type.Text());
    EXPECT_STREQ("40", table.columns[1].size.Text());
    EXPECT_STREQ("DECIMAL", table.columns[2].type.Text());
    EXPECT_STREQ("2", table.columns[2].scale.Text());

    // Excel copies names and types only; a word naming no kind translates; LF lines and a
    // column name holding "," (six fields counted from the end) are read too.
    ASSERT_TRUE(ReadDefinitionFileText("excel\nS$\n名,VARCHAR,130,255,,\n", DatabaseKind::Excel, table));
    EXPECT_STREQ("", table.columns[0].size.Text());
    ASSERT_TRUE(ReadDefinitionFileText("DB2\nt\na,b,VARCHAR,129,10,,2\n", DatabaseKind::MySql, table));
    EXPECT_EQ(DatabaseKind::None, table.sourceKind);
    ASSERT_EQ(1u, table.columns.size());
    EXPECT_STREQ("a,b", table.columns[0].name.Text());
    EXPECT_STREQ("varchar", table.columns[0].type.Text());
    EXPECT_STREQ("2", table.columns[0].key.Text());
    EXPECT_FALSE(ReadDefinitionFileText("", DatabaseKind::MySql, table));
}

TEST(TableDdl, CreateTableFromDefinitionSizesNumericsAndKeyOrder)
{
    DefinitionRows rows = {DefinitionColumn("c", "3", "int4", "", "10", "", "3"), DefinitionColumn("a", "200", "varchar", "40", "", "", "1"),
                           DefinitionColumn("b", "131", "numeric", "", "15", "2", "2"), DefinitionColumn("d", "131", "numeric"),
                           DefinitionColumn("e", "201", "text", "8190"), DefinitionColumn("f", "3", "int4", "", "", "", "9")};
    EXPECT_STREQ("create table \"受注\" (\r\n\t\"c\" int4\r\n\t,\"a\" varchar(40)\r\n\t,\"b\" numeric(15,2)"
                 "\r\n\t,\"d\" numeric\r\n\t,\"e\" text\r\n\t,\"f\" int4\r\n\t,primary key(\"a\",\"b\",\"c\")\r\n)\r\n",
                 CreateTableFromDefinition(DatabaseKind::Postgres, "受注", rows).Text());
    // Mdb counts only DECIMAL as exact; Oracle NUMBER; a scale of blanks is none.
    DefinitionRows mdb = {DefinitionColumn("n", "131", "NUMERIC", "", "9", "2"), DefinitionColumn("m", "131", "DECIMAL", "", "9", " ")};
    EXPECT_STREQ("create table [t] (\r\n\t[n] NUMERIC\r\n\t,[m] DECIMAL(9)\r\n)\r\n",
                 CreateTableFromDefinition(DatabaseKind::Mdb, "t", mdb).Text());
    DefinitionRows excel = {DefinitionColumn("名", "130", "VARCHAR", "255", "", "", "1")};
    EXPECT_STREQ("create table [Sheet1$] (\r\n\t[名] VARCHAR\r\n\t,primary key([名])\r\n)\r\n",
                 CreateTableFromDefinition(DatabaseKind::Excel, "Sheet1$", excel).Text());
    EXPECT_STREQ("drop table `O'Brien``s`;", DropTableLine(DatabaseKind::MySql, "O'Brien`s").Text());
}
