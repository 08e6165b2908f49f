#include "ProfileStore.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "SjisText.h"

const char* const ProfileStore::kDefaultMarker = "_VORN_DEFAULT";

namespace {

const unsigned kListStep = 1024;
const unsigned kValueRetryGrowth = 260;
const char kListSeparator = '\x1A';

}  // namespace

VornString ProfileStore::PathForCommandLine(const char* commandLine)
{
    VornString program;
    if (!commandLine)
        return program;
    const char* start = commandLine;
    const char* end;
    if (*start == '"') {
        ++start;
        end = start;
        while (*end && *end != '"')
            end += sjis::CharLength(end);
    } else {
        end = start;
        while (*end && *end != ' ')
            end += sjis::CharLength(end);
    }
    program.Assign(start, static_cast<size_t>(end - start));
    program.RemoveExtension();
    program.Append(".ini");
    return program;
}

bool ProfileStore::WriteFormat(const char* section, const char* key, const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return Write(section, key, text);
}

bool ProfileStore::Read(const char* section, const char* key, VornString& out) const
{
    if (!out.Buffer())
        return false;
    unsigned length = ReadRaw(section, key, kDefaultMarker, out.Buffer(), out.Capacity());
    if (out.Capacity() > 0 && length == out.Capacity() - 1) {
        if (!out.Resize(out.Capacity() + kValueRetryGrowth))
            return false;
        ReadRaw(section, key, kDefaultMarker, out.Buffer(), out.Capacity());
    }
    if (out.Compare(kDefaultMarker) != 0) {
        out.Clear();
        return false;
    }
    return !out.IsEmpty();
}

bool ProfileStore::IsValue(const char* section, const char* key, const char* value) const
{
    VornString text;
    if (!Read(section, key, text))
        return false;
    text.TrimBlanks();
    return text.Compare(value) != 0;
}

TokenList ProfileStore::ReadListAsTokens(const char* section, bool lines) const
{
    std::vector<char> buffer;
    unsigned size = 0;
    unsigned length;
    do {
        size += kListStep;
        buffer.assign(size, '\0');
        length = ReadList(section, lines, buffer.data(), size);
    } while (length == size - 2);
    // Every NUL of the list but the last becomes a separator the split can cut at.
    for (unsigned i = 0; i + 1 < length; ++i)
        if (buffer[i] == '\0')
            buffer[i] = kListSeparator;
    buffer[length > 0 ? length - (buffer[length - 1] == '\0' ? 1 : 0) : 0] = '\0';
    return TokenList(buffer.data(), kListSeparator);
}

TokenList ProfileStore::SectionNames() const { return ReadListAsTokens(nullptr, false); }

TokenList ProfileStore::KeyNames(const char* section) const
{
    return ReadListAsTokens(section, false);
}

TokenList ProfileStore::SectionLines(const char* section) const
{
    return ReadListAsTokens(section, true);
}
