// The writers' own spelling of values: exact decimals and currency, integers of every
// width, dates without the locale, the shortest round-tripping doubles.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "transfer/VariantText.h"

namespace {

std::string Spelt(const VARIANT& value, VariantTextKind expectedKind)
{
    VariantSpeller speller;
    EXPECT_EQ(expectedKind, speller.Spell(value));
    return std::string(speller.Text(), speller.Length());
}

VARIANT Decimal(const wchar_t* text)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DECIMAL;
    VarDecFromStr(const_cast<wchar_t*>(text), 0x409, 0, &value.decVal);
    return value;
}

}  // namespace

TEST(VariantText, NumbersAreSpeltExactlyAndWithoutTheLocale)
{
    EXPECT_EQ("1234567890123.45", Spelt(Decimal(L"1234567890123.45"), VariantTextKind::Number));
    EXPECT_EQ("-0.05", Spelt(Decimal(L"-0.05"), VariantTextKind::Number));
    EXPECT_EQ("0.00", Spelt(Decimal(L"0.00"), VariantTextKind::Number));
    EXPECT_EQ("79228162514264337593543950335", Spelt(Decimal(L"79228162514264337593543950335"), VariantTextKind::Number));
    EXPECT_EQ("-7.9228162514264337593543950335", Spelt(Decimal(L"-7.9228162514264337593543950335"), VariantTextKind::Number));

    VARIANT value;
    VariantInit(&value);
    value.vt = VT_CY;
    value.cyVal.int64 = -1234567;   // -123.4567
    EXPECT_EQ("-123.4567", Spelt(value, VariantTextKind::Number));
    value.cyVal.int64 = 125000;
    EXPECT_EQ("12.5", Spelt(value, VariantTextKind::Number));
    value.vt = VT_I8;
    value.llVal = -9223372036854775807LL - 1;
    EXPECT_EQ("-9223372036854775808", Spelt(value, VariantTextKind::Integer));
    value.vt = VT_I2;
    value.iVal = -32768;
    EXPECT_EQ("-32768", Spelt(value, VariantTextKind::Integer));
    value.vt = VT_UI4;
    value.ulVal = 4294967295u;
    EXPECT_EQ("4294967295", Spelt(value, VariantTextKind::Integer));
    value.vt = VT_R8;
    value.dblVal = 0.1;
    EXPECT_EQ("0.1", Spelt(value, VariantTextKind::Number));
    value.dblVal = 0.1 + 0.2;
    EXPECT_EQ("0.30000000000000004", Spelt(value, VariantTextKind::Number));
    value.vt = VT_BOOL;
    value.boolVal = VARIANT_TRUE;
    EXPECT_EQ("1", Spelt(value, VariantTextKind::Boolean));
}

TEST(VariantText, DatesAndTimesStandAloneWhereTheOtherHalfIsMissing)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DATE;
    SYSTEMTIME time = {2024, 2, 0, 29, 13, 5, 7, 0};
    SystemTimeToVariantTime(&time, &value.date);
    EXPECT_EQ("2024/02/29 13:05:07", Spelt(value, VariantTextKind::Date));
    value.date = std::floor(value.date);
    EXPECT_EQ("2024/02/29", Spelt(value, VariantTextKind::Date));
    value.date = 0.5;
    EXPECT_EQ("12:00:00", Spelt(value, VariantTextKind::Date));
    value.date = 0;
    EXPECT_EQ("1899/12/30", Spelt(value, VariantTextKind::Date));
    value.vt = VT_NULL;
    EXPECT_EQ("", Spelt(value, VariantTextKind::Null));
    value.vt = VT_UNKNOWN;
    value.punkVal = nullptr;
    EXPECT_EQ("", Spelt(value, VariantTextKind::Unconvertible));
}
