// The create-table assistant ("表作成 支援"): a grid of column rows turned into one
// "create table" statement for the connected kind, filled by hand, from the definition
// view or from a definition file of another kind. The templates of StructureDialogs.rc
// must be linked into the program.
#pragma once

#include <windows.h>

#include "structure/StructureGridDialog.h"

// Modal over owner (the main window, hidden while the assistant is minimised or maximised).
void RunCreateTable(HWND owner, const StructureContext& context);

// The rows of the definition view as the builders read them.
DefinitionRows ReadDefinitionView(const GridView* view);
