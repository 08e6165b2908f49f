// BatchHelper's members that go through the shell: its automation object, its namespace,
// the Print Screen key, and the HTTP download.
#include <shlobj.h>

#include "BatchHelper.h"
#include "HttpDownload.h"

namespace vorn {

namespace {

const char kNoShellObject[] = "Shell オブジェクトの作成に失敗しました";
const BYTE kPrintScreenKey = 44;
const DWORD kPage = 4096;

// The shell's automation object, created once for the process on first use. While it
// cannot be had, lastShellError holds why and the members that need it do nothing.
IDispatch* shellObject = nullptr;
const char* lastShellError = nullptr;

IDispatch* ShellObject()
{
    if (shellObject)
        return shellObject;
    CLSID id;
    if (FAILED(CLSIDFromProgID(L"Shell.Application", &id)) ||
        FAILED(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&shellObject)))) {
        shellObject = nullptr;
        lastShellError = kNoShellObject;
    }
    return shellObject;
}

void CallShell(const wchar_t* member)
{
    IDispatch* shell = ShellObject();
    if (!shell)
        return;
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    if (FAILED(shell->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)))
        return;
    DISPPARAMS none = {};
    VARIANT result;
    VariantInit(&result);
    shell->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
    VariantClear(&result);
}

}  // namespace

STDMETHODIMP BatchHelperObject::ShutdownDialog()
{
    CallShell(L"ShutdownWindows");
    return S_OK;
}

STDMETHODIMP BatchHelperObject::MinimizeAll()
{
    CallShell(L"MinimizeAll");
    return S_OK;
}

STDMETHODIMP BatchHelperObject::UndoMinimizeALL()
{
    CallShell(L"UndoMinimizeALL");
    return S_OK;
}

STDMETHODIMP BatchHelperObject::OpenShellItem(BSTR Path)
{
    if (!Path || !*Path)
        return S_OK;
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop)
        return S_OK;
    LPITEMIDLIST item = nullptr;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, Path, nullptr, &item, nullptr)) && item) {
        SHELLEXECUTEINFOA execute = {};
        execute.cbSize = sizeof execute;
        execute.fMask = SEE_MASK_IDLIST | SEE_MASK_FLAG_NO_UI;
        execute.lpIDList = item;
        execute.nShow = SW_SHOWNORMAL;
        ShellExecuteExA(&execute);
        CoTaskMemFree(item);
    }
    desktop->Release();
    return S_OK;
}

STDMETHODIMP BatchHelperObject::PrintScreenKey(LONG bActive)
{
    BYTE scan = bActive ? 1 : 0;
    keybd_event(kPrintScreenKey, scan, 0, 0);
    keybd_event(kPrintScreenKey, scan, KEYEVENTF_KEYUP, 0);
    return S_OK;
}

STDMETHODIMP BatchHelperObject::HttpDownload(BSTR Target, BSTR FilePath, VARIANT BufferSize, BSTR* pVal)
{
    long pages = 1;
    VORN_CHECK(OptionalLong(BufferSize, pages));
    if (pages < 1)
        pages = 1;
    VornString target, path;
    TextOf(Target, target);
    TextOf(FilePath, path);
    HttpDownloadDialog dialog(target, path, static_cast<DWORD>(pages) * kPage);
    return ReturnText(dialog.Download(), pVal);
}

}  // namespace vorn
