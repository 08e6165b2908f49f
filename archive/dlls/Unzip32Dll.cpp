// UNZIP32.DLL: lists and extracts ZIP archives.
#include "archive/dlls/ArchiverDll.h"
#include "archive/dlls/ZipFormat.h"

namespace {
const ZipFormat kZip;
}

extern "C" {

int WINAPI UnZip(HWND, LPCSTR commandText, LPSTR output, DWORD size)
{
    return archiverdll::RunCommand(CommandDialect::UnZip, commandText, output, size);
}

HARC WINAPI UnZipOpenArchive(HWND, LPCSTR path, DWORD)
{
    return archiverdll::Open(kZip, path);
}

int WINAPI UnZipCloseArchive(HARC archive) { return archiverdll::Close(archive); }

int WINAPI UnZipFindFirst(HARC archive, LPCSTR wildcard, ArchiveEntry* entry)
{
    return archiverdll::FindFirst(archive, wildcard, entry);
}

int WINAPI UnZipFindNext(HARC archive, ArchiveEntry* entry)
{
    return archiverdll::FindNext(archive, entry);
}

}
