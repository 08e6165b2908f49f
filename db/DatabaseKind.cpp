#include "DatabaseKind.h"

namespace {

struct KindTexts {
    const char* section;
    const char* titleTag;
};

const KindTexts kKindTexts[] = {
    {"EXCEL", " -- [EXCEL] -- "},
    {"MDB", " -- [MDB] -- "},
    {"SQLServer", " -- [SQLserver] -- "},
    {"MySQL", " -- [MySQL] -- "},
    {"Oracle", " -- [Oracle] -- "},
    {"Postgres", " -- [Postgres] -- "},
};

}  // namespace

bool IsKnownKind(DatabaseKind kind)
{
    int n = static_cast<int>(kind);
    return n >= 0 && n <= 5;
}

DatabaseKind KindFromNumber(int number)
{
    DatabaseKind kind = static_cast<DatabaseKind>(number);
    return IsKnownKind(kind) ? kind : DatabaseKind::None;
}

const char* KindSectionName(DatabaseKind kind)
{
    return IsKnownKind(kind) ? kKindTexts[static_cast<int>(kind)].section : "";
}

const char* KindTitleTag(DatabaseKind kind)
{
    return IsKnownKind(kind) ? kKindTexts[static_cast<int>(kind)].titleTag : "";
}
