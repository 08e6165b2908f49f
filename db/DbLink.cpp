#include "DbLink.h"

#include <cstring>

#include "../common/GridView.h"
#include "../common/MessageBoxes.h"
#include "../common/SjisText.h"
#include "DbLinkText.h"

using namespace ado;

namespace {

// One value's text by the value-to-text rule. A fill turns every cell into text: a short
// text is built on the stack, so that a cell costs no allocation of its own.
class ValueText {
public:
    ValueText(const VARIANT& value, ValueTextMode mode);
    ValueText(const ValueText&) = delete;
    ValueText& operator=(const ValueText&) = delete;
    // Always NUL-terminated; Length counts NULs inside the text too.
    const char* Text() const { return text_; }
    size_t Length() const { return length_; }

private:
    static const int kStack = 512;
    void FromWide(const wchar_t* wide, int length);
    void FromGeneral(const VARIANT& value);
    void FromDecimal(long value);

    char stack_[kStack + 1];
    std::vector<char> heap_;
    const char* text_ = "";
    size_t length_ = 0;
};

ValueText::ValueText(const VARIANT& value, ValueTextMode mode)
{
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return;
    case VT_I2:
        if (mode == ValueTextMode::IntegersByFormat)
            FromDecimal(value.iVal);
        else
            FromGeneral(value);
        return;
    case VT_I4:
        if (mode == ValueTextMode::IntegersByFormat)
            FromDecimal(value.lVal);
        else
            FromGeneral(value);
        return;
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_BOOL:
    case VT_DECIMAL:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_DATE:
    case VT_BSTR:
    case VT_LPSTR:
    case VT_LPWSTR:
    // The layer hands 8-byte integers over as such where ADO 2.x gave a decimal; they
    // are numbers to the user (count(*) on PostgreSQL is one).
    case VT_I8:
    case VT_UI8:
        FromGeneral(value);
        return;
    default:
        text_ = "???";
        length_ = 3;
        return;
    }
}

void ValueText::FromWide(const wchar_t* wide, int length)
{
    if (length <= 0)
        return;
    // Code page 932 needs at most two bytes per UTF-16 unit.
    char* target = stack_;
    int room = kStack;
    if (length > kStack / 2) {
        room = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
        if (room <= 0)
            return;
        heap_.resize(static_cast<size_t>(room) + 1);
        target = heap_.data();
    }
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, target, room, nullptr, nullptr);
    if (bytes <= 0)
        return;
    target[bytes] = '\0';
    text_ = target;
    length_ = static_cast<size_t>(bytes);
}

void ValueText::FromGeneral(const VARIANT& value)
{
    // Changing a string to a string only copies it: its text is taken as it is.
    if (value.vt == VT_BSTR) {
        FromWide(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
        return;
    }
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT, 0, VT_BSTR)))
        return;
    FromWide(converted.bstrVal, static_cast<int>(SysStringLen(converted.bstrVal)));
    VariantClear(&converted);
}

// "%d" / "%ld" without a formatting call per cell.
void ValueText::FromDecimal(long value)
{
    char* end = stack_ + 16;
    char* start = end;
    *end = '\0';
    unsigned long magnitude = value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        *--start = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--start = '-';
    text_ = start;
    length_ = static_cast<size_t>(end - start);
}

}  // namespace

// The system's text for a failure code without its closing line break, as COM's error
// objects give it.
VornString SystemMessageText(HRESULT code)
{
    VornString text;
    char* message = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<char*>(&message), 0, nullptr);
    if (length && message) {
        text.Assign(message, length);
        size_t kept = text.Length();
        if (kept >= 2 && std::strcmp(text.Text() + kept - 2, "\r\n") == 0)
            text.Left(kept - 2);
        else if (kept >= 1 && text.Text()[kept - 1] == '\n')
            text.Left(kept - 1);
    }
    if (message)
        LocalFree(message);
    if (text.IsEmpty())
        text = dblink::ComFailureFallbackText(static_cast<unsigned long>(code));
    return text;
}

namespace {

VARIANT RestrictionArray(const std::vector<VornString>& restrictions)
{
    std::vector<const char*> values;
    values.reserve(restrictions.size());
    for (const VornString& value : restrictions)
        values.push_back(value.Text());
    return MakeRestrictions(values);
}

}  // namespace

VornString ValueToText(const VARIANT& value, ValueTextMode mode)
{
    ValueText text(value, mode);
    if (text.Length() == 0)
        return VornString();
    VornString result(static_cast<unsigned>(text.Length() + 1));
    result.Assign(text.Text(), text.Length());
    return result;
}

DbLink::DbLink() = default;

DbLink::~DbLink()
{
    if (recordset)
        recordset->Close();
    if (schemaRecordset)
        schemaRecordset->Close();
    if (connection)
        connection->Close();
}

bool DbLink::BuildConnection(DatabaseKind kind, const char* argument)
{
    if (!record.Build(kind, argument))
        return false;
    connectParts.Fill(argument ? argument : "", ',');
    return true;
}

void DbLink::EnsureObjects()
{
    if (!connection)
        connection = std::make_unique<Connection>();
    if (!recordset)
        recordset = std::make_unique<Recordset>();
}

void DbLink::CloseAll()
{
    if (recordset && recordset->State() == adStateOpen)
        recordset->Close();
    if (connection && connection->State() == adStateOpen)
        connection->Close();
}

int DbLink::OpenConnection()
{
    if (!connection)
        connection = std::make_unique<Connection>();
    if (FAILED(connection->Open(record.connectionString, "", "", -1))) {
        CollectConnectionErrors(connection.get());
        return 0;
    }
    return 1;
}

int DbLink::CloseConnection()
{
    if (!connection)
        return 0;
    connection->Close();
    return 1;
}

int DbLink::ExecuteText(VornString& text)
{
    if (!dblink::TrimCommand(text)) {
        ErrorText = dblink::kNoCommandText;
        return 0;
    }
    if (!connection) {
        CollectConnectionErrors(nullptr);
        return 0;
    }
    if (FAILED(connection->Execute(text, nullptr, adExecuteNoRecords))) {
        CollectConnectionErrors(connection.get());
        return 0;
    }
    return 1;
}

int DbLink::ExecuteSqlText()
{
    if (!dblink::TrimCommand(sqlText)) {
        ErrorText = dblink::kNoCommandText;
        return -1;
    }
    if (!OpenConnection())
        return -2;
    if (FAILED(connection->Execute(sqlText, nullptr, adExecuteNoRecords))) {
        CollectConnectionErrors(connection.get());
        connection->Close();
        return -2;
    }
    connection->Close();
    return 0;
}

int DbLink::ExecuteAndClassify(const char* statement, DatabaseKind kind)
{
    if (!exportConnection) {
        CollectConnectionErrors(nullptr);
        return dblink::ClassifyExecuteFailure(kind, ErrorText);
    }
    HRESULT result = exportConnection->Execute(statement ? statement : "", nullptr, adExecuteNoRecords);
    if (SUCCEEDED(result))
        return 0;
    ErrorText = SystemMessageText(result);
    if (exportConnection->Errors().Count() > 0)
        CollectConnectionErrors(exportConnection.get());
    return dblink::ClassifyExecuteFailure(kind, ErrorText);
}

Connection* DbLink::ActiveConnectionOf(const Recordset* rows) const
{
    if (!rows)
        return nullptr;
    if (Connection* active = rows->ActiveConnection())
        return active;
    if (rows == recordset.get())
        return recordsetConnection_;
    if (rows == schemaRecordset.get())
        return schemaConnection_;
    return nullptr;
}

void DbLink::CollectRecordsetErrors(const Recordset* rows)
{
    if (!rows) {
        ErrorText = dblink::kRecordsetInvalidText;
        return;
    }
    Connection* active = ActiveConnectionOf(rows);
    if (!active) {
        ErrorText = dblink::kRecordsetConnectionText;
        return;
    }
    CollectConnectionErrors(active);
}

void DbLink::CollectConnectionErrors(const Connection* source)
{
    if (!source) {
        ErrorText = dblink::kConnectionInvalidText;
        return;
    }
    ErrorText.Clear();
    const ErrorList& errors = source->Errors();
    for (long i = 0; i < errors.Count(); ++i) {
        ErrorText.Append(errors.Item(i)->Description());
        ErrorText.Append("\n");
    }
}

bool DbLink::UsesBinaryColumns() const
{
    if (definitionRows && dblink::HasBinaryColumn(*definitionRows))
        return true;
    if (definitionList) {
        for (int row = 0; row < definitionList->RowCount(); ++row)
            if (definitionList->CellText(row, kDefAdoType).Equals("128"))
                return true;
    }
    return false;
}

int DbLink::PrepareQuery(Purpose purpose)
{
    if (sqlText.IsEmpty())
        sqlText = dblink::BuildSelect(selectList, tableName, whereText, orderText);
    EnsureObjects();
    long location = dblink::CursorLocationFor(record.kind);
    if (purpose == Purpose::DataGrid && record.kind == DatabaseKind::MySql && UsesBinaryColumns())
        location = adUseServer;
    connection->SetCursorLocation(location);
    recordset->SetCursorLocation(location);
    if (FAILED(connection->Open(record.connectionString, "", "", -1))) {
        CollectRecordsetErrors(recordset.get());
        CloseAll();
        return -1;
    }
    if (recordset->State() == adStateOpen)
        recordset->Close();
    recordsetConnection_ = connection.get();
    if (FAILED(recordset->Open(sqlText, connection.get(), adOpenKeyset, adLockOptimistic, adCmdText))) {
        CollectRecordsetErrors(recordset.get());
        CloseAll();
        return -1;
    }
    if (recordset->State() == adStateClosed) {
        connection->Close();
        return -99;
    }
    return 1;
}

int DbLink::AddRows(GridView& grid, Recordset& rows, int firstColumn, ValueTextMode mode)
{
    FieldList& fields = rows.Fields();
    long count = fields.Count();
    int added = 0;
    while (added < RowLimit && !rows.Eof()) {
        grid.AddRow();
        for (long j = 0; j < count; ++j) {
            ValueText text(fields.Item(j)->Value(), mode);
            grid.SetText(firstColumn + static_cast<int>(j), text.Text());
        }
        ++added;
        if (FAILED(rows.MoveNext()))
            return -1;
    }
    // A row that cannot be read ends the rows as EOF does; only the errors tell them apart.
    Connection* active = rows.ActiveConnection();
    if (active && active->Errors().Count() > 0)
        return -1;
    return added;
}

void DbLink::Report(GridView& grid)
{
    ErrorText.Append("\n");
    ErrorText.Append(sqlText);
    ShowMessage(grid.Parent(), ErrorText);
}

void DbLink::ShowMessage(HWND owner, const char* text) const
{
    if (messageSink)
        messageSink(owner, text);
    else
        ShowWarning(owner, text);
}

int DbLink::FillQuery(GridView& grid, Purpose purpose)
{
    int prepared = PrepareQuery(purpose);
    if (prepared == -99)
        return -99;
    if (prepared < 0) {
        Report(grid);
        return -1;
    }
    bool dataGrid = purpose == Purpose::DataGrid;
    grid.Hide();
    grid.Clear();
    int firstColumn = 0;
    if (dataGrid) {
        grid.AddColumn("", 100);
        grid.AddColumn("", 100);
        firstColumn = 2;
    }
    FieldList& fields = recordset->Fields();
    for (long j = 0; j < fields.Count(); ++j)
        grid.AddColumn(fields.Item(j)->Name(), 100);
    int added = AddRows(grid, *recordset, firstColumn,
                        dataGrid ? ValueTextMode::General : ValueTextMode::IntegersByFormat);
    if (added < 0) {
        CollectRecordsetErrors(recordset.get());
        CloseAll();
        grid.Show();
        Report(grid);
        return -1;
    }
    recordCount = countRecords ? recordset->RecordCount() : -1;
    CloseAll();
    grid.AutoSizeColumns();
    if (dataGrid) {
        grid.SetColumnWidth(0, 20);
        grid.SetColumnWidth(1, 0);
    }
    grid.Show();
    return added;
}

int DbLink::FillDataGrid(GridView& grid)
{
    return FillQuery(grid, Purpose::DataGrid);
}

int DbLink::FillResultList(GridView& grid)
{
    return FillQuery(grid, Purpose::ResultList);
}

int DbLink::FillSchemaList(GridView& grid, long schema, const std::vector<VornString>* restrictions,
                           const char* sortText)
{
    if (!connection)
        connection = std::make_unique<Connection>();
    if (!schemaRecordset)
        schemaRecordset = std::make_unique<Recordset>();
    connection->SetCursorLocation(adUseClient);
    bool requested = false;
    bool shown = true;
    HRESULT result = connection->Open(record.connectionString, "", "", -1);
    if (SUCCEEDED(result)) {
        requested = true;
        schemaConnection_ = connection.get();
        if (restrictions) {
            VARIANT array = RestrictionArray(*restrictions);
            result = connection->OpenSchema(schema, &array, *schemaRecordset);
            VariantClear(&array);
        } else {
            result = connection->OpenSchema(schema, nullptr, *schemaRecordset);
        }
    }
    if (SUCCEEDED(result) && sortText && *sortText) {
        result = schemaRecordset->SetSort(sortText);
        if (SUCCEEDED(result))
            result = schemaRecordset->MoveFirst();
    }
    int added = -1;
    if (SUCCEEDED(result)) {
        grid.Hide();
        shown = false;
        grid.Clear();
        FieldList& fields = schemaRecordset->Fields();
        for (long j = 0; j < fields.Count(); ++j)
            grid.AddColumn(fields.Item(j)->Name(), 100);
        added = AddRows(grid, *schemaRecordset, 0, ValueTextMode::IntegersByFormat);
    }
    if (added < 0) {
        ErrorText.Clear();
        if (requested)
            CollectConnectionErrors(ActiveConnectionOf(schemaRecordset.get()));
        else
            ErrorText = dblink::kSchemaFailedText;
        if (schemaRecordset->State() == adStateOpen)
            schemaRecordset->Close();
        if (connection->State() == adStateOpen)
            connection->Close();
        if (!shown)
            grid.Show();
        Report(grid);
        return -1;
    }
    recordCount = schemaRecordset->RecordCount();
    schemaRecordset->Close();
    connection->Close();
    grid.AutoSizeColumns();
    grid.Show();
    return added;
}

int DbLink::OpenQueryForCsv()
{
    int prepared = PrepareQuery(Purpose::CsvQuery);
    if (prepared == -1) {
        ErrorText.Append("\n");
        ErrorText.Append(sqlText);
    }
    return prepared;
}

void DbLink::CloseQuery()
{
    if (recordset && recordset->State() == adStateOpen)
        recordCount = recordset->RecordCount();
    CloseAll();
}
