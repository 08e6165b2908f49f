// The macro steps with their real dialogs and messages, answered from a driver thread as a
// user would answer them.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "command/MacroRunner.h"
#include "resources/MacroDialogIds.h"

namespace {

class FakeHost : public MacroHost {
public:
    explicit FakeHost(const std::string& iniPath) : settings_(iniPath.c_str()) {}
    MacroSelection selection;
    int tableFocus = 0;
    int definitionFocus = 0;

    HWND Owner() override { return nullptr; }
    ProfileStore& Settings() override { return settings_; }
    MacroSelection Selection() override { return selection; }
    void FocusTableList() override { ++tableFocus; }
    void FocusDefinitionView() override { ++definitionFocus; }

private:
    ProfileStore settings_;
};

std::string ItemText(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool ItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// Presses OK on the next message box and returns its text.
std::string AnswerMessage()
{
    HWND box = WaitForOwnDialog("確認", 20000);
    if (!box)
        return "<none>";
    std::string text = DialogStaticText(box);
    Press(box, IDOK);
    for (int i = 0; i < 200 && IsWindow(box); ++i)
        Sleep(25);
    return text;
}

void TypeFileName(HWND dialog, const char* name)
{
    HWND field = GetDlgItem(dialog, cmb13);
    if (!field)
        field = GetDlgItem(dialog, edt1);
    SetWindowTextA(field, name);
}

class MacroDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        iniPath_ = ScratchPath("MacroDialogs.ini");
        RemoveFile(iniPath_);
        host_ = new FakeHost(iniPath_);
        host_->selection.kind = DatabaseKind::Postgres;
    }
    void TearDown() override { delete host_; }

    std::string Setting(const char* key)
    {
        VornString value;
        host_->Settings().Read("SaveDir", key, value);
        return value.Text();
    }

    FakeHost* host_ = nullptr;
    std::string iniPath_;
};

}  // namespace

TEST_F(MacroDialogs, SelectionRefusalsShowTheirMessageAndMoveTheFocus)
{
    {
        MessageBoxAnswer answer(IDOK);
        VornString text("select * from $TABLE");
        EXPECT_FALSE(ExpandMacros(text, *host_));
        EXPECT_EQ("テーブルを選択して下さい　　", answer.Text());
        EXPECT_STREQ("select * from $TABLE", text.Text());
        EXPECT_EQ(1, host_->tableFocus);
        EXPECT_EQ(0, host_->definitionFocus);
    }
    host_->selection.tables = {{"社員", "TABLE"}};
    host_->selection.definitionHasSelection = true;
    {
        // Free SQL results in the definition view: no column to take.
        MessageBoxAnswer answer(IDOK);
        VornString text("select $COLUMN from $TABLE");
        EXPECT_FALSE(ExpandSelectionStep(text, *host_));
        EXPECT_EQ("列を選択して下さい　　", answer.Text());
        EXPECT_EQ(1, host_->definitionFocus);
    }
    VornString text("select * from $TABLE");
    EXPECT_TRUE(ExpandMacros(text, *host_));
    EXPECT_STREQ("select * from 社員", text.Text());
}

TEST_F(MacroDialogs, ConfirmationRunsOnlyWhenConfirmed)
{
    std::string message, runText, cancelText;
    int defaultButton = 0;
    {
        DialogDriver driver("外部実行確認", [&](HWND dialog) {
            message = DialogStaticText(dialog);
            runText = ItemText(dialog, IDOK);
            cancelText = ItemText(dialog, IDCANCEL);
            defaultButton = DefaultButton(dialog);
            Press(dialog, IDOK);
        });
        VornString text("$CONFIRM,表を削除します\r\ndrop table $TABLE\r\n");
        host_->selection.tables = {{"表ソ", "TABLE"}};
        EXPECT_TRUE(ExpandMacros(text, *host_));
        EXPECT_TRUE(driver.Finish());
        EXPECT_STREQ("drop table 表ソ\r\n", text.Text());
    }
    EXPECT_NE(std::string::npos, message.find("表を削除します"));
    EXPECT_EQ("実行", runText);
    EXPECT_EQ("キャンセル", cancelText);
    EXPECT_EQ(IDCANCEL, defaultButton);

    DialogDriver canceller("外部実行確認", [&](HWND dialog) { Press(dialog, IDCANCEL); });
    VornString text("$CONFIRM,x\r\ndel *.*");
    EXPECT_FALSE(ExpandInputStep(text, *host_));
    EXPECT_TRUE(canceller.Finish());
    EXPECT_STREQ("$CONFIRM,x\r\ndel *.*", text.Text());
}

TEST_F(MacroDialogs, TextDialogsShowDefaultCommentAndChoicesAndRefuseAnEmptyText)
{
    std::string entry, comment, emptyMessage;
    bool choicesEnabled = true, stayedOpen = false;
    RECT rect = {};
    DialogDriver first("$TEXT1 のマクロ文字列を置き換えます", [&](HWND dialog) {
        entry = ItemText(dialog, IDC_MACRO_TEXT_ENTRY);
        comment = ItemText(dialog, IDC_MACRO_TEXT_COMMENT);
        choicesEnabled = ItemEnabled(dialog, IDC_MACRO_TEXT_CHOICES);
        GetWindowRect(dialog, &rect);
        SetDlgItemTextA(dialog, IDC_MACRO_TEXT_ENTRY, " 　");
        Press(dialog, IDOK);
        emptyMessage = AnswerMessage();
        stayedOpen = IsWindowVisible(dialog) != FALSE;
        SetDlgItemTextA(dialog, IDC_MACRO_TEXT_ENTRY, "　値ソ ");
        Press(dialog, IDOK);
    });
    int choiceCount = 0;
    std::string thirdChoice, copied;
    DialogDriver second("$TEXT2 のマクロ文字列を置き換えます", [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_MACRO_TEXT_CHOICES);
        choiceCount = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
        char text[64] = "";
        SendMessageA(list, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
        thirdChoice = text;
        SendMessageA(list, CB_SETCURSEL, 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MACRO_TEXT_CHOICES, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        copied = ItemText(dialog, IDC_MACRO_TEXT_ENTRY);
        Press(dialog, IDOK);
    });
    VornString text("$DEFAULT1,既定値\r\n$COMMENT1,社員番号を入れて下さい\r\n$LISTTEXT2,赤|ポ|ソ\r\n"
                    "select '$TEXT1', '$TEXT2'");
    EXPECT_TRUE(ExpandInputStep(text, *host_));
    EXPECT_TRUE(first.Finish());
    EXPECT_TRUE(second.Finish());
    EXPECT_STREQ("select '値ソ', 'ポ'", text.Text());
    EXPECT_EQ("既定値", entry);
    EXPECT_EQ("社員番号を入れて下さい", comment);
    EXPECT_FALSE(choicesEnabled);
    EXPECT_EQ("テキストが入力されていません　　", emptyMessage);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(200, rect.top);
    EXPECT_LE(std::abs((GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2 - rect.left), 1);
    EXPECT_EQ(3, choiceCount);
    EXPECT_EQ("ソ", thirdChoice);
    EXPECT_EQ("ポ", copied);

    DialogDriver canceller("$TEXT9 のマクロ文字列を置き換えます", [&](HWND dialog) { Press(dialog, IDCANCEL); });
    VornString cancelled("$TEXT9");
    EXPECT_FALSE(ExpandInputStep(cancelled, *host_));
    EXPECT_TRUE(canceller.Finish());
}

TEST_F(MacroDialogs, CancellingTheSaveDialogStopsTheRunAndWritesNothing)
{
    DialogDriver canceller("保存用マクロ ($SAVE)", [&](HWND dialog) { Press(dialog, IDCANCEL); });
    VornString text("select * into outfile '$SAVE' from t");
    EXPECT_FALSE(ExpandInputStep(text, *host_));
    EXPECT_TRUE(canceller.Finish());
    EXPECT_STREQ("select * into outfile '$SAVE' from t", text.Text());
    EXPECT_EQ("<missing>", ReadBytes(iniPath_));
}

TEST_F(MacroDialogs, SaveDialogTakesTitleExtensionAndFolderAndRemembersTheFolder)
{
    std::string folder = ScratchPath("マクロ保存");
    CreateDirectoryA(folder.c_str(), nullptr);
    host_->Settings().Write("SaveDir", "SaveMacro", folder.c_str());
    std::string filter;
    DialogDriver driver("表の保存", [&](HWND dialog) {
        char text[128] = "";
        HWND list = GetDlgItem(dialog, cmb1);
        SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        filter = text;
        TypeFileName(dialog, "結果");
        Press(dialog, IDOK);
    });
    VornString text("$TITLESAVE,表の保存\r\n$EXTSAVE,csv\r\ncopy a.txt $SAVE");
    EXPECT_TRUE(ExpandInputStep(text, *host_));
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ("copy a.txt " + folder + "\\結果.csv", std::string(text.Text()));
    EXPECT_EQ("csv", filter);
    EXPECT_EQ(folder, Setting("SaveMacro"));
}

TEST_F(MacroDialogs, MultiFileDialogAsksForEveryActiveGroupAndBrowsesFromItsFolder)
{
    std::string folder = ScratchPath("マクロ入力");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "\\入力ソ.txt", "x");
    host_->Settings().Write("SaveDir", "FileMacro2", folder.c_str());
    bool firstEnabled = true, secondEnabled = false;
    std::string comment, missingSecond, missingThird, browseFilter, browsed;
    DialogDriver driver("ファイルの複数参照", [&](HWND dialog) {
        firstEnabled = ItemEnabled(dialog, IDC_MACRO_FILE1_PATH) || ItemEnabled(dialog, IDC_MACRO_FILE1_BROWSE);
        secondEnabled = ItemEnabled(dialog, IDC_MACRO_FILE2_PATH) && ItemEnabled(dialog, IDC_MACRO_FILE2_BROWSE);
        comment = ItemText(dialog, IDC_MACRO_FILE2_COMMENT);
        Press(dialog, IDOK);
        missingSecond = AnswerMessage();
        Press(dialog, IDC_MACRO_FILE2_BROWSE);
        HWND open = WaitForOwnDialog("ファイルのパスの取得", 20000);
        if (open) {
            char text[128] = "";
            SendMessageA(GetDlgItem(open, cmb1), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            browseFilter = text;
            TypeFileName(open, "入力ソ.txt");
            Press(open, IDOK);
        }
        for (int i = 0; i < 200 && ItemText(dialog, IDC_MACRO_FILE2_PATH).empty(); ++i)
            Sleep(25);
        browsed = ItemText(dialog, IDC_MACRO_FILE2_PATH);
        Press(dialog, IDOK);
        missingThird = AnswerMessage();
        SetDlgItemTextA(dialog, IDC_MACRO_FILE3_PATH, "C:\\三.csv");
        Press(dialog, IDOK);
    });
    VornString text("$COMMENTFILE2,比較する元のファイル\r\n$EXTFILE2,txt\r\nfc $FILE2 $FILE3");
    EXPECT_TRUE(ExpandInputStep(text, *host_));
    EXPECT_TRUE(driver.Finish());
    EXPECT_FALSE(firstEnabled);
    EXPECT_TRUE(secondEnabled);
    EXPECT_EQ("比較する元のファイル", comment);
    EXPECT_EQ("ファイル２を参照して下さい　　", missingSecond);
    EXPECT_EQ("ファイル３を参照して下さい　　", missingThird);
    EXPECT_EQ("txt", browseFilter);
    EXPECT_EQ(folder + "\\入力ソ.txt", browsed);
    EXPECT_EQ("fc " + browsed + " C:\\三.csv", std::string(text.Text()));
    EXPECT_EQ(folder, Setting("FileMacro2"));
}

TEST_F(MacroDialogs, CancellingTheFolderDialogStopsTheRun)
{
    DialogDriver canceller(nullptr, [&](HWND dialog) { Press(dialog, IDCANCEL); });
    VornString text("dir $DIR");
    EXPECT_FALSE(ExpandInputStep(text, *host_));
    EXPECT_TRUE(canceller.Finish());
    EXPECT_STREQ("dir $DIR", text.Text());
}
