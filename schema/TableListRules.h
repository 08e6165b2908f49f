// The table list of the schema browser without a window: headings per reader, the
// catalog statements, which records are listed, their six cells, the types-seen list
// and the row-count statement. The database link runs the statements and hands every
// record over as a CatalogRow; the rows built here go into the upper list as they are.
#pragma once

#include <vector>

#include "../common/VornString.h"
#include "../db/DatabaseKind.h"
#include "CatalogRow.h"

enum TableListColumn {
    kListNumber = 0,
    kListName = 1,
    kListType = 2,
    kListCreated = 3,   // "スキーマ名" for Postgres
    kListModified = 4,  // "所有者" for SqlServer, "オーナー" for Postgres
    kListCount = 5,
    kListColumnCount = 6,
};

using TableListRow = std::vector<VornString>;
using TableListRows = std::vector<TableListRow>;

// The six headings of the kind's reader ("件数" ends in three ideographic spaces).
const char* TableListHeading(DatabaseKind kind, int column);
// Columns 3 and 4 keep the width they had before a reload; the others start at 100 and
// are fitted to their contents.
bool TableListColumnKeepsWidth(int column);

// Excel, Mdb and SqlServer are read through OpenSchema(adSchemaTables); the other kinds
// through catalog statements of their own.
bool UsesSchemaTableReader(DatabaseKind kind);

// The one catalog statement of MySql and Oracle; "" for the other kinds.
const char* TableListStatement(DatabaseKind kind);
// The fields of the kind's catalog-statement records that the builder reads, so that a
// reader turns only these into text; empty for the kinds read through OpenSchema, whose
// whole records are used.
const std::vector<const char*>& TableListFields(DatabaseKind kind);

enum class PostgresCatalog { Tables, Views };
struct PostgresListStep {
    PostgresCatalog catalog;
    const char* statement;
};
// The statements the Postgres reader runs for the type filter, in order: pg_tables for
// an empty filter or "TABLE", pg_views for an empty filter or "VIEW".
std::vector<PostgresListStep> PostgresListSteps(const char* typeFilter);

// The distinct type values met while lists load without a type filter, as the comma list
// the type-filter menu is built from.
class TypesSeen {
public:
    // Adds the value unless the list already holds it; "," goes before each new value.
    void Add(const char* type);
    void Clear() { list_.Clear(); }
    // ",TABLE,VIEW" ...
    const char* Text() const { return list_.Text(); }
    // The values in the order first seen, for the type-filter menu.
    std::vector<VornString> Items() const;

private:
    VornString list_;
};

struct TableListOptions {
    DatabaseKind kind = DatabaseKind::None;
    bool hideSheets = false;        // Excel: hide worksheet tables (names ending in "$")
    bool noSystemTable = false;     // SqlServer
    bool noSystemView = false;      // SqlServer
    bool noSystemCatalog = false;   // Postgres: hide schema "pg_catalog"
    VornString typeFilter;          // when not empty, only this exact type is listed
};

// Collects the rows of one load; numbering counts listed rows only, from 1.
class TableListBuilder {
public:
    // typesSeen may be null; types are only recorded while the type filter is empty.
    TableListBuilder(const TableListOptions& options, TypesSeen* typesSeen);

    // A record of OpenSchema(adSchemaTables) (Excel, Mdb, SqlServer). True when listed.
    bool AddSchemaRecord(const CatalogRow& record);
    // A record of the Postgres step's statement.
    bool AddPostgresRecord(PostgresCatalog catalog, const CatalogRow& record);
    // A record of "SHOW TABLE STATUS".
    bool AddMySqlRecord(const CatalogRow& record);
    // A record of the USER_OBJECTS statement.
    bool AddOracleRecord(const CatalogRow& record);

    const TableListRows& Rows() const { return rows_; }
    TableListRows TakeRows();

private:
    bool PassesFilter(const char* type) const;
    TableListRow& AddRow(const char* name, const char* type);
    void RecordType(const char* type);

    TableListOptions options_;
    TypesSeen* typesSeen_;
    TableListRows rows_;
    VornString lastType_;  // the type recorded last: a list of one type records it once
};

// SHOW TABLE STATUS names the storage engine "Engine" on current servers and "Type" on
// old ones: the name this record uses ("Engine" when it has both).
const char* MySqlEngineFieldName(const CatalogRow& record);

// "select count(*) from " + the listed table's name quoted for the kind.
VornString RowCountStatement(DatabaseKind kind, const TableListRow& row,
                             bool excelThroughDsn = false);
// The first cell of the count's result, as column 5 shows it ("%7s").
VornString FormatRowCount(const char* firstCell);

// The message shown when the table list could not open its connection.
extern const char kTableListConnectFailed[];
