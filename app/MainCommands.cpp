// The command router of the main window: menu items, accelerators, tool-bar buttons and
// the commands other programs post.
#include <windows.h>
#include <shellapi.h>

#include "HotKeyLauncher.h"
#include "HotKeys.h"
#include "MainSettings.h"
#include "MainWindow.h"
#include "MainWindowRules.h"
#include "OptionsDialog.h"
#include "common/Clipboard.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/ProgramLauncher.h"
#include "common/TextFile.h"
#include "connect/ConnectDialog.h"
#include "dataview/DataViewMessages.h"
#include "dataview/FindDialog.h"
#include "dataview/GridCopies.h"
#include "resources/resource.h"
#include "structure/IndexDialog.h"
#include "structure/RowAssistDialog.h"
#include "transfer/GridPageOutput.h"

namespace {

const char kSelectTable[] = "テーブルを選択して下さい　　";
const char kSelectObject[] = "オブジェクトを選択して下さい　　";
const char kNoCommandText[] = "コマンドエリアに記述がありません　　";
const char kNoResultFile[] = "結果ファイルは作成されていません　　";
const char kOutputOpenFailed[] = "出力ファイルをオープンできませんでした　　";
const char kConfirmDrop[] = "選択されたオブジェクトを削除しますか?　　";
const char kConfirmClear[] = "選択されたテーブルのデータをクリアしますか?　　";
const char kShowDefinitionFirst[] = "表をクリックして表定義を表示して下さい　　";

struct KindCommand {
    UINT command;
    DatabaseKind kind;
};

const KindCommand kConnectCommands[] = {
    {IDM_CONNECT_EXCEL, DatabaseKind::Excel},   {IDM_CONNECT_MDB, DatabaseKind::Mdb},
    {IDM_CONNECT_SQLSERVER, DatabaseKind::SqlServer}, {IDM_CONNECT_MYSQL, DatabaseKind::MySql},
    {IDM_CONNECT_ORACLE, DatabaseKind::Oracle}, {IDM_CONNECT_POSTGRES, DatabaseKind::Postgres},
};

struct RatioCommand {
    UINT command;
    bool horizontal;
    int percent;
};

const RatioCommand kRatioCommands[] = {
    {IDM_RATIO_H50, true, 50},  {IDM_RATIO_H40, true, 40},  {IDM_RATIO_H60, true, 60},
    {IDM_RATIO_H70, true, 70},  {IDM_RATIO_H80, true, 80},  {IDM_RATIO_V30, false, 30},
    {IDM_RATIO_V40, false, 40}, {IDM_RATIO_V45, false, 45}, {IDM_RATIO_V50, false, 50},
    {IDM_RATIO_V55, false, 55}, {IDM_RATIO_V60, false, 60}, {IDM_RATIO_V65, false, 65},
    {IDM_RATIO_V70, false, 70},
};

// The grid saves: which grid, which format and which dialog texts.
struct GridSave {
    UINT command;
    bool tableList;
    int mode;
    const char* title;
    const char* filter;
    const char* extension;
    const char* folderKey;
};

const GridSave kGridSaves[] = {
    {IDM_SAVE_TABLE_LIST_TEXT, true, kExportFileTab, "テキスト保存", "テキスト(*.txt),*.txt,全て,*.*", "txt", "Text"},
    {IDM_SAVE_TABLE_LIST_CSV, true, kExportFileComma, "CSV保存", "CSV(*.csv),*.csv,全て,*.*", "csv", "Csv"},
    {IDM_SAVE_TABLE_LIST_HTML, true, kExportFileHtml, "HTML保存", "HTML (*.htm;*.html),*.htm;*.html,全て,*.*", "htm",
     "Html"},
    {IDM_SAVE_DEFINITION_TEXT, false, kExportFileTab, "テキスト保存", "テキスト(*.txt),*.txt,全て,*.*", "txt", "Text"},
    {IDM_SAVE_DEFINITION_CSV, false, kExportFileComma, "CSV保存", "CSV(*.csv),*.csv,全て,*.*", "csv", "Csv"},
    {IDM_SAVE_DEFINITION_HTML, false, kExportFileHtml, "HTML保存", "HTML (*.htm;*.html),*.htm;*.html,全て,*.*", "htm",
     "Html"},
};

}  // namespace

bool MainWindow::OnCommand(UINT id, LPARAM lParam)
{
    const MainCopyContext copies{tableList_.get(), definitionView_.get(), freeSql_, window_, &status_,
                                 [this](const char* text) { SetCommandAreaText(text); },
                                 [this](const char* text) { PasteToNotepad(text); }};
    if (RunMainCopyCommand(id, copies))
        return true;
    if (OnConnectionCommand(id) || OnLayoutCommand(id) || OnTableCommand(id) || OnStructureCommand(id) || OnFileCommand(id) ||
        OnMenuFileCommand(id) || OnCsvCommand(id) || OnExportCommand(id) || OnWebgenCommand(id))
        return true;
    if (IsHotKeyCommand(id)) {
        LaunchHotKey(settings_, id);
        return true;
    }
    if (id >= IDM_TYPE_FILTER_FIRST && id <= IDM_TYPE_FILTER_LAST) {
        ChooseTypeFilter(id);
        return true;
    }
    switch (id) {
    case IDM_VERSION:
        ShowVersion();
        return true;
    case IDM_EXIT:
        DestroyWindow(window_);
        return true;
    case IDM_EXTERNAL_LIST:
    case IDM_SIMPLE_PASTE:
    case IDM_APPEND_PASTE:
    case IDM_EXTERNAL_COMMAND:
    case IDM_COPY_LOWER_VIEW:
        OnExternalList(id, lParam);
        return true;
    case IDM_MANUAL:
        OpenManual();
        return true;
    case IDM_OPTIONS:
        ShowOptions();
        return true;
    case IDM_EXECUTE:
        if (IsConnected())
            ExecuteCommandArea();
        return true;
    case IDM_FORMAT_SQL:
        FormatWithArrangeFile();
        return true;
    case IDM_PASTE_TO_NOTEPAD:
        RunCommandAreaOperation("メモ帳に貼り付け");
        return true;
    case IDM_EXECUTE_SEVERAL:
        ExecuteSeveral();
        return true;
    case IDM_OPEN_FILE:
        LoadFileIntoCommandArea();
        return true;
    case IDM_EXECUTE_BATCH:
        RunCommandAreaOperation("SQLのバッチ実行");
        return true;
    case IDM_FIND_IN_COLUMN:
        FindInClickedColumn(window_, *definitionView_);
        return true;
    case IDM_FIND_IN_TABLE_LIST_COLUMN:
        FindInClickedColumn(window_, *tableList_);
        return true;
    case IDM_FIND_IN_VIEW:
        FindInWholeGrid(window_, *definitionView_, "表定義・Free SQL ビュー内の検索", 0);
        return true;
    case IDM_HTML_OUTPUT:
    case IDM_TABLE_LIST_HTML_OUTPUT:
        OutputGridPage(window_, id == IDM_HTML_OUTPUT ? *definitionView_ : *tableList_, 0, settings_,
                       GetKeyState(VK_SHIFT) < 0);
        return true;
    default:
        return false;
    }
}

bool MainWindow::OnConnectionCommand(UINT id)
{
    for (const KindCommand& entry : kConnectCommands) {
        if (entry.command == id) {
            Connect(entry.kind);
            return true;
        }
    }
    return false;
}

void MainWindow::Connect(DatabaseKind kind)
{
    ConnectChoice choice;
    if (RunConnectDialog(window_, kind, settings_, appTitle_, browser_, choice) != 1)
        return;
    if (kind == DatabaseKind::Excel && !choice.otherDsn.IsEmpty())
        ConnectExcelDsn(choice.otherDsn);
    else
        ConnectWith(kind, choice.argument);
}

bool MainWindow::ConnectWith(DatabaseKind kind, const char* argument)
{
    if (!browser_.BuildConnection(kind, argument))
        return false;
    browser_.excelThroughDsn = false;
    browser_.typeFilter.Clear();
    return LoadTableList();
}

bool MainWindow::ConnectExcelDsn(const char* dsn)
{
    browser_.BuildConnection(DatabaseKind::Excel, dsn);
    browser_.record.connectionString.Format("Provider=MSDASQL;DSN=%s;UID=;PWD=;", dsn);
    browser_.excelThroughDsn = true;
    browser_.typeFilter.Clear();
    return LoadTableList();
}

bool MainWindow::OnLayoutCommand(UINT id)
{
    for (const RatioCommand& entry : kRatioCommands) {
        if (entry.command == id) {
            SetRatio(entry.horizontal, entry.percent);
            return true;
        }
    }
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (id) {
    case IDM_STEP_RATIO_H:
        SetRatio(true, StepRatio(static_cast<int>(horizontal_ * 100 + 0.5), shift, kRatioHLow, kRatioHHigh));
        return true;
    case IDM_STEP_RATIO_V:
        SetRatio(false, StepRatio(static_cast<int>(vertical_ * 100 + 0.5), shift, kRatioVLow, kRatioVHigh));
        return true;
    case IDM_FIT_DESKTOP:
        tableList_->Focus();
        FitToDesktop();
        return true;
    case IDM_WINDOW_80:
        PlaceWindowOnScreen(screenWidth / 10, screenHeight / 10 - 16, screenWidth * 8 / 10, screenHeight * 8 / 10);
        return true;
    case IDM_WINDOW_LEFT_65:
        PlaceWindowOnScreen(0, 0, screenWidth * 65 / 100, screenHeight - 32);
        return true;
    case IDM_WINDOW_RIGHT_65:
        PlaceWindowOnScreen(screenWidth * 35 / 100, 0, screenWidth * 65 / 100, screenHeight - 32);
        return true;
    case IDM_FIT_COLUMNS:
        definitionView_->AutoSizeColumns();
        return true;
    default:
        return false;
    }
}

void MainWindow::SetRatio(bool horizontal, int percent)
{
    (horizontal ? horizontal_ : vertical_) = percent / 100.0;
    settings_.WriteFormat(settings::kMainOption, horizontal ? settings::kCommandDispRateH : settings::kCommandDispRateV, "%d", percent);
    LayOut();
}

bool MainWindow::OnTableCommand(UINT id)
{
    switch (id) {
    case IDM_REFRESH:
        Refresh();
        return true;
    case IDM_COPY_TABLE_NAME:
        CopyTableName();
        return true;
    case IDM_SELECT_ALL_COLUMNS:
        SelectAllColumns();
        return true;
    case IDM_SELECT_FROM:
        SelectFromTable();
        return true;
    case IDM_TYPE_ALL:
        ChooseTypeFilter(IDM_TYPE_ALL);
        return true;
    case IDM_COUNT_ROWS:
        CountSelectedRows();
        return true;
    case IDM_DROP_OBJECTS:
        DropSelectedObjects();
        return true;
    case IDM_CLEAR_DATA:
        ClearSelectedData();
        return true;
    case IDM_INSERT_ASSIST:
    case IDM_UPDATE_ASSIST: {
        if (!DefinitionShowsTable())
            return true;
        RowAssistContext context{&browser_, definitionView_.get(), &settings_, KindFolder(programFolder_, browser_.Kind()),
                                 [this](const char* text) {
                                     SetCommandAreaText(text);
                                     SetExecutionType("SQL");
                                 },
                                 [this](const char* text) { PasteToNotepad(text); }};
        RunRowAssist(window_, id == IDM_INSERT_ASSIST ? RowAssistKind::Insert : RowAssistKind::Update, context,
                     RowAssistPrefill());
        return true;
    }
    case IDM_INDEX_MAINTENANCE: {
        if (!IsConnected() || browser_.Kind() == DatabaseKind::Excel || !RequireTable())
            return true;
        if (!DefinitionShowsTable() || freeSql_ || browser_.shownTableIndex != SelectedTableRow()) {
            ShowWarning(window_, kShowDefinitionFirst);
            return true;
        }
        IndexMaintenanceContext context{&browser_, definitionView_.get(), optionGrid_.get(), &settings_, programFolder_};
        RunIndexMaintenance(window_, context);
        return true;
    }
    default:
        return false;
    }
}

int MainWindow::SelectedTableRow() const { return tableList_->NextSelectedRow(-1); }

bool MainWindow::RequireTable()
{
    if (SelectedTableRow() >= 0)
        return true;
    ShowWarning(window_, kSelectTable);
    return false;
}

void MainWindow::Refresh()
{
    if (browser_.dataView) {
        SendMessageA(browser_.dataView, kDataViewRefresh, 0, 0);
        return;
    }
    for (const char* name : kRunFiles)
        DeleteFileA(RunFilePath(name));
    if (IsConnected())
        LoadTableList();
}

void MainWindow::CopyTableName()
{
    if (!RequireTable())
        return;
    VornString name = tableList_->CellText(SelectedTableRow(), 1);
    PutClipboardText(window_, name);
    status_.SetSimpleTextFormat("クリップボードへテーブル名 \"%s\" をコピーしました", name.Text());
}

void MainWindow::SelectFromTable()
{
    if (!RequireTable())
        return;
    int row = SelectedTableRow();
    VornString statement("select * from ");
    if (browser_.Kind() == DatabaseKind::SqlServer && tableList_->CellText(row, 4).Equals("INFORMATION_SCHEMA"))
        statement.Append("INFORMATION_SCHEMA.");
    statement.Append(browser_.EncloseName(tableList_->CellText(row, 1)));
    SetCommandAreaText(statement);
    SetExecutionType("SQL");
    SetFocus(commandArea_);
}

void MainWindow::SelectAllColumns()
{
    if (!DefinitionShowsTable())
        return;
    VornString statement("select ");
    for (int row = 0; row < definitionView_->RowCount(); ++row) {
        if (row > 0)
            statement.Append(",");
        statement.Append(definitionView_->CellText(row, 1));
    }
    statement.Append(" from ");
    statement.Append(browser_.tableName);
    SetCommandAreaText(statement);
}

void MainWindow::CountSelectedRows()
{
    if (IsConnected() && RequireTable())
        browser_.CountRows(*tableList_, *countGrid_);
}

void MainWindow::DropSelectedObjects()
{
    if (!IsConnected() || SelectedTableRow() < 0) {
        ShowWarning(window_, kSelectObject);
        return;
    }
    if (!AskOkCancel(window_, kConfirmDrop))
        return;
    for (int row = SelectedTableRow(); row >= 0; row = tableList_->NextSelectedRow(row)) {
        VornString name = browser_.EncloseName(tableList_->CellText(row, 1));
        browser_.sqlText = DropStatement(browser_.Kind(), tableList_->CellText(row, 2), name);
        if (browser_.ExecuteSqlText() != 0)
            browser_.ShowMessage(window_, browser_.ErrorText);
    }
    Refresh();
}

void MainWindow::ClearSelectedData()
{
    if (!IsConnected())
        return;
    if (!AskOkCancel(window_, kConfirmClear))
        return;
    for (int row = SelectedTableRow(); row >= 0; row = tableList_->NextSelectedRow(row)) {
        VornString name = browser_.EncloseName(tableList_->CellText(row, 1));
        VornString statement = ClearStatement(browser_.Kind(), tableList_->CellText(row, 2), name);
        if (statement.IsEmpty())
            continue;
        browser_.sqlText = statement;
        if (browser_.ExecuteSqlText() != 0)
            browser_.ShowMessage(window_, browser_.ErrorText);
    }
    CountSelectedRows();
}

bool MainWindow::OnFileCommand(UINT id)
{
    for (const GridSave& save : kGridSaves) {
        if (save.command == id) {
            SaveGrid(id);
            return true;
        }
    }
    switch (id) {
    case IDM_SAVE_COMMAND_AREA:
        SaveCommandArea();
        return true;
    case IDM_RESULT_TOGGLE:
        ToggleResult();
        return true;
    default:
        return false;
    }
}

void MainWindow::SaveGrid(UINT id)
{
    const GridSave* save = nullptr;
    for (const GridSave& entry : kGridSaves)
        if (entry.command == id)
            save = &entry;
    VornString folder;
    settings_.Read(settings::kSaveDir, save->folderKey, folder);
    char file[MAX_PATH] = "";
    if (!SaveFileDialog(window_, save->title, save->filter, 1, file, OFN_OVERWRITEPROMPT, folder, save->extension))
        return;
    GridView& grid = save->tableList ? *tableList_ : *definitionView_;
    VornString target(file);
    if (!grid.Export(0, false, true, save->mode, target)) {
        ShowWarning(window_, kOutputOpenFailed);
        return;
    }
    RememberSaveFolder(settings_, save->folderKey, file);
}

void MainWindow::SaveCommandArea()
{
    VornString text = CommandAreaText();
    if (text.IsEmpty()) {
        ShowWarning(window_, kNoCommandText);
        return;
    }
    VornString folder;
    settings_.Read(settings::kSaveDir, "CommandArea", folder);
    char file[MAX_PATH] = "";
    const char filter[] = "SQL(*.sql),*.sql,バッチファイル(*.bat),*.bat,WSH(*.vbs),*.vbs,WSH(*.wsf),*.wsf,"
                          "PHP(*.php),*.php,Perl(*.cgi),*.cgi,テキスト(*.txt),*.txt,全て,*.*";
    if (!SaveFileDialog(window_, "コマンドエリアのデータ保存", filter, SaveFilterIndexForType(ExecutionType()), file,
                        OFN_OVERWRITEPROMPT, folder, "sql"))
        return;
    FILE* out = std::fopen(file, "wb");
    if (!out) {
        ShowWarning(window_, kOutputOpenFailed);
        return;
    }
    std::fwrite(text.Text(), 1, text.Length(), out);
    std::fclose(out);
    RememberSaveFolder(settings_, settings::kDirCommandArea, file);
}

void MainWindow::ToggleResult()
{
    VornString resultPath = RunFilePath(IsOptionSet(settings_, "ActionExtIsHtml") ? "Result.htm" : "Result.txt");
    if (GetFileAttributesA(resultPath) == INVALID_FILE_ATTRIBUTES) {
        VornString current = CommandAreaText();
        SetCommandAreaText(savedCode_);
        savedCode_ = current;
        return;
    }
    if (!savedCode_.IsEmpty()) {
        SetCommandAreaText(savedCode_);
        savedCode_.Clear();
        return;
    }
    TextFile result;
    VornString shown;
    if (!result.OpenRead(resultPath) || !result.ReadAll(shown)) {
        ShowWarning(window_, kNoResultFile);
        return;
    }
    if (const char* script = ScriptFileForType(ExecutionType())) {
        TextFile lines;
        if (lines.OpenRead(RunFilePath(script))) {
            VornString line;
            for (int number = 1; lines.ReadLine(line); ++number)
                shown.AppendFormat("%04d %s\n", number, line.Text());
        }
    }
    shown.ReplaceAll("\n", "\r\n");
    savedCode_ = CommandAreaText();
    SetCommandAreaText(shown);
}

void MainWindow::OpenManual()
{
    VornString command("RunDLL32.EXE url.dll,FileProtocolHandler \"");
    command.Append(RunFilePath("HELP\\help.htm"));
    command.Append("\"");
    RunProgram(command, nullptr);
}

namespace {

INT_PTR CALLBACK VersionProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_VERSION_TEXT, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

void MainWindow::ShowVersion()
{
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VERSION), window_, VersionProcedure,
                    reinterpret_cast<LPARAM>(appTitle_.Text()));
}

void MainWindow::ShowOptions()
{
    RunOptionsDialog(window_, settings_, [this](FontPane pane, int faceKind, int pointSize) {
        ApplyPaneFont(static_cast<int>(pane), faceKind, pointSize);
    });
}
