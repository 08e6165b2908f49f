// The input step with scripted answers: definition lines, the order of the dialogs, what
// each dialog is given, and what a cancel leaves behind.
#include <gtest/gtest.h>

#include <string>

#include "MacroScriptedPrompter.h"
#include "TestSupport.h"
#include "command/MacroExpansion.h"

namespace {

class MacroInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        iniPath_ = ScratchPath("MacroInput.ini");
        RemoveFile(iniPath_);
        settings_ = new ProfileStore(iniPath_.c_str());
    }
    void TearDown() override { delete settings_; }

    // Runs the input step; the expanded text, or "cancelled" (the text must then be unchanged).
    std::string Run(const char* text, DatabaseKind kind = DatabaseKind::Postgres)
    {
        VornString work(text);
        if (!ExpandInputMacros(work, kind, *settings_, prompter)) {
            EXPECT_STREQ(text, work.Text());
            return "cancelled";
        }
        return work.Text();
    }
    std::string Setting(const char* key)
    {
        VornString value;
        settings_->Read("SaveDir", key, value);
        return value.Text();
    }

    ScriptedPrompter prompter;
    ProfileStore* settings_ = nullptr;
    std::string iniPath_;
};

std::string Read(std::string& text, const char* name)
{
    VornString work(text.c_str());
    VornString value = ReadMacroDefinition(work, name);
    text = work.Text();
    return value.Text();
}

}  // namespace

TEST(MacroDefinitions, TheFirstLineStartingWithTheNameGivesFieldOneAndGoes)
{
    std::string text = "$COMMENT1,社員番号を入力して下さい　　\r\nselect * from t where no = '$TEXT1'\r\n";
    EXPECT_EQ("社員番号を入力して下さい", Read(text, "$COMMENT1"));
    EXPECT_EQ("select * from t where no = '$TEXT1'\r\n", text);

    text = "a\n$DEFAULT1,表ソ,残り\n$DEFAULT1,二番目\nb $DEFAULT1 c";
    EXPECT_EQ("表ソ", Read(text, "$DEFAULT1"));
    EXPECT_EQ("a\n,二番目\nb  c", text);

    // Not at the start of a line: no definition, but the name still goes.
    text = "x $DEFAULT2,値\n";
    EXPECT_EQ("", Read(text, "$DEFAULT2"));
    EXPECT_EQ("x ,値\n", text);

    // The last line without a line end; nothing else of the text changes.
    text = "select 1\r\n$TITLESAVE,出力先";
    EXPECT_EQ("出力先", Read(text, "$TITLESAVE"));
    EXPECT_EQ("select 1\r\n", text);

    text = "select '$TEXT1'";
    EXPECT_EQ("", Read(text, "$COMMENT1"));
    EXPECT_EQ("select '$TEXT1'", text);
}

TEST(MacroDefinitions, LinesEndOnlyAtLineFeedCharacters)
{
    // 0x0A after a lead byte belongs to that character, so the definition runs on.
    std::string text = std::string("$COMMENT3,x\x81\ny\nz");
    EXPECT_EQ("x\x81\ny", Read(text, "$COMMENT3"));
    EXPECT_EQ("z", text);
}

TEST_F(MacroInput, FirstTextDialogGetsItsDefaultAndCommentAndTheDefinitionsAreNotRun)
{
    prompter.answers = {"　１２３ ", "b"};
    std::string result = Run("$DEFAULT1,100\r\n$COMMENT1,番号\r\n$LISTTEXT2,a|b|c\r\n"
                             "select * from t where no = $TEXT1 and kind = '$TEXT2' or no = $TEXT1\r\n");
    EXPECT_EQ("select * from t where no = １２３ and kind = 'b' or no = １２３\r\n", result);
    ASSERT_EQ(2u, prompter.calls.size());
    EXPECT_EQ("text1:100|番号|", prompter.calls[0]);
    EXPECT_EQ("text2:||a;b;c", prompter.calls[1]);
}

TEST_F(MacroInput, ChoicesSplitOnlyAtSingleByteBars)
{
    // ポ is 0x83 0x7C: its trail byte is the bar.
    prompter.answers = {"ポ"};
    EXPECT_EQ("ポ", Run("$LISTTEXT7,ポ||ソ|\n$TEXT7"));
    ASSERT_EQ(1u, prompter.calls.size());
    EXPECT_EQ("text7:||ポ;ソ", prompter.calls[0]);
}

TEST_F(MacroInput, DefinitionsWithoutTheirTextMacroAreRemovedWithoutADialog)
{
    EXPECT_EQ("select 1\n", Run("$DEFAULT4,x\n$COMMENT9,y\nselect 1\n$LISTTEXT6,a|b\n"));
    EXPECT_TRUE(prompter.calls.empty());
    EXPECT_EQ("select $TEXT $text1 $TEXTA", Run("select $TEXT $text1 $TEXTA"));
    EXPECT_TRUE(prompter.calls.empty());
}

TEST_F(MacroInput, CancelOrAnEmptyEntryStopsTheRun)
{
    prompter.answers = {"1", nullptr};
    EXPECT_EQ("cancelled", Run("$TEXT1 $TEXT2"));
    ScriptedPrompter blank;
    blank.answers = {"　 "};
    VornString text("$TEXT3");
    EXPECT_FALSE(ExpandInputMacros(text, DatabaseKind::Mdb, *settings_, blank));
    EXPECT_STREQ("$TEXT3", text.Text());
}

TEST_F(MacroInput, ConfirmationShowsTheDefinitionAndCancelRefuses)
{
    prompter.answers = {"ok"};
    EXPECT_EQ("delete from 表\n", Run("$CONFIRM,全件削除します。よろしいですか？\ndelete from 表\n"));
    ASSERT_EQ(1u, prompter.calls.size());
    EXPECT_EQ("confirm:全件削除します。よろしいですか？", prompter.calls[0]);
    prompter.calls.clear();
    prompter.answers.push_back(nullptr);
    EXPECT_EQ("cancelled", Run("delete from 表 $CONFIRM"));
    EXPECT_EQ("confirm:", prompter.calls.at(0));
}

TEST_F(MacroInput, SaveDialogUsesItsDefinitionsAndRemembersTheFolder)
{
    settings_->Write("SaveDir", "SaveMacro", "C:\\前回");
    prompter.answers = {"C:\\出力\\表ソ.csv"};
    EXPECT_EQ("copy x C:\\出力\\表ソ.csv & type C:\\出力\\表ソ.csv\n",
              Run("$TITLESAVE,CSV の保存先\n$EXTSAVE,csv\ncopy x $SAVE & type $SAVE\n"));
    ASSERT_EQ(1u, prompter.calls.size());
    EXPECT_EQ("save:CSV の保存先|csv,*.csv,全て,*.*|csv|C:\\前回", prompter.calls[0]);
    EXPECT_EQ("C:\\出力", Setting("SaveMacro"));

    prompter.calls.clear();
    prompter.answers.push_back("D:\\a.txt");
    EXPECT_EQ("D:\\a.txt", Run("$DEFAULTSAVE,E:\\既定\n$SAVE"));
    EXPECT_EQ("save:保存用マクロ ($SAVE)|全て,*.*||E:\\既定", prompter.calls.at(0));
    EXPECT_EQ("D:\\", Setting("SaveMacro"));
}

TEST_F(MacroInput, CancellingTheSaveDialogWritesNothing)
{
    prompter.answers = {nullptr};
    EXPECT_EQ("cancelled", Run("$TITLESAVE,保存\nselect * into outfile '$SAVE' from t"));
    EXPECT_EQ("<missing>", ReadBytes(iniPath_));
}

TEST_F(MacroInput, OpenDialogOnOracleIsNotShownForDynamicViews)
{
    EXPECT_EQ("select * from V$OPEN_CURSOR", Run("select * from V$OPEN_CURSOR", DatabaseKind::Oracle));
    EXPECT_EQ("select * from v$OPEN_CURSOR", Run("select * from v$OPEN_CURSOR", DatabaseKind::Oracle));
    EXPECT_TRUE(prompter.calls.empty());
    EXPECT_EQ("", Setting("OpenMacro"));

    prompter.answers = {"C:\\in\\a.sql", "C:\\in\\b.sql"};
    EXPECT_EQ("@C:\\in\\a.sql", Run("$TITLEOPEN,読む\n$EXTOPEN,sql\n@$OPEN", DatabaseKind::Oracle));
    EXPECT_EQ("open:読む|sql,*.sql,全て,*.*|sql|", prompter.calls.at(0));
    EXPECT_EQ("C:\\in", Setting("OpenMacro"));
    // Other kinds have no such views.
    EXPECT_EQ("VC:\\in\\b.sql", Run("V$OPEN", DatabaseKind::Postgres));
    EXPECT_EQ("open:読出用マクロ ($OPEN)|全て,*.*||C:\\in", prompter.calls.at(1));
}

TEST_F(MacroInput, FolderDialogTakesItsTitle)
{
    prompter.answers = {"C:\\作業", "D:\\"};
    EXPECT_EQ("dir C:\\作業", Run("dir $DIR"));
    EXPECT_EQ("D:\\ D:\\", Run("$TITLEDIR,作業フォルダ\n$DIR $DIR"));
    EXPECT_EQ("dir:ディレクトリマクロ ($DIR)", prompter.calls.at(0));
    EXPECT_EQ("dir:作業フォルダ", prompter.calls.at(1));
    prompter.answers.push_back(nullptr);
    EXPECT_EQ("cancelled", Run("$DIR"));
}

TEST_F(MacroInput, FileGroupsAreActiveOnlyForTheirMacros)
{
    settings_->Write("SaveDir", "FileMacro3", "C:\\三");
    prompter.answers = {"C:\\a.csv", "C:\\三\\c.txt"};
    std::string result = Run("$COMMENTFILE1,元データ\n$EXTFILE1,csv\n$COMMENTFILE2,未使用\n$EXTFILE3,txt\n"
                             "diff $FILE1 $FILE3 $FILE1\n");
    EXPECT_EQ("diff C:\\a.csv C:\\三\\c.txt C:\\a.csv\n", result);
    ASSERT_EQ(1u, prompter.calls.size());
    EXPECT_EQ("files:on|元データ||csv,*.csv,全て,*.*|csv|;off|未使用||全て,*.*||;on|||txt,*.txt,全て,*.*|txt|C:\\三",
              prompter.calls[0]);
    EXPECT_STREQ("FileMacro2", prompter.lastFiles.folderKey[1]);

    // Without a file macro the file definitions stay in the text.
    EXPECT_EQ("$COMMENTFILE1,x\n", Run("$COMMENTFILE1,x\n"));
    prompter.answers.push_back(nullptr);
    EXPECT_EQ("cancelled", Run("$FILE2"));
}

TEST_F(MacroInput, DialogsComeInTheirFixedOrder)
{
    prompter.answers = {"ok", "t1", "t5", "s", "o", "d", "f1", "t6", "t9"};
    std::string result = Run("$TEXT9 $FILE1 $TEXT6 $DIR $OPEN $SAVE $TEXT5 $TEXT1 $CONFIRM");
    EXPECT_EQ("t9 f1 t6 d o s t5 t1 ", result);
    std::vector<std::string> kinds;
    for (const std::string& call : prompter.calls)
        kinds.push_back(call.substr(0, call.find(':')));
    EXPECT_EQ((std::vector<std::string>{"confirm", "text1", "text5", "save", "open", "dir", "files", "text6", "text9"}),
              kinds);
}

TEST_F(MacroInput, TheFilterHelperAndFolderStoreFollowTheFileRules)
{
    EXPECT_STREQ("全て,*.*", MacroFileFilter("").Text());
    EXPECT_STREQ("全て,*.*", MacroFileFilter(nullptr).Text());
    EXPECT_STREQ("表,*.表,全て,*.*", MacroFileFilter("表").Text());
    RememberMacroFolder(*settings_, "FileMacro1", "C:\\表\\ソ.txt");
    EXPECT_EQ("C:\\表", Setting("FileMacro1"));
    EXPECT_TRUE(TextHoldsOpenMacro("V$OPEN", DatabaseKind::MySql));
    EXPECT_FALSE(TextHoldsOpenMacro("$OPEN V$OPEN", DatabaseKind::Oracle));
    EXPECT_FALSE(TextHoldsOpenMacro("$OPE", DatabaseKind::Postgres));
}
