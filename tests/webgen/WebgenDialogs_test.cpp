// The generator dialogs as a user drives them, alone and opened from the main window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "WebgenTestSupport.h"
#include "app/MainWindowTestSupport.h"
#include "common/GridView.h"
#include "resources/WebgenDialogIds.h"
#include "resources/resource.h"
#include "webgen/WebProject.h"
#include "webgen/MdbTemplateStore.h"
#include "webgen/WebgenDialogs.h"

namespace {

// An empty scratch folder: each run starts without the projects of the last one.
std::string FreshFolder(const char* name)
{
    std::string folder = ScratchPath(name);
    std::string doubleEnded = folder + '\0';
    SHFILEOPSTRUCTA remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = doubleEnded.c_str();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&remove);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000)
{
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (condition())
            return true;
        Sleep(20);
    }
    return condition();
}

// Presses a button of the dialog and answers the "確認" boxes that follow, one button each;
// returns their texts.
std::vector<std::string> PressAndAnswer(HWND dialog, int id, std::vector<int> answers)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    std::vector<std::string> texts;
    for (int button : answers) {
        HWND box = WaitForOwnDialog("確認", 15000);
        if (!box) {
            texts.push_back("<none>");
            break;
        }
        texts.push_back(DialogStaticText(box));
        Press(box, button);
        WaitFor([&] { return !IsWindow(box); });
    }
    return texts;
}

std::string Caption(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

GridView* Grid(HWND dialog, int id) { return GridView::FromListHandle(GetDlgItem(dialog, id)); }

std::vector<std::string> Rows(GridView* grid, bool checkedOnly)
{
    std::vector<std::string> rows;
    for (int row = 0; grid && row < grid->RowCount(); ++row)
        if (!checkedOnly || grid->IsChecked(row))
            rows.push_back(std::string(grid->CellText(row, 1).Text()) + "/" + grid->CellText(row, 2).Text());
    return rows;
}

// Runs the dialog of the kind over the shipped templates while action drives it.
void Drive(WebKind kind, const WebgenContext& base, const char* caption, const std::function<void(HWND)>& action)
{
    FolderTemplateStore store(ShippedTemplates().c_str());
    WebgenContext context = base;
    if (!context.store)
        context.store = &store;
    DialogDriver driver(caption, [&](HWND dialog) {
        action(dialog);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    RunWebgenDialog(nullptr, kind, context);
    EXPECT_TRUE(driver.Finish()) << caption;
}

WebgenContext EmployeeContext()
{
    WebgenContext context;
    context.table = "社員";
    context.definition = EmployeeDefinition();
    return context;
}

const char kConfirm[] = "処理を実行しますか?　　";
const char kOverwrite[] = "既にプロジェクトが存在します　　　\n\n上書きしますか?　　";
const char kFinished[] = "書き込みが終了しました　　";

}  // namespace

TEST(WebgenDialogs, KeyKindListsKeysAndAsksBeforeOverwriting)
{
    std::string base = FreshFolder("keys");
    std::string project = base + "\\SignUp";
    Drive(WebKind::SignUp, EmployeeContext(), "サインアップ", [&](HWND dialog) {
        EXPECT_EQ("SignUp", ItemText(dialog, IDC_WEBGEN_PROJECT));
        EXPECT_EQ("キーフィールド", ItemText(dialog, IDC_WEBGEN_LEFT_LABEL));
        EXPECT_EQ("編集フィールド", ItemText(dialog, IDC_WEBGEN_RIGHT_LABEL));
        GridView* left = Grid(dialog, IDC_WEBGEN_LEFT_GRID);
        GridView* right = Grid(dialog, IDC_WEBGEN_RIGHT_GRID);
        ASSERT_TRUE(left && right);
        EXPECT_EQ(8u, Rows(left, false).size());
        EXPECT_EQ((std::vector<std::string>{"社員番号/1"}), Rows(left, true)) << "the primary key comes checked";
        EXPECT_TRUE(Rows(right, true).empty());
        EXPECT_EQ("", std::string(left->ColumnTitle(0).Text()));
        EXPECT_EQ("列名", std::string(left->ColumnTitle(1).Text()));

        EXPECT_EQ((std::vector<std::string>{"対象ディレクトリを決定して下さい　　"}),
                  PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDOK}));
        SetDlgItemTextA(dialog, IDC_WEBGEN_DIRECTORY, base.c_str());
        EXPECT_EQ((std::vector<std::string>{"編集項目を選択して下さい　　"}), PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDOK}));
        // "選択行をチェック" checks the selected rows of the right grid.
        right->SelectRow(1, true);
        right->SelectRow(3, true);
        SendMessageA(dialog, WM_COMMAND, IDC_WEBGEN_CHECK_SELECTED, 0);
        EXPECT_EQ((std::vector<std::string>{"氏名/2", "入社日/4"}), Rows(right, true));

        EXPECT_EQ((std::vector<std::string>{kConfirm}), PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDNO}));
        EXPECT_EQ("<missing>", ReadBytes(project + "\\model.inc"));
        EXPECT_EQ((std::vector<std::string>{kConfirm, kFinished}), PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDYES, IDOK}));
        EXPECT_EQ("処理中です...", Caption(dialog));
        std::string model = ReadBytes(project + "\\model.inc");
        EXPECT_NE(std::string::npos, model.find("\tCall SetField(\"入社日\",\"In1004\")\r\n")) << model;
        EXPECT_NE("<missing>", ReadBytes(project + "\\page3.asp"));

        WriteBytes(project + "\\model.inc", "changed");
        EXPECT_EQ((std::vector<std::string>{kConfirm, kOverwrite}), PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDYES, IDNO}));
        EXPECT_EQ("changed", ReadBytes(project + "\\model.inc"));
        EXPECT_EQ((std::vector<std::string>{kConfirm, kOverwrite, kFinished}),
                  PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDYES, IDYES, IDOK}));
        EXPECT_EQ(model, ReadBytes(project + "\\model.inc"));
    });
}

TEST(WebgenDialogs, SearchKindNeedsALongVarcharColumn)
{
    WebgenContext context;
    context.table = "短い";
    DefinitionRows definition = EmployeeDefinition();
    definition[1][kDefSize] = "9";   // 氏名 varchar(9): too short for a fuzzy search
    context.definition = definition;
    Drive(WebKind::ExcelPrint, context, "Excel 印刷", [&](HWND dialog) {
        EXPECT_EQ("ExcelPrint", ItemText(dialog, IDC_WEBGEN_PROJECT));
        EXPECT_EQ("あいまい検索フィールド", ItemText(dialog, IDC_WEBGEN_LEFT_LABEL));
        EXPECT_EQ("表示フィールド", ItemText(dialog, IDC_WEBGEN_RIGHT_LABEL));
        EXPECT_TRUE(Rows(Grid(dialog, IDC_WEBGEN_LEFT_GRID), false).empty());
        SetDlgItemTextA(dialog, IDC_WEBGEN_DIRECTORY, ScratchPath("short").c_str());
        Grid(dialog, IDC_WEBGEN_RIGHT_GRID)->SetChecked(0, true);
        EXPECT_EQ((std::vector<std::string>{"あいまい検索項目を選択して下さい　　"}),
                  PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDOK}));
        SetDlgItemTextA(dialog, IDC_WEBGEN_PROJECT, "");
        EXPECT_EQ((std::vector<std::string>{"プロジェクト名を入力して下さい　　"}),
                  PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDOK}));
    });
    // With 氏名 long enough it is the one candidate, unchecked.
    Drive(WebKind::FrameQuery, EmployeeContext(), "フレーム問合せ", [&](HWND dialog) {
        EXPECT_EQ((std::vector<std::string>{"氏名/2"}), Rows(Grid(dialog, IDC_WEBGEN_LEFT_GRID), false));
        EXPECT_TRUE(Rows(Grid(dialog, IDC_WEBGEN_LEFT_GRID), true).empty());
    });
    Drive(WebKind::FrameRowMaintenance, EmployeeContext(), "フレームマスタメンテ", [&](HWND) {});
    Drive(WebKind::BulkDelete, EmployeeContext(), "一括行削除", [&](HWND dialog) {
        EXPECT_EQ("表示フィールド", ItemText(dialog, IDC_WEBGEN_RIGHT_LABEL));
    });
}

TEST(WebgenDialogs, CommonFilesMenuAndAnUnreachableStore)
{
    std::string site = FreshFolder("common");
    Drive(WebKind::CommonFiles, WebgenContext(), "ASP 共通ファイル作成", [&](HWND dialog) {
        EXPECT_EQ((std::vector<std::string>{"対象ディレクトリを決定して下さい　　"}),
                  PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDOK}));
        SetDlgItemTextA(dialog, IDC_WEBGEN_DIRECTORY, site.c_str());
        EXPECT_EQ((std::vector<std::string>{kConfirm, kFinished}), PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDYES, IDOK}));
    });
    for (const char* name : {"global.asa", "common.inc", "dbSS.inc", "style.css", "excel.vbs", "fs.vbs"})
        EXPECT_NE("<missing>", ReadBytes(site + "\\" + name)) << name;

    Drive(WebKind::Menu, WebgenContext(), "メニュー", [&](HWND dialog) {
        EXPECT_EQ("Menu", ItemText(dialog, IDC_WEBGEN_PROJECT));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_WEBGEN_THREE_COLUMNS));
        SetDlgItemTextA(dialog, IDC_WEBGEN_DIRECTORY, site.c_str());
        SetDlgItemTextA(dialog, IDC_WEBGEN_TITLE, "業務メニュー");
        SendDlgItemMessageA(dialog, IDC_WEBGEN_THREE_COLUMNS, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageA(dialog, IDC_WEBGEN_TWO_COLUMNS, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ((std::vector<std::string>{kConfirm, kFinished}), PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDYES, IDOK}));
    });
    std::string index = ReadBytes(site + "\\Menu\\index.asp");
    EXPECT_NE(std::string::npos, index.find("<TITLE>業務メニュー</TITLE>")) << index;
    EXPECT_NE(std::string::npos, index.find("<DIV class=MyTitle>業務メニュー</DIV>")) << index;
    EXPECT_NE(std::string::npos, ReadBytes(site + "\\Menu\\view.inc").find("Const MenuColumns = 2"));

    FolderTemplateStore nowhere(ScratchPath("no-templates").c_str());
    WebgenContext context = EmployeeContext();
    context.store = &nowhere;
    Drive(WebKind::BulkDelete, context, "一括行削除", [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_WEBGEN_DIRECTORY, site.c_str());
        Grid(dialog, IDC_WEBGEN_RIGHT_GRID)->SetChecked(1, true);
        EXPECT_EQ((std::vector<std::string>{kConfirm, "Kestrova.mdb に接続できません　　"}),
                  PressAndAnswer(dialog, IDC_WEBGEN_RUN, {IDYES, IDOK}));
    });
}

TEST(WebgenDialogs, MainWindowOpensTheGeneratorsWithTheShownTable)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"社員", "TABLE"}, {"部署", "TABLE"}}));
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    HMENU menu = GetMenu(app.Handle());
    char text[64] = "";
    GetMenuStringA(menu, IDM_ASP_EXCEL_PRINT, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("Excel 印刷", text);
    EXPECT_TRUE(MenuCommandEnabled(app.Handle(), IDM_ASP_BULK_DELETE));

    MessageBoxAnswer noTable(IDOK);
    app.Command(IDM_ASP_FRAME_QUERY);
    EXPECT_EQ("テーブルを選択して下さい　　", noTable.Text());

    DialogDriver common("ASP 共通ファイル作成", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    app.Command(IDM_ASP_COMMON_FILES);
    EXPECT_TRUE(common.Finish());

    ASSERT_TRUE(main.ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    main.TableList().SelectRow(0, true);
    // The definition the view shows for the selected row, as a click would have left it.
    GridView& view = main.DefinitionView();
    view.DeleteAllRows();
    while (view.ColumnCount() < kDefColumnCount)
        view.AddColumn("", 40);
    for (const DefinitionRow& definition : EmployeeDefinition()) {
        int row = view.AddRow();
        for (int column = 0; column < kDefColumnCount && column < view.ColumnCount(); ++column)
            view.SetCellText(row, column, definition[column]);
    }
    main.Browser().tableName = "社員";
    main.Browser().shownTableIndex = 0;
    std::vector<std::string> keys;
    DialogDriver maintenance("フレームマスタメンテ", [&](HWND dialog) {
        keys = Rows(Grid(dialog, IDC_WEBGEN_LEFT_GRID), true);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    app.Command(IDM_ASP_FRAME_MAINTENANCE);
    EXPECT_TRUE(maintenance.Finish());
    EXPECT_EQ((std::vector<std::string>{"社員番号/1"}), keys);
}

TEST(WebgenDialogs, ProgramStoreFallsBackToTheShippedFilesPastAnUnreadableMdb)
{
    std::string program = FreshFolder("program-store");
    std::unique_ptr<TemplateStore> store = ProgramTemplateStore(program.c_str());
    VornString text;
    EXPECT_EQ(SectionStatus::Unreachable, store->ReadSection("ASPMenu", "index.asp", text));
    // A file that no driver opens as a database, and the folder beside it.
    WriteBytes(program + "\\Kestrova.mdb", "not a database");
    CreateDirectoryA((program + "\\Tool").c_str(), nullptr);
    CreateDirectoryA((program + "\\Tool\\templates").c_str(), nullptr);
    CreateDirectoryA((program + "\\Tool\\templates\\ASPMenu").c_str(), nullptr);
    WriteBytes(program + "\\Tool\\templates\\ASPMenu\\index.asp", "<TITLE>$MENU</TITLE>\r\n");
    EXPECT_EQ(SectionStatus::Found, store->ReadSection("ASPMenu", "index.asp", text));
    EXPECT_STREQ("<TITLE>$MENU</TITLE>", text);
    EXPECT_EQ(SectionStatus::Missing, store->ReadSection("ASPMenu", "model.inc", text));
}
