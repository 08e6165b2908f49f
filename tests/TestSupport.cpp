#include "TestSupport.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

std::string ScratchPath(const char* name)
{
    char folder[1024] = "";
#ifdef _WIN32
    GetCurrentDirectoryA(sizeof folder, folder);
    const char separator = '\\';
#else
    if (!getcwd(folder, sizeof folder))
        folder[0] = '\0';
    const char separator = '/';
#endif
    return std::string(folder) + separator + name;
}

std::string ReadBytes(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "<missing>";
    std::string bytes;
    char piece[4096];
    size_t n;
    while ((n = std::fread(piece, 1, sizeof piece, file)) > 0)
        bytes.append(piece, n);
    std::fclose(file);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void RemoveFile(const std::string& path) { std::remove(path.c_str()); }
