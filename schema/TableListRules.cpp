#include "TableListRules.h"

#include <cstdio>

#include "../common/SjisText.h"
#include "../common/TokenList.h"
#include "NameQuoting.h"

const char kTableListConnectFailed[] = "接続に失敗しました";

namespace {

const char* const kSchemaHeadings[kListColumnCount] = {
    "№", "テーブル名", "タイプ", "作成", "更新", "件数　　　"};
const char* const kSqlServerHeadings[kListColumnCount] = {
    "№", "テーブル名", "タイプ", "作成", "所有者", "件数　　　"};
const char* const kPostgresHeadings[kListColumnCount] = {
    "№", "テーブル名", "タイプ", "スキーマ名", "オーナー", "件数　　　"};

const char kPgTablesStatement[] =
    "select * from pg_tables where schemaname != 'information_schema' order by schemaname desc";
const char kPgViewsStatement[] =
    "select * from pg_views where schemaname != 'information_schema' order by schemaname desc";
const char kMySqlStatement[] = "SHOW TABLE STATUS";
const char kOracleStatement[] =
    "select * from USER_OBJECTS where OBJECT_TYPE in ('SYNONYM','TABLE','VIEW') order by "
    "OBJECT_TYPE";

bool Is(const char* text, const char* value) { return VornString(text).Equals(value); }

const char kPgSchemaName[] = "schemaname";
const char kPgTableName[] = "tablename";
const char kPgTableOwner[] = "tableowner";
const char kPgViewName[] = "viewname";
const char kPgViewOwner[] = "viewowner";
const char kMySqlName[] = "Name";
const char kMySqlEngine[] = "Engine";
const char kMySqlOldEngine[] = "Type";
const char kMySqlCreated[] = "Create_time";
const char kMySqlUpdated[] = "Update_time";
const char kOracleName[] = "OBJECT_NAME";
const char kOracleType[] = "OBJECT_TYPE";
const char kOracleCreated[] = "CREATED";
const char kOracleChanged[] = "LAST_DDL_TIME";

}  // namespace

const char* TableListHeading(DatabaseKind kind, int column)
{
    if (column < 0 || column >= kListColumnCount)
        return "";
    switch (kind) {
    case DatabaseKind::SqlServer: return kSqlServerHeadings[column];
    case DatabaseKind::Postgres: return kPostgresHeadings[column];
    default: return kSchemaHeadings[column];
    }
}

bool TableListColumnKeepsWidth(int column)
{
    return column == kListCreated || column == kListModified;
}

bool UsesSchemaTableReader(DatabaseKind kind)
{
    return kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb ||
           kind == DatabaseKind::SqlServer;
}

const char* TableListStatement(DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::MySql: return kMySqlStatement;
    case DatabaseKind::Oracle: return kOracleStatement;
    default: return "";
    }
}

const std::vector<const char*>& TableListFields(DatabaseKind kind)
{
    static const std::vector<const char*> postgres = {kPgSchemaName, kPgTableName, kPgTableOwner, kPgViewName,
                                                      kPgViewOwner};
    static const std::vector<const char*> mySql = {kMySqlName, kMySqlEngine, kMySqlOldEngine, kMySqlCreated,
                                                   kMySqlUpdated};
    static const std::vector<const char*> oracle = {kOracleName, kOracleType, kOracleCreated, kOracleChanged};
    static const std::vector<const char*> whole;
    switch (kind) {
    case DatabaseKind::Postgres: return postgres;
    case DatabaseKind::MySql: return mySql;
    case DatabaseKind::Oracle: return oracle;
    default: return whole;
    }
}

std::vector<PostgresListStep> PostgresListSteps(const char* typeFilter)
{
    VornString filter(typeFilter ? typeFilter : "");
    std::vector<PostgresListStep> steps;
    if (filter.IsEmpty() || filter.Equals("TABLE"))
        steps.push_back({PostgresCatalog::Tables, kPgTablesStatement});
    if (filter.IsEmpty() || filter.Equals("VIEW"))
        steps.push_back({PostgresCatalog::Views, kPgViewsStatement});
    return steps;
}

void TypesSeen::Add(const char* type)
{
    VornString value(type ? type : "");
    // Membership is by whole item: "TABLE" is new even after "SYSTEM TABLE".
    if (value.IsEmpty() || value.IsMemberOf(list_.Text()))
        return;
    list_.Append(",");
    list_.Append(value.Text());
}

std::vector<VornString> TypesSeen::Items() const
{
    std::vector<VornString> items;
    TokenList fields(list_.Text(), ',');
    for (int i = 0; i < fields.Count(); ++i)
        if (fields[i][0] != '\0')
            items.push_back(VornString(fields[i]));
    return items;
}

TableListBuilder::TableListBuilder(const TableListOptions& options, TypesSeen* typesSeen)
    : options_(options), typesSeen_(typesSeen)
{
}

bool TableListBuilder::PassesFilter(const char* type) const
{
    return options_.typeFilter.IsEmpty() || options_.typeFilter.Equals(type ? type : "");
}

void TableListBuilder::RecordType(const char* type)
{
    if (!typesSeen_ || !options_.typeFilter.IsEmpty())
        return;
    if (!lastType_.IsEmpty() && lastType_.Equals(type ? type : ""))
        return;
    typesSeen_->Add(type);
    lastType_ = type ? type : "";
}

TableListRow& TableListBuilder::AddRow(const char* name, const char* type)
{
    char number[16];
    std::snprintf(number, sizeof number, "%2d", static_cast<int>(rows_.size()) + 1);
    rows_.emplace_back(kListColumnCount);
    TableListRow& row = rows_.back();
    row[kListNumber] = number;
    row[kListName] = name;
    row[kListType] = type;
    return row;
}

bool TableListBuilder::AddSchemaRecord(const CatalogRow& record)
{
    const char* name = record.Text("TABLE_NAME");
    const char* type = record.Text("TABLE_TYPE");
    switch (options_.kind) {
    case DatabaseKind::Excel:
        if (options_.hideSheets && sjis::EndsWithChar(name, '$'))
            return false;
        break;
    case DatabaseKind::Mdb:
        if (Is(type, "SYSTEM TABLE") || Is(type, "ACCESS TABLE"))
            return false;
        break;
    case DatabaseKind::SqlServer:
        if ((options_.noSystemTable && Is(type, "SYSTEM TABLE")) ||
            (options_.noSystemView && Is(type, "SYSTEM VIEW")))
            return false;
        break;
    default:
        break;
    }
    if (!PassesFilter(type))
        return false;
    TableListRow& row = AddRow(name, type);
    RecordType(type);
    bool sqlServer = options_.kind == DatabaseKind::SqlServer;
    if (sqlServer)
        row[kListModified] = record.TextAt(1);
    // Only providers that report dates give more than the eight basic fields.
    if (record.FieldCount() > 8) {
        row[kListCreated] = record.Text("DATE_CREATED");
        if (!sqlServer)
            row[kListModified] = record.Text("DATE_MODIFIED");
    }
    return true;
}

bool TableListBuilder::AddPostgresRecord(PostgresCatalog catalog, const CatalogRow& record)
{
    bool views = catalog == PostgresCatalog::Views;
    const char* type = views ? "VIEW" : "TABLE";
    // The type counts as seen once its statement returned a record, listed or not.
    RecordType(type);
    const char* schema = record.Text(kPgSchemaName);
    if (options_.noSystemCatalog && Is(schema, "pg_catalog"))
        return false;
    TableListRow& row = AddRow(record.Text(views ? kPgViewName : kPgTableName), type);
    row[kListCreated] = schema;
    row[kListModified] = record.Text(views ? kPgViewOwner : kPgTableOwner);
    return true;
}

const char* MySqlEngineFieldName(const CatalogRow& record)
{
    return record.Has(kMySqlEngine) ? kMySqlEngine : kMySqlOldEngine;
}

bool TableListBuilder::AddMySqlRecord(const CatalogRow& record)
{
    const char* engine = record.Text(MySqlEngineFieldName(record));
    if (!PassesFilter(engine))
        return false;
    TableListRow& row = AddRow(record.Text(kMySqlName), engine);
    RecordType(engine);
    row[kListCreated] = record.Text(kMySqlCreated);
    row[kListModified] = record.Text(kMySqlUpdated);
    return true;
}

bool TableListBuilder::AddOracleRecord(const CatalogRow& record)
{
    const char* type = record.Text(kOracleType);
    if (!PassesFilter(type))
        return false;
    TableListRow& row = AddRow(record.Text(kOracleName), type);
    RecordType(type);
    row[kListCreated] = record.Text(kOracleCreated);
    row[kListModified] = record.Text(kOracleChanged);
    return true;
}

TableListRows TableListBuilder::TakeRows()
{
    TableListRows rows;
    rows.swap(rows_);
    return rows;
}

VornString RowCountStatement(DatabaseKind kind, const TableListRow& row, bool excelThroughDsn)
{
    const char* name = row.size() > kListName ? row[kListName].Text() : "";
    const char* owner = row.size() > kListModified ? row[kListModified].Text() : "";
    VornString statement("select count(*) from ");
    statement.Append(ListedTableName(kind, name, owner, excelThroughDsn).Text());
    return statement;
}

VornString FormatRowCount(const char* firstCell)
{
    VornString text;
    text.Format("%7s", firstCell ? firstCell : "");
    return text;
}
