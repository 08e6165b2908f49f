#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dataview/DataViewSql.h"

using namespace dataview;

namespace {

SqlDialect Dialect(DatabaseKind kind, bool excelThroughDsn = false) { return SqlDialect{kind, excelThroughDsn}; }

const SqlDialect kMdb = Dialect(DatabaseKind::Mdb);
const SqlDialect kSqlServer = Dialect(DatabaseKind::SqlServer);
const SqlDialect kMySql = Dialect(DatabaseKind::MySql);
const SqlDialect kOracle = Dialect(DatabaseKind::Oracle);
const SqlDialect kPostgres = Dialect(DatabaseKind::Postgres);

DefinitionRow Def(const char* name, const char* adoType, const char* typeName, const char* key = "")
{
    DefinitionRow row = EmptyDefinitionRow();
    row[kDefName] = name;
    row[kDefAdoType] = adoType;
    row[kDefTypeName] = typeName;
    row[kDefPrimaryKey] = key;
    return row;
}

FieldColumn Column(const char* name, const char* category, bool key = false, bool automatic = false,
                   bool binary = false)
{
    FieldColumn column;
    column.name = name;
    column.category = category;
    column.key = key;
    column.automatic = automatic;
    column.binary = binary;
    return column;
}

std::string Text(const VornString& text) { return text.Text(); }

}  // namespace

TEST(DataViewSql, NamesAreQuotedPerKindAndOptionNamesStayBareForPostgres)
{
    EXPECT_EQ("[社員]", Text(QuoteName(kMdb, "社員")));
    EXPECT_EQ("[売上明細]", Text(QuoteName(kSqlServer, "[売上明細]")));  // not bracketed again
    EXPECT_EQ("`ソ表`", Text(QuoteName(kMySql, "ソ表")));
    EXPECT_EQ("\"①～㈱髙表ソ\"", Text(QuoteName(kPostgres, "①～㈱髙表ソ")));
    EXPECT_EQ("Sheet1$", Text(QuoteName(Dialect(DatabaseKind::Excel, true), "Sheet1$")));
    // ゾ ends in ']' and チ in '`': the names are still enclosed.
    EXPECT_EQ("[ゾ]", Text(QuoteName(kMdb, "ゾ")));
    EXPECT_EQ("[[ゾ]", Text(QuoteName(kMdb, "[ゾ")));
    // A back quote inside the name is doubled so that it cannot end the name.
    EXPECT_EQ("```チ`", Text(QuoteName(kMySql, "`チ")));
    EXPECT_EQ("ゾーン", Text(QuoteOptionName(kPostgres, "ゾーン")));
    EXPECT_EQ("[ゾーン]", Text(QuoteOptionName(kSqlServer, "ゾーン")));

    EXPECT_TRUE(IsAutomaticType(DatabaseKind::Mdb, "COUNTER"));
    EXPECT_FALSE(IsAutomaticType(DatabaseKind::Mdb, "serial"));
    EXPECT_TRUE(IsAutomaticType(DatabaseKind::Postgres, "serial"));
    EXPECT_TRUE(IsAutomaticType(DatabaseKind::SqlServer, "int identity"));
    EXPECT_TRUE(IsAutomaticType(DatabaseKind::SqlServer, "timestamp"));
    EXPECT_FALSE(IsAutomaticType(DatabaseKind::Postgres, "int identity"));
    EXPECT_FALSE(IsAutomaticType(DatabaseKind::MySql, "varchar"));

    DefinitionRows definition = {Def("ID", "3", "COUNTER", "1"), Def("写真", "205", "LONGBINARY"),
                                 Def("額", "6", "money"),        Def("日", "135", "DATETIME"),
                                 Def("サ", "129", "CHAR")};
    // Single-byte letters fold (id = ID); ピ (83 73) never folds into サ (83 53).
    std::vector<FieldColumn> mdb = FieldColumnsFor(DatabaseKind::Mdb, {"id", "写真", "額", "日", "ピ"}, definition);
    ASSERT_EQ(5u, mdb.size());
    EXPECT_TRUE(mdb[0].key && mdb[0].automatic && !mdb[0].binary);
    EXPECT_EQ("数値", Text(mdb[0].category));
    EXPECT_TRUE(mdb[1].binary && !mdb[1].key);
    EXPECT_EQ("数値", Text(mdb[2].category));
    EXPECT_EQ("日付", Text(mdb[3].category));
    EXPECT_EQ("未定義", Text(mdb[4].category));
    EXPECT_EQ("", Text(mdb[4].typeName));
    std::vector<FieldColumn> pg = FieldColumnsFor(DatabaseKind::Postgres, {"額"}, definition);
    EXPECT_EQ("文字列", Text(pg[0].category));  // Postgres money
    for (const char* binary : {"128", "204", "205"})
        EXPECT_TRUE(FieldColumnsFor(DatabaseKind::MySql, {"b"}, {Def("b", binary, "blob")})[0].binary);
    // varchar and text columns come as 200 / 201: their values are quoted like any text.
    EXPECT_EQ("文字列", Text(FieldColumnsFor(DatabaseKind::Postgres, {"v"}, {Def("v", "200", "varchar")})[0].category));
    EXPECT_EQ("文字列", Text(FieldColumnsFor(DatabaseKind::Postgres, {"t"}, {Def("t", "201", "text")})[0].category));
}

TEST(DataViewSql, LiteralsDoubleApostrophesAndKeepTypedEnclosures)
{
    EXPECT_EQ("NULL", Text(KeyLiteral(kSqlServer, "文字列", "")));
    EXPECT_EQ("'O''Brien'", Text(KeyLiteral(kSqlServer, "文字列", "O'Brien")));
    // Grid values are data: a stored 'abc' is quoted again so that it matches itself.
    EXPECT_EQ("'''abc'''", Text(KeyLiteral(kSqlServer, "文字列", "'abc'")));
    EXPECT_EQ("'①～㈱髙表ソ''s'", Text(KeyLiteral(kPostgres, "文字列", "①～㈱髙表ソ's")));
    // MySQL reads backslashes as escapes: real ones are doubled, ソ's trail byte is not.
    EXPECT_EQ("'C:\\\\ソ\\\\'", Text(KeyLiteral(kMySql, "文字列", "C:\\ソ\\")));
    EXPECT_EQ("'C:\\ソ'", Text(KeyLiteral(kPostgres, "文字列", "C:\\ソ")));
    EXPECT_EQ("'2024/01/02'", Text(KeyLiteral(kOracle, "日付", "2024/01/02")));
    EXPECT_EQ("#2024/01/02#", Text(KeyLiteral(kMdb, "日付", "2024/01/02")));
    EXPECT_EQ("12.5", Text(KeyLiteral(kMdb, "数値", "12.5")));

    EXPECT_EQ("'abc'", Text(TypedConditionLiteral(kMySql, "文字列", "'abc'")));
    EXPECT_EQ("'O''Brien'", Text(TypedConditionLiteral(kMySql, "文字列", "O'Brien")));
    EXPECT_EQ("'''abc'", Text(TypedConditionLiteral(kMySql, "文字列", "'abc")));
    EXPECT_EQ("''''", Text(TypedConditionLiteral(kMySql, "文字列", "'")));
    EXPECT_EQ("#2024/01/02#", Text(TypedConditionLiteral(kMdb, "日付", "#2024/01/02#")));
    EXPECT_EQ("#2024/01/02#", Text(TypedConditionLiteral(kMdb, "日付", "2024/01/02")));
    EXPECT_EQ("'#x#'", Text(TypedConditionLiteral(kSqlServer, "文字列", "#x#")));
    EXPECT_EQ("NULL", Text(TypedConditionLiteral(kMySql, "文字列", "")));

    FieldColumn text = Column("名", "文字列");
    FieldColumn date = Column("日", "日付");
    EXPECT_EQ("'O''Brien'", Text(StatementLiteral(kMySql, text, "O'Brien")));
    EXPECT_EQ("'2024/01/02 ''x'", Text(StatementLiteral(kSqlServer, date, "2024/01/02 'x")));
    EXPECT_EQ("now()", Text(StatementLiteral(kPostgres, date, "@now()")));
    EXPECT_EQ("NULL", Text(StatementLiteral(kOracle, date, "")));
    EXPECT_EQ("TO_DATE('2024/01/02 03:04:05','RRRR/MM/DD HH24:MI:SS')",
              Text(StatementLiteral(kOracle, date, "2024/01/02 03:04:05")));
    EXPECT_EQ("'2024/01/02'", Text(StatementLiteral(kMdb, date, "2024/01/02")));  // "#" only in keys
    EXPECT_EQ("7", Text(StatementLiteral(kMdb, Column("n", "数値"), "7")));
    FieldColumn money = Column("額", "数値");
    money.typeName = "money";
    EXPECT_EQ("'$1.00'", Text(StatementLiteral(kPostgres, money, "$1.00")));
}

TEST(DataViewSql, ConditionsOrdersAndSelectLists)
{
    std::vector<ConditionRow> rows = {
        {"ゾーン", "文字列", "=", "O'Brien"},   {"無視", "文字列", "", "x"},
        {"番号", "数値", "IN", "1,2"},          {"名", "文字列", "not LIKE", "%'s%"},
        {"額", "数値", "BETWEEN", "1 and 5  "}, {"備考", "文字列", "not NULL", "ignored"},
        {"式", "数値", "フリー入力", "> 3"},    {"ソ表", "文字列", "<>", "'ab'"},
    };
    EXPECT_EQ("[ゾーン] = 'O''Brien' and [番号] IN (1,2) and [名] not LIKE '%''s%' and "
              "[額] BETWEEN 1 and 5 and [備考] is not NULL and [式] > 3 and [ソ表] <> 'ab' ",
              Text(ConditionWhere(kSqlServer, rows)));
    EXPECT_EQ("\"ゾーン\" = 'x' ", Text(ConditionWhere(kPostgres, {{"ゾーン", "文字列", "=", "x"}})));
    EXPECT_EQ("[日] >= #2024/01/01# ", Text(ConditionWhere(kMdb, {{"日", "日付", ">=", "2024/01/01"}})));
    EXPECT_EQ("\"日\" < TO_DATE('2024/01/01','RRRR/MM/DD HH24:MI:SS') ",
              Text(ConditionWhere(kOracle, {{"日", "日付", "<", "2024/01/01"}})));
    EXPECT_EQ("`c` is NULL ", Text(ConditionWhere(kMySql, {{"c", "文字列", "NULL", ""}})));
    EXPECT_EQ("", Text(ConditionWhere(kMySql, {{"c", "文字列", "", "x"}})));

    EXPECT_EQ("[a],[ゾ] desc", Text(SortOrderBy(kSqlServer, {{"a", false}, {"ゾ", true}})));
    EXPECT_EQ("a,ゾ desc", Text(SortOrderBy(kPostgres, {{"a", false}, {"ゾ", true}})));
    EXPECT_EQ("[金額] desc", Text(HeaderOrderBy(kSqlServer, "金額", true)));  // Shift on SQL Server
    EXPECT_EQ("`金額`", Text(HeaderOrderBy(kMySql, "金額", false)));
    EXPECT_EQ("金額", Text(HeaderOrderBy(kPostgres, "金額", false)));

    std::vector<VornString> names = {"a", "ソ表", "c"};
    EXPECT_EQ("*", Text(ColumnSelectList(kMdb, names, {true, true, true})));
    EXPECT_EQ("[a],[ソ表]", Text(ColumnSelectList(kMdb, names, {true, true, false})));
    EXPECT_EQ("ソ表,c", Text(ColumnSelectList(kPostgres, names, {false, true, true})));
    EXPECT_EQ("", Text(ColumnSelectList(kMdb, names, {false, false, false})));

    EXPECT_TRUE(TableHasKey(kMdb, " * ", {"ID"}));
    EXPECT_FALSE(TableHasKey(kMdb, "*", {}));
    EXPECT_FALSE(TableHasKey(kMdb, "[a],[b]", {}));
    EXPECT_TRUE(TableHasKey(kMdb, "[a], [ゾ] ,[id]", {"ID", "ゾ"}));
    EXPECT_FALSE(TableHasKey(kMdb, "[a],[id]", {"ID", "ゾ"}));
    EXPECT_TRUE(TableHasKey(kPostgres, "ソ表,番号", {"\"番号\""}));
    EXPECT_TRUE(TableHasKey(kMySql, "`①～㈱髙表ソ`", {"①～㈱髙表ソ"}));
    EXPECT_FALSE(TableHasKey(kMySql, "`ピ`", {"サ"}));  // trail bytes never fold
    EXPECT_FALSE(TableHasKey(kMdb, "[ゾ", {"ゾ"}));      // half-enclosed name is another name
}

TEST(DataViewSql, RowStatementsSkipAutomaticAndBinaryColumnsAndRefuseWithoutKey)
{
    std::vector<FieldColumn> columns = {Column("ID", "数値", true, true), Column("名", "文字列"),
                                        Column("写真", "未定義", false, false, true), Column("日", "日付", true),
                                        Column("ゾーン", "文字列")};
    std::vector<VornString> values = {"5", "O'Brien", "???", "2024/01/02", ""};
    // Mdb: the counter and the binary column are left out; date keys between "#".
    EXPECT_EQ("insert into [社員] ([名],[日],[ゾーン]) values('O''Brien','2024/01/02',NULL)",
              Text(InsertStatement(kMdb, "[社員]", columns, values)));
    EXPECT_EQ("update [社員] set [名] = 'O''Brien',[日] = '2024/01/02',[ゾーン] = NULL "
              "where [ID] = 5 and [日] = #2024/01/02#",
              Text(UpdateStatement(kMdb, "[社員]", columns, values)));
    EXPECT_EQ("delete from [社員] where [ID] = 5 and [日] = #2024/01/02#",
              Text(DeleteStatement(kMdb, "[社員]", columns, values)));
    // An empty key value gives "= NULL" (documented behaviour); missing values are empty.
    EXPECT_EQ("delete from \"t\" where \"ID\" = NULL and \"日\" = NULL",
              Text(DeleteStatement(kPostgres, "\"t\"", columns, {})));
    EXPECT_EQ("\"ID\" = 5 and \"日\" = '2024/01/02'", Text(KeyCondition(kPostgres, columns, values)));
    EXPECT_EQ("update \"T\" set \"名\" = 'x',\"日\" = TO_DATE('2024/01/02','RRRR/MM/DD HH24:MI:SS'),\"ゾーン\" = "
              "now() where \"ID\" = 5 and \"日\" = '2024/01/02'",
              Text(UpdateStatement(kOracle, "\"T\"", columns, {"5", "x", "???", "2024/01/02", "@now()"})));
    // A key value from the grid that holds apostrophes is data and matches itself.
    std::vector<FieldColumn> textKey = {Column("コード", "文字列", true)};
    EXPECT_EQ("delete from [t] where [コード] = '''abc'''",
              Text(DeleteStatement(kSqlServer, "[t]", textKey, {"'abc'"})));

    // No key column: no update and no delete through a guessed condition.
    std::vector<FieldColumn> noKey = {Column("a", "数値"), Column("b", "文字列")};
    EXPECT_EQ("", Text(UpdateStatement(kMySql, "`t`", noKey, {"1", "x"})));
    EXPECT_EQ("", Text(DeleteStatement(kMySql, "`t`", noKey, {"1", "x"})));
    EXPECT_EQ("insert into `t` (`a`,`b`) values(1,'x')", Text(InsertStatement(kMySql, "`t`", noKey, {"1", "x"})));
    // Nothing writable: no statement.
    std::vector<FieldColumn> onlyAutomatic = {Column("ID", "数値", true, true), Column("bin", "未定義", false, false, true)};
    EXPECT_EQ("", Text(InsertStatement(kMdb, "[t]", onlyAutomatic, {"1", "???"})));
    EXPECT_EQ("", Text(UpdateStatement(kMdb, "[t]", onlyAutomatic, {"1", "???"})));

    EXPECT_EQ("delete from [Sheet1$]", Text(ClearTableStatement(DatabaseKind::Excel, "[Sheet1$]")));
    EXPECT_EQ("delete from [t]", Text(ClearTableStatement(DatabaseKind::Mdb, "[t]")));
    EXPECT_EQ("truncate table \"ソ表\"", Text(ClearTableStatement(DatabaseKind::Postgres, "\"ソ表\"")));
}

TEST(DataViewSql, UpdateSqlFileLinesRemoveCrAndEscapeLf)
{
    VornString file;
    AppendUpdateSqlLine(file, "insert into [表] values('a\r\nソ')", true);
    AppendUpdateSqlLine(file, "update t set a = '\\'\n", true);
    AppendUpdateSqlLine(file, "delete from ゾ", false);
    AppendUpdateSqlLine(file, "", true);
    EXPECT_EQ("insert into [表] values('a\\nソ');\nupdate t set a = '\\'\\n;\ndelete from ゾ\n;\n", Text(file));
    // With the semicolon option every line ends with ";".
    VornString withSemicolon;
    for (const char* statement : {"a\r\nb", "表", "ソ\n"})
        AppendUpdateSqlLine(withSemicolon, statement, true);
    EXPECT_EQ("a\\nb;\n表;\nソ\\n;\n", Text(withSemicolon));
}

TEST(DataViewSql, ClipboardRowsSplitLinesAndFieldsInOnePass)
{
    // Three lines give three rows in clipboard order; empty lines are skipped, LF dropped.
    auto rows = ClipboardRows("ソ\t表\r\n\r\nゾ\tチ\r\n①～㈱\t髙\tdropped\r\n", 2);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"ソ", "表"}), (std::vector<std::string>{rows[0][0].Text(), rows[0][1].Text()}));
    EXPECT_EQ("ゾ", Text(rows[1][0]));
    EXPECT_EQ("チ", Text(rows[1][1]));
    ASSERT_EQ(2u, rows[2].size());  // the third field is beyond the grid
    EXPECT_EQ("髙", Text(rows[2][1]));

    rows = ClipboardRows("a\n b\rc\t\t", 5);  // LF inside a line is dropped, no final CR
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ("a b", Text(rows[0][0]));
    ASSERT_EQ(3u, rows[1].size());
    EXPECT_EQ("", Text(rows[1][2]));
    EXPECT_TRUE(ClipboardRows("", 3).empty());
    EXPECT_TRUE(ClipboardRows("\r\n\r\n\n", 3).empty());
    EXPECT_EQ(1u, ClipboardRows("\t", 3).size());  // a line of TABs is not empty

    // A large paste: 100,000 lines in one pass.
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += std::to_string(i) + "\tソ表\tゾーン\textra\r\n";
    rows = ClipboardRows(big.c_str(), 3);
    ASSERT_EQ(100000u, rows.size());
    EXPECT_EQ("99999", Text(rows[99999][0]));
    EXPECT_EQ("ゾーン", Text(rows[99999][2]));
    EXPECT_EQ(3u, rows[12345].size());
}
