// "インデックス メンテナンス" without a window: the provider's index schema rows grouped
// into indexes with their type marks, the constraint lookups that tell an Oracle or
// Postgres primary key, the statements that create an index or a primary key or drop an
// index for each kind, and how columns move between the available and the chosen list.
#pragma once

#include <vector>

#include "../common/VornString.h"
#include "../db/DatabaseKind.h"
#include "../db/DefinitionList.h"

// The columns of the dialog's lists.
enum IndexListColumn { kIndexMark = 0, kIndexName = 1 };
enum IndexColumnsColumn { kIndexColumnOrdinal = 0, kIndexColumnName = 1 };
enum AvailableColumn { kAvailableNumber = 0, kAvailableName = 1 };
// The hidden column holds the column's definition row.
enum ChosenColumn { kChosenDefinitionRow = 0, kChosenNumber = 1, kChosenName = 2 };

// What the dialog reads of one row of OpenSchema(adSchemaIndexes), as text.
struct IndexSchemaRow {
    VornString indexName;    // INDEX_NAME
    VornString primaryKey;   // PRIMARY_KEY: "-1" for true
    VornString unique;       // UNIQUE: "-1" for true
    VornString ordinal;      // ORDINAL_POSITION
    VornString columnName;   // COLUMN_NAME
};
using IndexSchemaRows = std::vector<IndexSchemaRow>;

// The five restrictions catalog, schema, index name, type, table name: all empty but the
// table, and on Oracle the schema, which is the connection's user upper-cased as the
// dictionary stores it.
std::vector<VornString> IndexSchemaRestrictions(DatabaseKind kind, const char* table, const char* user);

// The rows that start an index, in schema order: a row starts one when its INDEX_NAME is
// not empty and differs from the previous row's.
std::vector<size_t> IndexStartRows(const IndexSchemaRows& rows);
// The rows of the index (names compared without regard to case), in schema order.
IndexSchemaRows ColumnsOfIndex(const IndexSchemaRows& rows, const char* indexName);

// Oracle and Postgres tell their primary keys by a constraint lookup per index; the
// statement is empty for the other kinds. The name's apostrophes are doubled.
VornString ConstraintLookupText(DatabaseKind kind, const char* indexName);
// The column of the lookup's result that holds the constraint type: the one headed
// "CONSTRAINT_TYPE" (Oracle) or "contype" (Postgres) when present, else the third. Since
// PostgreSQL 12 "select *" of pg_constraint begins with oid, so the third is not the type.
int ConstraintTypeColumn(DatabaseKind kind, const std::vector<VornString>& headings);

// "P", "U" or "" for the index whose first schema row is given; constraintType is what the
// lookup returned ("" when it found nothing or the kind needs none).
const char* IndexTypeMark(DatabaseKind kind, const IndexSchemaRow& first, const char* constraintType);

// Where names go on this connection.
struct IndexTarget {
    DatabaseKind kind = DatabaseKind::None;
    bool excelThroughDsn = false;
    VornString table;   // as listed, without the kind's quotes
};

// "create " + (" UNIQUE ") + " index " + name + " on " + table + " (" + columns + ")".
VornString CreateIndexText(const IndexTarget& target, const char* indexName, bool unique,
                           const std::vector<VornString>& columns);
// "alter table " + table + " add " + (" constraint " + name, when a name is given) +
// " primary key " + "(" + columns + ")".
VornString PrimaryKeyText(const IndexTarget& target, const char* constraintName,
                          const std::vector<VornString>& columns);
// SqlServer takes a key only over columns that refuse NULL: one "alter column" per chosen
// definition row, with the type name, the size below 8001 and a numeric's precision and
// scale. Empty for the other kinds.
std::vector<VornString> NotNullTexts(const IndexTarget& target, const DefinitionRows& columns);
// The drop statement of an index of the mark ("P" or other) for the kind.
VornString DropIndexText(const IndexTarget& target, const char* indexName, const char* mark);

// Where a column comes back into the available list whose numbers are given: before the
// first larger number, at the end when none is larger.
size_t ReturnPosition(const std::vector<long>& numbers, long number);
// The definition rows in the order of the data view's sort positions (one text per
// definition row, empty when the column is not sorted on).
std::vector<size_t> SortPreselection(const std::vector<VornString>& sortPositions);

// The note under the buttons, the caption, and the caption after a right-click copy.
const char* IndexNote(DatabaseKind kind);
VornString IndexCaption(const char* table);
VornString CopiedCaption(const char* name);
