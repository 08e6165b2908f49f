// DbLink over scripted backends: the per-kind rules (cursor locations, failure
// classification), the statements that run, and reading no more than is shown.
#include <gtest/gtest.h>

#include "DbLinkTestSupport.h"
#include "db/ScriptedBackend.h"

using namespace linktest;
using namespace ado;

namespace {

const DatabaseKind kAllKinds[] = {DatabaseKind::Excel,  DatabaseKind::Mdb,    DatabaseKind::SqlServer,
                                  DatabaseKind::MySql,  DatabaseKind::Oracle, DatabaseKind::Postgres};

// count rows numbered from 1, read one at a time; the read of row failAt fails.
class CountedRows : public RowSource {
public:
    CountedRows(long count, long failAt, long* fetches, std::vector<bool>* visible, HWND watched,
                bool sizeKnown = true)
        : count_(count), failAt_(failAt), fetches_(fetches), visible_(visible), watched_(watched),
          sizeKnown_(sizeKnown)
    {
        ColumnInfo info;
        info.name = "n";
        info.type = adInteger;
        columns_.push_back(info);
    }
    const std::vector<ColumnInfo>& Columns() const override { return columns_; }
    int Fetch(VariantRow& row, ErrorList& errors) override
    {
        ++*fetches_;
        if (watched_)
            visible_->push_back((GetWindowLongA(watched_, GWL_STYLE) & WS_VISIBLE) != 0);
        if (next_ + 1 == failAt_) {
            errors.Add("読み取りエラー");
            return -1;
        }
        if (next_ >= count_)
            return 0;
        row = {Variant::Long(++next_)};
        return 1;
    }
    long KnownRowCount() const override { return sizeKnown_ ? count_ : -1; }

private:
    std::vector<ColumnInfo> columns_;
    long count_, failAt_, next_ = 0;
    long* fetches_;
    std::vector<bool>* visible_;
    HWND watched_;
    bool sizeKnown_;
};

// "select n from big" gives a large counted result; "select n from broken" fails at row 3;
// "select n from uncounted" as big, with a size the driver cannot tell (as through a server
// cursor); "raw failure" fails with failure without any driver text.
class LargeBackend : public ScriptedBackend {
public:
    HRESULT Execute(const char* text, bool wantRows, std::unique_ptr<RowSource>& rows, long* affected,
                    ErrorList& errors) override
    {
        std::string statement = text;
        if (statement == "select n from big" || statement == "select n from broken") {
            rows = std::make_unique<CountedRows>(1000000, statement == "select n from big" ? 0 : 3, &fetches,
                                                 &visibleWhileReading, watched);
            return S_OK;
        }
        if (statement == "select n from uncounted") {
            rows = std::make_unique<CountedRows>(1000000, 0, &fetches, &visibleWhileReading, nullptr, false);
            return S_OK;
        }
        if (statement == "raw failure")
            return failure;
        return ScriptedBackend::Execute(text, wantRows, rows, affected, errors);
    }
    long fetches = 0;
    HRESULT failure = E_FAIL;
    HWND watched = nullptr;  // the grid, whose visibility each read records
    std::vector<bool> visibleWhileReading;
};

class DbLinkScripted : public ::testing::Test {
protected:
    void SetUp() override
    {
        backend = std::make_shared<LargeBackend>();
        backend->AddRowset("select * from t", ScriptedRowset()
                                                  .Column("番号", adSmallInt)
                                                  .Column("名前", adVarWChar, 20)
                                                  .Row({"1", "表"})
                                                  .Row({"2", nullptr})
                                                  .Row({"3", ""}));
        Connection::SetDefaultBackend(backend);
        host = std::make_unique<LinkHost>();
        host->link.record.connectionString = "Provider=MSDASQL;DSN=scripted;";
    }
    void TearDown() override
    {
        host.reset();
        Connection::SetDefaultBackend(nullptr);
    }

    std::shared_ptr<LargeBackend> backend;
    std::unique_ptr<LinkHost> host;
};

}  // namespace

TEST_F(DbLinkScripted, CursorLocationFollowsTheKindAndMySqlBinaryColumns)
{
    DbLink& link = host->link;
    for (DatabaseKind kind : kAllKinds) {
        link.record.kind = kind;
        long expected = kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb ? adUseServer : adUseClient;
        link.sqlText = "select * from t";
        ASSERT_EQ(3, link.FillResultList(host->grid)) << link.ErrorText.Text();
        EXPECT_EQ(expected, link.connection->CursorLocation()) << static_cast<int>(kind);
        EXPECT_EQ(expected, link.recordset->CursorLocation()) << static_cast<int>(kind);
        EXPECT_EQ(expected == adUseClient ? adOpenStatic : adOpenKeyset, link.recordset->CursorType());
        EXPECT_EQ(adLockOptimistic, link.recordset->LockType());
        // The schema fill always asks for a client cursor.
        backend->AddSchemaRowset(adSchemaTables, {}, ScriptedRowset().Column("TABLE_NAME", adVarWChar).Row({"t"}));
        ASSERT_EQ(1, link.FillSchemaList(host->grid, adSchemaTables, nullptr, nullptr));
        EXPECT_EQ(adUseClient, link.connection->CursorLocation());
    }

    // A binary column in the current definition list sends MySQL's data grid to server cursors.
    DefinitionRows rows(2, EmptyDefinitionRow());
    rows[0][kDefAdoType] = "3";
    rows[1][kDefAdoType] = "128";
    GridView definitions(host->window.Handle(), 0, 0, 100, 100);
    for (int i = 0; i < 3; ++i)
        definitions.AddColumn("", 50);
    definitions.AddRow();
    definitions.SetText(2, "128");
    struct Case {
        DatabaseKind kind;
        const DefinitionRows* rows;
        const GridView* list;
        bool dataGrid;
        long expected;
    } cases[] = {
        {DatabaseKind::MySql, &rows, nullptr, true, adUseServer},
        {DatabaseKind::MySql, nullptr, &definitions, true, adUseServer},
        {DatabaseKind::MySql, &rows, nullptr, false, adUseClient},
        {DatabaseKind::Postgres, &rows, &definitions, true, adUseClient},
        {DatabaseKind::SqlServer, &rows, nullptr, true, adUseClient},
    };
    for (const Case& c : cases) {
        link.record.kind = c.kind;
        link.definitionRows = c.rows;
        link.definitionList = c.list;
        link.sqlText = "select * from t";
        ASSERT_EQ(3, c.dataGrid ? link.FillDataGrid(host->grid) : link.FillResultList(host->grid));
        EXPECT_EQ(c.expected, link.connection->CursorLocation()) << static_cast<int>(c.kind) << c.dataGrid;
        EXPECT_EQ(c.expected, link.recordset->CursorLocation()) << static_cast<int>(c.kind) << c.dataGrid;
    }
    rows[1][kDefAdoType] = "205";
    link.definitionList = nullptr;
    link.record.kind = DatabaseKind::MySql;
    ASSERT_EQ(3, link.FillDataGrid(host->grid));
    EXPECT_EQ(adUseClient, link.connection->CursorLocation());
}

TEST_F(DbLinkScripted, ExecuteAndClassifyRunsOnTheExportConnectionPerKind)
{
    DbLink& link = host->link;
    backend->FailStatement("create table 社員 (a int)", "テーブル '社員' は既に存在します。");
    backend->FailStatement("create table 部署 (a int)", "呼び出しが失敗しました。");
    backend->FailStatement("create table 表 (a int)", "構文エラー");
    link.exportConnection = std::make_unique<Connection>();
    ASSERT_TRUE(SUCCEEDED(link.exportConnection->Open("Provider=MSDASQL;DSN=target;")));
    backend->ClearRecord();
    struct Case {
        DatabaseKind kind;
        int exists, callFailed, other;
    } cases[] = {
        {DatabaseKind::Excel, 1, 2, 2},     {DatabaseKind::Mdb, 1, 2, 2},    {DatabaseKind::SqlServer, 2, 1, 2},
        {DatabaseKind::MySql, 2, 1, 2},     {DatabaseKind::Oracle, 2, 1, 2}, {DatabaseKind::Postgres, 1, 1, 1},
    };
    for (const Case& c : cases) {
        int kind = static_cast<int>(c.kind);
        EXPECT_EQ(c.exists, link.ExecuteAndClassify("create table 社員 (a int)", c.kind)) << kind;
        EXPECT_STREQ("テーブル '社員' は既に存在します。\n", link.ErrorText.Text());
        EXPECT_EQ(c.callFailed, link.ExecuteAndClassify("create table 部署 (a int)", c.kind)) << kind;
        EXPECT_EQ(c.other, link.ExecuteAndClassify("create table 表 (a int)", c.kind)) << kind;
        EXPECT_EQ(0, link.ExecuteAndClassify("insert into 表 values (1)", c.kind)) << kind;
    }
    EXPECT_EQ(24u, backend->Statements().size());
    EXPECT_EQ(nullptr, link.connection.get()) << "the link's own connection is not involved";

    // Without driver text the failure code is named: by the system, else by its number.
    backend->failure = 0x80040E14;
    EXPECT_EQ(2, link.ExecuteAndClassify("raw failure", DatabaseKind::Oracle));
    EXPECT_STREQ("IDispatch error #3604", link.ErrorText.Text());
    backend->failure = E_OUTOFMEMORY;
    EXPECT_EQ(1, link.ExecuteAndClassify("raw failure", DatabaseKind::Postgres));
    EXPECT_FALSE(link.ErrorText.IsEmpty());
    EXPECT_EQ(std::string::npos, std::string(link.ErrorText).find("error 0x")) << link.ErrorText.Text();
    EXPECT_NE('\n', link.ErrorText.Text()[link.ErrorText.Length() - 1]);
}

TEST_F(DbLinkScripted, FillsRunTheBuiltSelectOnlyWhenNoStatementIsGiven)
{
    DbLink& link = host->link;
    backend->AddRowset("select [番号], [名前] from [表] where [番号] > 1 order by [名前]",
                       ScriptedRowset().Column("番号", adInteger).Column("名前", adVarWChar).Row({"2", "ソ"}));
    link.record.kind = DatabaseKind::Mdb;
    link.selectList = "[番号], [名前]";
    link.tableName = "[表]";
    link.whereText = "[番号] > 1";
    link.orderText = "[名前]";
    ASSERT_EQ(1, link.FillDataGrid(host->grid)) << link.ErrorText.Text();
    ASSERT_EQ(1, link.FillResultList(host->grid));
    link.sqlText = "select * from t";
    ASSERT_EQ(3, link.FillResultList(host->grid));
    std::vector<std::string> expected = {"select [番号], [名前] from [表] where [番号] > 1 order by [名前]",
                                         "select [番号], [名前] from [表] where [番号] > 1 order by [名前]",
                                         "select * from t"};
    EXPECT_EQ(expected, backend->Statements());
    // The small integers keep their digits whichever way they are written.
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), host->Column(0));
    EXPECT_EQ((std::vector<std::string>{"表", "", ""}), host->Column(1));
    EXPECT_EQ(3, host->link.recordCount);

    // Widths follow the longer of content and title.
    backend->AddRowset("select * from w", ScriptedRowset()
                                              .Column("n", adInteger)
                                              .Column("長い値", adVarWChar)
                                              .Row({"1", "ずっと長く続いていく文字列の値がここに入っています"}));
    link.sqlText = "select * from w";
    ASSERT_EQ(1, link.FillResultList(host->grid));
    EXPECT_LT(host->grid.ColumnWidth(0), 100);
    EXPECT_GT(host->grid.ColumnWidth(1), 100);
    ASSERT_EQ(1, link.FillDataGrid(host->grid));
    EXPECT_EQ(20, host->grid.ColumnWidth(0));
    EXPECT_EQ(0, host->grid.ColumnWidth(1));
    EXPECT_LT(host->grid.ColumnWidth(2), 100);
    EXPECT_GT(host->grid.ColumnWidth(3), 100);
}

// A result larger than the row limit is counted by the database; a caller that does not
// show the count spares the server that second pass over every row.
TEST_F(DbLinkScripted, FillCountsBeyondTheRowLimitOnlyWhenAsked)
{
    DbLink& link = host->link;
    link.record.kind = DatabaseKind::Postgres;
    const std::string counting = "select count(*) from (select n from uncounted) kestrova_count";
    backend->AddRowset(counting.c_str(), ScriptedRowset().Column("count", adInteger).Row({"1000000"}));
    auto countsRun = [&] {
        int runs = 0;
        for (const std::string& statement : backend->Statements())
            runs += statement == counting;
        return runs;
    };
    link.sqlText = "select n from uncounted";
    ASSERT_EQ(50, link.FillDataGrid(host->grid)) << link.ErrorText.Text();
    EXPECT_EQ(1000000, link.recordCount);
    EXPECT_EQ(1, countsRun());

    link.countRecords = false;
    backend->fetches = 0;
    ASSERT_EQ(50, link.FillDataGrid(host->grid)) << link.ErrorText.Text();
    EXPECT_EQ(-1, link.recordCount);
    EXPECT_EQ(1, countsRun());
    EXPECT_LE(backend->fetches, 51);
    EXPECT_STREQ("50", host->grid.CellText(49, 2).Text());
    EXPECT_FALSE(backend->IsOpen());
}

TEST_F(DbLinkScripted, FillReadsNoMoreRowsThanItShowsAndReportsReadFailures)
{
    DbLink& link = host->link;
    link.record.kind = DatabaseKind::Postgres;
    link.sqlText = "select n from big";
    backend->watched = host->grid.ListHandle();
    ASSERT_EQ(50, link.FillResultList(host->grid));
    EXPECT_EQ(1000000, link.recordCount);
    EXPECT_LE(backend->fetches, 51);
    // The grid does not repaint row by row: it is hidden while the rows are read.
    EXPECT_EQ(std::vector<bool>(backend->visibleWhileReading.size(), false), backend->visibleWhileReading);
    EXPECT_TRUE(host->GridVisible());
    EXPECT_STREQ("50", host->grid.CellText(49, 0).Text());

    link.sqlText = "select n from broken";
    EXPECT_EQ(-1, link.FillDataGrid(host->grid));
    EXPECT_STREQ("読み取りエラー\n\nselect n from broken", link.ErrorText.Text());
    ASSERT_EQ(1u, host->shown.size());
    EXPECT_TRUE(host->GridVisible());
    EXPECT_FALSE(backend->IsOpen());

    // An unknown sort field fails after the rowset was requested: the layer's text is shown.
    backend->AddSchemaRowset(adSchemaIndexes, {"", "", "", "", "表"},
                             ScriptedRowset().Column("INDEX_NAME", adVarWChar).Row({"PK"}));
    std::vector<VornString> restrictions = {"", "", "", "", "表"};
    EXPECT_EQ(1, link.FillSchemaList(host->grid, adSchemaIndexes, &restrictions, ""));
    EXPECT_EQ(-1, link.FillSchemaList(host->grid, adSchemaIndexes, &restrictions, "NO_SUCH"));
    EXPECT_STREQ("項目が見つかりません: NO_SUCH\n\nselect n from broken", link.ErrorText.Text());
    EXPECT_FALSE(backend->IsOpen());
}

TEST_F(DbLinkScripted, BlankCommandsNeverReachTheDatabase)
{
    DbLink& link = host->link;
    link.record.kind = DatabaseKind::SqlServer;
    link.sqlText = "　 　";
    EXPECT_EQ(-1, link.ExecuteSqlText());
    ASSERT_EQ(1, link.OpenConnection());
    VornString blank(" 　");
    EXPECT_EQ(0, link.ExecuteText(blank));
    EXPECT_STREQ("コマンドが指定されていません", link.ErrorText.Text());
    link.CloseConnection();
    EXPECT_EQ((std::vector<std::string>{"OPEN Provider=MSDASQL;DSN=scripted;", "CLOSE"}), backend->Log());
}

TEST_F(DbLinkScripted, CsvQueryHandsTheOpenRecordsetToTheWriter)
{
    DbLink& link = host->link;
    link.record.kind = DatabaseKind::Oracle;
    link.sqlText = "select * from t";
    ASSERT_EQ(1, link.OpenQueryForCsv());
    ASSERT_EQ(adStateOpen, link.recordset->State());
    EXPECT_TRUE(backend->IsOpen());
    int rows = 0;
    for (; !link.recordset->Eof(); link.recordset->MoveNext())
        ++rows;
    EXPECT_EQ(3, rows);
    link.CloseQuery();
    EXPECT_EQ(3, link.recordCount);
    EXPECT_EQ(adStateClosed, link.recordset->State());
    EXPECT_FALSE(backend->IsOpen());

    link.sqlText = "update t set a = 1";
    EXPECT_EQ(-99, link.OpenQueryForCsv());
    EXPECT_FALSE(backend->IsOpen());
    backend->FailStatement("select * from u", "表 u がありません");
    link.sqlText = "select * from u";
    EXPECT_EQ(-1, link.OpenQueryForCsv());
    EXPECT_STREQ("表 u がありません\n\nselect * from u", link.ErrorText.Text());
    EXPECT_TRUE(host->shown.empty()) << "the CSV dialog shows its own message";
    EXPECT_FALSE(backend->IsOpen());
}
