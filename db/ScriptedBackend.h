// A backend that answers from canned rowsets, for the kinds whose servers cannot run
// here (SQL Server, Oracle, Excel, MDB). Tests register rowsets per exact statement
// text or per schema request, may make a statement fail with a given message, and read
// back every statement in the order it was run.
#pragma once

#include "AdoBackend.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class ScriptedRowset {
public:
    ScriptedRowset& Column(const char* name, long adoType, long definedSize = 0,
                           long attributes = 0x60 /* adFldIsNullable | adFldMayBeNull */);
    // Values as text (nullptr = NULL), converted to each column's variant type.
    ScriptedRowset& Row(std::vector<const char*> values);
    ScriptedRowset& RowOfValues(VariantRow values);
    std::unique_ptr<RowSource> Make() const;

private:
    std::vector<ColumnInfo> columns_;
    std::vector<VariantRow> rows_;
};

class ScriptedBackend : public Backend {
public:
    void AddRowset(const char* statement, ScriptedRowset rowset);
    // restrictions in ADO's order; nullptr or "" = none; trailing "none"s do not matter.
    void AddSchemaRowset(long schema, std::vector<const char*> restrictions, ScriptedRowset rowset);
    void FailStatement(const char* statement, const char* errorText);
    // Open fails with this text (empty = Open succeeds).
    void FailOpen(const char* errorText) { openError_ = errorText ? errorText : ""; }

    // SQL texts in the order they were run (Execute, Recordset.Open, prepared executions).
    const std::vector<std::string>& Statements() const { return statements_; }
    // Everything asked of the backend: "OPEN <string>", "SQL <text>", "SCHEMA 20 (,,社員,)",
    // "BEGIN", "COMMIT", "ROLLBACK", "CLOSE".
    const std::vector<std::string>& Log() const { return log_; }
    void ClearRecord() { statements_.clear(); log_.clear(); }
    bool IsOpen() const { return open_; }

    HRESULT Open(const char* connectionString, ErrorList& errors) override;
    void Close() override;
    HRESULT Execute(const char* text, bool wantRows, std::unique_ptr<RowSource>& rows, long* affected,
                    ErrorList& errors) override;
    HRESULT Prepare(const char* text, std::unique_ptr<PreparedStatement>& statement, ErrorList& errors) override;
    HRESULT BeginTrans(ErrorList& errors) override;
    HRESULT CommitTrans(ErrorList& errors) override;
    HRESULT RollbackTrans(ErrorList& errors) override;
    HRESULT OpenSchema(long schema, const std::vector<Variant>& restrictions, std::unique_ptr<RowSource>& rows,
                       ErrorList& errors) override;

private:
    static std::string SchemaKey(long schema, const std::vector<std::string>& restrictions);

    std::map<std::string, ScriptedRowset> rowsets_;
    std::map<std::string, ScriptedRowset> schemaRowsets_;
    std::map<std::string, std::string> failures_;
    std::vector<std::string> statements_;
    std::vector<std::string> log_;
    std::string openError_;
    bool open_ = false;
};
