#include <gtest/gtest.h>

#include <string>

#include "schema/NameQuoting.h"

namespace {

std::string Enclosed(DatabaseKind kind, const char* name, bool excelThroughDsn = false)
{
    return EncloseName(kind, name, excelThroughDsn).Text();
}

std::string Removed(DatabaseKind kind, const char* name)
{
    return RemoveNameQuotes(kind, name).Text();
}

}  // namespace

TEST(NameQuoting, EachKindEnclosesInItsOwnQuotes)
{
    EXPECT_EQ("[社員]", Enclosed(DatabaseKind::Excel, "社員"));
    EXPECT_EQ("[社員]", Enclosed(DatabaseKind::Mdb, "社員"));
    EXPECT_EQ("[社員]", Enclosed(DatabaseKind::SqlServer, "社員"));
    EXPECT_EQ("`社員`", Enclosed(DatabaseKind::MySql, "社員"));
    EXPECT_EQ("\"社員\"", Enclosed(DatabaseKind::Oracle, "社員"));
    EXPECT_EQ("\"社員\"", Enclosed(DatabaseKind::Postgres, "社員"));
    EXPECT_EQ("社員", Enclosed(DatabaseKind::None, "社員"));
}

TEST(NameQuoting, AlreadyEnclosedNameIsNotEnclosedTwiceButHalfEnclosedIs)
{
    EXPECT_EQ("[売上明細]", Enclosed(DatabaseKind::Mdb, "[売上明細]"));
    EXPECT_EQ("`a b`", Enclosed(DatabaseKind::MySql, "`a b`"));
    EXPECT_EQ("\"Mixed\"", Enclosed(DatabaseKind::Postgres, "\"Mixed\""));
    EXPECT_EQ("[[a]", Enclosed(DatabaseKind::SqlServer, "[a"));
    EXPECT_EQ("[a]]]", Enclosed(DatabaseKind::SqlServer, "a]"));
    // Another kind's quotes are just characters of the name.
    EXPECT_EQ("`[a]`", Enclosed(DatabaseKind::MySql, "[a]"));
}

TEST(NameQuoting, RemovalStripsOnePairOfTheKindsQuotes)
{
    EXPECT_EQ("社員", Removed(DatabaseKind::Mdb, "[社員]"));
    EXPECT_EQ("[a]", Removed(DatabaseKind::SqlServer, "[[a]]"));
    EXPECT_EQ("社員", Removed(DatabaseKind::Postgres, "\"社員\""));
    EXPECT_EQ("社員", Removed(DatabaseKind::MySql, "`社員`"));
    EXPECT_EQ("社員", Removed(DatabaseKind::MySql, "社員"));
    EXPECT_EQ("[社員]", Removed(DatabaseKind::Oracle, "[社員]"));
}

TEST(NameQuoting, TrailBytesOfDoubleByteCharactersAreNeverQuotes)
{
    // ゾ ends in 0x5D (']'), チ in 0x60 ('`'): neither closes the name.
    EXPECT_EQ("[[ゾ]", Enclosed(DatabaseKind::Mdb, "[ゾ"));
    EXPECT_EQ("[ゾ", Removed(DatabaseKind::Mdb, "[ゾ"));
    EXPECT_EQ("```チ`", Enclosed(DatabaseKind::MySql, "`チ"));
    EXPECT_EQ("`チ", Removed(DatabaseKind::MySql, "`チ"));
    // 表 and ソ end in 0x5C, ピ in 's': they survive a round trip untouched.
    for (const char* name : {"表", "ソ", "ピ", "表ソピ"}) {
        for (DatabaseKind kind : {DatabaseKind::Mdb, DatabaseKind::MySql, DatabaseKind::Postgres}) {
            std::string enclosed = Enclosed(kind, name);
            EXPECT_EQ(std::string(name).size() + 2, enclosed.size()) << name;
            EXPECT_EQ(name, Removed(kind, enclosed.c_str())) << name;
        }
    }
}

TEST(NameQuoting, ClosingQuotesInsideANameAreDoubledAndUndoubledAgain)
{
    EXPECT_EQ("[a]]b]", Enclosed(DatabaseKind::SqlServer, "a]b"));
    EXPECT_EQ("`a``b`", Enclosed(DatabaseKind::MySql, "a`b"));
    EXPECT_EQ("\"a\"\"b\"", Enclosed(DatabaseKind::Postgres, "a\"b"));
    EXPECT_EQ("\"O'Brien\"", Enclosed(DatabaseKind::Oracle, "O'Brien"));
    // ゾ's trail byte is no quote and stays single.
    EXPECT_EQ("[ゾ]]]", Enclosed(DatabaseKind::Mdb, "ゾ]"));
    for (const char* name : {"a]b", "a`b", "a\"b", "ゾ]", "]]"}) {
        for (DatabaseKind kind : {DatabaseKind::SqlServer, DatabaseKind::MySql, DatabaseKind::Postgres})
            EXPECT_EQ(name, Removed(kind, Enclosed(kind, name).c_str())) << name;
    }
}

TEST(NameQuoting, ExcelReachedThroughAnotherDsnIsNotQuoted)
{
    EXPECT_EQ("Sheet1$", Enclosed(DatabaseKind::Excel, "Sheet1$", true));
    EXPECT_EQ("[Sheet1$]", Enclosed(DatabaseKind::Excel, "Sheet1$", false));
    // The switch concerns workbooks only.
    EXPECT_EQ("[顧客]", Enclosed(DatabaseKind::Mdb, "顧客", true));
}

TEST(NameQuoting, SqlServerInformationSchemaTablesKeepTheirSchema)
{
    EXPECT_EQ("INFORMATION_SCHEMA.[TABLES]",
              std::string(ListedTableName(DatabaseKind::SqlServer, "TABLES", "INFORMATION_SCHEMA")));
    EXPECT_EQ("[売上]", std::string(ListedTableName(DatabaseKind::SqlServer, "売上", "dbo")));
    // The owner must read "INFORMATION_SCHEMA" byte for byte: another case or more text is
    // an ordinary owner.
    for (const char* owner : {"information_schema", "Information_Schema", "INFORMATION_SCHEMa",
                              "INFORMATION_SCHEMA ", "INFORMATION_SCHEMAX", "information_schema_x", ""})
        EXPECT_EQ("[TABLES]", std::string(ListedTableName(DatabaseKind::SqlServer, "TABLES", owner))) << owner;
    // Column 4 of other kinds is a date or an owner name, never a schema prefix.
    EXPECT_EQ("\"t\"", std::string(ListedTableName(DatabaseKind::Postgres, "t", "INFORMATION_SCHEMA")));
}

TEST(NameQuoting, NamesInLiteralsHaveTheirApostrophesDoubled)
{
    EXPECT_EQ("O''Brien", std::string(NameInLiteral("O'Brien")));
    EXPECT_EQ("''ソ''表''", std::string(NameInLiteral("'ソ'表'")));
    EXPECT_EQ("社員", std::string(NameInLiteral("社員")));
}
