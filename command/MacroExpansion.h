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

// ---- The input step without windows ----------------------------------------------------

// Section of the settings file that remembers the folders of the file macros.
extern const char kMacroFolderSection[];  // "SaveDir"

// One file dialog of the input step.
struct MacroFileRequest {
    VornString title;             // "" for the dialog's own default
    VornString filter;            // "name,pattern,name,pattern..."
    VornString defaultExtension;  // "" for none
    VornString initialFolder;
};

// "ファイルの複数参照": groups 0-2 stand for $FILE1-$FILE3.
struct MacroFilesRequest {
    bool active[3] = {false, false, false};
    VornString comment[3];
    MacroFileRequest browse[3];
    const char* folderKey[3] = {"FileMacro1", "FileMacro2", "FileMacro3"};  // in SaveDir
};

// The dialogs of the input step. Each call returns false when the user cancels.
class MacroPrompter {
public:
    virtual ~MacroPrompter() = default;
    // "外部実行確認" with the message.
    virtual bool Confirm(const char* message) = 0;
    // The text dialog of $TEXT<number>; text receives the entry, trimmed and not empty.
    virtual bool AskText(int number, const char* defaultText, const char* comment,
                         const std::vector<VornString>& choices, VornString& text) = 0;
    virtual bool ChooseSaveFile(const MacroFileRequest& request, VornString& path) = 0;
    virtual bool ChooseOpenFile(const MacroFileRequest& request, VornString& path) = 0;
    virtual bool ChooseFolder(const char* title, VornString& path) = 0;
    // paths[i] receives the file of every active group.
    virtual bool ChooseFiles(const MacroFilesRequest& request, VornString paths[3]) = 0;
};

// Reads a definition line ("$COMMENT1,prompt"): the first line that begins with the name,
// trimmed, field 1 of its ","-split; the line is removed, then every other occurrence of
// the name. Empty when there is no such line.
VornString ReadMacroDefinition(VornString& text, const char* name);

// Whether the input step asks for $OPEN: on Oracle a text naming a dynamic view "V$OPEN..."
// is not taken to hold the macro.
bool TextHoldsOpenMacro(const char* text, DatabaseKind kind);

// "全て,*.*", or for an extension e: e + ",*." + e + ",全て,*.*".
VornString MacroFileFilter(const char* extension);

// Stores the folder of a chosen file under SaveDir/key.
void RememberMacroFolder(ProfileStore& settings, const char* key, const char* path);

// The input step: $CONFIRM, $TEXT1-$TEXT5, $SAVE, $OPEN, $DIR, $FILE1-$FILE3, $TEXT6-$TEXT9.
// False when a dialog was cancelled; the text is then unchanged.
bool ExpandInputMacros(VornString& text, DatabaseKind kind, ProfileStore& settings,
                       MacroPrompter& prompter);
