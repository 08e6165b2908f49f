// The keyboard forwarding shared by all grids of a thread: a hook on the messages taken from
// the queue turns key presses and dropped files into private messages for the control's
// parent and the top-level window; each grid's list view passes the messages it has
// processed to AfterListViewMessage, which commits in-place editors and forwards header
// clicks.
//
// A hook on every sent message (WH_CALLWNDPROCRET) would see the list views' messages too,
// but under Wine every hooked message costs a round trip to the server: a list view asks
// its parent for each cell it draws, so the grids subclass their list views instead.
#pragma once

#include <windows.h>

namespace ThreadKeyHook {

// Installs the queue hook when none is installed; true when this call installed it
// (the caller then owns it and removes it with Remove).
bool InstallIfAbsent();
void Remove();
bool IsInstalled();

// What a list view's processed message means for its grid and the grid's owner.
void AfterListViewMessage(HWND listView, UINT message, WPARAM wParam, LPARAM lParam);

// The top-level ancestor reached by walking up at most 51 parents (a dialog's walk ends
// at its owner); nullptr when the walk does not end.
HWND TopLevelAncestor(HWND window);

}  // namespace ThreadKeyHook
