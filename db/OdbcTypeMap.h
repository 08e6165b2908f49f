// ODBC SQL type numbers turned into ADO data-type numbers, sizes and field attributes,
// following the mapping of Microsoft's OLE DB provider for ODBC. Window-free: the
// numbers are ODBC's own, so both builds test the table.
#pragma once

namespace odbcmap {

enum Nullability { kNoNulls = 0, kNullable = 1, kNullableUnknown = 2 };
enum Updatability { kReadOnly = 0, kWritable = 1, kWritableUnknown = 2 };

// fixedPrecScale: the driver's SQL_DESC_FIXED_PREC_SCALE (money types) turns a
// decimal into adCurrency. Unknown types become adVarChar (read as text).
long AdoTypeFromSqlType(int sqlType, bool isUnsigned, bool fixedPrecScale);
// The ADO number of a type name's unsigned variant ("int unsigned" from a catalog).
bool TypeNameSaysUnsigned(const char* typeName);

bool IsLongType(long adoType);
bool IsFixedLengthType(long adoType);
bool IsTextType(long adoType);
bool IsBinaryType(long adoType);
bool IsExactNumericType(long adoType);

// Field.DefinedSize: the driver's column size for text and binary, the value's byte
// size for everything else.
long DefinedSizeFor(long adoType, long columnSize);
// Field.Precision and Field.NumericScale; 255 where they do not apply.
int PrecisionFor(long adoType, long columnSize);
int NumericScaleFor(long adoType, int decimalDigits);

// Jet marks an auto-number as "unknown updatable" and ordinary columns as updatable;
// the column-definition read tells auto-numbers apart by that, so ODBC's auto-unique
// flag maps to adFldUnknownUpdatable and an unknown updatability to adFldUpdatable.
long FieldAttributesFor(long adoType, int nullability, int updatability, bool autoUnique);

}  // namespace odbcmap
