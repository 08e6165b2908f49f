// "インデックス メンテナンス" driven from a thread of its own as a user would: on a scratch
// table of the sample PostgreSQL and MariaDB databases, whose catalog is read back through
// a link of the test's own, and over the scripted backend for the statements of the kinds
// without a server here.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "app/MainWindowTestSupport.h"
#include "common/Clipboard.h"
#include "common/GridView.h"
#include "resources/IndexDialogIds.h"
#include "resources/resource.h"
#include "structure/IndexDialog.h"

namespace {

const char kPostgres[] = "KestrovaPg,sample,kestrova,kestrova";
const char kMariaDb[] = "KestrovaMy,sample,kestrova,kestrova";
const char kTable[] = "索引表";
const char kCaption[] = "インデックス メンテナンス ( 索引表 )";

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000)
{
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (condition())
            return true;
        Sleep(20);
    }
    return condition();
}

HWND List(HWND dialog, int id) { return GetDlgItem(dialog, id); }

int Rows(HWND dialog, int id) { return ListView_GetItemCount(List(dialog, id)); }

std::string Cell(HWND dialog, int id, int row, int column)
{
    char text[512] = "";
    ListView_GetItemText(List(dialog, id), row, column, text, sizeof text);
    return text;
}

// Every row of a list as "cell|cell".
std::vector<std::string> Lines(HWND dialog, int id, int firstColumn = 0)
{
    std::vector<std::string> lines;
    HWND header = ListView_GetHeader(List(dialog, id));
    int columns = Header_GetItemCount(header);
    for (int row = 0; row < Rows(dialog, id); ++row) {
        std::string line;
        for (int column = firstColumn; column < columns; ++column)
            line += (column > firstColumn ? "|" : "") + Cell(dialog, id, row, column);
        lines.push_back(line);
    }
    return lines;
}

std::string Text(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

POINT CellCentre(HWND list, int row)
{
    ListView_EnsureVisible(list, row, FALSE);
    RECT cell = {};
    ListView_GetSubItemRect(list, row, 1, LVIR_BOUNDS, &cell);
    return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

void Click(HWND dialog, int id, int row)
{
    POINT at = CellCentre(List(dialog, id), row);
    LPARAM point = MAKELPARAM(at.x, at.y);
    PostMessageA(List(dialog, id), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(List(dialog, id), WM_LBUTTONUP, 0, point);
    Sleep(150);
}

// A double-click moves the row between the available and the chosen list.
bool DoubleClick(HWND dialog, int id, int row)
{
    HWND list = List(dialog, id);
    int before = Rows(dialog, id);
    POINT at = CellCentre(list, row);
    LPARAM point = MAKELPARAM(at.x, at.y);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    return WaitFor([&] { return Rows(dialog, id) == before - 1; }, 5000);
}

void RightClick(HWND dialog, int id, int row)
{
    POINT at = CellCentre(List(dialog, id), row);
    LPARAM point = MAKELPARAM(at.x, at.y);
    PostMessageA(List(dialog, id), WM_RBUTTONDOWN, MK_RBUTTON, point);
    PostMessageA(List(dialog, id), WM_RBUTTONUP, 0, point);
}

void SelectOnly(HWND dialog, int id, std::vector<int> rows)
{
    HWND list = List(dialog, id);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (int row : rows)
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
}

// Presses the button and answers the "確認" boxes that follow in turn (the first button
// for the first box ...); the texts of the boxes, "<none>" for a box that did not come.
std::vector<std::string> PressAndAnswer(HWND dialog, int button, std::vector<int> answers)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    std::vector<std::string> texts;
    for (int answer : answers) {
        HWND box = WaitForOwnDialog("確認", 30000);
        if (!box) {
            texts.push_back("<none>");
            continue;
        }
        texts.push_back(DialogStaticText(box));
        Press(box, answer);
        WaitFor([&] { return !IsWindow(box); });
    }
    return texts;
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// The statements other than the catalog reads and lookups, in the order they ran.
std::vector<std::string> Changes(const ScriptedBackend& backend)
{
    std::vector<std::string> changes;
    for (const std::string& statement : backend.Statements())
        if (statement.compare(0, 7, "select ") != 0)
            changes.push_back(statement);
    return changes;
}

void AddDefinition(GridView& view, const char* name, const char* adoType, const char* typeName, const char* size,
                   const char* precision = "", const char* scale = "")
{
    int row = view.AddRow();
    view.SetCellText(row, kDefName, name);
    view.SetCellText(row, kDefAdoType, adoType);
    view.SetCellText(row, kDefTypeName, typeName);
    view.SetCellText(row, kDefSize, size);
    view.SetCellText(row, kDefPrecision, precision);
    view.SetCellText(row, kDefScale, scale);
}

ScriptedRowset IndexSchema(const std::vector<std::vector<const char*>>& rows)
{
    ScriptedRowset rowset;
    rowset.Column("TABLE_NAME", 202).Column("INDEX_NAME", 202).Column("PRIMARY_KEY", 11).Column("UNIQUE", 11);
    rowset.Column("ORDINAL_POSITION", 19).Column("COLUMN_NAME", 202);
    for (const std::vector<const char*>& row : rows)
        rowset.Row(row);
    return rowset;
}

class IndexDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<RecordingWindow>("索引", false);
        definition_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 600, 300);
        options_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 600, 300);
        for (const char* heading : {"№", "条件", "値", "非表示", "選択順", "逆順"})
            options_->AddColumn(heading, 50);
        settingsPath_ = ScratchPath("index_dialog.ini");
        RemoveFile(settingsPath_);
        settings_ = std::make_unique<ProfileStore>(settingsPath_.c_str());
        context_.browser = &browser_;
        context_.definitionView = definition_.get();
        context_.columnOptions = options_.get();
        context_.settings = settings_.get();
        context_.programFolder = ScratchPath("program").c_str();
    }

    void TearDown() override
    {
        Connection::SetDefaultBackend(nullptr);
        RemoveFile(settingsPath_);
    }

    // A scratch table of the test's own; the index names carry an apostrophe and 表 (95 5C).
    void CreateTable(DatabaseKind kind, const char* argument)
    {
        ASSERT_TRUE(browser_.BuildConnection(kind, argument));
        const bool maria = kind == DatabaseKind::MySql;
        Run(maria ? "drop table if exists `索引表`" : "drop table if exists \"索引表\"", true);
        Run(maria ? "create table `索引表` (`番号` int not null, `区分` varchar(10) not null, `表示名` varchar(20), "
                    "`備考` varchar(20))"
                  : "create table \"索引表\" (\"番号\" integer not null, \"区分\" varchar(10) not null, "
                    "\"表示名\" varchar(20), \"備考\" varchar(20))");
        browser_.tableName = kTable;
        ASSERT_EQ(4, browser_.ShowDefinition(*definition_, -1, "public")) << browser_.ErrorText.Text();
    }

    void DropTable()
    {
        Run(browser_.Kind() == DatabaseKind::MySql ? "drop table `索引表`" : "drop table \"索引表\"");
    }

    void Run(const char* statement, bool mayFail = false)
    {
        SchemaBrowser writer;
        writer.BuildConnection(browser_.Kind(), browser_.Kind() == DatabaseKind::MySql ? kMariaDb : kPostgres);
        writer.sqlText = statement;
        int result = writer.ExecuteSqlText();
        if (!mayFail) {
            EXPECT_EQ(0, result) << statement << ": " << writer.ErrorText.Text();
        }
    }

    // The index and column names the database itself lists for the scratch table.
    std::vector<std::string> Catalog()
    {
        SchemaBrowser reader;
        bool maria = browser_.Kind() == DatabaseKind::MySql;
        reader.BuildConnection(browser_.Kind(), maria ? kMariaDb : kPostgres);
        reader.sqlText = maria ? "select index_name, column_name from information_schema.statistics where "
                                 "table_schema = 'sample' and table_name = '索引表' order by index_name <> 'PRIMARY', seq_in_index"
                               : "select i.relname, a.attname from pg_index x join pg_class i on i.oid = x.indexrelid "
                                 "join pg_class t on t.oid = x.indrelid join pg_attribute a on a.attrelid = t.oid "
                                 "and a.attnum = any(x.indkey) where t.relname = '索引表' order by 1, 2";
        GridView result(owner_->Handle(), 0, 0, 100, 100);
        std::vector<std::string> rows;
        int count = reader.FillResultList(result);
        if (count < 0)
            rows.push_back("<failed> " + std::string(reader.ErrorText.Text()));
        for (int row = 0; row < count; ++row)
            rows.push_back(std::string(result.CellText(row, 0).Text()) + "|" + result.CellText(row, 1).Text());
        return rows;
    }

    void Open(const char* caption, const std::function<void(HWND)>& action)
    {
        DialogDriver driver(caption, [&](HWND dialog) {
            WaitFor([&] { return GetForegroundWindow() == dialog; });
            Sleep(300);
            action(dialog);
            Press(dialog, IDCANCEL);
        });
        RunIndexMaintenance(owner_->Handle(), context_);
        EXPECT_TRUE(driver.Finish());
    }

    std::unique_ptr<RecordingWindow> owner_;
    std::unique_ptr<GridView> definition_;
    std::unique_ptr<GridView> options_;
    std::string settingsPath_;
    std::unique_ptr<ProfileStore> settings_;
    SchemaBrowser browser_;
    IndexMaintenanceContext context_;
};

}  // namespace

TEST_F(IndexDialogTest, PostgresIndexesAndKeysAreCreatedListedAndDropped)
{
    CreateTable(DatabaseKind::Postgres, kPostgres);
    // The data view sorted by 表示名, then 番号.
    for (int row = 0; row < 4; ++row)
        options_->AddRow();
    options_->SetCellText(2, 4, "1");
    options_->SetCellText(0, 4, "2");
    const char* unique = "ix'索引表";
    Open(kCaption, [&](HWND dialog) {
        EXPECT_EQ("※ 主キー作成にインデックス名は必要ありませんが、指定するとその名前で作成されます",
                  Text(GetDlgItem(dialog, IDC_INDEX_NOTE)));
        EXPECT_EQ(0, Rows(dialog, IDC_INDEX_LIST));
        EXPECT_TRUE(Enabled(dialog, IDC_INDEX_PRIMARY_KEY));
        EXPECT_EQ((std::vector<std::string>{"3|表示名", "1|番号"}), Lines(dialog, IDC_INDEX_CHOSEN, 1));
        EXPECT_EQ((std::vector<std::string>{"2|区分", "4|備考"}), Lines(dialog, IDC_INDEX_AVAILABLE));
        EXPECT_EQ((std::vector<std::string>{"インデックス名を入力して下さい　　"}),
                  PressAndAnswer(dialog, IDC_INDEX_CREATE, {IDOK}));

        // 3 goes back before 4, then 1 before 2; 区分 and 番号 are chosen in that order.
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_CHOSEN, 0));
        EXPECT_EQ((std::vector<std::string>{"2|区分", "3|表示名", "4|備考"}), Lines(dialog, IDC_INDEX_AVAILABLE));
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_CHOSEN, 0));
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_AVAILABLE, 1));
        // Enter in the list takes its selected row across as well.
        SetFocus(List(dialog, IDC_INDEX_AVAILABLE));
        SelectOnly(dialog, IDC_INDEX_AVAILABLE, {0});
        PostMessageA(List(dialog, IDC_INDEX_AVAILABLE), WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_TRUE(WaitFor([&] { return Rows(dialog, IDC_INDEX_CHOSEN) == 2; }, 5000));
        EXPECT_EQ((std::vector<std::string>{"2|区分", "1|番号"}), Lines(dialog, IDC_INDEX_CHOSEN, 1));

        SetDlgItemTextA(dialog, IDC_INDEX_NAME, unique);
        CheckDlgButton(dialog, IDC_INDEX_UNIQUE, BST_CHECKED);
        EXPECT_EQ((std::vector<std::string>{"インデックスを作成しますか?　　", "インデックスが作成されました　　　"}),
                  PressAndAnswer(dialog, IDC_INDEX_CREATE, {IDOK, IDOK}));
        ASSERT_TRUE(WaitFor([&] { return Rows(dialog, IDC_INDEX_LIST) == 1; }));
        EXPECT_EQ((std::vector<std::string>{std::string("U|") + unique}), Lines(dialog, IDC_INDEX_LIST));
        EXPECT_EQ(0, Rows(dialog, IDC_INDEX_CHOSEN));
        EXPECT_EQ(4, Rows(dialog, IDC_INDEX_AVAILABLE));
        Click(dialog, IDC_INDEX_LIST, 0);
        ASSERT_TRUE(WaitFor([&] { return Rows(dialog, IDC_INDEX_COLUMNS) == 2; }));
        EXPECT_EQ((std::vector<std::string>{"1|区分", "2|番号"}), Lines(dialog, IDC_INDEX_COLUMNS));
        RightClick(dialog, IDC_INDEX_COLUMNS, 1);
        EXPECT_TRUE(WaitFor([&] { return Text(dialog) == "【番号】がクリップボードにコピーされました"; })) << Text(dialog);

        // The same name again fails, with the database's reason.
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_AVAILABLE, 3));
        std::vector<std::string> failed = PressAndAnswer(dialog, IDC_INDEX_CREATE, {IDOK, IDOK});
        ASSERT_EQ(2u, failed.size());
        EXPECT_EQ(0u, failed[1].find("インデックス作成に失敗しました　　　\n")) << failed[1];
        EXPECT_GT(failed[1].size(), std::string("インデックス作成に失敗しました　　　\n").size());
        EXPECT_EQ(1, Rows(dialog, IDC_INDEX_CHOSEN));

        // A key without a name: the database names it.
        SetDlgItemTextA(dialog, IDC_INDEX_NAME, "");
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_CHOSEN, 0));
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_AVAILABLE, 0));
        EXPECT_EQ((std::vector<std::string>{"主キーを作成しますか?　　", "主キーが作成されました　　"}),
                  PressAndAnswer(dialog, IDC_INDEX_PRIMARY_KEY, {IDOK, IDOK}));
        ASSERT_TRUE(WaitFor([&] { return Rows(dialog, IDC_INDEX_LIST) == 2; }));
        std::vector<std::string> listed = Lines(dialog, IDC_INDEX_LIST);
        EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), "P|索引表_pkey")) << listed[0];
        EXPECT_FALSE(Enabled(dialog, IDC_INDEX_PRIMARY_KEY));

        EXPECT_EQ((std::vector<std::string>{"列を選択して下さい　　"}), PressAndAnswer(dialog, IDC_INDEX_DROP, {IDOK}));
        SelectOnly(dialog, IDC_INDEX_LIST, {0, 1});
        EXPECT_EQ((std::vector<std::string>{"選択されたインデックスを削除しますか?　　"}),
                  PressAndAnswer(dialog, IDC_INDEX_DROP, {IDOK}));
        EXPECT_TRUE(WaitFor([&] { return Rows(dialog, IDC_INDEX_LIST) == 0; }));
        EXPECT_TRUE(WaitFor([&] { return Enabled(dialog, IDC_INDEX_PRIMARY_KEY); }));
    });
    std::vector<std::string> catalog = Catalog();
    DropTable();
    EXPECT_TRUE(catalog.empty()) << catalog[0];
    VornString copied;
    EXPECT_TRUE(ReadClipboardText(owner_->Handle(), copied));
    EXPECT_STREQ("番号", copied.Text());
    VornString width;
    EXPECT_TRUE(settings_->Read("SortWindowSize", "Width", width) && width.ToInteger() > 0) << width.Text();
}

TEST_F(IndexDialogTest, MariaDbKeyIsPrimaryAndDropsAsAnIndexNamedPrimary)
{
    CreateTable(DatabaseKind::MySql, kMariaDb);
    browser_.optionsCleared = true;   // the sort positions below are not offered then
    options_->AddRow();
    options_->SetCellText(0, 4, "1");
    std::vector<std::string> between;
    Open(kCaption, [&](HWND dialog) {
        EXPECT_EQ("※ 主キー作成にインデックス名は必要ありません", Text(GetDlgItem(dialog, IDC_INDEX_NOTE)));
        EXPECT_EQ(0, Rows(dialog, IDC_INDEX_CHOSEN));
        EXPECT_EQ((std::vector<std::string>{"列を選択して下さい　　"}),
                  PressAndAnswer(dialog, IDC_INDEX_PRIMARY_KEY, {IDOK}));
        EXPECT_EQ(0, ListView_GetNextItem(List(dialog, IDC_INDEX_AVAILABLE), -1, LVNI_SELECTED));
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_AVAILABLE, 1));
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_AVAILABLE, 0));
        EXPECT_EQ((std::vector<std::string>{"主キーを作成しますか?　　", "主キーが作成されました　　"}),
                  PressAndAnswer(dialog, IDC_INDEX_PRIMARY_KEY, {IDOK, IDOK}));
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_AVAILABLE, 2));
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_AVAILABLE, 0));
        SetDlgItemTextA(dialog, IDC_INDEX_NAME, "ix表");
        CheckDlgButton(dialog, IDC_INDEX_UNIQUE, BST_CHECKED);
        PressAndAnswer(dialog, IDC_INDEX_CREATE, {IDOK, IDOK});
        ASSERT_TRUE(WaitFor([&] { return Rows(dialog, IDC_INDEX_LIST) == 2; }));
        // The driver lists the indexes by name, without regard to case.
        EXPECT_EQ((std::vector<std::string>{"U|ix表", "P|PRIMARY"}), Lines(dialog, IDC_INDEX_LIST));
        EXPECT_FALSE(Enabled(dialog, IDC_INDEX_PRIMARY_KEY));
        Click(dialog, IDC_INDEX_LIST, 1);
        ASSERT_TRUE(WaitFor([&] { return Rows(dialog, IDC_INDEX_COLUMNS) == 2; }));
        EXPECT_EQ((std::vector<std::string>{"1|区分", "2|番号"}), Lines(dialog, IDC_INDEX_COLUMNS));
        between = Catalog();

        SelectOnly(dialog, IDC_INDEX_LIST, {0, 1});
        PressAndAnswer(dialog, IDC_INDEX_DROP, {IDOK});
        EXPECT_TRUE(WaitFor([&] { return Rows(dialog, IDC_INDEX_LIST) == 0; }));
        EXPECT_TRUE(Enabled(dialog, IDC_INDEX_PRIMARY_KEY));
    });
    std::vector<std::string> after = Catalog();
    DropTable();
    EXPECT_EQ((std::vector<std::string>{"PRIMARY|区分", "PRIMARY|番号", "ix表|表示名", "ix表|番号"}), between);
    EXPECT_TRUE(after.empty()) << after[0];
}

// SQL Server makes each key column not nullable first, whatever comes of it; a failing
// drop reports the index and the next one still runs.
TEST_F(IndexDialogTest, ScriptedSqlServerStatements)
{
    auto backend = std::make_shared<ScriptedBackend>();
    Connection::SetDefaultBackend(backend);
    ASSERT_TRUE(browser_.BuildConnection(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    browser_.tableName = "社員";
    SchemaBrowser::PrepareDefinitionList(*definition_);
    AddDefinition(*definition_, "番号", "3", "int", "");
    AddDefinition(*definition_, "氏名", "202", "NVARCHAR", "40");
    AddDefinition(*definition_, "給与", "131", "NUMERIC", "", "10", "2");
    backend->AddSchemaRowset(12, {"", "", "", "", "社員"},
                             IndexSchema({{"社員", "ix給与", "False", "True", "1", "給与"},
                                          {"社員", "ix給与", "False", "True", "2", "氏名"}}));
    backend->FailStatement("alter table [社員] alter column [氏名] NVARCHAR(40) not null", "NULL があります");
    backend->FailStatement("alter table [社員] drop constraint [PK_社員]", "参照されています");
    Open("インデックス メンテナンス ( 社員 )", [&](HWND dialog) {
        EXPECT_EQ((std::vector<std::string>{"U|ix給与"}), Lines(dialog, IDC_INDEX_LIST));
        EXPECT_TRUE(Enabled(dialog, IDC_INDEX_PRIMARY_KEY));
        backend->ClearRecord();
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_AVAILABLE, 2));
        ASSERT_TRUE(DoubleClick(dialog, IDC_INDEX_AVAILABLE, 1));
        SetDlgItemTextA(dialog, IDC_INDEX_NAME, "pk_社員");
        EXPECT_EQ((std::vector<std::string>{"主キーを作成しますか?　　", "主キーが作成されました　　"}),
                  PressAndAnswer(dialog, IDC_INDEX_PRIMARY_KEY, {IDOK, IDOK}));
        EXPECT_EQ((std::vector<std::string>{
                      "alter table [社員] alter column [給与] NUMERIC(10,2) not null",
                      "alter table [社員] alter column [氏名] NVARCHAR(40) not null",
                      "alter table [社員] add  constraint [pk_社員] primary key ([給与],[氏名])",
                  }),
                  Changes(*backend));
        // The script's catalog knows no key yet; the button is off all the same.
        EXPECT_TRUE(WaitFor([&] { return !Enabled(dialog, IDC_INDEX_PRIMARY_KEY); }));

        backend->AddSchemaRowset(12, {"", "", "", "", "社員"},
                                 IndexSchema({{"社員", "PK_社員", "True", "True", "1", "給与"},
                                              {"社員", "ix給与", "False", "True", "1", "給与"}}));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDM_INDEX_RESET, 0), 0);
        EXPECT_EQ((std::vector<std::string>{"P|PK_社員", "U|ix給与"}), Lines(dialog, IDC_INDEX_LIST));
        EXPECT_FALSE(Enabled(dialog, IDC_INDEX_PRIMARY_KEY));
        backend->ClearRecord();
        SelectOnly(dialog, IDC_INDEX_LIST, {0, 1});
        std::vector<std::string> texts = PressAndAnswer(dialog, IDC_INDEX_DROP, {IDOK, IDOK});
        ASSERT_EQ(2u, texts.size());
        EXPECT_EQ("PK_社員 の削除に失敗しました　　　\n参照されています",
                  texts[1].substr(0, texts[1].find_last_not_of("\r\n ") + 1));
        EXPECT_TRUE(WaitFor([&] { return Changes(*backend).size() == 2; }));
        EXPECT_EQ((std::vector<std::string>{"alter table [社員] drop constraint [PK_社員]", "drop index [社員].[ix給与]"}),
                  Changes(*backend));
    });
}

// Oracle: the schema is the connected user's, a primary key shows in USER_CONSTRAINTS and
// is dropped as the table's primary key.
TEST_F(IndexDialogTest, ScriptedOracleLooksUpConstraints)
{
    auto backend = std::make_shared<ScriptedBackend>();
    Connection::SetDefaultBackend(backend);
    ASSERT_TRUE(browser_.BuildConnection(DatabaseKind::Oracle, "ORCL,scott,tiger"));
    browser_.tableName = "社員";
    SchemaBrowser::PrepareDefinitionList(*definition_);
    AddDefinition(*definition_, "番号", "139", "NUMBER", "");
    backend->AddSchemaRowset(12, {"", "SCOTT", "", "", "社員"},
                             IndexSchema({{"社員", "SYS_C0011", "False", "True", "1", "番号"},
                                          {"社員", "IX_O'NEIL", "False", "True", "1", "番号"}}));
    ScriptedRowset constraint;
    constraint.Column("OWNER", 202).Column("CONSTRAINT_NAME", 202).Column("CONSTRAINT_TYPE", 202);
    constraint.Row({"SCOTT", "SYS_C0011", "P"});
    backend->AddRowset("select * from USER_CONSTRAINTS where CONSTRAINT_NAME = 'SYS_C0011'", constraint);
    Open("インデックス メンテナンス ( 社員 )", [&](HWND dialog) {
        EXPECT_EQ((std::vector<std::string>{"P|SYS_C0011", "U|IX_O'NEIL"}), Lines(dialog, IDC_INDEX_LIST));
        backend->ClearRecord();
        SelectOnly(dialog, IDC_INDEX_LIST, {0, 1});
        PressAndAnswer(dialog, IDC_INDEX_DROP, {IDOK});
        EXPECT_TRUE(WaitFor([&] { return Changes(*backend).size() == 2; }));
        EXPECT_EQ((std::vector<std::string>{"alter table \"社員\" drop primary key", "drop index \"IX_O'NEIL\""}),
                  Changes(*backend));
    });
    std::vector<std::string> statements = backend->Statements();
    EXPECT_NE(statements.end(), std::find(statements.begin(), statements.end(),
                                          "select * from USER_CONSTRAINTS where CONSTRAINT_NAME = 'IX_O''NEIL'"));

    // A table whose index schema cannot be read: the reason, and no dialog.
    browser_.tableName = "無い表";
    RemoveFile(settingsPath_);
    MessageBoxAnswer answer(IDOK);
    RunIndexMaintenance(owner_->Handle(), context_);
    EXPECT_NE(std::string::npos, answer.Text().find("SCHEMA 12 (,SCOTT,,,無い表)"));
    EXPECT_EQ(nullptr, FindOwnDialog("インデックス メンテナンス ( 無い表 )"));
    VornString left;
    EXPECT_FALSE(settings_->Read("SortWindowSize", "Left", left));
}

TEST(IndexMaintenanceFromTheMainWindow, OpensOverTheShownDefinitionOnly)
{
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::Postgres, kPostgres));
    GridView& list = main.TableList();
    int sales = -1, employees = -1;
    for (int row = 0; row < list.RowCount(); ++row) {
        if (list.CellText(row, 1).Equals("売上明細"))
            sales = row;
        if (list.CellText(row, 1).Equals("社員"))
            employees = row;
    }
    ASSERT_GE(sales, 0);
    ASSERT_GE(employees, 0);
    UINT state = GetMenuState(list.ContextMenu(), IDM_INDEX_MAINTENANCE, MF_BYCOMMAND);
    EXPECT_FALSE(state == 0xFFFFFFFF || (state & (MF_GRAYED | MF_DISABLED))) << state;
    list.SelectRow(sales, true);
    SendMessageA(app.Handle(), kGridClick, reinterpret_cast<WPARAM>(list.ListHandle()), MAKELONG(sales, 1));
    RecordingWindow::Pump();
    ASSERT_TRUE(main.DefinitionShowsTable());

    DialogDriver driver("インデックス メンテナンス ( 売上明細 )", [&](HWND dialog) {
        WaitFor([&] { return GetForegroundWindow() == dialog; });
        Sleep(300);
        EXPECT_EQ((std::vector<std::string>{"P|売上明細_pkey"}), Lines(dialog, IDC_INDEX_LIST));
        Click(dialog, IDC_INDEX_LIST, 0);
        EXPECT_TRUE(WaitFor([&] { return Rows(dialog, IDC_INDEX_COLUMNS) == 2; }));
        EXPECT_EQ((std::vector<std::string>{"1|伝票番号", "2|行番号"}), Lines(dialog, IDC_INDEX_COLUMNS));
        Press(dialog, IDCANCEL);
    });
    app.Command(IDM_INDEX_MAINTENANCE);
    EXPECT_TRUE(driver.Finish());

    // Another table selected than the one whose definition is shown.
    list.SelectRow(sales, false);
    list.SelectRow(employees, true);
    MessageBoxAnswer answer(IDOK);
    app.Command(IDM_INDEX_MAINTENANCE);
    EXPECT_EQ("表をクリックして表定義を表示して下さい　　", answer.Text());
}
