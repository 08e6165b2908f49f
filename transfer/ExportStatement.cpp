#include "ExportStatement.h"

#include <cstring>

#include "common/SjisText.h"

namespace transfer {

namespace {

const char kInsertHead[] = "insert into ";
const char kSelectHead[] = "select ";
const char kInto[] = " into ";
const char kFrom[] = " from ";
const char kSelect[] = " select ";
const char kWhere[] = " where ";
const char kOrderBy[] = " order by ";

void AppendReferenceAndName(VornString& text, const char* reference, const char* name)
{
    text.Append(reference);
    text.Append(".");
    text.Append(BracketName(name));
}

void AppendClauses(VornString& text, const ExportStatement& statement)
{
    if (!statement.condition.IsEmpty()) {
        text.Append(kWhere);
        text.Append(statement.condition);
    }
    if (!statement.order.IsEmpty()) {
        text.Append(kOrderBy);
        text.Append(statement.order);
    }
}

bool StartsAt(const char* text, size_t pos, const char* part)
{
    return std::strncmp(text + pos, part, std::strlen(part)) == 0;
}

// An external reference "[...;]" at pos; pos is left after it. A reference ends at the
// first ";]" on a character boundary: the connection texts inside never hold one.
bool ReadReference(const char* text, size_t& pos, VornString& reference)
{
    if (text[pos] != '[')
        return false;
    long end = sjis::Find(text + pos, ";]");
    if (end < 0)
        return false;
    size_t length = static_cast<size_t>(end) + 2;
    reference.Assign(text + pos, length);
    pos += length;
    return true;
}

// ".[name]" at pos, "]]" read as one "]".
bool ReadBracketedName(const char* text, size_t& pos, VornString& name)
{
    if (!StartsAt(text, pos, ".["))
        return false;
    pos += 2;
    name.Clear();
    while (text[pos] != '\0') {
        size_t n = sjis::CharLength(text + pos);
        if (n == 1 && text[pos] == ']') {
            if (text[pos + 1] != ']') {
                ++pos;
                return true;
            }
            name.Append(']');
            pos += 2;
            continue;
        }
        name.Append(text + pos, n);
        pos += n;
    }
    return false;
}

bool ReadReferenceAndName(const char* text, size_t& pos, VornString& reference, VornString& name)
{
    return ReadReference(text, pos, reference) && ReadBracketedName(text, pos, name);
}

// What follows the source: nothing, " where W", " order by O" or both. The order is the
// part after the last " order by ", which a condition's subquery may hold too.
bool ReadClauses(const char* text, size_t pos, ExportStatement& statement)
{
    statement.condition.Clear();
    statement.order.Clear();
    VornString rest(text + pos);
    if (rest.IsEmpty())
        return true;
    long lastOrder = -1;
    for (long hit = rest.Find(kOrderBy); hit >= 0; hit = rest.Find(kOrderBy, static_cast<size_t>(hit) + 1))
        lastOrder = hit;
    VornString head(rest);
    if (lastOrder >= 0) {
        statement.order.Assign(rest.Text() + lastOrder + std::strlen(kOrderBy));
        head.Left(static_cast<size_t>(lastOrder));
    }
    if (head.IsEmpty())
        return !statement.order.IsEmpty();
    if (!head.StartsWith(kWhere))
        return false;
    statement.condition.Assign(head.Text() + std::strlen(kWhere));
    return !statement.condition.IsEmpty();
}

}  // namespace

VornString BracketName(const char* name)
{
    VornString text(name ? name : "");
    text.ReplaceAll("]", "]]");
    text.Enclose('[', ']');
    return text;
}

VornString BuildExportStatement(const ExportStatement& statement)
{
    VornString text;
    if (statement.form == ExportForm::Insert) {
        text.Assign(kInsertHead);
        AppendReferenceAndName(text, statement.destinationReference, statement.target);
        text.Append(kSelect);
        text.Append(statement.columns);
        text.Append(kFrom);
    } else {
        text.Assign(kSelectHead);
        text.Append(statement.columns);
        text.Append(kInto);
        AppendReferenceAndName(text, statement.destinationReference, statement.target);
        text.Append(kFrom);
    }
    AppendReferenceAndName(text, statement.sourceReference, statement.sourceTable);
    AppendClauses(text, statement);
    return text;
}

bool ParseExportStatement(const char* text, ExportStatement& statement)
{
    if (!text)
        return false;
    size_t pos = 0;
    ExportStatement parsed;
    if (StartsAt(text, 0, kInsertHead)) {
        parsed.form = ExportForm::Insert;
        pos = std::strlen(kInsertHead);
        if (!ReadReferenceAndName(text, pos, parsed.destinationReference, parsed.target) ||
            !StartsAt(text, pos, kSelect))
            return false;
        pos += std::strlen(kSelect);
        // The columns end where the source reference begins.
        long from = sjis::Find(text + pos, " from [");
        if (from <= 0)
            return false;
        parsed.columns.Assign(text + pos, static_cast<size_t>(from));
        pos += static_cast<size_t>(from) + std::strlen(kFrom);
    } else if (StartsAt(text, 0, kSelectHead)) {
        parsed.form = ExportForm::SelectInto;
        pos = std::strlen(kSelectHead);
        long into = sjis::Find(text + pos, " into [");
        if (into <= 0)
            return false;
        parsed.columns.Assign(text + pos, static_cast<size_t>(into));
        pos += static_cast<size_t>(into) + std::strlen(kInto);
        if (!ReadReferenceAndName(text, pos, parsed.destinationReference, parsed.target) ||
            !StartsAt(text, pos, kFrom))
            return false;
        pos += std::strlen(kFrom);
    } else {
        return false;
    }
    if (!ReadReferenceAndName(text, pos, parsed.sourceReference, parsed.sourceTable) ||
        !ReadClauses(text, pos, parsed))
        return false;
    if (parsed.target.IsEmpty() || parsed.sourceTable.IsEmpty())
        return false;
    statement = parsed;
    return true;
}

}  // namespace transfer
