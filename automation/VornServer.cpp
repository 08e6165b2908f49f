// The library's entry points: class objects for the eight coclasses and their registration.
#include <windows.h>
#include <olectl.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "BatchHelper.h"
#include "Database.h"
#include "Fsystem.h"
#include "Ftp.h"
#include "OuterDllObject.h"
#include "Prt.h"
#include "ServerFrame.h"
#include "WindowObject.h"
#include "WnetObject.h"

namespace {

using vorn::DispatchObject;

typedef HRESULT (*CreateFunction)(REFIID iid, void** object);

template <class Object>
HRESULT CreateObject(REFIID iid, void** object)
{
    Object* created = new (std::nothrow) Object;
    if (!created)
        return E_OUTOFMEMORY;
    HRESULT hr = created->Initialize() ? created->QueryInterface(iid, object) : TYPE_E_CANTLOADLIBRARY;
    created->Release();
    return hr;
}

struct ServerClass {
    const CLSID* id;
    const char* name;  // the ProgID is "Vorn." + name
    CreateFunction create;
};

const ServerClass kClasses[] = {
    {&CLSID_BatchHelper, "BatchHelper", CreateObject<vorn::BatchHelperObject>},
    {&CLSID_Window, "Window", CreateObject<vorn::WindowObject>},
    {&CLSID_Wnet, "Wnet", CreateObject<vorn::WnetObject>},
    {&CLSID_OuterDll, "OuterDll", CreateObject<vorn::OuterDllObject>},
    {&CLSID_Ftp, "Ftp", CreateObject<vorn::FtpObject>},
    {&CLSID_Database, "Database", CreateObject<vorn::DatabaseObject>},
    {&CLSID_Prt, "Prt", CreateObject<vorn::PrtObject>},
    {&CLSID_Fsystem, "Fsystem", CreateObject<vorn::FsystemObject>},
};

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(CreateFunction create) : create_(create) { vorn::AddModuleReference(); }
    virtual ~ClassFactory() { vorn::ReleaseModuleReference(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
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
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return create_(iid, object);
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            vorn::AddModuleReference();
        else
            vorn::ReleaseModuleReference();
        return S_OK;
    }

private:
    LONG references_ = 1;
    CreateFunction create_;
};

void GuidText(const GUID& id, char* out, size_t size)
{
    wchar_t wide[40] = {};
    StringFromGUID2(id, wide, 40);
    WideCharToMultiByte(CP_ACP, 0, wide, -1, out, static_cast<int>(size), nullptr, nullptr);
}

bool SetKey(HKEY parent, const char* path, const char* value, const char* name = nullptr)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status = value ? RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                         static_cast<DWORD>(std::strlen(value) + 1))
                        : ERROR_SUCCESS;
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool RegisterClassEntries(const ServerClass& entry, const char* modulePath, const char* libraryId)
{
    char classId[40], progId[64], currentId[64], description[64], path[128];
    GuidText(*entry.id, classId, sizeof classId);
    std::snprintf(progId, sizeof progId, "Vorn.%s", entry.name);
    std::snprintf(currentId, sizeof currentId, "Vorn.%s.1", entry.name);
    std::snprintf(description, sizeof description, "%s Class", entry.name);

    bool ok = SetKey(HKEY_CLASSES_ROOT, currentId, description);
    std::snprintf(path, sizeof path, "%s\\CLSID", currentId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, classId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, progId, description);
    std::snprintf(path, sizeof path, "%s\\CLSID", progId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, classId);
    std::snprintf(path, sizeof path, "%s\\CurVer", progId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, currentId);

    // A class key left from an earlier registration is replaced, not merged.
    std::snprintf(path, sizeof path, "CLSID\\%s", classId);
    SHDeleteKeyA(HKEY_CLASSES_ROOT, path);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, description);
    std::snprintf(path, sizeof path, "CLSID\\%s\\ProgID", classId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, currentId);
    std::snprintf(path, sizeof path, "CLSID\\%s\\VersionIndependentProgID", classId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, progId);
    std::snprintf(path, sizeof path, "CLSID\\%s\\Programmable", classId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, nullptr);
    std::snprintf(path, sizeof path, "CLSID\\%s\\InprocServer32", classId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, modulePath);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, "Both", "ThreadingModel");
    std::snprintf(path, sizeof path, "CLSID\\%s\\TypeLib", classId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, path, libraryId);
    return ok;
}

void RemoveClassEntries(const ServerClass& entry)
{
    char classId[40], name[64];
    GuidText(*entry.id, classId, sizeof classId);
    std::snprintf(name, sizeof name, "Vorn.%s.1", entry.name);
    SHDeleteKeyA(HKEY_CLASSES_ROOT, name);
    std::snprintf(name, sizeof name, "Vorn.%s", entry.name);
    SHDeleteKeyA(HKEY_CLASSES_ROOT, name);
    std::snprintf(name, sizeof name, "CLSID\\%s", classId);
    SHDeleteKeyA(HKEY_CLASSES_ROOT, name);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        vorn::SetModule(module);
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return vorn::ModuleReferences() == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID id, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (const ServerClass& entry : kClasses) {
        if (id != *entry.id)
            continue;
        ClassFactory* factory = new (std::nothrow) ClassFactory(entry.create);
        if (!factory)
            return E_OUTOFMEMORY;
        HRESULT hr = factory->QueryInterface(iid, object);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    char modulePath[MAX_PATH] = {};
    wchar_t widePath[MAX_PATH] = {};
    if (!GetModuleFileNameA(vorn::Module(), modulePath, MAX_PATH) ||
        !GetModuleFileNameW(vorn::Module(), widePath, MAX_PATH))
        return SELFREG_E_CLASS;
    char libraryId[40];
    GuidText(LIBID_VORNtypeLib, libraryId, sizeof libraryId);
    for (const ServerClass& entry : kClasses)
        if (!RegisterClassEntries(entry, modulePath, libraryId))
            return SELFREG_E_CLASS;
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(widePath, REGKIND_NONE, &library);
    if (SUCCEEDED(hr)) {
        hr = RegisterTypeLib(library, widePath, nullptr);
        library->Release();
    }
    return SUCCEEDED(hr) ? S_OK : SELFREG_E_TYPELIB;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    for (const ServerClass& entry : kClasses)
        RemoveClassEntries(entry);
    UnRegisterTypeLib(LIBID_VORNtypeLib, 1, 0, LOCALE_NEUTRAL, SYS_WIN32);
    return S_OK;
}
