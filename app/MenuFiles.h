// The menus filled from menu files ("RDBMS固有(&R)", "ｽｹﾙﾄﾝ(&S)", "ﾂｰﾙ(&T)"), the parts lists
// of each kind folder and the user menu of the Free SQL context menu.
#pragma once

#include <windows.h>

#include <vector>

#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "db/DatabaseKind.h"

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

private:
    UINT base_ = 0;
    std::vector<VornString> paths_;
    std::vector<VornString> captions_;
};

// "EXCEL", "MDB", "SQLServer", "MySQL", "Oracle", "Postgres" below the program folder.
VornString KindFolder(const char* programFolder, DatabaseKind kind);
