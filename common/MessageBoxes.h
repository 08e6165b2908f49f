// The program's message boxes, all captioned "確認".
#pragma once

#include <windows.h>

extern const char kMessageCaption[];

// Exclamation icon, OK button.
void ShowWarning(HWND owner, const char* text);
// Question icon with Cancel / No as the default button, so a stray Enter does not confirm.
bool AskOkCancel(HWND owner, const char* text);
bool AskYesNo(HWND owner, const char* text);
