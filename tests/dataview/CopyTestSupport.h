// What the find, copy and page-output tests over a main window share: clipboard text, held
// keys, clicks as the list view reports them, and a Free SQL result in the lower list.
#pragma once

#include <windows.h>

#include <string>

#include "app/MainWindowTestSupport.h"

std::string ClipboardText(HWND owner);
// Sets the key's state in this thread's keyboard state, as GetKeyState reads it.
void HoldKey(int key, bool held);
// The list view's notification (NM_CLICK, NM_DBLCLK) for the cell, sent to the main window.
void NotifyCell(MainWindowFixture& app, GridView& grid, UINT code, int row, int column);
// The lower list in Free SQL mode from tab-separated lines, the first line the headings.
void ShowFreeSqlRows(MainWindowFixture& app, const char* lines);
// Selects exactly the rows.
void SelectOnly(GridView& grid, std::initializer_list<int> rows);
