// The archive members and IsExist; the picture members are in OuterDllImages.cpp.
#include "OuterDllObject.h"

#include "ArchiveText.h"
#include "LhaArchive.h"
#include "ZipArchive.h"

#include <vector>

namespace vorn {

namespace {

const char kLhaUnusable[] = "ERROR:Unlha32.dll を使用できません";
const char kUnzipUnusable[] = "ERROR:UNZIP32.DLL を使用できません";
const char kZipUnusable[] = "ERROR:ZIP32J.DLL を使用できません";
const char kNoFiles[] = "ERROR:圧縮するファイルを指定して下さい";
const char kNoArchive[] = "ERROR:書庫が指定されていません";
const unsigned kOutputSize = 4096;

// The archiver's own words. A refused command is marked, so that a script can tell it from
// a report of work done.
HRESULT ArchiveAnswer(const ArchiveWrapper& archive, int result, BSTR* pVal)
{
    if (result == 0)
        return ReturnText(archive.Output(), pVal);
    VornString failure("ERROR:");
    failure.Append(archive.Output().IsEmpty() ? archive.ErrorText().Text() : archive.Output().Text());
    return ReturnText(failure, pVal);
}

HWND Owner() { return GetDesktopWindow(); }

// The program folder ships the archiver DLLs beside this library, but a script host's search
// path does not hold that folder: the copies there are loaded first, for the call, so that
// the wrappers' load by name finds them already in the process.
class ProgramFolderDlls {
public:
    explicit ProgramFolderDlls(std::initializer_list<const char*> names)
    {
        char folder[MAX_PATH] = {};
        DWORD length = GetModuleFileNameA(Module(), folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return;
        VornString path;
        for (const char* name : names) {
            path = folder;
            path.RemoveFileSpec();
            path.AddBackslash();
            path.Append(name);
            if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
                continue;
            if (HMODULE module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH))
                modules_.push_back(module);
        }
    }
    ~ProgramFolderDlls()
    {
        for (HMODULE module : modules_)
            FreeLibrary(module);
    }
    ProgramFolderDlls(const ProgramFolderDlls&) = delete;
    ProgramFolderDlls& operator=(const ProgramFolderDlls&) = delete;

private:
    std::vector<HMODULE> modules_;
};


}  // namespace

HRESULT OuterDllObject::Freeze(ArchiveWrapper& archive, const char* unusable, BSTR archivePath, BSTR files, BSTR* pVal)
{
    archive.RaiseOutputBuffer(kOutputSize);
    if (!archive.IsChangeInstalled())
        return ReturnText(unusable, pVal);
    VornString list = TextOf(files), path = TextOf(archivePath);
    if (SplitTabList(list).empty())
        return ReturnText(kNoFiles, pVal);
    if (path.IsEmpty())
        return ReturnText(kNoArchive, pVal);
    archive.SetPath(path);
    return ArchiveAnswer(archive, archive.AddFiles(list), pVal);
}

HRESULT OuterDllObject::Melt(ArchiveWrapper& archive, ArchiveDialect dialect, const char* unusable, BSTR archivePath,
                             const VARIANT& folder, const VARIANT& keepPaths, BSTR* pVal)
{
    VornString target;
    bool folderGiven = false, withPaths = true;
    HRESULT hr = OptionalText(folder, target, &folderGiven);
    if (SUCCEEDED(hr))
        hr = OptionalBool(keepPaths, withPaths);
    if (FAILED(hr))
        return hr;
    archive.RaiseOutputBuffer(kOutputSize);
    if (!archive.IsInstalled())
        return ReturnText(unusable, pVal);
    VornString path = TextOf(archivePath);
    if (path.IsEmpty())
        return ReturnText(kNoArchive, pVal);
    archive.SetPath(path);
    if (!folderGiven)
        return ArchiveAnswer(archive, archive.ExtractAllIntoFolder(!withPaths), pVal);
    return ArchiveAnswer(archive, archive.Command(ExtractEverythingCommandText(dialect, path, target, !withPaths)), pVal);
}

HRESULT OuterDllObject::Pass(ArchiveWrapper& archive, bool change, const char* unusable, BSTR command, BSTR* pVal)
{
    archive.RaiseOutputBuffer(kOutputSize);
    if (!(change ? archive.IsChangeInstalled() : archive.IsInstalled()))
        return ReturnText(unusable, pVal);
    VornString line = TextOf(command);
    return ArchiveAnswer(archive, change ? archive.ChangeCommand(line) : archive.Command(line), pVal);
}

STDMETHODIMP OuterDllObject::FreezeLzh(BSTR LzhPath, BSTR TargetPath, BSTR* pVal)
{
    ProgramFolderDlls dlls{"UNLHA32.DLL"};
    LhaArchive archive(Owner());
    return Freeze(archive, kLhaUnusable, LzhPath, TargetPath, pVal);
}

STDMETHODIMP OuterDllObject::FreezeZip(BSTR ZipPath, BSTR TargetPath, BSTR* pVal)
{
    ProgramFolderDlls dlls{"UNZIP32.DLL", "ZIP32J.DLL"};
    ZipArchive archive(Owner());
    return Freeze(archive, kZipUnusable, ZipPath, TargetPath, pVal);
}

STDMETHODIMP OuterDllObject::MeltLzh(BSTR LzhPath, VARIANT TargetDir, VARIANT bPath, BSTR* pVal)
{
    ProgramFolderDlls dlls{"UNLHA32.DLL"};
    LhaArchive archive(Owner());
    return Melt(archive, ArchiveDialect::Lha, kLhaUnusable, LzhPath, TargetDir, bPath, pVal);
}

STDMETHODIMP OuterDllObject::MeltZip(BSTR ZipPath, VARIANT TargetDir, VARIANT bPath, BSTR* pVal)
{
    ProgramFolderDlls dlls{"UNZIP32.DLL", "ZIP32J.DLL"};
    ZipArchive archive(Owner());
    return Melt(archive, ArchiveDialect::Zip, kUnzipUnusable, ZipPath, TargetDir, bPath, pVal);
}

STDMETHODIMP OuterDllObject::Unlha(BSTR Command, BSTR* pVal)
{
    ProgramFolderDlls dlls{"UNLHA32.DLL"};
    LhaArchive archive(Owner());
    return Pass(archive, false, kLhaUnusable, Command, pVal);
}

STDMETHODIMP OuterDllObject::Unzip(BSTR Command, BSTR* pVal)
{
    ProgramFolderDlls dlls{"UNZIP32.DLL", "ZIP32J.DLL"};
    ZipArchive archive(Owner());
    return Pass(archive, false, kUnzipUnusable, Command, pVal);
}

STDMETHODIMP OuterDllObject::Zip(BSTR Command, BSTR* pVal)
{
    ProgramFolderDlls dlls{"UNZIP32.DLL", "ZIP32J.DLL"};
    ZipArchive archive(Owner());
    return Pass(archive, true, kZipUnusable, Command, pVal);
}

STDMETHODIMP OuterDllObject::IsExist(BSTR Target, VARIANT FuncName, LONG* pVal)
{
    VornString name, function;
    bool functionGiven = false;
    TextOf(Target, name);
    HRESULT hr = OptionalText(FuncName, function, &functionGiven);
    if (FAILED(hr))
        return hr;
    if (!pVal)
        return E_POINTER;
    HMODULE module = LoadLibraryA(name);
    bool found = module && (!functionGiven || GetProcAddress(module, function));
    if (module)
        FreeLibrary(module);
    *pVal = found ? -1 : 0;
    return S_OK;
}

}  // namespace vorn
