// regdump's text: the key path taken from the command line and one line per value, within
// the tool's fixed buffers. Window-free, so both builds test the bytes.
#pragma once

#include <cstddef>
#include <string>

enum class RegistryRoot { None, ClassesRoot, LocalMachine, CurrentUser, Users };

struct RegistryPath {
    RegistryRoot root = RegistryRoot::None;
    std::string subKey;
};

// The value types that make a line; every other type is skipped.
const unsigned long kRegistryString = 1;
const unsigned long kRegistryBinary = 3;
const unsigned long kRegistryDword = 4;

// Value names and data are read into buffers of this size; a longer one ends the dump.
const size_t kRegistryValueBuffer = 256;
// The output buffer, its terminating NUL included.
const size_t kRegistryDumpBuffer = 64000;

extern const char kRegistryOpenError[];
extern const char kRegistryReadError[];

// The arguments after the program name, joined with single blanks.
std::string JoinRegistryArguments(int count, const char* const* arguments);

// The root name is a case-sensitive prefix that must end at a backslash or at the end of
// the path; anything else has no root (and cannot be opened).
RegistryPath ParseRegistryPath(const char* path);

class RegistryDump {
public:
    // Appends the value's line (nothing for a skipped type). False when the line does not
    // fit into the buffer: the dump then ends with the read error.
    bool AddValue(const char* name, size_t nameLength, unsigned long type, const unsigned char* data,
                  size_t dataLength);
    void SetReadError() { readError_ = true; }
    // What the tool prints: the read error line first when there was one, the values, a line end.
    std::string Output() const;

private:
    std::string values_;
    bool readError_ = false;
};

// The whole output when the key cannot be opened.
std::string RegistryOpenErrorOutput();
