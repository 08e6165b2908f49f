// Definition files (".wos"): a table's structure kept apart from any database, so that
// it can be rebuilt on another kind. Line 1 names the source kind, line 2 the table, then
// one line per column: name, type name, ADO type number, size or precision, scale, key
// position, separated by ",". Reading translates the columns into the current kind by
// their type numbers, or copies them when the file comes from that kind.
#pragma once

#include <vector>

#include "../common/VornString.h"
#include "../db/DatabaseKind.h"
#include "../db/DefinitionList.h"

// "EXCEL", "MDB", "SQLServer", "MySQL", "Oracle", "POSTGRES".
const char* DefinitionFileKindWord(DatabaseKind kind);
// The kind a line 1 names (letter case ignored); None for a word that names no kind.
DatabaseKind KindOfDefinitionFileWord(const char* word);

// Fields 4 and 5 of a column line: the size of a character column or the precision and
// scale of an exact numeric, as the source kind's rules give them.
void DefinitionFileSizes(DatabaseKind sourceKind, const DefinitionRow& row, VornString& size, VornString& scale);
// The whole file: lines ending in "\r\n".
VornString DefinitionFileText(DatabaseKind sourceKind, const char* tableName, const DefinitionRows& definition);
// "<table>.wos" in folder (a backslash added when missing).
VornString DefinitionFilePath(const char* folder, const char* tableName);

// One column as the create-table grid receives it.
struct DefinitionFileColumn {
    VornString name;
    VornString type;
    VornString size;
    VornString scale;
    VornString key;
};
struct DefinitionFileTable {
    DatabaseKind sourceKind = DatabaseKind::None;   // None: a word that names no kind
    VornString tableName;
    std::vector<DefinitionFileColumn> columns;
};

// The column's type for the target kind from its type number and source type name:
// empty for a number no rule knows. size and scale are set only where the rule keeps
// them (character lengths and exact numerics).
DefinitionFileColumn TranslateDefinitionColumn(DatabaseKind target, const char* name, const char* typeName,
                                               const char* typeNumber, const char* size, const char* scale,
                                               const char* key);

// Reads file text (CR LF or LF lines) for the current kind. False when the text has no
// kind line.
bool ReadDefinitionFileText(const char* text, DatabaseKind currentKind, DefinitionFileTable& table);
