// The platform helpers against the real platform: processes, folders, threads, list boxes,
// window lists, status bar, menus, tool bar and image lists.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/DirectoryListing.h"
#include "common/GridView.h"
#include "common/ImageLists.h"
#include "common/KeysAndCursor.h"
#include "common/ListBoxHelpers.h"
#include "common/MenuHelpers.h"
#include "common/ProgramLauncher.h"
#include "common/StatusBar.h"
#include "common/ToolBar.h"
#include "common/WindowLists.h"
#include "common/WorkerThread.h"

namespace {

bool IsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string MakeFolder(const char* name)
{
    std::string path = ScratchPath(name);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

struct FoundWindow {
    const char* prefix;
    HWND window;
};

BOOL CALLBACK MatchTitlePrefix(HWND window, LPARAM lParam)
{
    FoundWindow* found = reinterpret_cast<FoundWindow*>(lParam);
    char title[1024] = "";
    GetWindowTextA(window, title, sizeof title);
    if (std::strncmp(title, found->prefix, std::strlen(found->prefix)) == 0) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowByTitlePrefix(const char* prefix)
{
    FoundWindow found = {prefix, nullptr};
    EnumWindows(MatchTitlePrefix, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

HWND WaitForWindowByTitlePrefix(const char* prefix, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowByTitlePrefix(prefix);
        if (window || GetTickCount() - start > milliseconds)
            return window;
        Sleep(50);
    }
}

std::string WindowTitle(HWND window)
{
    char title[1024] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

DWORD WindowProcess(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

std::string ProbeCommand(const char* tag)
{
    return "\"" + std::string(ProgramFolder().Text()) + "\\LaunchProbe.exe\" " + tag;
}

// A plain top-level window of the test's own class.
HWND MakeWindow(const char* title, DWORD style, int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KestrovaHelperTest";
        RegisterClassA(&windowClass);
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        registered = true;
    }
    return CreateWindowA("KestrovaHelperTest", title, style, 10, 10, width, height, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

std::vector<std::string> ListBoxLines(HWND listBox)
{
    ListBox list(listBox);
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.ItemText(i).Text());
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The row whose column holds text, or -1.
int FindGridRow(const GridView& grid, int column, const char* text)
{
    for (int row = 0; row < grid.RowCount(); ++row) {
        if (grid.CellText(row, column).Equals(text))
            return row;
    }
    return -1;
}

}  // namespace

// ---- program launching ----------------------------------------------------------------

TEST(ProgramLauncher, WaitingFormReturnsOnceTheProgramWaitsForInput)
{
    std::string folder = MakeFolder("起動表");
    DWORD process = RunProgramAndWaitIdle(ProbeCommand("probe-idle").c_str(), folder.c_str());
    ASSERT_NE(0u, process);
    // The probe sleeps before it creates its window: without the wait it would not exist yet.
    HWND window = FindWindowByTitlePrefix("probe-idle|");
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(process, WindowProcess(window));
    EXPECT_EQ("probe-idle|1|" + folder, WindowTitle(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
}

TEST(ProgramLauncher, NormalFormShowsTheProgramNormallyInTheGivenFolder)
{
    std::string folder = MakeFolder("起動表");
    DWORD process = RunProgram(ProbeCommand("probe-normal").c_str(), folder.c_str());
    ASSERT_NE(0u, process);
    HWND window = WaitForWindowByTitlePrefix("probe-normal|", 15000);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(process, WindowProcess(window));
    // 1 = SW_SHOWNORMAL; without the start-up show flag the program would see SW_SHOWDEFAULT.
    EXPECT_EQ("probe-normal|1|" + folder, WindowTitle(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
}

TEST(ProgramLauncher, QuietFormRunsConsoleProgramInTheGivenFolder)
{
    std::string folder = MakeFolder("静か表");
    std::string marker = folder + "\\quiet.txt";
    RemoveFile(marker);
    DWORD process = RunProgramQuiet("cmd.exe /c echo 表ソ> quiet.txt", folder.c_str());
    ASSERT_NE(0u, process);
    std::string text;
    // The file may be read while cmd is still writing it: wait for the whole line.
    for (int i = 0; i < 200 && text.find("表ソ\r\n") == std::string::npos; ++i) {
        Sleep(50);
        text = ReadBytes(marker);
    }
    EXPECT_EQ("表ソ\r\n", text);
}

TEST(ProgramLauncher, MissingProgramGivesNoProcess)
{
    EXPECT_EQ(0u, RunProgram("no-such-program-kestrova.exe", nullptr));
    EXPECT_EQ(0u, RunProgramQuiet("no-such-program-kestrova.exe", ""));
    EXPECT_EQ(0u, RunProgramAndWaitIdle("no-such-program-kestrova.exe", nullptr));
    EXPECT_EQ(0u, RunProgram("", nullptr));
}

// ---- folders and names ------------------------------------------------------------------

TEST(SystemFolders, FoldersExistAndEndWithoutBackslash)
{
    VornString path = ProgramPath();
    EXPECT_NE(-1, path.FindIgnoreCase("common_helpers_tests.exe")) << path.Text();
    VornString folder = ProgramFolder();
    EXPECT_TRUE(IsFolder(folder)) << folder.Text();
    EXPECT_EQ(std::string(folder.Text()) + "\\common_helpers_tests.exe",
              std::string(path.Text(), folder.Length() + std::strlen("\\common_helpers_tests.exe")));

    VornString special;
    ASSERT_TRUE(SpecialFolder(CSIDL_APPDATA, special));
    for (const VornString& each : {folder, WindowsFolder(), SystemFolder(), TemporaryFolder(), special}) {
        EXPECT_TRUE(IsFolder(each)) << each.Text();
        EXPECT_GT(each.Length(), 3u) << each.Text();
        EXPECT_NE('\\', each.Text()[each.Length() - 1]) << each.Text();
    }
    EXPECT_TRUE(SystemFolder().StartsWith(WindowsFolder())) << SystemFolder().Text();
    EXPECT_FALSE(ComputerName().IsEmpty());
    EXPECT_FALSE(UserName().IsEmpty());
}

TEST(SystemFolders, DocumentFindsItsProgramAndTodayIsLocalDate)
{
    // Scripts are what the program opens this way; .txt has no association in a bare prefix.
    std::string document = ScratchPath("実行表.vbs");
    WriteBytes(document, "WScript.Quit 0\r\n");
    VornString program;
    ASSERT_TRUE(AssociatedProgram(document.c_str(), program));
    EXPECT_NE(-1, program.FindIgnoreCase("wscript.exe")) << program.Text();
    EXPECT_FALSE(AssociatedProgram(ScratchPath("無い表.vbs").c_str(), program));
    EXPECT_TRUE(program.IsEmpty());

    std::time_t now = std::time(nullptr);
    char expected[32];
    std::strftime(expected, sizeof expected, "%Y/%m/%d", std::localtime(&now));
    EXPECT_STREQ(expected, TodayText().Text());
}

// ---- worker thread ----------------------------------------------------------------------

namespace {

struct Job {
    HANDLE release;
    LONG ran;
};

DWORD WINAPI BlockedRoutine(void* context)
{
    Job* job = static_cast<Job*>(context);
    InterlockedIncrement(&job->ran);
    WaitForSingleObject(job->release, 20000);
    return 7;
}

}  // namespace

TEST(WorkerThread, RefusesASecondStartGivesUpAfterASecondAndReleasesOnExit)
{
    Job job = {CreateEventA(nullptr, TRUE, FALSE, nullptr), 0};
    WorkerThread worker;
    EXPECT_TRUE(worker.WaitForExit());  // no thread yet
    ASSERT_TRUE(worker.Start(BlockedRoutine, &job));
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_FALSE(worker.Start(BlockedRoutine, &job));

    DWORD start = GetTickCount();
    EXPECT_FALSE(worker.WaitForExit());
    DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 900u);
    EXPECT_LT(waited, 3000u);

    SetEvent(job.release);
    for (int i = 0; i < 100 && worker.IsRunning(); ++i)
        Sleep(10);
    DWORD code = 0;
    EXPECT_TRUE(worker.ExitCode(code));
    EXPECT_EQ(7u, code);
    start = GetTickCount();
    EXPECT_TRUE(worker.WaitForExit());
    EXPECT_LT(GetTickCount() - start, 500u);
    EXPECT_FALSE(worker.ExitCode(code));  // handle released

    // A finished thread does not block the next start.
    ASSERT_TRUE(worker.Start(BlockedRoutine, &job));
    for (int i = 0; i < 300 && worker.IsRunning(); ++i)
        Sleep(10);
    EXPECT_TRUE(worker.Start(BlockedRoutine, &job));
    EXPECT_TRUE(worker.WaitForExit());
    EXPECT_EQ(3, job.ran);
    CloseHandle(job.release);
}

// ---- directory listing ------------------------------------------------------------------

TEST(DirectoryListing, ListsEachPatternByKindWithoutDotEntries)
{
    // The folder name ends in 表 (trail byte 0x5C), so the joining backslash must still be added.
    std::string folder = MakeFolder("一覧表");
    for (const char* file : {"a.csv", "表ソ.csv", "b.txt", "c.dat"})
        WriteBytes(folder + "\\" + file, "x");
    CreateDirectoryA((folder + "\\サブ表").c_str(), nullptr);
    CreateDirectoryA((folder + "\\x.csv").c_str(), nullptr);

    HWND host = MakeWindow("host", WS_OVERLAPPEDWINDOW, 300, 300);
    HWND listBox = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, host, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, listBox);
    using V = std::vector<std::string>;

    EXPECT_EQ(4, ListDirectory(listBox, folder.c_str(), "*.csv;*.txt", kListAll));
    EXPECT_EQ((V{"a.csv", "b.txt", "x.csv", "表ソ.csv"}), ListBoxLines(listBox));

    ListBox(listBox).Clear();
    EXPECT_EQ(2, ListDirectory(listBox, folder.c_str(), "*.csv", kListFilesOnly));
    EXPECT_EQ((V{"a.csv", "表ソ.csv"}), ListBoxLines(listBox));

    ListBox(listBox).Clear();
    EXPECT_EQ(2, ListDirectory(listBox, folder.c_str(), "*", kListFoldersOnly));
    EXPECT_EQ((V{"x.csv", "サブ表"}), ListBoxLines(listBox));

    // Patterns carrying their own path; empty fields and patterns without matches add nothing.
    ListBox(listBox).Clear();
    std::string patterns = ";" + folder + "\\*.dat;;" + folder + "\\*.none";
    EXPECT_EQ(1, ListDirectory(listBox, nullptr, patterns.c_str(), kListAll));
    EXPECT_EQ((V{"c.dat"}), ListBoxLines(listBox));
    EXPECT_EQ(0, ListDirectory(listBox, (folder + "\\無い").c_str(), "*", kListAll));
    DestroyWindow(host);
}

TEST(ListBox, LinesRoundTripAndSelectionFollows)
{
    HWND host = MakeWindow("host", WS_OVERLAPPEDWINDOW, 300, 300);
    ListBox list(CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 0, 0, 200, 200, host,
                               nullptr, GetModuleHandleA(nullptr), nullptr));
    std::string longLine(700, 'a');
    longLine += "表ソ";
    EXPECT_EQ(0, list.Add("接続表"));
    EXPECT_EQ(1, list.Add(longLine.c_str()));
    EXPECT_EQ(2, list.Count());
    EXPECT_STREQ(longLine.c_str(), list.ItemText(1).Text());
    EXPECT_EQ(-1, list.Selection());
    list.Select(1);
    EXPECT_EQ(1, list.Selection());
    EXPECT_EQ(0, list.FindExact("接続表"));
    EXPECT_EQ(-1, list.FindExact("接続"));
    list.Clear();
    EXPECT_EQ(0, list.Count());
    DestroyWindow(host);
}

// ---- window lists -----------------------------------------------------------------------

TEST(WindowLists, TopLevelListShowsOwnWindowWithItsState)
{
    const char* title = "一覧表テスト窓ソ";
    HWND window = MakeWindow(title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 320, 200);
    ASSERT_NE(nullptr, window);
    HWND host = MakeWindow("grid host", WS_OVERLAPPEDWINDOW, 600, 400);
    GridView grid(host, 0, 0, 600, 400);
    grid.AddColumn("old", 50);  // cleared by the filler
    ListTopLevelWindows(grid);

    const char* titles[] = {"№", "ウインドウハンドル", "プロセスID", "クラス", "タイトル", "Visible",
                            "Enable", "Maximize", "Minimize", "Width", "Height", "ClientWidth",
                            "ClientHeight"};
    ASSERT_EQ(13, grid.ColumnCount());
    for (int column = 0; column < 13; ++column)
        EXPECT_STREQ(titles[column], grid.ColumnTitle(column).Text());
    for (int column : {1, 2, 9, 10, 11, 12})
        EXPECT_TRUE(grid.IsRightAligned(column)) << column;
    for (int column : {3, 4, 5, 6, 7, 8})
        EXPECT_FALSE(grid.IsRightAligned(column)) << column;

    EXPECT_STREQ("   1", grid.CellText(0, 0).Text());
    int row = FindGridRow(grid, 4, title);
    ASSERT_GE(row, 0);
    RECT client;
    GetClientRect(window, &client);
    char number[32];
    wsprintfA(number, "%4d", row + 1);
    EXPECT_STREQ(number, grid.CellText(row, 0).Text());
    wsprintfA(number, "%lu", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    EXPECT_STREQ(number, grid.CellText(row, 1).Text());
    wsprintfA(number, "%lu", GetCurrentProcessId());
    EXPECT_STREQ(number, grid.CellText(row, 2).Text());
    EXPECT_STREQ("KestrovaHelperTest", grid.CellText(row, 3).Text());
    EXPECT_STREQ("true", grid.CellText(row, 5).Text());
    EXPECT_STREQ("true", grid.CellText(row, 6).Text());
    EXPECT_STREQ("", grid.CellText(row, 7).Text());
    EXPECT_STREQ("", grid.CellText(row, 8).Text());
    EXPECT_STREQ("320", grid.CellText(row, 9).Text());
    EXPECT_STREQ("200", grid.CellText(row, 10).Text());
    wsprintfA(number, "%ld", client.right);
    EXPECT_STREQ(number, grid.CellText(row, 11).Text());
    wsprintfA(number, "%ld", client.bottom);
    EXPECT_STREQ(number, grid.CellText(row, 12).Text());

    // The hidden grid host is listed too, as not visible.
    row = FindGridRow(grid, 4, "grid host");
    ASSERT_GE(row, 0);
    EXPECT_STREQ("false", grid.CellText(row, 5).Text());

    ShowWindow(window, SW_MAXIMIZE);
    EnableWindow(window, FALSE);
    ListTopLevelWindows(grid);
    EXPECT_EQ(13, grid.ColumnCount());
    row = FindGridRow(grid, 4, title);
    ASSERT_GE(row, 0);
    EXPECT_STREQ("false", grid.CellText(row, 6).Text());
    EXPECT_STREQ("yes", grid.CellText(row, 7).Text());
    EXPECT_STREQ("", grid.CellText(row, 8).Text());

    ShowWindow(window, SW_MINIMIZE);
    ListTopLevelWindows(grid);
    row = FindGridRow(grid, 4, title);
    ASSERT_GE(row, 0);
    EXPECT_STREQ("", grid.CellText(row, 7).Text());
    EXPECT_STREQ("yes", grid.CellText(row, 8).Text());
    DestroyWindow(window);
    DestroyWindow(host);
}

TEST(WindowLists, ChildListDropsProcessAndSizeStateColumnsAndHoldsEveryDescendant)
{
    HWND window = MakeWindow("親表", WS_OVERLAPPEDWINDOW, 320, 200);
    HWND button = CreateWindowA("BUTTON", "押すソ", WS_CHILD | WS_VISIBLE, 5, 5, 80, 30, window, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    HWND inner = CreateWindowA("STATIC", "内側", WS_CHILD, 0, 0, 20, 10, button, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, inner);
    HWND host = MakeWindow("grid host", WS_OVERLAPPEDWINDOW, 600, 400);
    GridView grid(host, 0, 0, 600, 400);
    ListChildWindows(grid, window);

    const char* titles[] = {"№", "ウインドウハンドル", "クラス", "タイトル", "Visible", "Enable",
                            "Width", "Height", "ClientWidth", "ClientHeight"};
    ASSERT_EQ(10, grid.ColumnCount());
    for (int column = 0; column < 10; ++column)
        EXPECT_STREQ(titles[column], grid.ColumnTitle(column).Text());
    ASSERT_EQ(2, grid.RowCount());
    int row = FindGridRow(grid, 3, "押すソ");
    ASSERT_GE(row, 0);
    char number[32];
    wsprintfA(number, "%lu", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(button)));
    EXPECT_STREQ(number, grid.CellText(row, 1).Text());
    EXPECT_TRUE(grid.CellText(row, 2).EqualsIgnoreCase("Button")) << grid.CellText(row, 2).Text();
    // The parent is hidden, so the visible child is not visible either.
    EXPECT_STREQ("false", grid.CellText(row, 4).Text());
    EXPECT_STREQ("80", grid.CellText(row, 6).Text());
    EXPECT_STREQ("30", grid.CellText(row, 7).Text());
    EXPECT_GE(FindGridRow(grid, 3, "内側"), 0);
    DestroyWindow(window);
    DestroyWindow(host);
}

// ---- status bar, menus, tool bar, image lists, keys --------------------------------------

TEST(StatusBar, SimpleTextRoundTripsWhateverItsLength)
{
    HWND host = MakeWindow("host", WS_OVERLAPPEDWINDOW, 400, 300);
    StatusBar bar;
    ASSERT_TRUE(bar.Create(host, 300));
    EXPECT_EQ(host, GetParent(bar.Handle()));
    EXPECT_EQ(300, GetDlgCtrlID(bar.Handle()));
    bar.SetSimpleText("接続中：表ソ");
    EXPECT_STREQ("接続中：表ソ", bar.SimpleText().Text());
    bar.SetSimpleTextFormat("【 %d 件のデータ%s 】", 51, "表");
    EXPECT_STREQ("【 51 件のデータ表 】", bar.SimpleText().Text());
    std::string longText(3000, 'x');
    longText += "ソ";
    bar.SetSimpleText(longText.c_str());
    EXPECT_STREQ(longText.c_str(), bar.SimpleText().Text());
    bar.SetSimpleText(nullptr);
    EXPECT_STREQ("", bar.SimpleText().Text());
    DestroyWindow(host);
}

TEST(MenuHelpers, BuildFindChangeAndRemoveItems)
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU tools = CreatePopupMenu();
    ASSERT_TRUE(InsertSubMenu(bar, -1, file, "ファイル(&F)"));
    ASSERT_TRUE(InsertSubMenu(bar, -1, tools, "表ソ(&T)"));
    EXPECT_EQ(tools, FindSubMenu(bar, "表ソ(&T)"));
    EXPECT_EQ(file, SubMenuAt(bar, 0));
    EXPECT_EQ(nullptr, FindSubMenu(bar, "表ソ"));
    EXPECT_EQ(nullptr, SubMenuAt(bar, 5));

    ASSERT_TRUE(InsertMenuCommand(tools, -1, 40001, "一覧"));
    ASSERT_TRUE(InsertMenuCommand(tools, -1, 40003, "終了"));
    ASSERT_TRUE(InsertMenuSeparator(tools, 1));
    ASSERT_TRUE(InsertMenuCommand(tools, 1, 40002, "中間"));
    EXPECT_EQ(4, MenuItemCount(tools));
    EXPECT_STREQ("中間", MenuItemText(tools, 1).Text());
    EXPECT_STREQ("", MenuItemText(tools, 2).Text());  // separator
    EXPECT_EQ(3, FindMenuItem(tools, "終了"));
    EXPECT_EQ(-1, FindMenuItem(tools, "無い"));

    EXPECT_TRUE(SetMenuCommandText(tools, 40001, "新しい表ソ"));
    EXPECT_STREQ("新しい表ソ", MenuItemText(tools, 0).Text());
    CheckMenuCommand(bar, 40002, true);  // found through the sub-menu
    EXPECT_TRUE(IsMenuCommandChecked(tools, 40002));
    EXPECT_FALSE(IsMenuCommandChecked(tools, 40001));
    CheckMenuCommand(tools, 40002, false);
    EXPECT_FALSE(IsMenuCommandChecked(tools, 40002));
    EnableMenuCommand(tools, 40003, false);
    EXPECT_FALSE(IsMenuCommandEnabled(tools, 40003));
    EXPECT_TRUE(IsMenuCommandEnabled(tools, 40001));
    EnableMenuCommand(tools, 40003, true);
    EXPECT_TRUE(IsMenuCommandEnabled(tools, 40003));
    EXPECT_FALSE(IsMenuCommandEnabled(tools, 49999));

    EXPECT_TRUE(RemoveMenuCommand(tools, 40002));
    EXPECT_EQ(3, MenuItemCount(tools));
    EXPECT_TRUE(RemoveMenuItemAt(tools, 1));  // the separator
    EXPECT_STREQ("終了", MenuItemText(tools, 1).Text());
    RemoveMenuItemsFrom(tools, 1);
    EXPECT_EQ(1, MenuItemCount(tools));
    RemoveMenuItemsFrom(bar, 1);
    EXPECT_EQ(1, MenuItemCount(bar));
    EXPECT_FALSE(IsMenu(tools));  // destroyed with its item
    DestroyMenu(bar);
}

TEST(ToolBar, ButtonsFromABitmapTakeEnableAndCheckStates)
{
    HWND host = MakeWindow("host", WS_OVERLAPPEDWINDOW, 400, 300);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 48, 15);
    ReleaseDC(nullptr, screen);
    TBBUTTON buttons[] = {
        {0, 101, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {1, 102, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 0},
        {2, 103, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    ToolBar tools;
    ASSERT_TRUE(tools.Create(host, 200, nullptr, reinterpret_cast<UINT_PTR>(bitmap), 3, buttons, 4));
    EXPECT_EQ(4, tools.ButtonCount());
    EXPECT_TRUE(tools.IsButtonEnabled(103));
    tools.EnableButton(103, false);
    EXPECT_FALSE(tools.IsButtonEnabled(103));
    EXPECT_TRUE(tools.IsButtonEnabled(101));
    tools.CheckButton(102, true);
    EXPECT_TRUE(tools.IsButtonChecked(102));
    tools.CheckButton(102, false);
    EXPECT_FALSE(tools.IsButtonChecked(102));
    ShowWindow(host, SW_SHOW);
    tools.ShowBar(false);
    EXPECT_FALSE(IsWindowVisible(tools.Handle()));
    tools.ShowBar(true);
    EXPECT_TRUE(IsWindowVisible(tools.Handle()));
    DestroyWindow(host);
    DeleteObject(bitmap);
}

TEST(ImageList, OwnListGrowsAndSystemListIsNeverDestroyed)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 16);
    ReleaseDC(nullptr, screen);
    {
        ImageList own;
        ASSERT_TRUE(own.Create(16, 16));
        EXPECT_EQ(0, own.AddMasked(bitmap, RGB(255, 0, 255)));
        EXPECT_EQ(2, own.Count());
        EXPECT_EQ(2, own.AddMasked(bitmap, RGB(255, 0, 255)));
        EXPECT_EQ(4, own.Count());
        own.Destroy();
        EXPECT_EQ(nullptr, own.Handle());
        EXPECT_EQ(-1, own.AddMasked(bitmap, RGB(255, 0, 255)));
    }
    HIMAGELIST system = nullptr;
    int systemCount = 0;
    {
        ImageList shared;
        ASSERT_TRUE(shared.UseSystemSmallIcons());
        EXPECT_TRUE(shared.IsShared());
        system = shared.Handle();
        systemCount = shared.Count();
        EXPECT_GT(systemCount, 0);
        EXPECT_EQ(-1, shared.AddMasked(bitmap, RGB(255, 0, 255)));
        EXPECT_GE(ImageList::SystemIconIndex("表ソ.txt"), 0);
    }
    // Still usable after its wrapper went away.
    EXPECT_EQ(systemCount, ImageList_GetImageCount(system));
    ImageList again;
    ASSERT_TRUE(again.UseSystemSmallIcons());
    EXPECT_EQ(system, again.Handle());
    DeleteObject(bitmap);
}

TEST(KeysAndCursor, ModifierStateAndWaitCursorFollowTheThread)
{
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE keys[256];
    std::memcpy(keys, saved, sizeof keys);
    keys[VK_SHIFT] = 0x80;
    keys[VK_CONTROL] = 0x01;  // toggled only, not pressed
    SetKeyboardState(keys);
    EXPECT_TRUE(IsShiftDown());
    EXPECT_FALSE(IsControlDown());
    keys[VK_SHIFT] = 0x01;
    keys[VK_CONTROL] = 0x81;
    SetKeyboardState(keys);
    EXPECT_FALSE(IsShiftDown());
    EXPECT_TRUE(IsControlDown());
    SetKeyboardState(saved);

    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);
    {
        WaitCursor wait;
        EXPECT_EQ(LoadCursor(nullptr, IDC_WAIT), GetCursor());
    }
    EXPECT_EQ(arrow, GetCursor());
}
