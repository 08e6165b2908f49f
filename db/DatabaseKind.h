// The six database kinds; the numbers are stored in settings and used as indexes.
#pragma once

enum class DatabaseKind : int {
    None = -1,
    Excel = 0,
    Mdb = 1,
    SqlServer = 2,
    MySql = 3,
    Oracle = 4,
    Postgres = 5,
};

bool IsKnownKind(DatabaseKind kind);
DatabaseKind KindFromNumber(int number);
// "EXCEL", "MDB", "SQLServer", "MySQL", "Oracle", "Postgres"; "" for none.
const char* KindSectionName(DatabaseKind kind);
// " -- [EXCEL] -- " ...; "" for none.
const char* KindTitleTag(DatabaseKind kind);
