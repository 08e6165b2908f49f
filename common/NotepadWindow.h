// A Notepad window made ready to take pasted text: shared by the main program's and the
// automation library's copies into Notepad.
#pragma once

#include <windows.h>

// Its first child window whose class, upper-cased, is "EDIT"; null when there is none.
HWND NotepadEdit(HWND notepad);
// Restored when minimised or maximised, moved to (10, 10), sized 500 x 600, in front.
void BringNotepadForward(HWND notepad);
