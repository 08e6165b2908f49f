// ADO's Connection and Command over a Backend (ODBC by default). Nothing throws:
// methods return S_OK or a failure HRESULT and leave the diagnostics in Errors().
#pragma once

#include "../common/VornString.h"
#include "AdoBackend.h"
#include "AdoConstants.h"

#include <memory>

class Recordset;

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The backend of every Connection created while it is set (tests set a scripted one);
    // null restores ODBC. Returns the previous one.
    static std::shared_ptr<Backend> SetDefaultBackend(std::shared_ptr<Backend> backend);
    // Serves this connection from another backend; only while closed.
    bool SetBackend(std::shared_ptr<Backend> backend);
    Backend* GetBackend() const { return backend_.get(); }

    long CursorLocation() const { return cursorLocation_; }
    void SetCursorLocation(long location) { cursorLocation_ = location; }
    const VornString& ConnectionString() const { return connectionString_; }
    long State() const { return open_ ? ado::adStateOpen : ado::adStateClosed; }
    const ErrorList& Errors() const { return errors_; }
    ErrorList& MutableErrors() { return errors_; }

    // user and password, when not empty, are added as UID/PWD like ADO's arguments;
    // options is accepted for ADO's signature (-1 = unspecified).
    HRESULT Open(const char* connectionString, const char* user = "", const char* password = "",
                 long options = -1);
    HRESULT Close();

    // With adExecuteNoRecords (or without result) no rows are returned; otherwise a
    // forward-only recordset is opened on result when given.
    HRESULT Execute(const char* text, long* recordsAffected = nullptr,
                    long options = ado::adCmdText, Recordset* result = nullptr);
    HRESULT BeginTrans(long* level = nullptr);
    HRESULT CommitTrans();
    HRESULT RollbackTrans();

    // restrictions: a VT_ARRAY|VT_VARIANT vector in ADO's order, or null / VT_EMPTY for none.
    HRESULT OpenSchema(long schema, const VARIANT* restrictions, Recordset& result);
    // The same with code page 932 texts; nullptr or "" means no restriction.
    HRESULT OpenSchema(long schema, const std::vector<const char*>& restrictions, Recordset& result);

private:
    std::shared_ptr<Backend> backend_;
    VornString connectionString_;
    ErrorList errors_;
    long cursorLocation_ = ado::adUseServer;
    long transactionLevel_ = 0;
    bool open_ = false;
};

// A prepared statement: Prepare once, Execute any number of times, Release.
class Command {
public:
    explicit Command(Connection& connection) : connection_(connection) {}
    HRESULT Prepare(const char* text);
    HRESULT Execute(long* recordsAffected = nullptr, Recordset* result = nullptr);
    void Release() { statement_.reset(); }
    bool IsPrepared() const { return statement_ != nullptr; }

private:
    Connection& connection_;
    std::unique_ptr<PreparedStatement> statement_;
};

// A VT_ARRAY|VT_VARIANT of restrictions: nullptr or "" become VT_EMPTY, others BSTRs.
// The caller owns the result (VariantClear).
VARIANT MakeRestrictions(const std::vector<const char*>& values);
