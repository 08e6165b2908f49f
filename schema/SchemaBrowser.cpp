#include "SchemaBrowser.h"

#include "../common/GridView.h"
#include "../common/SjisText.h"
#include "../db/AdoConstants.h"
#include "NameQuoting.h"

namespace {

const int kInitialWidth = 100;

}  // namespace

CatalogRow CurrentRecord(Recordset& rows, const std::vector<bool>* kept)
{
    CatalogRow record;
    FieldList& fields = rows.Fields();
    record.Reserve(fields.Count());
    for (long i = 0; i < fields.Count(); ++i) {
        if (kept && !(*kept)[static_cast<size_t>(i)])
            continue;
        Field* field = fields.Item(i);
        const VARIANT& value = field->Value();
        if (value.vt == VT_NULL || value.vt == VT_EMPTY)
            record.AddNull(field->Name().Text());
        else
            record.Add(field->Name().Text(), ValueToText(value, ValueTextMode::IntegersByFormat));
    }
    return record;
}

VornString SchemaBrowser::EncloseName(const char* name) const
{
    return ::EncloseName(Kind(), name, excelThroughDsn);
}

void SchemaBrowser::Fail(HRESULT result)
{
    if (connection && connection->Errors().Count() > 0) {
        CollectConnectionErrors(connection.get());
        failureText = ErrorText;
    } else {
        failureText = SystemMessageText(result);
    }
    readFailed = true;
}

HRESULT SchemaBrowser::QueryRecords(const char* statement, CatalogRows& records,
                                    const std::vector<const char*>* fields)
{
    if (!recordset)
        recordset.reset(new Recordset);
    sqlText = statement;
    recordset->SetCursorLocation(ado::adUseClient);
    HRESULT result = recordset->Open(statement, connection.get(), ado::adOpenKeyset, ado::adLockOptimistic,
                                     ado::adCmdText);
    if (FAILED(result))
        return result;
    if (recordset->State() == ado::adStateOpen) {
        std::vector<bool> kept;
        if (fields) {
            FieldList& list = recordset->Fields();
            for (long i = 0; i < list.Count(); ++i) {
                bool wanted = false;
                for (const char* name : *fields)
                    wanted = wanted || sjis::CompareIgnoreCase(list.Item(i)->Name(), name) == 0;
                kept.push_back(wanted);
            }
        }
        for (; !recordset->Eof(); recordset->MoveNext())
            records.push_back(CurrentRecord(*recordset, fields ? &kept : nullptr));
        recordset->Close();
    }
    return S_OK;
}

HRESULT SchemaBrowser::SchemaRecords(long schema, const std::vector<VornString>& restrictions, const char* sort,
                                     CatalogRows& records)
{
    if (!schemaRecordset)
        schemaRecordset.reset(new Recordset);
    std::vector<const char*> texts;
    for (const VornString& restriction : restrictions)
        texts.push_back(restriction.Text());
    HRESULT result = connection->OpenSchema(schema, texts, *schemaRecordset);
    if (FAILED(result))
        return result;
    if (sort && *sort) {
        schemaRecordset->SetSort(sort);
        schemaRecordset->MoveFirst();
    }
    for (; !schemaRecordset->Eof(); schemaRecordset->MoveNext())
        records.push_back(CurrentRecord(*schemaRecordset));
    schemaRecordset->Close();
    return S_OK;
}

HRESULT SchemaBrowser::QueryFields(const char* statement, FieldDescriptions& fields)
{
    if (!recordset)
        recordset.reset(new Recordset);
    sqlText = statement;
    HRESULT result = recordset->Open(statement, connection.get(), ado::adOpenKeyset, ado::adLockOptimistic,
                                     ado::adCmdText);
    if (FAILED(result))
        return result;
    FieldList& list = recordset->Fields();
    for (long i = 0; i < list.Count(); ++i) {
        Field* field = list.Item(i);
        FieldDescription description;
        description.name = field->Name();
        description.type = field->Type();
        description.definedSize = field->DefinedSize();
        description.precision = field->Precision();
        description.numericScale = field->NumericScale();
        description.attributes = field->Attributes();
        fields.push_back(description);
    }
    recordset->Close();
    return S_OK;
}

bool SchemaBrowser::ReadRecords(const char* statement, const std::function<void(const CatalogRow&)>& add)
{
    CatalogRows records;
    // A catalog statement's records are read for the few fields the list shows.
    const std::vector<const char*>& fields = TableListFields(Kind());
    HRESULT result = statement ? QueryRecords(statement, records, fields.empty() ? nullptr : &fields)
                               : SchemaRecords(ado::adSchemaTables, {}, nullptr, records);
    for (const CatalogRow& row : records)
        add(row);
    if (FAILED(result)) {
        Fail(result);
        return false;
    }
    return true;
}

void SchemaBrowser::PrepareList(GridView& list)
{
    int keptWidths[kListColumnCount];
    int oldColumns = list.ColumnCount();
    for (int column = 0; column < kListColumnCount; ++column)
        keptWidths[column] = column < oldColumns ? list.ColumnWidth(column) : kInitialWidth;
    list.Hide();
    list.Clear();
    for (int column = 0; column < kListColumnCount; ++column) {
        int width = TableListColumnKeepsWidth(column) ? keptWidths[column] : kInitialWidth;
        list.AddColumn(TableListHeading(Kind(), column), width);
    }
}

void SchemaBrowser::ShowList(GridView& list, const TableListRows& rows)
{
    for (const TableListRow& row : rows) {
        list.AddRow();
        for (int column = 0; column < kListColumnCount && column < static_cast<int>(row.size()); ++column)
            list.SetText(column, row[column].Text());
    }
    for (int column = 0; column < kListColumnCount; ++column)
        if (!TableListColumnKeepsWidth(column))
            list.AutoSizeColumn(column);
    list.Show();
}

int SchemaBrowser::LoadTableList(GridView& list)
{
    readFailed = false;
    failureText.Clear();
    PrepareList(list);
    if (!connection)
        connection.reset(new Connection);
    connection->SetCursorLocation(UsesSchemaTableReader(Kind()) ? ado::adUseServer : ado::adUseClient);
    HRESULT opened = connection->Open(record.connectionString, "", "", -1);
    if (FAILED(opened)) {
        Fail(opened);
        ShowList(list, TableListRows());
        ShowMessage(GetParent(list.ListHandle()), kTableListConnectFailed);
        return -1;
    }

    TableListOptions options;
    options.kind = Kind();
    options.hideSheets = record.hideSheets;
    options.noSystemTable = record.noSystemTable;
    options.noSystemView = record.noSystemView;
    options.noSystemCatalog = record.noSystemCatalog;
    options.typeFilter = typeFilter;
    TableListBuilder builder(options, &typesSeen);

    bool ok = true;
    switch (Kind()) {
    case DatabaseKind::Postgres:
        for (const PostgresListStep& step : PostgresListSteps(typeFilter)) {
            ok = ReadRecords(step.statement, [&](const CatalogRow& row) { builder.AddPostgresRecord(step.catalog, row); });
            if (!ok)
                break;
        }
        break;
    case DatabaseKind::MySql:
        ok = ReadRecords(TableListStatement(Kind()), [&](const CatalogRow& row) { builder.AddMySqlRecord(row); });
        break;
    case DatabaseKind::Oracle:
        ok = ReadRecords(TableListStatement(Kind()), [&](const CatalogRow& row) { builder.AddOracleRecord(row); });
        break;
    default:
        ok = ReadRecords(nullptr, [&](const CatalogRow& row) { builder.AddSchemaRecord(row); });
        break;
    }
    if (recordset)
        recordset->Close();
    connection->Close();
    ShowList(list, builder.Rows());
    return ok ? static_cast<int>(builder.Rows().size()) : -1;
}

int SchemaBrowser::CountRows(GridView& list, GridView& scratch)
{
    int counted = 0;
    for (int row = list.NextSelectedRow(-1); row >= 0; row = list.NextSelectedRow(row)) {
        TableListRow listed(kListColumnCount);
        for (int column = 0; column < kListColumnCount; ++column)
            listed[column] = list.CellText(row, column);
        sqlText = RowCountStatement(Kind(), listed, excelThroughDsn);
        if (FillResultList(scratch) < 0)
            continue;
        list.SetCellText(row, kListCount, FormatRowCount(scratch.CellText(0, 0)).Text());
        ++counted;
    }
    return counted;
}

// Column definitions

void SchemaBrowser::PrepareDefinitionList(GridView& list)
{
    if (IsPreparedDefinitionList(list.ColumnCount(), list.ColumnCount() > 11 ? list.ColumnTitle(11).Text() : "")) {
        list.DeleteAllRows();
        return;
    }
    list.Clear();
    for (int column = 0; column < kDefColumnCount; ++column) {
        DefinitionHeading heading = DefinitionHeadingAt(column);
        int format = heading.alignment == ColumnAlignment::Right    ? LVCFMT_RIGHT
                     : heading.alignment == ColumnAlignment::Centre ? LVCFMT_CENTER
                                                                    : LVCFMT_LEFT;
        list.AddColumnWithFormat(heading.text, kInitialWidth, format);
    }
}

bool SchemaBrowser::GenericRead(DefinitionRows& rows, GridView& list)
{
    CatalogRows records;
    HRESULT result = SchemaRecords(ado::adSchemaColumns,
                                   ColumnSchemaRestrictions(Kind(), tableName, record.user), kColumnSchemaSort,
                                   records);
    if (FAILED(result)) {
        Fail(result);
        if (connection->Errors().Count() > 0)
            CollectConnectionErrors(connection.get());
        else
            ErrorText = GenericReadFailureText(GenericReadFailure::OpenSchema);
        ShowMessage(GetParent(list.ListHandle()), ErrorText);
        return false;
    }
    rows = DefinitionsFromSchemaColumns(records, Kind());
    return true;
}

HRESULT SchemaBrowser::RefineFromCatalog(DefinitionRows& rows, const char* columnsStatement,
                                         CatalogApply applyColumns, const char* keysStatement,
                                         CatalogApply applyKeys)
{
    CatalogRows records;
    HRESULT result = QueryRecords(columnsStatement, records);
    if (FAILED(result))
        return result;
    applyColumns(rows, records);
    records.clear();
    result = QueryRecords(keysStatement, records);
    if (SUCCEEDED(result))
        applyKeys(rows, records);
    return result;
}

bool SchemaBrowser::RunDefinitionStep(DefinitionStep step, DefinitionRows& rows, GridView& list,
                                      const char* tableSchema)
{
    CatalogRows records;
    FieldDescriptions fields;
    HRESULT result = S_OK;
    switch (step) {
    case DefinitionStep::GenericRead:
        return GenericRead(rows, list);
    case DefinitionStep::FieldRead:
        result = QueryFields(FieldReadStatement(Kind(), tableName), fields);
        if (SUCCEEDED(result))
            rows = DefinitionsFromFields(fields, Kind());
        break;
    case DefinitionStep::PrimaryKeysFromSchema:
        result = SchemaRecords(ado::adSchemaPrimaryKeys, PrimaryKeySchemaRestrictions(tableName), nullptr, records);
        if (SUCCEEDED(result))
            ApplySchemaPrimaryKeys(rows, records);
        break;
    case DefinitionStep::MdbAutoNumber:
        result = QueryFields(MdbProbeStatement(tableName), fields);
        if (SUCCEEDED(result))
            ApplyMdbAutoNumber(rows, fields);
        break;
    case DefinitionStep::MdbFixUps:
        ApplyMdbFixUps(rows);
        break;
    case DefinitionStep::SqlServerCatalog:
        result = RefineFromCatalog(rows, SqlServerColumnsStatement(tableName), ApplySqlServerColumns,
                                   SqlServerKeysStatement(tableName), ApplySqlServerKeys);
        break;
    case DefinitionStep::MySqlCatalog:
        result = RefineFromCatalog(rows, MySqlColumnsStatement(tableName), ApplyMySqlColumns,
                                   MySqlIndexStatement(tableName), ApplyMySqlIndexes);
        break;
    case DefinitionStep::OracleCatalog:
        result = RefineFromCatalog(rows, OracleColumnsStatement(tableName), ApplyOracleColumns,
                                   OracleKeysStatement(tableName), ApplyOracleKeys);
        break;
    case DefinitionStep::PostgresTypes:
        result = QueryRecords(PostgresTypesStatement(tableName, tableSchema), records);
        if (SUCCEEDED(result))
            ApplyPostgresTypes(rows, records);
        break;
    case DefinitionStep::Done:
        break;
    }
    if (FAILED(result)) {
        // A failing refinement keeps the rows read so far; its error is only kept.
        CollectConnectionErrors(connection.get());
        return false;
    }
    return true;
}

int SchemaBrowser::ShowDefinition(GridView& list, int tableListIndex, const char* tableSchema)
{
    if (tableListIndex != -1)
        shownTableIndex = tableListIndex;
    DefinitionPlan plan(Kind(), tableSchema ? tableSchema : "", readFailed);
    if (plan.Next() == DefinitionStep::Done)
        return -1;
    PrepareDefinitionList(list);
    list.Hide();
    if (!connection)
        connection.reset(new Connection);
    connection->SetCursorLocation(DefinitionReadUsesServerCursor(Kind()) ? ado::adUseServer : ado::adUseClient);
    HRESULT opened = connection->Open(record.connectionString, "", "", -1);
    if (FAILED(opened)) {
        Fail(opened);
        ErrorText = GenericReadFailureText(GenericReadFailure::OpenConnection);
        list.Show();
        ShowMessage(GetParent(list.ListHandle()), ErrorText);
        return -1;
    }
    DefinitionRows rows;
    for (DefinitionStep step = plan.Next(); step != DefinitionStep::Done; step = plan.Next())
        plan.Finished(RunDefinitionStep(step, rows, list, tableSchema ? tableSchema : ""));
    connection->Close();
    readFailed = plan.ReadFailed();

    for (const DefinitionRow& row : rows) {
        list.AddRow();
        for (int column = 0; column < kDefColumnCount && column < static_cast<int>(row.size()); ++column)
            list.SetText(column, row[column].Text());
    }
    list.AutoSizeColumns();
    list.Show();
    return rows.empty() && readFailed ? -1 : static_cast<int>(rows.size());
}
