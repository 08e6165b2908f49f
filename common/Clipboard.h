// Text on the clipboard as CF_TEXT (code page 932).
#pragma once

#include <windows.h>

#include "VornString.h"

// Empties the clipboard and puts the text there; false when it could not.
bool PutClipboardText(HWND owner, const char* text);
// The clipboard's CF_TEXT, or false (out empty) when there is none.
bool ReadClipboardText(HWND owner, VornString& out);
