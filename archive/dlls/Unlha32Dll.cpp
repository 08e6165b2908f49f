// UNLHA32.DLL: lists, adds to, deletes from and extracts LZH archives.
#include "archive/dlls/ArchiverDll.h"
#include "archive/dlls/LzhFormat.h"

namespace {
const LzhFormat kLzh;
}

extern "C" {

int WINAPI Unlha(HWND, LPCSTR commandText, LPSTR output, DWORD size)
{
    return archiverdll::RunCommand(CommandDialect::Lha, commandText, output, size);
}

HARC WINAPI UnlhaOpenArchive(HWND, LPCSTR path, DWORD)
{
    return archiverdll::Open(kLzh, path);
}

int WINAPI UnlhaCloseArchive(HARC archive) { return archiverdll::Close(archive); }

int WINAPI UnlhaFindFirst(HARC archive, LPCSTR wildcard, ArchiveEntry* entry)
{
    return archiverdll::FindFirst(archive, wildcard, entry);
}

int WINAPI UnlhaFindNext(HARC archive, ArchiveEntry* entry)
{
    return archiverdll::FindNext(archive, entry);
}

}
