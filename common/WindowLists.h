// Tables of windows for the window-list views: one grid row per window.
#pragma once

#include <windows.h>

class GridView;

// Every top-level window: №, handle, process id, class, title, Visible, Enable, Maximize,
// Minimize, Width, Height, ClientWidth, ClientHeight. The grid is cleared first.
void ListTopLevelWindows(GridView& grid);
// Every child window (at any depth) of parent: the same columns without the process id,
// Maximize and Minimize.
void ListChildWindows(GridView& grid, HWND parent);
