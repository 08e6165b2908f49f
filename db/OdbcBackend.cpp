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

StatementRows::StatementRows(SQLHSTMT statement, bool ownsStatement, UINT codePage, SQLUINTEGER getDataExtensions)
    : statement_(statement), ownsStatement_(ownsStatement), codePage_(codePage), getDataExtensions_(getDataExtensions)
{
}

StatementRows::~StatementRows()
{
    if (!statement_)
        return;
    if (ownsStatement_) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement_);
        return;
    }
    SQLFreeStmt(statement_, SQL_CLOSE);
    // The buffers go with this object; the statement lives on.
    if (bound_)
        SQLFreeStmt(statement_, SQL_UNBIND);
}

bool StatementRows::Describe(ErrorList& errors)
{
    SQLSMALLINT count = 0;
    if (!Check(SQLNumResultCols(statement_, &count), SQL_HANDLE_STMT, statement_, errors, codePage_))
        return false;
    std::vector<SQLULEN> sizes;
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
        sizes.push_back(size);
    }
    SQLLEN rows = -1;
    if (SQL_SUCCEEDED(SQLRowCount(statement_, &rows)) && rows >= 0)
        knownRows_ = static_cast<long>(rows);
    Bind(sizes);
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

std::wstring Wide(const char* text, size_t length)
{
    std::wstring wide(length + 1, L'\0');
    int n = MultiByteToWideChar(932, 0, text, static_cast<int>(length), &wide[0], static_cast<int>(wide.size()));
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

// The C type each ADO type is read as.
SQLSMALLINT CTypeFor(long adoType)
{
    using namespace ado;
    switch (adoType) {
    case adSmallInt: return SQL_C_SSHORT;
    case adUnsignedSmallInt: return SQL_C_USHORT;
    case adInteger: return SQL_C_SLONG;
    case adUnsignedInt: return SQL_C_ULONG;
    case adTinyInt: return SQL_C_STINYINT;
    case adUnsignedTinyInt: return SQL_C_UTINYINT;
    case adBigInt: return SQL_C_SBIGINT;
    case adUnsignedBigInt: return SQL_C_UBIGINT;
    case adSingle: return SQL_C_FLOAT;
    case adDouble: return SQL_C_DOUBLE;
    case adBoolean: return SQL_C_BIT;
    case adDBDate:
    case adDBTimeStamp: return SQL_C_TYPE_TIMESTAMP;
    case adDBTime: return SQL_C_TYPE_TIME;
    case adBinary:
    case adVarBinary:
    case adLongVarBinary: return SQL_C_BINARY;
    default: return SQL_C_CHAR;
    }
}

// The bytes of a bound value of a fixed C type; 0 for text and binary.
SQLLEN FixedSize(SQLSMALLINT cType)
{
    switch (cType) {
    case SQL_C_STINYINT:
    case SQL_C_UTINYINT:
    case SQL_C_BIT: return 1;
    case SQL_C_SSHORT:
    case SQL_C_USHORT: return 2;
    case SQL_C_SLONG:
    case SQL_C_ULONG:
    case SQL_C_FLOAT: return 4;
    case SQL_C_SBIGINT:
    case SQL_C_UBIGINT:
    case SQL_C_DOUBLE: return 8;
    case SQL_C_TYPE_TIMESTAMP: return sizeof(SQL_TIMESTAMP_STRUCT);
    case SQL_C_TYPE_TIME: return sizeof(SQL_TIME_STRUCT);
    default: return 0;
    }
}

// Room for a bound text: the declared size in the code page's widest characters, within
// limits that keep the buffers small. A longer value is read again whole.
SQLLEN TextBufferLength(SQLULEN columnSize, UINT codePage)
{
    const SQLLEN kLeast = 64;
    const SQLLEN kMost = 1024;
    const SQLLEN bytesPerCharacter = codePage == CP_UTF8 ? 4 : 2;
    if (columnSize == 0 || columnSize >= static_cast<SQLULEN>(kMost))
        return kMost;
    SQLLEN length = static_cast<SQLLEN>(columnSize) * bytesPerCharacter + 1;
    return length < kLeast ? kLeast : (length > kMost ? kMost : length);
}

}  // namespace

void StatementRows::Bind(const std::vector<SQLULEN>& sizes)
{
    // A text longer than its buffer is read again with SQLGetData, which the driver must
    // allow on a bound column; binary values are always read that way, which needs
    // SQLGetData before a bound column too, or else binding stops at the first of them.
    if (!(getDataExtensions_ & SQL_GD_BOUND))
        return;
    bool anyColumn = (getDataExtensions_ & SQL_GD_ANY_COLUMN) != 0;
    std::vector<Binding> plan(columns_.size());
    size_t total = 0;
    for (size_t i = 0; i < columns_.size(); ++i) {
        SQLSMALLINT cType = CTypeFor(columns_[i].type);
        SQLLEN length = cType == SQL_C_CHAR ? TextBufferLength(sizes[i], codePage_) : FixedSize(cType);
        if (length == 0) {
            if (!anyColumn)
                break;
            continue;
        }
        plan[i].cType = cType;
        plan[i].offset = total;
        plan[i].length = length;
        total += (static_cast<size_t>(length) + 7) / 8 * 8;
    }
    if (total == 0)
        return;
    buffer_.assign(total / 8, 0);
    indicators_.assign(columns_.size(), 0);
    char* base = reinterpret_cast<char*>(buffer_.data());
    for (size_t i = 0; i < plan.size(); ++i) {
        if (!plan[i].cType)
            continue;
        SQLRETURN rc = SQLBindCol(statement_, static_cast<SQLUSMALLINT>(i + 1), plan[i].cType, base + plan[i].offset,
                                  plan[i].length, &indicators_[i]);
        if (!SQL_SUCCEEDED(rc)) {
            SQLFreeStmt(statement_, SQL_UNBIND);
            buffer_.clear();
            indicators_.clear();
            return;
        }
    }
    bindings_ = std::move(plan);
    bound_ = true;
}

size_t StatementRows::BoundColumnCount() const
{
    size_t count = 0;
    for (const Binding& binding : bindings_)
        count += binding.cType != 0;
    return count;
}

template <typename T>
bool StatementRows::ReadFixed(SQLUSMALLINT column, SQLSMALLINT cType, T& value, bool& null, ErrorList& errors)
{
    if (bound_ && bindings_[column - 1].cType) {
        null = indicators_[column - 1] == SQL_NULL_DATA;
        if (!null)
            memcpy(&value, reinterpret_cast<const char*>(buffer_.data()) + bindings_[column - 1].offset, sizeof value);
        return true;
    }
    SQLLEN indicator = 0;
    if (!Check(SQLGetData(statement_, column, cType, &value, sizeof value, &indicator), SQL_HANDLE_STMT, statement_,
               errors))
        return false;
    null = indicator == SQL_NULL_DATA;
    return true;
}

bool StatementRows::ReadBytes(SQLUSMALLINT column, SQLSMALLINT cType, const char*& data, size_t& length, bool& null,
                              ErrorList& errors)
{
    if (bound_ && bindings_[column - 1].cType) {
        const Binding& binding = bindings_[column - 1];
        SQLLEN indicator = indicators_[column - 1];
        if (indicator == SQL_NULL_DATA) {
            null = true;
            return true;
        }
        if (indicator >= 0 && indicator < binding.length) {
            null = false;
            data = reinterpret_cast<const char*>(buffer_.data()) + binding.offset;
            length = static_cast<size_t>(indicator);
            return true;
        }
    }
    chunks_.clear();
    if (!ReadChunks(statement_, column, cType, chunks_, null, errors, codePage_))
        return false;
    data = chunks_.data();
    length = chunks_.size();
    return true;
}

bool StatementRows::ReadValue(SQLUSMALLINT column, Variant& value, ErrorList& errors)
{
    using namespace ado;
    long type = columns_[column - 1].type;
    VARIANT& v = value.Get();
    bool null = false;
    switch (type) {
    case adSmallInt: {
        SQLSMALLINT x = 0;
        if (!ReadFixed(column, SQL_C_SSHORT, x, null, errors)) return false;
        v.vt = VT_I2; v.iVal = x;
        break;
    }
    case adUnsignedSmallInt: {
        SQLUSMALLINT x = 0;
        if (!ReadFixed(column, SQL_C_USHORT, x, null, errors)) return false;
        v.vt = VT_UI2; v.uiVal = x;
        break;
    }
    case adInteger: {
        SQLINTEGER x = 0;
        if (!ReadFixed(column, SQL_C_SLONG, x, null, errors)) return false;
        v.vt = VT_I4; v.lVal = x;
        break;
    }
    case adUnsignedInt: {
        SQLUINTEGER x = 0;
        if (!ReadFixed(column, SQL_C_ULONG, x, null, errors)) return false;
        v.vt = VT_UI4; v.ulVal = x;
        break;
    }
    case adTinyInt: {
        SQLSCHAR x = 0;
        if (!ReadFixed(column, SQL_C_STINYINT, x, null, errors)) return false;
        v.vt = VT_I1; v.cVal = x;
        break;
    }
    case adUnsignedTinyInt: {
        SQLCHAR x = 0;
        if (!ReadFixed(column, SQL_C_UTINYINT, x, null, errors)) return false;
        v.vt = VT_UI1; v.bVal = x;
        break;
    }
    case adBigInt: {
        SQLBIGINT x = 0;
        if (!ReadFixed(column, SQL_C_SBIGINT, x, null, errors)) return false;
        v.vt = VT_I8; v.llVal = x;
        break;
    }
    case adUnsignedBigInt: {
        SQLUBIGINT x = 0;
        if (!ReadFixed(column, SQL_C_UBIGINT, x, null, errors)) return false;
        v.vt = VT_UI8; v.ullVal = x;
        break;
    }
    case adSingle: {
        SQLREAL x = 0;
        if (!ReadFixed(column, SQL_C_FLOAT, x, null, errors)) return false;
        v.vt = VT_R4; v.fltVal = x;
        break;
    }
    case adDouble: {
        SQLDOUBLE x = 0;
        if (!ReadFixed(column, SQL_C_DOUBLE, x, null, errors)) return false;
        v.vt = VT_R8; v.dblVal = x;
        break;
    }
    case adBoolean: {
        SQLCHAR x = 0;
        if (!ReadFixed(column, SQL_C_BIT, x, null, errors)) return false;
        v.vt = VT_BOOL; v.boolVal = x ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case adDBDate:
    case adDBTimeStamp: {
        SQL_TIMESTAMP_STRUCT x = {};
        if (!ReadFixed(column, SQL_C_TYPE_TIMESTAMP, x, null, errors)) return false;
        v.vt = VT_DATE;
        v.date = DateSerial(x.year, x.month, x.day, x.hour, x.minute, x.second, x.fraction);
        break;
    }
    case adDBTime: {
        SQL_TIME_STRUCT x = {};
        if (!ReadFixed(column, SQL_C_TYPE_TIME, x, null, errors)) return false;
        v.vt = VT_DATE;
        v.date = (x.hour * 3600.0 + x.minute * 60.0 + x.second) / 86400.0;
        break;
    }
    case adBinary:
    case adVarBinary:
    case adLongVarBinary: {
        const char* data = nullptr;
        size_t length = 0;
        if (!ReadBytes(column, SQL_C_BINARY, data, length, null, errors)) return false;
        if (!null) value = Variant::Bytes(data, length);
        break;
    }
    default: {
        const char* data = nullptr;
        size_t length = 0;
        if (!ReadBytes(column, SQL_C_CHAR, data, length, null, errors)) return false;
        if (null) break;
        if (type == adNumeric || type == adCurrency) {
            std::wstring wide = Wide(data, length);
            // The driver writes numbers the C way; 0x409 reads the '.' as the decimal point.
            if (type == adCurrency && SUCCEEDED(VarCyFromStr(&wide[0], 0x409, 0, &v.cyVal))) {
                v.vt = VT_CY;
                break;
            }
            if (SUCCEEDED(VarDecFromStr(&wide[0], 0x409, 0, &v.decVal))) {
                v.vt = VT_DECIMAL;
                break;
            }
            // Beyond a decimal's 28 digits (or "NaN") the value stays the driver's text: as
            // a double it would lose its last digits without a word.
        }
        if (type == adGUID && length && data[0] != '{') {
            std::string braced = "{" + std::string(data, length) + "}";
            value = Variant::Text(braced.c_str(), braced.size(), codePage_);
            break;
        }
        value = Variant::Text(data, length, codePage_);
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
    getDataExtensions_ = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(dbc_, SQL_GETDATA_EXTENSIONS, &getDataExtensions_, sizeof getDataExtensions_, nullptr)))
        getDataExtensions_ = 0;
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
        auto result = std::make_unique<odbc::StatementRows>(statement, true, codePage_, getDataExtensions_);
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
