#include <windows.h>
#include <oleauto.h>

#include "VornString.h"

HRESULT VornString::AssignVariant(const VARIANT& value)
{
    Clear();
    VARIANT text;
    VariantInit(&text);
    HRESULT hr = VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR);
    if (FAILED(hr))
        return hr;
    if (text.bstrVal) {
        int wideLength = static_cast<int>(SysStringLen(text.bstrVal));
        int bytes = WideCharToMultiByte(CP_ACP, 0, text.bstrVal, wideLength, nullptr, 0, nullptr, nullptr);
        if (bytes > 0 && EnsureCapacity(static_cast<size_t>(bytes) + 1)) {
            WideCharToMultiByte(CP_ACP, 0, text.bstrVal, wideLength, buffer_, bytes, nullptr, nullptr);
            SetLength(static_cast<size_t>(bytes));
        }
    }
    VariantClear(&text);
    return S_OK;
}
