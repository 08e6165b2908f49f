// Catalog records written as tables of (field name, text) pairs; a null text is a null value.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "schema/CatalogRow.h"

using FieldPairs = std::initializer_list<std::pair<const char*, const char*>>;

inline CatalogRow Record(FieldPairs fields)
{
    CatalogRow record;
    for (const auto& field : fields)
        record.Add(field.first, field.second ? field.second : "", field.second == nullptr);
    return record;
}

inline std::string Str(const char* text) { return text ? text : ""; }
