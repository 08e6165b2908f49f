// One INI settings file. In the Windows build it goes through the platform's profile
// functions; elsewhere a portable store with the same observable behaviour is used.
#pragma once

#include "TokenList.h"
#include "VornString.h"

class ProfileStore {
public:
    // The marker default that tells a missing key from a present one.
    static const char* const kDefaultMarker;

    // The running program's own INI file (Windows build; elsewhere "Kestrova.ini").
    ProfileStore();
    explicit ProfileStore(const char* iniPath) : path_(iniPath) {}

    // The INI path for a program command line: its first token (quotes removed),
    // the extension replaced by ".ini".
    static VornString PathForCommandLine(const char* commandLine);

    const char* Path() const { return path_.Text(); }

    // A null text deletes the key.
    bool Write(const char* section, const char* key, const char* text);
    bool WriteFormat(const char* section, const char* key, const char* format, ...);
    bool DeleteSection(const char* section);
    unsigned ReadRaw(const char* section, const char* key, const char* defaultText,
                     char* buffer, unsigned size) const;
    // False when the key is missing, empty, or holds the marker; out is then empty.
    bool Read(const char* section, const char* key, VornString& out) const;
    // True when the key's value, trimmed of blanks and ideographic spaces, equals value ignoring case.
    bool IsValue(const char* section, const char* key, const char* value) const;

    TokenList SectionNames() const;
    TokenList KeyNames(const char* section) const;
    // "key=value" for each entry of the section.
    TokenList SectionLines(const char* section) const;

private:
    // The platform's enumeration: a NUL-separated list, cut lists signalled by size - 2.
    unsigned ReadList(const char* section, bool lines, char* buffer, unsigned size) const;
    TokenList ReadListAsTokens(const char* section, bool lines) const;

    VornString path_;
};
