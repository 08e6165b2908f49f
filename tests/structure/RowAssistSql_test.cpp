#include <gtest/gtest.h>

#include <string>

#include "structure/RowAssistSql.h"

namespace {

DefinitionRow Definition(const char* name, const char* adoType, const char* typeName = "")
{
    DefinitionRow row = EmptyDefinitionRow();
    row[kDefName] = name;
    row[kDefAdoType] = adoType;
    row[kDefTypeName] = typeName;
    return row;
}

AssistRow Row(const char* name, const char* category, const char* option, const char* data,
              const char* condition = "", const char* value = "")
{
    AssistRow row;
    row.name = name;
    row.category = category;
    row.option = option;
    row.data = data;
    row.condition = condition;
    row.value = value;
    return row;
}

AssistTarget Target(DatabaseKind kind, const char* table, bool throughDsn = false)
{
    AssistTarget target;
    target.kind = kind;
    target.table = table;
    target.excelThroughDsn = throughDsn;
    return target;
}

std::string Value(DatabaseKind kind, const char* category, const char* option, const char* data)
{
    return RowValue(kind, Row("c", category, option, data)).Text();
}

std::string Condition(DatabaseKind kind, const char* category, const char* op, const char* value)
{
    return ConditionPart(kind, Row("c", category, "", "", op, value)).Text();
}

}  // namespace

TEST(RowAssistGrid, ColumnsAndTabStopsDifferBetweenInsertAndUpdate)
{
    std::vector<AssistColumnSpec> insert = AssistColumns(RowAssistKind::Insert);
    std::vector<AssistColumnSpec> update = AssistColumns(RowAssistKind::Update);
    ASSERT_EQ(5u, insert.size());
    ASSERT_EQ(7u, update.size());
    VornString padded("列名");
    for (int i = 0; i < 15; ++i)
        padded.Append("　");
    EXPECT_STREQ(padded.Text(), insert[kAssistName].heading);
    EXPECT_STREQ("列名", update[kAssistName].heading);
    EXPECT_EQ(400, insert[kAssistData].width);
    EXPECT_EQ(200, update[kAssistData].width);
    EXPECT_STREQ("条件", update[kAssistCondition].heading);
    EXPECT_STREQ("値", update[kAssistValue].heading);
    EXPECT_STREQ("0,1,2,3", AssistTabSkipList(RowAssistKind::Insert));
    EXPECT_STREQ("0,1,2,3,5", AssistTabSkipList(RowAssistKind::Update));
    EXPECT_STREQ("UpdateWindowSize", AssistPlacementSection(RowAssistKind::Update));
}

TEST(RowAssistGrid, RowsFollowTheDefinitionWithTheirCategory)
{
    DefinitionRows definition = {Definition("番号", "3"),          Definition("名前ソ", "129"),
                                 Definition("メモ", "201"),        Definition("登録", "135"),
                                 Definition("金額", "6", "money"), Definition("写真", "205"),
                                 Definition("謎", "999")};
    AssistRows rows = AssistRowsFor(DatabaseKind::Postgres, definition);
    ASSERT_EQ(7u, rows.size());
    const char* expected[] = {"数値", "文字列", "文字列", "日付", "文字列", "未定義", "未定義"};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_STREQ(definition[i][kDefName].Text(), rows[i].name.Text());
        EXPECT_STREQ(expected[i], rows[i].category.Text()) << i;
        EXPECT_EQ(i == 5, rows[i].binary) << i;
        EXPECT_TRUE(rows[i].data.IsEmpty() && rows[i].option.IsEmpty() && rows[i].condition.IsEmpty());
    }
    // Money is a number everywhere but on Postgres.
    EXPECT_STREQ("数値", AssistRowsFor(DatabaseKind::Mdb, {Definition("金額", "6", "money")})[0].category.Text());
}

TEST(RowAssistCheck, EachProblemNamesItsMessageAndCell)
{
    AssistRows rows = {Row("a", "数値", "", ""), Row("b", "数値", "", " 　\t"), Row("c", "数値", "", "")};
    AssistCheck check = CheckAssistRows(RowAssistKind::Insert, rows);
    EXPECT_EQ(AssistProblem::NoColumn, check.problem);
    EXPECT_STREQ("少なくとも一つの列を指定して下さい　　", check.message);
    EXPECT_EQ(0, check.row);
    EXPECT_EQ(kAssistData, check.column);

    rows[1].data = "1";
    rows[2].option = "フリー入力";
    rows[2].data = "　 ";
    check = CheckAssistRows(RowAssistKind::Insert, rows);
    EXPECT_EQ(AssistProblem::FreeInputWithoutData, check.problem);
    EXPECT_STREQ("フリー入力でデータ入力は必須です　　", check.message);
    EXPECT_EQ(2, check.row);
    EXPECT_EQ(kAssistData, check.column);

    rows[2].option = "NULL";
    EXPECT_EQ(AssistProblem::None, CheckAssistRows(RowAssistKind::Insert, rows).problem);
    check = CheckAssistRows(RowAssistKind::Update, rows);
    EXPECT_EQ(AssistProblem::NoCondition, check.problem);
    EXPECT_STREQ("少なくとも一つの条件を指定して下さい　　", check.message);
    EXPECT_EQ(0, check.row);
    EXPECT_EQ(kAssistCondition, check.column);

    // A condition on a row without input still counts.
    rows[0].condition = "NULL";
    EXPECT_EQ(AssistProblem::None, CheckAssistRows(RowAssistKind::Update, rows).problem);
}

TEST(RowAssistValue, OptionsDataAndQuotingByCategory)
{
    const DatabaseKind pg = DatabaseKind::Postgres;
    EXPECT_EQ("12", Value(pg, "数値", "", " 12　"));
    EXPECT_EQ("x y", Value(pg, "未定義", "", "x y"));
    EXPECT_EQ("'abc'", Value(pg, "文字列", "", " abc "));
    EXPECT_EQ("'abc'", Value(pg, "文字列", "", "'abc'"));
    EXPECT_EQ("'2005/01/02'", Value(DatabaseKind::Mdb, "日付", "", "2005/01/02"));
    EXPECT_EQ("TO_DATE('2005/01/02 10:00:00','RRRR/MM/DD HH24:MI:SS')",
              Value(DatabaseKind::Oracle, "日付", "", "2005/01/02 10:00:00"));
    EXPECT_EQ("TO_DATE('2005/01/02','RRRR/MM/DD HH24:MI:SS')", Value(DatabaseKind::Oracle, "日付", "", "'2005/01/02'"));
    EXPECT_EQ("'x'", Value(DatabaseKind::Oracle, "文字列", "", "x"));
    EXPECT_EQ("NULL", Value(pg, "文字列", "NULL", "ignored"));
    EXPECT_EQ("getdate()", Value(DatabaseKind::SqlServer, "日付", "getdate()", ""));
    EXPECT_EQ(" upper('a') ", Value(pg, "文字列", "フリー入力", " upper('a') "));
    EXPECT_EQ("'①～㈱髙表ソ'", Value(pg, "文字列", "", "①～㈱髙表ソ"));
}

TEST(RowAssistValue, ApostrophesAreDoubledOnceWhereverAValueIsQuoted)
{
    const DatabaseKind pg = DatabaseKind::Postgres;
    EXPECT_EQ("'O''Brien'", Value(pg, "文字列", "", "O'Brien"));
    EXPECT_EQ("'O''Brien'", Value(pg, "文字列", "", "O''Brien"));
    EXPECT_EQ("'O''''Brien'", Value(pg, "文字列", "", "O'''Brien"));
    EXPECT_EQ("'ソ''表'''''", Value(pg, "文字列", "", "ソ'表''''"));
    EXPECT_EQ("''''", Value(pg, "文字列", "", "'"));
    EXPECT_EQ("TO_DATE('O''clock','RRRR/MM/DD HH24:MI:SS')", Value(DatabaseKind::Oracle, "日付", "", "O'clock"));
    EXPECT_EQ("= 'O''Brien'", Condition(pg, "文字列", "=", "O'Brien"));
    EXPECT_EQ("= 'O''Brien'", Condition(DatabaseKind::Mdb, "文字列", "=", "O''Brien"));
    EXPECT_EQ("LIKE  'O''B%' ", Condition(pg, "文字列", "LIKE", "O'B%"));
    // Text the user wrote as SQL keeps its apostrophes as written.
    EXPECT_EQ("IN  ('a','b''c') ", Condition(pg, "文字列", "IN", "'a','b''c'"));
    EXPECT_EQ("BETWEEN  'a' and 'b' ", Condition(pg, "文字列", "BETWEEN", "'a' and 'b'"));
    EXPECT_EQ("= 'it''s' ", Condition(pg, "文字列", "フリー入力", "= 'it''s'"));
    EXPECT_EQ(" O'Brien ", Value(pg, "文字列", "フリー入力", " O'Brien "));
}

TEST(RowAssistCondition, EveryOperatorWritesItsPart)
{
    const DatabaseKind pg = DatabaseKind::Postgres;
    EXPECT_EQ("is NULL ", Condition(pg, "数値", "NULL", "x"));
    EXPECT_EQ("is not NULL ", Condition(pg, "数値", "not NULL", ""));
    EXPECT_EQ("IN  (1,2) ", Condition(pg, "数値", "IN", "1,2"));
    EXPECT_EQ("not IN  (1,2) ", Condition(pg, "数値", "not IN", "1,2"));
    EXPECT_EQ("LIKE  '表ソ%' ", Condition(pg, "数値", "LIKE", "表ソ%"));
    EXPECT_EQ("not LIKE  'a' ", Condition(pg, "文字列", "not LIKE", "a"));
    EXPECT_EQ("BETWEEN  1 and 2 ", Condition(pg, "数値", "BETWEEN", "1 and 2"));
    EXPECT_EQ("not BETWEEN  1 and 2 ", Condition(pg, "数値", "not BETWEEN", "1 and 2"));
    EXPECT_EQ("> 5 ", Condition(pg, "数値", "フリー入力", "> 5"));
    for (const char* op : {"=", "<", ">", "<=", ">=", "<>", "!="})
        EXPECT_EQ(std::string(op) + " 7", Condition(pg, "数値", op, "7"));
    EXPECT_EQ("= 'a'", Condition(pg, "文字列", "=", "a"));
    EXPECT_EQ("= 'a'", Condition(pg, "文字列", "=", "'a'"));
    EXPECT_EQ("< '2005/01/02'", Condition(pg, "日付", "<", "2005/01/02"));
    EXPECT_EQ("< #2005/01/02#", Condition(DatabaseKind::Mdb, "日付", "<", "2005/01/02"));
    EXPECT_EQ("< #2005/01/02#", Condition(DatabaseKind::Excel, "日付", "<", "#2005/01/02#"));
    EXPECT_EQ("= 'a'", Condition(DatabaseKind::Excel, "文字列", "=", "a"));
    EXPECT_EQ("= TO_DATE('2005/01/02','RRRR/MM/DD HH24:MI:SS')", Condition(DatabaseKind::Oracle, "日付", "=", "2005/01/02"));
    EXPECT_EQ("= 3", Condition(DatabaseKind::Oracle, "数値", "=", "3"));
}

TEST(RowAssistStatement, InsertListsOnlyTheRowsWithInput)
{
    AssistRows rows = {Row("ID", "数値", "", "1"), Row("Skipped", "文字列", "", " "), Row("Name", "文字列", "", "O'Brien"),
                       Row("At", "日付", "getdate()", ""), Row("[Memo]", "文字列", "フリー入力", "N'x'")};
    EXPECT_EQ("insert into [表ソ] (\r\n\t[ID] \r\n\t,[Name] \r\n\t,[At] \r\n\t,[Memo] \r\n)\r\n values(\r\n"
              "\t1\r\n\t,'O''Brien'\r\n\t,getdate()\r\n\t,N'x'\r\n)\r\n",
              std::string(InsertText(Target(DatabaseKind::SqlServer, "表ソ"), rows).Text()));

    AssistRows oracle = {Row("D", "日付", "", "2005/01/02 10:00:00")};
    EXPECT_EQ("insert into \"T\" (\r\n\t\"D\" \r\n)\r\n values(\r\n"
              "\tTO_DATE('2005/01/02 10:00:00','RRRR/MM/DD HH24:MI:SS')\r\n)\r\n",
              std::string(InsertText(Target(DatabaseKind::Oracle, "T"), oracle).Text()));
    EXPECT_EQ("insert into Sheet1$ (\r\n\tD \r\n)\r\n values(\r\n\t'x'\r\n)\r\n",
              std::string(InsertText(Target(DatabaseKind::Excel, "Sheet1$", true), {Row("D", "文字列", "", "x")}).Text()));
}

TEST(RowAssistStatement, UpdateSetsTheRowsWithInputWhereTheConditionsHold)
{
    AssistRows rows = {Row("番号", "数値", "", "", "=", "1"), Row("氏名", "文字列", "", "髙橋 ソ"),
                       Row("入社日", "日付", "NULL", "", "NULL", ""), Row("給与", "数値", "", "10", "BETWEEN", "1 and 2"),
                       Row("備考", "文字列", "", "", "LIKE", "O'%")};
    EXPECT_EQ("update \"社員\" set \r\n\t\"氏名\" = '髙橋 ソ'\r\n\t,\"入社日\" = NULL\r\n\t,\"給与\" = 10"
              "\r\n where\r\n \"番号\" = 1\r\n and \"入社日\" is NULL \r\n and \"給与\" BETWEEN  1 and 2 "
              "\r\n and \"備考\" LIKE  'O''%' \r\n",
              std::string(UpdateText(Target(DatabaseKind::Postgres, "社員"), rows).Text()));

    AssistRows mdb = {Row("名前", "文字列", "", "a"), Row("日付", "日付", "", "", "=", "2005/01/02")};
    EXPECT_EQ("update [T] set \r\n\t[名前] = 'a'\r\n where\r\n [日付] = #2005/01/02#\r\n",
              std::string(UpdateText(Target(DatabaseKind::Mdb, "T"), mdb).Text()));
    AssistRows mysql = {Row("a", "数値", "", "1", "not NULL", "")};
    EXPECT_EQ("update `t` set \r\n\t`a` = 1\r\n where\r\n `a` is not NULL \r\n",
              std::string(UpdateText(Target(DatabaseKind::MySql, "t"), mysql).Text()));
}

TEST(RowAssistPrefill, DataRowFillsDataValuesAndKeyConditions)
{
    DefinitionRows definition = {Definition("ID", "3"), Definition("Name", "129"), Definition("Note", "3"),
                                 Definition("Photo", "205"), Definition("Other", "3")};
    std::vector<VornString> headings = {"name", "id", "NOTE", "photo", "missing"};
    std::vector<VornString> values = {"O'Brien's", "7", "1'2", "???", "x"};

    AssistRows insert = AssistRowsFor(DatabaseKind::MySql, definition);
    PrefillFromDataRow(RowAssistKind::Insert, insert, headings, values, {"ID"});
    EXPECT_STREQ("7", insert[0].data.Text());
    EXPECT_STREQ("O''Brien''s", insert[1].data.Text());
    EXPECT_STREQ("1'2", insert[2].data.Text());
    EXPECT_TRUE(insert[3].data.IsEmpty());
    EXPECT_TRUE(insert[4].data.IsEmpty());
    for (const AssistRow& row : insert)
        EXPECT_TRUE(row.condition.IsEmpty() && row.value.IsEmpty());

    AssistRows update = AssistRowsFor(DatabaseKind::MySql, definition);
    PrefillFromDataRow(RowAssistKind::Update, update, headings, values, {"id"});
    EXPECT_STREQ("=", update[0].condition.Text());
    EXPECT_STREQ("7", update[0].value.Text());
    EXPECT_STREQ("O''Brien''s", update[1].value.Text());
    EXPECT_TRUE(update[1].condition.IsEmpty());
    EXPECT_TRUE(update[3].value.IsEmpty());
    // The doubled apostrophes of the pre-fill are not doubled again in the statement.
    EXPECT_EQ("update `t` set \r\n\t`ID` = 7\r\n\t,`Name` = 'O''Brien''s'\r\n\t,`Note` = 1'2"
              "\r\n where\r\n `ID` = 7\r\n",
              std::string(UpdateText(Target(DatabaseKind::MySql, "t"), update).Text()));
}

TEST(RowAssistPrefill, ConditionsGoToTheRowsInOrderAndClearingKeepsThem)
{
    AssistRows rows = {Row("a", "数値", "NULL", "1"), Row("b", "数値", "", "2"), Row("c", "数値", "", "3")};
    PrefillConditions(rows, {{"=", "1"}, {"", ""}});
    EXPECT_STREQ("=", rows[0].condition.Text());
    EXPECT_STREQ("1", rows[0].value.Text());
    EXPECT_TRUE(rows[1].condition.IsEmpty());
    EXPECT_TRUE(rows[2].condition.IsEmpty());
    for (AssistRow& row : rows)
        ClearInput(row);
    EXPECT_FALSE(HasInput(rows[0]));
    EXPECT_TRUE(rows[0].option.IsEmpty());
    EXPECT_STREQ("=", rows[0].condition.Text());
    EXPECT_STREQ("1", rows[0].value.Text());
}
