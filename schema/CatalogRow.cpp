#include "CatalogRow.h"

#include <utility>

#include "../common/SjisText.h"

CatalogRow& CatalogRow::Add(const char* name, const char* text, bool isNull)
{
    fields_.push_back(Field{VornString(name ? name : ""), VornString(isNull || !text ? "" : text),
                            isNull});
    return *this;
}

CatalogRow& CatalogRow::Add(const char* name, VornString&& text)
{
    fields_.push_back(Field{VornString(name ? name : ""), std::move(text), false});
    return *this;
}

const char* CatalogRow::NameAt(int index) const
{
    return index >= 0 && index < FieldCount() ? fields_[static_cast<size_t>(index)].name.Text()
                                              : "";
}

const char* CatalogRow::TextAt(int index) const
{
    return index >= 0 && index < FieldCount() ? fields_[static_cast<size_t>(index)].text.Text()
                                              : "";
}

const CatalogRow::Field* CatalogRow::Find(const char* name) const
{
    if (!name)
        return nullptr;
    for (const Field& field : fields_)
        if (sjis::CompareIgnoreCase(field.name.Text(), name) == 0)
            return &field;
    return nullptr;
}

bool CatalogRow::Has(const char* name) const { return Find(name) != nullptr; }

const char* CatalogRow::Text(const char* name) const
{
    const Field* field = Find(name);
    return field ? field->text.Text() : "";
}

bool CatalogRow::IsNull(const char* name) const
{
    const Field* field = Find(name);
    return !field || field->isNull;
}
