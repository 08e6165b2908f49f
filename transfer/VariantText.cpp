#include "VariantText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Digits of a magnitude, most significant first, into the end of buffer; returns the start.
char* WriteDigits(char* end, unsigned long long magnitude)
{
    char* start = end;
    do {
        *--start = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    return start;
}

void AppendTwoDigits(std::string& text, unsigned value)
{
    text.push_back(static_cast<char>('0' + value / 10 % 10));
    text.push_back(static_cast<char>('0' + value % 10));
}

// The 96-bit magnitude divided by 10 in place; the remainder.
unsigned DivideByTen(unsigned long parts[3])
{
    unsigned long long remainder = 0;
    for (int i = 2; i >= 0; --i) {
        unsigned long long current = (remainder << 32) | parts[i];
        parts[i] = static_cast<unsigned long>(current / 10);
        remainder = current % 10;
    }
    return static_cast<unsigned>(remainder);
}

}  // namespace

VariantTextKind VariantSpeller::Spell(const VARIANT& value)
{
    text_.clear();
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL: return VariantTextKind::Null;
    case VT_BSTR:
        FromWide(value.bstrVal, SysStringLen(value.bstrVal));
        return VariantTextKind::Text;
    case VT_BOOL:
        text_ = value.boolVal ? "1" : "0";
        return VariantTextKind::Boolean;
    case VT_I1: FromUnsigned(static_cast<unsigned long long>(value.cVal < 0 ? -value.cVal : value.cVal), value.cVal < 0); break;
    case VT_I2: FromUnsigned(static_cast<unsigned long long>(value.iVal < 0 ? -value.iVal : value.iVal), value.iVal < 0); break;
    case VT_I4:
    case VT_INT: {
        long long v = value.lVal;
        FromUnsigned(static_cast<unsigned long long>(v < 0 ? -v : v), v < 0);
        break;
    }
    case VT_I8: {
        long long v = value.llVal;
        FromUnsigned(v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v), v < 0);
        break;
    }
    case VT_UI1: FromUnsigned(value.bVal, false); break;
    case VT_UI2: FromUnsigned(value.uiVal, false); break;
    case VT_UI4:
    case VT_UINT: FromUnsigned(value.ulVal, false); break;
    case VT_UI8: FromUnsigned(value.ullVal, false); break;
    case VT_DECIMAL:
        FromDecimal(value.decVal);
        return VariantTextKind::Number;
    case VT_CY:
        FromCurrency(value.cyVal);
        return VariantTextKind::Number;
    case VT_R8:
        FromDouble(value.dblVal, 15, 17);
        return VariantTextKind::Number;
    case VT_R4:
        FromDouble(value.fltVal, 7, 9);
        return VariantTextKind::Number;
    case VT_DATE:
        FromDate(value.date);
        return text_.empty() ? VariantTextKind::Unconvertible : VariantTextKind::Date;
    default: return VariantTextKind::Unconvertible;
    }
    return VariantTextKind::Integer;
}

void VariantSpeller::FromWide(const wchar_t* wide, UINT length)
{
    if (!length)
        return;
    int bytes = WideCharToMultiByte(932, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    text_.resize(static_cast<size_t>(bytes));
    WideCharToMultiByte(932, 0, wide, static_cast<int>(length), &text_[0], bytes, nullptr, nullptr);
}

void VariantSpeller::FromUnsigned(unsigned long long magnitude, bool negative)
{
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* start = WriteDigits(end, magnitude);
    if (negative)
        text_.push_back('-');
    text_.append(start, end);
}

void VariantSpeller::FromDecimal(const DECIMAL& value)
{
    unsigned long parts[3] = {static_cast<unsigned long>(value.Lo64 & 0xFFFFFFFFu),
                              static_cast<unsigned long>(value.Lo64 >> 32), value.Hi32};
    char digits[32];
    int count = 0;
    while (parts[0] || parts[1] || parts[2])
        digits[count++] = static_cast<char>('0' + DivideByTen(parts));
    int scale = value.scale;
    // At least one digit before the point: 0.05 rather than .05.
    while (count <= scale)
        digits[count++] = '0';
    if (value.sign & DECIMAL_NEG)
        text_.push_back('-');
    for (int i = count - 1; i >= 0; --i) {
        if (i == scale - 1)
            text_.push_back('.');
        text_.push_back(digits[i]);
    }
}

// Currency keeps four places; trailing zeros go, as the system's own spelling drops them.
void VariantSpeller::FromCurrency(const CY& value)
{
    long long v = value.int64;
    unsigned long long magnitude = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    FromUnsigned(magnitude / 10000, v < 0);
    unsigned fraction = static_cast<unsigned>(magnitude % 10000);
    if (!fraction)
        return;
    char places[5] = {static_cast<char>('0' + fraction / 1000), static_cast<char>('0' + fraction / 100 % 10),
                      static_cast<char>('0' + fraction / 10 % 10), static_cast<char>('0' + fraction % 10), 0};
    int kept = 4;
    while (places[kept - 1] == '0')
        --kept;
    text_.push_back('.');
    text_.append(places, static_cast<size_t>(kept));
}

// The shortest spelling that reads back as the same value.
void VariantSpeller::FromDouble(double value, int shortDigits, int fullDigits)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*g", shortDigits, value);
    if (std::strtod(buffer, nullptr) != value)
        std::snprintf(buffer, sizeof buffer, "%.*g", fullDigits, value);
    text_ = buffer;
}

void VariantSpeller::FromDate(DATE date)
{
    SYSTEMTIME time = {};
    if (!VariantTimeToSystemTime(date, &time))
        return;
    bool hasTime = time.wHour || time.wMinute || time.wSecond;
    bool hasDate = std::floor(date) != 0 || !hasTime;
    if (hasDate) {
        AppendTwoDigits(text_, time.wYear / 100);
        AppendTwoDigits(text_, time.wYear % 100);
        text_.push_back('/');
        AppendTwoDigits(text_, time.wMonth);
        text_.push_back('/');
        AppendTwoDigits(text_, time.wDay);
    }
    if (!hasTime)
        return;
    if (hasDate)
        text_.push_back(' ');
    AppendTwoDigits(text_, time.wHour);
    text_.push_back(':');
    AppendTwoDigits(text_, time.wMinute);
    text_.push_back(':');
    AppendTwoDigits(text_, time.wSecond);
}

transfer::InsertValueKind InsertValueKindOf(VariantTextKind kind)
{
    switch (kind) {
    case VariantTextKind::Null: return transfer::InsertValueKind::Null;
    case VariantTextKind::Boolean: return transfer::InsertValueKind::Boolean;
    case VariantTextKind::Unconvertible: return transfer::InsertValueKind::Unconvertible;
    default: return transfer::InsertValueKind::Text;
    }
}
