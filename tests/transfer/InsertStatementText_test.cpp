#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "transfer/InsertStatementText.h"

using namespace transfer;

namespace {

InsertColumn Column(const char* name, const char* category, bool quoted = false)
{
    InsertColumn column;
    column.name = name;
    column.category = category;
    column.quoted = quoted;
    return column;
}

void Add(InsertLineBuilder& builder, InsertValueKind kind, const char* text = "")
{
    builder.AddValue(kind, text, std::strlen(text));
}

}  // namespace

TEST(InsertStatementText, ColumnsTheDatabaseFillsItselfAreLeftOut)
{
    EXPECT_FALSE(IsInsertedColumn(DatabaseKind::Mdb, "COUNTER", ""));
    EXPECT_TRUE(IsInsertedColumn(DatabaseKind::SqlServer, "counter", "")) << "a counter only on Mdb";
    EXPECT_FALSE(IsInsertedColumn(DatabaseKind::Postgres, "serial", ""));
    EXPECT_FALSE(IsInsertedColumn(DatabaseKind::Postgres, "int4", "nextval('\"表_id_seq\"'::regclass)"));
    EXPECT_TRUE(IsInsertedColumn(DatabaseKind::MySql, "int", "nextval(")) << "only Postgres draws from sequences";
    EXPECT_FALSE(IsInsertedColumn(DatabaseKind::SqlServer, "timestamp", ""));
    EXPECT_FALSE(IsInsertedColumn(DatabaseKind::SqlServer, "int identity", ""));
    EXPECT_FALSE(IsInsertedColumn(DatabaseKind::Oracle, "NUMBER Identity", ""));
    EXPECT_TRUE(IsInsertedColumn(DatabaseKind::Postgres, "timestamptz", "now()"));
    EXPECT_TRUE(IsInsertedColumn(DatabaseKind::Excel, "", ""));
}

TEST(InsertStatementText, ValuesAreSpeltByCategoryAndKind)
{
    InsertLineBuilder builder(DatabaseKind::SqlServer, "[社員]",
                              {Column("[番号]", "数値"), Column("[名前]", "文字列"), Column("[入社]", "日付"),
                               Column("[画像]", "未定義"), Column("[在籍]", "数値")});
    builder.BeginRow();
    Add(builder, InsertValueKind::Text, "1234567890123.45");
    Add(builder, InsertValueKind::Text, "O'Brien ソ表'");
    Add(builder, InsertValueKind::Text, "2024/01/31 09:05:00");
    Add(builder, InsertValueKind::Unconvertible);
    Add(builder, InsertValueKind::Boolean, "1");
    EXPECT_STREQ("insert into [社員] ([番号],[名前],[入社],[画像],[在籍]) "
                 "values(1234567890123.45,'O''Brien ソ表''','2024/01/31 09:05:00',???,1);\n",
                 builder.EndRow());
    // The builder starts every row afresh.
    builder.BeginRow();
    for (int i = 0; i < 5; ++i)
        Add(builder, InsertValueKind::Null);
    EXPECT_STREQ("insert into [社員] ([番号],[名前],[入社],[画像],[在籍]) values(NULL,NULL,NULL,NULL,NULL);\n",
                 builder.EndRow());

    InsertLineBuilder oracle(DatabaseKind::Oracle, "\"T\"", {Column("\"D\"", "日付"), Column("\"S\"", "文字列")});
    oracle.BeginRow();
    Add(oracle, InsertValueKind::Text, "2024/02/29");
    Add(oracle, InsertValueKind::Text, "");
    EXPECT_STREQ("insert into \"T\" (\"D\",\"S\") values(TO_DATE('2024/02/29','RRRR/MM/DD HH24:MI:SS'),'');\n",
                 oracle.EndRow());

    InsertLineBuilder postgres(DatabaseKind::Postgres, "\"t\"",
                               {Column("\"m\"", "数値", true), Column("\"b\"", "数値"), Column("\"n\"", "数値")});
    postgres.BeginRow();
    Add(postgres, InsertValueKind::Text, "12.50");
    Add(postgres, InsertValueKind::Boolean, "0");
    // A number column whose driver gave text that is no number keeps it in quotes.
    Add(postgres, InsertValueKind::Text, "1);drop table t;--");
    EXPECT_STREQ("insert into \"t\" (\"m\",\"b\",\"n\") values('12.50',FALSE,'1);drop table t;--');\n",
                 postgres.EndRow());

    InsertLineBuilder mdb(DatabaseKind::Mdb, "[t]", {Column("[b]", "数値"), Column("[x]", "数値")});
    mdb.BeginRow();
    Add(mdb, InsertValueKind::Boolean, "1");
    Add(mdb, InsertValueKind::Text, "-1.5E+300");
    EXPECT_STREQ("insert into [t] ([b],[x]) values(True,-1.5E+300);\n", mdb.EndRow());

    // MySQL reads a backslash as an escape: doubled there (a trail byte 0x5C of 表 stays),
    // kept on the kinds that read it as it is.
    InsertLineBuilder mysql(DatabaseKind::MySql, "`t`", {Column("`s`", "文字列"), Column("`p`", "文字列")});
    mysql.BeginRow();
    Add(mysql, InsertValueKind::Text, "C:\\表\\");
    mysql.AddLiteral("X'0102'");
    EXPECT_STREQ("insert into `t` (`s`,`p`) values('C:\\\\表\\\\',X'0102');\n", mysql.EndRow());
    EXPECT_EQ(std::strlen("insert into `t` (`s`,`p`) values("), mysql.PrefixLength());
    InsertLineBuilder plain(DatabaseKind::Postgres, "t", {Column("s", "文字列")});
    plain.BeginRow();
    Add(plain, InsertValueKind::Text, "C:\\");
    EXPECT_STREQ("insert into t (s) values('C:\\');\n", plain.EndRow());
}

TEST(InsertStatementText, NumberLiteralsAreRecognisedStrictly)
{
    for (const char* number : {"0", "-12", "+3.", ".5", "1e10", "6.02E-23", "1234567890123456789012345678.9"})
        EXPECT_TRUE(IsNumberLiteral(number, std::strlen(number))) << number;
    for (const char* other : {"", "-", ".", "1e", "1.2.3", "0x1F", "1 ", "NaN", "１２"})
        EXPECT_FALSE(IsNumberLiteral(other, std::strlen(other))) << other;
}
