#include "FileDialogs.h"

#include <shlobj.h>

#include "FileDialogRules.h"

namespace {

const char kFolderTitle[] = "ディレクトリの選択";
// The shell view's own command for its details (report) view.
const WPARAM kDetailsViewCommand = 28716;

// Windows before 2000 (and the 9x line) reject the record with the Windows 2000 fields.
DWORD DialogRecordSize()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    bool modern = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                  version.dwMajorVersion >= 5;
#pragma GCC diagnostic pop
    return modern ? sizeof(OPENFILENAMEA) : OPENFILENAME_SIZE_VERSION_400A;
}

bool RunFileDialog(bool save, HWND owner, const char* title, const char* filter,
                   DWORD filterIndex, char* file, DWORD fileSize, DWORD flags,
                   const char* initialFolder, const char* defaultExtension, LPOFNHOOKPROC hook)
{
    char filterList[filedialog::kFilterBufferSize];
    filedialog::BuildFilter(filter, filterList);

    OPENFILENAMEA record = {};
    record.lStructSize = DialogRecordSize();
    record.hwndOwner = owner;
    record.lpstrFilter = filterList;
    record.nFilterIndex = filedialog::FilterIndexOrDefault(filterIndex);
    record.lpstrFile = file;
    record.nMaxFile = fileSize;
    record.lpstrInitialDir = initialFolder && *initialFolder ? initialFolder : nullptr;
    record.lpstrTitle = filedialog::TitleOrDefault(title, save);
    record.lpstrDefExt = defaultExtension && *defaultExtension ? defaultExtension : nullptr;
    record.Flags = filedialog::FlagsOrDefault(flags, save);
    if (hook) {
        // Without OFN_EXPLORER a hook turns the dialog into the old-style one.
        record.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
        record.lpfnHook = hook;
    }
    return save ? GetSaveFileNameA(&record) != FALSE : GetOpenFileNameA(&record) != FALSE;
}

}  // namespace

UINT_PTR CALLBACK DetailsViewHook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == CDN_FOLDERCHANGE) {
            // The hook runs in a child of the real dialog, which owns the shell view.
            HWND view = FindWindowExA(GetParent(dialog), nullptr, "SHELLDLL_DefView", nullptr);
            if (view)
                SendMessageA(view, WM_COMMAND, kDetailsViewCommand, 0);
        }
    }
    return 0;
}

bool OpenFileDialog(HWND owner, const char* title, const char* filter, DWORD filterIndex,
                    char* file, DWORD flags, const char* initialFolder,
                    const char* defaultExtension, LPOFNHOOKPROC hook)
{
    return RunFileDialog(false, owner, title, filter, filterIndex, file,
                         filedialog::kDefaultPathSize, flags, initialFolder, defaultExtension, hook);
}

bool OpenFileDialog(HWND owner, const char* title, const char* filter, DWORD filterIndex,
                    char* file, DWORD fileSize, DWORD flags, const char* initialFolder,
                    const char* defaultExtension, LPOFNHOOKPROC hook)
{
    return RunFileDialog(false, owner, title, filter, filterIndex, file, fileSize, flags,
                         initialFolder, defaultExtension, hook);
}

bool SaveFileDialog(HWND owner, const char* title, const char* filter, DWORD filterIndex,
                    char* file, DWORD flags, const char* initialFolder,
                    const char* defaultExtension, LPOFNHOOKPROC hook)
{
    return RunFileDialog(true, owner, title, filter, filterIndex, file,
                         filedialog::kDefaultPathSize, flags, initialFolder, defaultExtension, hook);
}

bool SaveFileDialog(HWND owner, const char* title, const char* filter, DWORD filterIndex,
                    char* file, DWORD fileSize, DWORD flags, const char* initialFolder,
                    const char* defaultExtension, LPOFNHOOKPROC hook)
{
    return RunFileDialog(true, owner, title, filter, filterIndex, file, fileSize, flags,
                         initialFolder, defaultExtension, hook);
}

bool ChooseFolder(HWND owner, VornString& path, const char* title, unsigned extraFlags)
{
    char chosen[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = chosen;
    info.lpszTitle = title && *title ? title : kFolderTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS | extraFlags;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item)
        return false;
    bool found = SHGetPathFromIDListA(item, chosen) != FALSE;
    CoTaskMemFree(item);
    if (found)
        path = chosen;
    return found;
}
