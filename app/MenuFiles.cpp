#include "MenuFiles.h"

#include "common/DirectoryListing.h"
#include "common/GridView.h"
#include "common/MenuHelpers.h"
#include "db/AdoConstants.h"
#include "db/DbLink.h"

namespace {

const char kMenuPattern[] = "*.mnu";

}  // namespace

bool FolderExists(const char* path)
{
    if (!path || !*path)
        return false;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<VornString> ListMenuFileNames(const char* folder)
{
    std::vector<VornString> names;
    // The listing fills a list box; an unsorted one keeps the directory's order, which
    // decides between names that differ only in case.
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!list)
        return names;
    ListDirectory(list, folder, kMenuPattern, kListFilesOnly);
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        int length = static_cast<int>(SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0));
        if (length < 0)
            continue;
        VornString name(static_cast<unsigned>(length) + 1);
        if (!name.Buffer())
            continue;
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name.Buffer()));
        names.push_back(name);
    }
    DestroyWindow(list);
    return names;
}

void MenuFileList::Clear()
{
    paths_.clear();
    captions_.clear();
}

bool MenuFileList::Build(HMENU popup, const char* folder, UINT baseId)
{
    base_ = baseId;
    Clear();
    if (popup)
        RemoveMenuItemsFrom(popup, 0);
    if (!FolderExists(folder))
        return false;
    for (const MenuFileItem& item : PlanMenuItems(ListMenuFileNames(folder), baseId)) {
        paths_.push_back(JoinPath(folder, item.fileName));
        captions_.push_back(item.caption);
        if (!popup)
            continue;
        if (item.separator)
            InsertMenuSeparator(popup, -1);
        else
            InsertMenuCommand(popup, -1, item.id, item.caption);
    }
    return true;
}

VornString MenuFileList::PathOf(UINT id) const
{
    return Owns(id) ? paths_[id - base_] : VornString();
}

VornString MenuFileList::CaptionOf(UINT id) const
{
    return Owns(id) ? captions_[id - base_] : VornString();
}

VornString KindFolder(const char* programFolder, DatabaseKind kind)
{
    return KindFolderPath(programFolder, kind);
}

void MenuFileMenus::BuildKindMenus(HMENU kindPopup, HMENU skeletonPopup, const char* programFolder,
                                   DatabaseKind kind, const TypeNameSource& providerTypes)
{
    VornString folder = KindFolder(programFolder, kind);
    if (folder.IsEmpty()) {
        // No kind: a relative "menu" folder must not be read from the current folder.
        kindMenu.Build(kindPopup, nullptr, kKindMenuBase);
        skeletonMenu.Build(skeletonPopup, nullptr, kSkeletonMenuBase);
        parts = PartsLists();
        return;
    }
    kindMenu.Build(kindPopup, JoinPath(folder, "menu"), kKindMenuBase);
    skeletonMenu.Build(skeletonPopup, JoinPath(folder, "skeleton"), kSkeletonMenuBase);
    parts = LoadPartsLists(folder, kind, providerTypes);
}

bool MenuFileMenus::BuildToolMenu(HMENU toolPopup, const char* programFolder)
{
    VornString folder = JoinPath(JoinPath(programFolder, "Tool"), "menu");
    if (!FolderExists(folder)) {
        toolMenu.Clear();
        return false;
    }
    return toolMenu.Build(toolPopup, folder, kToolMenuBase);
}

const MenuFileList* MenuFileMenus::ListOf(UINT id) const
{
    for (const MenuFileList* list : {&kindMenu, &toolMenu, &skeletonMenu})
        if (list->Count() > 0 && list->Owns(id))
            return list;
    return nullptr;
}

VornString MenuFileMenus::PathOf(UINT id) const
{
    const MenuFileList* list = ListOf(id);
    return list ? list->PathOf(id) : VornString();
}

VornString MenuFileMenus::CaptionOf(UINT id) const
{
    const MenuFileList* list = ListOf(id);
    return list ? list->CaptionOf(id) : VornString();
}

TokenList ProviderTypeNames(DbLink& link, GridView& scratch)
{
    VornString names;
    if (link.FillSchemaList(scratch, ado::adSchemaProviderTypes, nullptr, "") > 0) {
        for (int row = 0; row < scratch.RowCount(); ++row) {
            if (row > 0)
                names.Append(',');
            names.Append(scratch.CellText(row, 0));
        }
    }
    return TokenList(names, ',');
}
