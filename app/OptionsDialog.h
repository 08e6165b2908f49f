// The options dialog ("オプション設定"): fonts, interpreter paths, shell, flags and the
// hot-key launcher's command lines, edited in one grid and written on "更新".
#pragma once

#include <windows.h>

#include <functional>

#include "app/MainSettings.h"
#include "common/ProfileStore.h"

// Called by "更新" for each changed font row whose face and size make a font, so the pane
// takes the new font at once. The data view's row is reported too; the data view itself
// reads its font when it opens, so the main window may ignore that pane.
using ApplyFont = std::function<void(FontPane pane, int faceKind, int pointSize)>;

// Modal over owner; nothing is written on close. The dialog template (OptionsDialog.rc)
// must be linked into the program.
void RunOptionsDialog(HWND owner, ProfileStore& settings, const ApplyFont& applyFont);
