// Helpers shared by the test programs of both builds.
#pragma once

#include <string>

// Full path of a file in the test's working folder (the platform profile functions
// need a full path).
std::string ScratchPath(const char* name);
// The file's bytes, or "<missing>" when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
void RemoveFile(const std::string& path);
