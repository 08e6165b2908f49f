// How table and column names are written into SQL for each database kind: enclosed in
// the kind's quotes, freed of them again, and put inside a quoted SQL literal; and the
// one literal form every generator shares, Oracle's dates.
#pragma once

#include "../common/VornString.h"
#include "../db/DatabaseKind.h"

struct NameQuotes {
    char open;   // '\0' when the kind quotes nothing
    char close;
};

// "[" "]" for Excel, Mdb and SqlServer; "`" for MySql; '"' for Oracle and Postgres.
NameQuotes NameQuotesFor(DatabaseKind kind);

// The name in the kind's quotes; a name that already starts with the opening and ends
// with the closing character (on a character boundary) stays as it is. With
// excelThroughDsn (an Excel workbook reached through another DSN) nothing is quoted.
VornString EncloseName(DatabaseKind kind, const char* name, bool excelThroughDsn = false);

// Strips one pair of the kind's quotes when the name is enclosed in them.
VornString RemoveNameQuotes(DatabaseKind kind, const char* name);

// A table of the table list as SQL names it: column 1 quoted; for SqlServer a row whose
// owner column (4) is "INFORMATION_SCHEMA" gets "INFORMATION_SCHEMA." in front.
VornString ListedTableName(DatabaseKind kind, const char* tableName, const char* ownerColumn,
                           bool excelThroughDsn = false);

// A date literal as Oracle reads it whatever its session's format: "TO_DATE(" + literal +
// ",'RRRR/MM/DD HH24:MI:SS')".
VornString OracleDateLiteral(const char* literal);

// The name ready to stand between apostrophes in a SQL literal: apostrophes doubled.
VornString NameInLiteral(const char* name);
