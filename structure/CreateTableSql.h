// The create-table assistant without a window: its grid columns, the rows loaded from a
// table's definition, the checks before a statement is built and the "create table"
// text per kind. The column part (name, type, size, options) is shared with the
// add-column assistant.
#pragma once

#include <vector>

#include "../common/VornString.h"
#include "../db/DatabaseKind.h"
#include "../db/DefinitionList.h"

// The create-table grid; Excel has only the first three columns.
enum CreateColumn {
    kCreateNumber = 0,
    kCreateName = 1,
    kCreateType = 2,
    kCreateSize = 3,
    kCreateScale = 4,
    kCreateKey = 5,
    kCreateOption = 6,
    kCreateInput = 7,
};

struct StructureColumnSpec {
    const char* heading;
    int width;
};
std::vector<StructureColumnSpec> CreateTableColumns(DatabaseKind kind);
extern const char kCreateTabSkipList[];   // "0,2,5,6"
extern const char kKeyPositionList[];     // ",1,2,3,4,5,6,7"
extern const int kCreateInitialRows;      // 20
// "項目%03d" for the 0-based row index (row 4 gets 項目005).
VornString GeneratedColumnName(int rowIndex);

// One grid row of the create-table or add-column assistant.
struct TableColumnRow {
    VornString name;
    VornString type;
    VornString size;
    VornString scale;
    VornString key;      // key position 1..7, empty: not a key column
    VornString option;   // 選択オプション
    VornString input;    // 入力オプション
};
using TableColumnRows = std::vector<TableColumnRow>;

// Where a build that stopped leaves the user.
enum class BuildFocus { None, TableName, EditCell, SelectRow, DropDown };
struct BuildOutcome {
    const char* message = nullptr;   // null when the text was built
    BuildFocus focus = BuildFocus::None;
    int row = 0;
    int column = 0;
    bool Ok() const { return message == nullptr; }
};

struct DdlTarget {
    DatabaseKind kind = DatabaseKind::None;
    bool excelThroughDsn = false;
};

// A cell as the builders read it: spaces, tabs and ideographic spaces trimmed.
VornString TrimmedCell(const char* text);
bool RowHasName(const TableColumnRow& row);

// "VARCHAR2" on Oracle, "VARCHAR" elsewhere.
const char* DefaultColumnType(DatabaseKind kind);
// The message for a type the kind refuses without a size ("VARCHAR 型では…"), compared
// without case; null when the type may go without one.
const char* TypeNeedsSizeMessage(DatabaseKind kind, const char* type);

// "(size)" or "(size,scale)" when the trimmed size is given; false (nothing written) when not.
bool AppendSizeSuffix(const char* size, const char* scale, VornString& text);

// Name, type, size and options of one row: the enclosed name, " ", the type (an empty
// type becomes the kind's default and is written back into the row), "(size[,scale])",
// " option", " input". Stops with the type message (row selected) when the kind needs a
// size the row lacks.
BuildOutcome AppendColumnDefinition(const DdlTarget& target, TableColumnRow& row, int rowIndex, VornString& text);

// "表名を指定して下さい" (the field empty) or "少なくとも一つの列を指定して下さい" (no row
// with a name; the editor opens on the first row's name).
BuildOutcome CheckTableAndColumnNames(const char* tableField, const TableColumnRows& rows);
// The checks of the table name and the column names, then the whole statement.
BuildOutcome BuildCreateTable(const DdlTarget& target, const char* tableName, TableColumnRows& rows, VornString& text);

// "表定義のロード": one grid row per column of the definition view.
TableColumnRows RowsFromDefinition(DatabaseKind kind, const DefinitionRows& definition);
