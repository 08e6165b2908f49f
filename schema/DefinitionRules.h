// The column definitions of a table without a window: the 13 columns of the definition
// view, the order in which a kind's readers run, the catalog statements they send and
// how each reader's records become or correct definition rows. The database link runs
// the statements and hands the records over as CatalogRows (or, for a probe statement,
// the recordset's field descriptions); the rows go into the definition list as they are.
#pragma once

#include <vector>

#include "../common/VornString.h"
#include "../db/DatabaseKind.h"
#include "../db/DefinitionList.h"
#include "CatalogRow.h"

// ---- The definition list -------------------------------------------------------------

enum class ColumnAlignment { Left, Right, Centre };

struct DefinitionHeading {
    const char* text;
    ColumnAlignment alignment;
};

// Heading and alignment of column 0 ... 12 ("№" ... "備考").
DefinitionHeading DefinitionHeadingAt(int column);
// A list that already has at least 12 columns with "型説明" as the heading of column 11
// is only emptied of its rows; any other list is cleared and given the headings.
bool IsPreparedDefinitionList(int columnCount, const char* column11Heading);

// "【%s】 の定義を表示しています　" with the table name, for the status bar.
VornString DefinitionStatusText(const char* tableName);

// ---- Which readers run ---------------------------------------------------------------

enum class DefinitionStep {
    GenericRead,            // OpenSchema(adSchemaColumns) -> DefinitionsFromSchemaColumns
    FieldRead,              // FieldReadStatement -> DefinitionsFromFields
    PrimaryKeysFromSchema,  // OpenSchema(adSchemaPrimaryKeys) -> ApplySchemaPrimaryKeys
    MdbAutoNumber,          // MdbProbeStatement -> ApplyMdbAutoNumber
    MdbFixUps,              // ApplyMdbFixUps
    SqlServerCatalog,       // sp_columns, sp_pkeys
    MySqlCatalog,           // show columns, show index
    OracleCatalog,          // USER_TAB_COLUMNS, USER_CONSTRAINTS
    PostgresTypes,          // pg_attribute / pg_type
    Done,
};

// The readers of one definition read, in order, for the kind. The table's schema
// (column 3 of its table-list row) matters for Postgres: a table of "pg_catalog" is read
// from its fields only. Refinements run only after a successful generic read, except
// that a Postgres table whose generic read failed falls back to the field read and is
// then refined. Nothing at all is read while readFailed is still set from before.
class DefinitionPlan {
public:
    DefinitionPlan(DatabaseKind kind, const char* tableSchema, bool readFailed);

    // The step to run now; Done when the read is over.
    DefinitionStep Next() const;
    // Reports the outcome of the step Next() gave.
    void Finished(bool succeeded);
    // Set when the generic read (or the only read) failed; the schema browser keeps it.
    bool ReadFailed() const { return readFailed_; }

private:
    std::vector<DefinitionStep> steps_;
    size_t position_ = 0;
    bool readFailed_ = false;
};

// ---- Generic read --------------------------------------------------------------------

// Postgres reads its column schema with a server cursor, every other kind a client one.
bool DefinitionReadUsesServerCursor(DatabaseKind kind);
// The four restrictions of OpenSchema(adSchemaColumns): catalog "", schema "" (Oracle: the
// connection's user upper-cased), table name, column "".
std::vector<VornString> ColumnSchemaRestrictions(DatabaseKind kind, const char* tableName,
                                                 const char* user);
// The three restrictions of OpenSchema(adSchemaPrimaryKeys): catalog "", schema "", table.
std::vector<VornString> PrimaryKeySchemaRestrictions(const char* tableName);
// The sort the column schema is read in.
extern const char kColumnSchemaSort[];  // "ORDINAL_POSITION"

// One numbered row per record, in ORDINAL_POSITION order (the records need not arrive
// sorted): name, ADO type with its constant, type name and description, maximum length,
// precision (not "0"), scale, "N" for a column without NULL, default and description.
DefinitionRows DefinitionsFromSchemaColumns(const CatalogRows& records, DatabaseKind kind);

// Why the generic read failed, for ErrorText (a failure while reading rows reports the
// recordset's own errors instead).
enum class GenericReadFailure { CreateConnection, OpenConnection, OpenSchema };
const char* GenericReadFailureText(GenericReadFailure failure);

// ---- Field read ----------------------------------------------------------------------

// A field of a recordset, as ADO describes it.
struct FieldDescription {
    VornString name;
    long type = 0;
    long definedSize = 0;
    long precision = 0;
    long numericScale = 0;
    long attributes = 0;
};
using FieldDescriptions = std::vector<FieldDescription>;

// "select * from " + the table name + " where 1 = 2": quoted for the kind, except that
// Postgres names go in as they are.
VornString FieldReadStatement(DatabaseKind kind, const char* tableName);
// One numbered row per field; precision and scale of 255 mean "none".
DefinitionRows DefinitionsFromFields(const FieldDescriptions& fields, DatabaseKind kind);

// ---- Primary keys from the schema (Mdb, Postgres) ------------------------------------

// ORDINAL of each adSchemaPrimaryKeys record into column 9 of the row whose name equals
// COLUMN_NAME ignoring case.
void ApplySchemaPrimaryKeys(DefinitionRows& rows, const CatalogRows& records);

// ---- Mdb -----------------------------------------------------------------------------

VornString MdbProbeStatement(const char* tableName);
// "COUNTER" for every adInteger field that carries adFldUnknownUpdatable.
void ApplyMdbAutoNumber(DefinitionRows& rows, const FieldDescriptions& fields);
// Type 130 with maximum length "0" is "MEMO"; a yes/no column (11) has no length.
void ApplyMdbFixUps(DefinitionRows& rows);

// ---- SqlServer -----------------------------------------------------------------------

VornString SqlServerColumnsStatement(const char* tableName);  // "sp_columns [name]"
VornString SqlServerKeysStatement(const char* tableName);     // "sp_pkeys [name]"
// The n-th record corrects the n-th row: TYPE_NAME upper-cased as type name (a TIMESTAMP
// has no length), COLUMN_DEF as default when not null.
void ApplySqlServerColumns(DefinitionRows& rows, const CatalogRows& records);
// KEY_SEQ into column 9 of the row named COLUMN_NAME.
void ApplySqlServerKeys(DefinitionRows& rows, const CatalogRows& records);

// ---- MySql ---------------------------------------------------------------------------

VornString MySqlColumnsStatement(const char* tableName);  // "show columns from `name`"
VornString MySqlIndexStatement(const char* tableName);    // "show index from `name`"
// The n-th record corrects the n-th row: Type up to its first "(" (display width,
// length and attributes such as "unsigned" dropped), Default when not null.
void ApplyMySqlColumns(DefinitionRows& rows, const CatalogRows& records);
// Seq_in_index of the records of key "PRIMARY" into column 9 of the row named Column_name.
void ApplyMySqlIndexes(DefinitionRows& rows, const CatalogRows& records);
// "int(10) unsigned" -> "int".
VornString MySqlBareTypeName(const char* columnType);

// ---- Oracle --------------------------------------------------------------------------

VornString OracleColumnsStatement(const char* tableName);
VornString OracleKeysStatement(const char* tableName);
// Row COLUMN_ID - 1: DATA_TYPE upper-cased, DATA_DEFAULT when not null, DATA_LENGTH
// only where the generic read found a length.
void ApplyOracleColumns(DefinitionRows& rows, const CatalogRows& records);
// POSITION into column 9 of the row named COLUMN_NAME.
void ApplyOracleKeys(DefinitionRows& rows, const CatalogRows& records);

// ---- Postgres ------------------------------------------------------------------------

// A table in this schema is described by the field read instead of the column schema.
bool IsPostgresSystemSchema(const char* tableSchema);
// The array type whose element is each column's type names the column's base type.
VornString PostgresTypesStatement(const char* tableName, const char* tableSchema);
// Row attnum - 1: typname without "_" ("bpchar" is "char"); int8, bit, varbit, bool and
// timestamp have no length; a numeric of precision 1000 or type modifier -1 was declared
// without a precision.
void ApplyPostgresTypes(DefinitionRows& rows, const CatalogRows& records);
