// The ADO numbers the program stores and compares (data types, cursors, states, schemas,
// field attributes). Window-free so SQL builders and tests can use them in both builds.
#pragma once

namespace ado {

enum DataType : long {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adError = 10,
    adBoolean = 11,
    adVariant = 12,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adBigInt = 20,
    adUnsignedBigInt = 21,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

enum CursorType : long {
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockType : long {
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

enum CursorLocation : long {
    adUseServer = 2,
    adUseClient = 3,
};

enum ObjectState : long {
    adStateClosed = 0,
    adStateOpen = 1,
};

enum CommandOptions : long {
    adCmdText = 1,
    adCmdTable = 2,
    adExecuteNoRecords = 0x80,
};

enum Schema : long {
    adSchemaColumns = 4,
    adSchemaIndexes = 12,
    adSchemaTables = 20,
    adSchemaProviderTypes = 22,
    adSchemaPrimaryKeys = 28,
};

enum FieldAttribute : long {
    adFldUpdatable = 0x4,
    adFldUnknownUpdatable = 0x8,
    adFldFixed = 0x10,
    adFldIsNullable = 0x20,
    adFldMayBeNull = 0x40,
    adFldLong = 0x80,
};

}  // namespace ado
