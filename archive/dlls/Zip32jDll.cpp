// ZIP32J.DLL: adds to and deletes from ZIP archives.
#include "archive/dlls/ArchiverDll.h"

extern "C" int WINAPI Zip(HWND, LPCSTR commandText, LPSTR output, DWORD size)
{
    return archiverdll::RunCommand(CommandDialect::Zip, commandText, output, size);
}
