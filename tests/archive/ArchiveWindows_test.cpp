// The LZH and ZIP windows opened from tool menu files of a main window of this process
// and driven through their commands, drops and keys from a thread of their own.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ArchiveTestSupport.h"
#include "DialogDriver.h"
#include "WindowTestSupport.h"
#include "app/MainWindowTestSupport.h"
#include "archive/ArchiveWindow.h"
#include "archive/LhaArchiveWindow.h"
#include "common/MenuHelpers.h"
#include "common/LhaArchive.h"
#include "common/ZipArchive.h"
#include "resources/ArchiveDialogIds.h"

namespace {

// What the replaced dialogs answer, and the programs the window would have started.
std::string g_chosenFile;
std::string g_chosenFolder;
std::string g_chosenFiles;  // NUL-separated as the dialog leaves it
std::vector<std::string> g_started;

bool ChooseFile(HWND, const char*, const char*, const char*, const char*, VornString& path)
{
    path = g_chosenFile.c_str();
    return !g_chosenFile.empty();
}
bool ChooseFiles(HWND, const char*, char* buffer, DWORD size)
{
    std::memcpy(buffer, g_chosenFiles.data(), std::min<size_t>(size, g_chosenFiles.size()));
    return true;
}
bool ChooseFolder(HWND, VornString& folder)
{
    folder = g_chosenFolder.c_str();
    return true;
}
void Start(const char* commandLine) { g_started.push_back(commandLine); }

bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 10000)
{
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (condition())
            return true;
        Sleep(20);
    }
    return condition();
}

// The row count is read from another thread while the window fills its list row by row and
// sorts it afterwards: once the count is there, a message sent to the window comes back only
// when the window is done with the list.
bool RowsSettle(HWND dialog, ArchiveWindow* window, int rows)
{
    if (!WaitUntil([&] { return window->Grid()->RowCount() == rows; }))
        return false;
    SendMessageA(dialog, WM_NULL, 0, 0);
    return window->Grid()->RowCount() == rows;
}

void DropOn(HWND target, const std::vector<std::string>& paths)
{
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    DROPFILES* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

std::string Cell(ArchiveWindow* window, int row, int column)
{
    return window->Grid()->CellText(row, column).Text();
}

std::vector<std::string> Names(ArchiveWindow* window)
{
    std::vector<std::string> names;
    GridView* grid = window->Grid();
    for (int row = 0; row < grid->RowCount(); ++row)
        names.push_back(grid->CellText(row, kArchiveFullPath).Text());
    return names;
}

std::string MenuText(HMENU menu, int position) { return MenuItemText(menu, position).Text(); }

bool Grayed(HMENU menu, UINT command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; }

class ArchiveWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDllDirectoryA(KESTROVA_PROGRAM_DIR);
        previous_ = SetArchiveWindowChoices({ChooseFile, ChooseFile, ChooseFiles, ChooseFolder, Start});
        g_started.clear();
        source_ = FreshFolder("window source");
        PutFile(source_, "表ソ.txt", "表ソの中身");
        PutFile(source_, "a/①～.txt", "①～");
        PutFile(source_, "tool.exe", "MZ");
        PutFile(source_, "x y.zip", "not really a zip");
        for (const char* name : {"p.txt", "q.txt", "r.txt"})
            PutFile(source_, name, name);
        std::string menus = fixture_.Folder() + "\\Tool\\menu";
        CreateDirectoryA((fixture_.Folder() + "\\Tool").c_str(), nullptr);
        CreateDirectoryA(menus.c_str(), nullptr);
        WriteBytes(menus + "\\01LZH.mnu", "@UNLHA32\r\n");
        WriteBytes(menus + "\\02ZIP.mnu", "@UNZIP32\r\n");
        fixture_.Start();
    }

    void TearDown() override { SetArchiveWindowChoices(previous_); }

    // An archive of 表ソ.txt, the folder a and tool.exe.
    std::string MakeArchive(ArchiveWrapper& archive, const char* name)
    {
        std::string path = ScratchPath(name);
        RemoveFile(path);
        archive.SetPath(path.c_str());
        std::string list = source_ + "表ソ.txt\t" + source_ + "a\t" + source_ + "tool.exe";
        EXPECT_EQ(0, archive.AddFiles(list.c_str())) << archive.ErrorText().Text();
        return path;
    }

    // Runs the tool menu file's window with the action on a thread of its own.
    void RunWindow(UINT command, const char* caption, const std::function<void(HWND, ArchiveWindow*)>& action)
    {
        DialogDriver driver(caption, [&](HWND dialog) {
            ArchiveWindow* window = reinterpret_cast<ArchiveWindow*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
            ASSERT_TRUE(WaitUntil([&] { return ArchiveWindow::Current() == dialog; }));
            action(dialog, window);
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        fixture_.Command(command);
        EXPECT_TRUE(driver.Finish()) << caption;
        EXPECT_EQ(nullptr, ArchiveWindow::Current());
    }

    MainWindowFixture fixture_;
    ArchiveWindowChoices previous_;
    std::string source_;
};

TEST_F(ArchiveWindows, LzhWindowOpensDropsAddsDeletesAndFollowsTheKeys)
{
    LhaArchive maker(nullptr);
    std::string archive = MakeArchive(maker, "窓 解凍.LZH");
    RunWindow(41000, "UNLHA32ツール", [&](HWND dialog, ArchiveWindow* window) {
        RECT place;
        ASSERT_TRUE(WaitUntil([&] { return GetWindowRect(dialog, &place) && place.left == 100; }));
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        EXPECT_EQ(desktop.right * 7 / 10, place.right - place.left);
        EXPECT_EQ(desktop.bottom * 6 / 10, place.bottom - place.top);
        HWND list = window->Grid()->ListHandle();

        {
            MessageBoxAnswer answer(IDOK);
            DropOn(list, {source_ + "p.txt", source_ + "q.txt"});
            EXPECT_EQ("書庫が指定されていません　　", answer.Text());
        }
        EXPECT_EQ(0, window->Grid()->RowCount());

        DropOn(list, {archive});
        ASSERT_TRUE(RowsSettle(dialog, window, 3));
        EXPECT_EQ(std::vector<std::string>({"tool.exe", "表ソ.txt", "a/①～.txt"}), Names(window));
        EXPECT_EQ("   1", Cell(window, 0, kArchiveNumber));
        EXPECT_STREQ(archive.c_str(), window->ItemText(IDC_ARCHIVE_PATH).Text());
        SaveScreenshot(dialog, "KESTROVA_LZH_WINDOW_SCREENSHOT");

        // One ZIP file dropped on the LZH window is a file to add.
        DropOn(list, {source_ + "x y.zip"});
        ASSERT_TRUE(RowsSettle(dialog, window, 4));
        EXPECT_EQ("x y.zip", Cell(window, 1, kArchiveFullPath));

        // A key in the list reaches the main window through the hook and comes back posted.
        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        window->Grid()->Focus();
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_TRUE(WaitUntil([&] { return window->Status().SimpleText().Equals("表ソ.txt"); }))
            << window->Status().SimpleText().Text();

        SendMessageA(dialog, kGridRightClick, reinterpret_cast<WPARAM>(list), MAKELONG(0, 0));
        HMENU popup = window->Grid()->ContextPopup();
        EXPECT_EQ("プログラムの実行は解凍して行なって下さい", MenuText(popup, 0));
        EXPECT_TRUE(Grayed(popup, IDM_ARCHIVE_OPEN_ENTRY));
        EXPECT_FALSE(Grayed(popup, IDM_ARCHIVE_OPEN_IN_NOTEPAD));
        EXPECT_FALSE(Grayed(popup, IDM_ARCHIVE_DELETE));
        SendMessageA(dialog, kGridRightClick, reinterpret_cast<WPARAM>(list), MAKELONG(0xFFFF, 0));
        EXPECT_EQ("開けません", MenuText(popup, 0));
        EXPECT_TRUE(Grayed(popup, IDM_ARCHIVE_OPEN_IN_NOTEPAD));

        g_chosenFiles = source_.substr(0, source_.size() - 1) + '\0' + "p.txt" + '\0' + "q.txt" + '\0' + "r.txt" + '\0';
        SendMessageA(dialog, WM_COMMAND, IDM_ARCHIVE_ADD, 0);
        ASSERT_TRUE(RowsSettle(dialog, window, 7));
        EXPECT_EQ(std::vector<std::string>({"p.txt", "q.txt", "r.txt", "tool.exe", "x y.zip", "表ソ.txt", "a/①～.txt"}),
                  Names(window));

        for (int row = 0; row < 7; ++row)
            window->Grid()->SelectRow(row, row == 1 || row == 6);
        {
            MessageBoxAnswer answer(IDYES);
            SendMessageA(dialog, WM_COMMAND, IDM_ARCHIVE_DELETE, 0);
            EXPECT_EQ("選択されたファイルを書庫から削除しますか?　　", answer.Text());
        }
        ASSERT_TRUE(RowsSettle(dialog, window, 5));
        EXPECT_EQ(std::vector<std::string>({"p.txt", "r.txt", "tool.exe", "x y.zip", "表ソ.txt"}), Names(window));

        {
            MessageBoxAnswer answer(IDYES);
            SendMessageA(dialog, WM_COMMAND, IDM_ARCHIVE_EXTRACT_ALL, 0);
            EXPECT_EQ("全て解凍しますか?　　", answer.Text());
        }
        std::string named = archive.substr(0, archive.size() - 4) + "\\";
        EXPECT_EQ("表ソの中身", FileAt(named, "表ソ.txt"));
        EXPECT_EQ("r.txt", FileAt(named, "r.txt"));
    });
    EXPECT_EQ("100", fixture_.Setting("Unlha32WindowSize", "Left"));
    EXPECT_EQ(source_.substr(0, source_.size() - 1), fixture_.Setting("SaveDir", "SelectUnlha32"));
}

TEST_F(ArchiveWindows, ZipWindowOffersNoDeletionAndOpensEntries)
{
    ZipArchive maker(nullptr);
    std::string archive = MakeArchive(maker, "窓 ソ.zip");
    fixture_.Set("Unlha32WindowSize", "Left", "30");
    fixture_.Set("Unlha32WindowSize", "Top", "40");
    fixture_.Set("Unlha32WindowSize", "Width", "700");
    fixture_.Set("Unlha32WindowSize", "Height", "400");
    RunWindow(41001, "UNZIP32ツール", [&](HWND dialog, ArchiveWindow* window) {
        RECT place;
        GetWindowRect(dialog, &place);
        EXPECT_EQ(30, place.left);
        EXPECT_EQ(700, place.right - place.left);
        EXPECT_EQ(4096u, window->Archive()->Output().Capacity());
        EXPECT_TRUE(Grayed(GetSubMenu(GetMenu(dialog), 1), IDM_ARCHIVE_DELETE));

        // "新規" with the name of an existing archive lists it.
        g_chosenFile = archive;
        SendMessageA(dialog, WM_COMMAND, IDM_ARCHIVE_NEW, 0);
        ASSERT_TRUE(RowsSettle(dialog, window, 3));
        EXPECT_EQ(std::vector<std::string>({"tool.exe", "表ソ.txt", "a/①～.txt"}), Names(window));
        SaveScreenshot(dialog, "KESTROVA_ZIP_WINDOW_SCREENSHOT");

        HWND list = window->Grid()->ListHandle();
        SendMessageA(dialog, kGridRightClick, reinterpret_cast<WPARAM>(list), MAKELONG(1, 0));
        HMENU popup = window->Grid()->ContextPopup();
        EXPECT_TRUE(Grayed(popup, IDM_ARCHIVE_DELETE));
        // The prefix has no program for .txt.
        EXPECT_EQ("開けません", MenuText(popup, 0));

        window->Grid()->SelectRow(1, true);
        SendMessageA(dialog, WM_COMMAND, IDM_ARCHIVE_OPEN_IN_NOTEPAD, 0);
        ASSERT_EQ(1u, g_started.size());
        std::string target = g_started[0].substr(std::strlen("notepad.exe \""));
        target.pop_back();
        EXPECT_EQ("\\Kestrova\\表ソ.txt", target.substr(target.size() - std::strlen("\\Kestrova\\表ソ.txt")));
        EXPECT_EQ("表ソの中身", ReadBytes(target));

        g_chosenFolder = FreshFolder("zip window out 解凍");
        window->Grid()->SelectRow(1, false);
        window->Grid()->SelectRow(2, true);
        SendMessageA(dialog, WM_COMMAND, IDM_ARCHIVE_EXTRACT_SELECTED, 0);
        EXPECT_EQ("①～", FileAt(g_chosenFolder, "a/①～.txt"));
        EXPECT_EQ(std::vector<std::string>({"a"}), fileaccess::FolderNames(g_chosenFolder));

        // A wildcard narrows the list; "全て" brings everything back.
        window->SetItemText(IDC_ARCHIVE_WILDCARD, "*.exe");
        SendMessageA(dialog, WM_COMMAND, IDC_ARCHIVE_APPLY_WILDCARD, 0);
        ASSERT_TRUE(RowsSettle(dialog, window, 1));
        SendMessageA(dialog, WM_COMMAND, IDM_ARCHIVE_ALL, 0);
        ASSERT_TRUE(RowsSettle(dialog, window, 3));

        // A path with no file behind it.
        window->SetItemText(IDC_ARCHIVE_PATH, (archive + ".gone").c_str());
        MessageBoxAnswer answer(IDOK);
        PostMessageA(dialog, kArchiveReload, 0, 0);
        EXPECT_EQ("書庫は存在しません　　", answer.Text());
        EXPECT_TRUE(RowsSettle(dialog, window, 0));
    });
    EXPECT_EQ("30", fixture_.Setting("Unlha32WindowSize", "Left"));
}

TEST_F(ArchiveWindows, WithoutTheDllTheWindowOnlySaysSo)
{
    std::string empty = FreshFolder("no dll here");
    SetDllDirectoryA(empty.c_str());
    MessageBoxAnswer answer(IDOK);
    LhaArchiveWindow window(fixture_.Main().Settings());
    EXPECT_EQ(2, window.Run(fixture_.Handle()));
    EXPECT_EQ("Unlha32 はインストールされていません　　", answer.Text());
    EXPECT_EQ(nullptr, ArchiveWindow::Current());
}

}  // namespace
