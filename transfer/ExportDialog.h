// "EXCEL エクスポート" / "MDB エクスポート" and the server dialogs ("SQLServer エクスポート"
// ...): the destination, the options and the definitions of the first table, then the
// export itself (transfer/ExportRun.h).
#pragma once

#include <windows.h>

#include <functional>

#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "schema/SchemaBrowser.h"
#include "transfer/ExportRun.h"

struct ExportDialogContext {
    SchemaBrowser* browser = nullptr;
    const GridView* tableList = nullptr;   // table-list mode: its selected rows (column 1 the name, 3 the schema)
    ProfileStore* settings = nullptr;      // SaveDir, the kind's LastConnect and history
    VornString programFolder;
    // Data-view mode: the one source with the view's query.
    bool dataViewMode = false;
    ExportSourceTable dataViewSource;
    DefinitionRows dataViewDefinition;
    // Tests answer the questions; empty means the program's boxes.
    ExportPrompts prompts;
    // "参照" and "ODBCアドミニストレータ"; empty means the file dialogs and the launcher.
    std::function<bool(HWND owner, DatabaseKind kind, const char* initialFolder, VornString& path)> choosePath;
    std::function<void(const char* commandLine)> startProgram;
};

// Shows "テーブルを選択して下さい" in table-list mode without a selected table. The result
// of the export (RunExport), or -1 when the dialog was cancelled.
int RunExportDialog(HWND owner, DatabaseKind destination, const ExportDialogContext& context);
