#include "ConnectionRecord.h"

#include "../common/TokenList.h"

namespace {

const char kJetProvider[] = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";

VornString ExcelString(const char* path, bool noHeader)
{
    VornString text(kJetProvider);
    text.Append(path);
    text.Append(";Extended Properties=\"");
    text.Append(noHeader ? "Excel 8.0;HDR=No" : "Excel 8.0;");
    text.Append("\"");
    return text;
}

VornString MdbString(const char* path, const char* jetPassword)
{
    VornString text(kJetProvider);
    text.Append(path);
    if (jetPassword && *jetPassword) {
        text.Append(";Jet OLEDB:Database Password=");
        text.Append(jetPassword);
    }
    text.Append(";");
    return text;
}

VornString SqlServerString(const char* server, const char* database, const char* user,
                           const char* password)
{
    VornString text("Provider=SQLOLEDB;Data Source=");
    text.Append(server);
    text.Append(";Initial Catalog=");
    text.Append(database);
    text.Append(";User ID=");
    text.Append(user);
    text.Append(";Password=");
    text.Append(password);
    text.Append(";");
    return text;
}

// MySQL and PostgreSQL add the DATABASE clause only when a database is named; Oracle never.
VornString DsnString(const char* dsn, const char* database, const char* user,
                     const char* password)
{
    VornString text("Provider=MSDASQL;DSN=");
    text.Append(dsn);
    if (database && *database) {
        text.Append(";DATABASE=");
        text.Append(database);
    }
    text.Append(";UID=");
    text.Append(user);
    text.Append(";PWD=");
    text.Append(password);
    text.Append(";");
    return text;
}

VornString OdbcReference(const char* dsn, const char* database, const char* user,
                         const char* password)
{
    VornString text("[odbc;DSN=");
    text.Append(dsn);
    if (database && *database) {
        text.Append(";DATABASE=");
        text.Append(database);
    }
    text.Append(";UID=");
    text.Append(user);
    text.Append(";PWD=");
    text.Append(password);
    text.Append(";]");
    return text;
}

VornString ReferencePrefix(DatabaseKind kind, bool source, const char* path, const char* server,
                           const char* database, const char* user, const char* password)
{
    VornString text;
    switch (kind) {
    case DatabaseKind::Excel:
        text.Assign("[Excel 8.0;DATABASE=");
        text.Append(path);
        text.Append(";]");
        break;
    case DatabaseKind::Mdb:
        // Historical spelling: the source form has always been mixed case.
        text.Assign(source ? "[Database=" : "[DATABASE=");
        text.Append(path);
        text.Append(";]");
        break;
    case DatabaseKind::SqlServer:
        text.Assign("[odbc;Driver={SQL Server};Server=");
        text.Append(server);
        text.Append(";DATABASE=");
        text.Append(database);
        text.Append(";UID=");
        text.Append(user);
        text.Append(";PWD=");
        text.Append(password);
        text.Append(";]");
        break;
    case DatabaseKind::MySql:
    case DatabaseKind::Postgres:
        text = OdbcReference(server, database, user, password);
        break;
    case DatabaseKind::Oracle:
        text = OdbcReference(server, "", user, password);
        break;
    default:
        break;
    }
    return text;
}

}  // namespace

ConnectArgument ConnectArgument::Parse(DatabaseKind kind, const char* text)
{
    ConnectArgument argument;
    if (kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb) {
        argument.path.Assign(text ? text : "");
        return argument;
    }
    TokenList parts(text ? text : "", ',');
    argument.server.Assign(parts[0]);
    if (kind == DatabaseKind::Oracle) {
        argument.user.Assign(parts[1]);
        argument.password.Assign(parts[2]);
    } else {
        argument.database.Assign(parts[1]);
        argument.user.Assign(parts[2]);
        argument.password.Assign(parts[3]);
    }
    return argument;
}

bool ConnectionRecord::Build(DatabaseKind newKind, const char* argumentText)
{
    if (!IsKnownKind(newKind))
        return false;
    ConnectArgument argument = ConnectArgument::Parse(newKind, argumentText);
    kind = newKind;
    switch (newKind) {
    case DatabaseKind::Excel:
        filePath = argument.path;
        user.Clear();
        connectionString = ExcelString(filePath, noHeader);
        break;
    case DatabaseKind::Mdb:
        filePath = argument.path;
        user.Clear();
        connectionString = MdbString(filePath, jetPassword);
        break;
    case DatabaseKind::SqlServer:
        server = argument.server;
        database = argument.database;
        user = argument.user;
        password = argument.password;
        connectionString = SqlServerString(server, database, user, password);
        break;
    case DatabaseKind::MySql:
    case DatabaseKind::Postgres:
        server = argument.server;
        database = argument.database;
        user = argument.user;
        password = argument.password;
        connectionString = DsnString(server, database, user, password);
        break;
    case DatabaseKind::Oracle:
        server = argument.server;
        password = argument.password;
        // The string carries the user as typed; the record keeps the owner name Oracle's
        // catalog is filtered by, which is upper case.
        connectionString = DsnString(server, "", argument.user, password);
        user = argument.user;
        user.UpperCase();
        break;
    default:
        break;
    }
    return true;
}

VornString ConnectionRecord::SourceReference(const char* table) const
{
    VornString text = ReferencePrefix(kind, true, filePath, server, database, user, password);
    if (text.IsEmpty())
        return text;
    VornString name(table ? table : "");
    name.ReplaceAll("]", "]]");
    text.Append(".[");
    text.Append(name);
    text.Append("]");
    return text;
}

VornString ConnectionRecord::SourceDatabaseReference() const
{
    return ReferencePrefix(kind, true, filePath, server, database, user, password);
}

VornString DestinationConnectionString(DatabaseKind kind, const char* path, const char* server,
                                       const char* database, const char* user,
                                       const char* password)
{
    switch (kind) {
    case DatabaseKind::Excel:
        return ExcelString(path, false);
    case DatabaseKind::Mdb:
        return MdbString(path, "");
    case DatabaseKind::SqlServer:
        return SqlServerString(server, database, user, password);
    case DatabaseKind::MySql:
    case DatabaseKind::Postgres:
        return DsnString(server, database, user, password);
    case DatabaseKind::Oracle:
        return DsnString(server, "", user, password);
    default:
        return VornString("");
    }
}

VornString DestinationReference(DatabaseKind kind, const char* path, const char* server,
                                const char* database, const char* user, const char* password)
{
    return ReferencePrefix(kind, false, path, server, database, user, password);
}

VornString OwnDatabaseConnectionString(const char* programFolder)
{
    VornString folder(programFolder);
    folder.AddBackslash();
    VornString text(kJetProvider);
    text.Append(folder);
    text.Append("Kestrova.mdb");
    text.Append(";Jet OLEDB:Database Password=FernoQuilt;");
    return text;
}
