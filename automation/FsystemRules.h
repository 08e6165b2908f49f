// The window-free rules behind the Fsystem object's paths and files.
#pragma once

#include <cstddef>
#include <string>

#include "VornString.h"

namespace vorn {

// 1 text, 0 not text: NUL, 1-6, 28-31, 127 and 255 mark a binary file.
bool LooksLikeText(const unsigned char* bytes, size_t count);

// The root a drive query is made for: a network path ("\\" first) as given, otherwise its
// drive and colon; with a trailing backslash. False for an empty path, which names no drive.
bool DriveRootOf(const char* path, VornString& root);

// The tab-separated paths as the list of NUL-terminated names, ended by one more NUL,
// that the shell's file operation takes. Empty items are left out.
std::string ShellPathList(const char* tabSeparated);

// The INI file GetInifileString reads for a script's path: its folder ("WINDOWS" and "SYSTEM"
// in any case mean the given folders) and its name with ".ini" in place of its extension.
VornString ProfilePathFor(const char* path, const char* windowsFolder, const char* systemFolder);

}  // namespace vorn
