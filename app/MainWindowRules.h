// The window-free rules of the main window: pane geometry, ratio stepping, what a dropped
// file means, the statements of drop and clear, and the command bar's fixed choices.
#pragma once

#include <string>
#include <vector>

#include "common/VornString.h"
#include "db/DatabaseKind.h"

struct PaneRect {
    int x, y, width, height;
};

struct PaneLayout {
    PaneRect tableList;
    PaneRect definitionView;
    PaneRect commandArea;
    PaneRect commandBar;
};

// The height kept free for the tool bar above the panes.
const int kToolBarReserve = 29;

// horizontal: the command area's share of the width; vertical: the upper panes' share of
// the height. commandBarHeight is the bar's heading plus one row.
PaneLayout ComputePaneLayout(int clientWidth, int clientHeight, double horizontal, double vertical,
                             int statusBarHeight, int commandBarHeight);

// One click of the ratio buttons: +10 (-10 with Shift), wrapping inside low..high.
int StepRatio(int percent, bool backwards, int low, int high);
const int kRatioHLow = 40, kRatioHHigh = 80, kRatioVLow = 30, kRatioVHigh = 70;

// The execution types in the order of the command bar's drop-down.
extern const char* const kExecutionTypes[7];
extern const char kExecutionTypeList[];   // the same, comma-joined
extern const char kCommandAreaOperations[];
extern const char kDefaultRowLimits[];
// The row-limit choices from the first line of limitrows.txt, or the built-in list.
VornString RowLimitChoices(const char* firstLine);

// A file dropped on the table list: Excel for ".XLS", Mdb for ".MDB" (any letter case),
// None for anything else.
DatabaseKind TableListDropKind(const char* path);
// A file dropped on the command area: false when its extension is not one the area loads;
// otherwise executionType becomes the type the extension selects (".txt" keeps it).
bool CommandAreaDropType(const char* path, VornString& executionType);

// The file-type choice of the command-area save dialog for an execution type (1-based).
int SaveFilterIndexForType(const char* executionType);

// The run files the refresh deletes, as names in the program folder.
extern const char* const kRunFiles[10];
// The script file of an execution type whose lines the result view numbers; null for others.
const char* ScriptFileForType(const char* executionType);

// "drop <type> <name>": the row's type for most kinds, "TABLE" for MySQL, and an Access
// "LINK" dropped as a TABLE.
VornString DropStatement(DatabaseKind kind, const char* objectType, const char* quotedName);
// "delete from <name>" (Excel, MDB) or "truncate table <name>"; empty when the row is not
// a table the kind clears (every row of MySQL is).
VornString ClearStatement(DatabaseKind kind, const char* objectType, const char* quotedName);

// Trims a statement of blanks, ideographic spaces and the line ends that directive
// stripping and files leave at its ends.
void TrimStatement(VornString& text);

// Clipboard text as lines of fields: lines split at "\n" after every "\r" is removed, fields
// at the separator (never inside a double-byte character). Empty lines are kept so callers
// decide; an empty last line without a line end is not a line. The fields live in one buffer:
// a list of a hundred thousand lines costs two allocations, not one per field.
class ClipboardTable {
public:
    ClipboardTable(const char* text, char separator);
    size_t LineCount() const { return lineStarts_.size(); }
    int FieldCount(size_t line) const;
    // The field's text, or "" outside the line; valid while the table lives.
    const char* Field(size_t line, int field) const;
    // One empty field.
    bool IsBlank(size_t line) const { return FieldCount(line) == 1 && *Field(line, 0) == '\0'; }

private:
    std::string buffer_;              // the text without "\r"; each field ends in a NUL
    std::vector<size_t> fieldStarts_;  // offsets into buffer_
    std::vector<size_t> lineStarts_;   // index of each line's first field in fieldStarts_
};
