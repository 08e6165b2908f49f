// The two thread hooks shared by all grids of a thread: they commit in-place editors,
// forward header clicks, and turn key presses and dropped files into private messages
// for the control's parent and the top-level window.
#pragma once

#include <windows.h>

namespace ThreadKeyHook {

// Installs both hooks when none are installed; true when this call installed them
// (the caller then owns them and removes them with Remove).
bool InstallIfAbsent();
void Remove();
bool IsInstalled();

// The top-level ancestor reached by walking up at most 51 parents (a dialog's walk ends
// at its owner); nullptr when the walk does not end.
HWND TopLevelAncestor(HWND window);

}  // namespace ThreadKeyHook
