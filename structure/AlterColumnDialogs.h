// The column assistants of the table the definition view shows: "列追加 支援",
// "列削除 支援" and "列のデータ型変更 支援". Each builds its statements for the connected
// kind and hands them to the command area or Notepad, or runs them and has the
// definition view read the table again.
#pragma once

#include <windows.h>

#include "structure/StructureGridDialog.h"

void RunAddColumns(HWND owner, const StructureContext& context);
void RunDropColumns(HWND owner, const StructureContext& context);
void RunModifyColumns(HWND owner, const StructureContext& context);
