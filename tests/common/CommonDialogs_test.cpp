// Message boxes and file and folder dialogs, answered by a driver thread that finds the
// dialog of this process, checks it and presses a button, as a user would.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"

namespace {

std::string CurrentFolder()
{
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    return folder;
}

// The style of the list view inside the dialog's shell view, 0 when there is none yet.
DWORD ShellListStyle(HWND dialog)
{
    HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
    HWND list = view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
    return list ? static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) : 0;
}

// The file name field: an edit in some versions of the dialog, a combo box in others.
void TypeFileName(HWND dialog, const char* name)
{
    HWND field = GetDlgItem(dialog, cmb13);
    if (!field)
        field = GetDlgItem(dialog, edt1);
    SetWindowTextA(field, name);
}

}  // namespace

TEST(MessageBoxes, QuestionsDefaultToTheSafeButtonAndReportTheAnswer)
{
    int defaultButton = 0;
    {
        DialogDriver driver("確認", [&](HWND box) {
            defaultButton = DefaultButton(box);
            Press(box, IDOK);
        });
        EXPECT_TRUE(AskOkCancel(nullptr, "表を削除しますか？"));
        EXPECT_TRUE(driver.Finish());
        EXPECT_EQ(IDCANCEL, defaultButton);
    }
    {
        DialogDriver driver("確認", [&](HWND box) { Press(box, IDCANCEL); });
        EXPECT_FALSE(AskOkCancel(nullptr, "表を削除しますか？"));
        EXPECT_TRUE(driver.Finish());
    }
    {
        DialogDriver driver("確認", [&](HWND box) {
            defaultButton = DefaultButton(box);
            Press(box, IDYES);
        });
        EXPECT_TRUE(AskYesNo(nullptr, "続けますか？"));
        EXPECT_TRUE(driver.Finish());
        EXPECT_EQ(IDNO, defaultButton);
    }
    {
        DialogDriver driver("確認", [&](HWND box) { Press(box, IDNO); });
        EXPECT_FALSE(AskYesNo(nullptr, "続けますか？"));
        EXPECT_TRUE(driver.Finish());
    }
    {
        DialogDriver driver("確認", [&](HWND box) {
            defaultButton = DefaultButton(box);
            Press(box, IDOK);
        });
        ShowWarning(nullptr, "ソの表");
        EXPECT_TRUE(driver.Finish());
        EXPECT_EQ(IDOK, defaultButton);
    }
}

TEST(FileDialogs, OpenDialogTakesDefaultsAndKeepsTheCurrentFolder)
{
    std::string start = CurrentFolder();
    std::string folder = ScratchPath("開く表");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "\\表ソ.txt", "x");
    std::string filterText;
    int filterCount = 0;
    DWORD listStyle = 0;
    DialogDriver driver("ファイルのパスの取得", [&](HWND dialog) {
        HWND filter = GetDlgItem(dialog, cmb1);
        filterCount = static_cast<int>(SendMessageA(filter, CB_GETCOUNT, 0, 0));
        char text[128] = "";
        SendMessageA(filter, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        filterText = text;
        listStyle = ShellListStyle(dialog);
        TypeFileName(dialog, "表ソ.txt");
        Press(dialog, IDOK);
    });
    char file[MAX_PATH] = "";
    ASSERT_TRUE(OpenFileDialog(nullptr, "", nullptr, 0, file, 0, folder.c_str()));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(folder + "\\表ソ.txt", std::string(file));
    EXPECT_EQ(1, filterCount);
    EXPECT_EQ("全て", filterText);
    // OFN_NOCHANGEDIR is part of the default flags.
    EXPECT_EQ(start, CurrentFolder());
    // Without the hook the view stays as the dialog opens it.
    EXPECT_NE(static_cast<DWORD>(LVS_REPORT), listStyle & LVS_TYPEMASK);
}

TEST(FileDialogs, SaveDialogHonoursFilterIndexAndDefaultExtensionAndCancelGivesFalse)
{
    std::string folder = ScratchPath("保存表");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string filterText;
    auto saveAs = [&](const char* name) {
        return [&, name](HWND dialog) {
            char text[128] = "";
            HWND filter = GetDlgItem(dialog, cmb1);
            SendMessageA(filter, CB_GETLBTEXT, SendMessageA(filter, CB_GETCURSEL, 0, 0),
                         reinterpret_cast<LPARAM>(text));
            filterText = text;
            TypeFileName(dialog, name);
            Press(dialog, IDOK);
        };
    };
    char file[400] = "";
    {
        // A filter with one extension lends it to a name typed without one.
        DialogDriver driver("保存ファイルのパスの取得", saveAs("出力ソ"));
        ASSERT_TRUE(SaveFileDialog(nullptr, nullptr, "CSV,*.csv,テキスト表,*.txt", 2, file, sizeof file,
                                   0, folder.c_str(), "csv", nullptr));
        ASSERT_TRUE(driver.Finish());
        EXPECT_EQ(folder + "\\出力ソ.txt", std::string(file));
        EXPECT_EQ("テキスト表", filterText);
    }
    {
        // "*.*" has none: the default extension is used.
        DialogDriver driver("保存ファイルのパスの取得", saveAs("結果表"));
        ASSERT_TRUE(SaveFileDialog(nullptr, "", "", 0, file, 0, folder.c_str(), "csv"));
        ASSERT_TRUE(driver.Finish());
        EXPECT_EQ(folder + "\\結果表.csv", std::string(file));
        EXPECT_EQ("全て", filterText);
    }
    DialogDriver canceller("名前を付けて保存表", [&](HWND dialog) { Press(dialog, IDCANCEL); });
    EXPECT_FALSE(SaveFileDialog(nullptr, "名前を付けて保存表", nullptr, 0, file));
    EXPECT_TRUE(canceller.Finish());
}

TEST(FileDialogs, DetailsHookSwitchesTheFileViewToDetails)
{
    DWORD listStyle = 0;
    DialogDriver driver("詳細表", [&](HWND dialog) {
        for (int i = 0; i < 60 && (listStyle & LVS_TYPEMASK) != LVS_REPORT; ++i) {
            listStyle = ShellListStyle(dialog);
            Sleep(50);
        }
        Press(dialog, IDCANCEL);
    });
    char file[MAX_PATH] = "";
    EXPECT_FALSE(OpenFileDialog(nullptr, "詳細表", "全部,*.*", 0, file, 0, CurrentFolder().c_str(),
                                nullptr, DetailsViewHook));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), listStyle & LVS_TYPEMASK);
}

namespace {

BOOL CALLBACK MatchStaticText(HWND window, LPARAM lParam)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    if (std::strcmp(text, "ディレクトリの選択") == 0) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

TEST(FileDialogs, FolderDialogShowsDefaultTitleAndReturnsTheSelection)
{
    // A folder at the root of the prefix's own drive: selecting a folder deep below Z: makes
    // the dialog list every folder on the way, which can take many seconds on a busy machine.
    std::string folder = "C:\\選択表";
    CreateDirectoryA(folder.c_str(), nullptr);
    bool titleShown = false;
    DialogDriver driver(nullptr, [&](HWND dialog) {
        EnumChildWindows(dialog, MatchStaticText, reinterpret_cast<LPARAM>(&titleShown));
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        // The tree fills in the background: press OK only once it shows the folder selected.
        HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
        for (int i = 0; tree && i < 400; ++i) {
            char text[MAX_PATH] = "";
            TVITEMA item = {};
            item.mask = TVIF_TEXT;
            item.hItem = TreeView_GetSelection(tree);
            item.pszText = text;
            item.cchTextMax = sizeof text;
            if (item.hItem && TreeView_GetItem(tree, &item) && std::strcmp(text, "選択表") == 0)
                break;
            Sleep(50);
        }
        Press(dialog, IDOK);
    });
    VornString chosen("before");
    ASSERT_TRUE(ChooseFolder(nullptr, chosen));
    ASSERT_TRUE(driver.Finish());
    EXPECT_TRUE(titleShown);
    EXPECT_STREQ(folder.c_str(), chosen.Text());

    DialogDriver canceller(nullptr, [&](HWND dialog) { Press(dialog, IDCANCEL); });
    EXPECT_FALSE(ChooseFolder(nullptr, chosen, "別の表"));
    EXPECT_TRUE(canceller.Finish());
    EXPECT_STREQ(folder.c_str(), chosen.Text());
    RemoveDirectoryA(folder.c_str());
}
