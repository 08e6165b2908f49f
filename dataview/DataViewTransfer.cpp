// The data view's CSV items: the import into its table and the export of its query.
#include "DataViewWindow.h"

#include "structure/CreateTableDialog.h"
#include "transfer/CsvExportDialog.h"
#include "transfer/CsvImportDialog.h"

std::vector<VornString> DataViewWindow::FieldHeadings() const
{
    std::vector<VornString> headings;
    for (int column = 2; column < grid_->ColumnCount(); ++column)
        headings.push_back(grid_->ColumnTitle(column));
    return headings;
}

void DataViewWindow::OpenCsvImport()
{
    CsvImportContext context;
    context.link = &browser_;
    context.table = table_;
    context.columnNames = FieldHeadings();
    context.definition = ReadDefinitionView(context_.definitionView);
    context.settings = context_.settings;
    context.dataView = window_;
    RunCsvImport(window_, context);
}

void DataViewWindow::OpenCsvExport()
{
    CsvExportContext context;
    context.link = &browser_;
    context.settings = context_.settings;
    context.table = table_;
    context.selectList = browser_.selectList;
    // Only a chosen column list is spelt out: "*" stays the table's own order.
    VornString list(browser_.selectList);
    list.TrimBlanks();
    if (!list.IsEmpty() && !list.Equals("*"))
        context.explicitColumns = FieldHeadings();
    context.whereText = browser_.whereText;
    context.orderText = browser_.orderText;
    RunCsvExport(window_, context);
}
