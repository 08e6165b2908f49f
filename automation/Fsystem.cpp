// Fsystem: text files, file queries and INI files.
#include "Fsystem.h"

#include <shlwapi.h>

#include <cstdio>

#include "FsystemRules.h"
#include "ProfileStore.h"
#include "TextFile.h"

namespace vorn {

namespace {

const char kNotText[] = "ERROR:テキストファイルではありません";
const char kCannotOpen[] = "ERROR:ファイルをオープンできません";
const long kTextSample = 512;

// 1 text, 0 not text, -1 cannot open.
long TextFileKind(const char* path)
{
    FILE* file = *path ? std::fopen(path, "rb") : nullptr;
    if (!file)
        return -1;
    unsigned char sample[kTextSample];
    size_t count = std::fread(sample, 1, sizeof sample, file);
    std::fclose(file);
    return LooksLikeText(sample, count) ? 1 : 0;
}

bool WriteText(const char* path, const char* text, bool append)
{
    TextFile file;
    bool opened = *path && (append ? file.OpenAppend(path) : file.OpenWrite(path));
    bool written = opened && file.WriteLine(text);
    return file.Close() && written;
}

bool FirstMatch(const char* path, WIN32_FIND_DATAA& found)
{
    if (!*path)
        return false;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

VornString DefaultProfilePath()
{
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(sizeof folder, folder);
    VornString path(folder);
    path.AddBackslash();
    path.Append("BatchHelper.ini");
    return path;
}

HRESULT ProfilePathArgument(const VARIANT& argument, VornString& path)
{
    bool given = false;
    VORN_CHECK(OptionalText(argument, path, &given));
    if (!given)
        path = DefaultProfilePath();
    return S_OK;
}

}  // namespace

STDMETHODIMP FsystemObject::GetTextFile(BSTR Path, BSTR* pVal)
{
    VornString path = TextOf(Path);
    long kind = TextFileKind(path.Text());
    if (kind <= 0)
        return ReturnText(kind == 0 ? kNotText : kCannotOpen, pVal);
    TextFile file;
    VornString text;
    if (!file.OpenRead(path.Text()) || !file.ReadAll(text))
        return ReturnText(kCannotOpen, pVal);
    return ReturnText(text, pVal);
}

STDMETHODIMP FsystemObject::PutTextFile(BSTR Path, BSTR Buffer, VARIANT* pVal)
{
    return ReturnBool(WriteText(TextOf(Path).Text(), TextOf(Buffer).Text(), false), pVal);
}

STDMETHODIMP FsystemObject::AddTextFile(BSTR Path, BSTR Buffer, VARIANT* pVal)
{
    return ReturnBool(WriteText(TextOf(Path).Text(), TextOf(Buffer).Text(), true), pVal);
}

STDMETHODIMP FsystemObject::IsTextFile(BSTR TargetPath, LONG* pVal)
{
    return ReturnLong(TextFileKind(TextOf(TargetPath).Text()), pVal);
}

STDMETHODIMP FsystemObject::FileSize(BSTR Path, double* pVal)
{
    WIN32_FIND_DATAA found = {};
    if (!FirstMatch(TextOf(Path).Text(), found))
        return ReturnDouble(-1, pVal);
    unsigned long long size = (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    return ReturnDouble(static_cast<double>(size), pVal);
}

STDMETHODIMP FsystemObject::FileUpdateTime(BSTR Path, BSTR* pVal)
{
    WIN32_FIND_DATAA found = {};
    FILETIME local = {};
    SYSTEMTIME time = {};
    if (!FirstMatch(TextOf(Path).Text(), found) || !FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) ||
        !FileTimeToSystemTime(&local, &time))
        return ReturnText("", pVal);
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", time.wYear, time.wMonth, time.wDay, time.wHour,
                  time.wMinute, time.wSecond);
    return ReturnText(text, pVal);
}

STDMETHODIMP FsystemObject::IsFileExist(BSTR TargetPath, VARIANT* pVal)
{
    VornString path = TextOf(TargetPath);
    return ReturnBool(!path.IsEmpty() && GetFileAttributesA(path.Text()) != INVALID_FILE_ATTRIBUTES, pVal);
}

STDMETHODIMP FsystemObject::IsDirectory(BSTR TargetPath, VARIANT* pVal)
{
    VornString path = TextOf(TargetPath);
    DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.Text());
    return ReturnBool(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY), pVal);
}

STDMETHODIMP FsystemObject::SetInifileString(BSTR Section, BSTR Key, BSTR Value, VARIANT Path, LONG* pVal)
{
    VornString path;
    VORN_CHECK(ProfilePathArgument(Path, path));
    VornString section = TextOf(Section), key = TextOf(Key), value = TextOf(Value);
    BOOL written = WritePrivateProfileStringA(section.Text(), key.Text(), value.Text(), path.Text());
    return ReturnLong(written ? -1 : 0, pVal);
}

STDMETHODIMP FsystemObject::GetInifileString(BSTR Section, BSTR Key, VARIANT Path, BSTR* pVal)
{
    VornString path;
    VORN_CHECK(ProfilePathArgument(Path, path));
    char windowsFolder[MAX_PATH + 1] = {}, systemFolder[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(windowsFolder, sizeof windowsFolder);
    GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    ProfileStore store(ProfilePathFor(path.Text(), windowsFolder, systemFolder).Text());
    VornString value;
    store.Read(TextOf(Section).Text(), TextOf(Key).Text(), value);
    return ReturnText(value, pVal);
}

}  // namespace vorn
