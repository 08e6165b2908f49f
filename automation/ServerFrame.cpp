#include "ServerFrame.h"

#include <cstring>

namespace vorn {

namespace {

HINSTANCE g_module = nullptr;
LONG g_references = 0;

// Loaded once per process; every object asks it for the information of its interface.
ITypeLib* g_typeLibrary = nullptr;
CRITICAL_SECTION g_typeLibraryLock;
bool g_lockReady = false;

}  // namespace

HINSTANCE Module() { return g_module; }

void SetModule(HINSTANCE module)
{
    g_module = module;
    if (!g_lockReady) {
        InitializeCriticalSection(&g_typeLibraryLock);
        g_lockReady = true;
    }
}

void AddModuleReference() { InterlockedIncrement(&g_references); }
void ReleaseModuleReference() { InterlockedDecrement(&g_references); }
LONG ModuleReferences() { return g_references; }

ITypeInfo* TypeInfoOf(REFIID iid)
{
    EnterCriticalSection(&g_typeLibraryLock);
    if (!g_typeLibrary) {
        wchar_t path[MAX_PATH] = {};
        if (GetModuleFileNameW(g_module, path, MAX_PATH))
            LoadTypeLibEx(path, REGKIND_NONE, &g_typeLibrary);
    }
    ITypeInfo* info = nullptr;
    if (g_typeLibrary && FAILED(g_typeLibrary->GetTypeInfoOfGuid(iid, &info)))
        info = nullptr;
    LeaveCriticalSection(&g_typeLibraryLock);
    return info;
}

void TextOf(BSTR text, VornString& out)
{
    out.Clear();
    if (!text)
        return;
    int wide = static_cast<int>(SysStringLen(text));
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0 || !out.Resize(static_cast<unsigned>(bytes) + 1) || !out.Buffer())
        return;
    WideCharToMultiByte(CP_ACP, 0, text, wide, out.Buffer(), bytes, nullptr, nullptr);
    out.Buffer()[bytes] = '\0';
}

HRESULT ReturnText(const char* text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    int length = static_cast<int>(std::strlen(text));
    int wide = length ? MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0) : 0;
    *out = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
    if (!*out)
        return Fail(E_OUTOFMEMORY);
    if (wide)
        MultiByteToWideChar(CP_ACP, 0, text, length, *out, wide);
    return S_OK;
}

HRESULT ReturnText(const VornString& text, BSTR* out) { return ReturnText(text.Text(), out); }

VornString TextOf(BSTR text)
{
    VornString out;
    TextOf(text, out);
    return out;
}

HRESULT ReturnLong(long value, LONG* out)
{
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}

HRESULT ReturnDouble(double value, double* out)
{
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}

HRESULT ReturnBool(bool value, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    out->vt = VT_BOOL;
    out->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT Fail(HRESULT failure)
{
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)))
        return failure;
    wchar_t* description = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, static_cast<DWORD>(failure), 0, reinterpret_cast<wchar_t*>(&description), 0, nullptr);
    // Wine has no system text for the DISP_E codes: the script still learns what failed.
    wchar_t fallback[96];
    if (!description)
        wsprintfW(fallback, L"Argument conversion failed (0x%08lX)", static_cast<unsigned long>(failure));
    create->SetDescription(description ? description : fallback);
    create->SetSource(const_cast<wchar_t*>(L"Vorn"));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    if (description)
        LocalFree(description);
    return failure;
}

namespace {

bool Omitted(const VARIANT& argument)
{
    const VARIANT* value = &argument;
    while (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    return value->vt == VT_ERROR;
}

// Scripts pass their variables by reference: the value is taken from behind the reference.
HRESULT Converted(const VARIANT& argument, VARTYPE type, VARIANT& out)
{
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, const_cast<VARIANT*>(&argument));
    if (SUCCEEDED(hr))
        hr = VariantChangeType(&out, &value, 0, type);
    VariantClear(&value);
    return hr;
}

}  // namespace

HRESULT OptionalText(const VARIANT& argument, VornString& value, bool* given)
{
    if (given)
        *given = false;
    if (Omitted(argument))
        return S_OK;
    VARIANT converted;
    VariantInit(&converted);
    HRESULT hr = Converted(argument, VT_BSTR, converted);
    if (FAILED(hr))
        return Fail(hr);
    TextOf(converted.bstrVal, value);
    VariantClear(&converted);
    if (given)
        *given = true;
    return S_OK;
}

HRESULT OptionalLong(const VARIANT& argument, long& value, bool* given)
{
    if (given)
        *given = false;
    if (Omitted(argument))
        return S_OK;
    VARIANT converted;
    VariantInit(&converted);
    HRESULT hr = Converted(argument, VT_I4, converted);
    if (FAILED(hr))
        return Fail(hr);
    value = converted.lVal;
    if (given)
        *given = true;
    return S_OK;
}

HRESULT OptionalBool(const VARIANT& argument, bool& value, bool* given)
{
    if (given)
        *given = false;
    if (Omitted(argument))
        return S_OK;
    VARIANT converted;
    VariantInit(&converted);
    HRESULT hr = Converted(argument, VT_BOOL, converted);
    if (FAILED(hr))
        return Fail(hr);
    value = converted.boolVal != VARIANT_FALSE;
    if (given)
        *given = true;
    return S_OK;
}

}  // namespace vorn
