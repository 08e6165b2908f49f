// "CSV出力": the data view's query into one file (single mode), or every table selected in
// the table list into a file of its own in a folder (multi mode).
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "db/DbLink.h"

struct CsvExportContext {
    DbLink* link = nullptr;
    ProfileStore* settings = nullptr;          // SaveDir / Csvput
    // Single mode: the data view's table (as SQL writes it) and its options.
    VornString table;
    VornString selectList;                     // "*" or the chosen columns
    std::vector<VornString> explicitColumns;   // the chosen columns' names, none for "*"
    VornString whereText;
    VornString orderText;
    // Multi mode, when given: the selected rows of the table list (column 1 the name).
    const GridView* tableList = nullptr;
    // Multi mode on Oracle: a table's column names.
    std::function<std::vector<VornString>(const char* table)> columnsOf;
};

void RunCsvExport(HWND owner, const CsvExportContext& context);
