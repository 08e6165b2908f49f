// Fsystem: drives, the recycle bin and the shell's file operations and associations.
#include "Fsystem.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "FsystemRules.h"

namespace vorn {

namespace {

const char kNoVolumeName[] = "ERROR:ボリューム名を取得できませんでした";
const unsigned kVolumeNameStep = 32;
const unsigned kVolumeNameLimit = 32 * kVolumeNameStep;

// An omitted root means every drive (a null root for the shell).
HRESULT RecycleRoot(const VARIANT& argument, VornString& root, const char*& rootOrNull)
{
    bool given = false;
    VORN_CHECK(OptionalText(argument, root, &given));
    rootOrNull = given ? root.Text() : nullptr;
    return S_OK;
}

bool QueryRecycleBin(const char* root, SHQUERYRBINFO& info)
{
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    return SUCCEEDED(SHQueryRecycleBinA(root, &info));
}

// The figure goes through its decimal text, so a script sees exactly the digits the
// platform reported.
double DiskFigure(BSTR path, bool freeOnly)
{
    VornString root;
    ULARGE_INTEGER available = {}, total = {}, free = {};
    if (!DriveRootOf(TextOf(path).Text(), root) || !SHGetDiskFreeSpaceExA(root.Text(), &available, &total, &free))
        return -1;
    char digits[32];
    wsprintfA(digits, "%I64u", freeOnly ? available.QuadPart : total.QuadPart);
    return std::strtod(digits, nullptr);
}

bool ShellOperation(UINT operation, const std::string& from, const std::string* to, WORD flags)
{
    if (from.size() < 2)
        return false;
    SHFILEOPSTRUCTA request = {};
    request.wFunc = operation;
    request.pFrom = from.data();
    request.pTo = to ? to->data() : nullptr;
    request.fFlags = flags;
    return SHFileOperationA(&request) == 0 && !request.fAnyOperationsAborted;
}

}  // namespace

STDMETHODIMP FsystemObject::EmptyRecycle(VARIANT RootPath)
{
    VornString root;
    const char* rootOrNull = nullptr;
    VORN_CHECK(RecycleRoot(RootPath, root, rootOrNull));
    SHEmptyRecycleBinA(nullptr, rootOrNull, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
    return S_OK;
}

STDMETHODIMP FsystemObject::RecycleItems(VARIANT RootPath, double* pVal)
{
    VornString root;
    const char* rootOrNull = nullptr;
    VORN_CHECK(RecycleRoot(RootPath, root, rootOrNull));
    SHQUERYRBINFO info;
    return ReturnDouble(QueryRecycleBin(rootOrNull, info) ? static_cast<double>(info.i64NumItems) : 0, pVal);
}

STDMETHODIMP FsystemObject::RecycleSize(VARIANT RootPath, double* pVal)
{
    VornString root;
    const char* rootOrNull = nullptr;
    VORN_CHECK(RecycleRoot(RootPath, root, rootOrNull));
    SHQUERYRBINFO info;
    return ReturnDouble(QueryRecycleBin(rootOrNull, info) ? static_cast<double>(info.i64Size) : 0, pVal);
}

STDMETHODIMP FsystemObject::VolumeName(BSTR RootPathName, BSTR* pVal)
{
    VornString root;
    if (!DriveRootOf(TextOf(RootPathName).Text(), root))
        return ReturnText(kNoVolumeName, pVal);
    for (unsigned size = kVolumeNameStep; size <= kVolumeNameLimit; size += kVolumeNameStep) {
        VornString label(size);
        if (!label.Buffer())
            return E_OUTOFMEMORY;
        std::memset(label.Buffer(), 0, size);
        if (!GetVolumeInformationA(root.Text(), label.Buffer(), size, nullptr, nullptr, nullptr, nullptr, 0)) {
            DWORD error = GetLastError();
            if (error == ERROR_MORE_DATA || error == ERROR_INSUFFICIENT_BUFFER || error == ERROR_BAD_LENGTH)
                continue;
            break;
        }
        if (std::strlen(label.Text()) + 1 < size)
            return ReturnText(label.Text(), pVal);
    }
    return ReturnText(kNoVolumeName, pVal);
}

STDMETHODIMP FsystemObject::DiskSpace(BSTR Path, double* pVal) { return ReturnDouble(DiskFigure(Path, false), pVal); }

STDMETHODIMP FsystemObject::DiskFreeSpace(BSTR Path, double* pVal) { return ReturnDouble(DiskFigure(Path, true), pVal); }

STDMETHODIMP FsystemObject::ShellCopy(BSTR PathFrom, BSTR PathTo, VARIANT* pVal)
{
    std::string from = ShellPathList(TextOf(PathFrom).Text()), to = ShellPathList(TextOf(PathTo).Text());
    return ReturnBool(to.size() > 1 && ShellOperation(FO_COPY, from, &to, 0), pVal);
}

STDMETHODIMP FsystemObject::ShellDelete(BSTR TargetPath, VARIANT* pVal)
{
    return ReturnBool(ShellOperation(FO_DELETE, ShellPathList(TextOf(TargetPath).Text()), nullptr, FOF_ALLOWUNDO), pVal);
}

STDMETHODIMP FsystemObject::Executable(BSTR Path, BSTR* pVal)
{
    VornString path = TextOf(Path);
    char program[MAX_PATH + 1] = {};
    if (path.IsEmpty() || reinterpret_cast<INT_PTR>(FindExecutableA(path.Text(), nullptr, program)) <= 32)
        program[0] = '\0';
    return ReturnText(program, pVal);
}

}  // namespace vorn
