// The few file operations the archivers need, through the C library only, so the format
// code stays free of window and Win32 calls and builds natively.
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace fileaccess {

bool ReadWhole(const std::string& path, std::string& bytes);
// Writes through a temporary file beside the target, so a failed write leaves the old one.
bool WriteWhole(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
// Creates the folder and its missing parents.
bool MakeFolders(const std::string& path);
// Names (not paths) in a folder, without "." and "..", sorted.
std::vector<std::string> FolderNames(const std::string& path);
std::time_t ModifiedTime(const std::string& path);
void SetModifiedTime(const std::string& path, std::time_t stamp);

}  // namespace fileaccess
