// The main window in the test's process: start-up from the settings file, layout commands,
// dropped files, the lists other programs hand over, the result toggle, drop and clear per
// database kind, and connecting through the dialogs to the sample databases.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "MainWindowTestSupport.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "app/HotKeyLauncher.h"
#include "common/Clipboard.h"
#include "resources/ConnectDialogIds.h"
#include "resources/resource.h"

namespace {

std::string FontFace(HWND window)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA description = {};
    if (!font || !GetObjectA(font, sizeof description, &description))
        return "<none>";
    return description.lfFaceName;
}

LONG FontHeight(HWND window)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA description = {};
    return font && GetObjectA(font, sizeof description, &description) ? description.lfHeight : 0;
}

RECT ScreenRect(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

std::string Clipboard(HWND owner)
{
    VornString text;
    ReadClipboardText(owner, text);
    return text.Text();
}

std::string CommandAreaText(MainWindowFixture& app)
{
    char text[4096] = "";
    GetWindowTextA(app.Main().CommandArea(), text, sizeof text);
    return text;
}

void HoldShift(bool held)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

void WriteFile(const std::string& path, const char* text) { WriteBytes(path, text); }

// Another program's side: 1 when it got the mutex within 200 ms, 0 when not.
DWORD WINAPI TryTheMutex(void*)
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, "Kestrova");
    if (!mutex)
        return 2;
    DWORD waited = WaitForSingleObject(mutex, 200);
    if (waited == WAIT_OBJECT_0)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
    return waited == WAIT_OBJECT_0 ? 1 : 0;
}

}  // namespace

TEST(MainWindowStartUp, WithoutSettingsTheDefaultsHoldAndShutdownWritesThem)
{
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    EXPECT_DOUBLE_EQ(0.50, main.HorizontalRatio());
    EXPECT_DOUBLE_EQ(0.55, main.VerticalRatio());
    EXPECT_EQ(95, main.TableList().ColumnWidth(3));
    EXPECT_EQ(95, main.TableList().ColumnWidth(4));
    EXPECT_EQ(30, main.TableList().ColumnWidth(0));
    EXPECT_EQ(50, main.Browser().RowLimit);
    EXPECT_STREQ("50", main.CommandBar().CellText(0, 0));
    EXPECT_STREQ("SQL", main.ExecutionType());
    EXPECT_STREQ("50,100,200,300,400,500,1000", main.RowLimitChoices());
    EXPECT_EQ("ＭＳ ゴシック", FontFace(main.CommandArea()));
    EXPECT_EQ("ＭＳ Ｐゴシック", FontFace(main.TableList().ListHandle()));
    EXPECT_EQ(DatabaseKind::None, main.Browser().Kind());
    EXPECT_FALSE(MenuCommandEnabled(app.Handle(), IDM_EXECUTE));
    EXPECT_FALSE(MenuCommandEnabled(app.Handle(), IDM_DROP_OBJECTS));
    EXPECT_FALSE(MenuCommandEnabled(app.Handle(), IDM_EXPORT_POSTGRES));
    EXPECT_TRUE(MenuCommandEnabled(app.Handle(), IDM_CONNECT_POSTGRES));
    char className[64] = "";
    GetClassNameA(app.Handle(), className, sizeof className);
    EXPECT_STREQ("KESTROVA", className);
    // The named mutex other programs wait for exists while the window does.
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Kestrova");
    EXPECT_NE(nullptr, mutex);
    if (mutex)
        CloseHandle(mutex);

    // With no stored rectangle the window fills the desktop's work area.
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame = ScreenRect(app.Handle());
    EXPECT_EQ(work.right - work.left, frame.right - frame.left);

    app.Close();
    EXPECT_EQ("95", app.Setting("MainOption", "ColumnWidth3"));
    EXPECT_EQ("95", app.Setting("MainOption", "ColumnWidth4"));
    EXPECT_EQ("50", app.Setting("MainOption", "MaxCount"));
}

TEST(MainWindowStartUp, StoredValuesAreRestoredWithinTheirLimits)
{
    MainWindowFixture app;
    app.Set("MainOption", "ColumnWidth3", "0");
    app.Set("MainOption", "ColumnWidth4", "120");
    app.Set("MainOption", "MaxCount", "200");
    app.Set("MainOption", "CommandDispRateH", "70");
    app.Set("MainOption", "CommandDispRateV", "40");
    app.Set("MainOption", "TableViewFontSize", "20");
    app.Set("MainOption", "CommandFontType", "3");
    app.Set("MainWindowSize", "Left", "-30");
    app.Set("MainWindowSize", "Top", "12");
    app.Set("MainWindowSize", "Width", "100");
    app.Set("MainWindowSize", "Height", "400");
    CreateDirectoryA(app.PathInFolder("Tool").c_str(), nullptr);
    CreateDirectoryA(app.PathInFolder("Tool\\parts").c_str(), nullptr);
    WriteFile(app.PathInFolder("Tool\\parts\\limitrows.txt"), "10,20,5000\r\nignored\r\n");
    app.Start();
    MainWindow& main = app.Main();
    EXPECT_EQ(95, main.TableList().ColumnWidth(3)) << "a stored 0 counts as missing";
    EXPECT_EQ(120, main.TableList().ColumnWidth(4));
    EXPECT_EQ(200, main.Browser().RowLimit);
    EXPECT_STREQ("200", main.CommandBar().CellText(0, 0));
    EXPECT_DOUBLE_EQ(0.70, main.HorizontalRatio());
    EXPECT_DOUBLE_EQ(0.40, main.VerticalRatio());
    EXPECT_STREQ("10,20,5000", main.RowLimitChoices());
    EXPECT_EQ("ＭＳ 明朝", FontFace(main.CommandArea()));
    // Size 20 is out of range: the table list keeps the font a list view starts with.
    HWND plain = CreateWindowA("SysListView32", "", WS_CHILD | LVS_REPORT, 0, 0, 10, 10, app.Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(FontFace(plain), FontFace(main.TableList().ListHandle()));
    EXPECT_EQ(FontHeight(plain), FontHeight(main.TableList().ListHandle()));
    DestroyWindow(plain);
    RECT frame = ScreenRect(app.Handle());
    EXPECT_EQ(0, frame.left);
    EXPECT_EQ(12, frame.top);
    EXPECT_EQ(250, frame.right - frame.left);
    EXPECT_EQ(400, frame.bottom - frame.top);
    // The table list takes 30 % of the client width.
    RECT client;
    GetClientRect(app.Handle(), &client);
    RECT list;
    GetClientRect(main.TableList().ListHandle(), &list);
    EXPECT_NEAR(client.right * 0.30, ScreenRect(main.TableList().ListHandle()).right - frame.left, 12);

    // The rectangle goes back as it is now (a window filling the desktop counts as
    // maximised with some window managers, and a maximised window keeps its old one).
    MoveWindow(app.Handle(), 40, 30, 700, 500, TRUE);
    app.Close();
    EXPECT_EQ("40", app.Setting("MainWindowSize", "Left"));
    EXPECT_EQ("30", app.Setting("MainWindowSize", "Top"));
    EXPECT_EQ("700", app.Setting("MainWindowSize", "Width"));
    EXPECT_EQ("500", app.Setting("MainWindowSize", "Height"));
    EXPECT_EQ("200", app.Setting("MainOption", "MaxCount"));
    EXPECT_EQ("120", app.Setting("MainOption", "ColumnWidth4"));
}

TEST(MainWindowLayout, RatioButtonsStepWrapAndAreStored)
{
    MainWindowFixture app;
    app.Set("MainOption", "CommandDispRateH", "40");
    app.Start();
    MainWindow& main = app.Main();
    const int listWidthAt40 = ScreenRect(main.TableList().ListHandle()).right - ScreenRect(main.TableList().ListHandle()).left;
    app.Command(IDM_STEP_RATIO_H);
    EXPECT_DOUBLE_EQ(0.50, main.HorizontalRatio());
    EXPECT_EQ("50", app.Setting("MainOption", "CommandDispRateH"));
    const int listWidthAt50 = ScreenRect(main.TableList().ListHandle()).right - ScreenRect(main.TableList().ListHandle()).left;
    EXPECT_LT(listWidthAt50, listWidthAt40);
    for (int click = 0; click < 4; ++click)
        app.Command(IDM_STEP_RATIO_H);
    EXPECT_DOUBLE_EQ(0.40, main.HorizontalRatio());
    EXPECT_EQ("40", app.Setting("MainOption", "CommandDispRateH"));

    HoldShift(true);
    app.Command(IDM_STEP_RATIO_H);
    app.Command(IDM_STEP_RATIO_V);
    HoldShift(false);
    EXPECT_DOUBLE_EQ(0.80, main.HorizontalRatio());
    EXPECT_DOUBLE_EQ(0.45, main.VerticalRatio());
    EXPECT_EQ("45", app.Setting("MainOption", "CommandDispRateV"));

    app.Command(IDM_RATIO_V30);
    EXPECT_DOUBLE_EQ(0.30, main.VerticalRatio());
    EXPECT_EQ("30", app.Setting("MainOption", "CommandDispRateV"));
}

TEST(MainWindowDrops, WorkbooksAndMdbFilesDroppedOnTheTableListConnect)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"Sheet1$", "TABLE"}, {"売上$", "TABLE"}}));
    MainWindowFixture app;
    app.Set("EXCEL", "NoHdr", "1");
    app.Start();
    MainWindow& main = app.Main();

    app.DropFile(main.TableList().ListHandle(), "C:\\データ\\メモ.txt");
    EXPECT_EQ(DatabaseKind::None, main.Browser().Kind()) << "a text file is ignored";
    EXPECT_EQ(0, main.TableList().RowCount());

    app.DropFile(main.TableList().ListHandle(), "C:\\データ\\売上.XLS");
    EXPECT_EQ(DatabaseKind::Excel, main.Browser().Kind());
    EXPECT_TRUE(main.Browser().record.noHeader);
    EXPECT_EQ(2, main.TableList().RowCount());
    std::string title = main.Text().Text();
    EXPECT_NE(std::string::npos, title.find(" -- [EXCEL] -- C:\\データ\\売上.XLS")) << title;
    EXPECT_TRUE(MenuCommandEnabled(app.Handle(), IDM_EXECUTE));
    EXPECT_FALSE(MenuCommandEnabled(app.Handle(), IDM_CLEAR_DATA)) << "no clearing a workbook";

    backend->AddSchemaRowset(20, {}, TablesRowset({{"顧客", "TABLE"}, {"リンク", "LINK"}, {"一覧", "VIEW"}}));
    main.Browser().record.jetPassword = "他の台帳の合言葉";
    app.DropFile(main.TableList().ListHandle(), "C:\\データ\\台帳.mdb");
    EXPECT_EQ(DatabaseKind::Mdb, main.Browser().Kind());
    EXPECT_EQ(std::string::npos, std::string(main.Browser().record.connectionString.Text()).find("合言葉"))
        << "a dropped file is not opened with another file's password";
    EXPECT_EQ(3, main.TableList().RowCount());
    EXPECT_TRUE(MenuCommandEnabled(app.Handle(), IDM_CLEAR_DATA));

    app.DropFile(main.TableList().ListHandle(), "C:\\データ\\売上.xls");
    EXPECT_EQ(DatabaseKind::Excel, main.Browser().Kind()) << "lower-case extension";
}

TEST(MainWindowDrops, ScriptsDroppedOnTheCommandAreaLoadAndSetTheType)
{
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    WriteFile(app.PathInFolder("集計.cgi"), "print \"表\";\nexit;\n");
    WriteFile(app.PathInFolder("メモ.txt"), "select 1\n");
    WriteFile(app.PathInFolder("tool.exe"), "MZ");

    app.DropFile(main.CommandArea(), app.PathInFolder("集計.cgi").c_str());
    EXPECT_EQ("print \"表\";\r\nexit;\r\n", CommandAreaText(app));
    EXPECT_STREQ("Perl", main.ExecutionType());

    app.DropFile(main.CommandArea(), app.PathInFolder("メモ.txt").c_str());
    EXPECT_EQ("select 1\r\n", CommandAreaText(app));
    EXPECT_STREQ("Perl", main.ExecutionType()) << "a text file keeps the type";

    app.DropFile(main.CommandArea(), app.PathInFolder("tool.exe").c_str());
    EXPECT_EQ("select 1\r\n", CommandAreaText(app)) << "other files are ignored";

    MessageBoxAnswer box(IDOK);
    app.DropFile(main.CommandArea(), app.PathInFolder("無い.sql").c_str());
    EXPECT_EQ("ファイルをオープンできませんでした　　", box.Text());
    EXPECT_STREQ("Perl", main.ExecutionType());
}

TEST(MainWindowExternalLists, PastedListsRoundTripThroughTheClipboard)
{
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    GridView& view = main.DefinitionView();

    ASSERT_TRUE(PutClipboardText(app.Handle(), "社員\t部署\r\n山田\t営業\r\n\r\n表示\tソ\r\n"));
    app.Command(IDM_SIMPLE_PASTE);
    ASSERT_EQ(2, view.ColumnCount());
    EXPECT_STREQ("1", view.ColumnTitle(0));
    EXPECT_STREQ("2", view.ColumnTitle(1));
    EXPECT_EQ(3, view.RowCount());
    EXPECT_TRUE(main.DefinitionShowsFreeSql());
    EXPECT_EQ(0, view.NextSelectedRow(-1));

    app.Command(IDM_COPY_LOWER_VIEW);
    EXPECT_EQ("1\t2\r\n社員\t部署\r\n山田\t営業\r\n表示\tソ\r\n", Clipboard(app.Handle()));

    PutClipboardText(app.Handle(), "名前,値\n東京,1\n");
    app.Command(IDM_EXTERNAL_LIST, ',');
    ASSERT_EQ(2, view.ColumnCount());
    EXPECT_STREQ("名前", view.ColumnTitle(0));
    ASSERT_EQ(1, view.RowCount());
    EXPECT_STREQ("東京", view.CellText(0, 0));

    PutClipboardText(app.Handle(), "大阪,2\n\n京都,3\n");
    app.Command(IDM_APPEND_PASTE, ',');
    EXPECT_EQ(3, view.RowCount());
    EXPECT_STREQ("京都", view.CellText(2, 0));
    EXPECT_EQ(2, view.NextSelectedRow(-1));

    PutClipboardText(app.Handle(), "追加列");
    app.Command(IDM_EXTERNAL_COMMAND, 1);
    ASSERT_EQ(3, view.ColumnCount());
    EXPECT_STREQ("追加列", view.ColumnTitle(2));
}

TEST(MainWindowExternalLists, KeptMutexIsReleasedWithTheRowCount)
{
    MainWindowFixture app;
    app.Start();
    PutClipboardText(app.Handle(), "a\tb\n1\t2\n");
    app.Command(IDM_EXTERNAL_LIST);
    app.Command(IDM_EXTERNAL_COMMAND, 2);

    auto otherProgramCanTake = []() {
        HANDLE thread = CreateThread(nullptr, 0, TryTheMutex, nullptr, 0, nullptr);
        WaitForSingleObject(thread, 5000);
        DWORD code = 0;
        GetExitCodeThread(thread, &code);
        CloseHandle(thread);
        return code;
    };
    EXPECT_EQ(0u, otherProgramCanTake()) << "lParam 2 keeps the mutex";
    app.Command(IDM_EXTERNAL_COMMAND, 102);
    EXPECT_EQ("1", Clipboard(app.Handle()));
    EXPECT_EQ(1u, otherProgramCanTake());
}

TEST(MainWindowFiles, ResultToggleAndRefreshUseTheRunFiles)
{
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    SetWindowTextA(main.CommandArea(), "select 1");
    app.Command(IDM_RESULT_TOGGLE);
    EXPECT_EQ("", CommandAreaText(app)) << "no result file: the text is put aside";
    app.Command(IDM_RESULT_TOGGLE);
    EXPECT_EQ("select 1", CommandAreaText(app));

    WriteFile(app.PathInFolder("Result.txt"), "結果\n");
    WriteFile(app.PathInFolder("Action.vbs"), "WScript.Echo 1\nWScript.Echo \"表\"\n");
    main.SetExecutionType("WSH(.vbs)");
    app.Command(IDM_RESULT_TOGGLE);
    EXPECT_EQ("結果\r\n0001 WScript.Echo 1\r\n0002 WScript.Echo \"表\"\r\n", CommandAreaText(app));
    app.Command(IDM_RESULT_TOGGLE);
    EXPECT_EQ("select 1", CommandAreaText(app));

    WriteFile(app.PathInFolder("std.txt"), "x");
    WriteFile(app.PathInFolder("CodeArea.bat"), "x");
    WriteFile(app.PathInFolder("keep.txt"), "x");
    app.Command(IDM_REFRESH);
    EXPECT_EQ("<missing>", ReadBytes(app.PathInFolder("Result.txt")));
    EXPECT_EQ("<missing>", ReadBytes(app.PathInFolder("std.txt")));
    EXPECT_EQ("<missing>", ReadBytes(app.PathInFolder("CodeArea.bat")));
    EXPECT_EQ("<missing>", ReadBytes(app.PathInFolder("Action.vbs")));
    EXPECT_EQ("x", ReadBytes(app.PathInFolder("keep.txt")));
}

TEST(MainWindowCommands, HotKeysStartTheStoredOrDefaultProgramAndOptionsOpen)
{
    static std::vector<std::string> started;
    started.clear();
    ProgramStarter previous = SetProgramStarter([](const char* commandLine, const char*) -> DWORD {
        started.push_back(commandLine);
        return 1;
    });
    MainWindowFixture app;
    app.Set("MainOption", "VK_ADD", "notepad.exe 集計.txt");
    app.Start();
    app.Command(32926);  // Ctrl+Num +
    app.Command(32927);  // Ctrl+Num *
    SetProgramStarter(previous);
    EXPECT_EQ((std::vector<std::string>{"notepad.exe 集計.txt", "cmd.exe"}), started);

    DialogDriver options("オプション設定", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
    app.Command(IDM_OPTIONS);
    EXPECT_TRUE(options.Finish());
}

TEST(MainWindowCommands, TableListKeysAndSelectFromFillTheCommandArea)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"社員", "TABLE"}, {"一覧", "VIEW"}}));
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    main.SetExecutionType("PHP");
    main.TableList().SelectRow(0, true);
    HoldShift(true);
    SendMessageA(app.Handle(), kAnyKeyDown, reinterpret_cast<WPARAM>(main.TableList().ListHandle()), 'S');
    HoldShift(false);
    RecordingWindow::Pump();
    EXPECT_EQ("select * from [社員]", CommandAreaText(app));
    EXPECT_STREQ("SQL", main.ExecutionType());

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(app.Handle(), kAnyKeyDown, reinterpret_cast<WPARAM>(main.TableList().ListHandle()), 'C');
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    RecordingWindow::Pump();
    EXPECT_EQ("社員", Clipboard(app.Handle()));
    EXPECT_EQ("クリップボードへテーブル名 \"社員\" をコピーしました", std::string(main.Status().SimpleText().Text()));

    // Tab moves to the lower list, selecting its first row when none is.
    PutClipboardText(app.Handle(), "a\nb\n");
    app.Command(IDM_SIMPLE_PASTE);
    main.DefinitionView().SelectAll(false);
    SendMessageA(app.Handle(), kControlTab, reinterpret_cast<WPARAM>(main.TableList().ListHandle()), 0);
    EXPECT_EQ(main.DefinitionView().ListHandle(), GetFocus());
    EXPECT_EQ(0, main.DefinitionView().NextSelectedRow(-1));
}

TEST(MainWindowCommands, TypeFilterMenuListsTheTypesSeenAndFiltersTheList)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"社員", "TABLE"}, {"一覧", "VIEW"}, {"部署", "TABLE"}}));
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    HMENU menu = GetMenu(app.Handle());
    char caption[64] = "";
    ASSERT_GT(GetMenuStringA(menu, IDM_TYPE_FILTER_SEEN_FIRST, caption, sizeof caption, MF_BYCOMMAND), 0);
    EXPECT_STREQ("TABLE", caption);
    GetMenuStringA(menu, IDM_TYPE_FILTER_SEEN_FIRST + 1, caption, sizeof caption, MF_BYCOMMAND);
    EXPECT_STREQ("VIEW", caption);
    EXPECT_EQ(0, GetMenuStringA(menu, IDM_TYPE_FILTER_SEEN_FIRST + 2, caption, sizeof caption, MF_BYCOMMAND));
    EXPECT_TRUE(GetMenuState(menu, IDM_TYPE_ALL, MF_BYCOMMAND) & MF_CHECKED);

    app.Command(IDM_TYPE_FILTER_SEEN_FIRST + 1);
    EXPECT_STREQ("VIEW", main.Browser().typeFilter);
    ASSERT_EQ(1, main.TableList().RowCount());
    EXPECT_STREQ("一覧", main.TableList().CellText(0, 1));
    EXPECT_TRUE(GetMenuState(menu, IDM_TYPE_FILTER_SEEN_FIRST + 1, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu, IDM_TYPE_ALL, MF_BYCOMMAND) & MF_CHECKED);
    // The filtered read does not replace the menu's types.
    EXPECT_GT(GetMenuStringA(menu, IDM_TYPE_FILTER_SEEN_FIRST, caption, sizeof caption, MF_BYCOMMAND), 0);

    app.Command(IDM_TYPE_ALL);
    EXPECT_STREQ("", main.Browser().typeFilter);
    EXPECT_EQ(3, main.TableList().RowCount());
}

TEST(MainWindowCommands, CommandBarChoicesSetTheRowLimitAndCountsFillTheList)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"社員", "TABLE"}}));
    ScriptedRowset count;
    count.Column("count", 3).Row({"1234"});
    backend->AddRowset("select count(*) from [社員]", count);
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    GridView& bar = main.CommandBar();

    SendMessageA(app.Handle(), kGridClick, reinterpret_cast<WPARAM>(bar.ListHandle()), MAKELONG(0, 0));
    RecordingWindow::Pump();
    HWND combo = bar.ComboBox();
    ASSERT_TRUE(IsWindowVisible(combo));
    EXPECT_EQ(7, SendMessageA(combo, CB_GETCOUNT, 0, 0));
    bar.HideEditor();
    bar.SetCellText(0, 0, "300");
    SendMessageA(app.Handle(), kGridComboCommitted, reinterpret_cast<WPARAM>(bar.ListHandle()), MAKELONG(0, 0));
    EXPECT_EQ(300, main.Browser().RowLimit);

    SendMessageA(app.Handle(), kGridClick, reinterpret_cast<WPARAM>(bar.ListHandle()), MAKELONG(0, 2));
    RecordingWindow::Pump();
    EXPECT_EQ(7, SendMessageA(bar.ComboBox(), CB_GETCOUNT, 0, 0)) << "the seven execution types";
    bar.HideEditor();

    ASSERT_TRUE(main.ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    main.TableList().SelectRow(0, true);
    app.Command(IDM_COUNT_ROWS);
    EXPECT_STREQ("   1234", main.TableList().CellText(0, 5));
    app.Close();
    EXPECT_EQ("300", app.Setting("MainOption", "MaxCount"));
}

TEST(MainWindowCommands, ExcelThroughAnotherDsnUsesTheOdbcProvider)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"Sheet1$", "TABLE"}}));
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    ASSERT_TRUE(main.ConnectExcelDsn("売上ブック"));
    EXPECT_EQ(DatabaseKind::Excel, main.Browser().Kind());
    EXPECT_STREQ("Provider=MSDASQL;DSN=売上ブック;UID=;PWD=;", main.Browser().record.connectionString);
    EXPECT_TRUE(main.Browser().excelThroughDsn);
    EXPECT_EQ(1, main.TableList().RowCount());
}

TEST(MainWindowTables, CommandsThatNeedATableSaySo)
{
    MainWindowFixture app;
    app.Start();
    {
        MessageBoxAnswer box(IDOK);
        app.Command(IDM_SELECT_FROM);
        EXPECT_EQ("テーブルを選択して下さい　　", box.Text());
    }
    {
        MessageBoxAnswer box(IDOK);
        app.Command(IDM_DROP_OBJECTS);
        EXPECT_EQ("オブジェクトを選択して下さい　　", box.Text());
    }
}

namespace {

std::vector<std::string> StatementsRun(const ScriptedBackend& backend)
{
    std::vector<std::string> run;
    for (const std::string& statement : backend.Statements())
        if (statement.rfind("drop ", 0) == 0 || statement.rfind("delete ", 0) == 0 ||
            statement.rfind("truncate ", 0) == 0)
            run.push_back(statement);
    return run;
}

void SelectAll(GridView& list)
{
    for (int row = 0; row < list.RowCount(); ++row)
        list.SelectRow(row, true);
}

}  // namespace

TEST(MainWindowTables, ClearAndDropIssueEachKindsStatements)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"社員", "TABLE"}, {"一覧", "VIEW"}}));
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();

    ASSERT_TRUE(main.ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    SelectAll(main.TableList());
    {
        MessageBoxAnswer cancel(IDCANCEL);
        app.Command(IDM_CLEAR_DATA);
        EXPECT_EQ("選択されたテーブルのデータをクリアしますか?　　", cancel.Text());
    }
    EXPECT_TRUE(StatementsRun(*backend).empty()) << "cancel runs nothing";
    {
        MessageBoxAnswer ok(IDOK);
        app.Command(IDM_CLEAR_DATA);
        ok.Text();
    }
    EXPECT_EQ((std::vector<std::string>{"truncate table [社員]"}), StatementsRun(*backend));

    backend->ClearRecord();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"台帳", "TABLE"}, {"リンク", "LINK"}}));
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::Mdb, "C:\\データ\\台帳.mdb"));
    SelectAll(main.TableList());
    {
        MessageBoxAnswer ok(IDOK);
        app.Command(IDM_CLEAR_DATA);
        ok.Text();
    }
    EXPECT_EQ((std::vector<std::string>{"delete from [台帳]"}), StatementsRun(*backend));

    backend->ClearRecord();
    SelectAll(main.TableList());
    backend->FailStatement("drop TABLE [台帳]", "使用中です");
    {
        MessageBoxAnswer ok(IDOK);
        app.Command(IDM_DROP_OBJECTS);
        EXPECT_EQ("選択されたオブジェクトを削除しますか?　　", ok.Text());
    }
    EXPECT_EQ((std::vector<std::string>{"drop TABLE [台帳]", "drop TABLE [リンク]"}), StatementsRun(*backend))
        << "a failure does not stop the loop";
    ASSERT_FALSE(app.linkMessages.empty());
    EXPECT_NE(std::string::npos, app.linkMessages.back().find("使用中です"));
}

TEST(MainWindowTables, FailedTableListGreysTheConnectionCommands)
{
    auto backend = UseScriptedBackend();
    backend->FailOpen("接続できません");
    MainWindowFixture app;
    app.Start();
    EXPECT_FALSE(app.Main().ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    EXPECT_EQ(DatabaseKind::None, app.Main().Browser().Kind());
    EXPECT_FALSE(MenuCommandEnabled(app.Handle(), IDM_EXECUTE));
    EXPECT_FALSE(app.linkMessages.empty());
}

namespace {

// Fills a server-kind connection dialog and presses OK, as a user would.
void FillServerDialog(HWND dialog, const char* dsn, const char* database)
{
    SetDlgItemTextA(dialog, IDC_CONNECT_SERVER, dsn);
    SetDlgItemTextA(dialog, IDC_CONNECT_DATABASE, database);
    SetDlgItemTextA(dialog, IDC_CONNECT_USER, "kestrova");
    SetDlgItemTextA(dialog, IDC_CONNECT_PASSWORD, "kestrova");
    Press(dialog, IDOK);
}

int RowOf(GridView& list, const char* name)
{
    for (int row = 0; row < list.RowCount(); ++row)
        if (list.CellText(row, 1).Equals(name))
            return row;
    return -1;
}

void ExpectSampleTablesAndDefinition(MainWindowFixture& app)
{
    MainWindow& main = app.Main();
    GridView& list = main.TableList();
    int employees = RowOf(list, "社員");
    ASSERT_GE(employees, 0) << "tables: " << list.RowCount();
    EXPECT_GE(RowOf(list, "部署"), 0);
    EXPECT_GE(RowOf(list, "社員一覧"), 0);
    EXPECT_TRUE(MenuCommandEnabled(app.Handle(), IDM_EXECUTE));

    list.SelectRow(employees, true);
    SendMessageA(app.Handle(), kGridClick, reinterpret_cast<WPARAM>(list.ListHandle()), MAKELONG(employees, 1));
    RecordingWindow::Pump();
    EXPECT_TRUE(main.DefinitionShowsTable());
    GridView& definition = main.DefinitionView();
    ASSERT_GT(definition.RowCount(), 0);
    bool found = false;
    for (int row = 0; row < definition.RowCount(); ++row)
        found = found || definition.CellText(row, 1).Equals("社員番号");
    EXPECT_TRUE(found) << "the definition of 社員 lists 社員番号";

    // The road of one request: a SELECT in the command area, executed from the bar.
    SetWindowTextA(main.CommandArea(), "select count(*) from 部署");
    app.Command(IDM_EXECUTE);
    EXPECT_TRUE(main.DefinitionShowsFreeSql());
    EXPECT_EQ(1, definition.RowCount());
    std::string status = main.Status().SimpleText().Text();
    EXPECT_EQ("Free SQL の結果を表示しました ( 1/50 )", status);
}

}  // namespace

TEST(MainWindowConnecting, PostgresThroughItsDialogListsTablesAndShowsADefinition)
{
    MainWindowFixture app;
    app.Start();
    DialogDriver driver("PostgreSQL の接続", [](HWND dialog) { FillServerDialog(dialog, "KestrovaPg", "sample"); });
    app.Command(IDM_CONNECT_POSTGRES);
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(DatabaseKind::Postgres, app.Main().Browser().Kind());
    std::string title = app.Main().Text().Text();
    EXPECT_NE(std::string::npos, title.find(" -- [Postgres] -- KestrovaPg,sample,kestrova,kestrova")) << title;
    EXPECT_EQ("KestrovaPg,sample,kestrova,kestrova", app.Setting("Postgres", "LastConnect"));
    ExpectSampleTablesAndDefinition(app);
}

TEST(MainWindowConnecting, MySqlThroughItsDialogListsTablesAndShowsADefinition)
{
    MainWindowFixture app;
    app.Start();
    DialogDriver driver("MySQL の接続", [](HWND dialog) { FillServerDialog(dialog, "KestrovaMy", "sample"); });
    app.Command(IDM_CONNECT_MYSQL);
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(DatabaseKind::MySql, app.Main().Browser().Kind());
    ExpectSampleTablesAndDefinition(app);
}
