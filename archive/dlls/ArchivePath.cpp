#include "archive/dlls/ArchivePath.h"

#include <vector>

#include "common/SjisText.h"

namespace archivepath {

namespace {

#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif

std::string Replaced(const std::string& text, char from, char to)
{
    std::string result = text;
    for (size_t i = 0; i < result.size();) {
        size_t length = sjis::CharLength(result.c_str() + i);
        if (length == 1 && result[i] == from)
            result[i] = to;
        i += length;
    }
    return result;
}

std::vector<std::string> Characters(const std::string& text)
{
    std::vector<std::string> characters;
    for (size_t i = 0; i < text.size();) {
        size_t length = sjis::CharLength(text.c_str() + i);
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

bool SameCharacter(const std::string& a, const std::string& b)
{
    if (a.size() == 1 && b.size() == 1)
        return sjis::UpperAscii(a[0]) == sjis::UpperAscii(b[0]);
    return a == b;
}

bool MatchFrom(const std::vector<std::string>& pattern, size_t p, const std::vector<std::string>& name,
               size_t n)
{
    while (p < pattern.size()) {
        if (pattern[p] == "*") {
            while (p < pattern.size() && pattern[p] == "*")
                ++p;
            if (p == pattern.size())
                return true;
            for (size_t start = n; start <= name.size(); ++start)
                if (MatchFrom(pattern, p, name, start))
                    return true;
            return false;
        }
        if (n == name.size())
            return false;
        if (pattern[p] != "?" && !SameCharacter(pattern[p], name[n]))
            return false;
        ++p;
        ++n;
    }
    return n == name.size();
}

}  // namespace

std::string ToSlashes(const std::string& name) { return Replaced(name, '\\', '/'); }

std::string ToPlatform(const std::string& name) { return Replaced(name, '/', kSeparator); }

std::string LastComponent(const std::string& name)
{
    std::string trimmed = name;
    if (!trimmed.empty() && trimmed.back() == '/')
        trimmed.pop_back();
    long slash = sjis::FindLastChar(trimmed.c_str(), '/');
    return slash < 0 ? trimmed : trimmed.substr(slash + 1);
}

bool IsSafeRelative(const std::string& name)
{
    std::string slashed = ToSlashes(name);
    if (slashed.empty() || slashed[0] == '/' || sjis::FindChar(slashed.c_str(), ':') >= 0)
        return false;
    size_t start = 0;
    while (start <= slashed.size()) {
        size_t end = slashed.find('/', start);
        if (end == std::string::npos)
            end = slashed.size();
        // '/' is never a trail byte, so a byte search finds only real separators.
        if (slashed.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

bool Matches(const std::string& pattern, const std::string& name)
{
    if (pattern == "*.*")
        return true;
    return MatchFrom(Characters(pattern), 0, Characters(name), 0);
}

bool EndsWithSeparator(const std::string& path)
{
    return sjis::EndsWithChar(path.c_str(), '\\') || sjis::EndsWithChar(path.c_str(), '/');
}

std::string WithoutTrailingSeparator(const std::string& path)
{
    std::string result = path;
    while (result.size() > 1 && EndsWithSeparator(result))
        result.pop_back();
    return result;
}

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (EndsWithSeparator(folder))
        return folder + name;
    return folder + kSeparator + name;
}

}  // namespace archivepath
