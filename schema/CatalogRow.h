// One record of a catalog query or schema rowset as the database link hands it over:
// the fields in recordset order, each as its name and its text (already converted by
// the value-to-text rule), plus whether the value was null. The schema rules read
// records through this so that they need neither a window nor a database.
#pragma once

#include <vector>

#include "../common/VornString.h"

class CatalogRow {
public:
    CatalogRow() = default;

    CatalogRow& Add(const char* name, const char* text, bool isNull = false);
    // The same, taking the text over.
    CatalogRow& Add(const char* name, VornString&& text);
    // A null value: its text is "", like the value-to-text rule gives.
    CatalogRow& AddNull(const char* name) { return Add(name, "", true); }

    void Reserve(int fields) { fields_.reserve(static_cast<size_t>(fields)); }
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const char* NameAt(int index) const;
    // "" outside the record.
    const char* TextAt(int index) const;

    // Field names are matched ignoring letter case, as recordset field look-ups are.
    bool Has(const char* name) const;
    // "" when the record has no such field or the value is null.
    const char* Text(const char* name) const;
    // True when the field is missing or its value is null.
    bool IsNull(const char* name) const;

private:
    struct Field {
        VornString name;
        VornString text;
        bool isNull;
    };
    const Field* Find(const char* name) const;

    std::vector<Field> fields_;
};

using CatalogRows = std::vector<CatalogRow>;
