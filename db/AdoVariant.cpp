#include "AdoVariant.h"

#include <cstring>

Variant::Variant(const Variant& other)
{
    VariantInit(&value_);
    VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
}

Variant::Variant(Variant&& other) noexcept
{
    value_ = other.value_;
    VariantInit(&other.value_);
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other)
        VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept
{
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        VariantInit(&other.value_);
    }
    return *this;
}

Variant Variant::Null()
{
    Variant v;
    v.value_.vt = VT_NULL;
    return v;
}

Variant Variant::Long(long value)
{
    Variant v;
    v.value_.vt = VT_I4;
    v.value_.lVal = value;
    return v;
}

Variant Variant::Short(short value)
{
    Variant v;
    v.value_.vt = VT_I2;
    v.value_.iVal = value;
    return v;
}

Variant Variant::Bool(bool value)
{
    Variant v;
    v.value_.vt = VT_BOOL;
    v.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::Text(const char* text)
{
    return Text(text, text ? strlen(text) : 0);
}

Variant Variant::Text(const char* text, size_t length, UINT codePage)
{
    Variant v;
    BSTR bstr = nullptr;
    // Every value read from a driver comes through here: a short text is converted once,
    // on the stack. No code page gives more UTF-16 units than it has bytes.
    wchar_t stack[512];
    if (length <= sizeof stack / sizeof stack[0]) {
        int wide = length ? MultiByteToWideChar(codePage, 0, text, static_cast<int>(length), stack,
                                                static_cast<int>(sizeof stack / sizeof stack[0]))
                          : 0;
        bstr = SysAllocStringLen(stack, static_cast<UINT>(wide));
    } else {
        int wide = MultiByteToWideChar(codePage, 0, text, static_cast<int>(length), nullptr, 0);
        bstr = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
        if (bstr && wide)
            MultiByteToWideChar(codePage, 0, text, static_cast<int>(length), bstr, wide);
    }
    if (!bstr)
        return v;
    v.value_.vt = VT_BSTR;
    v.value_.bstrVal = bstr;
    return v;
}

Variant Variant::Bytes(const void* data, size_t length)
{
    Variant v;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(length));
    if (!array)
        return v;
    if (length) {
        void* target = nullptr;
        SafeArrayAccessData(array, &target);
        memcpy(target, data, length);
        SafeArrayUnaccessData(array);
    }
    v.value_.vt = VT_ARRAY | VT_UI1;
    v.value_.parray = array;
    return v;
}

Variant Variant::Adopt(VARIANT& value)
{
    Variant v;
    v.value_ = value;
    VariantInit(&value);
    return v;
}

std::vector<char> Variant::ToText() const
{
    std::vector<char> out(1, '\0');
    if (value_.vt == VT_EMPTY || value_.vt == VT_NULL)
        return out;
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&value_), 0, VT_BSTR)))
        return out;
    int wide = static_cast<int>(SysStringLen(text.bstrVal));
    int bytes = wide ? WideCharToMultiByte(932, 0, text.bstrVal, wide, nullptr, 0, nullptr, nullptr) : 0;
    out.assign(bytes + 1, '\0');
    if (bytes)
        WideCharToMultiByte(932, 0, text.bstrVal, wide, out.data(), bytes, nullptr, nullptr);
    VariantClear(&text);
    return out;
}

bool Variant::ToText(char* buffer, size_t size) const
{
    if (!size)
        return false;
    std::vector<char> text = ToText();
    size_t length = strlen(text.data());
    bool fits = length < size;
    if (!fits)
        length = size - 1;
    memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return fits;
}
