#include "db/AdoConstants.h"
#include "db/OdbcTypeMap.h"

#include <gtest/gtest.h>

using namespace ado;
using namespace odbcmap;

TEST(OdbcTypeMap, SqlTypesMapToTheNumbersOfTheOdbcProvider)
{
    struct Case {
        int sqlType;
        bool isUnsigned;
        bool money;
        long expected;
    } cases[] = {
        {1, false, false, adChar},          {12, false, false, adVarChar},
        {-1, false, false, adLongVarChar},  {-8, false, false, adWChar},
        {-9, false, false, adVarWChar},     {-10, false, false, adLongVarWChar},
        {3, false, false, adNumeric},       {2, false, false, adNumeric},
        {3, false, true, adCurrency},       {5, false, false, adSmallInt},
        {5, true, false, adUnsignedSmallInt}, {4, false, false, adInteger},
        {4, true, false, adUnsignedInt},    {7, false, false, adSingle},
        {6, false, false, adDouble},        {8, false, false, adDouble},
        {-7, false, false, adBoolean},      {-6, false, false, adTinyInt},
        {-6, true, false, adUnsignedTinyInt}, {-5, false, false, adBigInt},
        {-5, true, false, adUnsignedBigInt}, {-2, false, false, adBinary},
        {-3, false, false, adVarBinary},    {-4, false, false, adLongVarBinary},
        {91, false, false, adDBDate},       {92, false, false, adDBTime},
        {93, false, false, adDBTimeStamp},  {9, false, false, adDBDate},
        {11, false, false, adDBTimeStamp},  {-11, false, false, adGUID},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, AdoTypeFromSqlType(c.sqlType, c.isUnsigned, c.money)) << "SQL type " << c.sqlType;
}

TEST(OdbcTypeMap, AttributesMarkNullableLongFixedAndAutoNumberColumns)
{
    EXPECT_EQ(adFldIsNullable | adFldMayBeNull | adFldUpdatable,
              FieldAttributesFor(adVarChar, kNullable, kWritableUnknown, false));
    EXPECT_EQ(adFldUpdatable | adFldFixed, FieldAttributesFor(adInteger, kNoNulls, kWritable, false));
    EXPECT_EQ(adFldUnknownUpdatable | adFldFixed, FieldAttributesFor(adInteger, kNoNulls, kWritableUnknown, true));
    EXPECT_EQ(adFldMayBeNull | adFldLong, FieldAttributesFor(adLongVarBinary, kNullableUnknown, kReadOnly, false));
    EXPECT_EQ(adFldIsNullable | adFldMayBeNull | adFldFixed | adFldUpdatable,
              FieldAttributesFor(adChar, kNullable, kWritable, false));
}

TEST(OdbcTypeMap, SizesFollowTheTypeAndNotApplicableIs255)
{
    EXPECT_EQ(40, DefinedSizeFor(adVarChar, 40));
    EXPECT_EQ(4, DefinedSizeFor(adInteger, 10));
    EXPECT_EQ(10, PrecisionFor(adNumeric, 10));
    EXPECT_EQ(2, NumericScaleFor(adNumeric, 2));
    EXPECT_EQ(255, PrecisionFor(adVarChar, 40));
    EXPECT_EQ(255, NumericScaleFor(adInteger, 0));
    EXPECT_EQ(10, PrecisionFor(adUnsignedInt, 10));
    EXPECT_TRUE(TypeNameSaysUnsigned("int unsigned"));
    EXPECT_FALSE(TypeNameSaysUnsigned("int"));
}
