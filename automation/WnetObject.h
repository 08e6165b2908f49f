// The Wnet object: network browsing and network drives through "mpr.dll", loaded by name
// when the object is made, so the library runs where the network functions are missing.
#pragma once

#include <windows.h>
#include <winnetwk.h>

#include <vector>

#include "ListResult.h"
#include "ServerFrame.h"

namespace vorn {

class WnetObject : public DispatchObject<IWnet> {
public:
    WnetObject();
    ~WnetObject() override;

    STDMETHODIMP Domain(VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP Server(BSTR Domain, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP Resource(BSTR Domain, BSTR Server, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard,
                          BSTR* pVal) override;
    STDMETHODIMP Connected(VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP ConnectDialog(VARIANT* pVal) override;
    STDMETHODIMP DisconnectDialog(VARIANT* pVal) override;
    STDMETHODIMP NetUse(BSTR Resource, VARIANT Local, VARIANT bKeep, VARIANT User, VARIANT Password, BSTR* pVal) override;
    STDMETHODIMP NetUnuse(BSTR Local, VARIANT bKeep, VARIANT bForce, BSTR* pVal) override;

private:
    // One resource of an enumeration, in the buffer the platform wrote it to (its texts
    // point into that buffer, which never moves).
    struct Found {
        std::vector<char> bytes;
        NETRESOURCEA* Resource() { return reinterpret_cast<NETRESOURCEA*>(bytes.data()); }
    };

    template <typename F>
    F Function(const char* name) const;
    // The child of parent (null: the top level) whose remote name is name, ignoring case.
    bool FindChild(NETRESOURCEA* parent, const char* name, Found& found) const;
    // Descends through the remote names of path, from the provider down.
    bool Descend(std::initializer_list<const char*> path, Found& found) const;
    // The children of parent as the network list; no columns when it cannot be enumerated.
    void ListChildren(DWORD scope, DWORD type, NETRESOURCEA* parent, const char* numberFormat, ListTable& table) const;
    HRESULT BrowseList(std::initializer_list<const char*> path, const VARIANT& nSortColumn, const VARIANT& bDesending,
                       const VARIANT& bClipboard, BSTR* pVal) const;

    HMODULE mpr_ = nullptr;
    char accessName_[260] = {};
    VornString error_;
};

}  // namespace vorn
