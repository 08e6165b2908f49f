#include "ActionBatch.h"

#include <cstring>

namespace {

const char kStd[] = "std.txt";
const char kErr[] = "err.txt";

// Removes every occurrence of word; true when there was one.
bool TakeWord(VornString& text, const char* word)
{
    if (text.Find(word) < 0)
        return false;
    text.ReplaceAll(word, "");
    return true;
}

VornString FullPath(const RunSettings& settings, const char* name)
{
    VornString path(settings.programFolder);
    path.AddBackslash();
    path.Append(name);
    return path;
}

VornString Quoted(const char* text)
{
    VornString quoted("\"");
    quoted.Append(text);
    quoted.Append("\"");
    return quoted;
}

// Blanks become three backslashes so that a path stays one argument of the result tool.
VornString ToolArgument(const char* path)
{
    VornString argument(path);
    argument.ReplaceAll(" ", "\\\\\\");
    return argument;
}

VornString Redirection(const RunSettings& settings, const RunOptions& options)
{
    if (options.noRedirect)
        return VornString();
    VornString text(" > ");
    text.Append(QuotedRunFile(settings, kStd));
    text.Append(" 2> ");
    text.Append(QuotedRunFile(settings, kErr));
    return text;
}

void AddLine(VornString& batch, const char* line)
{
    if (!batch.IsEmpty())
        batch.Append("\n");
    batch.Append(line);
}

// The lines after the run: joined output, the display of the result, the HTML copy and the
// result viewer.
void AddClosingLines(VornString& batch, const RunSettings& settings, const RunOptions& options,
                     const RunPlan& plan, bool withCopy, const char* listedScript)
{
    const VornString result = Quoted(plan.resultPath);
    if (withCopy) {
        VornString copy("copy ");
        copy.Append(QuotedRunFile(settings, kStd));
        copy.Append(" /B + ");
        copy.Append(QuotedRunFile(settings, kErr));
        copy.Append(" /B ");
        copy.Append(result);
        AddLine(batch, copy);
    }
    if (!options.noResult) {
        VornString display;
        if (settings.resultProgram.IsEmpty()) {
            display = "RunDLL32.EXE url.dll,FileProtocolHandler ";
        } else {
            display = Quoted(settings.resultProgram);
            display.Append(" ");
        }
        display.Append(result);
        AddLine(batch, display);
    }
    if (options.html) {
        VornString copy("copy ");
        copy.Append(result);
        copy.Append(" ");
        copy.Append(QuotedRunFile(settings, "Result.txt"));
        AddLine(batch, copy);
    }
    if (options.viewResult) {
        VornString viewer = QuotedRunFile(settings, "Tool\\parts\\VornResult.exe");
        viewer.Append(" ");
        viewer.Append(ToolArgument(FullPath(settings, "Result.txt")));
        viewer.Append(" ");
        viewer.Append(ToolArgument(FullPath(settings, listedScript)));
        AddLine(batch, viewer);
        VornString post = QuotedRunFile(settings, "Tool\\parts\\VornPost.exe");
        post.AppendFormat(" %lu 273 %lu 0", settings.mainWindow, 32953UL);
        AddLine(batch, post);
    }
}

VornString ShellPrefix(const RunSettings& settings)
{
    VornString prefix(settings.shell.IsEmpty() ? "cmd.exe" : settings.shell.Text());
    prefix.Append(" /C ");
    return prefix;
}

bool IsType(const char* type, const char* name) { return std::strcmp(type, name) == 0; }

}  // namespace

RunOptions TakeRunOptions(VornString& text, bool consoleDefault, bool htmlDefault)
{
    RunOptions options;
    options.console = consoleDefault;
    options.html = htmlDefault;
    if (TakeWord(text, "$NOCONSOLE"))
        options.console = false;
    if (TakeWord(text, "$CONSOLE"))
        options.console = true;
    options.wait = TakeWord(text, "$WAIT");
    options.viewResult = TakeWord(text, "$VIEWRESULT");
    options.noResult = TakeWord(text, "$NORESULT");
    // Without $NORESULT the word stays in the text: the output must reach the result file.
    options.noRedirect = options.noResult && TakeWord(text, "$NOREDIRECT");
    options.reload = TakeWord(text, "$RELOAD");
    if (TakeWord(text, "$HTM"))
        options.html = true;
    if (TakeWord(text, "$TXT"))
        options.html = false;
    options.wscript = TakeWord(text, "$WSCRIPT");
    return options;
}

VornString QuotedRunFile(const RunSettings& settings, const char* name) { return Quoted(FullPath(settings, name)); }

VornString BatchStartCommand(const RunSettings& settings)
{
    VornString command = ShellPrefix(settings);
    command.Append(QuotedRunFile(settings, "Action.bat"));
    return command;
}

bool BuildRunPlan(const char* type, const char* text, const RunOptions& options, const RunSettings& settings,
                  RunPlan& plan, VornString& message)
{
    plan = RunPlan();
    plan.resultPath = FullPath(settings, options.html ? "Result.htm" : "Result.txt");
    VornString& batch = plan.batchText;
    if (IsType(type, "外部プログラム")) {
        VornString line(text);
        line.ReplaceAll("\r\n", " ");
        line.ReplaceAll("\r", " ");
        line.ReplaceAll("\n", " ");
        line.Append(Redirection(settings, options));
        plan.clean = true;
        AddLine(batch, line);
        AddClosingLines(batch, settings, options, plan, true, "Action.bat");
        return true;
    }
    if (IsType(type, "バッチファイル")) {
        plan.scriptName = "CodeArea.bat";
        plan.scriptText = text;
        VornString line = ShellPrefix(settings);
        line.Append(QuotedRunFile(settings, plan.scriptName));
        line.Append(Redirection(settings, options));
        plan.clean = true;
        AddLine(batch, line);
        AddClosingLines(batch, settings, options, plan, true, plan.scriptName);
        return true;
    }
    if (IsType(type, "WSH(.vbs)") || IsType(type, "WSH(.wsf)")) {
        plan.scriptName = IsType(type, "WSH(.vbs)") ? "Action.vbs" : "Action.wsf";
        plan.scriptText = text;
        if (options.wscript) {
            batch = "wscript.exe  ";
            batch.Append(QuotedRunFile(settings, plan.scriptName));
            plan.batchLineEnd = false;
            return true;
        }
        VornString line("cscript.exe  ");
        line.Append(QuotedRunFile(settings, plan.scriptName));
        line.Append(" //Nologo ");
        line.Append(Redirection(settings, options));
        plan.clean = true;
        AddLine(batch, line);
        AddClosingLines(batch, settings, options, plan, true, plan.scriptName);
        return true;
    }
    if (IsType(type, "PHP") || IsType(type, "Perl")) {
        const bool php = IsType(type, "PHP");
        const VornString& interpreter = php ? settings.phpPath : settings.perlPath;
        if (interpreter.IsEmpty()) {
            message = php ? "PHP.EXE のパスが登録されていません\nツールメニューのオプションで登録して下さい　　"
                          : "Perl.exe のパスが登録されていません\nツールメニューのオプションで登録して下さい　　";
            return false;
        }
        plan.scriptName = php ? "Action.php" : "Action.cgi";
        plan.scriptText = text;
        VornString line = Quoted(interpreter);
        line.Append(" ");
        line.Append(QuotedRunFile(settings, plan.scriptName));
        if (!php) {
            line.Append(Redirection(settings, options));
        } else if (!options.noRedirect) {
            // PHP writes the result file itself, so its run has no copy line and no clean.
            line.Append(" > ");
            line.Append(Quoted(plan.resultPath));
        }
        plan.clean = !php;
        AddLine(batch, line);
        AddClosingLines(batch, settings, options, plan, !php, plan.scriptName);
        return true;
    }
    message.Format("%s は実行できない実行タイプです　　", type);
    return false;
}
