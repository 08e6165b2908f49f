// A column of a definition list as tests write it: name, ADO number, type name, 最大桁,
// 精度, ｽｹｰﾙ and 主キー.
#pragma once

#include "db/DefinitionList.h"

inline DefinitionRow DefinitionColumn(const char* name, const char* number, const char* type, const char* size = "",
                                      const char* precision = "", const char* scale = "", const char* key = "")
{
    DefinitionRow row = EmptyDefinitionRow();
    row[kDefName] = name;
    row[kDefAdoType] = number;
    row[kDefTypeName] = type;
    row[kDefSize] = size;
    row[kDefPrecision] = precision;
    row[kDefScale] = scale;
    row[kDefPrimaryKey] = key;
    return row;
}
