#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "SchemaTestSupport.h"
#include "db/AdoConstants.h"
#include "schema/DefinitionRules.h"

namespace {

std::string Cells(const DefinitionRow& row, std::initializer_list<int> columns)
{
    std::string text;
    bool first = true;
    for (int column : columns) {
        if (!first)
            text += "|";
        first = false;
        text += Str(row[static_cast<size_t>(column)]);
    }
    return text;
}

// A column-schema record with the fields the generic read uses.
CatalogRow ColumnRecord(const char* name, const char* ordinal, const char* type,
                        const char* length, const char* precision, const char* scale,
                        const char* nullable, const char* defaultValue = nullptr,
                        const char* description = nullptr)
{
    return Record({{"TABLE_NAME", "t"},
                   {"COLUMN_NAME", name},
                   {"ORDINAL_POSITION", ordinal},
                   {"COLUMN_DEFAULT", defaultValue},
                   {"IS_NULLABLE", nullable},
                   {"DATA_TYPE", type},
                   {"CHARACTER_MAXIMUM_LENGTH", length},
                   {"NUMERIC_PRECISION", precision},
                   {"NUMERIC_SCALE", scale},
                   {"DESCRIPTION", description}});
}

DefinitionRows NamedRows(std::initializer_list<const char*> names)
{
    DefinitionRows rows;
    for (const char* name : names) {
        DefinitionRow row = EmptyDefinitionRow();
        row[kDefName] = name;
        rows.push_back(row);
    }
    return rows;
}

std::string KeyColumn(const DefinitionRows& rows)
{
    std::string text;
    for (const DefinitionRow& row : rows)
        text += "[" + Str(row[kDefPrimaryKey]) + "]";
    return text;
}

std::vector<DefinitionStep> StepsTaken(DefinitionPlan& plan, std::initializer_list<bool> outcomes)
{
    std::vector<DefinitionStep> steps;
    auto outcome = outcomes.begin();
    while (plan.Next() != DefinitionStep::Done) {
        steps.push_back(plan.Next());
        plan.Finished(outcome != outcomes.end() ? *outcome++ : true);
    }
    return steps;
}

}  // namespace

TEST(DefinitionRules, HeadingsAndAlignmentsOfTheThirteenColumns)
{
    std::string headings;
    std::string alignments;
    for (int column = 0; column < kDefColumnCount; ++column) {
        DefinitionHeading heading = DefinitionHeadingAt(column);
        headings += Str(heading.text) + "/";
        alignments += heading.alignment == ColumnAlignment::Left    ? "L"
                      : heading.alignment == ColumnAlignment::Right ? "R"
                                                                     : "C";
    }
    EXPECT_EQ("№/列名/型値/型定数/型名/最大桁/精度/ｽｹｰﾙ/NULL/主キー/ﾃﾞﾌｫﾙﾄ/型説明/備考/", headings);
    EXPECT_EQ("LLRLLRRRLCLLL", alignments);

    EXPECT_TRUE(IsPreparedDefinitionList(13, "型説明"));
    EXPECT_TRUE(IsPreparedDefinitionList(12, "型説明"));
    EXPECT_FALSE(IsPreparedDefinitionList(11, "型説明"));
    EXPECT_FALSE(IsPreparedDefinitionList(13, "備考"));
    EXPECT_EQ("【売上明細】 の定義を表示しています　", Str(DefinitionStatusText("売上明細")));
}

TEST(DefinitionRules, PlanRunsTheKindsRefinementsOnlyAfterAGoodGenericRead)
{
    using S = DefinitionStep;
    DefinitionPlan mdb(DatabaseKind::Mdb, "", false);
    EXPECT_EQ((std::vector<S>{S::GenericRead, S::PrimaryKeysFromSchema, S::MdbAutoNumber, S::MdbFixUps}),
              StepsTaken(mdb, {true, false, true}));
    EXPECT_FALSE(mdb.ReadFailed());

    DefinitionPlan failing(DatabaseKind::SqlServer, "", false);
    EXPECT_EQ(std::vector<S>{S::GenericRead}, StepsTaken(failing, {false}));
    EXPECT_TRUE(failing.ReadFailed());

    DefinitionPlan oracle(DatabaseKind::Oracle, "", false);
    EXPECT_EQ((std::vector<S>{S::GenericRead, S::OracleCatalog}), StepsTaken(oracle, {}));
    DefinitionPlan mySql(DatabaseKind::MySql, "", false);
    EXPECT_EQ((std::vector<S>{S::GenericRead, S::MySqlCatalog}), StepsTaken(mySql, {}));
    DefinitionPlan excel(DatabaseKind::Excel, "", false);
    EXPECT_EQ(std::vector<S>{S::GenericRead}, StepsTaken(excel, {}));

    DefinitionPlan blocked(DatabaseKind::Mdb, "", true);
    EXPECT_EQ(DefinitionStep::Done, blocked.Next());
    EXPECT_TRUE(blocked.ReadFailed());
}

TEST(DefinitionRules, PostgresFallsBackToTheFieldReadAndReadsSystemTablesFromFields)
{
    using S = DefinitionStep;
    DefinitionPlan good(DatabaseKind::Postgres, "public", false);
    EXPECT_EQ((std::vector<S>{S::GenericRead, S::PostgresTypes, S::PrimaryKeysFromSchema}),
              StepsTaken(good, {}));
    EXPECT_FALSE(good.ReadFailed());

    DefinitionPlan fallback(DatabaseKind::Postgres, "public", false);
    EXPECT_EQ((std::vector<S>{S::GenericRead, S::FieldRead, S::PostgresTypes, S::PrimaryKeysFromSchema}),
              StepsTaken(fallback, {false, true}));
    EXPECT_TRUE(fallback.ReadFailed());

    DefinitionPlan system(DatabaseKind::Postgres, "pg_catalog", false);
    EXPECT_EQ((std::vector<S>{S::FieldRead, S::PostgresTypes}), StepsTaken(system, {}));
    DefinitionPlan systemFailing(DatabaseKind::Postgres, "pg_catalog", false);
    EXPECT_EQ(std::vector<S>{S::FieldRead}, StepsTaken(systemFailing, {false}));
    EXPECT_TRUE(systemFailing.ReadFailed());
}

TEST(DefinitionRules, GenericReadOrdersNumbersAndLooksUpEachColumn)
{
    CatalogRows records;
    for (int i = 12; i >= 1; --i) {
        std::string name = "c" + std::to_string(i);
        std::string ordinal = std::to_string(i);
        records.push_back(ColumnRecord(name.c_str(), ordinal.c_str(), "3", nullptr, "10", "0", "-1"));
    }
    records[11] = ColumnRecord("氏名", "1", "130", "20", nullptr, nullptr, "0", "'無名'", "社員の名前");
    records[0] = ColumnRecord("単価", "12", "4", nullptr, "0", nullptr, "False");

    DefinitionRows rows = DefinitionsFromSchemaColumns(records, DatabaseKind::Mdb);
    ASSERT_EQ(12u, rows.size());
    EXPECT_EQ(" 1|氏名|130|adWChar|VARCHAR|20|||N||'無名'|Null で終了する Unicode 文字列|社員の名前",
              Cells(rows[0], {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(" 2|c2|3|adInteger|INT||10|0|||", Cells(rows[1], {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ("10|c10", Cells(rows[9], {0, 1}));
    // Precision "0" means none; the kind decides the generic name of type 4.
    EXPECT_EQ("12|単価|REAL||N", Cells(rows[11], {0, 1, 4, 6, 8}));
    EXPECT_EQ("FLOAT", Str(DefinitionsFromSchemaColumns({records[0]}, DatabaseKind::Postgres)[0][kDefTypeName]));
}

TEST(DefinitionRules, SchemaRestrictionsNameTheTableAndOraclesUpperCasedUser)
{
    std::vector<VornString> oracle = ColumnSchemaRestrictions(DatabaseKind::Oracle, "EMP", "ピscott");
    ASSERT_EQ(4u, oracle.size());
    // ピ ends in 's': upper-casing byte by byte would turn it into ゴ.
    EXPECT_EQ("|ピSCOTT|EMP|", Str(oracle[0]) + "|" + Str(oracle[1]) + "|" + Str(oracle[2]) + "|" +
                                  Str(oracle[3]));
    std::vector<VornString> postgres = ColumnSchemaRestrictions(DatabaseKind::Postgres, "表", "kestrova");
    EXPECT_EQ("|", Str(postgres[1]) + "|" + Str(postgres[3]));
    EXPECT_EQ("表", Str(postgres[2]));
}

TEST(DefinitionRules, FieldReadDescribesTheProbeRecordset)
{
    EXPECT_EQ("select * from pg_class where 1 = 2", Str(FieldReadStatement(DatabaseKind::Postgres, "pg_class")));
    EXPECT_EQ("select * from [社員] where 1 = 2", Str(MdbProbeStatement("社員")));

    FieldDescriptions fields(2);
    fields[0].name = "金額";
    fields[0].type = ado::adNumeric;
    fields[0].definedSize = 19;
    fields[0].precision = 12;
    fields[0].numericScale = 2;
    fields[0].attributes = ado::adFldIsNullable | ado::adFldUpdatable;
    fields[1].name = "名前";
    fields[1].type = ado::adVarChar;
    fields[1].definedSize = 40;
    fields[1].precision = 255;
    fields[1].numericScale = 255;
    fields[1].attributes = ado::adFldUpdatable;
    DefinitionRows rows = DefinitionsFromFields(fields, DatabaseKind::Postgres);
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(" 1|金額|131|adNumeric|DECIMAL|19|12|2|", Cells(rows[0], {0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(" 2|名前|200|40|||N|文字列値", Cells(rows[1], {0, 1, 2, 5, 6, 7, 8, 11}));
}

TEST(DefinitionRules, CompositePrimaryKeyShowsKeyOrderWhateverTheColumnOrder)
{
    DefinitionRows rows = NamedRows({"明細番号", "備考", "伝票番号"});
    ApplySchemaPrimaryKeys(rows, {Record({{"COLUMN_NAME", "伝票番号"}, {"ORDINAL", "1"}}),
                                  Record({{"COLUMN_NAME", "明細番号"}, {"ORDINAL", "2"}})});
    EXPECT_EQ("[2][][1]", KeyColumn(rows));

    DefinitionRows mixedCase = NamedRows({"Id", "Line"});
    ApplySchemaPrimaryKeys(mixedCase, {Record({{"COLUMN_NAME", "LINE"}, {"ORDINAL", "2"}}),
                                       Record({{"COLUMN_NAME", "id"}, {"ORDINAL", "1"}})});
    EXPECT_EQ("[1][2]", KeyColumn(mixedCase));
}

TEST(DefinitionRules, MdbShowsMemoAndCounterAndNoLengthForYesNo)
{
    DefinitionRows rows = NamedRows({"ID", "件数", "メモ", "名前", "済"});
    const char* types[] = {"3", "3", "130", "130", "11"};
    const char* sizes[] = {"", "", "0", "50", "2"};
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i][kDefAdoType] = types[i];
        rows[i][kDefTypeName] = "INT";
        rows[i][kDefSize] = sizes[i];
    }
    FieldDescriptions fields(5);
    const char* names[] = {"ID", "件数", "メモ", "名前", "済"};
    long attributes[] = {ado::adFldUnknownUpdatable | ado::adFldFixed, ado::adFldUpdatable,
                         ado::adFldUnknownUpdatable, ado::adFldUnknownUpdatable, 0};
    for (size_t i = 0; i < fields.size(); ++i) {
        fields[i].name = names[i];
        fields[i].type = std::atol(types[i]);
        fields[i].attributes = attributes[i];
    }
    ApplyMdbAutoNumber(rows, fields);
    ApplyMdbFixUps(rows);
    EXPECT_EQ("COUNTER|INT|MEMO|INT|INT", Cells({rows[0][4], rows[1][4], rows[2][4], rows[3][4], rows[4][4]},
                                                {0, 1, 2, 3, 4}));
    EXPECT_EQ("0|50|", Cells({rows[2][5], rows[3][5], rows[4][5]}, {0, 1, 2}));
}

TEST(DefinitionRules, SqlServerCorrectsRowsFromSpColumnsAndSpPkeys)
{
    EXPECT_EQ("sp_columns [売上明細]", Str(SqlServerColumnsStatement("売上明細")));
    EXPECT_EQ("sp_pkeys [売上明細]", Str(SqlServerKeysStatement("売上明細")));
    // A table whose name contains the procedure name keeps its name.
    EXPECT_EQ("sp_pkeys [sp_columns_log]", Str(SqlServerKeysStatement("sp_columns_log")));

    DefinitionRows rows = NamedRows({"伝票番号", "明細番号", "版", "品名"});
    rows[2][kDefSize] = "8";
    rows[3][kDefDefault] = "('x')";
    ApplySqlServerColumns(rows, {Record({{"COLUMN_NAME", "伝票番号"}, {"TYPE_NAME", "int identity"}, {"COLUMN_DEF", nullptr}}),
                                 Record({{"COLUMN_NAME", "明細番号"}, {"TYPE_NAME", "smallint"}, {"COLUMN_DEF", "((1))"}}),
                                 Record({{"COLUMN_NAME", "版"}, {"TYPE_NAME", "timestamp"}, {"COLUMN_DEF", nullptr}}),
                                 Record({{"COLUMN_NAME", "品名"}, {"TYPE_NAME", "nvarchar"}, {"COLUMN_DEF", nullptr}}),
                                 Record({{"COLUMN_NAME", "余分"}, {"TYPE_NAME", "int"}})});
    EXPECT_EQ("INT IDENTITY|", Cells(rows[0], {kDefTypeName, kDefDefault}));
    EXPECT_EQ("SMALLINT|((1))", Cells(rows[1], {kDefTypeName, kDefDefault}));
    EXPECT_EQ("TIMESTAMP|", Cells(rows[2], {kDefTypeName, kDefSize}));
    EXPECT_EQ("NVARCHAR|('x')", Cells(rows[3], {kDefTypeName, kDefDefault}));

    ApplySqlServerKeys(rows, {Record({{"TABLE_NAME", "売上明細"}, {"COLUMN_NAME", "明細番号"}, {"KEY_SEQ", "2"}}),
                              Record({{"TABLE_NAME", "売上明細"}, {"COLUMN_NAME", "伝票番号"}, {"KEY_SEQ", "1"}})});
    EXPECT_EQ("[1][2][][]", KeyColumn(rows));
}

TEST(DefinitionRules, MySqlKeepsTheBareTypeWordAndReadsThePrimaryIndex)
{
    EXPECT_EQ("show columns from `売上明細`", Str(MySqlColumnsStatement("売上明細")));
    EXPECT_EQ("show index from `columns_seen`", Str(MySqlIndexStatement("columns_seen")));
    EXPECT_EQ("int", Str(MySqlBareTypeName("int(10) unsigned")));
    EXPECT_EQ("enum", Str(MySqlBareTypeName("enum('表(','ソ')")));
    EXPECT_EQ("datetime", Str(MySqlBareTypeName("datetime")));

    DefinitionRows rows = NamedRows({"明細番号", "伝票番号", "数量"});
    rows[2][kDefDefault] = "kept";
    ApplyMySqlColumns(rows, {Record({{"Field", "明細番号"}, {"Type", "int(10) unsigned"}, {"Default", nullptr}}),
                             Record({{"Field", "伝票番号"}, {"Type", "varchar(20)"}, {"Default", ""}}),
                             Record({{"Field", "数量"}, {"Type", "decimal(10,2)"}, {"Default", nullptr}})});
    EXPECT_EQ("int|varchar|decimal", Cells({rows[0][4], rows[1][4], rows[2][4]}, {0, 1, 2}));
    EXPECT_EQ("|kept", Cells({rows[1][10], rows[2][10]}, {0, 1}));

    ApplyMySqlIndexes(rows, {Record({{"Key_name", "PRIMARY"}, {"Seq_in_index", "1"}, {"Column_name", "伝票番号"}}),
                             Record({{"Key_name", "idx_qty"}, {"Seq_in_index", "1"}, {"Column_name", "数量"}}),
                             Record({{"Key_name", "PRIMARY"}, {"Seq_in_index", "2"}, {"Column_name", "明細番号"}})});
    EXPECT_EQ("[2][1][]", KeyColumn(rows));
}

TEST(DefinitionRules, OracleCorrectsRowsByColumnIdAndReadsTheKeyConstraint)
{
    EXPECT_EQ("select COLUMN_ID,DATA_TYPE,DATA_DEFAULT,DATA_LENGTH from USER_TAB_COLUMNS where "
              "TABLE_NAME = 'O''BRIEN'",
              Str(OracleColumnsStatement("O'BRIEN")));
    EXPECT_EQ("select COLUMN_NAME,POSITION from USER_CONSTRAINTS,USER_CONS_COLUMNS where "
              "USER_CONSTRAINTS.CONSTRAINT_NAME = USER_CONS_COLUMNS.CONSTRAINT_NAME and "
              "USER_CONSTRAINTS.TABLE_NAME = 'O''BRIEN' and USER_CONSTRAINTS.CONSTRAINT_TYPE = 'P'",
              Str(OracleKeysStatement("O'BRIEN")));
    std::string japanese = Str(OracleColumnsStatement("表'ソ"));
    EXPECT_EQ("TABLE_NAME = '表''ソ'", japanese.substr(japanese.size() - std::string("TABLE_NAME = '表''ソ'").size()));

    DefinitionRows rows = NamedRows({"EMPNO", "ENAME", "HIREDATE"});
    rows[1][kDefSize] = "20";
    rows[2][kDefDefault] = "kept";
    ApplyOracleColumns(rows, {Record({{"COLUMN_ID", "3"}, {"DATA_TYPE", "date"}, {"DATA_DEFAULT", nullptr}, {"DATA_LENGTH", "7"}}),
                              Record({{"COLUMN_ID", "1"}, {"DATA_TYPE", "NUMBER"}, {"DATA_DEFAULT", "0"}, {"DATA_LENGTH", "22"}}),
                              Record({{"COLUMN_ID", "2"}, {"DATA_TYPE", "varchar2"}, {"DATA_DEFAULT", nullptr}, {"DATA_LENGTH", "40"}}),
                              Record({{"COLUMN_ID", "9"}, {"DATA_TYPE", "CLOB"}, {"DATA_LENGTH", "4000"}})});
    EXPECT_EQ("NUMBER||0", Cells(rows[0], {kDefTypeName, kDefSize, kDefDefault}));
    EXPECT_EQ("VARCHAR2|40|", Cells(rows[1], {kDefTypeName, kDefSize, kDefDefault}));
    EXPECT_EQ("DATE||kept", Cells(rows[2], {kDefTypeName, kDefSize, kDefDefault}));

    ApplyOracleKeys(rows, {Record({{"COLUMN_NAME", "ENAME"}, {"POSITION", "2"}}),
                           Record({{"COLUMN_NAME", "EMPNO"}, {"POSITION", "1"}})});
    EXPECT_EQ("[1][2][]", KeyColumn(rows));
}

TEST(DefinitionRules, PostgresNamesBaseTypesFromTheirArrayTypes)
{
    EXPECT_EQ("select attnum,typname,atttypmod from pg_stat_all_tables ,pg_attribute ,pg_type where schemaname "
              "= 'o''s' and relname = 'O''Brien' and relid = attrelid and attnum > 0 and atttypid = "
              "typelem and typlen = -1",
              Str(PostgresTypesStatement("O'Brien", "o's")));

    DefinitionRows rows = NamedRows({"a", "b", "c", "d", "e", "f"});
    const char* precisions[] = {"1000", "10", "", "", "", ""};
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i][kDefSize] = "99";
        rows[i][kDefPrecision] = precisions[i];
        rows[i][kDefScale] = "0";
    }
    ApplyPostgresTypes(rows, {Record({{"attnum", "1"}, {"typname", "_numeric"}}),
                              Record({{"attnum", "2"}, {"typname", "_numeric"}}),
                              Record({{"attnum", "3"}, {"typname", "_bpchar"}}),
                              Record({{"attnum", "4"}, {"typname", "_int8"}}),
                              Record({{"attnum", "5"}, {"typname", "_timestamp"}}),
                              Record({{"attnum", "6"}, {"typname", "_varchar"}}),
                              Record({{"attnum", "7"}, {"typname", "_text"}})});
    EXPECT_EQ("numeric|99||", Cells(rows[0], {4, 5, 6, 7}));
    EXPECT_EQ("numeric|99|10|0", Cells(rows[1], {4, 5, 6, 7}));
    EXPECT_EQ("char|99", Cells(rows[2], {4, 5}));
    EXPECT_EQ("int8|", Cells(rows[3], {4, 5}));
    EXPECT_EQ("timestamp|", Cells(rows[4], {4, 5}));
    EXPECT_EQ("varchar|99", Cells(rows[5], {4, 5}));
}
