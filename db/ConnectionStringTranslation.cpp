#include "ConnectionStringTranslation.h"

#include "../common/SjisText.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Pair {
    std::string key;
    std::string value;
};

std::string Trimmed(const std::string& text)
{
    size_t start = sjis::TrimmedStart(text.c_str(), text.size(), " \t", false);
    size_t end = sjis::TrimmedEnd(text.c_str(), text.size(), " \t", false);
    return end > start ? text.substr(start, end - start) : std::string();
}

// "key=value;" pairs; a value may be enclosed in double quotes and then holds semicolons
// (Extended Properties="Excel 8.0;HDR=No"). Trail bytes never equal ';', '=' or '"'
// (all below 0x40), so a byte scan that steps whole characters is safe.
std::vector<Pair> SplitPairs(const char* text)
{
    std::vector<Pair> pairs;
    const char* p = text;
    while (*p) {
        std::string key;
        while (*p && *p != '=' && *p != ';') {
            size_t n = sjis::CharLength(p);
            key.append(p, n);
            p += n;
        }
        std::string value;
        if (*p == '=') {
            ++p;
            while (*p == ' ') ++p;
            if (*p == '"') {
                ++p;
                while (*p && *p != '"') {
                    size_t n = sjis::CharLength(p);
                    value.append(p, n);
                    p += n;
                }
                if (*p == '"') ++p;
                while (*p && *p != ';') ++p;
            } else {
                while (*p && *p != ';') {
                    size_t n = sjis::CharLength(p);
                    value.append(p, n);
                    p += n;
                }
            }
        }
        if (*p == ';') ++p;
        key = Trimmed(key);
        if (!key.empty())
            pairs.push_back({key, value});
    }
    return pairs;
}

const Pair* FindKey(const std::vector<Pair>& pairs, const char* key)
{
    for (const Pair& pair : pairs)
        if (sjis::CompareIgnoreCase(pair.key.c_str(), key) == 0)
            return &pair;
    return nullptr;
}

std::string ValueOf(const std::vector<Pair>& pairs, const char* key)
{
    const Pair* pair = FindKey(pairs, key);
    return pair ? pair->value : std::string();
}

// ODBC needs braces around a value that holds a semicolon or starts with a brace.
void AppendOdbcPair(VornString& out, const char* key, const std::string& value)
{
    out.Append(key);
    out.Append("=");
    if (value.find(';') != std::string::npos || (!value.empty() && value[0] == '{')) {
        out.Append("{");
        for (char c : value) {
            out.Append(c);
            if (c == '}') out.Append('}');
        }
        out.Append("}");
    } else {
        out.Append(value.c_str());
    }
    out.Append(";");
}

// HDR=No inside the extended properties; anything else keeps Jet's default (names in row 1).
bool HeaderRowOff(const std::string& extended)
{
    std::vector<Pair> inner = SplitPairs(extended.c_str());
    const Pair* hdr = FindKey(inner, "HDR");
    return hdr && sjis::CompareIgnoreCase(Trimmed(hdr->value).c_str(), "No") == 0;
}

}  // namespace

bool TranslateConnectionString(const char* adoText, VornString& odbcText)
{
    odbcText.Clear();
    std::vector<Pair> pairs = SplitPairs(adoText ? adoText : "");
    std::string provider = Trimmed(ValueOf(pairs, "Provider"));

    if (provider.empty() || sjis::CompareIgnoreCase(provider.c_str(), "MSDASQL") == 0 ||
        sjis::CompareIgnoreCase(provider.c_str(), "MSDASQL.1") == 0) {
        for (const Pair& pair : pairs)
            if (sjis::CompareIgnoreCase(pair.key.c_str(), "Provider") != 0)
                AppendOdbcPair(odbcText, pair.key.c_str(), pair.value);
        return true;
    }
    if (sjis::CompareIgnoreCase(provider.c_str(), "SQLOLEDB") == 0 ||
        sjis::CompareIgnoreCase(provider.c_str(), "SQLOLEDB.1") == 0) {
        odbcText.Append("DRIVER={SQL Server};");
        static const char* const keys[][2] = {{"Data Source", "SERVER"},
                                              {"Initial Catalog", "DATABASE"},
                                              {"User ID", "UID"},
                                              {"Password", "PWD"}};
        for (const auto& key : keys)
            if (FindKey(pairs, key[0]))
                AppendOdbcPair(odbcText, key[1], ValueOf(pairs, key[0]));
        return true;
    }
    if (sjis::CompareIgnoreCase(provider.c_str(), "Microsoft.Jet.OLEDB.4.0") == 0) {
        std::string extended = ValueOf(pairs, "Extended Properties");
        if (sjis::Find(extended.c_str(), "Excel", true) >= 0) {
            odbcText.Append("DRIVER={Microsoft Excel Driver (*.xls)};");
            AppendOdbcPair(odbcText, "DBQ", ValueOf(pairs, "Data Source"));
            odbcText.Append(HeaderRowOff(extended) ? "FirstRowHasNames=0;" : "FirstRowHasNames=1;");
            return true;
        }
        odbcText.Append("DRIVER={Microsoft Access Driver (*.mdb)};");
        AppendOdbcPair(odbcText, "DBQ", ValueOf(pairs, "Data Source"));
        std::string password = ValueOf(pairs, "Jet OLEDB:Database Password");
        if (!password.empty())
            AppendOdbcPair(odbcText, "PWD", password);
        return true;
    }
    return false;
}
