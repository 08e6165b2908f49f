// Shared helpers of the ADO-layer tests: sample connection strings and text compared
// through Unicode (PostgreSQL answers some duplicate CP932 codes with other bytes).
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"

namespace adotest {

struct Server {
    const char* name;
    const char* connectionString;
    char open;   // identifier quotes
    char close;
};

inline const Server kServers[] = {
    {"PostgreSQL", "Provider=MSDASQL;DSN=KestrovaPg;DATABASE=sample;UID=kestrova;PWD=kestrova;", '"', '"'},
    {"MariaDB", "Provider=MSDASQL;DSN=KestrovaMy;DATABASE=sample;UID=kestrova;PWD=kestrova;", '`', '`'},
};

inline std::wstring U(const char* cp932)
{
    wchar_t wide[1024] = L"";
    MultiByteToWideChar(932, 0, cp932, -1, wide, 1024);
    return wide;
}

inline std::wstring BstrOf(const VARIANT& v)
{
    return v.vt == VT_BSTR && v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) : L"<not a BSTR>";
}

inline std::string Quoted(const Server& s, const char* name)
{
    return std::string(1, s.open) + name + std::string(1, s.close);
}

inline std::string ErrorsOf(const Connection& c)
{
    std::string text;
    for (long i = 0; i < c.Errors().Count(); ++i)
        text += std::string(c.Errors().Item(i)->Description().Text()) + "\n";
    return text;
}

}  // namespace adotest
