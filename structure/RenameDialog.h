// "名称変更": renames the first selected table of the table list.
#pragma once

#include <windows.h>

#include <functional>

#include "schema/SchemaBrowser.h"

struct RenameContext {
    SchemaBrowser* browser = nullptr;
    VornString oldName;                     // as listed, without the kind's quotes
    std::function<void()> refreshMain;      // after a rename: the main window's 再表示
};
void RunRename(HWND owner, const RenameContext& context);
