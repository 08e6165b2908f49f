// The main window's route to the web page generators: the table kinds are given the
// selected table and its definition; the store is opened for the run of one dialog.
#include "MainWindow.h"
#include "resources/resource.h"
#include "structure/CreateTableDialog.h"
#include "webgen/MdbTemplateStore.h"
#include "webgen/WebgenDialogs.h"

bool MainWindow::OnWebgenCommand(UINT id)
{
    static const struct {
        UINT command;
        WebKind kind;
    } kCommands[] = {
        {IDM_ASP_COMMON_FILES, WebKind::CommonFiles},
        {IDM_ASP_MENU, WebKind::Menu},
        {IDM_ASP_FRAME_QUERY, WebKind::FrameQuery},
        {IDM_ASP_FRAME_MAINTENANCE, WebKind::FrameMaintenance},
        {IDM_ASP_FRAME_ROW_MAINTENANCE, WebKind::FrameRowMaintenance},
        {IDM_ASP_SIGN_UP, WebKind::SignUp},
        {IDM_ASP_IE_PRINT, WebKind::IePrint},
        {IDM_ASP_EXCEL_PRINT, WebKind::ExcelPrint},
        {IDM_ASP_BULK_DELETE, WebKind::BulkDelete},
    };
    for (const auto& entry : kCommands) {
        if (entry.command != id)
            continue;
        WebgenContext context;
        if (FactsOf(entry.kind).needsTable) {
            if (!RequireTable())
                return true;
            int row = SelectedTableRow();
            if (row != browser_.shownTableIndex || !DefinitionShowsTable() || freeSql_)
                ShowDefinitionOf(row);
            context.table = tableList_->CellText(row, 1);
            context.definition = ReadDefinitionView(definitionView_.get());
        }
        std::unique_ptr<TemplateStore> store = ProgramTemplateStore(programFolder_);
        context.store = store.get();
        RunWebgenDialog(window_, entry.kind, context);
        return true;
    }
    return false;
}
