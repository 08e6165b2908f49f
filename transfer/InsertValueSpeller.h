// A field's value as the text an INSERT statement carries, in a buffer kept from row to
// row so that a large table costs no allocation per value.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "transfer/InsertStatementText.h"

namespace transfer {

class InsertValueSpeller {
public:
    InsertValueKind Spell(const VARIANT& value)
    {
        text_.clear();
        switch (value.vt) {
        case VT_EMPTY:
        case VT_NULL:
            return InsertValueKind::Null;
        case VT_BSTR:
            FromWide(value.bstrVal, SysStringLen(value.bstrVal));
            return InsertValueKind::Text;
        case VT_BOOL:
            text_ = value.boolVal ? "1" : "0";
            return InsertValueKind::Boolean;
        case VT_DATE:
            FromDate(value.date);
            return InsertValueKind::Text;
        case VT_R8:
            FromDouble(value.dblVal, 15, 17);
            return InsertValueKind::Text;
        case VT_R4:
            FromDouble(value.fltVal, 7, 9);
            return InsertValueKind::Text;
        case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
        case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
        case VT_CY: case VT_DECIMAL:
            return FromNumber(value) ? InsertValueKind::Text : InsertValueKind::Unconvertible;
        default:
            return InsertValueKind::Unconvertible;
        }
    }
    const char* Text() const { return text_.data(); }
    size_t Length() const { return text_.size(); }

private:
    void FromWide(const wchar_t* wide, UINT length)
    {
        if (!length)
            return;
        int bytes = WideCharToMultiByte(932, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        text_.resize(static_cast<size_t>(bytes));
        WideCharToMultiByte(932, 0, wide, static_cast<int>(length), &text_[0], bytes, nullptr, nullptr);
    }

    // Integers, currency and decimals in the C spelling ("." as the point) whatever the
    // user's locale: the text goes into a statement, not onto the screen.
    bool FromNumber(const VARIANT& value)
    {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&value), MAKELCID(0x409, SORT_DEFAULT),
                                       LOCALE_NOUSEROVERRIDE, VT_BSTR)))
            return false;
        FromWide(converted.bstrVal, SysStringLen(converted.bstrVal));
        VariantClear(&converted);
        return true;
    }

    // The shortest spelling that reads back as the same value.
    void FromDouble(double value, int shortDigits, int fullDigits)
    {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.*g", shortDigits, value);
        if (std::strtod(buffer, nullptr) != value)
            std::snprintf(buffer, sizeof buffer, "%.*g", fullDigits, value);
        text_ = buffer;
    }

    // "yyyy/mm/dd hh:mm:ss"; a value without a time is the date alone, one without a date
    // (day 0) the time alone.
    void FromDate(DATE date)
    {
        SYSTEMTIME time = {};
        if (!VariantTimeToSystemTime(date, &time))
            return;
        char buffer[40];
        bool hasTime = time.wHour || time.wMinute || time.wSecond;
        if (std::floor(date) == 0 && hasTime)
            std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u", time.wHour, time.wMinute, time.wSecond);
        else if (!hasTime)
            std::snprintf(buffer, sizeof buffer, "%04u/%02u/%02u", time.wYear, time.wMonth, time.wDay);
        else
            std::snprintf(buffer, sizeof buffer, "%04u/%02u/%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay,
                          time.wHour, time.wMinute, time.wSecond);
        text_ = buffer;
    }

    std::string text_;
};

}  // namespace transfer
