// Rewrites a definition list for another database kind (export between databases).
#include <cstdlib>

#include "TypeCatalogue.h"

namespace {

enum TypeGroup {
    kGroupNone,
    kGroupText,          // 128, 129
    kGroupUnicodeText,   // 130
    kGroupExact,         // 131
    kGroupCurrency,      // 6
    kGroupBoolean,       // 11
    kGroupDateTime,      // 7, 135
    kGroupDate,          // 133
    kGroupTime,          // 134
    kGroupSmallInt,      // 2
    kGroupInteger,       // 3
    kGroupBigInt,        // 20
    kGroupSingle,        // 4
    kGroupDouble,        // 5
    kGroupTinyInt,       // 16
    kGroupUnsignedTiny,  // 17
};

TypeGroup GroupOf(int number)
{
    switch (number) {
    case 128: case 129: return kGroupText;
    case 130: return kGroupUnicodeText;
    case 131: return kGroupExact;
    case 6: return kGroupCurrency;
    case 11: return kGroupBoolean;
    case 7: case 135: return kGroupDateTime;
    case 133: return kGroupDate;
    case 134: return kGroupTime;
    case 2: return kGroupSmallInt;
    case 3: return kGroupInteger;
    case 20: return kGroupBigInt;
    case 4: return kGroupSingle;
    case 5: return kGroupDouble;
    case 16: return kGroupTinyInt;
    case 17: return kGroupUnsignedTiny;
    default: return kGroupNone;
    }
}

// Destination type names of the non-string groups, by kind (Excel, Mdb, SqlServer,
// MySql, Oracle, Postgres).
struct GroupNames {
    TypeGroup group;
    const char* names[6];
};

const GroupNames kGroupNames[] = {
    {kGroupExact, {"NUMBER", "DECIMAL", "DECIMAL", "decimal", "NUMBER", "numeric"}},
    {kGroupCurrency, {"MONEY", "MONEY", "MONEY", "double", "NUMBER", "float8"}},
    {kGroupBoolean, {"YESNO", "YESNO", "BIT", "tinyint", "NUMBER", "int2"}},
    {kGroupDateTime, {"DATE", "DATE", "DATETIME", "datetime", "DATE", "date"}},
    {kGroupDate, {"DATE", "DATE", "DATETIME", "date", "DATE", "date"}},
    {kGroupTime, {"DATE", "DATE", "DATETIME", "time", "DATE", "time"}},
    {kGroupSmallInt, {"NUMBER", "SMALLINT", "SMALLINT", "smallint", "NUMBER", "int2"}},
    {kGroupInteger, {"NUMBER", "INT", "INT", "int", "NUMBER", "int4"}},
    {kGroupBigInt, {"NUMBER", "INT", "INT", "bigint", "NUMBER", "int8"}},
    {kGroupSingle, {"NUMBER", "REAL", "REAL", "float", "NUMBER", "float4"}},
    {kGroupDouble, {"NUMBER", "NUMBER", "FLOAT", "double", "NUMBER", "float8"}},
    {kGroupTinyInt, {"NUMBER", "SMALLINT", "TINYINT", "tinyint", "NUMBER", "int2"}},
    {kGroupUnsignedTiny, {"NUMBER", "BYTE", "TINYINT", "tinyint", "NUMBER", "int2"}},
};

bool IsEmptyOrZero(const VornString& size) { return size.IsEmpty() || size.Equals("0"); }

// Size rule n: sizes 1 .. n-1 keep the sized type, anything else becomes the long type.
void ApplySizeRule(DefinitionRow& row, int limit, const char* sized, const char* longType)
{
    long size = row[kDefSize].ToInteger();
    if (size >= 1 && size < limit) {
        row[kDefTypeName] = sized;
    } else {
        row[kDefTypeName] = longType;
        row[kDefSize].Clear();
    }
}

void UseLongType(DefinitionRow& row, const char* longType)
{
    row[kDefTypeName] = longType;
    row[kDefSize].Clear();
}

void MoveExactSize(DefinitionRow& row, const DefinitionRow& source)
{
    row[kDefSize] = source[kDefPrecision];
    row[kDefPrecision] = source[kDefScale];
}

void MapStringRow(DefinitionRow& row, TypeGroup group, DatabaseKind destination)
{
    bool unicode = group == kGroupUnicodeText;
    // A row-version column ("timestamp") has no text to keep a size for.
    bool rowVersion = row[kDefTypeName].EqualsIgnoreCase("timestamp");
    switch (destination) {
    case DatabaseKind::Excel:
        UseLongType(row, "VARCHAR");
        break;
    case DatabaseKind::Mdb:
        if (rowVersion)
            UseLongType(row, "MEMO");
        else
            ApplySizeRule(row, 256, "VARCHAR", "MEMO");
        break;
    case DatabaseKind::SqlServer:
        if (rowVersion)
            UseLongType(row, unicode ? "DATETIME" : "TEXT");
        else if (unicode)
            ApplySizeRule(row, 1001, "NVARCHAR", "NTEXT");
        else
            ApplySizeRule(row, 1001, "VARCHAR", "TEXT");
        break;
    case DatabaseKind::MySql:
        if (rowVersion)
            UseLongType(row, "text");
        else
            ApplySizeRule(row, 256, "varchar", "text");
        break;
    case DatabaseKind::Postgres:
        if (rowVersion)
            UseLongType(row, "text");
        else
            ApplySizeRule(row, 2001, "varchar", "text");
        break;
    case DatabaseKind::Oracle: {
        long keepUpTo = unicode ? 1000 : 4000;
        long size = row[kDefSize].ToInteger();
        if ((rowVersion && !unicode) || IsEmptyOrZero(row[kDefSize]) || size < 1 || size > keepUpTo)
            UseLongType(row, "CLOB");
        else
            row[kDefTypeName] = unicode ? "NVARCHAR2" : "VARCHAR2";
        break;
    }
    default:
        break;
    }
}

void MapSameKindRow(DefinitionRow& row, const DefinitionRow& source, int number, DatabaseKind kind)
{
    VornString& name = row[kDefTypeName];
    if (kind == DatabaseKind::Postgres && name.EqualsIgnoreCase("money"))
        name = "float8";
    else if (kind == DatabaseKind::MySql && name.EqualsIgnoreCase("timestamp"))
        name = "datetime";
    else if (kind == DatabaseKind::SqlServer && name.EqualsIgnoreCase("timestamp"))
        name = "text";

    if (number == 131) {
        MoveExactSize(row, source);
    } else if (number == 128 || number == 129 || number == 130) {
        if (IsEmptyOrZero(row[kDefSize]) || row[kDefSize].ToInteger() > 1000)
            row[kDefSize].Clear();
    } else if (number == 11) {
        row[kDefSize].Clear();
    }
}

void MapOtherKindRow(DefinitionRow& row, const DefinitionRow& source, int number,
                     DatabaseKind destination)
{
    TypeGroup group = GroupOf(number);
    if (group == kGroupNone)
        return;
    if (group == kGroupText || group == kGroupUnicodeText) {
        MapStringRow(row, group, destination);
        return;
    }
    for (const GroupNames& names : kGroupNames) {
        if (names.group != group)
            continue;
        row[kDefTypeName] = names.names[static_cast<int>(destination)];
        break;
    }
    if (group == kGroupExact && destination != DatabaseKind::Excel)
        MoveExactSize(row, source);
    else
        row[kDefSize].Clear();
}

}  // namespace

DefinitionRows MapDefinitionsForExport(const DefinitionRows& source, DatabaseKind sourceKind,
                                       DatabaseKind destinationKind)
{
    DefinitionRows destination;
    destination.reserve(source.size());
    for (const DefinitionRow& sourceRow : source) {
        DefinitionRow row = sourceRow;
        row.resize(kDefColumnCount);
        DefinitionRow padded = row;
        int number = std::atoi(row[kDefAdoType].Text());
        if (destinationKind == sourceKind)
            MapSameKindRow(row, padded, number, destinationKind);
        else if (IsKnownKind(destinationKind))
            MapOtherKindRow(row, padded, number, destinationKind);
        destination.push_back(row);
    }
    return destination;
}
