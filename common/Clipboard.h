// Text on the clipboard as CF_TEXT (code page 932).
#pragma once

#include <windows.h>

#include "VornString.h"

// Empties the clipboard and puts the text there; false when it could not.
bool PutClipboardText(HWND owner, const char* text);
// The same with every "\n" that stands as a character of its own written as "\r\n", in one
// pass into the clipboard's block (a grid's export of a hundred thousand lines is not copied
// once more to change its line ends).
bool PutClipboardTextCrLf(HWND owner, const char* text, size_t length);
// The clipboard's CF_TEXT, or false (out empty) when there is none.
bool ReadClipboardText(HWND owner, VornString& out);
