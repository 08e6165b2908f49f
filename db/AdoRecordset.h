// ADO's Recordset, Fields and Field over a RowSource. Rows are read from the backend
// as the cursor moves, so opening a large table to show its first rows stays cheap;
// keyset and static cursors keep the rows read so far for MoveFirst and Sort.
#pragma once

#include "../common/VornString.h"
#include "AdoBackend.h"
#include "AdoConstants.h"

#include <memory>
#include <vector>

class Connection;
class Recordset;

class Field {
public:
    Field(Recordset& owner, long index, const ColumnInfo& info) : owner_(owner), index_(index), info_(info) {}
    const VornString& Name() const { return info_.name; }
    long Type() const { return info_.type; }
    long DefinedSize() const { return info_.definedSize; }
    unsigned char Precision() const { return static_cast<unsigned char>(info_.precision); }
    unsigned char NumericScale() const { return static_cast<unsigned char>(info_.numericScale); }
    long Attributes() const { return info_.attributes; }
    // The current row's value; VT_EMPTY at EOF or on a closed recordset.
    const VARIANT& Value() const;

private:
    Recordset& owner_;
    long index_;
    const ColumnInfo& info_;
};

class FieldList {
public:
    long Count() const { return static_cast<long>(fields_.size()); }
    // Null when out of range / not found. Names compare ignoring the case of
    // single-byte letters only.
    Field* Item(long index) const;
    Field* Item(const char* name) const;

private:
    friend class Recordset;
    std::vector<std::unique_ptr<Field>> fields_;
};

class Recordset {
public:
    Recordset() = default;
    ~Recordset() { Close(); }
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    long CursorLocation() const { return cursorLocation_; }
    void SetCursorLocation(long location) { cursorLocation_ = location; }
    long CursorType() const { return cursorType_; }
    long LockType() const { return lockType_; }

    // A statement without a result set leaves the recordset closed (State() 0) and
    // returns S_OK, as ADO does. Failures land in the connection's Errors.
    HRESULT Open(const char* source, Connection* connection, long cursorType = ado::adOpenForwardOnly,
                 long lockType = ado::adLockReadOnly, long options = ado::adCmdText);
    HRESULT Close();
    long State() const { return open_ ? ado::adStateOpen : ado::adStateClosed; }

    bool Eof();
    bool Bof();
    HRESULT MoveNext();
    HRESULT MoveFirst();
    // "name [ASC|DESC], ..." sorts the rows on the client; "" restores the order read.
    HRESULT SetSort(const char* sortText);
    const VornString& Sort() const { return sort_; }
    // -1 for forward-only cursors (as ADO reports them); otherwise the number of rows.
    long RecordCount();
    Connection* ActiveConnection() const { return open_ ? connection_ : nullptr; }
    FieldList& Fields() { return fields_; }

    // Used by Connection to hand over rows it produced (schema rowsets, Execute).
    void Attach(std::unique_ptr<RowSource> rows, Connection* connection, long cursorType,
                const char* source);

private:
    friend class Field;
    const VARIANT& ValueAt(long column);
    bool EnsureRow(size_t position);
    bool FetchAll();
    // The rows of a SELECT counted by the database; -1 when it cannot.
    long CountThroughStatement();
    HRESULT Requery();

    Connection* connection_ = nullptr;
    std::unique_ptr<RowSource> source_;
    std::vector<ColumnInfo> columns_;
    FieldList fields_;
    std::vector<VariantRow> rows_;     // rows read, from firstKept_ on
    size_t firstKept_ = 0;             // forward-only cursors drop rows behind them
    size_t position_ = 0;
    std::vector<size_t> order_;        // sorted row positions, empty when unsorted
    VornString sort_;
    VornString sourceText_;
    long countedRows_ = -1;
    Variant empty_;
    long cursorLocation_ = ado::adUseServer;
    long cursorType_ = ado::adOpenForwardOnly;
    long lockType_ = ado::adLockReadOnly;
    bool open_ = false;
    bool done_ = false;
    bool failed_ = false;
};
