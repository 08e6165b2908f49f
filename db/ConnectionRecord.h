// The current connection's fields and the connection strings and external references
// built from them. Pure text building: nothing here opens a connection.
#pragma once

#include "../common/VornString.h"
#include "DatabaseKind.h"

// The fields of a ConnectArgument: the file path for Excel and Mdb; otherwise the
// comma-separated server or DSN, database, user and password (Oracle: DSN, user,
// password). Missing parts are empty.
struct ConnectArgument {
    VornString path;
    VornString server;
    VornString database;
    VornString user;
    VornString password;

    static ConnectArgument Parse(DatabaseKind kind, const char* text);
};

struct ConnectionRecord {
    DatabaseKind kind = DatabaseKind::None;
    VornString filePath;
    VornString server;
    VornString database;
    VornString user;
    VornString password;
    VornString jetPassword;
    bool noHeader = false;
    bool hideSheets = false;
    bool noSystemTable = false;
    bool noSystemView = false;
    bool noSystemCatalog = false;
    VornString connectionString;

    // Sets the fields the kind uses and the connection string; an unknown kind changes nothing.
    bool Build(DatabaseKind newKind, const char* argument);

    // "[...].[table]": the current table as another engine's SQL names it; a "]" in the
    // table's name is doubled so that it cannot end the bracket early.
    VornString SourceReference(const char* table) const;
    // The "[...]" part alone.
    VornString SourceDatabaseReference() const;
};

// The export target's connection: like the connection string, but Excel never uses
// the HDR variant and Mdb never carries a Jet password.
VornString DestinationConnectionString(DatabaseKind kind, const char* path, const char* server,
                                       const char* database, const char* user,
                                       const char* password);
// "[...]": the export target as a Jet external-database prefix.
VornString DestinationReference(DatabaseKind kind, const char* path, const char* server,
                                const char* database, const char* user, const char* password);
// The connection string of the program's own database beside the program.
VornString OwnDatabaseConnectionString(const char* programFolder);
