#include "AdoConnection.h"

#include "../common/SjisText.h"
#include "AdoRecordset.h"
#include "OdbcBackend.h"

namespace {
std::shared_ptr<Backend>& DefaultBackend()
{
    static std::shared_ptr<Backend> backend;
    return backend;
}

std::shared_ptr<Backend> NewDefaultBackend()
{
    if (DefaultBackend())
        return DefaultBackend();
    return std::make_shared<OdbcBackend>();
}

const HRESULT kClosedError = 0x800A0E78;  // ADO's adErrObjectClosed
}  // namespace

std::shared_ptr<Backend> Connection::SetDefaultBackend(std::shared_ptr<Backend> backend)
{
    std::shared_ptr<Backend> previous = DefaultBackend();
    DefaultBackend() = std::move(backend);
    return previous;
}

Connection::Connection() : backend_(NewDefaultBackend()) {}

Connection::~Connection()
{
    Close();
}

bool Connection::SetBackend(std::shared_ptr<Backend> backend)
{
    if (open_)
        return false;
    backend_ = backend ? std::move(backend) : std::make_shared<OdbcBackend>();
    return true;
}

HRESULT Connection::Open(const char* connectionString, const char* user, const char* password, long)
{
    errors_.Clear();
    if (open_)
        Close();
    connectionString_ = connectionString ? connectionString : "";
    VornString full(connectionString_);
    if (user && *user) {
        if (!full.IsEmpty() && !sjis::EndsWithChar(full, ';')) full.Append(";");
        full.AppendFormat("UID=%s;", user);
    }
    if (password && *password) {
        if (!full.IsEmpty() && !sjis::EndsWithChar(full, ';')) full.Append(";");
        full.AppendFormat("PWD=%s;", password);
    }
    HRESULT hr = backend_->Open(full, errors_);
    open_ = SUCCEEDED(hr);
    transactionLevel_ = 0;
    return hr;
}

HRESULT Connection::Close()
{
    if (!open_)
        return kClosedError;
    backend_->Close();
    open_ = false;
    transactionLevel_ = 0;
    return S_OK;
}

HRESULT Connection::Execute(const char* text, long* recordsAffected, long options, Recordset* result)
{
    errors_.Clear();
    if (recordsAffected) *recordsAffected = -1;
    if (!open_) {
        errors_.Add("接続が閉じています");
        return kClosedError;
    }
    bool wantRows = result && !(options & ado::adExecuteNoRecords);
    std::unique_ptr<RowSource> rows;
    HRESULT hr = backend_->Execute(text ? text : "", wantRows, rows, recordsAffected, errors_);
    if (SUCCEEDED(hr) && result && rows)
        result->Attach(std::move(rows), this, ado::adOpenForwardOnly, text);
    return hr;
}

HRESULT Connection::BeginTrans(long* level)
{
    errors_.Clear();
    if (!open_) return kClosedError;
    HRESULT hr = backend_->BeginTrans(errors_);
    if (SUCCEEDED(hr)) ++transactionLevel_;
    if (level) *level = transactionLevel_;
    return hr;
}

HRESULT Connection::CommitTrans()
{
    errors_.Clear();
    if (!open_) return kClosedError;
    HRESULT hr = backend_->CommitTrans(errors_);
    if (SUCCEEDED(hr) && transactionLevel_ > 0) --transactionLevel_;
    return hr;
}

HRESULT Connection::RollbackTrans()
{
    errors_.Clear();
    if (!open_) return kClosedError;
    HRESULT hr = backend_->RollbackTrans(errors_);
    if (SUCCEEDED(hr) && transactionLevel_ > 0) --transactionLevel_;
    return hr;
}

HRESULT Connection::OpenSchema(long schema, const VARIANT* restrictions, Recordset& result)
{
    errors_.Clear();
    result.Close();
    if (!open_) {
        errors_.Add("接続が閉じています");
        return kClosedError;
    }
    std::vector<Variant> values;
    if (restrictions && restrictions->vt == (VT_ARRAY | VT_VARIANT) && restrictions->parray) {
        SAFEARRAY* array = restrictions->parray;
        LONG lower = 0, upper = -1;
        SafeArrayGetLBound(array, 1, &lower);
        SafeArrayGetUBound(array, 1, &upper);
        for (LONG i = lower; i <= upper; ++i) {
            Variant element;
            SafeArrayGetElement(array, &i, &element.Get());
            values.push_back(std::move(element));
        }
    } else if (restrictions && restrictions->vt != VT_EMPTY && restrictions->vt != VT_ERROR) {
        errors_.Add("制限は配列で指定してください");
        return E_INVALIDARG;
    }
    std::unique_ptr<RowSource> rows;
    HRESULT hr = backend_->OpenSchema(schema, values, rows, errors_);
    if (SUCCEEDED(hr) && rows)
        result.Attach(std::move(rows), this, ado::adOpenStatic, "");
    return hr;
}

HRESULT Connection::OpenSchema(long schema, const std::vector<const char*>& restrictions, Recordset& result)
{
    VARIANT array = MakeRestrictions(restrictions);
    HRESULT hr = OpenSchema(schema, &array, result);
    VariantClear(&array);
    return hr;
}

VARIANT MakeRestrictions(const std::vector<const char*>& values)
{
    VARIANT result;
    VariantInit(&result);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(values.size()));
    if (!array)
        return result;
    for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) {
        Variant element;
        if (values[i] && *values[i])
            element = Variant::Text(values[i]);
        SafeArrayPutElement(array, &i, &element.Get());
    }
    result.vt = VT_ARRAY | VT_VARIANT;
    result.parray = array;
    return result;
}

HRESULT Command::Prepare(const char* text)
{
    connection_.MutableErrors().Clear();
    statement_.reset();
    if (connection_.State() != ado::adStateOpen) {
        connection_.MutableErrors().Add("接続が閉じています");
        return kClosedError;
    }
    return connection_.GetBackend()->Prepare(text ? text : "", statement_, connection_.MutableErrors());
}

HRESULT Command::Execute(long* recordsAffected, Recordset* result)
{
    connection_.MutableErrors().Clear();
    if (recordsAffected) *recordsAffected = -1;
    if (!statement_) {
        connection_.MutableErrors().Add("コマンドが準備されていません");
        return E_FAIL;
    }
    std::unique_ptr<RowSource> rows;
    HRESULT hr = statement_->Execute(rows, recordsAffected, connection_.MutableErrors());
    if (SUCCEEDED(hr) && result && rows)
        result->Attach(std::move(rows), &connection_, ado::adOpenForwardOnly, "");
    return hr;
}
