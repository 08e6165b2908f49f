// The menus filled from menu files ("RDBMS固有(&R)", "ｽｹﾙﾄﾝ(&S)", "ﾂｰﾙ(&T)"), the parts lists
// of each kind folder and the user menu of the Free SQL context menu.
#pragma once

#include <windows.h>

#include <vector>

#include "MenuFileRules.h"
#include "PartsLists.h"
#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "db/DatabaseKind.h"

class DbLink;
class GridView;

// The files behind one menu, in list order (separators included) so that id - base is the
// index of the file.
class MenuFileList {
public:
    // Empties the popup and fills it from folder\pattern; false when the folder is missing
    // (the popup is then left empty).
    bool Build(HMENU popup, const char* folder, UINT baseId);
    // The full path of the file behind an id, or empty.
    VornString PathOf(UINT id) const;
    VornString CaptionOf(UINT id) const;
    size_t Count() const { return paths_.size(); }

    UINT Base() const { return base_; }
    // Whether the id names a file of the last build (separators included).
    bool Owns(UINT id) const { return id >= base_ && id - base_ < paths_.size(); }
    void Clear();

private:
    UINT base_ = 0;
    std::vector<VornString> paths_;
    std::vector<VornString> captions_;
};

// "EXCEL", "MDB", "SQLServer", "MySQL", "Oracle", "Postgres" below the program folder.
VornString KindFolder(const char* programFolder, DatabaseKind kind);

// True when the path names an existing folder.
bool FolderExists(const char* path);

// The names of the "*.mnu" files of a folder, in the directory's order (empty when none).
std::vector<VornString> ListMenuFileNames(const char* folder);

// The three file menus of the main window and the parts lists of the current kind.
class MenuFileMenus {
public:
    MenuFileList kindMenu;      // 40000 + index
    MenuFileList toolMenu;      // 41000 + index
    MenuFileList skeletonMenu;  // 43000 + index
    PartsLists parts;

    // After each connection: both kind popups from kindFolder\menu and kindFolder\skeleton,
    // and the parts lists (providerTypes is asked only when there is no Type.txt).
    void BuildKindMenus(HMENU kindPopup, HMENU skeletonPopup, const char* programFolder, DatabaseKind kind,
                        const TypeNameSource& providerTypes);
    // At start-up: a missing "Tool\menu" leaves the popup as the resource made it (false).
    bool BuildToolMenu(HMENU toolPopup, const char* programFolder);

    // The file and caption behind an id of any of the three menus; empty when none.
    VornString PathOf(UINT id) const;
    VornString CaptionOf(UINT id) const;
    // The list that owns the id, or null.
    const MenuFileList* ListOf(UINT id) const;
};

// The provider's type names (ADO schema 22, first column) over the link's connection; the
// scratch grid receives the schema rows. Empty when the schema cannot be read.
TokenList ProviderTypeNames(DbLink& link, GridView& scratch);
