// Column definitions read through the schema browser: the sample servers, and the
// scripted backend for Access.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "common/GridView.h"
#include "db/AdoConstants.h"
#include "db/ScriptedBackend.h"
#include "schema/SchemaBrowser.h"

namespace {

class DefinitionViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<RecordingWindow>("定義", false);
        view_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 800, 300);
        browser_.messageSink = [this](HWND, const char* text) { messages_.push_back(text); };
    }
    void TearDown() override { Connection::SetDefaultBackend(nullptr); }

    int Show(const char* table, const char* schema = "public")
    {
        browser_.tableName = table;
        return browser_.ShowDefinition(*view_, 3, schema);
    }
    int RowOf(const char* column)
    {
        for (int row = 0; row < view_->RowCount(); ++row)
            if (view_->CellText(row, kDefName).Equals(column))
                return row;
        return -1;
    }
    std::string Cell(const char* column, int cell)
    {
        int row = RowOf(column);
        return row < 0 ? "<no row>" : view_->CellText(row, cell).Text();
    }

    std::unique_ptr<RecordingWindow> owner_;
    std::unique_ptr<GridView> view_;
    SchemaBrowser browser_;
    std::vector<std::string> messages_;
};

}  // namespace

TEST_F(DefinitionViewTest, PostgresDefinitionWithCompositeKeyAndTypes)
{
    browser_.BuildConnection(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova");
    ASSERT_EQ(6, Show("売上明細")) << browser_.ErrorText.Text();
    EXPECT_EQ(13, view_->ColumnCount());
    EXPECT_STREQ("型説明", view_->ColumnTitle(11).Text());
    EXPECT_STREQ(" 1", view_->CellText(0, kDefNumber).Text());
    EXPECT_EQ("1", Cell("伝票番号", kDefPrimaryKey));
    EXPECT_EQ("2", Cell("行番号", kDefPrimaryKey));
    EXPECT_EQ("", Cell("商品名", kDefPrimaryKey));
    EXPECT_EQ("N", Cell("数量", kDefNullable));
    EXPECT_EQ("1", Cell("数量", kDefDefault));
    EXPECT_EQ("numeric", Cell("単価", kDefTypeName));
    EXPECT_EQ("12", Cell("単価", kDefPrecision));
    EXPECT_EQ("varchar", Cell("商品名", kDefTypeName));
    EXPECT_EQ("60", Cell("商品名", kDefSize));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(3, browser_.shownTableIndex);
}

TEST_F(DefinitionViewTest, PostgresNumericWithoutPrecisionShowsNone)
{
    browser_.BuildConnection(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova");
    ASSERT_EQ(8, Show("社員")) << browser_.ErrorText.Text();
    EXPECT_EQ("numeric", Cell("評価点", kDefTypeName));
    EXPECT_EQ("", Cell("評価点", kDefPrecision));
    EXPECT_EQ("", Cell("評価点", kDefScale));
    EXPECT_EQ("10", Cell("給与", kDefPrecision));
    EXPECT_EQ("2", Cell("給与", kDefScale));
    EXPECT_EQ("char", Cell("部署コード", kDefTypeName));
    EXPECT_EQ("1", Cell("社員番号", kDefPrimaryKey));
}

TEST_F(DefinitionViewTest, MariaDbShowsBareTypesAndKeyPositions)
{
    browser_.BuildConnection(DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova");
    ASSERT_EQ(8, Show("社員", "")) << browser_.ErrorText.Text();
    EXPECT_EQ("int", Cell("社員番号", kDefTypeName)) << "int(10) unsigned";
    EXPECT_EQ("1", Cell("社員番号", kDefPrimaryKey));
    EXPECT_EQ("decimal", Cell("給与", kDefTypeName));
    ASSERT_EQ(6, Show("売上明細", ""));
    EXPECT_EQ("1", Cell("伝票番号", kDefPrimaryKey));
    EXPECT_EQ("2", Cell("行番号", kDefPrimaryKey));
    EXPECT_EQ("1", Cell("数量", kDefDefault));
}

TEST_F(DefinitionViewTest, ANameWithAnApostropheDoesNotBreakTheCatalogStatements)
{
    browser_.BuildConnection(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova");
    const char* quoted = "\"O'Brien表\"";
    browser_.sqlText.Format("drop table if exists %s", quoted);
    browser_.ExecuteSqlText();
    browser_.sqlText.Format("create table %s (\"番号\" integer primary key, \"評価\" numeric, \"名前\" varchar(20))",
                            quoted);
    ASSERT_EQ(0, browser_.ExecuteSqlText()) << browser_.ErrorText.Text();
    // The type statement holds the name in a literal: only when it ran does the numeric
    // without precision show none (the driver alone reports 28).
    EXPECT_EQ(3, Show("O'Brien表")) << browser_.ErrorText.Text();
    EXPECT_EQ(-1, browser_.ErrorText.Find("syntax")) << browser_.ErrorText.Text();
    EXPECT_EQ("1", Cell("番号", kDefPrimaryKey));
    EXPECT_EQ("numeric", Cell("評価", kDefTypeName));
    EXPECT_EQ("", Cell("評価", kDefPrecision));
    EXPECT_EQ("varchar", Cell("名前", kDefTypeName));
    EXPECT_EQ("20", Cell("名前", kDefSize));
    browser_.sqlText.Format("drop table %s", quoted);
    EXPECT_EQ(0, browser_.ExecuteSqlText()) << browser_.ErrorText.Text();
}

TEST_F(DefinitionViewTest, AccessMemoCounterAndPrimaryKeysThroughTheScriptedBackend)
{
    auto backend = std::make_shared<ScriptedBackend>();
    Connection::SetDefaultBackend(backend);
    ScriptedRowset columns;
    columns.Column("TABLE_NAME", 202).Column("COLUMN_NAME", 202).Column("ORDINAL_POSITION", 3)
        .Column("DATA_TYPE", 2).Column("CHARACTER_MAXIMUM_LENGTH", 3).Column("NUMERIC_PRECISION", 2)
        .Column("NUMERIC_SCALE", 2).Column("IS_NULLABLE", 11).Column("COLUMN_DEFAULT", 202)
        .Column("DESCRIPTION", 202)
        .Row({"顧客", "備考", "3", "130", "0", nullptr, nullptr, "1", nullptr, "メモ欄"})
        .Row({"顧客", "番号", "1", "3", nullptr, "10", nullptr, "0", nullptr, nullptr})
        .Row({"顧客", "有効", "2", "11", "2", nullptr, nullptr, "0", "No", nullptr});
    backend->AddSchemaRowset(ado::adSchemaColumns, {"", "", "顧客", ""}, columns);
    ScriptedRowset keys;
    keys.Column("TABLE_NAME", 202).Column("COLUMN_NAME", 202).Column("ORDINAL", 3).Row({"顧客", "番号", "1"});
    backend->AddSchemaRowset(ado::adSchemaPrimaryKeys, {"", "", "顧客"}, keys);
    ScriptedRowset probe;
    probe.Column("番号", 3, 4, 0x10 | 0x8).Column("有効", 11, 2).Column("備考", 203, 0, 0xE0);
    backend->AddRowset("select * from [顧客] where 1 = 2", probe);

    browser_.BuildConnection(DatabaseKind::Mdb, "C:\\顧客.mdb");
    ASSERT_EQ(3, Show("顧客", "")) << browser_.ErrorText.Text();
    EXPECT_EQ("番号", Cell("番号", kDefName));
    EXPECT_STREQ("番号", view_->CellText(0, kDefName).Text()) << "ordinal order";
    EXPECT_EQ("COUNTER", Cell("番号", kDefTypeName));
    EXPECT_EQ("1", Cell("番号", kDefPrimaryKey));
    EXPECT_EQ("MEMO", Cell("備考", kDefTypeName));
    EXPECT_EQ("メモ欄", Cell("備考", kDefRemarks));
    EXPECT_EQ("", Cell("有効", kDefSize));
    EXPECT_EQ("N", Cell("有効", kDefNullable));
}

TEST_F(DefinitionViewTest, FailedReadsReportAndStopFurtherReads)
{
    auto backend = std::make_shared<ScriptedBackend>();
    Connection::SetDefaultBackend(backend);
    backend->FailOpen("接続できません");
    browser_.BuildConnection(DatabaseKind::SqlServer, "srv,db,sa,pw");
    EXPECT_EQ(-1, Show("受注", ""));
    ASSERT_EQ(1u, messages_.size());
    EXPECT_EQ("接続に失敗しました", messages_[0]);
    EXPECT_TRUE(browser_.readFailed);

    backend->FailOpen("");
    backend->ClearRecord();
    EXPECT_EQ(-1, Show("受注", ""));
    EXPECT_TRUE(backend->Log().empty()) << "nothing is read while the last read failed";
}

namespace {

ScriptedRowset ColumnSchema(std::vector<std::vector<const char*>> rows)
{
    ScriptedRowset columns;
    columns.Column("TABLE_NAME", 202).Column("COLUMN_NAME", 202).Column("ORDINAL_POSITION", 3)
        .Column("DATA_TYPE", 2).Column("CHARACTER_MAXIMUM_LENGTH", 3).Column("NUMERIC_PRECISION", 2)
        .Column("NUMERIC_SCALE", 2).Column("IS_NULLABLE", 11).Column("COLUMN_DEFAULT", 202);
    for (auto& row : rows)
        columns.Row(row);
    return columns;
}

}  // namespace

TEST_F(DefinitionViewTest, SqlServerRefinementFromSpColumnsAndSpPkeys)
{
    auto backend = std::make_shared<ScriptedBackend>();
    Connection::SetDefaultBackend(backend);
    backend->AddSchemaRowset(ado::adSchemaColumns, {"", "", "受注", ""},
                             ColumnSchema({{"受注", "番号", "1", "3", nullptr, "10", nullptr, "0", nullptr},
                                           {"受注", "版", "2", "128", "8", nullptr, nullptr, "0", nullptr},
                                           {"受注", "品名", "3", "129", "40", nullptr, nullptr, "1", nullptr}}));
    ScriptedRowset spColumns;
    spColumns.Column("COLUMN_NAME", 200).Column("TYPE_NAME", 200).Column("COLUMN_DEF", 200)
        .Row({"番号", "int identity", nullptr})
        .Row({"版", "timestamp", nullptr})
        .Row({"品名", "varchar", "('未定')"});
    backend->AddRowset(SqlServerColumnsStatement("受注").Text(), spColumns);
    ScriptedRowset spKeys;
    spKeys.Column("COLUMN_NAME", 200).Column("KEY_SEQ", 2).Row({"番号", "1"});
    backend->AddRowset(SqlServerKeysStatement("受注").Text(), spKeys);

    browser_.BuildConnection(DatabaseKind::SqlServer, "srv,db,sa,pw");
    ASSERT_EQ(3, Show("受注", "")) << browser_.ErrorText.Text();
    EXPECT_EQ("INT IDENTITY", Cell("番号", kDefTypeName));
    EXPECT_EQ("1", Cell("番号", kDefPrimaryKey));
    EXPECT_EQ("TIMESTAMP", Cell("版", kDefTypeName));
    EXPECT_EQ("", Cell("版", kDefSize));
    EXPECT_EQ("('未定')", Cell("品名", kDefDefault));
    EXPECT_EQ((std::vector<std::string>{"sp_columns [受注]", "sp_pkeys [受注]"}), backend->Statements());
}

TEST_F(DefinitionViewTest, OracleReadsItsOwnersColumnsAndConstraints)
{
    auto backend = std::make_shared<ScriptedBackend>();
    Connection::SetDefaultBackend(backend);
    backend->AddSchemaRowset(ado::adSchemaColumns, {"", "SCOTT", "EMP", ""},
                             ColumnSchema({{"EMP", "EMPNO", "1", "131", nullptr, "4", "0", "0", nullptr},
                                           {"EMP", "ENAME", "2", "129", "10", nullptr, nullptr, "1", nullptr}}));
    ScriptedRowset tabColumns;
    tabColumns.Column("COLUMN_ID", 131).Column("DATA_TYPE", 200).Column("DATA_DEFAULT", 200).Column("DATA_LENGTH", 131)
        .Row({"1", "number", nullptr, "22"})
        .Row({"2", "varchar2", "'なし'", "10"});
    backend->AddRowset(OracleColumnsStatement("EMP").Text(), tabColumns);
    ScriptedRowset constraints;
    constraints.Column("COLUMN_NAME", 200).Column("POSITION", 131).Row({"EMPNO", "1"});
    backend->AddRowset(OracleKeysStatement("EMP").Text(), constraints);

    browser_.BuildConnection(DatabaseKind::Oracle, "orcl,scott,tiger");
    ASSERT_EQ(2, Show("EMP", "")) << browser_.ErrorText.Text();
    EXPECT_EQ("NUMBER", Cell("EMPNO", kDefTypeName));
    EXPECT_EQ("", Cell("EMPNO", kDefSize)) << "no length without one from the column schema";
    EXPECT_EQ("1", Cell("EMPNO", kDefPrimaryKey));
    EXPECT_EQ("VARCHAR2", Cell("ENAME", kDefTypeName));
    EXPECT_EQ("'なし'", Cell("ENAME", kDefDefault));
}
