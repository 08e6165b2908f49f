// The export between databases once its dialog has been filled in: per source table the
// destination table (created by the program or by the bridge's select-into), the file
// route through INSERT statement files, and the questions between the steps.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "db/DbLink.h"
#include "db/DefinitionList.h"

struct ExportDestination {
    DatabaseKind kind = DatabaseKind::None;
    VornString path;        // Excel, Mdb
    VornString server;      // server or DSN
    VornString database;
    VornString user;
    VornString password;
};

struct ExportChoices {
    bool dataViewMode = false;
    bool nameBoxChecked = false;   // the prefix box, or "出力テーブル名を変更する"
    VornString nameText;           // the prefix, or the new name
    bool createByProgram = false;
    bool addKey = false;
    bool viaFile = false;
    bool fileOnly = false;
};

// One source: a listed table, or the data view's query on its table.
struct ExportSourceTable {
    VornString name;               // as listed, not enclosed
    VornString columns = "*";      // data-view mode: the view's columns, condition and order
    VornString condition;
    VornString order;
    // The mapped definition the user saw for this table, when there is one; otherwise the
    // source definition is loaded and mapped.
    const DefinitionRows* mapped = nullptr;
};

// What the export asks and shows; empty members mean the program's message boxes
// (captioned "確認"), the folder browser and the owner's caption.
struct ExportPrompts {
    // The answer: IDOK, IDYES, IDNO or IDCANCEL.
    std::function<int(HWND owner, const char* text, UINT buttons)> ask;
    std::function<bool(HWND owner, const char* title, VornString& folder)> chooseFolder;
    std::function<void(HWND owner, const char* caption)> caption;
};

struct ExportContext {
    DbLink* source = nullptr;          // the current connection
    VornString programFolder;          // where the program's own database file would lie
    // The column definitions of a source table (the definition loader); false when they
    // cannot be read (link's ErrorText set).
    std::function<bool(const char* table, DefinitionRows& definition)> loadDefinition;
    ExportPrompts prompts;
};

// The export of the tables in order. The number of tables whose data went to the
// destination (or into its file); -1 when the export could not start or was ended.
int RunExport(HWND owner, const ExportContext& context, const ExportDestination& destination,
              const ExportChoices& choices, const std::vector<ExportSourceTable>& tables);

// The destination's ConnectArgument as the connection history keeps it.
VornString DestinationArgument(const ExportDestination& destination);
