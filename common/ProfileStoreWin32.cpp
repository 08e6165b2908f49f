#include <windows.h>

#include "ProfileStore.h"

ProfileStore::ProfileStore() : path_(PathForCommandLine(GetCommandLineA())) {}

bool ProfileStore::Write(const char* section, const char* key, const char* text)
{
    return WritePrivateProfileStringA(section, key, text, path_.Text()) != FALSE;
}

bool ProfileStore::DeleteSection(const char* section)
{
    if (!section)
        return false;
    return WritePrivateProfileStringA(section, nullptr, nullptr, path_.Text()) != FALSE;
}

unsigned ProfileStore::ReadRaw(const char* section, const char* key, const char* defaultText,
                               char* buffer, unsigned size) const
{
    return GetPrivateProfileStringA(section, key, defaultText, buffer, size, path_.Text());
}

unsigned ProfileStore::ReadList(const char* section, bool lines, char* buffer, unsigned size) const
{
    if (lines)
        return GetPrivateProfileSectionA(section, buffer, size, path_.Text());
    return GetPrivateProfileStringA(section, nullptr, "", buffer, size, path_.Text());
}
