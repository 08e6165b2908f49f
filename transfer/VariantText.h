// Field values as text for the files the writers produce (INSERT lines, CSV), spelt the
// same whatever the user's locale: numbers with "." as the point and without grouping,
// dates as "yyyy/mm/dd hh:mm:ss" (a date without a time alone, a time without a date
// alone), decimals and currency exact. Integers, decimals and dates are spelt here
// without a system call, since a million-row table passes through for every file.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <string>

#include "InsertStatementText.h"

enum class VariantTextKind {
    Null,          // empty or null
    Text,          // a string
    Integer,       // whole numbers of every width
    Number,        // floating point, currency, decimal
    Boolean,       // Text() is "1" or "0"
    Date,
    Unconvertible, // byte arrays, objects: Text() is empty
};

class VariantSpeller {
public:
    VariantTextKind Spell(const VARIANT& value);
    const char* Text() const { return text_.data(); }
    size_t Length() const { return text_.size(); }

private:
    void FromWide(const wchar_t* wide, UINT length);
    void FromUnsigned(unsigned long long magnitude, bool negative);
    void FromDecimal(const DECIMAL& value);
    void FromCurrency(const CY& value);
    void FromDouble(double value, int shortDigits, int fullDigits);
    void FromDate(DATE date);

    std::string text_;
};

// How an INSERT line writes a value of that kind.
transfer::InsertValueKind InsertValueKindOf(VariantTextKind kind);
