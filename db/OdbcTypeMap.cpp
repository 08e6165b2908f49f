#include "OdbcTypeMap.h"

#include "../common/SjisText.h"
#include "AdoConstants.h"

using namespace ado;

namespace odbcmap {

namespace {
// ODBC's numbers (sql.h / sqlext.h), repeated so this file needs no ODBC headers.
enum SqlType {
    kChar = 1, kNumeric = 2, kDecimal = 3, kInteger = 4, kSmallInt = 5, kFloat = 6, kReal = 7,
    kDouble = 8, kDateTime2 = 9, kTime2 = 10, kTimestamp2 = 11, kVarChar = 12,
    kTypeDate = 91, kTypeTime = 92, kTypeTimestamp = 93,
    kLongVarChar = -1, kBinary = -2, kVarBinary = -3, kLongVarBinary = -4, kBigInt = -5,
    kTinyInt = -6, kBit = -7, kWChar = -8, kWVarChar = -9, kWLongVarChar = -10, kGuid = -11,
};
}  // namespace

long AdoTypeFromSqlType(int sqlType, bool isUnsigned, bool fixedPrecScale)
{
    switch (sqlType) {
    case kChar: return adChar;
    case kVarChar: return adVarChar;
    case kLongVarChar: return adLongVarChar;
    case kWChar: return adWChar;
    case kWVarChar: return adVarWChar;
    case kWLongVarChar: return adLongVarWChar;
    case kNumeric:
    case kDecimal: return fixedPrecScale ? adCurrency : adNumeric;
    case kSmallInt: return isUnsigned ? adUnsignedSmallInt : adSmallInt;
    case kInteger: return isUnsigned ? adUnsignedInt : adInteger;
    case kTinyInt: return isUnsigned ? adUnsignedTinyInt : adTinyInt;
    case kBigInt: return isUnsigned ? adUnsignedBigInt : adBigInt;
    case kReal: return adSingle;
    case kFloat:
    case kDouble: return adDouble;
    case kBit: return adBoolean;
    case kBinary: return adBinary;
    case kVarBinary: return adVarBinary;
    case kLongVarBinary: return adLongVarBinary;
    case kTypeDate:
    case kDateTime2: return adDBDate;
    case kTypeTime:
    case kTime2: return adDBTime;
    case kTypeTimestamp:
    case kTimestamp2: return adDBTimeStamp;
    case kGuid: return adGUID;
    default: return adVarChar;
    }
}

bool TypeNameSaysUnsigned(const char* typeName)
{
    return typeName && sjis::Find(typeName, "unsigned", true) >= 0;
}

bool IsLongType(long t)
{
    return t == adLongVarChar || t == adLongVarWChar || t == adLongVarBinary;
}

bool IsTextType(long t)
{
    return t == adChar || t == adVarChar || t == adLongVarChar || t == adWChar ||
           t == adVarWChar || t == adLongVarWChar;
}

bool IsBinaryType(long t)
{
    return t == adBinary || t == adVarBinary || t == adLongVarBinary;
}

bool IsExactNumericType(long t)
{
    return t == adNumeric || t == adDecimal;
}

bool IsFixedLengthType(long t)
{
    if (t == adChar || t == adWChar || t == adBinary)
        return true;
    return !IsTextType(t) && !IsBinaryType(t);
}

long DefinedSizeFor(long t, long columnSize)
{
    switch (t) {
    case adTinyInt:
    case adUnsignedTinyInt: return 1;
    case adSmallInt:
    case adUnsignedSmallInt:
    case adBoolean: return 2;
    case adInteger:
    case adUnsignedInt:
    case adSingle: return 4;
    case adDouble:
    case adCurrency:
    case adBigInt:
    case adUnsignedBigInt:
    case adDate: return 8;
    case adNumeric:
    case adDecimal: return 19;
    case adDBDate:
    case adDBTime: return 6;
    case adDBTimeStamp:
    case adGUID: return 16;
    default: return columnSize;
    }
}

int PrecisionFor(long t, long columnSize)
{
    switch (t) {
    case adTinyInt:
    case adUnsignedTinyInt: return 3;
    case adSmallInt:
    case adUnsignedSmallInt: return 5;
    case adInteger:
    case adUnsignedInt: return 10;
    case adBigInt: return 19;
    case adUnsignedBigInt: return 20;
    case adSingle: return 7;
    case adDouble: return 15;
    case adCurrency: return 19;
    case adDBDate: return 10;
    case adDBTime: return 8;
    case adDBTimeStamp: return 19;
    case adNumeric:
    case adDecimal: return columnSize > 255 ? 255 : static_cast<int>(columnSize);
    default: return 255;
    }
}

int NumericScaleFor(long t, int decimalDigits)
{
    if (IsExactNumericType(t))
        return decimalDigits < 0 ? 0 : (decimalDigits > 255 ? 255 : decimalDigits);
    if (t == adCurrency)
        return 4;
    return 255;
}

long FieldAttributesFor(long t, int nullability, int updatability, bool autoUnique)
{
    long attributes = 0;
    if (nullability == kNullable)
        attributes |= adFldIsNullable | adFldMayBeNull;
    else if (nullability == kNullableUnknown)
        attributes |= adFldMayBeNull;
    if (autoUnique)
        attributes |= adFldUnknownUpdatable;
    else if (updatability != kReadOnly)
        attributes |= adFldUpdatable;
    if (IsLongType(t))
        attributes |= adFldLong;
    if (IsFixedLengthType(t))
        attributes |= adFldFixed;
    return attributes;
}

}  // namespace odbcmap
