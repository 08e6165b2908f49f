// Macro expansion of texts about to run: the selection step ($TABLE, $COLUMN, folders,
// connection fields ...) and the input step (dialogs: $CONFIRM, $TEXT1 ... $TEXT9, $SAVE,
// $OPEN, $DIR, $FILE1 ... $FILE3). Both steps may refuse; a refusal stops the caller.
#pragma once

#include <vector>

#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "db/ConnectionRecord.h"

struct SelectedTable {
    VornString name;
    VornString type;
};

// A selected row of the definition view while it shows a table definition.
struct SelectedColumn {
    VornString name;       // column 1
    VornString adoType;    // column 2
    VornString typeName;   // column 4
    VornString size;       // column 5
    VornString precision;  // column 6
    VornString scale;      // column 7
};

// What the selection step reads, gathered by the main window.
struct MacroSelection {
    DatabaseKind kind = DatabaseKind::None;
    std::vector<SelectedTable> tables;       // selected table-list rows, top to bottom
    bool definitionShowsTable = false;       // false while Free SQL results are shown
    bool definitionHasSelection = false;
    std::vector<SelectedColumn> columns;     // selected definition rows
    ConnectionRecord connection;             // fields and connection string in use
    VornString windowsFolder, systemFolder, programFolder, tempFolder, desktopFolder, documentsFolder;
    VornString computerName, userName;
    unsigned long mainWindow = 0;
};

enum class MacroRefusal { None, NoTable, NoColumn, Cancelled };

// Window-free selection step: false (text unchanged) with the reason when it refuses.
bool ExpandSelectionMacros(VornString& text, const MacroSelection& selection, MacroRefusal* refusal);
