#include "NotepadWindow.h"

#include <cstring>

#include "SjisText.h"

namespace {

BOOL CALLBACK FindEditChild(HWND child, LPARAM lParam)
{
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    sjis::UpperCase(className);
    if (std::strcmp(className, "EDIT") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = child;
    return FALSE;
}

}  // namespace

HWND NotepadEdit(HWND notepad)
{
    HWND edit = nullptr;
    EnumChildWindows(notepad, FindEditChild, reinterpret_cast<LPARAM>(&edit));
    return edit;
}

void BringNotepadForward(HWND notepad)
{
    if (IsIconic(notepad) || IsZoomed(notepad))
        ShowWindow(notepad, SW_RESTORE);
    MoveWindow(notepad, 10, 10, 500, 600, TRUE);
    SetForegroundWindow(notepad);
}
