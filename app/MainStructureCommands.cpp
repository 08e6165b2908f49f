// The main window's routes to the structure assistants and the definition outputs; each
// assistant is its own dialog and only gets the context it works in.
#include <windows.h>

#include "MainWindow.h"
#include "command/Directives.h"
#include "common/MessageBoxes.h"
#include "resources/resource.h"
#include "structure/AlterColumnDialogs.h"
#include "structure/CreateTableDialog.h"
#include "structure/DefinitionOutput.h"
#include "structure/RenameDialog.h"
#include "structure/ViewDialog.h"

namespace {

const char kShowDefinitionFirst[] = "表をクリックして表定義を表示して下さい　　";
const char kSelectObject[] = "オブジェクトを選択して下さい　　";

}  // namespace

StructureContext MainWindow::StructureContextFor()
{
    StructureContext context;
    context.browser = &browser_;
    context.definitionView = definitionView_.get();
    context.settings = &settings_;
    context.programFolder = programFolder_;
    context.parts = menuFiles_.parts;
    context.toCommandArea = [this](const char* text) {
        SetCommandAreaText(text);
        SetExecutionType("SQL");
    };
    context.toNotepad = [this](const char* text) { PasteToNotepad(text); };
    context.refreshMain = [this]() { PostMessageA(window_, WM_COMMAND, IDM_REFRESH, 0); };
    context.reloadDefinition = [this]() {
        if (browser_.shownTableIndex >= 0 && browser_.shownTableIndex < tableList_->RowCount())
            ShowDefinitionOf(browser_.shownTableIndex);
    };
    return context;
}

bool MainWindow::OnStructureCommand(UINT id)
{
    switch (id) {
    case IDM_CREATE_TABLE:
        if (IsConnected())
            RunCreateTable(window_, StructureContextFor());
        return true;
    case IDM_ADD_COLUMN:
    case IDM_DROP_COLUMN:
    case IDM_CHANGE_TYPE:
        OpenColumnAssistant(id);
        return true;
    case IDM_RENAME:
        OpenRename();
        return true;
    case IDM_DEFINITION_OUTPUT:
    case IDM_CONVERSION_DEFINITION_OUTPUT: {
        if (!IsConnected())
            return true;
        DefinitionOutputContext context{&browser_, tableList_.get(), &settings_};
        if (id == IDM_DEFINITION_OUTPUT)
            RunDefinitionOutput(window_, context);
        else
            WriteDefinitionFiles(window_, context);
        return true;
    }
    case IDM_CREATE_VIEW: {
        ViewContext context;
        context.browser = &browser_;
        context.executionType = ExecutionType();
        context.preparedQuery = [this]() {
            VornString type = ExecutionType();
            return StripDirectiveLines(CommandAreaText(), type);
        };
        context.refreshMain = [this]() { PostMessageA(window_, WM_COMMAND, IDM_REFRESH, 0); };
        if (IsConnected())
            RunCreateView(window_, context);
        return true;
    }
    default:
        return false;
    }
}

void MainWindow::OpenColumnAssistant(UINT id)
{
    if (!IsConnected() || browser_.Kind() == DatabaseKind::Excel || !RequireTable())
        return;
    // Every statement names the table the definition view shows.
    if (!DefinitionShowsTable() || freeSql_) {
        ShowWarning(window_, kShowDefinitionFirst);
        return;
    }
    StructureContext context = StructureContextFor();
    if (id == IDM_ADD_COLUMN)
        RunAddColumns(window_, context);
    else if (id == IDM_DROP_COLUMN)
        RunDropColumns(window_, context);
    else
        RunModifyColumns(window_, context);
}

void MainWindow::OpenRename()
{
    if (!IsConnected())
        return;
    int row = SelectedTableRow();
    if (row < 0) {
        ShowWarning(window_, kSelectObject);
        return;
    }
    RenameContext context;
    context.browser = &browser_;
    context.oldName = tableList_->CellText(row, 1);
    context.refreshMain = [this]() { PostMessageA(window_, WM_COMMAND, IDM_REFRESH, 0); };
    RunRename(window_, context);
}
