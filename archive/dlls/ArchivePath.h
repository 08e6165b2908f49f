// Names inside archives and paths on disk, always scanned a whole Shift_JIS character at a
// time: a trail byte may be 0x5C ('\\') or a letter.
#pragma once

#include <string>

namespace archivepath {

// The name with every '\\' (on a character boundary) turned into '/'.
std::string ToSlashes(const std::string& name);
// The name with every '/' turned into the platform's folder separator.
std::string ToPlatform(const std::string& name);
// The last component of a "/"-separated name (a folder name keeps no trailing "/").
std::string LastComponent(const std::string& name);
// False for names that would leave the destination: absolute, with a drive, or with "..".
bool IsSafeRelative(const std::string& name);
// '*' matches any run of characters (also "/"), '?' one character; ASCII letters match
// either case. "*.*" matches every name.
bool Matches(const std::string& pattern, const std::string& name);
// folder + separator + name, without doubling a separator the folder already ends with.
std::string Join(const std::string& folder, const std::string& name);
bool EndsWithSeparator(const std::string& path);
std::string WithoutTrailingSeparator(const std::string& path);

}  // namespace archivepath
