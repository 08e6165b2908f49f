#include "AdoRecordset.h"

#include "../common/SjisText.h"
#include "AdoConnection.h"

#include <algorithm>
#include <string>

namespace {
const HRESULT kClosedError = 0x800A0E78;    // adErrObjectClosed
const HRESULT kNoCurrentRecord = 0x800A0BCD; // adErrNoCurrentRecord
const HRESULT kItemNotFound = 0x800A0CC1;    // adErrItemNotFound
}  // namespace

const VARIANT& Field::Value() const
{
    return owner_.ValueAt(index_);
}

Field* FieldList::Item(long index) const
{
    return index >= 0 && index < Count() ? fields_[index].get() : nullptr;
}

Field* FieldList::Item(const char* name) const
{
    for (const auto& field : fields_)
        if (sjis::CompareIgnoreCase(field->Name(), name ? name : "") == 0)
            return field.get();
    return nullptr;
}

HRESULT Recordset::Open(const char* source, Connection* connection, long cursorType, long lockType, long)
{
    Close();
    if (!connection || connection->State() != ado::adStateOpen)
        return kClosedError;
    ErrorList& errors = connection->MutableErrors();
    errors.Clear();
    std::unique_ptr<RowSource> rows;
    HRESULT hr = connection->GetBackend()->Execute(source ? source : "", true, rows, nullptr, errors);
    if (FAILED(hr))
        return hr;
    lockType_ = lockType;
    // A client cursor is always static in ADO, whatever was asked for.
    long effective = cursorLocation_ == ado::adUseClient ? ado::adOpenStatic : cursorType;
    if (rows)
        Attach(std::move(rows), connection, effective, source);
    return S_OK;
}

void Recordset::Attach(std::unique_ptr<RowSource> rows, Connection* connection, long cursorType,
                       const char* source)
{
    Close();
    source_ = std::move(rows);
    connection_ = connection;
    cursorType_ = cursorType;
    sourceText_ = source ? source : "";
    columns_ = source_->Columns();
    fields_.fields_.clear();
    for (size_t i = 0; i < columns_.size(); ++i)
        fields_.fields_.push_back(std::make_unique<Field>(*this, static_cast<long>(i), columns_[i]));
    countedRows_ = -1;
    open_ = true;
}

HRESULT Recordset::Close()
{
    if (!open_)
        return kClosedError;
    open_ = false;
    source_.reset();
    rows_.clear();
    order_.clear();
    fields_.fields_.clear();
    columns_.clear();
    sort_.Clear();
    firstKept_ = 0;
    position_ = 0;
    done_ = false;
    failed_ = false;
    return S_OK;
}

// Reads until the row at position is in memory; false when the result ends before it.
bool Recordset::EnsureRow(size_t position)
{
    if (!open_)
        return false;
    if (!order_.empty())
        return position < order_.size();
    while (firstKept_ + rows_.size() <= position) {
        if (done_ || !source_)
            return false;
        VariantRow row;
        int got = source_->Fetch(row, connection_->MutableErrors());
        if (got <= 0) {
            done_ = true;
            failed_ = got < 0;
            return false;
        }
        rows_.push_back(std::move(row));
    }
    return true;
}

bool Recordset::FetchAll()
{
    while (EnsureRow(firstKept_ + rows_.size())) {
    }
    return !failed_;
}

bool Recordset::Eof()
{
    return !EnsureRow(position_);
}

bool Recordset::Bof()
{
    return position_ == 0 && !EnsureRow(0);
}

HRESULT Recordset::MoveNext()
{
    if (!open_)
        return kClosedError;
    if (!EnsureRow(position_))
        return kNoCurrentRecord;
    ++position_;
    if (cursorType_ == ado::adOpenForwardOnly && order_.empty()) {
        // Rows behind a forward-only cursor are never needed again.
        while (firstKept_ < position_ && !rows_.empty()) {
            rows_.erase(rows_.begin());
            ++firstKept_;
        }
    }
    EnsureRow(position_);
    return failed_ ? E_FAIL : S_OK;
}

HRESULT Recordset::MoveFirst()
{
    if (!open_)
        return kClosedError;
    if (firstKept_ > 0)
        return Requery();
    position_ = 0;
    return S_OK;
}

// A forward-only cursor that has left its first row behind starts the statement again.
HRESULT Recordset::Requery()
{
    Connection* connection = connection_;
    VornString text(sourceText_);
    long cursorType = cursorType_, lockType = lockType_;
    if (text.IsEmpty())
        return kNoCurrentRecord;
    return Open(text, connection, cursorType, lockType, ado::adCmdText);
}

const VARIANT& Recordset::ValueAt(long column)
{
    if (!EnsureRow(position_) || column < 0 || column >= static_cast<long>(columns_.size()))
        return empty_.Get();
    size_t row = order_.empty() ? position_ - firstKept_ : order_[position_];
    if (row >= rows_.size() || column >= static_cast<long>(rows_[row].size()))
        return empty_.Get();
    return rows_[row][column].Get();
}

long Recordset::RecordCount()
{
    if (!open_)
        return -1;
    if (cursorType_ == ado::adOpenForwardOnly)
        return -1;
    if (!order_.empty())
        return static_cast<long>(order_.size());
    if (done_)
        return static_cast<long>(firstKept_ + rows_.size());
    long known = source_ ? source_->KnownRowCount() : -1;
    if (known >= static_cast<long>(firstKept_ + rows_.size()))
        return known;
    if (countedRows_ < 0)
        countedRows_ = CountThroughStatement();
    if (countedRows_ >= 0)
        return countedRows_;
    FetchAll();
    return static_cast<long>(firstKept_ + rows_.size());
}

// A driver that fetches through a server cursor cannot tell the size of a result. Counting
// it by reading every row would hold a whole large table in memory to show a few rows of
// it: the database counts a query's rows itself.
long Recordset::CountThroughStatement()
{
    VornString query(sourceText_);
    query.TrimBlanks();
    while (!query.IsEmpty() && query.Text()[query.Length() - 1] == ';') {
        query.Chop();
        query.TrimBlanks();
    }
    if (query.FindIgnoreCase("select") != 0)
        return -1;
    VornString text("select count(*) from (");
    text.Append(query);
    text.Append(") kestrova_count");
    std::unique_ptr<RowSource> rows;
    ErrorList errors;
    if (FAILED(connection_->GetBackend()->Execute(text, true, rows, nullptr, errors)) || !rows)
        return -1;
    VariantRow row;
    if (rows->Fetch(row, errors) != 1 || row.empty())
        return -1;
    VARIANT count;
    VariantInit(&count);
    long result = -1;
    if (SUCCEEDED(VariantChangeType(&count, &row[0].Get(), 0, VT_I4)))
        result = count.lVal;
    VariantClear(&count);
    return result;
}

namespace {
struct SortKey {
    long column;
    bool descending;
};

// NULL sorts before every value, as ADO's client cursor engine does.
int CompareValues(const VARIANT& a, const VARIANT& b)
{
    bool aNull = a.vt == VT_NULL || a.vt == VT_EMPTY;
    bool bNull = b.vt == VT_NULL || b.vt == VT_EMPTY;
    if (aNull || bNull)
        return aNull == bNull ? 0 : (aNull ? -1 : 1);
    if ((a.vt & VT_ARRAY) || (b.vt & VT_ARRAY))
        return 0;
    HRESULT r = VarCmp(const_cast<VARIANT*>(&a), const_cast<VARIANT*>(&b), LOCALE_USER_DEFAULT, 0);
    if (r == VARCMP_LT) return -1;
    if (r == VARCMP_GT) return 1;
    return 0;
}
}  // namespace

HRESULT Recordset::SetSort(const char* sortText)
{
    if (!open_)
        return kClosedError;
    if (cursorType_ == ado::adOpenForwardOnly && firstKept_ > 0)
        return kNoCurrentRecord;
    std::vector<SortKey> keys;
    std::string text = sortText ? sortText : "";
    size_t start = 0;
    while (start <= text.size()) {
        long comma = sjis::FindChar(text.c_str() + start, ',');
        std::string item = comma < 0 ? text.substr(start) : text.substr(start, comma);
        start = comma < 0 ? text.size() + 1 : start + comma + 1;
        size_t b = sjis::TrimmedStart(item.c_str(), item.size(), " \t", false);
        size_t e = sjis::TrimmedEnd(item.c_str(), item.size(), " \t", false);
        item = e > b ? item.substr(b, e - b) : std::string();
        if (item.empty())
            continue;
        bool descending = false;
        long space = sjis::FindLastChar(item.c_str(), ' ');
        if (space >= 0) {
            std::string word = item.substr(space + 1);
            if (sjis::CompareIgnoreCase(word.c_str(), "DESC") == 0 ||
                sjis::CompareIgnoreCase(word.c_str(), "ASC") == 0) {
                descending = sjis::CompareIgnoreCase(word.c_str(), "DESC") == 0;
                item = item.substr(0, sjis::TrimmedEnd(item.c_str(), space, " \t", false));
            }
        }
        if (item.size() >= 2 && item.front() == '[' && item.back() == ']')
            item = item.substr(1, item.size() - 2);
        Field* field = fields_.Item(item.c_str());
        if (!field) {
            connection_->MutableErrors().Clear();
            connection_->MutableErrors().Add(("項目が見つかりません: " + item).c_str());
            return kItemNotFound;
        }
        long index = 0;
        while (fields_.Item(index) != field) ++index;
        keys.push_back({index, descending});
    }
    order_.clear();
    sort_ = sortText ? sortText : "";
    position_ = 0;
    if (keys.empty())
        return S_OK;
    if (!FetchAll())
        return E_FAIL;
    std::vector<size_t> order(rows_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
        for (const SortKey& key : keys) {
            int c = CompareValues(rows_[x][key.column].Get(), rows_[y][key.column].Get());
            if (c != 0)
                return key.descending ? c > 0 : c < 0;
        }
        return false;
    });
    order_ = std::move(order);
    return S_OK;
}
