#include "DataViewSql.h"

#include <cstring>

#include "../common/SjisText.h"
#include "../db/TypeCatalogue.h"
#include "../schema/NameQuoting.h"

namespace dataview {

namespace {

const char kString[] = "文字列";
const char kDate[] = "日付";
const char kUndefined[] = "未定義";

const char* Safe(const char* text) { return text ? text : ""; }

bool IsQuotedCategory(const char* category)
{
    return std::strcmp(Safe(category), kString) == 0 || std::strcmp(Safe(category), kDate) == 0;
}

bool IsDate(const char* category) { return std::strcmp(Safe(category), kDate) == 0; }

bool SameIgnoreCase(const char* a, const char* b) { return sjis::CompareIgnoreCase(Safe(a), Safe(b)) == 0; }

// True when text starts with c and ends with another c on a character boundary.
bool EnclosedIn(const char* text, char c)
{
    return text[0] == c && text[1] != '\0' && sjis::EndsWithChar(text + 1, c);
}

// "'" + value with its apostrophes doubled + "'".
VornString Apostrophed(const char* value)
{
    VornString result("'");
    result.Append(NameInLiteral(value));
    result.Append('\'');
    return result;
}

// A value's literal for the kind: MySQL reads a backslash as an escape, so each real one
// (never the trail byte of a double-byte character) is doubled to stay itself.
VornString ValueLiteral(const SqlDialect& dialect, const char* value)
{
    if (dialect.kind != DatabaseKind::MySql)
        return Apostrophed(value);
    VornString doubled;
    for (const char* p = value; *p;) {
        size_t n = sjis::CharLength(p);
        if (n == 1 && *p == '\\')
            doubled.Append('\\');
        doubled.Append(p, n);
        p += n;
    }
    return Apostrophed(doubled);
}

VornString Hashed(const char* value)
{
    VornString result("#");
    result.Append(value);
    result.Append('#');
    return result;
}

bool IsBinaryAdoType(const char* numberText)
{
    VornString number(Safe(numberText));
    number.TrimBlanks();
    return number.Equals("128") || number.Equals("204") || number.Equals("205");
}

const char* Cell(const DefinitionRow& row, size_t column)
{
    return column < row.size() ? row[column].Text() : "";
}

const char* ValueAt(const std::vector<VornString>& values, size_t index)
{
    return index < values.size() ? values[index].Text() : "";
}

bool Writable(const FieldColumn& column) { return !column.automatic && !column.binary; }

bool AnyKey(const std::vector<FieldColumn>& columns)
{
    for (const FieldColumn& column : columns)
        if (column.key)
            return true;
    return false;
}

// The text without trailing single-byte blanks and tabs.
void TrimEnd(VornString& text)
{
    text.Left(sjis::TrimmedEnd(text.Text(), text.Length(), " \t", false));
}

}  // namespace

std::vector<FieldColumn> FieldColumnsFor(DatabaseKind kind, const std::vector<VornString>& headings,
                                         const DefinitionRows& definition)
{
    std::vector<FieldColumn> columns;
    columns.reserve(headings.size());
    for (const VornString& heading : headings) {
        FieldColumn column;
        column.name = heading;
        column.category = kUndefined;
        for (const DefinitionRow& row : definition) {
            if (!SameIgnoreCase(Cell(row, kDefName), heading.Text()))
                continue;
            column.typeName = Cell(row, kDefTypeName);
            column.category = LiteralCategory(Cell(row, kDefAdoType));
            if (kind == DatabaseKind::Postgres && SameIgnoreCase(column.typeName.Text(), "money"))
                column.category = kString;
            column.key = Cell(row, kDefPrimaryKey)[0] != '\0';
            column.automatic = IsAutomaticType(kind, column.typeName.Text());
            column.binary = IsBinaryAdoType(Cell(row, kDefAdoType));
            break;
        }
        columns.push_back(column);
    }
    return columns;
}

bool IsAutomaticType(DatabaseKind kind, const char* typeName)
{
    const char* type = Safe(typeName);
    switch (kind) {
    case DatabaseKind::Mdb:
        return SameIgnoreCase(type, "counter");
    case DatabaseKind::Postgres:
        return SameIgnoreCase(type, "serial");
    default:
        return SameIgnoreCase(type, "timestamp") || sjis::Find(type, "IDENTITY", true) >= 0;
    }
}

VornString QuoteName(const SqlDialect& dialect, const char* name)
{
    return EncloseName(dialect.kind, Safe(name), dialect.excelThroughDsn);
}

VornString QuoteOptionName(const SqlDialect& dialect, const char* name)
{
    if (dialect.kind == DatabaseKind::Postgres)
        return VornString(Safe(name));
    return QuoteName(dialect, name);
}

VornString KeyLiteral(const SqlDialect& dialect, const char* category, const char* value)
{
    const char* text = Safe(value);
    if (*text == '\0')
        return VornString("NULL");
    if (!IsQuotedCategory(category))
        return VornString(text);
    if (dialect.kind == DatabaseKind::Mdb && IsDate(category))
        return Hashed(text);
    return ValueLiteral(dialect, text);
}

VornString TypedConditionLiteral(const SqlDialect& dialect, const char* category, const char* value)
{
    const char* text = Safe(value);
    if (IsQuotedCategory(category)) {
        // The user's own enclosure is kept: for Mdb dates "#" or apostrophes.
        if (EnclosedIn(text, '\'') ||
            (dialect.kind == DatabaseKind::Mdb && IsDate(category) && EnclosedIn(text, '#')))
            return VornString(text);
    }
    return KeyLiteral(dialect, category, text);
}

VornString StatementLiteral(const SqlDialect& dialect, const FieldColumn& column, const char* value)
{
    const char* text = Safe(value);
    if (*text == '@')
        return VornString(text + 1);
    if (*text == '\0')
        return VornString("NULL");
    bool money = dialect.kind == DatabaseKind::Postgres && SameIgnoreCase(column.typeName.Text(), "money");
    if (!money && !IsQuotedCategory(column.category.Text()))
        return VornString(text);
    VornString literal = ValueLiteral(dialect, text);
    if (dialect.kind == DatabaseKind::Oracle && IsDate(column.category.Text()))
        return OracleDateLiteral(literal);
    return literal;
}

// ---- Options --------------------------------------------------------------------------

VornString ConditionWhere(const SqlDialect& dialect, const std::vector<ConditionRow>& rows)
{
    VornString where;
    for (const ConditionRow& row : rows) {
        const VornString& op = row.op;
        if (op.IsEmpty())
            continue;
        VornString part = QuoteName(dialect, row.name.Text());
        part.Append(' ');
        if (op.Equals("フリー入力")) {
            part.Append(row.value.Text());
        } else if (op.Equals("NULL") || op.Equals("not NULL")) {
            part.Append("is ");
            part.Append(op.Text());
        } else if (op.Equals("IN") || op.Equals("not IN")) {
            part.Append(op.Text());
            part.Append(" (");
            part.Append(row.value.Text());
            part.Append(')');
        } else if (op.Equals("LIKE") || op.Equals("not LIKE")) {
            part.Append(op.Text());
            part.Append(' ');
            part.Append(Apostrophed(row.value.Text()).Text());
        } else if (op.Equals("BETWEEN") || op.Equals("not BETWEEN")) {
            part.Append(op.Text());
            part.Append(' ');
            part.Append(row.value.Text());
        } else {
            VornString literal = TypedConditionLiteral(dialect, row.category.Text(), row.value.Text());
            if (dialect.kind == DatabaseKind::Oracle && IsDate(row.category.Text()))
                literal = OracleDateLiteral(literal);
            part.Append(op.Text());
            part.Append(' ');
            part.Append(literal.Text());
        }
        TrimEnd(part);
        part.Append(' ');
        if (!where.IsEmpty())
            where.Append("and ");
        where.Append(part.Text());
    }
    return where;
}

VornString SortOrderBy(const SqlDialect& dialect, const std::vector<SortRow>& rows)
{
    VornString orderBy;
    for (const SortRow& row : rows) {
        if (!orderBy.IsEmpty())
            orderBy.Append(',');
        orderBy.Append(HeaderOrderBy(dialect, row.name.Text(), row.descending).Text());
    }
    return orderBy;
}

VornString HeaderOrderBy(const SqlDialect& dialect, const char* heading, bool descending)
{
    VornString orderBy = QuoteOptionName(dialect, heading);
    if (descending)
        orderBy.Append(" desc");
    return orderBy;
}

VornString ColumnSelectList(const SqlDialect& dialect, const std::vector<VornString>& names,
                            const std::vector<bool>& checked)
{
    VornString list;
    size_t count = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i >= checked.size() || !checked[i])
            continue;
        if (count++ > 0)
            list.Append(',');
        list.Append(QuoteOptionName(dialect, names[i].Text()).Text());
    }
    if (count > 0 && count == names.size())
        return VornString("*");
    return list;
}

bool TableHasKey(const SqlDialect& dialect, const char* selectList, const std::vector<VornString>& keyNames)
{
    if (keyNames.empty())
        return false;
    VornString list(Safe(selectList));
    list.TrimBlanks();
    if (list.Equals("*"))
        return true;
    // The select list's names, split at "," on character boundaries and freed of quotes.
    std::vector<VornString> selected;
    const char* start = list.Text();
    for (const char* p = start;; p += sjis::CharLength(p)) {
        if (*p != ',' && *p != '\0')
            continue;
        VornString name;
        name.Assign(start, static_cast<size_t>(p - start));
        name.TrimBlanks();
        selected.push_back(RemoveNameQuotes(dialect.kind, name.Text()));
        if (*p == '\0')
            break;
        start = p + 1;
    }
    for (const VornString& key : keyNames) {
        VornString bare = RemoveNameQuotes(dialect.kind, key.Text());
        bool found = false;
        for (const VornString& name : selected)
            if (SameIgnoreCase(name.Text(), bare.Text())) {
                found = true;
                break;
            }
        if (!found)
            return false;
    }
    return true;
}

// ---- Row statements -------------------------------------------------------------------

VornString KeyCondition(const SqlDialect& dialect, const std::vector<FieldColumn>& columns,
                        const std::vector<VornString>& values)
{
    VornString condition;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i].key)
            continue;
        if (!condition.IsEmpty())
            condition.Append(" and ");
        condition.Append(QuoteName(dialect, columns[i].name.Text()).Text());
        condition.Append(" = ");
        condition.Append(KeyLiteral(dialect, columns[i].category.Text(), ValueAt(values, i)).Text());
    }
    return condition;
}

VornString InsertStatement(const SqlDialect& dialect, const char* table, const std::vector<FieldColumn>& columns,
                           const std::vector<VornString>& values)
{
    VornString names;
    VornString literals;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!Writable(columns[i]))
            continue;
        if (!names.IsEmpty()) {
            names.Append(',');
            literals.Append(',');
        }
        names.Append(QuoteName(dialect, columns[i].name.Text()).Text());
        literals.Append(StatementLiteral(dialect, columns[i], ValueAt(values, i)).Text());
    }
    if (names.IsEmpty())
        return VornString();
    VornString statement("insert into ");
    statement.Append(Safe(table));
    statement.Append(" (");
    statement.Append(names.Text());
    statement.Append(") values(");
    statement.Append(literals.Text());
    statement.Append(')');
    return statement;
}

VornString UpdateStatement(const SqlDialect& dialect, const char* table, const std::vector<FieldColumn>& columns,
                           const std::vector<VornString>& values)
{
    if (!AnyKey(columns))
        return VornString();
    VornString sets;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!Writable(columns[i]))
            continue;
        if (!sets.IsEmpty())
            sets.Append(',');
        sets.Append(QuoteName(dialect, columns[i].name.Text()).Text());
        sets.Append(" = ");
        sets.Append(StatementLiteral(dialect, columns[i], ValueAt(values, i)).Text());
    }
    if (sets.IsEmpty())
        return VornString();
    VornString statement("update ");
    statement.Append(Safe(table));
    statement.Append(" set ");
    statement.Append(sets.Text());
    statement.Append(" where ");
    statement.Append(KeyCondition(dialect, columns, values).Text());
    return statement;
}

VornString DeleteStatement(const SqlDialect& dialect, const char* table, const std::vector<FieldColumn>& columns,
                           const std::vector<VornString>& values)
{
    if (!AnyKey(columns))
        return VornString();
    VornString statement("delete from ");
    statement.Append(Safe(table));
    statement.Append(" where ");
    statement.Append(KeyCondition(dialect, columns, values).Text());
    return statement;
}

VornString ClearTableStatement(DatabaseKind kind, const char* table)
{
    VornString statement(kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb ? "delete from" : "truncate table");
    statement.Append(' ');
    statement.Append(Safe(table));
    return statement;
}

void AppendUpdateSqlLine(VornString& file, const char* statement, bool semicolon)
{
    const char* text = Safe(statement);
    const char* run = text;
    for (const char* p = text; *p; p += sjis::CharLength(p)) {
        if (*p != '\r' && *p != '\n')
            continue;
        file.Append(run, static_cast<size_t>(p - run));
        if (*p == '\n')
            file.Append("\\n");
        run = p + 1;
    }
    file.Append(run);
    if (semicolon)
        file.Append(';');
    file.Append('\n');
}

// ---- Clipboard ------------------------------------------------------------------------

std::vector<std::vector<VornString>> ClipboardRows(const char* text, size_t fieldCount)
{
    // One pass: LF is dropped, CR ends a line, TAB a field. A field is appended in runs
    // between those characters (none of them is ever a trail byte), so the work stays
    // linear in the text however many lines it holds.
    std::vector<std::vector<VornString>> rows;
    std::vector<VornString> fields;
    VornString field;
    bool lineHasText = false;
    const char* p = Safe(text);
    const char* run = p;
    auto flushRun = [&](const char* end) {
        if (end > run) {
            lineHasText = true;
            if (fields.size() < fieldCount)
                field.Append(run, static_cast<size_t>(end - run));
        }
    };
    for (;; p += sjis::CharLength(p)) {
        char c = *p;
        if (c != '\0' && c != '\r' && c != '\n' && c != '\t')
            continue;
        flushRun(p);
        run = p + 1;
        if (c == '\n')
            continue;
        if (c == '\t')
            lineHasText = true;
        if (fields.size() < fieldCount)
            fields.push_back(std::move(field));
        field = VornString();
        if (c == '\t')
            continue;
        if (lineHasText)
            rows.push_back(std::move(fields));
        fields.clear();
        lineHasText = false;
        if (c == '\0')
            break;
    }
    return rows;
}

}  // namespace dataview
