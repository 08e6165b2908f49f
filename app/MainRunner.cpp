// The command area at work: SQL into the lower list, the other execution types through the
// run files and "Action.bat", the command-bar operations, Notepad and loading files.
#include <windows.h>
#include <shlobj.h>

#include "MainSettings.h"
#include "MainWindow.h"
#include "MainWindowRules.h"
#include "command/ActionBatch.h"
#include "command/Directives.h"
#include "command/MacroRunner.h"
#include "command/SqlFormatter.h"
#include "command/TrainingMode.h"
#include "common/Clipboard.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/NotepadWindow.h"
#include "common/ProgramLauncher.h"
#include "common/TextFile.h"
#include "resources/resource.h"

namespace {

const char kNoCommandText[] = "コマンドエリアに記述がありません　　";
const char kConnectFirst[] = "データベースに接続して下さい　　";
const char kTimeout[] = "タイムアウトです　　";
const char kTrainingOperation[] = "VBSﾄﾚｰﾆﾝｸﾞﾓｰﾄﾞ";
const char kColumnReload[] = "$COLRELOAD";

RunWaitPolicy g_waitPolicy;

// Removes every $COLRELOAD; true when there was one.
bool TakeColumnReload(VornString& text)
{
    if (text.Find(kColumnReload) < 0)
        return false;
    text.ReplaceAll(kColumnReload, "");
    return true;
}

VornString TrimmedSetting(const ProfileStore& settings, const char* key)
{
    VornString value;
    settings.Read(settings::kMainOption, key, value);
    value.TrimBlanks();
    return value;
}

bool WriteTextFile(const char* path, const char* text, bool lineEnd)
{
    TextFile file;
    if (!file.OpenWrite(path))
        return false;
    VornString body(text);
    if (lineEnd)
        body.Append("\n");
    return file.WriteLine(body);
}

struct NotepadSearch {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lParam)
{
    NotepadSearch* search = reinterpret_cast<NotepadSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->processId && GetWindow(window, GW_OWNER) == nullptr && IsWindowVisible(window)) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND TopWindowOfProcess(DWORD processId)
{
    NotepadSearch search = {processId, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.window;
}

}  // namespace

RunWaitPolicy SetRunWaitPolicy(RunWaitPolicy policy)
{
    RunWaitPolicy previous = g_waitPolicy;
    g_waitPolicy = policy;
    return previous;
}

// Macro expansion over this window's selection.
class MainWindow::Macros : public MacroHost {
public:
    explicit Macros(MainWindow& main) : main_(main) {}
    HWND Owner() override { return main_.window_; }
    ProfileStore& Settings() override { return main_.settings_; }
    void FocusTableList() override { main_.tableList_->Focus(); }
    void FocusDefinitionView() override { main_.definitionView_->Focus(); }
    MacroSelection Selection() override { return main_.CurrentSelection(); }

private:
    MainWindow& main_;
};

VornString MainWindow::StripDirectives(const char* text)
{
    VornString type = ExecutionType();
    VornString kept = StripDirectiveLines(text, type);
    SetExecutionType(type);
    return kept;
}

MacroSelection MainWindow::CurrentSelection() const
{
    MacroSelection selection;
    selection.kind = browser_.Kind();
    GridView& list = *tableList_;
    for (int row = list.NextSelectedRow(-1); row >= 0; row = list.NextSelectedRow(row))
        selection.tables.push_back({list.CellText(row, 1), list.CellText(row, 2)});
    GridView& view = *definitionView_;
    selection.definitionShowsTable = DefinitionShowsTable() && !freeSql_;
    selection.definitionHasSelection = view.NextSelectedRow(-1) >= 0;
    if (selection.definitionShowsTable) {
        for (int row = view.NextSelectedRow(-1); row >= 0; row = view.NextSelectedRow(row)) {
            selection.columns.push_back({view.CellText(row, 1), view.CellText(row, 2), view.CellText(row, 4),
                                         view.CellText(row, 5), view.CellText(row, 6), view.CellText(row, 7)});
        }
    }
    selection.connection = browser_.record;
    selection.windowsFolder = WindowsFolder();
    selection.systemFolder = SystemFolder();
    selection.programFolder = programFolder_;
    selection.tempFolder = TemporaryFolder();
    selection.tempFolder.RemoveBackslash();
    SpecialFolder(CSIDL_DESKTOPDIRECTORY, selection.desktopFolder);
    selection.desktopFolder.RemoveBackslash();
    SpecialFolder(CSIDL_PERSONAL, selection.documentsFolder);
    selection.documentsFolder.RemoveBackslash();
    selection.computerName = ComputerName();
    selection.userName = UserName();
    selection.mainWindow = static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window_));
    return selection;
}

bool MainWindow::ExpandBothSteps(VornString& text)
{
    Macros host(*this);
    return ExpandMacros(text, host);
}

void MainWindow::ExecuteCommandArea()
{
    if (!ExecutionType().Equals("SQL")) {
        lastNonSqlText_ = CommandAreaText();
        RunNonSql(lastNonSqlText_, nullptr);
        return;
    }
    if (!IsConnected())
        return;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    VornString text = StripDirectives(CommandAreaText());
    TrimStatement(text);
    if (text.IsEmpty()) {
        SetCursor(previous);
        return;
    }
    const bool reload = TakeColumnReload(text);
    if (!ExpandBothSteps(text)) {
        SetCursor(previous);
        return;
    }
    RunFreeSql(text, reload);
    SetCursor(previous);
    SetFocus(commandArea_);
}

void MainWindow::RunFreeSql(const char* text, bool reloadDefinition)
{
    browser_.sqlText = text;
    int rows = browser_.FillResultList(*definitionView_);
    if (reloadDefinition)
        ReloadSelectedDefinition();
    if (rows == -99) {
        status_.SetSimpleText("Free SQL は、レコードセットの発生しないコマンドを実行しました");
        ShowWarning(window_, "処理は正常に終了しました　　");
    } else if (rows >= 0) {
        status_.SetSimpleTextFormat("Free SQL の結果を表示しました ( %d/%ld )", rows, browser_.RowLimit);
        ShowFreeSqlMode();
        if (rows > 0)
            definitionView_->SelectRow(0, true);
    }
}

void MainWindow::ReloadSelectedDefinition()
{
    int row = SelectedTableRow();
    if (row >= 0)
        ShowDefinitionOf(row);
}

void MainWindow::RunSeveralStatements(VornString text)
{
    const bool reload = TakeColumnReload(text);
    if (!ExpandBothSteps(text))
        return;
    browser_.sqlText = text;
    browser_.RunBatch(*definitionView_, &status_);
    ShowFreeSqlMode();
    if (definitionView_->RowCount() > 0)
        definitionView_->SelectRow(0, true);
    if (reload)
        ReloadSelectedDefinition();
}

RunSettings MainWindow::CurrentRunSettings() const
{
    RunSettings run;
    run.programFolder = programFolder_;
    run.shell = TrimmedSetting(settings_, settings::kShell);
    run.resultProgram = TrimmedSetting(settings_, settings::kActDisp);
    run.phpPath = TrimmedSetting(settings_, settings::kPhpPath);
    run.perlPath = TrimmedSetting(settings_, settings::kPerlPath);
    run.mainWindow = static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window_));
    return run;
}

void MainWindow::RunNonSql(const char* runnerText, const char* typeName)
{
    const bool training = commandBar_->CellText(0, 1).Equals(kTrainingOperation);
    VornString text(runnerText);
    if (training) {
        TextFile templateFile;
        VornString templateText;
        if (!templateFile.OpenRead(RunFilePath("Tool\\parts\\trainingvbs.txt")) || !templateFile.ReadAll(templateText)) {
            ShowWarning(window_, "VBSﾄﾚｰﾆﾝｸﾞﾓｰﾄﾞ用のtrainingvbs.txt が存在しません　　");
            return;
        }
        text = BuildTrainingScript(templateText, CommandAreaText());
    } else if ((typeName ? VornString(typeName) : ExecutionType()).Equals("SQL")) {
        RunCommandAreaOperation(pendingOperation_);
        return;
    }
    // A type given by a menu file wins over the directive lines of its text.
    VornString type = typeName ? VornString(typeName) : ExecutionType();
    if (typeName) {
        VornString ignored = type;
        text = StripDirectiveLines(text, ignored);
    } else {
        text = StripDirectives(text);
        type = ExecutionType();
    }
    if (training && typeName) {
        ShowWarning(window_, "VBSﾄﾚｰﾆﾝｸﾞﾓｰﾄﾞ に設定されているので実行できません　　");
        return;
    }
    RunOptions options =
        TakeRunOptions(text, IsOptionSet(settings_, settings::kConsole), IsOptionSet(settings_, settings::kActionExtIsHtml));
    if (!ExpandBothSteps(text))
        return;
    RunSettings run = CurrentRunSettings();
    RunPlan plan;
    VornString message;
    if (!BuildRunPlan(type, text, options, run, plan, message)) {
        ShowWarning(window_, message);
        return;
    }
    WriteRunFiles(plan);
    StartRun(run, options);
}

void MainWindow::WriteRunFiles(const RunPlan& plan)
{
    if (plan.clean) {
        DeleteFileA(plan.resultPath);
        DeleteFileA(RunFilePath("std.txt"));
        DeleteFileA(RunFilePath("err.txt"));
    }
    if (!plan.scriptName.IsEmpty())
        WriteTextFile(RunFilePath(plan.scriptName), plan.scriptText, true);
    WriteTextFile(RunFilePath("Action.bat"), plan.batchText, plan.batchLineEnd);
}

void MainWindow::StartRun(const RunSettings& run, const RunOptions& options)
{
    VornString command = BatchStartCommand(run);
    if (!options.wait && !options.reload) {
        if (options.console)
            RunProgram(command, programFolder_);
        else
            RunProgramQuiet(command, programFolder_);
        return;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    VornString commandLine(command);
    if (!CreateProcessA(nullptr, commandLine.Buffer(), nullptr, nullptr, FALSE,
                        options.console ? 0 : CREATE_NO_WINDOW, nullptr, programFolder_, &startup, &process))
        return;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    bool ended = false;
    for (int poll = 0; poll < g_waitPolicy.polls && !ended; ++poll) {
        Sleep(g_waitPolicy.intervalMs);
        DWORD code = STILL_ACTIVE;
        ended = GetExitCodeProcess(process.hProcess, &code) && code != STILL_ACTIVE;
    }
    SetCursor(previous);
    if (!ended)
        ShowWarning(window_, kTimeout);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (options.reload)
        Refresh();
}

void MainWindow::RunCommandAreaOperation(const char* operationName)
{
    VornString operation(operationName);
    if (operation.Equals("漢字スペース除去")) {
        SetCommandAreaText(RemoveKanjiSpaces(CommandAreaText()));
    } else if (operation.Equals("SQLの整形")) {
        status_.SetSimpleText("【 SQLの整形を実行しています.... 】");
        SetCommandAreaText(SimpleFormat(StripDirectives(CommandAreaText())));
        status_.SetSimpleText("【 SQLの整形が終了しました.... 】");
    } else if (operation.Equals("背景色変更")) {
        commandReversed_ = !commandReversed_;
        settings_.Write(settings::kMainOption, settings::kCommandBackColor, commandReversed_ ? "1" : "0");
        InvalidateRect(commandArea_, nullptr, TRUE);
    } else if (operation.Equals("メモ帳に貼り付け")) {
        PasteToNotepad(CommandAreaText());
    } else if (operation.Equals("SQLの複数実行")) {
        SetExecutionType("SQL");
        if (!IsConnected())
            return;
        VornString text = StripDirectives(CommandAreaText());
        if (!text.IsEmpty())
            RunSeveralStatements(text);
    } else if (operation.Equals("SQLの複数実行2")) {
        RunSeveralStatementsFromRunner();
    } else if (operation.Equals("SQLのバッチ実行")) {
        RunSqlFile();
    } else if (operation.Equals("クリア")) {
        SetCommandAreaText("");
    } else if (operation.Equals(kTrainingOperation)) {
        SetExecutionType("WSH(.wsf)");
    }
}

void MainWindow::RunSeveralStatementsFromRunner()
{
    if (!IsConnected())
        return;
    VornString text(lastNonSqlText_);
    if (text.Find(";") < 0) {
        ExecuteCommandArea();
        return;
    }
    status_.SetSimpleText("【 マクロ処理中です.... 】");
    text = StripDirectives(text);
    if (text.IsEmpty()) {
        ShowWarning(window_, kNoCommandText);
        return;
    }
    RunSeveralStatements(text);
}

void MainWindow::ExecuteSeveral()
{
    if (ExecutionType().Equals("SQL") && !IsConnected()) {
        ShowWarning(window_, kConnectFirst);
        return;
    }
    lastNonSqlText_ = CommandAreaText();
    pendingOperation_ = "SQLの複数実行2";
    if (ExecutionType().Equals("SQL"))
        RunCommandAreaOperation(pendingOperation_);
    else
        RunNonSql(lastNonSqlText_, nullptr);
}

void MainWindow::RunSqlFile()
{
    if (!IsConnected()) {
        ShowWarning(window_, kConnectFirst);
        return;
    }
    VornString folder;
    settings_.Read(settings::kSaveDir, settings::kDirBatExec, folder);
    char path[MAX_PATH] = "";
    if (!OpenFileDialog(window_, "SQLのバッチ実行", "SQL,*.sql,全て,*.*", 1, path, 0, folder, nullptr))
        return;
    RememberSaveFolder(settings_, settings::kDirBatExec, path);
    status_.SetSimpleTextFormat("【 %s を読み込んでいます.... 】", path);
    TextFile file;
    if (!file.OpenRead(path)) {
        VornString message;
        message.Format("%s のオープンに失敗しました　　", path);
        ShowWarning(window_, message);
        return;
    }
    VornString text;
    VornString line;
    while (file.ReadLine(line)) {
        if (line.StartsWith("--"))
            continue;
        text.Append(line);
        text.Append("\n");
    }
    if (text.IsEmpty())
        return;
    status_.SetSimpleText("【 マクロ処理中です.... 】");
    RunSeveralStatements(text);
}

void MainWindow::PasteToNotepad(const char* text)
{
    HWND notepad = nullptr;
    bool reused = false;
    if (notepadWindow_ && IsWindow(notepadWindow_)) {
        DWORD process = 0;
        GetWindowThreadProcessId(notepadWindow_, &process);
        reused = process == notepadProcess_;
        if (reused)
            notepad = notepadWindow_;
    }
    if (!notepad) {
        notepadProcess_ = RunProgramAndWaitIdle("notepad.exe", nullptr);
        if (!notepadProcess_)
            return;
        notepad = TopWindowOfProcess(notepadProcess_);
        notepadWindow_ = notepad;
        if (!notepad)
            return;
    }
    HWND edit = NotepadEdit(notepad);
    BringNotepadForward(notepad);
    VornString pasted(text);
    if (reused)
        pasted.Prepend("\r\n----------------------------------------\r\n");
    PutClipboardText(window_, pasted);
    if (edit) {
        PostMessageA(edit, EM_SETSEL, 0, -1);
        PostMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    }
    PostMessageA(notepad, WM_COMMAND, 770, 0);
}

void MainWindow::LoadFileIntoCommandArea()
{
    static const struct {
        const char* type;
        int index;
    } kFilterIndexes[] = {{"SQL", 1}, {"外部プログラム", 2}, {"バッチファイル", 2}, {"WSH(.vbs)", 3},
                          {"WSH(.wsf)", 3}, {"PHP", 4}, {"Perl", 5}};
    int filterIndex = 1;
    for (const auto& entry : kFilterIndexes)
        if (ExecutionType().Equals(entry.type))
            filterIndex = entry.index;
    VornString folder;
    settings_.Read(settings::kSaveDir, settings::kDirCommandArea, folder);
    char path[MAX_PATH] = "";
    const char filter[] = "SQL(*.sql),*.sql,バッチファイル(*.bat),*.bat,WSH(*.wsf;*.vbs),*.wsf;*.vbs,PHP(*.php),*.php,"
                          "Perl(*.cgi),*.cgi,テキスト(*.txt),*.txt,全て,*.*";
    if (!OpenFileDialog(window_, "コマンドエリア用のファイル読み込み", filter, filterIndex, path, 0, folder, nullptr))
        return;
    RememberSaveFolder(settings_, settings::kDirCommandArea, path);
    LoadScriptFile(path);
}

bool MainWindow::LoadScriptFile(const char* path)
{
    status_.SetSimpleTextFormat("【 %s を読み込んでいます.... 】", path);
    TextFile file;
    if (!file.OpenRead(path)) {
        ShowWarning(window_, "ファイルをオープンできませんでした　　");
        return false;
    }
    VornString text;
    VornString line;
    while (file.ReadLine(line)) {
        if (const char* type = DirectiveExecutionType(line))
            SetExecutionType(type);
        text.Append(line);
        text.Append("\r\n");
    }
    status_.SetSimpleTextFormat("【 %s を全て読み込みました 】", path);
    SetCommandAreaText(text);
    VornString type = ExecutionType();
    if (CommandAreaDropType(path, type))
        SetExecutionType(type);
    return true;
}

void MainWindow::FormatWithArrangeFile()
{
    VornString text = CommandAreaText();
    if (text.IsEmpty()) {
        ShowWarning(window_, kNoCommandText);
        return;
    }
    if (!AskOkCancel(window_, "コマンドエリアの整形を行いますか?　　"))
        return;
    status_.SetSimpleText("【 コマンドエリアの内容をメモリに読み込んでいます.... 】");
    text = StripDirectives(text);
    text.TrimBlanks();
    status_.SetSimpleText("【 SQLの整形を実行しています.... 】");
    VornString path = RunFilePath("Tool\\parts\\Arrange.txt");
    TextFile file;
    if (!file.OpenRead(path)) {
        VornString message;
        message.Format("%s のオープンに失敗しました　　", path.Text());
        ShowWarning(window_, message);
        return;
    }
    ArrangeRules rules;
    VornString line;
    while (file.ReadLine(line)) {
        ArrangeRule rule;
        if (ParseArrangeLine(line, rule))
            rules.push_back(rule);
    }
    text = ApplyArrangeRules(text, rules);
    Macros host(*this);
    if (!ExpandSelectionStep(text, host))
        return;
    status_.SetSimpleText("【 SQLの整形が終了しました 】");
    status_.SetSimpleText("【 SQLの整形結果をコマンドエリアにセットしています.... 】");
    SetCommandAreaText(text);
    status_.SetSimpleText("【 SQLの整形結果をコマンドエリアにセットしました 】");
}
