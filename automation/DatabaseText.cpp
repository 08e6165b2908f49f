#include "DatabaseText.h"

#include <cstring>
#include <initializer_list>

#include "SjisText.h"
#include "db/ConnectionRecord.h"
#include "db/DbLinkText.h"

namespace vorn {

namespace {

const char kJet[] = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";

void AddPieces(const char* text, std::vector<VornString>& statements)
{
    for (const VornString& piece : dblink::SplitStatements(text)) {
        const char* bytes = piece.Text();
        size_t end = sjis::TrimmedEnd(bytes, piece.Length(), " \r\n", false);
        size_t start = sjis::TrimmedStart(bytes, end, " \r\n", false);
        if (end > start)
            statements.emplace_back().Assign(bytes + start, end - start);
    }
}

}  // namespace

VornString ScriptConnectionString(long kind, const char* target)
{
    VornString text;
    if (kind < 0 || kind > 5)
        return text;
    DatabaseKind databaseKind = KindFromNumber(static_cast<int>(kind));
    ConnectArgument argument = ConnectArgument::Parse(databaseKind, target);
    // Pieces are appended, not formatted: a connect argument may be longer than a format buffer.
    auto add = [&text](std::initializer_list<const char*> pieces) {
        for (const char* piece : pieces)
            text.Append(piece);
    };
    switch (databaseKind) {
    case DatabaseKind::Excel:
        add({kJet, argument.path, ";Extended Properties=\"Excel 8.0;\""});
        break;
    case DatabaseKind::Mdb:
        add({kJet, argument.path});
        break;
    case DatabaseKind::SqlServer:
        add({"Provider=SQLOLEDB;Data Source=", argument.server, ";Initial Catalog=", argument.database,
             ";User ID=", argument.user, ";Password=", argument.password});
        break;
    case DatabaseKind::MySql:
        add({"Provider=MSDASQL;DSN=", argument.server, ";DATABASE=", argument.database, ";UID=", argument.user,
             ";PWD=", argument.password});
        break;
    case DatabaseKind::Oracle:
        add({"Provider=MSDASQL;DSN=", argument.server, ";UID=", argument.user, ";PWD=", argument.password, ";"});
        break;
    case DatabaseKind::Postgres:
        add({"Provider=MSDASQL;DSN=", argument.server});
        if (!argument.database.IsEmpty())
            add({";DATABASE=", argument.database});
        add({";UID=", argument.user, ";PWD=", argument.password, ";"});
        break;
    default:
        break;
    }
    return text;
}

void SqlScriptReader::AddLine(const char* line, std::vector<VornString>& statements)
{
    if (std::strncmp(line, "--", 2) == 0)
        return;
    pending_.Append(line);
    long last = sjis::FindLastChar(pending_.Text(), ';');
    if (last < 0)
        return;
    VornString complete;
    complete.Assign(pending_.Text(), static_cast<size_t>(last));
    AddPieces(complete.Text(), statements);
    VornString rest(pending_.Text() + last + 1);
    pending_ = rest;
}

void SqlScriptReader::Finish(std::vector<VornString>& statements)
{
    AddPieces(pending_.Text(), statements);
    pending_.Clear();
}

}  // namespace vorn
