// "インデックス メンテナンス": the indexes of the table shown in the definition view, the
// columns of a chosen one, and an index or a primary key made from columns the user
// picks, or chosen indexes dropped. The dialog template (IndexDialog.rc) must be linked
// into the program.
#pragma once

#include <windows.h>

#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "schema/SchemaBrowser.h"

struct IndexMaintenanceContext {
    SchemaBrowser* browser = nullptr;           // kind, user, tableName (as listed), the statements
    const GridView* definitionView = nullptr;   // the table's columns (the 13 definition columns)
    // The data view's per-column options (№, 条件, 値, 非表示, 選択順, 逆順): its sort
    // positions preselect the chosen columns unless the options are cleared for the moment.
    const GridView* columnOptions = nullptr;
    ProfileStore* settings = nullptr;           // SortWindowSize
    VornString programFolder;                   // "help\IndexMtn.htm"
};

// Modal over owner.
void RunIndexMaintenance(HWND owner, const IndexMaintenanceContext& context);
