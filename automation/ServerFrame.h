// The in-process server frame shared by the library's eight objects: the module's lock
// count, the type library embedded in the module, IDispatch through that type library, and
// the conversions between script arguments and code page 932 text.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "VornString.h"
#include "Vorn.h"

namespace vorn {

HINSTANCE Module();
void SetModule(HINSTANCE module);
// Objects and server locks outstanding; the library may unload at 0.
void AddModuleReference();
void ReleaseModuleReference();
LONG ModuleReferences();

// The type information of an interface of the embedded type library (AddRef'ed), or null.
ITypeInfo* TypeInfoOf(REFIID iid);

// BSTR <-> code page 932. A null BSTR is the empty text.
void TextOf(BSTR text, VornString& out);
// *out becomes a new BSTR; E_OUTOFMEMORY when it could not be allocated.
HRESULT ReturnText(const char* text, BSTR* out);
HRESULT ReturnText(const VornString& text, BSTR* out);
HRESULT ReturnBool(bool value, VARIANT* out);
HRESULT ReturnLong(long value, LONG* out);
HRESULT ReturnDouble(double value, double* out);
VornString TextOf(BSTR text);

// Returns a failed conversion or allocation to the caller of the member at once.
#define VORN_CHECK(expression)            \
    do {                                  \
        HRESULT hr_ = (expression);       \
        if (FAILED(hr_))                  \
            return hr_;                   \
    } while (0)

// An optional argument: an omitted one (VT_ERROR) leaves *value at its default; a given
// one is converted, and a failed conversion is returned with the platform's description
// set as the error information.
HRESULT OptionalText(const VARIANT& argument, VornString& value, bool* given = nullptr);
HRESULT OptionalLong(const VARIANT& argument, long& value, bool* given = nullptr);
HRESULT OptionalBool(const VARIANT& argument, bool& value, bool* given = nullptr);
// Sets the error information of a failure for the caller; returns the failure.
HRESULT Fail(HRESULT failure);

// IUnknown and IDispatch for one dual interface, dispatched from its type information.
template <class Interface>
class DispatchObject : public Interface, public ISupportErrorInfo {
public:
    DispatchObject() { AddModuleReference(); }
    virtual ~DispatchObject()
    {
        if (typeInfo_)
            typeInfo_->Release();
        ReleaseModuleReference();
    }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    // Loads the type information; false when the library's own type library is unusable.
    bool Initialize()
    {
        typeInfo_ = TypeInfoOf(__uuidof(Interface));
        return typeInfo_ != nullptr;
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface))
            *object = static_cast<Interface*>(this);
        else if (iid == IID_ISupportErrorInfo)
            *object = static_cast<ISupportErrorInfo*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override
    {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        typeInfo_->AddRef();
        *info = typeInfo_;
        return S_OK;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        return typeInfo_->GetIDsOfNames(names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override
    {
        // A failure of an earlier call must not be reported for this one.
        SetErrorInfo(0, nullptr);
        return typeInfo_->Invoke(static_cast<Interface*>(this), id, flags, parameters, result, exception,
                                 argumentError);
    }

    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override
    {
        return iid == __uuidof(Interface) ? S_OK : S_FALSE;
    }

private:
    LONG references_ = 1;
    ITypeInfo* typeInfo_ = nullptr;
};

// The objects whose members are not there yet: creatable, with an empty dual interface.
template <class Interface>
class PlainObject : public DispatchObject<Interface> {};

}  // namespace vorn
