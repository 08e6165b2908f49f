// BatchHelper's members that answer with a list text and its message boxes.
#include <cstdio>
#include <cstring>
#include <vector>

#include "BatchHelper.h"
#include "GridView.h"
#include "ListResult.h"
#include "WindowLists.h"
#include "ScriptText.h"
#include "SjisText.h"

namespace vorn {

namespace {

const char kWrongPath[] = "レジストリのパスに誤りがあります";
const char kCannotOpen[] = "レジストリをオープンできません";
const char kCaption[] = "確認";
// The blanks widen the box beyond the text.
const char kMessageTail[] = "      ";

// The key a registry path names, opened with full access: the first component is the root
// (full names only), the rest the sub-key. 0 when the root is wrong, -1 when it cannot open.
int OpenRegistryPath(const char* path, HKEY& key)
{
    static const struct {
        const char* name;
        HKEY root;
    } kRoots[] = {{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                  {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                  {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                  {"HKEY_USERS", HKEY_USERS},
                  {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}};
    long slash = sjis::FindChar(path, '\\');
    VornString rootName(path);
    if (slash >= 0)
        rootName.Left(static_cast<size_t>(slash));
    const char* rest = slash >= 0 ? path + slash + 1 : "";
    for (const auto& root : kRoots) {
        if (sjis::CompareIgnoreCase(rootName.Text(), root.name) != 0)
            continue;
        return RegOpenKeyExA(root.root, rest, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS ? 1 : -1;
    }
    return 0;
}

void AddPathFailure(ListTable& table, int opened, const char* path)
{
    table.AddRow({opened == 0 ? kWrongPath : kCannotOpen, path});
}

// The window lists fill a grid of the common library, which needs a window to live in: a
// message-only one, so that the list of top-level windows does not show it.
HRESULT WindowListText(HWND parent, bool topLevel, const ListOptions& options, BSTR* out)
{
    HWND holder = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Module(), nullptr);
    if (!holder)
        return ReturnText("", out);
    VornString text;
    {
        GridView grid(holder, 0, 0, 100, 100);
        if (topLevel)
            ListTopLevelWindows(grid);
        else
            ListChildWindows(grid, parent);
        if (options.sorted)
            grid.SortByColumn(static_cast<int>(options.sortColumn), options.descending);
        grid.Export(0, false, true, kExportTab, text);
    }
    DestroyWindow(holder);
    if (options.crLf)
        text.ReplaceAll("\n", "\r\n");
    return ReturnText(text, out);
}

}  // namespace

STDMETHODIMP BatchHelperObject::TopWindow(VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal)
{
    ListOptions options;
    HRESULT hr = ReadListOptions(nSortColumn, bDesending, bClipboard, options);
    return FAILED(hr) ? hr : WindowListText(nullptr, true, options, pVal);
}

STDMETHODIMP BatchHelperObject::ChildWindow(LONG hWnd, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard,
                                            BSTR* pVal)
{
    ListOptions options;
    HRESULT hr = ReadListOptions(nSortColumn, bDesending, bClipboard, options);
    HWND parent = reinterpret_cast<HWND>(static_cast<LONG_PTR>(hWnd));
    return FAILED(hr) ? hr : WindowListText(parent, false, options, pVal);
}

STDMETHODIMP BatchHelperObject::MsgOk(BSTR Message)
{
    VornString text;
    TextOf(Message, text);
    text.Append(kMessageTail);
    MessageBoxA(nullptr, text.Text(), kCaption, MB_OK | MB_ICONWARNING);
    return S_OK;
}

STDMETHODIMP BatchHelperObject::MsgOkCancel(BSTR Message, VARIANT* pVal)
{
    VornString text;
    TextOf(Message, text);
    text.Append(kMessageTail);
    return ReturnBool(MessageBoxA(nullptr, text.Text(), kCaption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK, pVal);
}

STDMETHODIMP BatchHelperObject::RegKey(BSTR Path, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal)
{
    ListOptions options;
    HRESULT hr = ReadListOptions(nSortColumn, bDesending, bClipboard, options);
    if (FAILED(hr))
        return hr;
    VornString path;
    TextOf(Path, path);
    ListTable table({"№", "キー名", "クラス名", "最終書込時間"});
    HKEY key = nullptr;
    int opened = OpenRegistryPath(path.Text(), key);
    if (opened != 1) {
        AddPathFailure(table, opened, path.Text());
        return ReturnList(table, options, pVal);
    }
    for (DWORD index = 0;; ++index) {
        char name[256], className[256];
        DWORD nameSize = sizeof name, classSize = sizeof className;
        FILETIME written = {};
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, className, &classSize, &written) != ERROR_SUCCESS)
            break;
        SYSTEMTIME time = {};
        FileTimeToSystemTime(&written, &time);
        char number[16], when[32];
        std::snprintf(number, sizeof number, "%3ld", static_cast<long>(index + 1));
        std::snprintf(when, sizeof when, "%02d-%02d-%02d %02d:%02d:%02d", time.wYear, time.wMonth, time.wDay,
                      time.wHour, time.wMinute, time.wSecond);
        table.AddRow({number, name, className, when});
    }
    RegCloseKey(key);
    return ReturnList(table, options, pVal);
}

STDMETHODIMP BatchHelperObject::RegValue(BSTR Path, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal)
{
    ListOptions options;
    HRESULT hr = ReadListOptions(nSortColumn, bDesending, bClipboard, options);
    if (FAILED(hr))
        return hr;
    VornString path;
    TextOf(Path, path);
    ListTable table({"№", "名称", "型", "値"});
    HKEY key = nullptr;
    int opened = OpenRegistryPath(path.Text(), key);
    if (opened != 1) {
        AddPathFailure(table, opened, path.Text());
        return ReturnList(table, options, pVal);
    }
    DWORD longestName = 0, longestData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, &longestData,
                     nullptr, nullptr);
    std::vector<char> name(longestName + 12), data(longestData + 12);
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
        std::memset(data.data(), 0, data.size());
        if (RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &dataSize) != ERROR_SUCCESS)
            break;
        char number[16];
        std::snprintf(number, sizeof number, "%3ld", static_cast<long>(index + 1));
        VornString value;
        const char* typeName = "REG_?";
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            typeName = type == REG_SZ ? "REG_SZ" : "REG_EXPAND_SZ";
            value.Assign(data.data());
        } else if (type == REG_BINARY) {
            typeName = "REG_BINARY";
            for (DWORD i = 0; i < dataSize; ++i)
                value.AppendFormat("%02lx ", static_cast<unsigned long>(static_cast<unsigned char>(data[i])));
        } else if (type == REG_DWORD) {
            typeName = "REG_DWORD";
            DWORD number32 = 0;
            std::memcpy(&number32, data.data(), sizeof number32);
            value.Format("0x%08lX (%lu)", static_cast<unsigned long>(number32), static_cast<unsigned long>(number32));
        } else {
            value.Assign("未実装");
        }
        table.AddRow({number, name.data(), typeName, value.Text()});
    }
    RegCloseKey(key);
    return ReturnList(table, options, pVal);
}

}  // namespace vorn
