// The options dialog driven from a thread of its own, as a user would: clicks on the grid's
// cells, typing into the in-place editors, picks from the drop-downs and the menu commands.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "app/HotKeyLauncher.h"
#include "app/OptionsDialog.h"
#include "app/OptionsRows.h"
#include "common/GridView.h"
#include "resources/OptionsDialogIds.h"

namespace {

const char kTitle[] = "オプション設定";
const int kSubtractRow = 23;
const int kAddRow = 24;

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (condition())
            return true;
        Sleep(20);
    }
    return condition();
}

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_OPTIONS_GRID); }

std::string Cell(HWND dialog, int row, int column)
{
    char text[512] = "";
    ListView_GetItemText(List(dialog), row, column, text, sizeof text);
    return text;
}

// A real click on the cell: the list view reports it to the dialog as NM_CLICK.
void Click(HWND dialog, int row, int column)
{
    HWND list = List(dialog);
    ListView_EnsureVisible(list, row, FALSE);
    RECT cell = {};
    ListView_GetSubItemRect(list, row, column, LVIR_BOUNDS, &cell);
    if (column == 0)
        cell.right = cell.left + ListView_GetColumnWidth(list, 0);
    LPARAM point = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    Sleep(150);
}

HWND EditBox(HWND dialog) { return GetDlgItem(List(dialog), kGridEditBoxId); }
HWND ComboBox(HWND dialog) { return GetDlgItem(List(dialog), kGridComboBoxId); }

// Opens the cell's edit box and types the text, without ending the edit. A click that comes
// while the window manager is still activating the dialog can lose its editor to the focus
// the dialog restores: the click is repeated then.
bool TypeIntoCell(HWND dialog, int row, const char* text)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        Click(dialog, row, 3);
        if (WaitFor([&] { return IsWindowVisible(EditBox(dialog)) != FALSE; }, 1500)) {
            SetWindowTextA(EditBox(dialog), text);
            return true;
        }
    }
    return false;
}

// Types and presses Enter. Other programs' windows on the same Wine desktop may take the
// focus, which ends the edit early: the edit is then done again.
bool EditCell(HWND dialog, int row, const char* text)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!TypeIntoCell(dialog, row, text))
            return false;
        PostMessageA(EditBox(dialog), WM_KEYDOWN, VK_RETURN, 0);
        WaitFor([&] { return !IsWindowVisible(EditBox(dialog)); });
        if (Cell(dialog, row, 3) == text)
            return true;
    }
    return false;
}

// Opens the cell's drop-down and picks the item, as a click in the list would.
bool Choose(HWND dialog, int row, int column, const char* item)
{
    HWND combo = ComboBox(dialog);
    bool shown = false;
    for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
        Click(dialog, row, column);
        shown = WaitFor([&] { return IsWindowVisible(combo) != FALSE; }, 1500);
    }
    if (!shown)
        return false;
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
    if (index == CB_ERR)
        return false;
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(List(dialog), WM_COMMAND, MAKEWPARAM(kGridComboBoxId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return WaitFor([&] { return !IsWindowVisible(combo); }) && Cell(dialog, row, column) == item;
}

std::vector<std::string> ComboItems(HWND combo)
{
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

bool IsMenuEnabled(HWND dialog, int command)
{
    return !(GetMenuState(GetMenu(dialog), command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

BOOL CALLBACK CollectStaticText(HWND window, LPARAM lParam)
{
    char className[32] = "";
    char text[512] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, text, sizeof text);
    if (lstrcmpiA(className, "Static") == 0 && text[0])
        *reinterpret_cast<std::string*>(lParam) = text;
    return TRUE;
}

// Runs a menu command of the dialog, answers the "確認" box it shows with OK and returns the
// box's text ("<none>" when no box came).
std::string CommandAndAnswer(HWND dialog, int command)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    HWND box = WaitForOwnDialog("確認", 10000);
    if (!box)
        return "<none>";
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    Press(box, IDOK);
    WaitFor([&] { return !IsWindow(box); });
    return text;
}

struct AppliedFont {
    FontPane pane;
    int faceKind;
    int pointSize;
};

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = ScratchPath("options_dialog_test.ini");
        RemoveFile(path_);
    }
    void TearDown() override { RemoveFile(path_); }

    // Opens the dialog over no owner, runs the action on it and closes it with Cancel.
    void RunDialog(const std::function<void(HWND)>& action)
    {
        ProfileStore store(path_.c_str());
        DialogDriver driver(kTitle, [&](HWND dialog) {
            // The window manager's activation restores the dialog's focus and would close an
            // editor opened before it.
            WaitFor([&] { return GetForegroundWindow() == dialog; });
            Sleep(300);
            action(dialog);
            Press(dialog, IDCANCEL);
        });
        RunOptionsDialog(nullptr, store, [&](FontPane pane, int face, int size) {
            applied_.push_back({pane, face, size});
        });
        EXPECT_TRUE(driver.Finish());
    }

    VornString Stored(const char* key)
    {
        ProfileStore store(path_.c_str());
        VornString value;
        store.Read("MainOption", key, value);
        return value;
    }

    std::string path_;
    std::vector<AppliedFont> applied_;
};

}  // namespace

TEST_F(OptionsDialogTest, ShowsTheTwentyFiveRowsWithStoredValuesOrDefaults)
{
    WriteBytes(path_,
               "[MainOption]\r\nCommandFontType=3\r\nCommandFontSize=12\r\nTableViewFontSize=20\r\n"
               "PhpPath=C:\\php\\表.exe\r\nConsole=YES\r\nVK_ADD=notepad.exe\r\n");
    std::vector<std::vector<std::string>> rows;
    int widths[6] = {};
    std::string titles[6];
    RECT placed = {};
    bool browse = true, run = true;
    RunDialog([&](HWND dialog) {
        HWND list = List(dialog);
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            std::vector<std::string> cells;
            for (int column = 0; column < 6; ++column)
                cells.push_back(Cell(dialog, row, column));
            rows.push_back(cells);
        }
        for (int column = 0; column < 6; ++column) {
            widths[column] = ListView_GetColumnWidth(list, column);
            char title[64] = "";
            LVCOLUMNA info = {};
            info.mask = LVCF_TEXT;
            info.pszText = title;
            info.cchTextMax = sizeof title;
            ListView_GetColumn(list, column, &info);
            titles[column] = title;
        }
        GetWindowRect(dialog, &placed);
        browse = IsMenuEnabled(dialog, IDM_OPTIONS_BROWSE);
        run = IsMenuEnabled(dialog, IDM_OPTIONS_RUN);
    });
    ASSERT_EQ(25u, rows.size());
    const int expectedWidths[6] = {30, 0, 400, 400, 50, 0};
    const char* expectedTitles[6] = {"タイプ", "", "内容", "", "", ""};
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(expectedWidths[column], widths[column]) << column;
        EXPECT_EQ(expectedTitles[column], titles[column]) << column;
    }
    // Kinds, captions and keys are checked byte for byte by the row table's own tests.
    const std::vector<OptionRow>& table = OptionRows();
    for (int row = 0; row < 25; ++row) {
        EXPECT_EQ(OptionKindText(table[row].kind), rows[row][0]) << row;
        EXPECT_EQ("", rows[row][1]) << row << ": nothing is marked on opening";
        EXPECT_EQ(table[row].caption, rows[row][2]) << row;
        EXPECT_EQ(row >= 10 ? table[row].key : "", rows[row][5]) << row;
        if (row >= 4) {
            EXPECT_EQ("", rows[row][4]) << row;
        }
    }
    const char* values[][2] = {{"ＭＳ 明朝", "12"}, {"ＭＳ Ｐゴシック", "20"}, {"ＭＳ Ｐゴシック", "10"}, {"ＭＳ Ｐゴシック", "10"}};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(values[row][0], rows[row][3]) << row;
        EXPECT_EQ(values[row][1], rows[row][4]) << row;
    }
    EXPECT_EQ("C:\\php\\表.exe", rows[4][3]);
    EXPECT_EQ("", rows[5][3]);
    EXPECT_EQ("YES", rows[8][3]);
    EXPECT_EQ("regedit.exe", rows[10][3]);
    EXPECT_EQ("taskmgr.exe", rows[23][3]);
    EXPECT_EQ("notepad.exe", rows[24][3]);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(screenWidth / 10, placed.left);
    EXPECT_EQ(screenHeight * 15 / 100, placed.top);
    EXPECT_EQ(screenWidth * 8 / 10, placed.right - placed.left);
    EXPECT_EQ(screenHeight / 2, placed.bottom - placed.top);
    EXPECT_FALSE(browse) << "no row is chosen yet";
    EXPECT_FALSE(run);
}

TEST_F(OptionsDialogTest, ClickingARowSetsTheMenuByKindAndOpensTheRightEditor)
{
    struct Seen {
        bool browse, run, edit, combo;
    };
    std::vector<Seen> seen;
    std::vector<std::string> faces, sizes;
    RunDialog([&](HWND dialog) {
        auto look = [&](int row, int column) {
            auto editorShown = [&] { return IsWindowVisible(EditBox(dialog)) || IsWindowVisible(ComboBox(dialog)); };
            // A second click in case another program's window took the focus from the first editor.
            for (int attempt = 0; attempt < 3 && !editorShown(); ++attempt) {
                Click(dialog, row, column);
                WaitFor(editorShown, 1000);
            }
            seen.push_back({IsMenuEnabled(dialog, IDM_OPTIONS_BROWSE), IsMenuEnabled(dialog, IDM_OPTIONS_RUN),
                            IsWindowVisible(EditBox(dialog)) != FALSE, IsWindowVisible(ComboBox(dialog)) != FALSE});
            if (IsWindowVisible(ComboBox(dialog)))
                (column == 3 ? faces : sizes) = ComboItems(ComboBox(dialog));
            Click(dialog, row, 2);  // closes any editor
        };
        look(0, 3);   // font, face
        look(2, 4);   // font, size
        look(4, 3);   // PHP path
        look(6, 3);   // shell
        look(8, 3);   // flag
        look(12, 3);  // launcher
        look(12, 2);  // launcher caption: no editor
    });
    ASSERT_EQ(7u, seen.size());
    const Seen expected[] = {
        {false, false, false, true}, {false, false, false, true}, {true, false, true, false},
        {false, false, true, false}, {false, false, true, false}, {true, true, true, false},
        {true, true, false, false},
    };
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(expected[i].browse, seen[i].browse) << i;
        EXPECT_EQ(expected[i].run, seen[i].run) << i;
        EXPECT_EQ(expected[i].edit, seen[i].edit) << i;
        EXPECT_EQ(expected[i].combo, seen[i].combo) << i;
    }
    EXPECT_EQ((std::vector<std::string>{"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝"}), faces);
    EXPECT_EQ((std::vector<std::string>{"8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18"}), sizes);
}

TEST_F(OptionsDialogTest, EditingTheSubtractRowWritesOnlyItsKey)
{
    WriteBytes(path_, "[MainOption]\r\nVK_MULTIPLY=cmd.exe /k 表\r\n");
    std::string message, marks;
    RunDialog([&](HWND dialog) {
        ASSERT_TRUE(EditCell(dialog, kSubtractRow, "taskmgr.exe /ソ表"));
        for (int row = 0; row < 25; ++row)
            marks += Cell(dialog, row, 1).empty() ? "." : "x";
        message = CommandAndAnswer(dialog, IDM_OPTIONS_UPDATE);
    });
    EXPECT_EQ(std::string(23, '.') + "x.", marks);
    EXPECT_EQ("オプションが変更されました　　", message);
    EXPECT_STREQ("taskmgr.exe /ソ表", Stored("VK_SUBTRACT").Text());
    EXPECT_STREQ("cmd.exe /k 表", Stored("VK_MULTIPLY").Text());
    ProfileStore store(path_.c_str());
    EXPECT_EQ(2, store.KeyNames("MainOption").Count()) << "no other row was written";
    EXPECT_TRUE(applied_.empty());
}

TEST_F(OptionsDialogTest, UpdateWithNothingMarkedSaysSoAndClosingWritesNothing)
{
    std::string message;
    RunDialog([&](HWND dialog) { message = CommandAndAnswer(dialog, IDM_OPTIONS_UPDATE); });
    EXPECT_EQ("変更されたオプションはありません　　", message);
    EXPECT_EQ("<missing>", ReadBytes(path_));

    // A marked row is not written when the dialog is closed instead.
    RunDialog([&](HWND dialog) {
        ASSERT_TRUE(EditCell(dialog, kAddRow, "notepad.exe"));
        EXPECT_EQ("〆", Cell(dialog, kAddRow, 1));
    });
    EXPECT_EQ("<missing>", ReadBytes(path_));
}

TEST_F(OptionsDialogTest, AnEditStillOpenIsWrittenByUpdate)
{
    std::string message;
    RunDialog([&](HWND dialog) {
        ASSERT_TRUE(TypeIntoCell(dialog, 4, "　C:\\php\\php.exe "));
        ASSERT_TRUE(IsWindowVisible(EditBox(dialog)));
        message = CommandAndAnswer(dialog, IDM_OPTIONS_UPDATE);
    });
    EXPECT_EQ("オプションが変更されました　　", message);
    EXPECT_STREQ("C:\\php\\php.exe", Stored("PhpPath").Text()) << "written trimmed";
}

TEST_F(OptionsDialogTest, AFontRowChangeIsAppliedAndWrittenAsItsFaceCode)
{
    std::vector<std::string> messages;
    RunDialog([&](HWND dialog) {
        ASSERT_TRUE(Choose(dialog, 1, 3, "ＭＳ 明朝"));
        ASSERT_TRUE(Choose(dialog, 1, 4, "14"));
        EXPECT_EQ("ＭＳ 明朝", Cell(dialog, 1, 3));
        EXPECT_EQ("14", Cell(dialog, 1, 4));
        EXPECT_EQ("〆", Cell(dialog, 1, 1));
        messages.push_back(CommandAndAnswer(dialog, IDM_OPTIONS_UPDATE));
        // The marks stay: a second update writes the same again.
        messages.push_back(CommandAndAnswer(dialog, IDM_OPTIONS_UPDATE));
    });
    EXPECT_EQ((std::vector<std::string>{"オプションが変更されました　　", "オプションが変更されました　　"}), messages);
    EXPECT_STREQ("3", Stored("TableViewFontType").Text());
    EXPECT_STREQ("14", Stored("TableViewFontSize").Text());
    EXPECT_TRUE(Stored("CommandFontType").IsEmpty());
    ASSERT_EQ(2u, applied_.size());
    for (const AppliedFont& font : applied_) {
        EXPECT_EQ(FontPane::TableList, font.pane);
        EXPECT_EQ(3, font.faceKind);
        EXPECT_EQ(14, font.pointSize);
    }
}

namespace {

std::vector<std::string> g_started;

DWORD RecordStart(const char* commandLine, const char*)
{
    g_started.push_back(commandLine);
    return 77;
}

}  // namespace

TEST_F(OptionsDialogTest, RunStartsTheRowsCommandLineAndReportsAFailure)
{
    std::string failure, success;
    g_started.clear();
    RunDialog([&](HWND dialog) {
        ASSERT_TRUE(EditCell(dialog, kAddRow, "存在しない表ソ.exe /x"));
        failure = CommandAndAnswer(dialog, IDM_OPTIONS_RUN);
        ProgramStarter previous = SetProgramStarter(RecordStart);
        PostMessageA(dialog, WM_COMMAND, IDM_OPTIONS_RUN, 0);
        WaitFor([&] { return !g_started.empty(); });
        Sleep(300);
        success = FindOwnDialog("確認") ? "box" : "";
        SetProgramStarter(previous);
    });
    EXPECT_EQ("存在しない表ソ.exe /x の実行に失敗しました　　", failure);
    EXPECT_EQ((std::vector<std::string>{"存在しない表ソ.exe /x"}), g_started);
    EXPECT_EQ("", success) << "a started program is not reported";
    EXPECT_EQ("<missing>", ReadBytes(path_)) << "running writes nothing";
}

TEST_F(OptionsDialogTest, BrowsePutsTheChosenProgramIntoTheRowAndMarksIt)
{
    std::string folder = ScratchPath("参照表");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string program = folder + "\\perlソ.exe";
    WriteBytes(program, "MZ");
    std::string filter, value, mark;
    RunDialog([&](HWND dialog) {
        Click(dialog, 5, 0);
        PostMessageA(dialog, WM_COMMAND, IDM_OPTIONS_BROWSE, 0);
        HWND open = WaitForOwnDialog("ファイルのパスの取得", 20000);
        ASSERT_TRUE(open);
        char text[128] = "";
        SendMessageA(GetDlgItem(open, cmb1), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        filter = text;
        HWND name = GetDlgItem(open, cmb13);
        SetWindowTextA(name ? name : GetDlgItem(open, edt1), program.c_str());
        Press(open, IDOK);
        WaitFor([&] { return !IsWindow(open); }, 10000);
        value = Cell(dialog, 5, 3);
        mark = Cell(dialog, 5, 1);
    });
    EXPECT_EQ("実行ﾌｧｲﾙ", filter);
    EXPECT_EQ(program, value);
    EXPECT_EQ("〆", mark);
    EXPECT_EQ("<missing>", ReadBytes(path_));
    RemoveFile(program);
    RemoveDirectoryA(folder.c_str());
}
