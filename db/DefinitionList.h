// A column definition list without a window: one row per column, the 13 cells of the
// definition view as text.
#pragma once

#include <vector>

#include "../common/VornString.h"

enum DefinitionColumn {
    kDefNumber = 0,
    kDefName = 1,
    kDefAdoType = 2,
    kDefTypeConstant = 3,
    kDefTypeName = 4,
    kDefSize = 5,
    kDefPrecision = 6,
    kDefScale = 7,
    kDefNullable = 8,
    kDefPrimaryKey = 9,
    kDefDefault = 10,
    kDefTypeDescription = 11,
    kDefRemarks = 12,
    kDefColumnCount = 13,
};

using DefinitionRow = std::vector<VornString>;
using DefinitionRows = std::vector<DefinitionRow>;

inline DefinitionRow EmptyDefinitionRow() { return DefinitionRow(kDefColumnCount); }
