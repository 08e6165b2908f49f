// The dialogs of the "ASP雛形" menu: gather the project, the folder and the fields, then
// hand them to the page builders. The templates of WebgenDialogs.rc must be linked into
// the program.
#pragma once

#include <windows.h>

#include "TemplateStore.h"
#include "WebKinds.h"

struct WebgenContext {
    VornString table;              // the table list's name, for the table kinds
    DefinitionRows definition;     // the definition view of that table
    TemplateStore* store = nullptr;
};

void RunWebgenDialog(HWND owner, WebKind kind, const WebgenContext& context);
