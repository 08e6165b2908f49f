// What the main window does with clicks, keys and dropped files on its grids and its
// command area.
#include <windows.h>
#include <shellapi.h>

#include "MainWindow.h"
#include "MainWindowRules.h"
#include "common/MessageBoxes.h"
#include "common/TextFile.h"
#include "connect/ConnectDialog.h"
#include "dataview/DataViewWindow.h"
#include "resources/resource.h"

namespace {

const char kFileOpenFailed[] = "ファイルをオープンできませんでした　　";

bool Held(int key) { return GetKeyState(key) < 0; }

}  // namespace

void MainWindow::OnGridClick(HWND list, int row, int column)
{
    if (list == commandBar_->ListHandle()) {
        static const char* const kChoices[3] = {nullptr, kCommandAreaOperations, kExecutionTypeList};
        if (column < 0 || column > 2)
            return;
        commandBar_->FillCombo(column == 0 ? rowLimitChoices_.Text() : kChoices[column]);
        commandBar_->BeginComboEdit(0, column);
        return;
    }
    if (list != tableList_->ListHandle() || row < 0 || row >= tableList_->RowCount())
        return;
    if (Held(VK_SHIFT) || Held(VK_CONTROL))
        return;
    if (row == browser_.shownTableIndex && DefinitionShowsTable() && !freeSql_)
        return;
    ShowDefinitionOf(row);
}

void MainWindow::ShowDefinitionOf(int row)
{
    browser_.tableName = tableList_->CellText(row, 1);
    freeSql_ = false;
    definitionView_->SetContextSubMenu(0);
    browser_.ShowDefinition(*definitionView_, row, tableList_->CellText(row, 3));
}

void MainWindow::OnGridDoubleClick(HWND list, int row, int column)
{
    (void)column;
    if (list == definitionView_->ListHandle()) {
        OnCommand(Held(VK_SHIFT) ? IDM_COPY_COLUMN_TITLE : (Held(VK_CONTROL) ? IDM_COPY_WHOLE_COLUMN : IDM_COPY_CELL), 0);
        return;
    }
    if (list != tableList_->ListHandle() || row < 0 || row >= tableList_->RowCount())
        return;
    if (row != browser_.shownTableIndex || !DefinitionShowsTable() || freeSql_)
        ShowDefinitionOf(row);
    if (DefinitionShowsTable())
        OpenDataView(row);
    tableList_->Focus();
}

void MainWindow::OpenDataView(int row)
{
    DataViewWindow view(DataViewContextFor(row));
    view.Open(window_);
}

DataViewContext MainWindow::DataViewContextFor(int row)
{
    DataViewContext context;
    context.browser = &browser_;
    context.tableList = tableList_.get();
    context.tableRow = row;
    context.definitionView = definitionView_.get();
    context.columnOptions = optionGrid_.get();
    context.settings = &settings_;
    context.programFolder = programFolder_;
    context.kindFolder = KindFolder(programFolder_, browser_.Kind());
    context.toCommandArea = [this](const char* text) {
        SetCommandAreaText(text);
        SetExecutionType("SQL");
    };
    context.toNotepad = [this](const char* text) { PasteToNotepad(text); };
    return context;
}

void MainWindow::OnGridReturn(HWND list, int row)
{
    if (list == tableList_->ListHandle() && row >= 0 && row < tableList_->RowCount())
        OnGridClick(list, row, 0);
}

void MainWindow::OnTab(HWND source)
{
    GridView* target = nullptr;
    if (source == tableList_->ListHandle())
        target = definitionView_.get();
    else if (source == definitionView_->ListHandle())
        target = tableList_.get();
    if (!target)
        return;
    target->Focus();
    if (target->NextSelectedRow(-1) < 0 && target->RowCount() > 0)
        target->SelectRow(0, true);
}

void MainWindow::OnKey(HWND source, UINT key)
{
    // The open data view's keys reach its owner first; F5 refreshes it.
    if (browser_.dataView) {
        PostMessageA(browser_.dataView, kAnyKeyDown, reinterpret_cast<WPARAM>(source), key);
        return;
    }
    if (source != tableList_->ListHandle())
        return;
    const bool control = Held(VK_CONTROL);
    const bool shift = Held(VK_SHIFT);
    if (control && (key == 'C' || key == VK_INSERT || key == VK_NUMPAD3)) {
        OnCommand(IDM_COPY_TABLE_NAME, 0);
    } else if (shift && (key == 'S' || key == VK_F4)) {
        OnCommand(IDM_SELECT_FROM, 0);
        if (control)
            OnCommand(IDM_EXECUTE_SEVERAL, 0);
    } else if (shift && (key == 'C' || key == VK_NUMPAD3)) {
        OnCommand(IDM_COUNT_ROWS, 0);
    }
}

void MainWindow::OnGridRightClick(HWND list)
{
    if (list == tableList_->ListHandle())
        PrepareTableListMenu();
    else if (list == definitionView_->ListHandle())
        PrepareDefinitionMenu();
}

void MainWindow::OnHeaderClick(HWND list, int column)
{
    if (list == tableList_->ListHandle()) {
        tableList_->SortByColumn(column, Held(VK_SHIFT));
    } else if (list == definitionView_->ListHandle()) {
        if (freeSql_)
            definitionView_->SortByColumn(column, Held(VK_SHIFT));
    } else if (list == commandBar_->ListHandle()) {
        if (column == 0)
            ExecuteCommandArea();
        else if (column == 1)
            RunCommandAreaOperation(commandBar_->CellText(0, 1));
    }
}

void MainWindow::OnComboCommitted(HWND list, int row, int column)
{
    (void)row;
    if (list != commandBar_->ListHandle())
        return;
    if (column == 0)
        browser_.RowLimit = commandBar_->CellText(0, 0).ToInteger();
    else if (column == 1)
        RunCommandAreaOperation(commandBar_->CellText(0, 1));
}

void MainWindow::OnFilesDropped(HWND target, HDROP drop)
{
    char path[MAX_PATH] = "";
    if (DragQueryFileA(drop, 0, path, sizeof path) > 0) {
        if (target == tableList_->ListHandle())
            DropOnTableList(path);
        else if (target == commandArea_)
            DropOnCommandArea(path);
    }
    DragFinish(drop);
}

void MainWindow::DropOnTableList(const char* path)
{
    DatabaseKind kind = TableListDropKind(path);
    if (kind == DatabaseKind::None)
        return;
    // A password typed for another MDB file in the dialog must not be tried on this one.
    browser_.record.jetPassword.Clear();
    browser_.BuildConnection(kind, path);
    if (kind == DatabaseKind::Excel)
        LoadExcelFlags(settings_, browser_);
    VornString title(appTitle_);
    title.Append(KindTitleTag(kind));
    title.Append(path);
    SetText(title);
    browser_.excelThroughDsn = false;
    browser_.typeFilter.Clear();
    LoadTableList();
}

void MainWindow::DropOnCommandArea(const char* path)
{
    VornString type = ExecutionType();
    if (!CommandAreaDropType(path, type))
        return;
    if (!LoadCommandAreaFile(path)) {
        ShowWarning(window_, kFileOpenFailed);
        return;
    }
    SetExecutionType(type);
}

bool MainWindow::LoadCommandAreaFile(const char* path)
{
    TextFile file;
    VornString text;
    if (!file.OpenRead(path) || !file.ReadAll(text))
        return false;
    text.ReplaceAll("\n", "\r\n");
    SetCommandAreaText(text);
    return true;
}
