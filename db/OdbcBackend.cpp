#include "OdbcBackend.h"

#include "../common/SjisText.h"
#include "AdoConstants.h"
#include "ConnectionStringTranslation.h"
#include "OdbcTypeMap.h"

#include <cmath>
#include <cstring>
#include <string>

namespace odbc {

std::string ToDriver(const char* text, UINT codePage)
{
    if (codePage == 932 || !text)
        return text ? text : "";
    int wide = MultiByteToWideChar(932, 0, text, -1, nullptr, 0);
    std::wstring w(wide > 0 ? wide : 1, L'\0');
    MultiByteToWideChar(932, 0, text, -1, &w[0], wide);
    int bytes = WideCharToMultiByte(codePage, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(bytes > 0 ? bytes : 1, '\0');
    WideCharToMultiByte(codePage, 0, w.c_str(), -1, &out[0], bytes, nullptr, nullptr);
    out.resize(strlen(out.c_str()));
    return out;
}

std::string FromDriver(const char* text, size_t length, UINT codePage)
{
    if (codePage == 932 || !length)
        return std::string(text, length);
    int wide = MultiByteToWideChar(codePage, 0, text, static_cast<int>(length), nullptr, 0);
    std::wstring w(wide, L'\0');
    MultiByteToWideChar(codePage, 0, text, static_cast<int>(length), &w[0], wide);
    int bytes = WideCharToMultiByte(932, 0, w.c_str(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(bytes, '\0');
    WideCharToMultiByte(932, 0, w.c_str(), wide, &out[0], bytes, nullptr, nullptr);
    return out;
}

void CollectDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, ErrorList& errors, UINT codePage)
{
    if (!handle)
        return;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = "";
        SQLCHAR text[SQL_MAX_MESSAGE_LENGTH + 1] = "";
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRec(handleType, handle, record, state, &native, text, sizeof text, &length);
        if (!SQL_SUCCEEDED(rc))
            break;
        std::string message = FromDriver(reinterpret_cast<char*>(text), strlen(reinterpret_cast<char*>(text)), codePage);
        errors.Add(message.c_str(), reinterpret_cast<char*>(state), native);
    }
}

bool Check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, ErrorList& errors, UINT codePage)
{
    if (SQL_SUCCEEDED(rc))
        return true;
    long before = errors.Count();
    CollectDiagnostics(handleType, handle, errors, codePage);
    if (errors.Count() == before)
        errors.Add(rc == SQL_INVALID_HANDLE ? "ODBC: invalid handle" : "ODBC: the call failed without a diagnostic");
    return false;
}

StatementRows::StatementRows(SQLHSTMT statement, bool ownsStatement, UINT codePage)
    : statement_(statement), ownsStatement_(ownsStatement), codePage_(codePage) {}

StatementRows::~StatementRows()
{
    if (!statement_)
        return;
    if (ownsStatement_)
        SQLFreeHandle(SQL_HANDLE_STMT, statement_);
    else
        SQLFreeStmt(statement_, SQL_CLOSE);
}

bool StatementRows::Describe(ErrorList& errors)
{
    SQLSMALLINT count = 0;
    if (!Check(SQLNumResultCols(statement_, &count), SQL_HANDLE_STMT, statement_, errors, codePage_))
        return false;
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
        SQLCHAR name[512] = "";
        SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = SQL_NULLABLE_UNKNOWN;
        SQLULEN size = 0;
        if (!Check(SQLDescribeCol(statement_, i, name, sizeof name, &nameLength, &sqlType, &size, &digits, &nullable),
                   SQL_HANDLE_STMT, statement_, errors, codePage_))
            return false;
        SQLLEN isUnsigned = SQL_FALSE, fixedPrecScale = SQL_FALSE, autoUnique = SQL_FALSE;
        SQLLEN updatable = SQL_ATTR_READWRITE_UNKNOWN;
        SQLColAttribute(statement_, i, SQL_DESC_UNSIGNED, nullptr, 0, nullptr, &isUnsigned);
        SQLColAttribute(statement_, i, SQL_DESC_FIXED_PREC_SCALE, nullptr, 0, nullptr, &fixedPrecScale);
        SQLColAttribute(statement_, i, SQL_DESC_AUTO_UNIQUE_VALUE, nullptr, 0, nullptr, &autoUnique);
        SQLColAttribute(statement_, i, SQL_DESC_UPDATABLE, nullptr, 0, nullptr, &updatable);
        // Character and binary types report SQL_DESC_UNSIGNED true in some drivers.
        bool integral = sqlType == SQL_TINYINT || sqlType == SQL_SMALLINT || sqlType == SQL_INTEGER ||
                        sqlType == SQL_BIGINT;
        ColumnInfo info;
        info.name.Assign(FromDriver(reinterpret_cast<char*>(name), strlen(reinterpret_cast<char*>(name)), codePage_).c_str());
        info.type = odbcmap::AdoTypeFromSqlType(sqlType, integral && isUnsigned == SQL_TRUE,
                                                fixedPrecScale == SQL_TRUE);
        info.definedSize = odbcmap::DefinedSizeFor(info.type, static_cast<long>(size));
        info.precision = odbcmap::PrecisionFor(info.type, static_cast<long>(size));
        info.numericScale = odbcmap::NumericScaleFor(info.type, digits);
        info.attributes = odbcmap::FieldAttributesFor(info.type, nullable, static_cast<int>(updatable),
                                                      autoUnique == SQL_TRUE);
        columns_.push_back(info);
        sqlTypes_.push_back(sqlType);
    }
    SQLLEN rows = -1;
    if (SQL_SUCCEEDED(SQLRowCount(statement_, &rows)) && rows >= 0)
        knownRows_ = static_cast<long>(rows);
    return true;
}

int StatementRows::Fetch(VariantRow& row, ErrorList& errors)
{
    SQLRETURN rc = SQLFetch(statement_);
    if (rc == SQL_NO_DATA)
        return 0;
    if (!Check(rc, SQL_HANDLE_STMT, statement_, errors, codePage_))
        return -1;
    row.clear();
    row.resize(columns_.size());
    for (size_t i = 0; i < columns_.size(); ++i)
        if (!ReadValue(static_cast<SQLUSMALLINT>(i + 1), row[i], errors))
            return -1;
    return 1;
}

namespace {

// Reads a character or binary value in pieces; false on failure, null set for NULL.
bool ReadChunks(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType, std::string& data, bool& null,
                ErrorList& errors, UINT codePage_)
{
    char buffer[8192];
    null = false;
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN rc = SQLGetData(statement, column, cType, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        if (!Check(rc, SQL_HANDLE_STMT, statement, errors, codePage_))
            return false;
        if (indicator == SQL_NULL_DATA) {
            null = true;
            return true;
        }
        bool binary = cType == SQL_C_BINARY;
        size_t room = binary ? sizeof buffer : sizeof buffer - 1;
        if (rc == SQL_SUCCESS_WITH_INFO && (indicator == SQL_NO_TOTAL || static_cast<size_t>(indicator) > room)) {
            // A driver may stop a piece short of a split double-byte character.
            data.append(buffer, binary ? room : strnlen(buffer, room));
            continue;
        }
        data.append(buffer, static_cast<size_t>(indicator));
        return true;
    }
}

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    int n = MultiByteToWideChar(932, 0, text.c_str(), static_cast<int>(text.size()), &wide[0],
                                static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

double DateSerial(int year, int month, int day, int hour, int minute, int second, unsigned fraction)
{
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    double serial = 0;
    if (!SystemTimeToVariantTime(&time, &serial))
        return 0;
    double extra = fraction / 1e9 / 86400.0;
    return serial >= 0 ? serial + extra : serial - extra;
}

template <typename T>
bool ReadFixed(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType, T& value, bool& null, ErrorList& errors)
{
    SQLLEN indicator = 0;
    if (!Check(SQLGetData(statement, column, cType, &value, sizeof value, &indicator), SQL_HANDLE_STMT, statement,
               errors))
        return false;
    null = indicator == SQL_NULL_DATA;
    return true;
}

}  // namespace

bool StatementRows::ReadValue(SQLUSMALLINT column, Variant& value, ErrorList& errors)
{
    using namespace ado;
    long type = columns_[column - 1].type;
    VARIANT& v = value.Get();
    bool null = false;
    switch (type) {
    case adSmallInt: {
        SQLSMALLINT x = 0;
        if (!ReadFixed(statement_, column, SQL_C_SSHORT, x, null, errors)) return false;
        v.vt = VT_I2; v.iVal = x;
        break;
    }
    case adUnsignedSmallInt: {
        SQLUSMALLINT x = 0;
        if (!ReadFixed(statement_, column, SQL_C_USHORT, x, null, errors)) return false;
        v.vt = VT_UI2; v.uiVal = x;
        break;
    }
    case adInteger: {
        SQLINTEGER x = 0;
        if (!ReadFixed(statement_, column, SQL_C_SLONG, x, null, errors)) return false;
        v.vt = VT_I4; v.lVal = x;
        break;
    }
    case adUnsignedInt: {
        SQLUINTEGER x = 0;
        if (!ReadFixed(statement_, column, SQL_C_ULONG, x, null, errors)) return false;
        v.vt = VT_UI4; v.ulVal = x;
        break;
    }
    case adTinyInt: {
        SQLSCHAR x = 0;
        if (!ReadFixed(statement_, column, SQL_C_STINYINT, x, null, errors)) return false;
        v.vt = VT_I1; v.cVal = x;
        break;
    }
    case adUnsignedTinyInt: {
        SQLCHAR x = 0;
        if (!ReadFixed(statement_, column, SQL_C_UTINYINT, x, null, errors)) return false;
        v.vt = VT_UI1; v.bVal = x;
        break;
    }
    case adBigInt: {
        SQLBIGINT x = 0;
        if (!ReadFixed(statement_, column, SQL_C_SBIGINT, x, null, errors)) return false;
        v.vt = VT_I8; v.llVal = x;
        break;
    }
    case adUnsignedBigInt: {
        SQLUBIGINT x = 0;
        if (!ReadFixed(statement_, column, SQL_C_UBIGINT, x, null, errors)) return false;
        v.vt = VT_UI8; v.ullVal = x;
        break;
    }
    case adSingle: {
        SQLREAL x = 0;
        if (!ReadFixed(statement_, column, SQL_C_FLOAT, x, null, errors)) return false;
        v.vt = VT_R4; v.fltVal = x;
        break;
    }
    case adDouble: {
        SQLDOUBLE x = 0;
        if (!ReadFixed(statement_, column, SQL_C_DOUBLE, x, null, errors)) return false;
        v.vt = VT_R8; v.dblVal = x;
        break;
    }
    case adBoolean: {
        SQLCHAR x = 0;
        if (!ReadFixed(statement_, column, SQL_C_BIT, x, null, errors)) return false;
        v.vt = VT_BOOL; v.boolVal = x ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case adDBDate:
    case adDBTimeStamp: {
        SQL_TIMESTAMP_STRUCT x = {};
        if (!ReadFixed(statement_, column, SQL_C_TYPE_TIMESTAMP, x, null, errors)) return false;
        v.vt = VT_DATE;
        v.date = DateSerial(x.year, x.month, x.day, x.hour, x.minute, x.second, x.fraction);
        break;
    }
    case adDBTime: {
        SQL_TIME_STRUCT x = {};
        if (!ReadFixed(statement_, column, SQL_C_TYPE_TIME, x, null, errors)) return false;
        v.vt = VT_DATE;
        v.date = (x.hour * 3600.0 + x.minute * 60.0 + x.second) / 86400.0;
        break;
    }
    case adBinary:
    case adVarBinary:
    case adLongVarBinary: {
        std::string data;
        if (!ReadChunks(statement_, column, SQL_C_BINARY, data, null, errors, codePage_)) return false;
        if (!null) value = Variant::Bytes(data.data(), data.size());
        break;
    }
    default: {
        std::string data;
        if (!ReadChunks(statement_, column, SQL_C_CHAR, data, null, errors, codePage_)) return false;
        if (null) break;
        if (type == adNumeric || type == adCurrency) {
            std::wstring wide = Wide(data);
            // The driver writes numbers the C way; 0x409 reads the '.' as the decimal point.
            if (type == adCurrency && SUCCEEDED(VarCyFromStr(&wide[0], 0x409, 0, &v.cyVal))) {
                v.vt = VT_CY;
                break;
            }
            if (SUCCEEDED(VarDecFromStr(&wide[0], 0x409, 0, &v.decVal))) {
                v.vt = VT_DECIMAL;
                break;
            }
            if (SUCCEEDED(VarR8FromStr(&wide[0], 0x409, 0, &v.dblVal))) {
                v.vt = VT_R8;
                break;
            }
        }
        if (type == adGUID && !data.empty() && data[0] != '{')
            data = "{" + data + "}";
        value = Variant::Text(data.c_str(), data.size(), codePage_);
        break;
    }
    }
    if (null) {
        VariantClear(&v);
        v.vt = VT_NULL;
    }
    return true;
}

}  // namespace odbc

using odbc::Check;

namespace {

class OdbcPrepared : public PreparedStatement {
public:
    OdbcPrepared(SQLHSTMT statement, UINT codePage) : statement_(statement), codePage_(codePage) {}
    ~OdbcPrepared() override { SQLFreeHandle(SQL_HANDLE_STMT, statement_); }
    HRESULT Execute(std::unique_ptr<RowSource>& rows, long* affected, ErrorList& errors) override
    {
        SQLFreeStmt(statement_, SQL_CLOSE);
        SQLRETURN rc = SQLExecute(statement_);
        if (rc != SQL_NO_DATA && !Check(rc, SQL_HANDLE_STMT, statement_, errors, codePage_))
            return E_FAIL;
        SQLLEN count = -1;
        if (affected && SQL_SUCCEEDED(SQLRowCount(statement_, &count)))
            *affected = static_cast<long>(count);
        SQLSMALLINT columns = 0;
        SQLNumResultCols(statement_, &columns);
        if (columns > 0) {
            auto result = std::make_unique<odbc::StatementRows>(statement_, false, codePage_);
            if (!result->Describe(errors))
                return E_FAIL;
            rows = std::move(result);
        }
        return S_OK;
    }

private:
    SQLHSTMT statement_;
    UINT codePage_;
};

}  // namespace

OdbcBackend::~OdbcBackend()
{
    Close();
}

HRESULT OdbcBackend::Open(const char* connectionString, ErrorList& errors)
{
    Close();
    if (!TranslateConnectionString(connectionString, odbcString_)) {
        errors.Add("Provider cannot be found. It may not be properly installed.");
        return 0x800A0E7A;  // adErrProviderNotFound
    }
    if (!Check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_), SQL_HANDLE_ENV, env_, errors))
        return E_FAIL;
    SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!Check(SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_), SQL_HANDLE_ENV, env_, errors)) {
        Close();
        return E_FAIL;
    }
    codePage_ = 932;
    if (!Connect(odbcString_, errors)) {
        Close();
        return E_FAIL;
    }
    // MariaDB Connector/ODBC scans statement text byte by byte and takes Shift_JIS trail
    // bytes 0x60 and 0x5C for a back-quote and an escape (伝 is 93 60, 表 is 95 5C): the
    // statement is then cut without any diagnostic. Its text travels as UTF-8 instead,
    // which has no ASCII bytes inside characters; the program still sees code page 932.
    char driver[128] = "";
    SQLSMALLINT driverLength = 0;
    SQLGetInfo(dbc_, SQL_DRIVER_NAME, driver, sizeof driver, &driverLength);
    if (sjis::Find(driver, "maodbc", true) >= 0 || sjis::Find(driver, "myodbc", true) >= 0) {
        SQLDisconnect(dbc_);
        VornString utf8(odbcString_);
        if (!utf8.IsEmpty() && !sjis::EndsWithChar(utf8, ';'))
            utf8.Append(";");
        utf8.Append("CHARSET=utf8mb4;");
        codePage_ = CP_UTF8;
        if (!Connect(utf8, errors)) {
            Close();
            return E_FAIL;
        }
    }
    return S_OK;
}

bool OdbcBackend::Connect(const char* odbcText, ErrorList& errors)
{
    std::string text = odbc::ToDriver(odbcText, codePage_);
    SQLCHAR out[2048];
    SQLSMALLINT outLength = 0;
    SQLRETURN rc = SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(&text[0]), SQL_NTS, out, sizeof out,
                                    &outLength, SQL_DRIVER_NOPROMPT);
    return Check(rc, SQL_HANDLE_DBC, dbc_, errors, codePage_);
}

void OdbcBackend::Close()
{
    if (dbc_) {
        SQLDisconnect(dbc_);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        dbc_ = SQL_NULL_HDBC;
    }
    if (env_) {
        SQLFreeHandle(SQL_HANDLE_ENV, env_);
        env_ = SQL_NULL_HENV;
    }
}

SQLHSTMT OdbcBackend::NewStatement(ErrorList& errors)
{
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!dbc_) {
        errors.Add("接続が閉じています");
        return SQL_NULL_HSTMT;
    }
    if (!Check(SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &statement), SQL_HANDLE_DBC, dbc_, errors))
        return SQL_NULL_HSTMT;
    return statement;
}

HRESULT OdbcBackend::Execute(const char* text, bool wantRows, std::unique_ptr<RowSource>& rows, long* affected,
                             ErrorList& errors)
{
    SQLHSTMT statement = NewStatement(errors);
    if (!statement)
        return E_FAIL;
    std::string driverText = odbc::ToDriver(text, codePage_);
    SQLRETURN rc = SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(&driverText[0]), SQL_NTS);
    if (rc != SQL_NO_DATA && !Check(rc, SQL_HANDLE_STMT, statement, errors, codePage_)) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return E_FAIL;
    }
    SQLLEN count = -1;
    if (affected && SQL_SUCCEEDED(SQLRowCount(statement, &count)))
        *affected = static_cast<long>(count);
    SQLSMALLINT columns = 0;
    SQLNumResultCols(statement, &columns);
    if (columns > 0 && wantRows) {
        auto result = std::make_unique<odbc::StatementRows>(statement, true, codePage_);
        if (!result->Describe(errors))
            return E_FAIL;
        rows = std::move(result);
        return S_OK;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return S_OK;
}

HRESULT OdbcBackend::Prepare(const char* text, std::unique_ptr<PreparedStatement>& prepared, ErrorList& errors)
{
    SQLHSTMT statement = NewStatement(errors);
    if (!statement)
        return E_FAIL;
    std::string driverText = odbc::ToDriver(text, codePage_);
    if (!Check(SQLPrepare(statement, reinterpret_cast<SQLCHAR*>(&driverText[0]), SQL_NTS), SQL_HANDLE_STMT,
               statement, errors)) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return E_FAIL;
    }
    prepared = std::make_unique<OdbcPrepared>(statement, codePage_);
    return S_OK;
}

HRESULT OdbcBackend::BeginTrans(ErrorList& errors)
{
    if (!dbc_) return E_FAIL;
    SQLRETURN rc = SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF),
                                     SQL_IS_UINTEGER);
    return Check(rc, SQL_HANDLE_DBC, dbc_, errors) ? S_OK : E_FAIL;
}

HRESULT OdbcBackend::EndTransaction(SQLSMALLINT completion, ErrorList& errors)
{
    if (!dbc_) return E_FAIL;
    bool ended = Check(SQLEndTran(SQL_HANDLE_DBC, dbc_, completion), SQL_HANDLE_DBC, dbc_, errors);
    SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER);
    return ended ? S_OK : E_FAIL;
}

HRESULT OdbcBackend::CommitTrans(ErrorList& errors)
{
    return EndTransaction(SQL_COMMIT, errors);
}

HRESULT OdbcBackend::RollbackTrans(ErrorList& errors)
{
    return EndTransaction(SQL_ROLLBACK, errors);
}
