// The main window's CSV commands: "CSV出力" of the selected tables, and MySQL's own load
// and outfile dialogs opened by the menu files' "@CSVGET" / "@CSVPUT".
#include "MainWindow.h"

#include "resources/resource.h"
#include "structure/CreateTableDialog.h"
#include "transfer/CsvExportDialog.h"
#include "transfer/MySqlCsvDialogs.h"

bool MainWindow::OnCsvCommand(UINT id)
{
    if (id != IDM_CSV_OUTPUT)
        return false;
    if (!IsConnected() || !RequireTable())
        return true;
    CsvExportContext context;
    context.link = &browser_;
    context.settings = &settings_;
    context.tableList = tableList_.get();
    context.columnsOf = [this](const char* table) { return ColumnNamesOf(table); };
    RunCsvExport(window_, context);
    return true;
}

// A table's column names read into a list of their own, the shown definition left as it was.
std::vector<VornString> MainWindow::ColumnNamesOf(const char* table)
{
    VornString shownTable = browser_.tableName;
    int shownIndex = browser_.shownTableIndex;
    GridView list(window_, 0, 0, 0, 0);
    list.Hide();
    browser_.tableName = table;
    std::vector<VornString> names;
    if (browser_.ShowDefinition(list, -1, "") >= 0)
        for (const DefinitionRow& row : ReadDefinitionView(&list))
            names.push_back(row[kDefName]);
    browser_.tableName = shownTable;
    browser_.shownTableIndex = shownIndex;
    return names;
}

void MainWindow::OpenMySqlCsv(bool import)
{
    if (browser_.Kind() != DatabaseKind::MySql || !RequireTable())
        return;
    MySqlCsvContext context;
    context.link = &browser_;
    context.tableList = tableList_.get();
    context.settings = &settings_;
    context.toNotepad = [this](const char* text) { PasteToNotepad(text); };
    if (import)
        RunMySqlCsvImport(window_, context);
    else
        RunMySqlCsvExport(window_, context);
}
