// The main window's route to the export between databases: the selected tables of the
// table list go to the export dialog of the chosen destination kind.
#include "MainWindow.h"
#include "resources/resource.h"
#include "transfer/ExportDialog.h"

bool MainWindow::OnExportCommand(UINT id)
{
    DatabaseKind destination = DatabaseKind::None;
    switch (id) {
    case IDM_EXPORT_EXCEL: destination = DatabaseKind::Excel; break;
    case IDM_EXPORT_MDB: destination = DatabaseKind::Mdb; break;
    case IDM_EXPORT_SQLSERVER: destination = DatabaseKind::SqlServer; break;
    case IDM_EXPORT_MYSQL: destination = DatabaseKind::MySql; break;
    case IDM_EXPORT_ORACLE: destination = DatabaseKind::Oracle; break;
    case IDM_EXPORT_POSTGRES: destination = DatabaseKind::Postgres; break;
    default: return false;
    }
    if (!IsConnected())
        return true;
    ExportDialogContext context;
    context.browser = &browser_;
    context.tableList = tableList_.get();
    context.settings = &settings_;
    context.programFolder = programFolder_;
    RunExportDialog(window_, destination, context);
    return true;
}
