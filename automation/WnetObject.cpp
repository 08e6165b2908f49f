#include "WnetObject.h"

#include <cstring>

#include "NetworkResultTexts.h"
#include "SjisText.h"

namespace vorn {

namespace {

typedef DWORD(WINAPI* OpenEnumFunction)(DWORD, DWORD, DWORD, LPNETRESOURCEA, LPHANDLE);
typedef DWORD(WINAPI* EnumResourceFunction)(HANDLE, LPDWORD, LPVOID, LPDWORD);
typedef DWORD(WINAPI* CloseEnumFunction)(HANDLE);
typedef DWORD(WINAPI* UseConnectionFunction)(HWND, LPNETRESOURCEA, LPCSTR, LPCSTR, DWORD, LPSTR, LPDWORD, LPDWORD);
typedef DWORD(WINAPI* CancelConnectionFunction)(LPCSTR, DWORD, BOOL);
typedef DWORD(WINAPI* ConnectionDialogFunction)(LPCONNECTDLGSTRUCTA);
typedef DWORD(WINAPI* DisconnectDialogFunction)(HWND, DWORD);

const char kWindowsNetwork[] = "Microsoft Windows Network";
const DWORD kEntryBufferSize = 1000;
const DWORD kMoreData = 234;
// No text table names it, so the members answer their general failure text.
const unsigned long kUnavailable = ERROR_NOT_SUPPORTED;

// The platform's enumeration, closed with the object.
class Enumeration {
public:
    Enumeration(OpenEnumFunction open, EnumResourceFunction next, CloseEnumFunction close, DWORD scope, DWORD type,
                NETRESOURCEA* parent)
        : next_(next), close_(close)
    {
        if (!open || !next || !close || open(scope, type, 0, parent, &handle_) != NO_ERROR)
            handle_ = nullptr;
    }
    ~Enumeration()
    {
        if (handle_)
            close_(handle_);
    }
    Enumeration(const Enumeration&) = delete;
    Enumeration& operator=(const Enumeration&) = delete;

    bool IsOpen() const { return handle_ != nullptr; }
    // One entry at a time; false at the end or on failure.
    bool Next(std::vector<char>& bytes)
    {
        bytes.assign(kEntryBufferSize, 0);
        DWORD count = 1, size = kEntryBufferSize;
        DWORD result = next_(handle_, &count, bytes.data(), &size);
        return (result == NO_ERROR || result == kMoreData) && count == 1;
    }

private:
    EnumResourceFunction next_;
    CloseEnumFunction close_;
    HANDLE handle_ = nullptr;
};

const char* TextOrEmpty(const char* text) { return text ? text : ""; }

HRESULT AnswerVariantBool(bool value, VARIANT* pVal) { return ReturnBool(value, pVal); }

}  // namespace

WnetObject::WnetObject() { mpr_ = LoadLibraryA("mpr.dll"); }

WnetObject::~WnetObject()
{
    if (mpr_)
        FreeLibrary(mpr_);
}

template <typename F>
F WnetObject::Function(const char* name) const
{
    if (!mpr_)
        return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(mpr_, name)));
}

bool WnetObject::FindChild(NETRESOURCEA* parent, const char* name, Found& found) const
{
    Enumeration children(Function<OpenEnumFunction>("WNetOpenEnumA"), Function<EnumResourceFunction>("WNetEnumResourceA"),
                         Function<CloseEnumFunction>("WNetCloseEnum"), RESOURCE_GLOBALNET, RESOURCETYPE_ANY, parent);
    if (!children.IsOpen())
        return false;
    while (children.Next(found.bytes)) {
        const char* remote = found.Resource()->lpRemoteName;
        if (remote && sjis::CompareIgnoreCase(remote, name) == 0)
            return true;
    }
    return false;
}

bool WnetObject::Descend(std::initializer_list<const char*> path, Found& found) const
{
    NETRESOURCEA* parent = nullptr;
    Found level;
    for (const char* name : path) {
        Found child;
        if (!FindChild(parent, name, child))
            return false;
        level = std::move(child);
        parent = level.Resource();
    }
    found = std::move(level);
    return true;
}

void WnetObject::ListChildren(DWORD scope, DWORD type, NETRESOURCEA* parent, const char* numberFormat,
                              ListTable& table) const
{
    Enumeration children(Function<OpenEnumFunction>("WNetOpenEnumA"), Function<EnumResourceFunction>("WNetEnumResourceA"),
                         Function<CloseEnumFunction>("WNetCloseEnum"), scope, type, parent);
    if (!children.IsOpen())
        return;
    table = ListTable({"№", "ローカル", "リモート", "プロバイダ", "コメント"});
    std::vector<char> bytes;
    VornString number;
    for (int row = 1; children.Next(bytes); ++row) {
        const NETRESOURCEA* resource = reinterpret_cast<const NETRESOURCEA*>(bytes.data());
        number.Format(numberFormat, row);
        table.AddRow({number.Text(), TextOrEmpty(resource->lpLocalName), TextOrEmpty(resource->lpRemoteName),
                      TextOrEmpty(resource->lpProvider), TextOrEmpty(resource->lpComment)});
    }
}

HRESULT WnetObject::BrowseList(std::initializer_list<const char*> path, const VARIANT& nSortColumn,
                               const VARIANT& bDesending, const VARIANT& bClipboard, BSTR* pVal) const
{
    ListOptions options;
    HRESULT hr = ReadListOptions(nSortColumn, bDesending, bClipboard, options);
    if (FAILED(hr))
        return hr;
    ListTable table{std::initializer_list<const char*>{}};
    Found level;
    if (Descend(path, level))
        ListChildren(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, level.Resource(), "%4d", table);
    return ReturnList(table, options, pVal);
}

STDMETHODIMP WnetObject::Domain(VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal)
{
    return BrowseList({kWindowsNetwork}, nSortColumn, bDesending, bClipboard, pVal);
}

STDMETHODIMP WnetObject::Server(BSTR Domain, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal)
{
    VornString domain;
    TextOf(Domain, domain);
    return BrowseList({kWindowsNetwork, domain.Text()}, nSortColumn, bDesending, bClipboard, pVal);
}

STDMETHODIMP WnetObject::Resource(BSTR Domain, BSTR Server, VARIANT nSortColumn, VARIANT bDesending,
                                  VARIANT bClipboard, BSTR* pVal)
{
    VornString domain, server;
    TextOf(Domain, domain);
    TextOf(Server, server);
    return BrowseList({kWindowsNetwork, domain.Text(), server.Text()}, nSortColumn, bDesending, bClipboard, pVal);
}

STDMETHODIMP WnetObject::Connected(VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal)
{
    ListOptions options;
    HRESULT hr = ReadListOptions(nSortColumn, bDesending, bClipboard, options);
    if (FAILED(hr))
        return hr;
    ListTable table{std::initializer_list<const char*>{}};
    ListChildren(RESOURCE_CONNECTED, RESOURCETYPE_DISK, nullptr, "%d", table);
    return ReturnList(table, options, pVal);
}

STDMETHODIMP WnetObject::ConnectDialog(VARIANT* pVal)
{
    auto dialog = Function<ConnectionDialogFunction>("WNetConnectionDialog1A");
    if (!dialog)
        return AnswerVariantBool(false, pVal);
    NETRESOURCEA resource = {};
    resource.dwType = RESOURCETYPE_DISK;
    CONNECTDLGSTRUCTA request = {};
    request.cbStructure = sizeof request;
    request.hwndOwner = GetDesktopWindow();
    request.lpConnRes = &resource;
    DWORD result = dialog(&request);
    if (result != NO_ERROR) {
        const char* text = ConnectDialogErrorText(result);
        error_ = text ? text : "";
        return AnswerVariantBool(false, pVal);
    }
    if (request.dwDevNum == 0 || request.dwDevNum == 0xFFFFFFFF)
        return AnswerVariantBool(false, pVal);
    accessName_[0] = static_cast<char>('A' + request.dwDevNum - 1);
    accessName_[1] = ':';
    accessName_[2] = '\0';
    return AnswerVariantBool(true, pVal);
}

STDMETHODIMP WnetObject::DisconnectDialog(VARIANT* pVal)
{
    auto dialog = Function<DisconnectDialogFunction>("WNetDisconnectDialog");
    return AnswerVariantBool(dialog && dialog(GetDesktopWindow(), RESOURCETYPE_DISK) == NO_ERROR, pVal);
}

STDMETHODIMP WnetObject::NetUse(BSTR Resource, VARIANT Local, VARIANT bKeep, VARIANT User, VARIANT Password,
                                BSTR* pVal)
{
    VornString remote, local, user, password;
    bool keep = false, localGiven = false, userGiven = false, passwordGiven = false;
    TextOf(Resource, remote);
    HRESULT hr = OptionalText(Local, local, &localGiven);
    if (SUCCEEDED(hr))
        hr = OptionalBool(bKeep, keep);
    if (SUCCEEDED(hr))
        hr = OptionalText(User, user, &userGiven);
    if (SUCCEEDED(hr))
        hr = OptionalText(Password, password, &passwordGiven);
    if (FAILED(hr))
        return hr;
    auto use = Function<UseConnectionFunction>("WNetUseConnectionA");
    if (!use)
        return ReturnText(NetUseText(kUnavailable), pVal);
    NETRESOURCEA resource = {};
    resource.dwType = RESOURCETYPE_DISK;
    resource.lpLocalName = localGiven ? const_cast<char*>(local.Text()) : nullptr;
    resource.lpRemoteName = const_cast<char*>(remote.Text());
    DWORD size = sizeof accessName_, outcome = 0;
    DWORD flags = CONNECT_REDIRECT | (keep ? CONNECT_UPDATE_PROFILE : 0);
    DWORD result = use(nullptr, &resource, passwordGiven ? password.Text() : nullptr, userGiven ? user.Text() : nullptr,
                       flags, accessName_, &size, &outcome);
    const char* text = NetUseText(result);
    error_ = result == NO_ERROR ? "" : text;
    return ReturnText(text, pVal);
}

STDMETHODIMP WnetObject::NetUnuse(BSTR Local, VARIANT bKeep, VARIANT bForce, BSTR* pVal)
{
    VornString local;
    bool keep = false, force = false;
    TextOf(Local, local);
    HRESULT hr = OptionalBool(bKeep, keep);
    if (SUCCEEDED(hr))
        hr = OptionalBool(bForce, force);
    if (FAILED(hr))
        return hr;
    auto cancel = Function<CancelConnectionFunction>("WNetCancelConnection2A");
    if (!cancel)
        return ReturnText(NetUnuseText(kUnavailable), pVal);
    DWORD result = cancel(local.Text(), keep ? 0 : CONNECT_UPDATE_PROFILE, force ? TRUE : FALSE);
    const char* text = NetUnuseText(result);
    error_ = result == NO_ERROR ? "" : text;
    return ReturnText(text, pVal);
}

}  // namespace vorn
