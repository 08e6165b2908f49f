#include "ArchiveTestSupport.h"

#include <cstdio>

#ifdef _WIN32
#include <direct.h>
#else
#include <unistd.h>
#endif

namespace {

void RemoveTree(const std::string& path)
{
    if (fileaccess::IsFolder(path)) {
        for (const std::string& child : fileaccess::FolderNames(path))
            RemoveTree(archivepath::Join(path, child));
#ifdef _WIN32
        _rmdir(path.c_str());
#else
        rmdir(path.c_str());
#endif
        return;
    }
    std::remove(path.c_str());
}

}  // namespace

std::string FreshFolder(const std::string& name)
{
    std::string path = ScratchPath(name.c_str());
    RemoveTree(path);
    fileaccess::MakeFolders(path);
    return path + kSep;
}

void PutFile(const std::string& folder, const std::string& relative, const std::string& bytes, std::time_t stamp)
{
    std::string path = archivepath::Join(folder, archivepath::ToPlatform(relative));
    std::string last = archivepath::LastComponent(relative);
    fileaccess::MakeFolders(path.substr(0, path.size() - last.size()));
    WriteBytes(path, bytes);
    fileaccess::SetModifiedTime(path, stamp);
}

std::string FileAt(const std::string& folder, const std::string& relative)
{
    return ReadBytes(archivepath::Join(folder, archivepath::ToPlatform(relative)));
}

std::string Pseudorandom(size_t size, uint32_t seed)
{
    std::string bytes;
    uint32_t x = seed;
    for (size_t i = 0; i < size; ++i) {
        x = (x * 1103515245u + 12345u) & 0x7FFFFFFFu;
        bytes.push_back(static_cast<char>((x >> 16) & 0xFF));
    }
    return bytes;
}

std::string TextLines(int count)
{
    std::string text;
    char line[32];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(line, sizeof line, "kestrova %04d\n", i);
        text += line;
    }
    return text;
}

std::string FixtureBytes(const char* name)
{
    return ReadBytes(std::string(KESTROVA_ARCHIVE_DATA) + "/" + name);
}
