// What the three archiver DLLs share: running a command text into the caller's output
// buffer, and archive handles over ArchiveCatalog that are checked before every use.
#pragma once

#include <windows.h>

#include "archive/dlls/ArchiveCommand.h"
#include "archive/dlls/ArchiveEntry.h"
#include "archive/dlls/ArchiveFormat.h"

typedef HANDLE HARC;

namespace archiverdll {

int RunCommand(CommandDialect dialect, LPCSTR commandText, LPSTR output, DWORD size);
HARC Open(const ArchiveFormat& format, LPCSTR path);
int Close(HARC archive);
int FindFirst(HARC archive, LPCSTR wildcard, ArchiveEntry* entry);
int FindNext(HARC archive, ArchiveEntry* entry);

}  // namespace archiverdll
