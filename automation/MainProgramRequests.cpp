// BatchHelper's requests to the running main program: posted commands, data on the
// clipboard, and the main program's mutex "Kestrova", which it holds while it serves one.
#include <cstdlib>

#include "BatchHelper.h"
#include "Clipboard.h"

namespace vorn {

namespace {

const char kMutexName[] = "Kestrova";
const UINT kExternalList = 32951;
const UINT kSimplePaste = 32953;
const UINT kAppendPaste = 32954;
const UINT kExternalCommand = 32955;
const UINT kCopyLowerView = 32962;
const DWORD kStartLimit = 1000;

bool Taken(DWORD wait) { return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED; }

// Until the main program holds the mutex: while it can still be taken here, the request has
// not been picked up. With limit, gives up after that many milliseconds since started.
void WaitUntilHeld(HANDLE mutex, DWORD started, bool limit)
{
    for (;;) {
        DWORD wait = WaitForSingleObject(mutex, 1);
        if (Taken(wait))
            ReleaseMutex(mutex);
        else
            return;  // timed out: the main program holds it (or the handle is unusable)
        Sleep(5);
        if (limit && GetTickCount() - started >= kStartLimit)
            return;
    }
}

void WaitUntilReleased(HANDLE mutex)
{
    for (;;) {
        DWORD wait = WaitForSingleObject(mutex, 1);
        if (Taken(wait)) {
            ReleaseMutex(mutex);
            return;
        }
        if (wait != WAIT_TIMEOUT)
            return;
    }
}

// After a posted request: the main program takes the mutex, serves, releases it. Without
// a main program the request is lost and the wait ends after the start limit.
void Handshake(DWORD started)
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kMutexName);
    if (!mutex) {
        DWORD waited = GetTickCount() - started;
        if (waited < kStartLimit)
            Sleep(kStartLimit - waited);
        return;
    }
    WaitUntilHeld(mutex, started, true);
    WaitUntilReleased(mutex);
    CloseHandle(mutex);
}

HWND WindowOf(LONG handle) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle)); }

HRESULT ListRequest(LONG hWnd, BSTR list, const VARIANT& delim, UINT command)
{
    VornString separator;
    HRESULT hr = OptionalText(delim, separator);
    if (FAILED(hr))
        return hr;
    VornString text;
    TextOf(list, text);
    PutClipboardText(nullptr, text.Text());
    DWORD started = GetTickCount();
    PostMessageA(WindowOf(hWnd), WM_COMMAND, command, static_cast<LPARAM>(static_cast<unsigned char>(separator.Text()[0])));
    Handshake(started);
    return S_OK;
}

}  // namespace

STDMETHODIMP BatchHelperObject::EnumList(LONG hWnd, BSTR ListString, VARIANT Delim)
{
    return ListRequest(hWnd, ListString, Delim, kExternalList);
}

STDMETHODIMP BatchHelperObject::EnumList2(LONG hWnd, BSTR ListString, VARIANT Delim)
{
    return ListRequest(hWnd, ListString, Delim, kSimplePaste);
}

STDMETHODIMP BatchHelperObject::EnumListAdd(LONG hWnd, BSTR ListString, VARIANT Delim)
{
    return ListRequest(hWnd, ListString, Delim, kAppendPaste);
}

STDMETHODIMP BatchHelperObject::GetEnumList(LONG hWnd, BSTR* pVal)
{
    DWORD started = GetTickCount();
    PostMessageA(WindowOf(hWnd), WM_COMMAND, kCopyLowerView, 0);
    Handshake(started);
    VornString text;
    ReadClipboardText(nullptr, text);
    return ReturnText(text, pVal);
}

STDMETHODIMP BatchHelperObject::Kestrova(LONG hWnd, LONG nCommand, VARIANT Param1, VARIANT, VARIANT* pVal)
{
    if (!pVal)
        return E_POINTER;
    VariantInit(pVal);
    if (nCommand == 1) {
        VornString title;
        HRESULT hr = OptionalText(Param1, title);
        if (FAILED(hr))
            return hr;
        PutClipboardText(nullptr, title.Text());
        PostMessageA(WindowOf(hWnd), WM_COMMAND, kExternalCommand, 1);
        pVal->vt = VT_I4;
        pVal->lVal = 0;
        return S_OK;
    }
    if (nCommand != 2)
        return S_OK;
    // The row count: the main program takes the mutex on request 2, puts the count on the
    // clipboard and releases it on request 102.
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kMutexName);
    PostMessageA(WindowOf(hWnd), WM_COMMAND, kExternalCommand, 2);
    if (mutex)
        WaitUntilHeld(mutex, GetTickCount(), false);
    PostMessageA(WindowOf(hWnd), WM_COMMAND, kExternalCommand, 102);
    if (mutex) {
        WaitUntilReleased(mutex);
        CloseHandle(mutex);
    }
    VornString count;
    ReadClipboardText(nullptr, count);
    pVal->vt = VT_I4;
    pVal->lVal = std::atol(count.Text());
    return S_OK;
}

}  // namespace vorn
