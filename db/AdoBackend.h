// The seam under Connection and Recordset: a Backend runs statements and catalog
// requests and hands back rows. OdbcBackend talks to odbc32; ScriptedBackend serves
// canned rowsets for kinds whose servers cannot run here. Code above the layer
// (DbLink) never knows which one serves it.
#pragma once

#include "../common/VornString.h"
#include "AdoErrors.h"
#include "AdoVariant.h"

#include <memory>
#include <vector>

struct ColumnInfo {
    VornString name;
    long type = 0;          // ADO DataTypeEnum
    long definedSize = 0;
    int precision = 255;
    int numericScale = 255;
    long attributes = 0;    // ADO FieldAttributeEnum
};

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual const std::vector<ColumnInfo>& Columns() const = 0;
    // 1 when a row was read into row, 0 at the end, -1 on failure (reported in errors).
    virtual int Fetch(VariantRow& row, ErrorList& errors) = 0;
    // Rows of the whole result when known without reading them, else -1.
    virtual long KnownRowCount() const { return -1; }
};

// Rows held in memory: catalog results and canned rowsets.
class MemoryRowSource : public RowSource {
public:
    MemoryRowSource(std::vector<ColumnInfo> columns, std::vector<VariantRow> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}
    const std::vector<ColumnInfo>& Columns() const override { return columns_; }
    int Fetch(VariantRow& row, ErrorList&) override
    {
        if (next_ >= rows_.size())
            return 0;
        row = std::move(rows_[next_++]);
        return 1;
    }
    long KnownRowCount() const override { return static_cast<long>(rows_.size()); }

private:
    std::vector<ColumnInfo> columns_;
    std::vector<VariantRow> rows_;
    size_t next_ = 0;
};

class PreparedStatement {
public:
    virtual ~PreparedStatement() = default;
    // rows stays null for a statement without a result set.
    virtual HRESULT Execute(std::unique_ptr<RowSource>& rows, long* affected, ErrorList& errors) = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    // Takes the ADO connection string as ConnectionRecord builds it.
    virtual HRESULT Open(const char* connectionString, ErrorList& errors) = 0;
    virtual void Close() = 0;
    // rows stays null for a statement without a result set (or when !wantRows).
    virtual HRESULT Execute(const char* text, bool wantRows, std::unique_ptr<RowSource>& rows,
                            long* affected, ErrorList& errors) = 0;
    virtual HRESULT Prepare(const char* text, std::unique_ptr<PreparedStatement>& statement,
                            ErrorList& errors) = 0;
    virtual HRESULT BeginTrans(ErrorList& errors) = 0;
    virtual HRESULT CommitTrans(ErrorList& errors) = 0;
    virtual HRESULT RollbackTrans(ErrorList& errors) = 0;
    // restrictions: ADO's order for the schema; an empty variant means none.
    virtual HRESULT OpenSchema(long schema, const std::vector<Variant>& restrictions,
                               std::unique_ptr<RowSource>& rows, ErrorList& errors) = 0;
};
