// The data view over the sample PostgreSQL and MariaDB databases: editing, new rows,
// pasted rows, deletes by key, the options and the forwarded keys, checked in the
// database itself through a link of the test's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopyTestSupport.h"
#include "DialogDriver.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "common/Clipboard.h"
#include "dataview/DataViewMessages.h"
#include "dataview/DataViewWindow.h"
#include "resources/DataViewIds.h"

namespace {

struct Server {
    DatabaseKind kind;
    const char* argument;
    char open, close;   // the kind's name quotes
};
const Server kPostgres = {DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova", '"', '"'};
const Server kMaria = {DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova", '`', '`'};

std::string Q(const Server& server, const char* name)
{
    return std::string(1, server.open) + name + server.close;
}

// Statements and reads on a connection of the test's own, beside the window's.
class Database {
public:
    Database(const Server& server, HWND owner) : scratch_(owner, 0, 0, 10, 10)
    {
        link_.BuildConnection(server.kind, server.argument);
        link_.messageSink = [](HWND, const char*) {};
        scratch_.Hide();
    }
    void Run(const std::string& statement)
    {
        link_.sqlText = statement.c_str();
        ASSERT_EQ(0, link_.ExecuteSqlText()) << statement << "\n" << link_.ErrorText.Text();
    }
    // The rows of a query, each as its tab-joined cells.
    std::vector<std::string> Rows(const std::string& query)
    {
        link_.sqlText = query.c_str();
        link_.RowLimit = 1000;
        std::vector<std::string> rows;
        if (link_.FillResultList(scratch_) < 0)
            return {"<failed> " + std::string(link_.ErrorText.Text())};
        for (int row = 0; row < scratch_.RowCount(); ++row) {
            std::string line;
            for (int column = 0; column < scratch_.ColumnCount(); ++column)
                line += (column ? "\t" : "") + std::string(scratch_.CellText(row, column).Text());
            rows.push_back(line);
        }
        return rows;
    }

private:
    DbLink link_;
    GridView scratch_;
};

class DataViewTest : public ::testing::Test {
protected:
    void Connect(const Server& server)
    {
        server_ = server;
        app_.Start();
        ASSERT_TRUE(app_.Main().ConnectWith(server.kind, server.argument));
        db_.reset(new Database(server, app_.Handle()));
    }

    // Opens the view of the table as a double-click would, without the modal loop; the
    // click that shows the definition first is left out when the test wrote it itself.
    DataViewWindow& Open(const char* table, bool showDefinition = true)
    {
        GridView& list = app_.Main().TableList();
        int row = 0;
        while (row < list.RowCount() && !list.CellText(row, 1).Equals(table))
            ++row;
        EXPECT_LT(row, list.RowCount()) << table;
        SelectOnly(list, {row});
        if (showDefinition)
            NotifyCell(app_, list, NM_CLICK, row, 1);
        view_.reset(new DataViewWindow(app_.Main().DataViewContextFor(row)));
        EXPECT_TRUE(view_->Create(app_.Handle()));
        RecordingWindow::Pump();
        return *view_;
    }

    void Command(UINT id)
    {
        SendMessageA(view_->Handle(), WM_COMMAND, id, 0);
        RecordingWindow::Pump();
    }

    int RowWith(int column, const char* text)
    {
        GridView& grid = view_->Grid();
        for (int row = 0; row < grid.RowCount(); ++row)
            if (grid.CellText(row, column).Equals(text))
                return row;
        return -1;
    }

    int FieldColumn(const char* name)
    {
        GridView& grid = view_->Grid();
        for (int column = 2; column < grid.ColumnCount(); ++column)
            if (grid.ColumnTitle(column).Equals(name))
                return column;
        return -1;
    }

    // Types into a cell through the in-place editor, as a click and typing would.
    void Type(int row, int column, const char* text)
    {
        GridView& grid = view_->Grid();
        SendMessageA(view_->Handle(), kGridClick, reinterpret_cast<WPARAM>(grid.ListHandle()), MAKELONG(row, column));
        ASSERT_TRUE(IsWindowVisible(grid.EditBox())) << row << "," << column;
        SetWindowTextA(grid.EditBox(), text);
        SetFocus(grid.ListHandle());
        RecordingWindow::Pump();
    }

    void TearDown() override
    {
        if (view_)
            view_->Close();
        view_.reset();
    }

    MainWindowFixture app_;
    Server server_ = kPostgres;
    std::unique_ptr<Database> db_;
    std::unique_ptr<DataViewWindow> view_;
};

const char kEmployees[] = "社員";
const char kOriginalRemark[] = "①～㈱髙表ソ";

}  // namespace

class DataViewEditing : public DataViewTest, public ::testing::WithParamInterface<Server> {};

// The heart of the view: an edited cell, typed and pasted new rows and a refused row reach
// the database exactly, and nothing else changes.
TEST_P(DataViewEditing, EditedNewAndPastedRowsReachTheDatabase)
{
    const Server& server = GetParam();
    Connect(server);
    std::string table = Q(server, kEmployees);
    std::string number = Q(server, "社員番号");
    db_->Run("delete from " + table + " where " + number + " >= 90");
    db_->Run("update " + table + " set " + Q(server, "備考") + " = '" + kOriginalRemark + "' where " + number + " = 2");
    std::string everyRow = "select * from " + table + " order by " + number;
    std::vector<std::string> before = db_->Rows(everyRow);
    ASSERT_EQ(4u, before.size()) << before[0];

    DataViewWindow& view = Open(kEmployees);
    GridView& grid = view.Grid();
    EXPECT_EQ(table + " のデータ表示", WindowBase(view.Handle()).Text().Text());
    EXPECT_EQ("select * from " + table + " ( 4/50 )", std::string(view.Status().SimpleText().Text()));
    EXPECT_EQ("      4", std::string(app_.Main().TableList().CellText(app_.Main().TableList().NextSelectedRow(-1), 5)));
    ASSERT_TRUE(view.HasKey());

    // The key column of a stored row takes no editor; another column does.
    int hanako = RowWith(2, "2");
    ASSERT_GE(hanako, 0);
    SendMessageA(view.Handle(), kGridClick, reinterpret_cast<WPARAM>(grid.ListHandle()), MAKELONG(hanako, 2));
    EXPECT_FALSE(IsWindowVisible(grid.EditBox()));
    Type(hanako, FieldColumn("備考"), "It's ①～㈱髙表ソ");
    EXPECT_EQ(kRowEdited, view.RowState(hanako));
    Type(RowWith(2, "1"), FieldColumn("氏名"), "山田 太郎");   // unchanged text: the row stays as it is
    EXPECT_EQ(kRowNormal, view.RowState(RowWith(2, "1")));

    PutClipboardText(app_.Handle(), "90\t新人 一\tD001\r\n\r\n91\t新人 二\r\n92\tO'Neil ソ\tD002\r\n");
    Command(IDM_DV_PASTE_CLIPBOARD);
    ASSERT_EQ(7, grid.RowCount());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(kRowNew, view.RowState(row)) << row;
    EXPECT_EQ("90", std::string(grid.CellText(0, 2)));
    EXPECT_EQ("O'Neil ソ", std::string(grid.CellText(2, 3)));
    EXPECT_EQ("", std::string(grid.CellText(1, 4)));

    // An edited, three new and a marked row, as the user sees them.
    int suzuki = RowWith(2, "3");
    SelectOnly(grid, {suzuki});
    Command(IDM_DV_MARK);
    EXPECT_EQ(kRowMarked, view.RowState(suzuki));
    if (server.kind == DatabaseKind::Postgres)
        SaveScreenshot(view.Handle(), "KESTROVA_SCREENSHOT");
    Command(IDM_DV_UNMARK);
    EXPECT_EQ(kRowNormal, view.RowState(suzuki));

    std::vector<VornString> pending = view.PendingStatements();
    ASSERT_EQ(4u, pending.size());
    EXPECT_EQ("insert into " + table + " (" + number + "," + Q(server, "氏名") + "," + Q(server, "部署コード") + "," +
                  Q(server, "入社日") + "," + Q(server, "給与") + "," + Q(server, "評価点") + "," + Q(server, "備考") +
                  ") values(92,'O''Neil ソ','D002',NULL,NULL,NULL,NULL)",
              std::string(pending[2].Text()));
    std::string update = pending[3].Text();
    EXPECT_NE(std::string::npos, update.find(Q(server, "備考") + " = 'It''s ①～㈱髙表ソ' where " + number + " = 2")) << update;
    EXPECT_EQ(std::string::npos, update.find(Q(server, "写真"))) << "binary values are never written back";
    // The update-SQL file holds one statement per grid row; the edited row's is the one run.
    std::string file = view.UpdateSqlText(false, true).Text();
    EXPECT_NE(std::string::npos, file.find(update + ";\n")) << file;

    Command(IDM_DV_APPLY);
    for (int row = 0; row < grid.RowCount(); ++row)
        EXPECT_EQ(kRowNormal, view.RowState(row)) << row;
    std::vector<std::string> after = db_->Rows(everyRow);
    ASSERT_EQ(7u, after.size());
    for (size_t i : {0u, 2u, 3u})
        EXPECT_EQ(before[i], after[i]) << "untouched row " << i;
    EXPECT_NE(std::string::npos, after[1].find("It's ①～㈱髙表ソ")) << after[1];
    EXPECT_EQ(before[1].substr(0, before[1].rfind('\t')), after[1].substr(0, after[1].rfind('\t')));
    EXPECT_NE(std::string::npos, after[6].find("O'Neil ソ")) << after[6];

    // A row the server refuses is marked and the next rows are still written.
    Command(IDM_DV_NEW_ROW);
    Type(0, 2, "93");
    Type(0, 3, "新人 三");
    Command(IDM_DV_NEW_ROW);
    Type(0, 2, "90");   // a key that exists already
    Type(0, 3, "重複");
    {
        MessageBoxAnswer answer(IDOK);
        Command(IDM_DV_APPLY);
        EXPECT_NE(std::string::npos, answer.Text().find("更新エラーです。継続しますか?")) << answer.Text();
    }
    EXPECT_EQ("E:", std::string(grid.CellText(0, 1)).substr(0, 2));
    EXPECT_EQ(kRowNew, view.RowState(0));
    EXPECT_EQ(kRowNormal, view.RowState(1));
    EXPECT_EQ(1u, db_->Rows("select * from " + table + " where " + number + " = 93").size());

    db_->Run("delete from " + table + " where " + number + " >= 90");
    db_->Run("update " + table + " set " + Q(server, "備考") + " = '" + kOriginalRemark + "' where " + number + " = 2");
    EXPECT_EQ(before, db_->Rows(everyRow));
}

INSTANTIATE_TEST_SUITE_P(Servers, DataViewEditing, ::testing::Values(kPostgres, kMaria),
                         [](const ::testing::TestParamInfo<Server>& info) {
                             return info.param.kind == DatabaseKind::Postgres ? "Postgres" : "MariaDB";
                         });

// Marked rows of a table with a composite key are deleted by both key columns.
TEST_F(DataViewTest, MarkedRowsAreDeletedByTheirCompositeKey)
{
    Connect(kPostgres);
    db_->Run("delete from \"売上明細\" where \"伝票番号\" = 200");
    db_->Run("insert into \"売上明細\" values (200, 1, 'a', 1, 1, NULL), (200, 2, 'b', 1, 1, NULL), (200, 3, 'c', 1, 1, NULL)");
    DataViewWindow& view = Open("売上明細");
    GridView& grid = view.Grid();
    ASSERT_EQ(6, grid.RowCount());
    Command(IDM_DV_DELETE_MARKED);
    EXPECT_EQ("削除の為のマークはされていません　　", app_.linkMessages.back());

    std::vector<int> marked;
    for (int row = 0; row < grid.RowCount(); ++row)
        if (grid.CellText(row, 2).Equals("200") && !grid.CellText(row, 3).Equals("2"))
            marked.push_back(row);
    ASSERT_EQ(2u, marked.size());
    SelectOnly(grid, {marked[0], marked[1]});
    SendMessageA(view.Handle(), kAnyKeyDown, reinterpret_cast<WPARAM>(grid.ListHandle()), VK_DELETE);
    EXPECT_EQ(kRowMarked, view.RowState(marked[0]));
    EXPECT_EQ(kRowMarked, view.RowState(marked[1]));
    {
        MessageBoxAnswer answer(IDOK);
        Command(IDM_DV_DELETE_MARKED);
        EXPECT_EQ("削除マーク行を削除しますか?　　", answer.Text());
    }
    EXPECT_EQ("処理が終了しました　　", app_.linkMessages.back());
    EXPECT_EQ(std::vector<std::string>{"200\t2"},
              db_->Rows("select \"伝票番号\", \"行番号\" from \"売上明細\" where \"伝票番号\" = 200"));
    EXPECT_EQ(3u, db_->Rows("select * from \"売上明細\" where \"伝票番号\" <> 200").size());
    db_->Run("delete from \"売上明細\" where \"伝票番号\" = 200");
}

// The header and the three option dialogs build the SELECT the view runs.
TEST_F(DataViewTest, HeaderAndOptionDialogsReachTheSelect)
{
    Connect(kMaria);
    DataViewWindow& view = Open(kEmployees);
    GridView& grid = view.Grid();
    SchemaBrowser& browser = app_.Main().Browser();

    HoldKey(VK_SHIFT, true);
    SendMessageA(view.Handle(), kGridHeaderDoubleClick, reinterpret_cast<WPARAM>(grid.ListHandle()), FieldColumn("社員番号"));
    HoldKey(VK_SHIFT, false);
    EXPECT_EQ("select * from `社員` order by `社員番号` desc ( 4/50 )", std::string(view.Status().SimpleText().Text()));
    EXPECT_EQ("4", std::string(grid.CellText(0, 2)));

    DialogDriver condition("条件指定", [](HWND dialog) {
        GridView* cells = GridView::FromListHandle(GetDlgItem(dialog, IDC_DV_COND_GRID));
        for (int row = 0; row < cells->RowCount(); ++row)
            if (cells->CellText(row, 1).Equals("部署コード")) {
                cells->SetCellText(row, 3, "=");
                cells->SetCellText(row, 4, "D002");
            }
        Press(dialog, IDC_DV_COND_DECIDE);
    });
    Command(IDM_DV_CONDITION);
    ASSERT_TRUE(condition.Finish());
    EXPECT_EQ("`部署コード` = 'D002' ", std::string(browser.whereText.Text()));
    EXPECT_EQ(1, grid.RowCount());

    DialogDriver columns("カラム表示", [](HWND dialog) {
        Press(dialog, IDC_DV_COLUMNS_FIRST);
        Press(dialog, IDC_DV_COLUMNS_DECIDE);
    });
    Command(IDM_DV_COLUMNS);
    ASSERT_TRUE(columns.Finish());
    EXPECT_EQ("`社員番号`", std::string(browser.selectList.Text()));
    EXPECT_EQ(3, grid.ColumnCount());
    EXPECT_TRUE(view.HasKey());

    // The header's order is offered again; reset, then 氏名 alone, descending.
    std::string offered;
    DialogDriver sort("ソート指定", [&offered](HWND dialog) {
        GridView* chosen = GridView::FromListHandle(GetDlgItem(dialog, IDC_DV_ORDER_RIGHT));
        offered = chosen->RowCount() == 1 && chosen->IsChecked(0) ? chosen->CellText(0, 0).Text() : "";
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DV_ORDER_RESET, BN_CLICKED), 0);
        HWND left = GetDlgItem(dialog, IDC_DV_ORDER_LEFT);
        SendMessageA(dialog, kGridReturn, reinterpret_cast<WPARAM>(left), MAKELONG(1, 0));   // 氏名
        GridView* right = GridView::FromListHandle(GetDlgItem(dialog, IDC_DV_ORDER_RIGHT));
        right->SetChecked(0, true);
        Press(dialog, IDC_DV_ORDER_DECIDE);
    });
    Command(IDM_DV_SORT);
    ASSERT_TRUE(sort.Finish());
    EXPECT_EQ("社員番号", offered);
    EXPECT_EQ("`氏名` desc", std::string(browser.orderText.Text()));
    EXPECT_EQ("select `社員番号` from `社員` where `部署コード` = 'D002'  order by `氏名` desc ( 1/50 )",
              std::string(view.Status().SimpleText().Text()));

    Command(IDM_DV_CLEAR_OPTIONS);
    EXPECT_EQ("select * from `社員` ( 4/50 )", std::string(view.Status().SimpleText().Text()));
    Command(IDM_DV_RESTORE_OPTIONS);
    EXPECT_EQ(1, grid.RowCount());

    // F5 typed in the view reaches its owner, which hands it back: the rows are read again.
    Database(kMaria, app_.Handle()).Run("update `社員` set `部署コード` = 'D002' where `社員番号` = 3");
    PostMessageA(app_.Handle(), kAnyKeyDown, reinterpret_cast<WPARAM>(grid.ListHandle()), VK_F5);
    RecordingWindow::Pump();
    EXPECT_EQ(2, grid.RowCount());
    Database(kMaria, app_.Handle()).Run("update `社員` set `部署コード` = NULL where `社員番号` = 3");
}

// Headings and rows go to the clipboard from the first field column on, CR LF between rows.
TEST_F(DataViewTest, CopiesLeaveOutTheStateColumns)
{
    Connect(kPostgres);
    DataViewWindow& view = Open("部署");
    Command(IDM_DV_COPY_TITLED_TAB);
    EXPECT_EQ("部署コード\t部署名\r\nD001\t営業部\r\nD002\t開発部\r\nD003\t㈱表ソ総務\r\n", ClipboardText(app_.Handle()));
    SelectOnly(view.Grid(), {1});
    Command(IDM_DV_COPY_SELECTED);
    EXPECT_EQ("D002\t開発部\r\n", ClipboardText(app_.Handle()));
    Command(IDM_DV_COPY_NAMES_COMMA);
    EXPECT_EQ("部署コード,部署名", ClipboardText(app_.Handle()));
}

namespace {

// A definition-view row as the readers leave it: name, ADO type, type name, key position.
void AddDefinition(GridView& view, const char* name, const char* adoType, const char* typeName, const char* key)
{
    int row = view.AddRow();
    view.SetCellText(row, kDefName, name);
    view.SetCellText(row, kDefAdoType, adoType);
    view.SetCellText(row, kDefTypeName, typeName);
    view.SetCellText(row, kDefPrimaryKey, key);
}

std::vector<std::string> Changes(const ScriptedBackend& backend)
{
    std::vector<std::string> changes;
    for (const std::string& statement : backend.Statements())
        if (statement.compare(0, 7, "select ") != 0)
            changes.push_back(statement);
    return changes;
}

}  // namespace

// The kinds without a server here, through the scripted backend: MDB dates between "#" in
// key conditions and its counter left out of INSERT; SQL Server's bracketed descending header.
TEST_F(DataViewTest, FileAndServerKindsWriteTheirOwnLiterals)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"受注", "TABLE"}}));
    ScriptedRowset orders;
    orders.Column("番号", 3).Column("受注日", 7).Column("品名", 202);
    orders.Row({"1", "2024/01/05", "ノート ①"}).Row({"2", "2024/01/06", "It's ソ"});
    backend->AddRowset("select * from [受注]", orders);
    app_.Start();
    ASSERT_TRUE(app_.Main().ConnectWith(DatabaseKind::Mdb, "C:\\データ\\受注.mdb"));
    GridView& definition = app_.Main().DefinitionView();
    SchemaBrowser::PrepareDefinitionList(definition);
    AddDefinition(definition, "番号", "3", "COUNTER", "");
    AddDefinition(definition, "受注日", "7", "DATETIME", "1");
    AddDefinition(definition, "品名", "202", "VARCHAR", "2");
    DataViewWindow& view = Open("受注", false);
    GridView& grid = view.Grid();
    ASSERT_EQ(2, grid.RowCount());
    ASSERT_TRUE(view.HasKey());

    backend->ClearRecord();
    SelectOnly(grid, {1});
    Command(IDM_DV_MARK);
    {
        MessageBoxAnswer answer(IDOK);
        Command(IDM_DV_DELETE_MARKED);
        answer.Text();
    }
    EXPECT_EQ(std::vector<std::string>{"delete from [受注] where [受注日] = #" + std::string(grid.CellText(1, 3)) +
                                       "# and [品名] = 'It''s ソ'"},
              Changes(*backend));

    backend->ClearRecord();
    Command(IDM_DV_NEW_ROW);
    Type(0, 3, "2024/02/01");
    Type(0, 4, "O'Neil");
    Command(IDM_DV_APPLY);
    EXPECT_EQ(std::vector<std::string>{"insert into [受注] ([受注日],[品名]) values('2024/02/01','O''Neil')"},
              Changes(*backend));
    view.Close();

    backend->AddSchemaRowset(20, {}, TablesRowset({{"社員", "TABLE"}}));
    ScriptedRowset employees;
    employees.Column("社員番号", 3).Row({"7"});
    backend->AddRowset("select * from [社員]", employees);
    backend->AddRowset("select * from [社員] order by [社員番号] desc", employees);
    ASSERT_TRUE(app_.Main().ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    SchemaBrowser::PrepareDefinitionList(definition);
    AddDefinition(definition, "社員番号", "3", "int", "1");
    DataViewWindow& server = Open("社員", false);
    HoldKey(VK_SHIFT, true);
    SendMessageA(server.Handle(), kGridHeaderDoubleClick, reinterpret_cast<WPARAM>(server.Grid().ListHandle()), 2);
    HoldKey(VK_SHIFT, false);
    EXPECT_EQ("select * from [社員] order by [社員番号] desc ( 1/50 )", std::string(server.Status().SimpleText().Text()));
}

// A view without a key shows its rows but takes new rows only: nothing stored is edited,
// marked or deleted through a guessed condition.
TEST_F(DataViewTest, ATableWithoutAKeyTakesNewRowsOnly)
{
    Connect(kPostgres);
    DataViewWindow& view = Open("社員一覧");
    GridView& grid = view.Grid();
    ASSERT_EQ(4, grid.RowCount());
    EXPECT_FALSE(view.HasKey());
    SendMessageA(view.Handle(), kGridClick, reinterpret_cast<WPARAM>(grid.ListHandle()), MAKELONG(0, 3));
    EXPECT_FALSE(IsWindowVisible(grid.EditBox()));
    EXPECT_FALSE(MenuCommandEnabled(view.Handle(), IDM_DV_MARK));
    EXPECT_FALSE(MenuCommandEnabled(view.Handle(), IDM_DV_DELETE_SELECTED));
    EXPECT_TRUE(MenuCommandEnabled(view.Handle(), IDM_DV_NEW_ROW));
    EXPECT_TRUE(MenuCommandEnabled(view.Handle(), IDM_DV_UPDATE_KEY));
    SelectOnly(grid, {0});
    SendMessageA(view.Handle(), kAnyKeyDown, reinterpret_cast<WPARAM>(grid.ListHandle()), VK_DELETE);
    EXPECT_EQ(kRowNormal, view.RowState(0));
}
