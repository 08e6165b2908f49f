#include "Database.h"

#include <cstdio>
#include <vector>

#include "DatabaseText.h"
#include "ListResult.h"
#include "db/ConnectionRecord.h"
#include "db/DbLink.h"
#include "db/DbLinkText.h"

namespace vorn {

namespace {

const char kNotConnected[] = "接続が閉じています";
const char kNoCurrentRow[] = "現在のレコードがありません";
const char kNoSuchField[] = "指定されたフィールドがありません";
const char kWrongMaxType[] = "ERROR:nMaxに対するデータ型に誤りがあります";
const char kNeedsNumber[] = "ERROR:引数には数値を指定して下さい";
const char kLogOpenFailed[] = "ERROR:ログファイルのオープンに失敗しました";
const char kFileOpenFailed[] = "ERROR:ファイルのオープンに失敗しました";
const char kSqlErrors[] = "ERROR:SQLエラー有";

// The argument's own value (scripts pass variables by reference); false when it cannot be
// read, with the failure in hr.
bool ValueOf(const VARIANT& argument, VARIANT& value, HRESULT& hr)
{
    VariantInit(&value);
    hr = VariantCopyInd(&value, const_cast<VARIANT*>(&argument));
    if (FAILED(hr))
        hr = Fail(hr);
    return SUCCEEDED(hr);
}

// The log line of a failed statement: one line whatever the driver's message held.
void WriteLogLine(FILE* log, const char* text)
{
    VornString line(text);
    line.ReplaceAll("\r", "");
    line.ReplaceAll("\n", " ");
    std::fputs(line.Text(), log);
    std::fputs("\n", log);
}

}  // namespace

DatabaseObject::~DatabaseObject()
{
    recordset_.Close();
    connection_.Close();
}

void DatabaseObject::KeepConnectionErrors(HRESULT failure)
{
    errorText_.Clear();
    const ErrorList& errors = connection_.Errors();
    for (long i = 0; i < errors.Count(); ++i) {
        if (i > 0)
            errorText_.Append("\n");
        errorText_.Append(errors.Item(i)->Description());
    }
    // A failure must never read as the empty text of success.
    if (errorText_.IsEmpty())
        errorText_ = SystemMessageText(failure);
}

HRESULT DatabaseObject::ReturnError(BSTR* out)
{
    VornString text("ERROR:");
    text.Append(errorText_);
    return ReturnText(text, out);
}

STDMETHODIMP DatabaseObject::Connect(LONG nType, BSTR Target, BSTR* pVal)
{
    DisConnect();
    kind_ = nType;
    TextOf(Target, target_);
    connectionString_ = ScriptConnectionString(kind_, target_);
    upperUser_.Clear();
    if (kind_ == static_cast<long>(DatabaseKind::Oracle)) {
        upperUser_ = ConnectArgument::Parse(DatabaseKind::Oracle, target_).user;
        upperUser_.UpperCase();
    }
    errorText_.Clear();
    HRESULT hr = connection_.Open(connectionString_);
    if (FAILED(hr))
        KeepConnectionErrors(hr);
    return ReturnText(errorText_, pVal);
}

STDMETHODIMP DatabaseObject::DisConnect()
{
    recordset_.Close();
    fieldCount_ = 0;
    connection_.Close();
    return S_OK;
}

bool DatabaseObject::OpenRows(const char* text, Recordset& rows)
{
    if (connection_.State() != ado::adStateOpen) {
        errorText_ = kNotConnected;
        return false;
    }
    bool jet = kind_ == static_cast<long>(DatabaseKind::Excel) || kind_ == static_cast<long>(DatabaseKind::Mdb);
    rows.SetCursorLocation(jet ? ado::adUseServer : ado::adUseClient);
    HRESULT hr = rows.Open(text, &connection_, ado::adOpenKeyset, ado::adLockOptimistic, ado::adCmdText);
    if (SUCCEEDED(hr))
        return true;
    KeepConnectionErrors(hr);
    return false;
}

STDMETHODIMP DatabaseObject::LoadSqlData(BSTR Query, VARIANT nMax, VARIANT bClipboard, BSTR* pVal)
{
    long maxRows = 50;
    VARIANT given;
    HRESULT hr = S_OK;
    if (!ValueOf(nMax, given, hr))
        return hr;
    if (given.vt == VT_I2)
        maxRows = given.iVal;
    else if (given.vt == VT_I4)
        maxRows = given.lVal;
    else if (given.vt != VT_ERROR) {
        VariantClear(&given);
        return ReturnText(kWrongMaxType, pVal);
    }
    ListOptions options;
    hr = OptionalBool(bClipboard, options.crLf);
    if (FAILED(hr))
        return hr;
    Recordset rows;
    if (!OpenRows(TextOf(Query), rows))
        return ReturnError(pVal);
    ListTable table;
    FieldList& fields = rows.Fields();
    for (long c = 0; c < fields.Count(); ++c)
        table.AddColumn(fields.Item(c)->Name());
    for (long n = 0; n < maxRows && rows.State() == ado::adStateOpen && !rows.Eof(); ++n) {
        std::vector<VornString> cells;
        for (long c = 0; c < fields.Count(); ++c)
            cells.push_back(ValueToText(fields.Item(c)->Value(), ValueTextMode::IntegersByFormat));
        table.AddCells(std::move(cells));
        rows.MoveNext();
    }
    return ReturnList(table, options, pVal);
}

STDMETHODIMP DatabaseObject::Query(VARIANT Query, LONG* pVal)
{
    VornString text;
    HRESULT hr = OptionalText(Query, text);
    if (FAILED(hr))
        return hr;
    if (!text.IsEmpty()) {
        CloseRecordset();
        if (!OpenRows(text, recordset_))
            return ReturnLong(0, pVal);
        if (recordset_.State() != ado::adStateOpen)
            return ReturnLong(-1, pVal);
        fieldCount_ = recordset_.Fields().Count();
        return ReturnLong(recordset_.Eof() ? 0 : -1, pVal);
    }
    if (recordset_.State() != ado::adStateOpen) {
        errorText_ = dblink::kRecordsetInvalidText;
        return ReturnLong(0, pVal);
    }
    recordset_.MoveNext();
    return ReturnLong(recordset_.Eof() ? 0 : -1, pVal);
}

STDMETHODIMP DatabaseObject::CloseRecordset()
{
    recordset_.Close();
    fieldCount_ = 0;
    return S_OK;
}

Field* DatabaseObject::FieldOf(const VARIANT& argument, HRESULT& hr)
{
    VARIANT value;
    if (!ValueOf(argument, value, hr))
        return nullptr;
    Field* field = nullptr;
    if (recordset_.State() != ado::adStateOpen) {
        errorText_ = dblink::kRecordsetInvalidText;
    } else if (value.vt == VT_ERROR) {
        field = recordset_.Fields().Item(0L);
    } else if (value.vt == VT_BSTR) {
        field = recordset_.Fields().Item(TextOf(value.bstrVal));
    } else {
        VARIANT index;
        VariantInit(&index);
        hr = VariantChangeType(&index, &value, 0, VT_I4);
        if (FAILED(hr))
            hr = Fail(hr);
        else
            field = recordset_.Fields().Item(index.lVal);
    }
    VariantClear(&value);
    if (!field && SUCCEEDED(hr) && recordset_.State() == ado::adStateOpen)
        errorText_ = kNoSuchField;
    return field;
}

STDMETHODIMP DatabaseObject::GetText(VARIANT Field, BSTR* pVal)
{
    HRESULT hr = S_OK;
    class Field* field = FieldOf(Field, hr);
    if (FAILED(hr))
        return hr;
    if (!field)
        return ReturnError(pVal);
    if (recordset_.Eof()) {
        errorText_ = kNoCurrentRow;
        return ReturnError(pVal);
    }
    return ReturnText(ValueToText(field->Value(), ValueTextMode::General), pVal);
}

STDMETHODIMP DatabaseObject::GetName(VARIANT Field, BSTR* pVal)
{
    VARIANT value;
    HRESULT hr = S_OK;
    if (!ValueOf(Field, value, hr))
        return hr;
    bool number = value.vt != VT_ERROR && value.vt != VT_BSTR;
    VariantClear(&value);
    if (!number)
        return ReturnText(kNeedsNumber, pVal);
    class Field* field = FieldOf(Field, hr);
    if (FAILED(hr))
        return hr;
    if (!field)
        return ReturnError(pVal);
    return ReturnText(field->Name(), pVal);
}

STDMETHODIMP DatabaseObject::get_FieldCount(LONG* pVal) { return ReturnLong(fieldCount_, pVal); }

STDMETHODIMP DatabaseObject::Execute(BSTR QueryPath, VARIANT LogPath, BSTR* pVal)
{
    VornString logPath;
    bool logged = false;
    HRESULT hr = OptionalText(LogPath, logPath, &logged);
    if (FAILED(hr))
        return hr;
    FILE* log = nullptr;
    if (logged && !(log = std::fopen(logPath, "a")))
        return ReturnText(kLogOpenFailed, pVal);
    VornString path = TextOf(QueryPath);
    FILE* script = std::fopen(path, "r");
    if (!script) {
        if (log) {
            WriteLogLine(log, path);
            std::fclose(log);
        }
        return ReturnText(kFileOpenFailed, pVal);
    }
    VornString result;
    ForEachStatement(script, [&](const VornString& statement) {
        HRESULT failure = connection_.Execute(statement, nullptr, ado::adCmdText | ado::adExecuteNoRecords);
        if (SUCCEEDED(failure))
            return;
        result = kSqlErrors;
        KeepConnectionErrors(failure);
        if (log)
            WriteLogLine(log, errorText_);
    });
    std::fclose(script);
    if (log)
        std::fclose(log);
    return ReturnText(result, pVal);
}

}  // namespace vorn
