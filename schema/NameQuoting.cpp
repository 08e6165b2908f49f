#include "NameQuoting.h"

#include "../common/SjisText.h"

namespace {

const char kInformationSchema[] = "INFORMATION_SCHEMA";

bool IsEnclosed(const VornString& name, NameQuotes quotes)
{
    VornString probe(name);
    probe.Unquote(quotes.open, quotes.close);
    return probe.Length() + 2 == name.Length();
}

}  // namespace

NameQuotes NameQuotesFor(DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::Excel:
    case DatabaseKind::Mdb:
    case DatabaseKind::SqlServer:
        return {'[', ']'};
    case DatabaseKind::MySql:
        return {'`', '`'};
    case DatabaseKind::Oracle:
    case DatabaseKind::Postgres:
        return {'"', '"'};
    default:
        return {'\0', '\0'};
    }
}

VornString EncloseName(DatabaseKind kind, const char* name, bool excelThroughDsn)
{
    VornString result(name ? name : "");
    NameQuotes quotes = NameQuotesFor(kind);
    if (quotes.open == '\0' || (excelThroughDsn && kind == DatabaseKind::Excel))
        return result;
    // VornString checks the closing character on a character boundary, so a name ending
    // in a double-byte character whose trail byte is ']' or '`' is still enclosed.
    if (IsEnclosed(result, quotes))
        return result;
    // A closing quote inside the name is doubled, as every kind reads it, so that it
    // cannot end the name early and leave the rest of it as statement text.
    const char single[] = {quotes.close, '\0'};
    const char doubled[] = {quotes.close, quotes.close, '\0'};
    result.ReplaceAll(single, doubled);
    result.Enclose(quotes.open, quotes.close);
    return result;
}

VornString RemoveNameQuotes(DatabaseKind kind, const char* name)
{
    VornString result(name ? name : "");
    NameQuotes quotes = NameQuotesFor(kind);
    if (quotes.open == '\0' || !IsEnclosed(result, quotes))
        return result;
    result.Unquote(quotes.open, quotes.close);
    const char single[] = {quotes.close, '\0'};
    const char doubled[] = {quotes.close, quotes.close, '\0'};
    result.ReplaceAll(doubled, single);
    return result;
}

VornString ListedTableName(DatabaseKind kind, const char* tableName, const char* ownerColumn,
                           bool excelThroughDsn)
{
    VornString result = EncloseName(kind, tableName, excelThroughDsn);
    if (kind == DatabaseKind::SqlServer && ownerColumn &&
        VornString(ownerColumn).Equals(kInformationSchema)) {
        result.Prepend(".");
        result.Prepend(kInformationSchema);
    }
    return result;
}

VornString NameInLiteral(const char* name)
{
    VornString result(name ? name : "");
    // A name with an apostrophe must not end the literal.
    result.ReplaceAll("'", "''");
    return result;
}

VornString OracleDateLiteral(const char* literal)
{
    VornString result("TO_DATE(");
    result.Append(literal ? literal : "");
    result.Append(",'RRRR/MM/DD HH24:MI:SS')");
    return result;
}
