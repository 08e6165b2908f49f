// The INSERT lines of a table's rows, built without a database: which columns are
// written, how each value is spelt for the kind the statements are for, and the line
// "insert into T (a,b) values(1,'x');". One builder serves every row of a table, so a
// large table costs no allocation per value.
#pragma once

#include <cstddef>
#include <vector>

#include "common/VornString.h"
#include "db/DatabaseKind.h"

namespace transfer {

// Left out of both lists: counters on Mdb, serial columns on Postgres (the catalog shows
// them as an integer whose default draws from a sequence), timestamp columns and any
// IDENTITY column; the database fills them itself.
bool IsInsertedColumn(DatabaseKind sourceKind, const char* typeName, const char* defaultText);

// What the reader made of a field's value.
enum class InsertValueKind {
    Null,          // NULL (a null or empty variant)
    Text,          // the value's text, spelt by the column's category
    Boolean,       // text "1" or "0": each kind's own spelling of true and false
    Unconvertible, // "???" (byte arrays, objects)
};

struct InsertColumn {
    VornString name;         // as the statement names it (already enclosed)
    VornString category;     // "数値", "日付", "文字列" or "未定義", as the type catalogue names them
    bool quoted = false;     // always in single quotes (Postgres money)
};

class InsertLineBuilder {
public:
    // table: the name as the statement writes it (enclosed).
    InsertLineBuilder(DatabaseKind kind, const char* table, std::vector<InsertColumn> columns);

    void BeginRow();
    // The values in the order of the columns.
    void AddValue(InsertValueKind kind, const char* text, size_t length);
    // A value already spelt as a literal of the kind (a binary constant).
    void AddLiteral(const char* literal);
    // The finished line, ending ");\n".
    const VornString& EndRow();
    // Bytes of "insert into T (a,b) values(" at the start of every line.
    size_t PrefixLength() const { return prefix_.Length(); }

    size_t ColumnCount() const { return columns_.size(); }

private:
    void AppendQuoted(const char* text, size_t length);
    void AppendBare(const char* text, size_t length);

    DatabaseKind kind_;
    std::vector<InsertColumn> columns_;
    VornString prefix_;      // "insert into T (a,b) values("
    VornString line_;
    size_t next_ = 0;
};

// True for a text a statement may carry bare as a number: an optional sign, digits with
// at most one decimal point, an optional exponent.
bool IsNumberLiteral(const char* text, size_t length);

}  // namespace transfer
