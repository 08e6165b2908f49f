// Table lists of every kind: the sample PostgreSQL and MariaDB databases, and the scripted
// backend for the kinds whose servers cannot run here.
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

class TableListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<RecordingWindow>("一覧", false);
        list_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 600, 300);
        scratch_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 10, 10);
        browser_.messageSink = [this](HWND, const char* text) { messages_.push_back(text); };
    }
    void TearDown() override { Connection::SetDefaultBackend(nullptr); }

    std::shared_ptr<ScriptedBackend> Script()
    {
        auto backend = std::make_shared<ScriptedBackend>();
        Connection::SetDefaultBackend(backend);
        return backend;
    }

    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> cells;
        for (int row = 0; row < list_->RowCount(); ++row)
            cells.push_back(list_->CellText(row, column).Text());
        return cells;
    }
    int RowOf(const char* name)
    {
        for (int row = 0; row < list_->RowCount(); ++row)
            if (list_->CellText(row, 1).Equals(name))
                return row;
        return -1;
    }

    std::unique_ptr<RecordingWindow> owner_;
    std::unique_ptr<GridView> list_;
    std::unique_ptr<GridView> scratch_;
    SchemaBrowser browser_;
    std::vector<std::string> messages_;
};

// The nine fields of the tables rowset, so that the dates are read.
ScriptedRowset SchemaTables()
{
    ScriptedRowset rowset;
    rowset.Column("TABLE_CATALOG", 200).Column("TABLE_SCHEMA", 200).Column("TABLE_NAME", 200)
        .Column("TABLE_TYPE", 200).Column("TABLE_GUID", 72).Column("DESCRIPTION", 200)
        .Column("TABLE_PROPID", 19).Column("DATE_CREATED", 7).Column("DATE_MODIFIED", 7);
    return rowset;
}

}  // namespace

TEST_F(TableListTest, PostgresListsTablesThenViewsWithSchemaAndOwner)
{
    ASSERT_TRUE(browser_.BuildConnection(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova"));
    browser_.record.noSystemCatalog = true;
    int rows = browser_.LoadTableList(*list_);
    ASSERT_GT(rows, 0) << browser_.failureText.Text();
    EXPECT_FALSE(browser_.readFailed);
    EXPECT_STREQ("スキーマ名", list_->ColumnTitle(3).Text());
    int employees = RowOf("社員");
    ASSERT_GE(employees, 0);
    EXPECT_STREQ("TABLE", list_->CellText(employees, 2).Text());
    EXPECT_STREQ("public", list_->CellText(employees, 3).Text());
    EXPECT_STREQ("kestrova", list_->CellText(employees, 4).Text());
    int view = RowOf("社員一覧");
    ASSERT_GE(view, 0);
    EXPECT_STREQ("VIEW", list_->CellText(view, 2).Text());
    for (const std::string& schema : Column(3))
        EXPECT_NE("pg_catalog", schema);
    EXPECT_STREQ(" 1", list_->CellText(0, 0).Text());
    EXPECT_NE(-1, VornString(browser_.typesSeen.Text()).Find("VIEW"));
}

TEST_F(TableListTest, PostgresViewFilterRunsOnlyTheViewCatalog)
{
    browser_.BuildConnection(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova");
    browser_.record.noSystemCatalog = true;
    browser_.typeFilter = "VIEW";
    ASSERT_EQ(1, browser_.LoadTableList(*list_));
    EXPECT_STREQ(" 1", list_->CellText(0, 0).Text());
    EXPECT_STREQ("社員一覧", list_->CellText(0, 1).Text());
    EXPECT_NE(-1, browser_.sqlText.Find("pg_views"));
}

TEST_F(TableListTest, MariaDbListsEveryTableWithItsEngine)
{
    browser_.BuildConnection(DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova");
    ASSERT_GE(browser_.LoadTableList(*list_), 5) << browser_.failureText.Text();
    ASSERT_GE(RowOf("売上明細"), 0);
    EXPECT_STREQ("InnoDB", list_->CellText(RowOf("売上明細"), 2).Text());
    EXPECT_STREQ("MyISAM", list_->CellText(RowOf("連番"), 2).Text());
    EXPECT_FALSE(list_->CellText(RowOf("連番"), 3).IsEmpty()) << "Create_time";
}

TEST_F(TableListTest, RowCountsOfSelectedTables)
{
    browser_.BuildConnection(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova");
    ASSERT_GT(browser_.LoadTableList(*list_), 0);
    int sequence = RowOf("連番");
    list_->SelectRow(sequence, true);
    EXPECT_EQ(1, browser_.CountRows(*list_, *scratch_));
    EXPECT_STREQ("     51", list_->CellText(sequence, 5).Text());
    EXPECT_STREQ("select count(*) from \"連番\"", browser_.sqlText.Text());
}

TEST_F(TableListTest, UnreachableDatabaseShowsOnlyTheHeadings)
{
    browser_.BuildConnection(DatabaseKind::Postgres, "KestrovaNoSuchDsn,,x,y");
    EXPECT_EQ(-1, browser_.LoadTableList(*list_));
    EXPECT_TRUE(browser_.readFailed);
    EXPECT_EQ(0, list_->RowCount());
    EXPECT_EQ(6, list_->ColumnCount());
    ASSERT_EQ(1u, messages_.size());
    EXPECT_EQ("接続に失敗しました", messages_[0]);
    EXPECT_FALSE(browser_.failureText.IsEmpty());
}

TEST_F(TableListTest, MdbHidesSystemAndAccessTables)
{
    auto backend = Script();
    ScriptedRowset tables = SchemaTables();
    tables.Row({nullptr, nullptr, "MSysObjects", "SYSTEM TABLE", nullptr, nullptr, nullptr, "2024-01-05 09:30:00", nullptr})
        .Row({nullptr, nullptr, "MSysAccessStorage", "ACCESS TABLE", nullptr, nullptr, nullptr, nullptr, nullptr})
        .Row({nullptr, nullptr, "顧客", "TABLE", nullptr, nullptr, nullptr, "2024-01-05 09:30:00", "2024-02-01 10:00:00"})
        .Row({nullptr, nullptr, "顧客一覧", "VIEW", nullptr, nullptr, nullptr, nullptr, nullptr});
    backend->AddSchemaRowset(ado::adSchemaTables, {}, tables);
    browser_.BuildConnection(DatabaseKind::Mdb, "C:\\データ\\顧客.mdb");
    ASSERT_EQ(2, browser_.LoadTableList(*list_));
    EXPECT_EQ((std::vector<std::string>{"顧客", "顧客一覧"}), Column(1));
    EXPECT_EQ((std::vector<std::string>{" 1", " 2"}), Column(0));
    EXPECT_FALSE(list_->CellText(0, 3).IsEmpty()) << "DATE_CREATED";
    EXPECT_TRUE(list_->CellText(1, 3).IsEmpty()) << "null dates stay empty";
}

TEST_F(TableListTest, ExcelHidesWorksheetTablesWhenAsked)
{
    auto backend = Script();
    ScriptedRowset tables = SchemaTables();
    tables.Row({nullptr, nullptr, "Sheet1$", "SYSTEM TABLE", nullptr, nullptr, nullptr, nullptr, nullptr})
        .Row({nullptr, nullptr, "売上範囲", "TABLE", nullptr, nullptr, nullptr, nullptr, nullptr});
    backend->AddSchemaRowset(ado::adSchemaTables, {}, tables);
    browser_.record.hideSheets = true;
    browser_.BuildConnection(DatabaseKind::Excel, "C:\\表.xls");
    ASSERT_EQ(1, browser_.LoadTableList(*list_));
    EXPECT_STREQ("売上範囲", list_->CellText(0, 1).Text());
}

TEST_F(TableListTest, SqlServerOwnerAndSystemObjectFlags)
{
    auto backend = Script();
    ScriptedRowset tables = SchemaTables();
    tables.Row({"db", "dbo", "受注", "TABLE", nullptr, nullptr, nullptr, "2024-01-05 09:30:00", nullptr})
        .Row({"db", "sys", "sysobjects", "SYSTEM TABLE", nullptr, nullptr, nullptr, nullptr, nullptr})
        .Row({"db", "INFORMATION_SCHEMA", "TABLES", "SYSTEM VIEW", nullptr, nullptr, nullptr, nullptr, nullptr});
    backend->AddSchemaRowset(ado::adSchemaTables, {}, tables);
    browser_.BuildConnection(DatabaseKind::SqlServer, "srv,db,sa,pw");
    browser_.record.noSystemTable = true;
    ASSERT_EQ(2, browser_.LoadTableList(*list_));
    EXPECT_STREQ("所有者", list_->ColumnTitle(4).Text());
    EXPECT_STREQ("dbo", list_->CellText(0, 4).Text());
    EXPECT_STREQ("INFORMATION_SCHEMA", list_->CellText(1, 4).Text());
    browser_.record.noSystemView = true;
    ASSERT_EQ(1, browser_.LoadTableList(*list_));
}

TEST_F(TableListTest, ColumnsThreeAndFourKeepTheirWidthsAcrossReloads)
{
    auto backend = Script();
    ScriptedRowset tables = SchemaTables();
    tables.Row({nullptr, nullptr, "t", "TABLE", nullptr, nullptr, nullptr, nullptr, nullptr});
    backend->AddSchemaRowset(ado::adSchemaTables, {}, tables);
    browser_.BuildConnection(DatabaseKind::Mdb, "a.mdb");
    browser_.LoadTableList(*list_);
    list_->SetColumnWidth(3, 77);
    list_->SetColumnWidth(4, 66);
    browser_.LoadTableList(*list_);
    EXPECT_EQ(77, list_->ColumnWidth(3));
    EXPECT_EQ(66, list_->ColumnWidth(4));
}

TEST(SchemaBrowserNames, EncloseNameFollowsTheCurrentKind)
{
    SchemaBrowser browser;
    browser.BuildConnection(DatabaseKind::MySql, "d,b,u,p");
    EXPECT_STREQ("`表ソ`", browser.EncloseName("表ソ").Text());
    browser.BuildConnection(DatabaseKind::Mdb, "a.mdb");
    EXPECT_STREQ("[表ソ]", browser.EncloseName("[表ソ]").Text());
}

// Names and values with ①, ～, ㈱, 髙 and characters whose trail byte is a backslash travel
// through the whole program: table list, definition and result list, on both servers.
class RoundTripTest : public TableListTest, public ::testing::WithParamInterface<DatabaseKind> {};

TEST_P(RoundTripTest, JapaneseNamesAndValuesComeBackByteForByte)
{
    const char* table = "表①～㈱髙ソ";
    const char* column = "列①～㈱髙表";
    const char* value = "値①～㈱髙表ソ's";
    DatabaseKind kind = GetParam();
    browser_.BuildConnection(kind, kind == DatabaseKind::Postgres ? "KestrovaPg,sample,kestrova,kestrova"
                                                                  : "KestrovaMy,sample,kestrova,kestrova");
    VornString quotedTable = browser_.EncloseName(table);
    VornString quotedColumn = browser_.EncloseName(column);
    browser_.sqlText.Format("drop table if exists %s", quotedTable.Text());
    browser_.ExecuteSqlText();
    browser_.sqlText.Format("create table %s (%s varchar(40))", quotedTable.Text(), quotedColumn.Text());
    ASSERT_EQ(0, browser_.ExecuteSqlText()) << browser_.ErrorText.Text();
    browser_.sqlText.Format("insert into %s values ('値①～㈱髙表ソ''s')", quotedTable.Text());
    ASSERT_EQ(0, browser_.ExecuteSqlText()) << browser_.ErrorText.Text();

    ASSERT_GT(browser_.LoadTableList(*list_), 0);
    int row = RowOf(table);
    ASSERT_GE(row, 0) << "table list";

    GridView definition(owner_->Handle(), 0, 0, 400, 200);
    browser_.tableName = table;
    ASSERT_EQ(1, browser_.ShowDefinition(definition, row, kind == DatabaseKind::Postgres ? "public" : ""))
        << browser_.ErrorText.Text();
    EXPECT_STREQ(column, definition.CellText(0, 1).Text());

    browser_.sqlText.Format("select %s from %s", quotedColumn.Text(), quotedTable.Text());
    ASSERT_EQ(1, browser_.FillResultList(*scratch_));
    EXPECT_STREQ(column, scratch_->ColumnTitle(0).Text());
    EXPECT_STREQ(value, scratch_->CellText(0, 0).Text());

    browser_.sqlText.Format("drop table %s", quotedTable.Text());
    EXPECT_EQ(0, browser_.ExecuteSqlText());
}

INSTANTIATE_TEST_SUITE_P(SampleServers, RoundTripTest,
                         ::testing::Values(DatabaseKind::Postgres, DatabaseKind::MySql),
                         [](const ::testing::TestParamInfo<DatabaseKind>& info) {
                             return info.param == DatabaseKind::Postgres ? "PostgreSQL" : "MariaDB";
                         });
