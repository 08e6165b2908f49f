// The data view's "エクスポート": the view's query (its columns, condition and order) as
// the one source of the export dialog.
#include "DataViewWindow.h"
#include "resources/DataViewIds.h"
#include "structure/CreateTableDialog.h"
#include "transfer/ExportDialog.h"

void DataViewWindow::ExportView(UINT id)
{
    DatabaseKind destination = DatabaseKind::Excel;
    if (id == IDM_DV_EXPORT_MDB) destination = DatabaseKind::Mdb;
    else if (id == IDM_DV_EXPORT_SQLSERVER) destination = DatabaseKind::SqlServer;
    else if (id == IDM_DV_EXPORT_MYSQL) destination = DatabaseKind::MySql;
    else if (id == IDM_DV_EXPORT_ORACLE) destination = DatabaseKind::Oracle;
    else if (id == IDM_DV_EXPORT_POSTGRES) destination = DatabaseKind::Postgres;
    SchemaBrowser& browser = *context_.browser;
    ExportDialogContext context;
    context.browser = &browser;
    context.settings = context_.settings;
    context.programFolder = context_.programFolder;
    context.dataViewMode = true;
    context.dataViewSource.name = table_;
    context.dataViewSource.columns = browser.selectList.IsEmpty() ? VornString("*") : browser.selectList;
    context.dataViewSource.condition = browser.whereText;
    context.dataViewSource.order = browser.orderText;
    context.dataViewDefinition = ReadDefinitionView(context_.definitionView);
    RunExportDialog(window_, destination, context);
}
