// The Fsystem object: text files, file and disk queries, the recycle bin, the shell's file
// operations and INI files for scripts. It keeps nothing between calls.
#pragma once

#include "ServerFrame.h"

namespace vorn {

class FsystemObject : public DispatchObject<IFsystem> {
public:
    STDMETHODIMP GetTextFile(BSTR Path, BSTR* pVal) override;
    STDMETHODIMP PutTextFile(BSTR Path, BSTR Buffer, VARIANT* pVal) override;
    STDMETHODIMP AddTextFile(BSTR Path, BSTR Buffer, VARIANT* pVal) override;
    STDMETHODIMP EmptyRecycle(VARIANT RootPath) override;
    STDMETHODIMP RecycleItems(VARIANT RootPath, double* pVal) override;
    STDMETHODIMP RecycleSize(VARIANT RootPath, double* pVal) override;
    STDMETHODIMP VolumeName(BSTR RootPathName, BSTR* pVal) override;
    STDMETHODIMP DiskSpace(BSTR Path, double* pVal) override;
    STDMETHODIMP DiskFreeSpace(BSTR Path, double* pVal) override;
    STDMETHODIMP FileSize(BSTR Path, double* pVal) override;
    STDMETHODIMP FileUpdateTime(BSTR Path, BSTR* pVal) override;
    STDMETHODIMP ShellCopy(BSTR PathFrom, BSTR PathTo, VARIANT* pVal) override;
    STDMETHODIMP ShellDelete(BSTR TargetPath, VARIANT* pVal) override;
    STDMETHODIMP IsFileExist(BSTR TargetPath, VARIANT* pVal) override;
    STDMETHODIMP IsDirectory(BSTR TargetPath, VARIANT* pVal) override;
    STDMETHODIMP IsTextFile(BSTR TargetPath, LONG* pVal) override;
    STDMETHODIMP Executable(BSTR Path, BSTR* pVal) override;
    STDMETHODIMP SetInifileString(BSTR Section, BSTR Key, BSTR Value, VARIANT Path, LONG* pVal) override;
    STDMETHODIMP GetInifileString(BSTR Section, BSTR Key, VARIANT Path, BSTR* pVal) override;
};

}  // namespace vorn
