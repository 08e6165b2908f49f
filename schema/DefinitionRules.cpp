#include "DefinitionRules.h"

#include <cstring>

#include <algorithm>
#include <cstdlib>

#include "../common/SjisText.h"
#include "../db/AdoConstants.h"
#include "../db/TypeCatalogue.h"
#include "NameQuoting.h"

const char kColumnSchemaSort[] = "ORDINAL_POSITION";

namespace {

const DefinitionHeading kHeadings[kDefColumnCount] = {
    {"№", ColumnAlignment::Left},      {"列名", ColumnAlignment::Left},
    {"型値", ColumnAlignment::Right},  {"型定数", ColumnAlignment::Left},
    {"型名", ColumnAlignment::Left},   {"最大桁", ColumnAlignment::Right},
    {"精度", ColumnAlignment::Right},  {"ｽｹｰﾙ", ColumnAlignment::Right},
    {"NULL", ColumnAlignment::Left},   {"主キー", ColumnAlignment::Centre},
    {"ﾃﾞﾌｫﾙﾄ", ColumnAlignment::Left}, {"型説明", ColumnAlignment::Left},
    {"備考", ColumnAlignment::Left},
};

bool Is(const char* text, const char* value) { return VornString(text).Equals(value); }

DefinitionRow NumberedRow(size_t index)
{
    DefinitionRow row = EmptyDefinitionRow();
    row[kDefNumber].Format("%2d", static_cast<int>(index) + 1);
    return row;
}

void SetAdoType(DefinitionRow& row, const char* numberText, DatabaseKind kind)
{
    row[kDefAdoType] = numberText;
    row[kDefTypeConstant] = TypeConstantName(numberText);
    row[kDefTypeName] = GenericTypeName(numberText, kind);
    row[kDefTypeDescription] = TypeDescription(numberText);
}

// Providers hand a boolean over as "0"/"-1" through the variant conversion; some
// drivers spell it out.
bool IsFalse(const char* text)
{
    return Is(text, "0") || sjis::CompareIgnoreCase(text, "False") == 0;
}

DefinitionRow* RowNamed(DefinitionRows& rows, const char* name)
{
    for (DefinitionRow& row : rows)
        if (sjis::CompareIgnoreCase(row[kDefName].Text(), name) == 0)
            return &row;
    return nullptr;
}

// The row a record addresses by a 1-based number (COLUMN_ID, attnum), or null.
DefinitionRow* RowAt(DefinitionRows& rows, const char* oneBasedText)
{
    long number = std::strtol(oneBasedText, nullptr, 10);
    if (number < 1 || static_cast<size_t>(number) > rows.size())
        return nullptr;
    return &rows[static_cast<size_t>(number - 1)];
}

void PutKeyPosition(DefinitionRows& rows, const char* columnName, const char* position)
{
    DefinitionRow* row = RowNamed(rows, columnName);
    if (row)
        (*row)[kDefPrimaryKey] = position;
}

VornString WithLiteral(const char* head, const char* name, const char* tail)
{
    VornString statement(head);
    statement.Append(NameInLiteral(name).Text());
    statement.Append(tail);
    return statement;
}

}  // namespace

// ---- The definition list -------------------------------------------------------------

DefinitionHeading DefinitionHeadingAt(int column)
{
    if (column < 0 || column >= kDefColumnCount)
        return {"", ColumnAlignment::Left};
    return kHeadings[column];
}

bool IsPreparedDefinitionList(int columnCount, const char* column11Heading)
{
    return columnCount >= 12 && column11Heading && Is(column11Heading, "型説明");
}

VornString DefinitionStatusText(const char* tableName)
{
    VornString text("【");
    text.Append(tableName ? tableName : "");
    text.Append("】 の定義を表示しています　");
    return text;
}

// ---- Which readers run ---------------------------------------------------------------

DefinitionPlan::DefinitionPlan(DatabaseKind kind, const char* tableSchema, bool readFailed)
    : readFailed_(readFailed)
{
    if (readFailed)
        return;
    using S = DefinitionStep;
    switch (kind) {
    case DatabaseKind::Excel: steps_ = {S::GenericRead}; break;
    case DatabaseKind::Mdb:
        steps_ = {S::GenericRead, S::PrimaryKeysFromSchema, S::MdbAutoNumber, S::MdbFixUps};
        break;
    case DatabaseKind::SqlServer: steps_ = {S::GenericRead, S::SqlServerCatalog}; break;
    case DatabaseKind::MySql: steps_ = {S::GenericRead, S::MySqlCatalog}; break;
    case DatabaseKind::Oracle: steps_ = {S::GenericRead, S::OracleCatalog}; break;
    case DatabaseKind::Postgres:
        if (IsPostgresSystemSchema(tableSchema))
            steps_ = {S::FieldRead, S::PostgresTypes};
        else
            steps_ = {S::GenericRead, S::FieldRead, S::PostgresTypes, S::PrimaryKeysFromSchema};
        break;
    default: break;
    }
}

DefinitionStep DefinitionPlan::Next() const
{
    return position_ < steps_.size() ? steps_[position_] : DefinitionStep::Done;
}

void DefinitionPlan::Finished(bool succeeded)
{
    if (position_ >= steps_.size())
        return;
    DefinitionStep step = steps_[position_++];
    bool hasFallback = position_ < steps_.size() && steps_[position_] == DefinitionStep::FieldRead;
    if (step == DefinitionStep::GenericRead) {
        if (succeeded) {
            if (hasFallback)
                ++position_;
            return;
        }
        readFailed_ = true;
        if (!hasFallback)
            position_ = steps_.size();
        return;
    }
    if (step == DefinitionStep::FieldRead && !succeeded) {
        readFailed_ = true;
        position_ = steps_.size();
    }
    // A failing refinement leaves the rows as they are and the next one still runs.
}

// ---- Generic read --------------------------------------------------------------------

bool DefinitionReadUsesServerCursor(DatabaseKind kind) { return kind == DatabaseKind::Postgres; }

std::vector<VornString> ColumnSchemaRestrictions(DatabaseKind kind, const char* tableName,
                                                 const char* user)
{
    VornString schema;
    if (kind == DatabaseKind::Oracle) {
        schema = user ? user : "";
        schema.UpperCase();
    }
    return {VornString(""), schema, VornString(tableName ? tableName : ""), VornString("")};
}

std::vector<VornString> PrimaryKeySchemaRestrictions(const char* tableName)
{
    return {VornString(""), VornString(""), VornString(tableName ? tableName : "")};
}

DefinitionRows DefinitionsFromSchemaColumns(const CatalogRows& records, DatabaseKind kind)
{
    std::vector<const CatalogRow*> ordered;
    for (const CatalogRow& record : records)
        ordered.push_back(&record);
    std::stable_sort(ordered.begin(), ordered.end(), [](const CatalogRow* a, const CatalogRow* b) {
        return std::strtol(a->Text(kColumnSchemaSort), nullptr, 10) <
               std::strtol(b->Text(kColumnSchemaSort), nullptr, 10);
    });

    DefinitionRows rows;
    for (const CatalogRow* record : ordered) {
        DefinitionRow row = NumberedRow(rows.size());
        for (int i = 0; i < record->FieldCount(); ++i) {
            VornString name(record->NameAt(i));
            const char* value = record->TextAt(i);
            if (name.EqualsIgnoreCase("COLUMN_NAME"))
                row[kDefName] = value;
            else if (name.EqualsIgnoreCase("DATA_TYPE"))
                SetAdoType(row, value, kind);
            else if (name.EqualsIgnoreCase("CHARACTER_MAXIMUM_LENGTH"))
                row[kDefSize] = value;
            else if (name.EqualsIgnoreCase("NUMERIC_PRECISION"))
                row[kDefPrecision] = Is(value, "0") ? "" : value;
            else if (name.EqualsIgnoreCase("NUMERIC_SCALE"))
                row[kDefScale] = value;
            else if (name.EqualsIgnoreCase("IS_NULLABLE"))
                row[kDefNullable] = IsFalse(value) ? "N" : "";
            else if (name.EqualsIgnoreCase("COLUMN_DEFAULT"))
                row[kDefDefault] = value;
            else if (name.EqualsIgnoreCase("DESCRIPTION"))
                row[kDefRemarks] = value;
        }
        rows.push_back(row);
    }
    return rows;
}

const char* GenericReadFailureText(GenericReadFailure failure)
{
    switch (failure) {
    case GenericReadFailure::CreateConnection: return "接続オブジェクト作成に失敗しました";
    case GenericReadFailure::OpenConnection: return "接続に失敗しました";
    case GenericReadFailure::OpenSchema: return "レコードセット取得に失敗しました";
    }
    return "";
}

// ---- Field read ----------------------------------------------------------------------

VornString FieldReadStatement(DatabaseKind kind, const char* tableName)
{
    VornString statement("select * from ");
    if (kind == DatabaseKind::Postgres)
        statement.Append(tableName ? tableName : "");
    else
        statement.Append(EncloseName(kind, tableName).Text());
    statement.Append(" where 1 = 2");
    return statement;
}

DefinitionRows DefinitionsFromFields(const FieldDescriptions& fields, DatabaseKind kind)
{
    DefinitionRows rows;
    for (const FieldDescription& field : fields) {
        DefinitionRow row = NumberedRow(rows.size());
        row[kDefName] = field.name;
        VornString type;
        type.Format("%d", static_cast<int>(field.type));
        SetAdoType(row, type.Text(), kind);
        row[kDefSize].Format("%d", static_cast<int>(field.definedSize));
        // 255 is what ADO reports for a field without precision or scale.
        if (field.precision != 255)
            row[kDefPrecision].Format("%d", static_cast<int>(field.precision));
        if (field.numericScale != 255)
            row[kDefScale].Format("%d", static_cast<int>(field.numericScale));
        row[kDefNullable] = (field.attributes & ado::adFldIsNullable) ? "" : "N";
        rows.push_back(row);
    }
    return rows;
}

// ---- Primary keys from the schema ----------------------------------------------------

void ApplySchemaPrimaryKeys(DefinitionRows& rows, const CatalogRows& records)
{
    for (const CatalogRow& record : records)
        PutKeyPosition(rows, record.Text("COLUMN_NAME"), record.Text("ORDINAL"));
}

// ---- Mdb -----------------------------------------------------------------------------

VornString MdbProbeStatement(const char* tableName)
{
    return FieldReadStatement(DatabaseKind::Mdb, tableName);
}

void ApplyMdbAutoNumber(DefinitionRows& rows, const FieldDescriptions& fields)
{
    for (const FieldDescription& field : fields) {
        if (field.type != ado::adInteger || !(field.attributes & ado::adFldUnknownUpdatable))
            continue;
        DefinitionRow* row = RowNamed(rows, field.name.Text());
        if (row)
            (*row)[kDefTypeName] = "COUNTER";
    }
}

void ApplyMdbFixUps(DefinitionRows& rows)
{
    for (DefinitionRow& row : rows) {
        if (row[kDefAdoType].Equals("130") && row[kDefSize].Equals("0"))
            row[kDefTypeName] = "MEMO";
        else if (row[kDefAdoType].Equals("11"))
            row[kDefSize].Clear();
    }
}

// ---- SqlServer -----------------------------------------------------------------------

VornString SqlServerColumnsStatement(const char* tableName)
{
    VornString statement("sp_columns ");
    statement.Append(EncloseName(DatabaseKind::SqlServer, tableName).Text());
    return statement;
}

VornString SqlServerKeysStatement(const char* tableName)
{
    // Built afresh rather than by replacing "sp_columns", which a table name may contain.
    VornString statement("sp_pkeys ");
    statement.Append(EncloseName(DatabaseKind::SqlServer, tableName).Text());
    return statement;
}

void ApplySqlServerColumns(DefinitionRows& rows, const CatalogRows& records)
{
    for (size_t i = 0; i < records.size() && i < rows.size(); ++i) {
        const CatalogRow& record = records[i];
        DefinitionRow& row = rows[i];
        row[kDefTypeName] = record.Text("TYPE_NAME");
        row[kDefTypeName].UpperCase();
        if (row[kDefTypeName].EqualsIgnoreCase("TIMESTAMP"))
            row[kDefSize].Clear();
        if (!record.IsNull("COLUMN_DEF"))
            row[kDefDefault] = record.Text("COLUMN_DEF");
    }
}

void ApplySqlServerKeys(DefinitionRows& rows, const CatalogRows& records)
{
    for (const CatalogRow& record : records)
        PutKeyPosition(rows, record.Text("COLUMN_NAME"), record.Text("KEY_SEQ"));
}

// ---- MySql ---------------------------------------------------------------------------

VornString MySqlColumnsStatement(const char* tableName)
{
    VornString statement("show columns from ");
    statement.Append(EncloseName(DatabaseKind::MySql, tableName).Text());
    return statement;
}

VornString MySqlIndexStatement(const char* tableName)
{
    // Built afresh rather than by replacing "columns", which a table name may contain.
    VornString statement("show index from ");
    statement.Append(EncloseName(DatabaseKind::MySql, tableName).Text());
    return statement;
}

VornString MySqlBareTypeName(const char* columnType)
{
    VornString type(columnType ? columnType : "");
    long parenthesis = sjis::FindChar(type.Text(), '(');
    if (parenthesis >= 0)
        type.Left(static_cast<size_t>(parenthesis));
    return type;
}

void ApplyMySqlColumns(DefinitionRows& rows, const CatalogRows& records)
{
    for (size_t i = 0; i < records.size() && i < rows.size(); ++i) {
        const CatalogRow& record = records[i];
        rows[i][kDefTypeName] = MySqlBareTypeName(record.Text("Type"));
        if (!record.IsNull("Default"))
            rows[i][kDefDefault] = record.Text("Default");
    }
}

void ApplyMySqlIndexes(DefinitionRows& rows, const CatalogRows& records)
{
    for (const CatalogRow& record : records)
        if (Is(record.Text("Key_name"), "PRIMARY"))
            PutKeyPosition(rows, record.Text("Column_name"), record.Text("Seq_in_index"));
}

// ---- Oracle --------------------------------------------------------------------------

VornString OracleColumnsStatement(const char* tableName)
{
    return WithLiteral(
        "select COLUMN_ID,DATA_TYPE,DATA_DEFAULT,DATA_LENGTH from USER_TAB_COLUMNS where "
        "TABLE_NAME = '",
        tableName, "'");
}

VornString OracleKeysStatement(const char* tableName)
{
    return WithLiteral(
        "select COLUMN_NAME,POSITION from USER_CONSTRAINTS,USER_CONS_COLUMNS where "
        "USER_CONSTRAINTS.CONSTRAINT_NAME = USER_CONS_COLUMNS.CONSTRAINT_NAME and "
        "USER_CONSTRAINTS.TABLE_NAME = '",
        tableName, "' and USER_CONSTRAINTS.CONSTRAINT_TYPE = 'P'");
}

void ApplyOracleColumns(DefinitionRows& rows, const CatalogRows& records)
{
    for (const CatalogRow& record : records) {
        DefinitionRow* row = RowAt(rows, record.Text("COLUMN_ID"));
        if (!row)
            continue;
        (*row)[kDefTypeName] = record.Text("DATA_TYPE");
        (*row)[kDefTypeName].UpperCase();
        if (!record.IsNull("DATA_DEFAULT"))
            (*row)[kDefDefault] = record.Text("DATA_DEFAULT");
        if (!(*row)[kDefSize].IsEmpty())
            (*row)[kDefSize] = record.Text("DATA_LENGTH");
    }
}

void ApplyOracleKeys(DefinitionRows& rows, const CatalogRows& records)
{
    for (const CatalogRow& record : records)
        PutKeyPosition(rows, record.Text("COLUMN_NAME"), record.Text("POSITION"));
}

// ---- Postgres ------------------------------------------------------------------------

bool IsPostgresSystemSchema(const char* tableSchema)
{
    return tableSchema && Is(tableSchema, "pg_catalog");
}

VornString PostgresTypesStatement(const char* tableName, const char* tableSchema)
{
    VornString statement(
        "select attnum,typname,atttypmod from pg_stat_all_tables ,pg_attribute ,pg_type where "
        "schemaname = '");
    statement.Append(NameInLiteral(tableSchema).Text());
    statement.Append("' and relname = '");
    statement.Append(NameInLiteral(tableName).Text());
    statement.Append(
        "' and relid = attrelid and attnum > 0 and atttypid = typelem and typlen = -1");
    return statement;
}

void ApplyPostgresTypes(DefinitionRows& rows, const CatalogRows& records)
{
    for (const CatalogRow& record : records) {
        DefinitionRow* row = RowAt(rows, record.Text("attnum"));
        if (!row)
            continue;
        VornString type(record.Text("typname"));
        type.ReplaceAll("_", "");
        if (type.Equals("bpchar"))
            type = "char";
        (*row)[kDefTypeName] = type;
        if (type.IsMemberOf("int8,bit,varbit,bool,timestamp"))
            (*row)[kDefSize].Clear();
        // Older drivers report an undeclared precision as 1000, current ones as 28 with
        // scale 6; the column's type modifier (-1) tells for sure.
        bool undeclared = (*row)[kDefPrecision].Equals("1000") ||
                          (record.Has("atttypmod") && std::strcmp(record.Text("atttypmod"), "-1") == 0);
        if (type.Equals("numeric") && undeclared) {
            (*row)[kDefPrecision].Clear();
            (*row)[kDefScale].Clear();
        }
    }
}
