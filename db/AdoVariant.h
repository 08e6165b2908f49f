// An owned OLE VARIANT: copies with VariantCopy, clears on destruction, so rows of
// values can live in standard containers.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <vector>

class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant() { VariantClear(&value_); }

    static Variant Null();
    static Variant Long(long value);
    static Variant Short(short value);
    static Variant Bool(bool value);
    // Code page 932 text as a BSTR (through Unicode, so duplicate codes normalise).
    static Variant Text(const char* text);
    static Variant Text(const char* text, size_t length, UINT codePage = 932);
    static Variant Bytes(const void* data, size_t length);
    // Takes the value over without copying; the source is left empty.
    static Variant Adopt(VARIANT& value);

    VARIANT& Get() { return value_; }
    const VARIANT& Get() const { return value_; }
    VARTYPE Type() const { return value_.vt; }
    bool IsNull() const { return value_.vt == VT_NULL; }
    bool IsEmpty() const { return value_.vt == VT_EMPTY; }
    // The value as code page 932 text ("" for empty, null or unconvertible values).
    bool ToText(char* buffer, size_t size) const;
    std::vector<char> ToText() const;

private:
    VARIANT value_;
};

using VariantRow = std::vector<Variant>;
