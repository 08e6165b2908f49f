// Directory entries into a list box.
#pragma once

#include <windows.h>

enum ListingKind { kListAll = 0, kListFilesOnly = 1, kListFoldersOnly = 2 };

// Adds the names of every entry that matches one of the ";"-separated patterns ("*.csv;*.txt",
// each may carry its own path) in the folder (patterns taken as they are when folder is
// null or empty), pattern by pattern, skipping "." and "..". An entry matching two patterns
// is added twice. Returns the number of names added.
int ListDirectory(HWND listBox, const char* folder, const char* patterns, int kind);
