#include "FsystemRules.h"

#include <cstring>

#include "SjisText.h"

namespace vorn {

bool LooksLikeText(const unsigned char* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        unsigned char c = bytes[i];
        bool text = (c >= 7 && c <= 27) || (c >= 32 && c <= 126) || (c >= 128 && c <= 254);
        if (!text)
            return false;
    }
    return true;
}

bool DriveRootOf(const char* path, VornString& root)
{
    root.Clear();
    if (!path || !*path)
        return false;
    if (std::strncmp(path, "\\\\", 2) == 0)
        root.Assign(path);
    else
        root.Assign(path, std::strlen(path) < 2 ? std::strlen(path) : 2);
    if (!sjis::EndsWithChar(root.Text(), '\\'))
        root.Append('\\');
    return true;
}

std::string ShellPathList(const char* tabSeparated)
{
    std::string list;
    // A tab is never part of a double-byte character, so the bytes can be cut as they are.
    const char* start = tabSeparated ? tabSeparated : "";
    for (const char* p = start;; ++p) {
        if (*p != '\t' && *p != '\0')
            continue;
        if (p > start) {
            list.append(start, static_cast<size_t>(p - start));
            list.push_back('\0');
        }
        if (*p == '\0')
            break;
        start = p + 1;
    }
    list.push_back('\0');
    return list;
}

VornString ProfilePathFor(const char* path, const char* windowsFolder, const char* systemFolder)
{
    VornString folder(path), name(path);
    folder.RemoveFileSpec();
    name.StripPath();
    name.RemoveExtension();
    if (sjis::CompareIgnoreCase(folder.Text(), "WINDOWS") == 0)
        folder = windowsFolder;
    else if (sjis::CompareIgnoreCase(folder.Text(), "SYSTEM") == 0)
        folder = systemFolder;
    VornString result(folder);
    if (!result.IsEmpty() && !sjis::EndsWithChar(result.Text(), '\\'))
        result.Append('\\');
    result.Append(name.Text());
    result.Append(".ini");
    return result;
}

}  // namespace vorn
