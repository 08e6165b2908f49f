// The "create table" text written from a table's definition list, which the table-
// definition output and the create-table assistant share in part: the primary-key
// clause and the size suffix rules.
#pragma once

#include <vector>

#include "../common/VornString.h"
#include "../db/DatabaseKind.h"
#include "../db/DefinitionList.h"

// One column's name and key position as the key clause reads them.
struct KeyColumn {
    VornString name;   // as written, not yet enclosed
    VornString key;    // the position 1..7; anything else keeps the column out of the key
};
// "\r\n\t,primary key(" + the enclosed names of positions 1 to 7 in turn (within one
// position in list order) joined by "," + ")"; empty when no column is a key column.
// Columns without a name never take part.
VornString PrimaryKeyClause(DatabaseKind kind, bool excelThroughDsn, const std::vector<KeyColumn>& columns);

// The type names that take "(size)" on every kind but Excel, and the exact numerics of a
// kind that take "(precision[,scale])".
bool IsSizedCharacterType(const char* typeName);
bool IsExactNumericTypeName(DatabaseKind kind, const char* typeName);

// "create table " + table + " (\r\n" + one line per column of the definition list (type
// name, size or precision and scale by the rules above) + the key clause + "\r\n)\r\n".
// The table name is enclosed here.
VornString CreateTableFromDefinition(DatabaseKind kind, const char* tableName, const DefinitionRows& definition,
                                     bool excelThroughDsn = false);
// "drop table " + enclosed name + ";".
VornString DropTableLine(DatabaseKind kind, const char* tableName, bool excelThroughDsn = false);
