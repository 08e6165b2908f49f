// The ADO connection strings that ConnectionRecord builds, turned into ODBC connection
// strings: there are no OLE DB providers here, only ODBC drivers behind odbc32.
#pragma once

#include "../common/VornString.h"

// False for a provider without an ODBC counterpart (odbcText is then left empty).
// A string without a Provider key is taken as MSDASQL, ADO's default provider.
bool TranslateConnectionString(const char* adoText, VornString& odbcText);
