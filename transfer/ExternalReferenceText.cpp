#include "ExternalReferenceText.h"

#include <cstring>

#include "common/SjisText.h"
#include "db/ConnectionRecord.h"

namespace transfer {

namespace {

// "key=value;" pairs up to the closing ";]". Values are taken up to the next ";" on a
// character boundary, as the references are written without quoting.
bool ReadPairs(const char* text, ParsedReference& reference)
{
    size_t pos = 0;
    while (text[pos] != '\0') {
        long equals = sjis::FindChar(text + pos, '=');
        long end = sjis::FindChar(text + pos, ';');
        if (end < 0)
            return false;
        if (equals < 0 || equals > end)
            return false;
        VornString key(VornString(text + pos));
        key.Left(static_cast<size_t>(equals));
        VornString value;
        value.Assign(text + pos + equals + 1, static_cast<size_t>(end - equals - 1));
        key.UpperCase();
        if (key.Equals("DATABASE"))
            reference.database = value;
        else if (key.Equals("SERVER") || key.Equals("DSN"))
            reference.server = value;
        else if (key.Equals("UID"))
            reference.user = value;
        else if (key.Equals("PWD"))
            reference.password = value;
        else if (!key.Equals("DRIVER"))
            return false;
        pos += static_cast<size_t>(end) + 1;
    }
    return true;
}

bool StartsWithText(const char* text, const char* head)
{
    return std::strncmp(text, head, std::strlen(head)) == 0;
}

}  // namespace

ParsedReference ParseExternalReference(const char* text)
{
    ParsedReference reference;
    VornString inner(text ? text : "");
    if (!inner.StartsWith("[") || !sjis::EndsWithChar(inner, ']'))
        return reference;
    inner.RemoveFirst();
    inner.Chop();
    if (!sjis::EndsWithChar(inner, ';'))
        return reference;
    ParsedReference parsed;
    const char* body = inner.Text();
    if (StartsWithText(body, "Excel 8.0;DATABASE=")) {
        parsed.form = ReferenceForm::Excel;
        body += std::strlen("Excel 8.0;");
    } else if (StartsWithText(body, "DATABASE=") || StartsWithText(body, "Database=")) {
        parsed.form = ReferenceForm::Mdb;
    } else if (StartsWithText(body, "odbc;Driver={SQL Server};")) {
        parsed.form = ReferenceForm::SqlServer;
        body += std::strlen("odbc;");
    } else if (StartsWithText(body, "odbc;DSN=")) {
        parsed.form = ReferenceForm::Dsn;
        body += std::strlen("odbc;");
    } else {
        return reference;
    }
    if (!ReadPairs(body, parsed))
        return reference;
    if (parsed.form == ReferenceForm::Excel || parsed.form == ReferenceForm::Mdb) {
        // The path is the DATABASE value; a file kind names nothing else.
        parsed.path = parsed.database;
        parsed.database.Clear();
        if (parsed.path.IsEmpty() || !parsed.server.IsEmpty() || !parsed.user.IsEmpty())
            return reference;
    } else if (parsed.server.IsEmpty()) {
        return reference;
    }
    return parsed;
}

bool ReferenceFitsKind(ReferenceForm form, DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::Excel:
        return form == ReferenceForm::Excel;
    case DatabaseKind::Mdb:
        return form == ReferenceForm::Mdb;
    case DatabaseKind::SqlServer:
        return form == ReferenceForm::SqlServer;
    case DatabaseKind::MySql:
    case DatabaseKind::Oracle:
    case DatabaseKind::Postgres:
        return form == ReferenceForm::Dsn;
    default:
        return false;
    }
}

VornString ReferenceConnectionString(const ParsedReference& reference, DatabaseKind kind)
{
    if (!ReferenceFitsKind(reference.form, kind))
        return VornString("");
    return DestinationConnectionString(kind, reference.path, reference.server, reference.database, reference.user,
                                       reference.password);
}

}  // namespace transfer
