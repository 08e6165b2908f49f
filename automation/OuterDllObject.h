// The OuterDll object: archives through the archiver DLLs and pictures through the image
// DLLs, each loaded for one call and unloaded again. Failures are "ERROR:" texts.
#pragma once

#include "ArchiveText.h"
#include "ServerFrame.h"

class ArchiveWrapper;

namespace vorn {

class OuterDllObject : public DispatchObject<IOuterDll> {
public:
    STDMETHODIMP FreezeLzh(BSTR LzhPath, BSTR TargetPath, BSTR* pVal) override;
    STDMETHODIMP MeltLzh(BSTR LzhPath, VARIANT TargetDir, VARIANT bPath, BSTR* pVal) override;
    STDMETHODIMP Unlha(BSTR Command, BSTR* pVal) override;
    STDMETHODIMP FreezeZip(BSTR ZipPath, BSTR TargetPath, BSTR* pVal) override;
    STDMETHODIMP MeltZip(BSTR ZipPath, VARIANT TargetDir, VARIANT bPath, BSTR* pVal) override;
    STDMETHODIMP Unzip(BSTR Command, BSTR* pVal) override;
    STDMETHODIMP Zip(BSTR Command, BSTR* pVal) override;
    STDMETHODIMP SavetoJPEG(VARIANT bmpf, VARIANT Value, VARIANT jpgf, VARIANT Prgrs, VARIANT bWin, VARIANT DllPath,
                            BSTR* pVal) override;
    STDMETHODIMP SavetoPNG(VARIANT bmpf, VARIANT Value, VARIANT pngf, VARIANT bWin, VARIANT DllPath, BSTR* pVal) override;
    STDMETHODIMP IsExist(BSTR Target, VARIANT FuncName, LONG* pVal) override;
    STDMETHODIMP SavetoBMP(VARIANT Target, VARIANT bmpf, VARIANT bWin, VARIANT DllPath, BSTR* pVal) override;
    STDMETHODIMP IMGtoIMG(BSTR Target, BSTR Save, VARIANT bOption, VARIANT nOption, VARIANT DllPath, BSTR* pVal) override;

private:
    HRESULT Freeze(ArchiveWrapper& archive, const char* unusable, BSTR archivePath, BSTR files, BSTR* pVal);
    HRESULT Melt(ArchiveWrapper& archive, ArchiveDialect dialect, const char* unusable, BSTR archivePath,
                 const VARIANT& folder, const VARIANT& keepPaths, BSTR* pVal);
    // The script's own command text; change: through the DLL that adds and deletes.
    HRESULT Pass(ArchiveWrapper& archive, bool change, const char* unusable, BSTR command, BSTR* pVal);
};

}  // namespace vorn
