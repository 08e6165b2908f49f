// "ビュー作成": the command area's query registered as a view of the connected database.
#pragma once

#include <windows.h>

#include <functional>

#include "schema/SchemaBrowser.h"

struct ViewContext {
    SchemaBrowser* browser = nullptr;
    VornString executionType;                     // of the command area
    std::function<VornString()> preparedQuery;    // the command area without comment and directive lines
    std::function<void()> refreshMain;            // after success: the main window's 再表示
};
// Shows why the dialog cannot open (not SQL, nothing written) or opens it; nothing at
// all for the kinds that take no views.
void RunCreateView(HWND owner, const ViewContext& context);
