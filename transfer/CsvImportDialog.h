// "CSV入力": a text file imported into the data view's table on a worker thread, with the
// counters, the progress bar, cancel and the "_ERR.csv" file of rejected lines.
#pragma once

#include <windows.h>

#include <vector>

#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "db/DbLink.h"
#include "db/DefinitionList.h"

struct CsvImportContext {
    DbLink* link = nullptr;                 // the kind and the connection
    VornString table;                       // as the statements write it
    std::vector<VornString> columnNames;    // the data view's field headings, in order
    DefinitionRows definition;              // the table's columns: name and type number
    ProfileStore* settings = nullptr;       // SaveDir / Csvput
    HWND dataView = nullptr;                // refreshed when an import ends
};

void RunCsvImport(HWND owner, const CsvImportContext& context);

// The categories the statement writes the columns' values by: found by name (case
// ignored) in the definition, "未定義" for a column it lacks.
std::vector<VornString> CsvColumnCategories(const std::vector<VornString>& columnNames,
                                            const DefinitionRows& definition);
