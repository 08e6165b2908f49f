#include <gtest/gtest.h>

#include <string>

#include "DefinitionRowSupport.h"
#include "structure/AlterTableSql.h"
#include "structure/ViewSql.h"

namespace {

TableColumnRow Row(const char* name, const char* type = "", const char* size = "", const char* scale = "",
                   const char* key = "", const char* option = "", const char* input = "")
{
    return TableColumnRow{name, type, size, scale, key, option, input};
}

ModifyRow Modify(const char* name, const char* current, const char* newType, const char* size = "",
                 const char* scale = "", const char* option = "", const char* input = "")
{
    return ModifyRow{name, current, newType, size, scale, option, input};
}

DdlTarget On(DatabaseKind kind) { return DdlTarget{kind, false}; }

std::string Create(DatabaseKind kind, TableColumnRows rows, const char* table = "T")
{
    VornString text;
    BuildOutcome outcome = BuildCreateTable(On(kind), table, rows, text);
    return outcome.Ok() ? text.Text() : std::string("!") + outcome.message;
}

std::string Add(DatabaseKind kind, TableColumnRows rows)
{
    VornString text;
    BuildOutcome outcome = BuildAddColumns(On(kind), "T", "T", rows, text);
    return outcome.Ok() ? text.Text() : std::string("!") + outcome.message;
}

std::string Drop(DatabaseKind kind, std::vector<VornString> names)
{
    VornString text;
    BuildOutcome outcome = BuildDropColumns(On(kind), "T", names, text);
    return outcome.Ok() ? text.Text() : std::string("!") + outcome.message;
}

std::string Change(DatabaseKind kind, ModifyRows rows)
{
    std::vector<VornString> statements;
    BuildOutcome outcome = BuildModifyColumns(On(kind), "T", rows, statements);
    return outcome.Ok() ? JoinStatements(statements).Text() : std::string("!") + outcome.message;
}

}  // namespace

TEST(CreateTableSql, NamesOnlyTakeTheDefaultTypeWhichIsWrittenBack)
{
    TableColumnRows rows = {Row("A"), Row(""), Row("B")};
    VornString text;
    ASSERT_TRUE(BuildCreateTable(On(DatabaseKind::SqlServer), "T", rows, text).Ok());
    EXPECT_STREQ("create table [T] (\r\n\t[A] VARCHAR\r\n\t,[B] VARCHAR\r\n)\r\n", text.Text());
    EXPECT_STREQ("VARCHAR", rows[0].type.Text());
    EXPECT_STREQ("", rows[1].type.Text());
    // Excel: names and types only, and the default stays out of the grid.
    TableColumnRows excel = {Row("名", "", "10", "2", "1", "not NULL")};
    ASSERT_TRUE(BuildCreateTable(On(DatabaseKind::Excel), "S", excel, text).Ok());
    EXPECT_STREQ("create table [S] (\r\n\t[名] VARCHAR\r\n)\r\n", text.Text());
    EXPECT_STREQ("", excel[0].type.Text());
}

TEST(CreateTableSql, SizesOptionsKeysAndEnclosedNames)
{
    EXPECT_EQ("create table \"T\" (\r\n\t\"A\" decimal(10)\r\n\t,\"B\" int4 not NULL default 0"
              "\r\n\t,primary key(\"B\",\"A\")\r\n)\r\n",
              Create(DatabaseKind::Postgres, {Row("A", "decimal", "10", "", "2"), Row("B", "int4", "", "", "1", "not NULL", "default 0"),
                                              Row("", "int4", "", "", "3")}));
    // Three key columns in key order; equal positions in grid order; positions above 7 out.
    EXPECT_EQ("create table `T` (\r\n\t`a` int\r\n\t,`b` int\r\n\t,`c` int\r\n\t,`d` int"
              "\r\n\t,primary key(`c`,`a`,`d`)\r\n)\r\n",
              Create(DatabaseKind::MySql, {Row("a", "int", "", "", "2"), Row("b", "int", "", "", "8"),
                                           Row("c", "int", "", "", "1"), Row("d", "int", "", "", " 2")}));
    EXPECT_EQ("create table [T] (\r\n\t[A] NUMERIC(9,2)\r\n)\r\n",
              Create(DatabaseKind::SqlServer, {Row("[A]", "NUMERIC", "9", "2")}, "[T]"));
    EXPECT_EQ("create table \"O'Brien\"\"s\" (\r\n\t\"x\"\"y\" VARCHAR2(10)\r\n)\r\n",
              Create(DatabaseKind::Oracle, {Row("x\"y", "", "10")}, "　O'Brien\"s "));
}

TEST(CreateTableSql, ChecksStopTheBuildWithTheirMessage)
{
    TableColumnRows rows = {Row("a")};
    VornString text;
    BuildOutcome outcome = BuildCreateTable(On(DatabaseKind::MySql), "　 ", rows, text);
    EXPECT_STREQ("表名を指定して下さい　　", outcome.message);
    EXPECT_EQ(BuildFocus::TableName, outcome.focus);
    rows = {Row("　"), Row("")};
    outcome = BuildCreateTable(On(DatabaseKind::MySql), "T", rows, text);
    EXPECT_STREQ("少なくとも一つの列を指定して下さい　　", outcome.message);
    EXPECT_EQ(BuildFocus::EditCell, outcome.focus);
    EXPECT_EQ(0, outcome.row);
    EXPECT_EQ(kCreateName, outcome.column);
    rows = {Row("a", "int"), Row("b", "Varchar2")};
    outcome = BuildCreateTable(On(DatabaseKind::Oracle), "T", rows, text);
    EXPECT_STREQ("VARCHAR2 型では桁数を指定して下さい　　", outcome.message);
    EXPECT_EQ(BuildFocus::SelectRow, outcome.focus);
    EXPECT_EQ(1, outcome.row);
    EXPECT_EQ("!VARCHAR 型では桁数を指定して下さい　　", Create(DatabaseKind::MySql, {Row("a")}));
    EXPECT_EQ("!numeric 型では精度を指定して下さい　　", Create(DatabaseKind::Postgres, {Row("a", "NUMERIC")}));
    EXPECT_EQ("!RAW 型では桁数を指定して下さい　　", Create(DatabaseKind::Oracle, {Row("a", "raw")}));
    // Only whole type names need a size.
    EXPECT_EQ("create table `T` (\r\n\t`a` varchar2\r\n)\r\n", Create(DatabaseKind::MySql, {Row("a", "varchar2")}));
    EXPECT_STREQ("項目005", GeneratedColumnName(4).Text());
}

TEST(CreateTableSql, LoadingADefinitionFollowsEachKindsLengths)
{
    DefinitionRows oracle = {DefinitionColumn("N", "202", "NVARCHAR2", "200"), DefinitionColumn("C", "203", "CLOB", "4000"),
                             DefinitionColumn("V", "200", "VARCHAR2", "4001"), DefinitionColumn("Z", "200", "VARCHAR2", "0"),
                             DefinitionColumn("D", "131", "NUMBER", "", "15", "2", "1")};
    TableColumnRows rows = RowsFromDefinition(DatabaseKind::Oracle, oracle);
    ASSERT_EQ(5u, rows.size());
    EXPECT_STREQ("100", rows[0].size.Text());
    EXPECT_STREQ("CLOB", rows[1].type.Text());
    EXPECT_STREQ("", rows[1].size.Text());
    EXPECT_STREQ("", rows[2].size.Text());
    EXPECT_STREQ("", rows[3].size.Text());
    EXPECT_STREQ("15", rows[4].size.Text());
    EXPECT_STREQ("2", rows[4].scale.Text());
    EXPECT_STREQ("1", rows[4].key.Text());
    // Elsewhere a national type keeps its length.
    EXPECT_STREQ("200", RowsFromDefinition(DatabaseKind::SqlServer, {DefinitionColumn("N", "202", "NVARCHAR", "200")})[0].size.Text());
}

TEST(AlterTableSql, RenamePerKindAndTheSameNameRefused)
{
    DdlTarget target = On(DatabaseKind::SqlServer);
    EXPECT_STREQ("sp_rename [a],[b]", RenameStatement(target, "a", "b").Text());
    EXPECT_STREQ("rename table `a` to `b`", RenameStatement(On(DatabaseKind::MySql), "a", "b").Text());
    EXPECT_STREQ("rename \"a\" to \"b\"", RenameStatement(On(DatabaseKind::Oracle), "a", "b").Text());
    EXPECT_STREQ("alter table \"a\" rename to \"b\"", RenameStatement(On(DatabaseKind::Postgres), "a", "b").Text());
    EXPECT_STREQ("", RenameStatement(On(DatabaseKind::Mdb), "a", "b").Text());
    EXPECT_STREQ("名称を変更して下さい　　", RenameProblem("Orders", "ORDERS"));
    EXPECT_EQ(nullptr, RenameProblem("表", "表ソ"));
}

TEST(AlterTableSql, AddColumnsPerKind)
{
    TableColumnRows two = {Row("a", "int"), Row(""), Row("b", "varchar", "10", "", "", "not NULL")};
    EXPECT_EQ("alter table \"T\" add \"a\" int;\r\nalter table \"T\" add \"b\" varchar(10) not NULL;",
              Add(DatabaseKind::Postgres, two));
    EXPECT_EQ("alter table `T` add (\r\n\t`a` int\r\n\t,`b` varchar(10) not NULL)\r\n", Add(DatabaseKind::MySql, two));
    EXPECT_EQ("alter table [T] add column \r\n\t[a] int\r\n\t,[b] varchar(10) not NULL\r\n", Add(DatabaseKind::Mdb, two));
    EXPECT_EQ("alter table [T] add \r\n\t[a] int\r\n\t,[b] varchar(10) not NULL\r\n", Add(DatabaseKind::SqlServer, two));
    EXPECT_EQ("alter table [T] add column(\r\n\t[a] int\r\n\t,[b] varchar\r\n)\r\n", Add(DatabaseKind::Excel, two));
    EXPECT_EQ("alter table \"T\" add (\r\n\t\"a\" VARCHAR2(5))\r\n", Add(DatabaseKind::Oracle, {Row("a", "", "5")}));
    EXPECT_EQ("!VARCHAR 型では桁数を指定して下さい　　", Add(DatabaseKind::MySql, {Row("a")}));
    EXPECT_EQ("!少なくとも一つの列を指定して下さい　　", Add(DatabaseKind::MySql, {Row(" ")}));
    TableColumnRows rows = {Row("a")};
    VornString text;
    EXPECT_STREQ("表名を指定して下さい　　", BuildAddColumns(On(DatabaseKind::Mdb), "", "T", rows, text).message);
}

TEST(AlterTableSql, DropColumnsPerKind)
{
    std::vector<VornString> ab = {"A", "B"};
    EXPECT_EQ("alter table `T`\r\n\tdrop `A` \r\n\t,drop `B` \r\n", Drop(DatabaseKind::MySql, ab));
    EXPECT_EQ("alter table \"T\" drop (\r\n\t\"A\" \r\n\t,\"B\" )\r\n", Drop(DatabaseKind::Oracle, ab));
    EXPECT_EQ("alter table [T] drop column \r\n\t[A] \r\n\t,[B] \r\n", Drop(DatabaseKind::SqlServer, ab));
    // Each further Postgres column is an action of its own.
    EXPECT_EQ("alter table \"T\" drop column \r\n\t\"A\" \r\n\t,drop column \"B\" \r\n", Drop(DatabaseKind::Postgres, ab));
    EXPECT_EQ("!少なくとも一つの列を選択して下さい　　", Drop(DatabaseKind::MySql, {}));
}

TEST(AlterTableSql, ChangeColumnsPerKind)
{
    ModifyRows rows = {Modify("a", "varchar", "", "20"), Modify("b", "int", "bigint"),
                       Modify("c", "int", "", "", "", "set default 0")};
    EXPECT_EQ("alter table [T] alter column \r\n\t[b] bigint\r\n;\r\n"
              "alter table [T] alter column \r\n\t[c] int set default 0\r\n;\r\n",
              Change(DatabaseKind::SqlServer, rows));
    EXPECT_EQ("alter table \"T\" alter column \r\n\t\"b\"  type bigint\r\n;\r\n"
              "alter table \"T\" alter column \r\n\t\"c\"  set default 0\r\n;\r\n",
              Change(DatabaseKind::Postgres, rows));
    EXPECT_EQ("alter table `T`\r\n\tchange `b` `b` bigint,\r\n\talter `c`  set default 0\r\n;\r\n",
              Change(DatabaseKind::MySql, rows));
    EXPECT_EQ("alter table \"T\" modify (\r\n\t\"b\" bigint,\r\n\t\"c\"  set default 0)\r\n;\r\n",
              Change(DatabaseKind::Oracle, rows));
    // Mdb with only an input option repeats the current type with its size.
    EXPECT_EQ("alter table [T] alter column \r\n\t[a] VARCHAR(30) not null\r\n;\r\n",
              Change(DatabaseKind::Mdb, {Modify("a", "VARCHAR", "", "30", "", "", "not null")}));
    EXPECT_EQ("!numeric 型では精度を指定して下さい　　", Change(DatabaseKind::Postgres, {Modify("a", "int4", "Numeric")}));
    EXPECT_EQ("!少なくとも一つの処理を指定して下さい　　", Change(DatabaseKind::Postgres, {Modify("a", "int4", "", "10")}));
}

TEST(AlterTableSql, ChangeGridFillsAndClearsFromTheDefinition)
{
    DefinitionRow text = EmptyDefinitionRow(), money = EmptyDefinitionRow(), wide = EmptyDefinitionRow();
    text[kDefName] = "t", text[kDefTypeName] = "varchar", text[kDefSize] = "40";
    money[kDefName] = "m", money[kDefTypeName] = "numeric", money[kDefPrecision] = "15", money[kDefScale] = "2";
    wide[kDefName] = "w", wide[kDefTypeName] = "text", wide[kDefSize] = "5000";
    DefinitionRows definition = {text, money, wide};
    ModifyRows rows = ModifyRowsFromDefinition(definition);
    EXPECT_STREQ("40", rows[0].size.Text());
    EXPECT_STREQ("15", rows[1].size.Text());
    EXPECT_STREQ("2", rows[1].scale.Text());
    EXPECT_STREQ("", rows[2].size.Text());
    rows[0].newType = "char", rows[1].scale = "4", rows[2].option = "x";
    ClearModifyRows(rows, definition);
    EXPECT_STREQ("", rows[0].newType.Text());
    EXPECT_STREQ("2", rows[1].scale.Text());
    EXPECT_STREQ("5000", rows[2].size.Text());
    EXPECT_FALSE(ModifyRowTakesPart(rows[2]));
}

TEST(ViewSql, OpeningChecksAndTheStatement)
{
    EXPECT_STREQ("実行タイプが SQL ではありません　　", ViewCommandProblem("WSH", "select 1"));
    EXPECT_STREQ("コマンドエリアに記述がありません　　", ViewCommandProblem("SQL", " \r\n　\n"));
    EXPECT_EQ(nullptr, ViewCommandProblem("SQL", "select 1\n"));
    VornString text;
    ASSERT_TRUE(BuildCreateView(On(DatabaseKind::SqlServer), " v ", "select * from [t]\n", text).Ok());
    EXPECT_STREQ("create view [v] as select * from [t]", text.Text());
    EXPECT_STREQ("ビュー名を入力して下さい　　", BuildCreateView(On(DatabaseKind::Oracle), "　", "select 1", text).message);
    EXPECT_FALSE(ViewCreationOffered(DatabaseKind::MySql));
    EXPECT_FALSE(ViewCreationOffered(DatabaseKind::Excel));
    EXPECT_TRUE(ViewCreationOffered(DatabaseKind::Mdb));
}
