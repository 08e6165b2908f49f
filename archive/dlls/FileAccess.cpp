#include "archive/dlls/FileAccess.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <utime.h>

#include <algorithm>
#include <cstdio>

#ifdef _WIN32
#include <direct.h>
#include <windows.h>
#endif

#include "archive/dlls/ArchivePath.h"
#include "common/SjisText.h"

namespace fileaccess {

namespace {

bool MakeOneFolder(const std::string& path)
{
#ifdef _WIN32
    return _mkdir(path.c_str()) == 0;
#else
    return mkdir(path.c_str(), 0777) == 0;
#endif
}

// The C runtime under Windows takes a final 0x5C byte for a trailing backslash and refuses
// the path, even where it is the second byte of 表 or ソ: such a folder is named through
// its "." entry instead.
std::string QueryPath(const std::string& path)
{
    std::string trimmed = archivepath::WithoutTrailingSeparator(path);
#ifdef _WIN32
    if (!trimmed.empty() && trimmed.back() == '\\')
        trimmed += "\\.";
#endif
    return trimmed;
}

std::string Parent(const std::string& path)
{
    std::string trimmed = archivepath::WithoutTrailingSeparator(path);
    long slash = std::max(sjis::FindLastChar(trimmed.c_str(), '/'), sjis::FindLastChar(trimmed.c_str(), '\\'));
    return slash <= 0 ? std::string() : trimmed.substr(0, slash);
}

}  // namespace

bool ReadWhole(const std::string& path, std::string& bytes)
{
    bytes.clear();
    if (IsFolder(path))
        return false;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char piece[65536];
    size_t n;
    while ((n = std::fread(piece, 1, sizeof piece, file)) > 0)
        bytes.append(piece, n);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool WriteWhole(const std::string& path, const std::string& bytes)
{
    std::string temporary = path + ".kst$";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = (std::fclose(file) == 0) && ok;
    if (ok) {
        // rename does not replace an existing file on Windows.
        std::remove(path.c_str());
        ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    }
    if (!ok)
        std::remove(temporary.c_str());
    return ok;
}

bool Exists(const std::string& path)
{
    struct stat info;
    return stat(QueryPath(path).c_str(), &info) == 0;
}

bool IsFolder(const std::string& path)
{
    struct stat info;
    return stat(QueryPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeFolders(const std::string& path)
{
    std::string folder = archivepath::WithoutTrailingSeparator(path);
    if (folder.empty() || IsFolder(folder))
        return true;
    std::string parent = Parent(folder);
    if (!parent.empty() && !(parent.size() == 2 && parent[1] == ':') && !MakeFolders(parent))
        return false;
    return MakeOneFolder(folder) || IsFolder(folder);
}

std::vector<std::string> FolderNames(const std::string& path)
{
    std::vector<std::string> names;
#ifdef _WIN32
    // mingw's opendir resolves the "." of QueryPath away again and then takes the final 0x5C
    // of ソ for a separator: it searched "…\ソ*" in the parent. The platform's own search
    // is given the separator explicitly.
    std::string pattern = archivepath::WithoutTrailingSeparator(path) + "\\*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
#else
    DIR* folder = opendir(QueryPath(path).c_str());
    if (!folder)
        return names;
    while (dirent* item = readdir(folder)) {
        std::string name = item->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(folder);
#endif
    std::sort(names.begin(), names.end());
    return names;
}

std::time_t ModifiedTime(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mtime : 0;
}

void SetModifiedTime(const std::string& path, std::time_t stamp)
{
    utimbuf times;
    times.actime = stamp;
    times.modtime = stamp;
    utime(path.c_str(), &times);
}

}  // namespace fileaccess
