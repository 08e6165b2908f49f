#include "SchemaBrowser.h"

#include "../common/GridView.h"
#include "../common/MessageBoxes.h"
#include "../db/AdoConstants.h"
#include "NameQuoting.h"

namespace {

const int kInitialWidth = 100;

VornString SystemMessage(HRESULT result)
{
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(result), 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r'))
        text[--length] = '\0';
    VornString message(text);
    if (message.IsEmpty())
        message.Format("Unknown error 0x%0lX", static_cast<unsigned long>(result));
    return message;
}

}  // namespace

CatalogRow CurrentRecord(Recordset& rows)
{
    CatalogRow record;
    FieldList& fields = rows.Fields();
    for (long i = 0; i < fields.Count(); ++i) {
        Field* field = fields.Item(i);
        const VARIANT& value = field->Value();
        if (value.vt == VT_NULL || value.vt == VT_EMPTY)
            record.AddNull(field->Name().Text());
        else
            record.Add(field->Name().Text(), ValueToText(value, ValueTextMode::IntegersByFormat).Text());
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
        failureText = SystemMessage(result);
    }
    readFailed = true;
}

bool SchemaBrowser::ReadRecords(const char* statement, const std::function<void(const CatalogRow&)>& add)
{
    if (!recordset)
        recordset.reset(new Recordset);
    HRESULT result;
    if (statement) {
        sqlText = statement;
        recordset->SetCursorLocation(ado::adUseClient);
        result = recordset->Open(statement, connection.get(), ado::adOpenKeyset, ado::adLockOptimistic, ado::adCmdText);
    } else {
        result = connection->OpenSchema(ado::adSchemaTables, std::vector<const char*>(), *recordset);
    }
    if (FAILED(result)) {
        Fail(result);
        return false;
    }
    if (recordset->State() == ado::adStateOpen) {
        for (; !recordset->Eof(); recordset->MoveNext())
            add(CurrentRecord(*recordset));
        recordset->Close();
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
        if (messageSink)
            messageSink(GetParent(list.ListHandle()), kTableListConnectFailed);
        else
            ShowWarning(GetParent(list.ListHandle()), kTableListConnectFailed);
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
