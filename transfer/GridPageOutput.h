// "HTML出力と表示": a grid written as an HTML table file, or (Shift held, the caller decides)
// as an XML data file with its view page, and then opened by the shell's URL handler.
#pragma once

#include <windows.h>

#include "common/GridText.h"
#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "common/VornString.h"

// The save dialog (folder remembered under SaveDir / Htmlput or Xmlput), the file or files,
// then the page opened. Cancel ends it with nothing written.
void OutputGridPage(HWND owner, const GridView& grid, int firstColumn, ProfileStore& settings, bool xml);

// Writes the page to path (XML: the data file at path and its view page beside it) with
// CR LF line ends; shownPage is the page to open. A file that cannot be written shows
// "... の書き込みに失敗しました" over owner and gives false.
bool WriteGridPageFiles(HWND owner, const GridTextSource& grid, int firstColumn, const char* path, bool xml,
                        VornString& shownPage);
bool WriteGridPageFiles(HWND owner, const GridView& grid, int firstColumn, const char* path, bool xml,
                        VornString& shownPage);

// What opens a written page: by default "RunDLL32.EXE url.dll,FileProtocolHandler " + path.
// Tests put their own in place, so that no browser starts; returns the previous one.
using GridPageOpener = void (*)(const char* path);
GridPageOpener SetGridPageOpener(GridPageOpener opener);
