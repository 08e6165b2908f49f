#include "RegistryDump.h"

#include <cstdio>
#include <cstring>

const char kRegistryOpenError[] = "レジストリをOPENできませんでした";
const char kRegistryReadError[] = "読み込みエラー";

namespace {

// Every line ends in CR LF; the tool writes its standard output in binary mode.
const char kLineEnd[] = "\r\n";

struct RootName {
    const char* name;
    RegistryRoot root;
};

const RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
    {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
    {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
    {"HKEY_USERS", RegistryRoot::Users},
};

}  // namespace

std::string JoinRegistryArguments(int count, const char* const* arguments)
{
    std::string joined;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            joined += ' ';
        joined += arguments[i] ? arguments[i] : "";
    }
    return joined;
}

RegistryPath ParseRegistryPath(const char* path)
{
    RegistryPath result;
    if (!path)
        return result;
    for (const RootName& root : kRoots) {
        size_t length = std::strlen(root.name);
        // The byte after an ASCII prefix starts a character, so the test for the backslash
        // cannot meet a trail byte.
        if (std::strncmp(path, root.name, length) != 0 || (path[length] != '\0' && path[length] != '\\'))
            continue;
        result.root = root.root;
        result.subKey = path[length] ? path + length + 1 : "";
        return result;
    }
    return result;
}

bool RegistryDump::AddValue(const char* name, size_t nameLength, unsigned long type, const unsigned char* data,
                            size_t dataLength)
{
    std::string line(name, nameLength);
    switch (type) {
    case kRegistryString: {
        line += '=';
        // The stored size counts the terminating NUL; a value written without one still ends
        // at its size.
        size_t textLength = 0;
        while (textLength < dataLength && data[textLength] != 0)
            ++textLength;
        line.append(reinterpret_cast<const char*>(data), textLength);
        break;
    }
    case kRegistryBinary:
        line += '=';
        for (size_t i = 0; i < dataLength; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02x ", data[i]);
            line += hex;
        }
        break;
    case kRegistryDword: {
        unsigned long value = 0;
        for (size_t i = 0; i < 4 && i < dataLength; ++i)
            value |= static_cast<unsigned long>(data[i]) << (8 * i);
        char text[48];
        std::snprintf(text, sizeof text, "=0x%08lx (%ld)", value,
                      static_cast<long>(static_cast<int>(static_cast<unsigned int>(value))));
        line += text;
        break;
    }
    default:
        return true;
    }
    line += kLineEnd;
    if (values_.size() + line.size() + 1 > kRegistryDumpBuffer)
        return false;
    values_ += line;
    return true;
}

std::string RegistryDump::Output() const
{
    std::string output;
    if (readError_) {
        output += kRegistryReadError;
        output += kLineEnd;
    }
    output += values_;
    output += kLineEnd;
    return output;
}

std::string RegistryOpenErrorOutput()
{
    return std::string(kRegistryOpenError) + kLineEnd;
}
