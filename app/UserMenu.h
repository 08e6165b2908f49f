// The user menu of the Free SQL context menu: entries of the settings section "UserMenu",
// shown after the popup's own items and run on the selected rows of the definition view.
#pragma once

#include <windows.h>

#include <vector>

#include "MenuFileRules.h"
#include "common/ProfileStore.h"

class GridView;

// The "FREESQL用" popup's own items end before this position.
const int kUserMenuFirstPosition = 15;

// Removes the entries of the last build from the position on and adds, after a separator,
// the entries that apply to the first column heading (ids 44000 + N). With none, the
// separator goes as well. Returns the number of entries added.
int BuildUserMenu(HMENU freeSqlPopup, const ProfileStore& settings, const char* firstHeading,
                  int firstPosition = kUserMenuFirstPosition);

bool IsUserMenuId(UINT id);
inline int UserMenuNumber(UINT id) { return static_cast<int>(id) - static_cast<int>(kUserMenuBase); }

// Every column of each selected row, top to bottom.
std::vector<UserMenuRow> SelectedGridRows(const GridView& view);

// Runs entry id - 44000 on the view's selected rows with the clipboard (owner's) and
// RunProgram; the number of processes started, -1 for a missing entry.
int RunUserMenuCommand(HWND owner, UINT id, const ProfileStore& settings, const GridView& view);
