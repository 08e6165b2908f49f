// The generated batch file of a non-SQL run: which lines it holds for each execution type
// and run option, and which files it asks for.
#include <gtest/gtest.h>

#include <string>

#include "command/ActionBatch.h"

namespace {

RunSettings Settings()
{
    RunSettings settings;
    settings.programFolder = "C:\\Program Files\\表計算";
    settings.mainWindow = 65538;
    return settings;
}

RunPlan Plan(const char* type, const char* text, bool html = false, RunSettings settings = Settings())
{
    VornString body(text);
    RunOptions options = TakeRunOptions(body, false, html);
    RunPlan plan;
    VornString message;
    EXPECT_TRUE(BuildRunPlan(type, body, options, settings, plan, message)) << message.Text();
    return plan;
}

const std::string kStd = "\"C:\\Program Files\\表計算\\std.txt\"";
const std::string kErr = "\"C:\\Program Files\\表計算\\err.txt\"";
const std::string kResult = "\"C:\\Program Files\\表計算\\Result.txt\"";

}  // namespace

TEST(ActionBatch, ExternalProgramWithDefaultsRedirectsCopiesAndShowsTheResult)
{
    RunPlan plan = Plan("外部プログラム", "dir");
    EXPECT_EQ("dir > " + kStd + " 2> " + kErr + "\n" +
                  "copy " + kStd + " /B + " + kErr + " /B " + kResult + "\n" +
                  "RunDLL32.EXE url.dll,FileProtocolHandler " + kResult,
              plan.batchText.Text());
    EXPECT_TRUE(plan.clean);
    EXPECT_TRUE(plan.batchLineEnd);
    EXPECT_STREQ("", plan.scriptName);

    // Line breaks of a multi-line command become blanks.
    EXPECT_EQ(0u, std::string(Plan("外部プログラム", "ping\r\n-n 1\rlocalhost\n").batchText.Text())
                      .find("ping -n 1 localhost  > "));
}

TEST(ActionBatch, NoResultAndNoRedirectLeaveTheCommandAndTheCopyLine)
{
    RunPlan plan = Plan("外部プログラム", "dir $NORESULT $NOREDIRECT");
    EXPECT_EQ("dir  \ncopy " + kStd + " /B + " + kErr + " /B " + kResult, plan.batchText.Text());

    // Without $NORESULT the word stays in what runs, and the output is still redirected.
    VornString text("dir $NOREDIRECT");
    RunOptions options = TakeRunOptions(text, false, false);
    EXPECT_FALSE(options.noRedirect);
    EXPECT_STREQ("dir $NOREDIRECT", text);
}

TEST(ActionBatch, HtmlModeAndItsOverrides)
{
    RunPlan html = Plan("外部プログラム", "type a.htm $HTM");
    const std::string htm = "\"C:\\Program Files\\表計算\\Result.htm\"";
    EXPECT_STREQ("C:\\Program Files\\表計算\\Result.htm", html.resultPath);
    std::string batch = html.batchText.Text();
    EXPECT_NE(std::string::npos, batch.find(" /B " + htm + "\n"));
    EXPECT_NE(std::string::npos, batch.find("\ncopy " + htm + " " + kResult));

    EXPECT_STREQ("C:\\Program Files\\表計算\\Result.txt", Plan("外部プログラム", "x $HTM $TXT").resultPath);
    EXPECT_STREQ("C:\\Program Files\\表計算\\Result.htm", Plan("外部プログラム", "x", true).resultPath);
    EXPECT_STREQ("C:\\Program Files\\表計算\\Result.txt", Plan("外部プログラム", "x $TXT", true).resultPath);
}

TEST(ActionBatch, OptionsAreReadInTheirOrderAndRemovedEverywhere)
{
    VornString text("$CONSOLE a $NOCONSOLE $WAIT b $WAIT $RELOAD $VIEWRESULT $WSCRIPT");
    RunOptions options = TakeRunOptions(text, false, false);
    EXPECT_TRUE(options.console) << "$CONSOLE is read after $NOCONSOLE";
    EXPECT_TRUE(options.wait);
    EXPECT_TRUE(options.reload);
    EXPECT_TRUE(options.viewResult);
    EXPECT_TRUE(options.wscript);
    EXPECT_STREQ(" a   b    ", text);

    VornString quiet("x $NOCONSOLE");
    EXPECT_FALSE(TakeRunOptions(quiet, true, false).console);
    VornString plain("x");
    EXPECT_TRUE(TakeRunOptions(plain, true, false).console) << "the Console setting is the default";
}

TEST(ActionBatch, ScriptTypesWriteTheirFileAndStartItsHost)
{
    RunPlan batch = Plan("バッチファイル", "@echo off\r\necho 表\r\n");
    EXPECT_STREQ("CodeArea.bat", batch.scriptName);
    EXPECT_STREQ("@echo off\r\necho 表\r\n", batch.scriptText);
    EXPECT_EQ(0u, std::string(batch.batchText.Text())
                      .find("cmd.exe /C \"C:\\Program Files\\表計算\\CodeArea.bat\" > " + kStd));

    RunSettings shell = Settings();
    shell.shell = "command.com";
    EXPECT_EQ(0u, std::string(Plan("バッチファイル", "dir", false, shell).batchText.Text()).find("command.com /C "));
    EXPECT_STREQ("command.com /C \"C:\\Program Files\\表計算\\Action.bat\"", BatchStartCommand(shell));
    EXPECT_STREQ("cmd.exe /C \"C:\\Program Files\\表計算\\Action.bat\"", BatchStartCommand(Settings()));

    RunPlan vbs = Plan("WSH(.vbs)", "WScript.Echo 1");
    EXPECT_STREQ("Action.vbs", vbs.scriptName);
    EXPECT_EQ(0u, std::string(vbs.batchText.Text())
                      .find("cscript.exe  \"C:\\Program Files\\表計算\\Action.vbs\" //Nologo  > " + kStd));

    RunPlan wscript = Plan("WSH(.wsf)", "<job/> $WSCRIPT");
    EXPECT_STREQ("wscript.exe  \"C:\\Program Files\\表計算\\Action.wsf\"", wscript.batchText);
    EXPECT_FALSE(wscript.batchLineEnd);
    EXPECT_FALSE(wscript.clean);
    EXPECT_STREQ("<job/> ", wscript.scriptText);
}

TEST(ActionBatch, InterpretersNeedTheirPaths)
{
    VornString text("<?php echo 1; ?>");
    RunPlan plan;
    VornString message;
    EXPECT_FALSE(BuildRunPlan("PHP", text, RunOptions(), Settings(), plan, message));
    EXPECT_STREQ("PHP.EXE のパスが登録されていません\nツールメニューのオプションで登録して下さい　　", message);
    EXPECT_FALSE(BuildRunPlan("Perl", text, RunOptions(), Settings(), plan, message));
    EXPECT_STREQ("Perl.exe のパスが登録されていません\nツールメニューのオプションで登録して下さい　　", message);

    RunSettings interpreters = Settings();
    interpreters.phpPath = "C:\\php\\php.exe";
    interpreters.perlPath = "C:\\perl\\bin\\perl.exe";
    RunPlan php = Plan("PHP", "<?php echo 1; ?>", false, interpreters);
    EXPECT_EQ("\"C:\\php\\php.exe\" \"C:\\Program Files\\表計算\\Action.php\" > " + kResult + "\n" +
                  "RunDLL32.EXE url.dll,FileProtocolHandler " + kResult,
              php.batchText.Text())
        << "PHP writes the result itself: no copy line";
    EXPECT_FALSE(php.clean);
    RunPlan perl = Plan("Perl", "print 1;", false, interpreters);
    EXPECT_EQ(0u, std::string(perl.batchText.Text())
                      .find("\"C:\\perl\\bin\\perl.exe\" \"C:\\Program Files\\表計算\\Action.cgi\" > " + kStd));
}

TEST(ActionBatch, ResultProgramAndViewerLines)
{
    RunSettings settings = Settings();
    settings.resultProgram = "C:\\Tools\\viewer.exe";
    RunPlan plan = Plan("WSH(.vbs)", "WScript.Echo 1 $VIEWRESULT", false, settings);
    std::string batch = plan.batchText.Text();
    EXPECT_NE(std::string::npos, batch.find("\n\"C:\\Tools\\viewer.exe\" " + kResult + "\n"));
    // Blanks of the paths handed to the result tool are written as three backslashes.
    EXPECT_NE(std::string::npos,
              batch.find("\n\"C:\\Program Files\\表計算\\Tool\\parts\\VornResult.exe\" "
                         "C:\\Program\\\\\\Files\\表計算\\Result.txt "
                         "C:\\Program\\\\\\Files\\表計算\\Action.vbs\n"));
    EXPECT_NE(std::string::npos,
              batch.find("\n\"C:\\Program Files\\表計算\\Tool\\parts\\VornPost.exe\" 65538 273 32953 0"));
    EXPECT_EQ(batch.size() - std::string("65538 273 32953 0").size(), batch.rfind("65538 273 32953 0"))
        << "the viewer lines come last";

    RunPlan external = Plan("外部プログラム", "dir $VIEWRESULT");
    EXPECT_NE(std::string::npos, std::string(external.batchText.Text()).find("Result.txt C:\\Program\\\\\\Files\\表計算\\Action.bat\n"));
}
