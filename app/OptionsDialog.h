// The options dialog ("オプション設定"): fonts, interpreter paths, shell, flags and the
// hot-key launcher's command lines, edited in one grid and written on "更新".
#pragma once

#include <windows.h>

#include <functional>

#include "common/ProfileStore.h"

enum class FontPane { CommandArea, TableList, DefinitionView, DataView };
// Called by "更新" for each changed font row, so the pane takes the new font at once.
using ApplyFont = std::function<void(FontPane pane, int faceKind, int pointSize)>;

// Modal over owner; nothing is written on close.
void RunOptionsDialog(HWND owner, ProfileStore& settings, const ApplyFont& applyFont);
