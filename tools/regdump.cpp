// regdump root\path [more words]: prints the string, binary and DWORD values of one key.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "RegistryDump.h"

namespace {

HKEY RootKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::Users:
        return HKEY_USERS;
    case RegistryRoot::None:
        break;
    }
    return nullptr;
}

void Print(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    // The lines carry their own CR LF; a text-mode stream would double the CR.
    _setmode(_fileno(stdout), _O_BINARY);
    RegistryPath path = ParseRegistryPath(JoinRegistryArguments(argc - 1, argv + 1).c_str());
    HKEY key = nullptr;
    if (path.root == RegistryRoot::None ||
        RegOpenKeyExA(RootKey(path.root), path.subKey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        Print(RegistryOpenErrorOutput());
        return 0;
    }
    RegistryDump dump;
    for (DWORD index = 0;; ++index) {
        char name[kRegistryValueBuffer];
        BYTE data[kRegistryValueBuffer];
        DWORD nameLength = sizeof name;
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        LONG status = RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &dataLength);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        // A name or data beyond its buffer comes back as ERROR_MORE_DATA and ends the dump here.
        if (status != ERROR_SUCCESS || !dump.AddValue(name, nameLength, type, data, dataLength)) {
            dump.SetReadError();
            break;
        }
    }
    RegCloseKey(key);
    Print(dump.Output());
    return 0;
}
