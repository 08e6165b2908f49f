// An external reference read back into the connection it names: the inverse of the
// references db/ConnectionRecord writes ("[Excel 8.0;DATABASE=...;]", "[Database=...;]",
// "[odbc;Driver={SQL Server};Server=...;]", "[odbc;DSN=...;]").
#pragma once

#include "common/VornString.h"
#include "db/DatabaseKind.h"

namespace transfer {

// The form of a reference; the DSN form serves MySql, Oracle and Postgres alike.
enum class ReferenceForm { Invalid, Excel, Mdb, SqlServer, Dsn };

struct ParsedReference {
    ReferenceForm form = ReferenceForm::Invalid;
    VornString path;
    VornString server;     // the SQL Server, or the DSN
    VornString database;
    VornString user;
    VornString password;
};

ParsedReference ParseExternalReference(const char* reference);
// True when the kind writes references of the form.
bool ReferenceFitsKind(ReferenceForm form, DatabaseKind kind);
// The ADO connection string of the reference for the kind (DestinationConnectionString);
// empty when the reference does not fit the kind.
VornString ReferenceConnectionString(const ParsedReference& reference, DatabaseKind kind);

}  // namespace transfer
