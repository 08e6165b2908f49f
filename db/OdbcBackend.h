// The backend that reaches real databases through odbc32 (unixODBC and its drivers
// under Wine). The undecorated ANSI entry points are used: Wine's odbc32 lacks the
// A-suffixed ones, and with UNICODE undefined all text stays code page 932.
#pragma once

#include "AdoBackend.h"

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <string>

class OdbcBackend : public Backend {
public:
    OdbcBackend() = default;
    ~OdbcBackend() override;

    HRESULT Open(const char* connectionString, ErrorList& errors) override;
    void Close() override;
    HRESULT Execute(const char* text, bool wantRows, std::unique_ptr<RowSource>& rows, long* affected,
                    ErrorList& errors) override;
    HRESULT Prepare(const char* text, std::unique_ptr<PreparedStatement>& statement,
                    ErrorList& errors) override;
    HRESULT BeginTrans(ErrorList& errors) override;
    HRESULT CommitTrans(ErrorList& errors) override;
    HRESULT RollbackTrans(ErrorList& errors) override;
    HRESULT OpenSchema(long schema, const std::vector<Variant>& restrictions,
                       std::unique_ptr<RowSource>& rows, ErrorList& errors) override;

    // The ODBC string the last Open handed to the driver manager.
    const VornString& OdbcConnectionString() const { return odbcString_; }

private:
    HRESULT EndTransaction(SQLSMALLINT completion, ErrorList& errors);
    bool Connect(const char* odbcText, ErrorList& errors);
    SQLHSTMT NewStatement(ErrorList& errors);

    SQLHENV env_ = SQL_NULL_HENV;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    VornString odbcString_;
    UINT codePage_ = 932;  // the code page of the text the driver exchanges
    SQLUINTEGER getDataExtensions_ = 0;  // the driver's SQL_GETDATA_EXTENSIONS
};

namespace odbc {
// The one place that decides whether an ODBC call succeeded: SQL_SUCCESS and
// SQL_SUCCESS_WITH_INFO do; otherwise every diagnostic record of the handle is added
// to errors and false is returned.
bool Check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, ErrorList& errors, UINT codePage = 932);
void CollectDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, ErrorList& errors, UINT codePage = 932);
// Text between the program (code page 932) and a driver that talks another code page.
std::string ToDriver(const char* text, UINT codePage);
std::string FromDriver(const char* text, size_t length, UINT codePage);

// Rows of an executed statement; owns and frees the statement handle.
class StatementRows : public RowSource {
public:
    // getDataExtensions: the driver's SQL_GETDATA_EXTENSIONS. When it allows SQLGetData on
    // bound columns, Describe binds the columns it can, so that a row costs one call into
    // the driver instead of one per value; 0 reads every value with SQLGetData.
    StatementRows(SQLHSTMT statement, bool ownsStatement, UINT codePage = 932, SQLUINTEGER getDataExtensions = 0);
    ~StatementRows() override;
    // Describes the result columns; false (with errors) when that fails.
    bool Describe(ErrorList& errors);
    const std::vector<ColumnInfo>& Columns() const override { return columns_; }
    int Fetch(VariantRow& row, ErrorList& errors) override;
    long KnownRowCount() const override { return knownRows_; }
    // The ODBC SQL type of each column, for catalog post-processing.
    int SqlType(size_t column) const { return sqlTypes_[column]; }

    // Columns read from bound buffers, for tests of the fallback.
    size_t BoundColumnCount() const;

private:
    struct Binding {
        SQLSMALLINT cType = 0;  // 0: read with SQLGetData
        size_t offset = 0;
        SQLLEN length = 0;
    };
    void Bind(const std::vector<SQLULEN>& sizes);
    bool ReadValue(SQLUSMALLINT column, Variant& value, ErrorList& errors);
    template <typename T>
    bool ReadFixed(SQLUSMALLINT column, SQLSMALLINT cType, T& value, bool& null, ErrorList& errors);
    // The value's bytes, from the bound buffer when they all fit in it, else read whole.
    bool ReadBytes(SQLUSMALLINT column, SQLSMALLINT cType, const char*& data, size_t& length, bool& null,
                   ErrorList& errors);

    SQLHSTMT statement_;
    bool ownsStatement_;
    UINT codePage_;
    SQLUINTEGER getDataExtensions_;
    std::vector<ColumnInfo> columns_;
    std::vector<int> sqlTypes_;
    long knownRows_ = -1;
    std::vector<Binding> bindings_;
    std::vector<unsigned long long> buffer_;  // 8-byte aligned for the fixed C types
    std::vector<SQLLEN> indicators_;
    bool bound_ = false;
    std::string chunks_;  // a value read with SQLGetData
};
}  // namespace odbc
