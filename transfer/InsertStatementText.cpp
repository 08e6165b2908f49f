#include "InsertStatementText.h"

#include <utility>

#include "common/SjisText.h"

namespace transfer {

namespace {

const char kTextCategory[] = "文字列";
const char kDateCategory[] = "日付";

bool ContainsIgnoreCase(const char* text, const char* part)
{
    return sjis::Find(text ? text : "", part, true) >= 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsInsertedColumn(DatabaseKind sourceKind, const char* typeName, const char* defaultText)
{
    VornString type(typeName ? typeName : "");
    if (sourceKind == DatabaseKind::Mdb && type.EqualsIgnoreCase("counter"))
        return false;
    if (sourceKind == DatabaseKind::Postgres) {
        VornString drawn(defaultText ? defaultText : "");
        if (type.EqualsIgnoreCase("serial") || drawn.StartsWith("nextval("))
            return false;
    }
    if (type.EqualsIgnoreCase("timestamp"))
        return false;
    return !ContainsIgnoreCase(type, "IDENTITY");
}

bool IsNumberLiteral(const char* text, size_t length)
{
    size_t pos = 0;
    if (pos < length && (text[pos] == '-' || text[pos] == '+'))
        ++pos;
    size_t digits = 0;
    bool point = false;
    for (; pos < length; ++pos) {
        if (IsDigit(text[pos]))
            ++digits;
        else if (text[pos] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (pos < length && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < length && (text[pos] == '-' || text[pos] == '+'))
            ++pos;
        size_t exponent = 0;
        for (; pos < length && IsDigit(text[pos]); ++pos)
            ++exponent;
        if (exponent == 0)
            return false;
    }
    return pos == length;
}

InsertLineBuilder::InsertLineBuilder(DatabaseKind kind, const char* table, std::vector<InsertColumn> columns)
    : kind_(kind), columns_(std::move(columns))
{
    prefix_.Append("insert into ");
    prefix_.Append(table);
    prefix_.Append(" (");
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (i)
            prefix_.Append(",");
        prefix_.Append(columns_[i].name);
    }
    prefix_.Append(") values(");
}

void InsertLineBuilder::BeginRow()
{
    line_.Assign(prefix_.Text(), prefix_.Length());
    next_ = 0;
}

void InsertLineBuilder::AppendQuoted(const char* text, size_t length)
{
    // Apostrophes are doubled in every quoted value, whatever its category: a value is
    // never able to end its literal early. MySQL also reads a backslash as an escape, so
    // a value ending in one would swallow the closing apostrophe there.
    const bool backslashEscapes = kind_ == DatabaseKind::MySql;
    line_.Append('\'');
    size_t run = 0;
    for (size_t pos = 0; pos < length;) {
        size_t n = sjis::CharLength(text + pos);
        if (n == 1 && (text[pos] == '\'' || (backslashEscapes && text[pos] == '\\'))) {
            line_.Append(text + run, pos + 1 - run);
            line_.Append(text[pos]);
            run = pos + 1;
        }
        pos += n > 0 ? n : 1;
    }
    line_.Append(text + run, length - run);
    line_.Append('\'');
}

void InsertLineBuilder::AppendBare(const char* text, size_t length)
{
    // A driver may hand a number column's value over as text; anything that is not a
    // plain number goes in quotes rather than into the statement's syntax.
    if (IsNumberLiteral(text, length))
        line_.Append(text, length);
    else
        AppendQuoted(text, length);
}

void InsertLineBuilder::AddValue(InsertValueKind kind, const char* text, size_t length)
{
    if (next_ > 0)
        line_.Append(",");
    const InsertColumn& column = columns_[next_ < columns_.size() ? next_ : columns_.size() - 1];
    ++next_;
    switch (kind) {
    case InsertValueKind::Null:
        line_.Append("NULL");
        return;
    case InsertValueKind::Unconvertible:
        line_.Append("???");
        return;
    case InsertValueKind::Boolean: {
        bool on = length > 0 && text[0] != '0';
        if (kind_ == DatabaseKind::Postgres)
            line_.Append(on ? "TRUE" : "FALSE");
        else if (kind_ == DatabaseKind::Mdb || kind_ == DatabaseKind::Excel)
            line_.Append(on ? "True" : "False");
        else
            line_.Append(on ? "1" : "0");
        return;
    }
    case InsertValueKind::Text:
        break;
    }
    if (column.category.Equals(kDateCategory) && kind_ == DatabaseKind::Oracle) {
        line_.Append("TO_DATE(");
        AppendQuoted(text, length);
        line_.Append(",'RRRR/MM/DD HH24:MI:SS')");
    } else if (column.quoted || column.category.Equals(kTextCategory) || column.category.Equals(kDateCategory)) {
        AppendQuoted(text, length);
    } else {
        AppendBare(text, length);
    }
}

void InsertLineBuilder::AddLiteral(const char* literal)
{
    if (next_ > 0)
        line_.Append(",");
    ++next_;
    line_.Append(literal);
}

const VornString& InsertLineBuilder::EndRow()
{
    line_.Append(");\n");
    return line_;
}

}  // namespace transfer
