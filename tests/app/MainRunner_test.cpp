// The command area at work in the main window: the run files of each execution type, the
// refusals, waiting, the command-bar operations and the road of one SQL request.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "MainWindowTestSupport.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "common/Clipboard.h"
#include "resources/resource.h"

namespace {

std::string AreaText(MainWindowFixture& app)
{
    char text[8192] = "";
    GetWindowTextA(app.Main().CommandArea(), text, sizeof text);
    return text;
}

void Execute(MainWindowFixture& app, const char* text, const char* type)
{
    SetWindowTextA(app.Main().CommandArea(), text);
    app.Main().SetExecutionType(type);
    SendMessageA(app.Handle(), kGridHeaderClick, reinterpret_cast<WPARAM>(app.Main().CommandBar().ListHandle()), 0);
    RecordingWindow::Pump();
}

class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = SetRunWaitPolicy(RunWaitPolicy());
        app_.Start();
    }
    void TearDown() override { SetRunWaitPolicy(previous_); }

    std::string Folder() { return app_.Folder(); }
    MainWindowFixture app_;
    RunWaitPolicy previous_;
};

}  // namespace

TEST_F(RunnerTest, ExternalProgramWritesTheBatchFileAndWaitsForIt)
{
    // "echo" runs inside cmd.exe: the output comes back through std.txt into the result file.
    Execute(app_, "echo 表ソ能 $WAIT $NORESULT", "外部プログラム");
    const std::string folder = Folder();
    std::string batch = ReadBytes(folder + "\\Action.bat");
    EXPECT_EQ("echo 表ソ能    > \"" + folder + "\\std.txt\" 2> \"" + folder + "\\err.txt\"\r\n" +
                  "copy \"" + folder + "\\std.txt\" /B + \"" + folder + "\\err.txt\" /B \"" + folder +
                  "\\Result.txt\"\r\n",
              batch);
    EXPECT_NE(std::string::npos, ReadBytes(folder + "\\Result.txt").find("表ソ能"));
}

TEST_F(RunnerTest, AWaitedRunPastItsPollsTimesOutAndLeavesTheProcess)
{
    SetRunWaitPolicy({10, 2});
    MessageBoxAnswer box(IDOK);
    Execute(app_, "ping -n 3 127.0.0.1 $WAIT $NORESULT", "外部プログラム");
    EXPECT_EQ("タイムアウトです　　", box.Text());
}

TEST_F(RunnerTest, WscriptRunsAreOneLineWithoutALineEnd)
{
    Execute(app_, "WScript.Quit 0\r\n$WSCRIPT", "WSH(.vbs)");
    EXPECT_EQ("wscript.exe  \"" + Folder() + "\\Action.vbs\"", ReadBytes(Folder() + "\\Action.bat"));
    // Stripping ends every kept line with a line end; the file adds one after the body.
    EXPECT_EQ("WScript.Quit 0\r\n\r\n\r\n", ReadBytes(Folder() + "\\Action.vbs"));
}

TEST_F(RunnerTest, InterpreterWithABlankPathIsRefused)
{
    app_.Set("MainOption", "PhpPath", "  　 ");
    DeleteFileA((Folder() + "\\Action.php").c_str());
    MessageBoxAnswer box(IDOK);
    Execute(app_, "<?php echo 1; ?>", "PHP");
    EXPECT_EQ("PHP.EXE のパスが登録されていません\nツールメニューのオプションで登録して下さい　　", box.Text());
    EXPECT_EQ("<missing>", ReadBytes(Folder() + "\\Action.php")) << "nothing is written for a refused run";
}

TEST_F(RunnerTest, OperationsChangeTheCommandArea)
{
    SetWindowTextA(app_.Main().CommandArea(), "select　a from　表");
    app_.Main().CommandBar().SetCellText(0, 1, "漢字スペース除去");
    SendMessageA(app_.Handle(), kGridHeaderClick, reinterpret_cast<WPARAM>(app_.Main().CommandBar().ListHandle()), 1);
    EXPECT_EQ("select a from 表", AreaText(app_));

    SetWindowTextA(app_.Main().CommandArea(), "@SKELETON\r\nSELECT A,B FROM T");
    app_.Main().SetExecutionType("PHP");
    app_.Main().CommandBar().SetCellText(0, 1, "SQLの整形");
    SendMessageA(app_.Handle(), kGridComboCommitted, reinterpret_cast<WPARAM>(app_.Main().CommandBar().ListHandle()),
                 MAKELONG(0, 1));
    EXPECT_EQ("SELECT A\r\n\t,B \r\n from T ", AreaText(app_));
    EXPECT_STREQ("SQL", app_.Main().ExecutionType()) << "the directive line chose the type";

    app_.Main().CommandBar().SetCellText(0, 1, "背景色変更");
    SendMessageA(app_.Handle(), kGridComboCommitted, reinterpret_cast<WPARAM>(app_.Main().CommandBar().ListHandle()),
                 MAKELONG(0, 1));
    EXPECT_EQ("1", app_.Setting("MainOption", "CommandBackColor"));

    app_.Main().CommandBar().SetCellText(0, 1, "クリア");
    SendMessageA(app_.Handle(), kGridComboCommitted, reinterpret_cast<WPARAM>(app_.Main().CommandBar().ListHandle()),
                 MAKELONG(0, 1));
    EXPECT_EQ("", AreaText(app_));

    app_.Main().CommandBar().SetCellText(0, 1, "VBSﾄﾚｰﾆﾝｸﾞﾓｰﾄﾞ");
    SendMessageA(app_.Handle(), kGridComboCommitted, reinterpret_cast<WPARAM>(app_.Main().CommandBar().ListHandle()),
                 MAKELONG(0, 1));
    EXPECT_STREQ("WSH(.wsf)", app_.Main().ExecutionType());
}

TEST_F(RunnerTest, TrainingModeWrapsTheTypedCodeInTheTemplate)
{
    CreateDirectoryA((Folder() + "\\Tool").c_str(), nullptr);
    CreateDirectoryA((Folder() + "\\Tool\\parts").c_str(), nullptr);
    app_.Main().CommandBar().SetCellText(0, 1, "VBSﾄﾚｰﾆﾝｸﾞﾓｰﾄﾞ");
    {
        MessageBoxAnswer box(IDOK);
        Execute(app_, "$print \"hello\"", "WSH(.wsf)");
        EXPECT_EQ("VBSﾄﾚｰﾆﾝｸﾞﾓｰﾄﾞ用のtrainingvbs.txt が存在しません　　", box.Text());
    }
    WriteBytes(Folder() + "\\Tool\\parts\\trainingvbs.txt",
               "<job><script language=\"VBScript\">\r\n$$CODE\r\n$quit\r\n</script></job>\r\n");
    // cscript, not wscript: a message box of another process would outlive the test.
    Execute(app_, "$print \"hello\" $NORESULT", "WSH(.wsf)");
    EXPECT_EQ("<job><script language=\"VBScript\">\r\nWscript.Echo \"hello\" \r\nWscript.Quit\r\n</script></job>\r\n\r\n",
              ReadBytes(Folder() + "\\Action.wsf"));
}

TEST_F(RunnerTest, SqlOfCommentLinesOnlyDoesNothing)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"社員", "TABLE"}}));
    ASSERT_TRUE(app_.Main().ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    backend->ClearRecord();
    Execute(app_, "-- 一行目\r\n--二行目\r\n", "SQL");
    EXPECT_TRUE(backend->Statements().empty());
    EXPECT_TRUE(app_.linkMessages.empty());
}

TEST_F(RunnerTest, SeveralStatementsWithoutASemicolonRunAsOne)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"社員", "TABLE"}}));
    ScriptedRowset one;
    one.Column("n", 3).Row({"7"});
    backend->AddRowset("select 7 as n", one);
    ASSERT_TRUE(app_.Main().ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    backend->ClearRecord();
    SetWindowTextA(app_.Main().CommandArea(), "select 7 as n");
    app_.Command(IDM_EXECUTE_SEVERAL);
    EXPECT_EQ((std::vector<std::string>{"select 7 as n"}), backend->Statements());
    EXPECT_STREQ("Free SQL の結果を表示しました ( 1/50 )", app_.Main().Status().SimpleText());

    MainWindowFixture unconnected;
    unconnected.Start();
    MessageBoxAnswer box(IDOK);
    unconnected.Command(IDM_EXECUTE_SEVERAL);
    EXPECT_EQ("データベースに接続して下さい　　", box.Text());
}

namespace {

int RowOfTable(GridView& list, const char* name)
{
    for (int row = 0; row < list.RowCount(); ++row)
        if (list.CellText(row, 1).Equals(name))
            return row;
    return -1;
}

}  // namespace

TEST_F(RunnerTest, F12OnASelectOfTheSelectedJapaneseTableFillsTheLowerList)
{
    MainWindow& main = app_.Main();
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova"));
    int row = RowOfTable(main.TableList(), "連番");
    ASSERT_GE(row, 0);
    main.TableList().SelectRow(row, true);
    SetWindowTextA(main.CommandArea(), "-- 連番を全部\r\nselect * from $TABLE order by 1");
    main.SetExecutionType("SQL");
    app_.Command(IDM_EXECUTE);  // F12
    EXPECT_EQ(50, main.DefinitionView().RowCount()) << "the row limit holds";
    EXPECT_STREQ("番号", main.DefinitionView().ColumnTitle(0));
    EXPECT_STREQ("Free SQL の結果を表示しました ( 50/50 )", main.Status().SimpleText());
    EXPECT_TRUE(main.DefinitionShowsFreeSql());
    EXPECT_TRUE(app_.linkMessages.empty()) << app_.linkMessages.front();
}

TEST_F(RunnerTest, ViewResultBringsAScriptsOutputIntoTheLowerList)
{
    // The result tools lie in the program folder's Tool\parts, as in the built program folder.
    CreateDirectoryA((Folder() + "\\Tool").c_str(), nullptr);
    CreateDirectoryA((Folder() + "\\Tool\\parts").c_str(), nullptr);
    for (const char* tool : {"VornResult.exe", "VornPost.exe"}) {
        std::string source = std::string(KESTROVA_TOOLS_DIR) + "/" + tool;
        std::string windowsSource = "Z:" + source;
        for (char& c : windowsSource)
            if (c == '/')
                c = '\\';
        ASSERT_TRUE(CopyFileA(windowsSource.c_str(), (Folder() + "\\Tool\\parts\\" + tool).c_str(), FALSE)) << tool;
    }
    Execute(app_, "WScript.Echo \"line one\"\r\nWScript.Echo \"line two\"\r\n$VIEWRESULT $NORESULT", "WSH(.vbs)");
    GridView& view = app_.Main().DefinitionView();
    for (int waited = 0; waited < 60000 && view.RowCount() < 6; waited += 200) {
        RecordingWindow::Pump(200);
    }
    ASSERT_GE(view.RowCount(), 6) << "the posted paste did not arrive";
    EXPECT_STREQ("1", view.ColumnTitle(0));
    EXPECT_STREQ("line one", view.CellText(0, 0));
    EXPECT_STREQ("line two", view.CellText(1, 0));
    EXPECT_STREQ("----------------------------------------", view.CellText(2, 0));
    EXPECT_STREQ("0001 WScript.Echo \"line one\"", view.CellText(3, 0));
    EXPECT_STREQ("0002 WScript.Echo \"line two\"", view.CellText(4, 0));
}

TEST_F(RunnerTest, MenuFileItemsMapBackToTheirFilesAndFollowTheirFirstLine)
{
    const std::string kindFolder = Folder() + "\\SQLServer";
    CreateDirectoryA(kindFolder.c_str(), nullptr);
    CreateDirectoryA((kindFolder + "\\menu").c_str(), nullptr);
    WriteBytes(kindFolder + "\\menu\\01件数.mnu", "select count(*) from $TABLE\r\n");
    WriteBytes(kindFolder + "\\menu\\02セパレータ.mnu", "");
    WriteBytes(kindFolder + "\\menu\\03雛形.mnu", "@SKELETON\r\nselect * from $TABLE\nwhere 1 = 1\n");
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"社員", "TABLE"}}));
    ScriptedRowset count;
    count.Column("count", 3).Row({"12"});
    backend->AddRowset("select count(*) from 社員", count);
    MainWindow& main = app_.Main();
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::SqlServer, "srv,db,sa,pw"));

    HMENU kindMenu = GetSubMenu(GetMenu(app_.Handle()), 4);
    ASSERT_EQ(3, GetMenuItemCount(kindMenu));
    char caption[64] = "";
    GetMenuStringA(kindMenu, IDM_KIND_MENU_FIRST + 2, caption, sizeof caption, MF_BYCOMMAND);
    EXPECT_STREQ("雛形", caption) << "the separator keeps its place in the numbering";
    EXPECT_TRUE(GetMenuState(kindMenu, 1, MF_BYPOSITION) & MF_SEPARATOR);

    main.SetExecutionType("PHP");
    app_.Command(IDM_KIND_MENU_FIRST + 2);
    EXPECT_EQ("select * from $TABLE\r\nwhere 1 = 1\r\n", AreaText(app_)) << "a skeleton is not run";
    EXPECT_STREQ("SQL", main.ExecutionType());

    main.TableList().SelectRow(0, true);
    backend->ClearRecord();
    app_.Command(IDM_KIND_MENU_FIRST);
    EXPECT_EQ((std::vector<std::string>{"select count(*) from 社員"}), backend->Statements());
    EXPECT_STREQ("RDBMS 固有コマンド 【 件数 】 の結果を表示しました ( 1/50 )", main.Status().SimpleText());
    EXPECT_STREQ("12", main.DefinitionView().CellText(0, 0));
}

TEST_F(RunnerTest, OpeningAFileLoadsItAndItsDirectivesAndExtensionSetTheType)
{
    const std::string path = Folder() + "\\集計.vbs";
    WriteBytes(path, "@BAT\nWScript.Echo 1\n");
    app_.Main().SetExecutionType("SQL");
    DialogDriver driver("コマンドエリア用のファイル読み込み", [&](HWND dialog) {
        HWND field = GetDlgItem(dialog, cmb13);
        SetWindowTextA(field ? field : GetDlgItem(dialog, edt1), path.c_str());
        Press(dialog, IDOK);
    });
    app_.Command(IDM_OPEN_FILE);
    ASSERT_TRUE(driver.Finish());
    // The directive line stays in the text; the extension decides last.
    EXPECT_EQ("@BAT\r\nWScript.Echo 1\r\n", AreaText(app_));
    EXPECT_STREQ("WSH(.vbs)", app_.Main().ExecutionType());
    EXPECT_EQ(Folder(), app_.Setting("SaveDir", "CommandArea"));
    EXPECT_EQ("【 " + path + " を全て読み込みました 】", std::string(app_.Main().Status().SimpleText().Text()));
}
