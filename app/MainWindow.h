// The main window: table list, definition view, command area with its command bar, tool
// bar and status bar; it owns the program's one SchemaBrowser and routes every command,
// grid event and dropped file.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "common/StatusBar.h"
#include "common/ToolBar.h"
#include "common/VornString.h"
#include "common/WindowBase.h"
#include "MenuFiles.h"
#include "command/Directives.h"
#include "dataview/DataViewWindow.h"
#include "command/MacroExpansion.h"
#include "schema/SchemaBrowser.h"
#include "structure/StructureGridDialog.h"

struct RunOptions;
struct RunPlan;
struct RunSettings;

// How long a waited run is polled: every intervalMs, at most polls times.
struct RunWaitPolicy {
    DWORD intervalMs = 300;
    int polls = 201;
};
// Tests shorten the wait; returns the previous policy.
RunWaitPolicy SetRunWaitPolicy(RunWaitPolicy policy);

// Where the window keeps what lies outside it; tests give their own.
struct MainWindowSetup {
    VornString programFolder;   // run files, "Tool\parts\limitrows.txt", help
    VornString settingsPath;    // the INI file
};

class MainWindow : public WindowBase {
public:
    explicit MainWindow(const MainWindowSetup& setup);
    ~MainWindow() override;

    static bool RegisterWindowClass(HINSTANCE instance);
    // Creates the window (class KESTROVA) with its panes; null on failure.
    HWND Create(HINSTANCE instance, int showCommand);
    static MainWindow* FromHandle(HWND window);

    // What the tests and the routers look at.
    SchemaBrowser& Browser() { return browser_; }
    GridView& TableList() { return *tableList_; }
    GridView& DefinitionView() { return *definitionView_; }
    GridView& CommandBar() { return *commandBar_; }
    GridView& CountGrid() { return *countGrid_; }
    HWND CommandArea() const { return commandArea_; }
    StatusBar& Status() { return status_; }
    ToolBar& Tools() { return toolBar_; }
    ProfileStore& Settings() { return settings_; }
    const VornString& ProgramFolder() const { return programFolder_; }
    double HorizontalRatio() const { return horizontal_; }
    double VerticalRatio() const { return vertical_; }
    const VornString& RowLimitChoices() const { return rowLimitChoices_; }
    VornString ExecutionType() const { return commandBar_->CellText(0, 2); }
    void SetExecutionType(const char* type) { commandBar_->SetCellText(0, 2, type); }
    const VornString& ApplicationTitle() const { return appTitle_; }
    const VornString& SavedCode() const { return savedCode_; }
    bool IsConnected() const { return browser_.Kind() != DatabaseKind::None; }
    bool DefinitionShowsTable() const { return !browser_.tableName.IsEmpty(); }
    bool DefinitionShowsFreeSql() const { return freeSql_; }

    // Connects with an argument as a dialog would have returned it; true when the table
    // list could be read.
    bool ConnectWith(DatabaseKind kind, const char* argument);
    // A workbook reached through an ODBC data source ("他のDSN").
    bool ConnectExcelDsn(const char* dsn);
    // What a data view of the table-list row works on (the main window's grids and settings).
    DataViewContext DataViewContextFor(int row);
    // Runs a text of a non-SQL type (the command bar's type when typeName is null).
    void RunNonSql(const char* runnerText, const char* typeName);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Start-up and shutdown
    bool CreatePanes();
    void CreateTableList();
    void CreateDefinitionView();
    void CreateCommandBar();
    void CreateCommandArea();
    void CreateToolBar();
    void ReadLayoutSettings();
    void SaveOnDestroy();
    void LayOut();
    void FitToDesktop();
    void PlaceWindowOnScreen(int x, int y, int width, int height);

    // Commands (MainCommands.cpp)
    bool OnCommand(UINT id, LPARAM lParam);
    bool OnConnectionCommand(UINT id);
    bool OnLayoutCommand(UINT id);
    bool OnTableCommand(UINT id);
    // The structure assistants and the definition outputs.
    bool OnStructureCommand(UINT id);
    StructureContext StructureContextFor();
    void OpenColumnAssistant(UINT id);
    void OpenRename();
    // CSV output of the selected tables and MySQL's load / outfile (MainCsvCommands.cpp).
    bool OnCsvCommand(UINT id);
    std::vector<VornString> ColumnNamesOf(const char* table);
    void OpenMySqlCsv(bool import);
    bool OnFileCommand(UINT id);
    bool OnExportCommand(UINT id);   // MainExportCommands.cpp
    bool OnWebgenCommand(UINT id);   // the "ASP雛形" generators (MainWebgenCommands.cpp)
    // The LZH and ZIP archive windows, and what reaches the main window for them
    // (MainArchiveCommands.cpp).
    void OpenArchiveWindow(bool zip);
    bool ForwardToArchiveWindow(UINT message, WPARAM wParam, LPARAM lParam);
    void Connect(DatabaseKind kind);
    void SetRatio(bool horizontal, int percent);
    void Refresh();
    bool RequireTable();
    int SelectedTableRow() const;
    void CopyTableName();
    void SelectFromTable();
    void SelectAllColumns();
    void CountSelectedRows();
    void DropSelectedObjects();
    void ClearSelectedData();
    void ChooseTypeFilter(UINT id);
    void SaveGrid(UINT id);
    void SaveCommandArea();
    void ToggleResult();
    void OpenManual();
    void ShowVersion();
    void ExecuteCommandArea();
    // The command area at work (MainRunner.cpp)
    class Macros;
    MacroSelection CurrentSelection() const;
    // Drops comment and directive lines; a directive line sets the command bar's type.
    VornString StripDirectives(const char* text);
    bool ExpandBothSteps(VornString& text);
    void RunFreeSql(const char* text, bool reloadDefinition);
    void ReloadSelectedDefinition();
    void RunSeveralStatements(VornString text);
    RunSettings CurrentRunSettings() const;
    void WriteRunFiles(const RunPlan& plan);
    void StartRun(const RunSettings& run, const RunOptions& options);
    void RunSeveralStatementsFromRunner();
    void ExecuteSeveral();
    void RunSqlFile();
    void PasteToNotepad(const char* text);
    void LoadFileIntoCommandArea();
    bool LoadScriptFile(const char* path);
    void FormatWithArrangeFile();

    // Menu files and the user menu (MainMenuFiles.cpp)
    void BuildToolMenu();
    void BuildKindMenus();
    bool OnMenuFileCommand(UINT id);
    void RunMenuFile(UINT id, MenuFileFamily family);
    void ExecuteMenuCommandLine(const char* body);
    void RunSchemaQuery(const char* body, const char* caption);
    void RunMenuSql(const char* wholeFile, const char* caption);
    void ReportMenuResult(int rows, const char* caption);
    // No table is recorded for the definition view; its popup becomes "FREESQL用".
    void ShowFreeSqlMode();
    void ApplyPaneFont(int pane, int faceKind, int pointSize);
    void ShowOptions();

    // Table list state (MainMenuState.cpp)
    bool LoadTableList();
    void AfterTableListLoad(bool failed);
    void RebuildTypeMenu();
    void SetConnectionItemsEnabled(bool enabled);
    void PrepareTableListMenu();
    void PrepareDefinitionMenu();
    HMENU TypeMenu() const;

    // Grid events and files (MainGridEvents.cpp)
    void OnGridClick(HWND list, int row, int column);
    void OnGridDoubleClick(HWND list, int row, int column);
    void OnGridReturn(HWND list, int row);
    void OnGridRightClick(HWND list);
    void OnHeaderClick(HWND list, int column);
    void OnComboCommitted(HWND list, int row, int column);
    void OnKey(HWND source, UINT key);
    void OnTab(HWND source);
    void OnFilesDropped(HWND target, HDROP drop);
    void ShowDefinitionOf(int row);
    // Modal; the view reads the table of the row.
    void OpenDataView(int row);
    void DropOnTableList(const char* path);
    void DropOnCommandArea(const char* path);
    bool LoadCommandAreaFile(const char* path);
    void RunCommandAreaOperation(const char* operation);

    // Commands posted by other programs (ExternalListCommands.cpp)
    void OnExternalList(UINT id, LPARAM lParam);
    void ShowClipboardTable(bool headingsFromFirstLine, char separator);
    void AppendClipboardRows(char separator);
    void CopyLowerViewToClipboard();
    void ExternalCommand(LPARAM lParam);

    VornString CommandAreaText() const;
    void SetCommandAreaText(const char* text);
    VornString RunFilePath(const char* name) const;

    VornString programFolder_;
    ProfileStore settings_;
    SchemaBrowser browser_;
    VornString appTitle_;
    std::unique_ptr<GridView> tableList_;
    std::unique_ptr<GridView> definitionView_;
    std::unique_ptr<GridView> commandBar_;
    std::unique_ptr<GridView> countGrid_;
    std::unique_ptr<GridView> optionGrid_;
    HWND commandArea_ = nullptr;
    HFONT commandFont_ = nullptr;
    HBRUSH commandBrush_ = nullptr;
    bool commandReversed_ = false;
    ToolBar toolBar_;
    StatusBar status_;
    HMENU menu_ = nullptr;
    HANDLE mutex_ = nullptr;
    HANDLE heldMutex_ = nullptr;   // the mutex kept by external command 32955 lParam 2
    double horizontal_ = 0.50;
    double vertical_ = 0.55;
    VornString rowLimitChoices_;
    VornString savedCode_;
    VornString lastNonSqlText_;
    bool freeSql_ = false;   // the definition view shows Free SQL results
    VornString pendingOperation_;  // what a run of type "SQL" does instead
    MenuFileMenus menuFiles_;
    HWND notepadWindow_ = nullptr;
    DWORD notepadProcess_ = 0;
};

// The main window's class name and title from the program's string resources.
VornString LoadResourceText(HINSTANCE instance, UINT id);
