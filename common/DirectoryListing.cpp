#include "DirectoryListing.h"

#include <cstring>

#include "TokenList.h"
#include "VornString.h"

namespace {

bool Wanted(const WIN32_FIND_DATAA& entry, int kind)
{
    if (std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0)
        return false;
    bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (kind == kListFilesOnly)
        return !folder;
    if (kind == kListFoldersOnly)
        return folder;
    return true;
}

}  // namespace

int ListDirectory(HWND listBox, const char* folder, const char* patterns, int kind)
{
    if (!patterns)
        return 0;
    int added = 0;
    TokenList list(patterns, ';');
    for (int i = 0; i < list.Count(); ++i) {
        if (!*list[i])
            continue;
        VornString search;
        if (folder && *folder) {
            search = folder;
            search.AddBackslash();
        }
        search.Append(list[i]);
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA(search, &entry);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (Wanted(entry, kind) &&
                SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.cFileName)) >= 0)
                ++added;
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    return added;
}
