// BatchHelper's dialogs as a user meets them: each one the script opens is found in the
// script host's process by its caption, checked and answered from here.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

const int kOk = 1032;

std::string ItemText(HWND dialog, int id)
{
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool ItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void WaitGone(HWND window)
{
    for (int i = 0; i < 250 && IsWindow(window); ++i)
        Sleep(20);
}

void Answer(HWND dialog, int button)
{
    PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitGone(dialog);
}

// The file dialogs' name field: the explorer style's combo box, else the old edit.
HWND NameField(HWND dialog)
{
    HWND field = GetDlgItem(dialog, cmb13);
    return field ? field : GetDlgItem(dialog, edt1);
}

// GetWindowText does not ask a window of another process for its text.
std::string FieldText(HWND field)
{
    char text[MAX_PATH] = {};
    SendMessageA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Dialogs expected one after another, each answered by its action once it shows.
class DialogPlan {
public:
    void Expect(const char* title, std::function<void(HWND)> action) { steps_.push_back({title, std::move(action)}); }
    void Tick(DWORD processId)
    {
        if (next_ >= steps_.size())
            return;
        HWND dialog = FindTopWindow(processId, "#32770", steps_[next_].title);
        if (!dialog)
            return;
        Sleep(100);  // let the dialog finish its initialisation
        steps_[next_++].action(dialog);
    }
    size_t Answered() const { return next_; }
    size_t Steps() const { return steps_.size(); }

private:
    struct Step {
        const char* title;
        std::function<void(HWND)> action;
    };
    std::vector<Step> steps_;
    size_t next_ = 0;
};

TEST(BatchHelperDialogs, TextFileAndFolderQuestionsReturnWhatWasChosen)
{
    std::string folder = ScratchPath("dialogs");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "\\a.txt", "a");
    WriteBytes(folder + "\\b.txt", "b");
    DeleteFileA((folder + "\\new表.csv").c_str());
    std::vector<std::string> seen;
    DialogPlan plan;
    plan.Expect("choose", [&](HWND d) {
        seen.push_back(ItemText(d, 1067) + "|" + ItemText(d, 1052) + "|" + (ItemEnabled(d, 1072) ? "list" : "nolist"));
        HWND combo = GetDlgItem(d, 1072);
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(1072, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        Answer(d, kOk);
    });
    plan.Expect("blank", [&](HWND d) {
        SetDlgItemTextA(d, 1052, "\x81\x40 ");
        PostMessageA(d, WM_COMMAND, kOk, 0);
        HWND box = nullptr;
        for (int i = 0; i < 250 && !box; ++i, Sleep(20))
            box = FindTopWindow(0, "#32770", "確認");
        ASSERT_NE(nullptr, box);
        seen.push_back(DialogStaticText(box) + (GetWindow(box, GW_OWNER) == d ? "|owned" : "|free"));
        Answer(box, IDOK);
        SetDlgItemTextA(d, 1052, "  ans表\x81\x40");
        Answer(d, kOk);
    });
    plan.Expect("cancelled", [&](HWND d) { Answer(d, IDCANCEL); });
    plan.Expect("plain", [&](HWND d) {
        seen.push_back(ItemEnabled(d, 1072) ? "list" : "nolist");
        Answer(d, kOk);
    });
    plan.Expect("layout", [&](HWND d) {
        std::string state;
        for (int row = 0; row < 4; ++row)
            state += ItemText(d, 201 + row) + "=" + ItemText(d, std::vector<int>{1019, 1015, 1013, 1009}[row]) +
                     (ItemEnabled(d, 205 + row) && ItemEnabled(d, 209 + row) ? "+" : "-") + ";";
        seen.push_back(state);
        Answer(d, kOk);
    });
    plan.Expect("all", [&](HWND d) {
        SetDlgItemTextA(d, 1019, "a");
        SetDlgItemTextA(d, 1015, "b");
        Answer(d, kOk);
    });
    plan.Expect("cancelled list", [&](HWND d) { Answer(d, IDCANCEL); });
    plan.Expect("open one", [&](HWND d) {
        seen.push_back(FieldText(NameField(d)));
        Answer(d, IDOK);
    });
    plan.Expect("save one", [&](HWND d) {
        seen.push_back(FieldText(NameField(d)));
        Answer(d, IDOK);
    });
    plan.Expect("open none", [&](HWND d) { Answer(d, IDCANCEL); });
    plan.Expect("open many", [&](HWND d) {
        SetWindowTextA(NameField(d), "\"a.txt\" \"b.txt\"");
        Answer(d, IDOK);
    });
    plan.Expect("open many one", [&](HWND d) {
        SetWindowTextA(NameField(d), "b.txt");
        Answer(d, IDOK);
    });
    plan.Expect(nullptr, [&](HWND d) { Answer(d, IDCANCEL); });

    Results r = RunScript("Dialogs.vbs", folder, [&](DWORD processId) { plan.Tick(processId); });

    EXPECT_EQ(plan.Steps(), plan.Answered());
    EXPECT_EQ((std::vector<std::string>{"pick one|x|list", "テキストが入力されていません|owned", "nolist",
                                        "name=init表+;=-;=C:\\x+;fourth=+;", "a.txt", "new表"}),
              seen);
    ExpectAll(r, {
        {"GetText.choice", Str("second表")}, {"GetText.trimmed", Str("ans表")}, {"GetText.cancel", Str("")},
        {"GetText.plain", Str("default表")}, {"GetText.badlist", kConversionFailed},
        {"GetTextList.layout", Str("init表\tC:\\x\t")}, {"GetTextList.all", Str("a\tb\t\t")},
        {"GetTextList.cancel", Str("")},
        {"OpenFileName", Str(folder + "\\a.txt")}, {"SaveFileName", Str(folder + "\\new表.csv")},
        {"OpenFileName.cancel", Str("")},
        {"OpenFileNames", Str(folder + "\\a.txt\t" + folder + "\\b.txt")}, {"OpenFileNames.one", Str(folder + "\\b.txt")},
        {"GetFolderName.cancel", Str("")},
    });
}

// The plain export, for programs without COM: the same open dialog, owned by the desktop.
TEST(BatchHelperDialogs, OpenFileNameExportFillsTheCallersBuffer)
{
    std::string folder = ScratchPath("export-dialog");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "\\表ソ.txt", "x");
    HMODULE library = LoadLibraryA(kVornPath);
    ASSERT_NE(nullptr, library);
    typedef BOOL(WINAPI * OpenName)(char*, const char*, const char*, const char*, const char*);
    auto open = reinterpret_cast<OpenName>(reinterpret_cast<void*>(GetProcAddress(library, "VNH_OpenFileName")));
    ASSERT_NE(nullptr, open);
    char path[MAX_PATH] = "unchanged";
    {
        DialogDriver driver("export title", [](HWND d) {
            SetWindowTextA(NameField(d), "表ソ.txt");
            Answer(d, IDOK);
        });
        EXPECT_TRUE(open(path, "export title", "text,*.txt", folder.c_str(), ""));
        EXPECT_TRUE(driver.Finish());
    }
    EXPECT_EQ(folder + "\\表ソ.txt", path);
    {
        DialogDriver driver(nullptr, [](HWND d) { Answer(d, IDCANCEL); });
        strcpy(path, "unchanged");
        EXPECT_FALSE(open(path, "", "", "", ""));
        EXPECT_TRUE(driver.Finish());
    }
    EXPECT_STREQ("unchanged", path);
    FreeLibrary(library);
}

}  // namespace
