// Scratch trees and file bytes for the archive tests of both builds.
#pragma once

#include <cstdint>
#include <string>

#include "TestSupport.h"
#include "archive/dlls/ArchivePath.h"
#include "archive/dlls/FileAccess.h"

#ifdef _WIN32
const char kSep[] = "\\";
#else
const char kSep[] = "/";
#endif

// A fresh, empty folder of the test's working folder, with a trailing separator.
std::string FreshFolder(const std::string& name);
// Writes the file, creating its folders; "/" in the relative name is a separator.
void PutFile(const std::string& folder, const std::string& relative, const std::string& bytes,
             std::time_t stamp = 986128496);
std::string FileAt(const std::string& folder, const std::string& relative);
std::string Pseudorandom(size_t size, uint32_t seed);
std::string TextLines(int count);
// The bytes of a file of the source tree's tests/archive/data.
std::string FixtureBytes(const char* name);
