// The file menus built from real folders under Wine: Japanese file names, separators, ids
// that map back to their files, the kind change and the tool menu; the shipped folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/MenuFiles.h"
#include "common/MenuHelpers.h"

namespace {

void MakeFolder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

void Touch(const std::string& path, const char* text = "SELECT 1\r\n") { WriteBytes(path, text); }

// A fresh folder below the working folder.
std::string Scratch(const char* name)
{
    std::string folder = ScratchPath(name);
    SHFILEOPSTRUCTA remove = {};
    std::string from = folder + '\0';
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&remove);
    MakeFolder(folder);
    return folder;
}

class MenuFilesTest : public ::testing::Test {
protected:
    void SetUp() override { popup_ = CreatePopupMenu(); }
    void TearDown() override { DestroyMenu(popup_); }

    bool IsSeparatorAt(int position)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        return GetMenuItemInfoA(popup_, static_cast<UINT>(position), TRUE, &info) && (info.fType & MFT_SEPARATOR);
    }
    UINT IdAt(int position) { return GetMenuItemID(popup_, position); }

    HMENU popup_ = nullptr;
};

}  // namespace

TEST_F(MenuFilesTest, JapaneseFileNamesGiveCaptionsSeparatorsAndIdsThatMapBack)
{
    std::string folder = Scratch("menus-jp");
    Touch(folder + "\\02テーブル一覧.mnu");
    Touch(folder + "\\01セパレータ.mnu", "");
    Touch(folder + "\\03表示ソート.mnu");
    Touch(folder + "\\10Abc.mnu");
    Touch(folder + "\\05メモ.txt");
    MakeFolder(folder + "\\04フォルダ.mnu");
    InsertMenuCommand(popup_, -1, 999, "前の項目");

    MenuFileList list;
    ASSERT_TRUE(list.Build(popup_, folder.c_str(), kKindMenuBase));
    ASSERT_EQ(4u, list.Count());
    ASSERT_EQ(4, MenuItemCount(popup_));
    EXPECT_TRUE(IsSeparatorAt(0));
    EXPECT_STREQ("テーブル一覧", MenuItemText(popup_, 1).Text());
    EXPECT_EQ(40001u, IdAt(1));
    EXPECT_STREQ("表示ソート", MenuItemText(popup_, 2).Text());
    EXPECT_EQ(40002u, IdAt(2));
    EXPECT_STREQ("Abc", MenuItemText(popup_, 3).Text());
    EXPECT_EQ(40003u, IdAt(3));

    EXPECT_EQ(folder + "\\03表示ソート.mnu", list.PathOf(40002).Text());
    EXPECT_EQ(folder + "\\01セパレータ.mnu", list.PathOf(40000).Text());
    EXPECT_STREQ("表示ソート", list.CaptionOf(40002).Text());
    EXPECT_STREQ("", list.PathOf(40004).Text());
    EXPECT_STREQ("", list.PathOf(39999).Text());
    // The path names a file that opens.
    EXPECT_EQ("SELECT 1\r\n", ReadBytes(list.PathOf(40003).Text()));
}

TEST_F(MenuFilesTest, MissingFolderEmptiesThePopupAndForgetsTheLastFiles)
{
    std::string folder = Scratch("menus-gone");
    Touch(folder + "\\01a.mnu");
    MenuFileList list;
    ASSERT_TRUE(list.Build(popup_, folder.c_str(), kSkeletonMenuBase));
    ASSERT_EQ(1u, list.Count());
    EXPECT_FALSE(list.Build(popup_, (folder + "\\none").c_str(), kSkeletonMenuBase));
    EXPECT_EQ(0, MenuItemCount(popup_));
    EXPECT_EQ(0u, list.Count());
    EXPECT_STREQ("", list.PathOf(43000).Text());

    std::string empty = Scratch("menus-empty");
    EXPECT_TRUE(list.Build(popup_, empty.c_str(), kSkeletonMenuBase)) << "a folder without files is no failure";
    EXPECT_EQ(0, MenuItemCount(popup_));
}

TEST_F(MenuFilesTest, ChangingKindFromMdbToOracleReplacesTheKindMenus)
{
    std::string program = Scratch("menus-program");
    for (const char* kind : {"MDB", "Oracle"}) {
        MakeFolder(program + "\\" + kind);
        MakeFolder(program + "\\" + kind + "\\menu");
        MakeFolder(program + "\\" + kind + "\\skeleton");
    }
    Touch(program + "\\MDB\\menu\\01テーブル一覧.mnu");
    Touch(program + "\\MDB\\menu\\02クエリ一覧.mnu");
    Touch(program + "\\MDB\\skeleton\\01SELECT文.mnu");
    Touch(program + "\\Oracle\\menu\\01表領域.mnu");
    Touch(program + "\\Oracle\\menu\\02セパレータ.mnu");
    Touch(program + "\\Oracle\\menu\\03セッション.mnu");
    HMENU skeleton = CreatePopupMenu();

    MenuFileMenus menus;
    menus.BuildKindMenus(popup_, skeleton, program.c_str(), DatabaseKind::Mdb, nullptr);
    ASSERT_EQ(2, MenuItemCount(popup_));
    EXPECT_STREQ("クエリ一覧", MenuItemText(popup_, 1).Text());
    EXPECT_EQ(1, MenuItemCount(skeleton));
    EXPECT_EQ(program + "\\MDB\\skeleton\\01SELECT文.mnu", menus.PathOf(43000).Text());
    EXPECT_STREQ(",not NULL,with COMP", menus.parts.option1.Text());

    menus.BuildKindMenus(popup_, skeleton, program.c_str(), DatabaseKind::Oracle, nullptr);
    ASSERT_EQ(3, MenuItemCount(popup_));
    EXPECT_STREQ("表領域", MenuItemText(popup_, 0).Text());
    EXPECT_TRUE(IsSeparatorAt(1));
    EXPECT_STREQ("セッション", MenuItemText(popup_, 2).Text());
    EXPECT_EQ(40002u, IdAt(2));
    EXPECT_EQ(program + "\\Oracle\\menu\\03セッション.mnu", menus.PathOf(40002).Text());
    EXPECT_STREQ("セッション", menus.CaptionOf(40002).Text());
    EXPECT_EQ(0, MenuItemCount(skeleton)) << "the Oracle folder has no skeletons";
    EXPECT_STREQ("", menus.PathOf(43000).Text());
    EXPECT_STREQ(",not NULL", menus.parts.option1.Text());
    EXPECT_STREQ(",NULL,sysdate,フリー入力", menus.parts.option2.Text());

    // Without a kind nothing is read, not even a "menu" folder of the current folder.
    MakeFolder(ScratchPath("menu"));
    Touch(ScratchPath("menu\\01迷子.mnu"));
    menus.BuildKindMenus(popup_, skeleton, program.c_str(), DatabaseKind::None, nullptr);
    EXPECT_EQ(0, MenuItemCount(popup_));
    EXPECT_EQ(0u, menus.kindMenu.Count());
    EXPECT_STREQ("", menus.parts.cond.Text());
    DestroyMenu(skeleton);
}

TEST_F(MenuFilesTest, ToolMenuStaysAsItWasWithoutItsFolder)
{
    std::string program = Scratch("menus-tools");
    InsertMenuCommand(popup_, -1, 32800, "オプション設定");
    MenuFileMenus menus;
    EXPECT_FALSE(menus.BuildToolMenu(popup_, program.c_str()));
    ASSERT_EQ(1, MenuItemCount(popup_));
    EXPECT_STREQ("オプション設定", MenuItemText(popup_, 0).Text());

    MakeFolder(program + "\\Tool");
    MakeFolder(program + "\\Tool\\menu");
    Touch(program + "\\Tool\\menu\\01オプション設定.mnu", "@OPTION\r\n");
    Touch(program + "\\Tool\\menu\\02メモ帳.mnu", "@EXEC\r\nnotepad.exe\r\n");
    EXPECT_TRUE(menus.BuildToolMenu(popup_, program.c_str()));
    ASSERT_EQ(2, MenuItemCount(popup_));
    EXPECT_EQ(41000u, IdAt(0));
    EXPECT_EQ(41001u, IdAt(1));
    EXPECT_EQ(program + "\\Tool\\menu\\02メモ帳.mnu", menus.PathOf(41001).Text());
    EXPECT_EQ(&menus.toolMenu, menus.ListOf(41001));
    EXPECT_EQ(nullptr, menus.ListOf(40000));
}

TEST_F(MenuFilesTest, ShippedFoldersArriveWithTheirJapaneseCaptions)
{
    std::string shipped = KESTROVA_SHIPPED_DATA;
    MenuFileMenus menus;
    HMENU skeleton = CreatePopupMenu();
    menus.BuildKindMenus(popup_, skeleton, shipped.c_str(), DatabaseKind::Postgres,
                         [] { return TokenList("not,asked", ','); });
    ASSERT_GE(menus.kindMenu.Count(), 10u);
    EXPECT_STREQ("テーブルサイズ", menus.CaptionOf(40000).Text());
    EXPECT_STREQ("テーブルサイズ", MenuItemText(popup_, 0).Text());
    EXPECT_TRUE(IsSeparatorAt(3)) << "04セパレータ.mnu";
    EXPECT_STREQ("セッション一覧", MenuItemText(popup_, 4).Text());
    EXPECT_EQ(40004u, IdAt(4));
    EXPECT_EQ("SELECT pid, usename", ReadBytes(menus.PathOf(40004).Text()).substr(0, 19));
    EXPECT_STREQ("SELECT文", MenuItemText(skeleton, 0).Text());
    EXPECT_EQ(0, std::string(menus.parts.type.Text()).find("integer,bigint,"));

    menus.BuildKindMenus(popup_, skeleton, shipped.c_str(), DatabaseKind::SqlServer, nullptr);
    EXPECT_STREQ(",NULL,getdate(),フリー入力", menus.parts.option2.Text()) << "SQL Server ships no Option2.txt";
    EXPECT_STREQ(",IDENTITY,not NULL", menus.parts.option1.Text());

    HMENU tools = CreatePopupMenu();
    ASSERT_TRUE(menus.BuildToolMenu(tools, shipped.c_str()));
    EXPECT_STREQ("オプション設定", MenuItemText(tools, 0).Text());
    EXPECT_EQ(41000u, GetMenuItemID(tools, 0));
    EXPECT_EQ("@OPTION\r\n", ReadBytes(menus.PathOf(41000).Text()));
    DestroyMenu(tools);
    DestroyMenu(skeleton);
}

// Wine's script host has no engine for ".wsf" jobs, so the template's script element is run
// as a ".vbs" file: a syntax error in it would run nothing and end with code 0.
TEST(ShippedTrainingTemplate, ScriptOfTheJobRunsWithTheUsersCode)
{
    std::string text = ReadBytes(std::string(KESTROVA_SHIPPED_DATA) + "\\Tool\\parts\\trainingvbs.txt");
    size_t open = text.find("<script language=\"VBScript\">");
    size_t close = text.find("</script>");
    ASSERT_NE(std::string::npos, open);
    ASSERT_NE(std::string::npos, close);
    std::string body = text.substr(open + 28, close - open - 28);
    size_t code = body.find("$$CODE");
    ASSERT_NE(std::string::npos, code);
    body.replace(code, 6, "If fso.FolderExists(shell.ExpandEnvironmentStrings(\"%WINDIR%\")) Then WScript.Quit 7");
    std::string script = ScratchPath("training.vbs");
    WriteBytes(script, body);

    std::string commandLine = "cscript.exe //nologo //B \"" + script + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &process));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(7u, exitCode);
}
