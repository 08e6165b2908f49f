#include "WindowLists.h"

#include <vector>

#include "GridView.h"

namespace {

const int kColumnWidth = 100;
const int kTextSize = 512;

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

void AddColumns(GridView& grid, bool topLevel)
{
    grid.AddColumn("№", kColumnWidth, false);
    grid.AddColumn("ウインドウハンドル", kColumnWidth, true);
    if (topLevel)
        grid.AddColumn("プロセスID", kColumnWidth, true);
    grid.AddColumn("クラス", kColumnWidth, false);
    grid.AddColumn("タイトル", kColumnWidth, false);
    grid.AddColumn("Visible", kColumnWidth, false);
    grid.AddColumn("Enable", kColumnWidth, false);
    if (topLevel) {
        grid.AddColumn("Maximize", kColumnWidth, false);
        grid.AddColumn("Minimize", kColumnWidth, false);
    }
    grid.AddColumn("Width", kColumnWidth, true);
    grid.AddColumn("Height", kColumnWidth, true);
    grid.AddColumn("ClientWidth", kColumnWidth, true);
    grid.AddColumn("ClientHeight", kColumnWidth, true);
}

void AddWindowRow(GridView& grid, HWND window, long number, bool topLevel)
{
    char text[kTextSize];
    int column = 0;
    grid.AddRow();
    grid.SetTextFormat(column++, "%4ld", number);
    grid.SetTextFormat(column++, "%lu", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    if (topLevel) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        grid.SetTextFormat(column++, "%lu", static_cast<unsigned long>(process));
    }
    text[0] = '\0';
    GetClassNameA(window, text, sizeof text);
    grid.SetText(column++, text);
    text[0] = '\0';
    GetWindowTextA(window, text, sizeof text);
    grid.SetText(column++, text);
    grid.SetText(column++, IsWindowVisible(window) ? "true" : "false");
    grid.SetText(column++, IsWindowEnabled(window) ? "true" : "false");
    if (topLevel) {
        grid.SetText(column++, IsZoomed(window) ? "yes" : "");
        grid.SetText(column++, IsIconic(window) ? "yes" : "");
    }
    RECT outer = {};
    RECT client = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    grid.SetTextFormat(column++, "%ld", outer.right - outer.left);
    grid.SetTextFormat(column++, "%ld", outer.bottom - outer.top);
    grid.SetTextFormat(column++, "%ld", client.right - client.left);
    grid.SetTextFormat(column++, "%ld", client.bottom - client.top);
}

void Fill(GridView& grid, const std::vector<HWND>& windows, bool topLevel)
{
    grid.Clear();
    AddColumns(grid, topLevel);
    long number = 0;
    for (HWND window : windows)
        AddWindowRow(grid, window, ++number, topLevel);
    grid.AutoSizeColumns();
}

}  // namespace

void ListTopLevelWindows(GridView& grid)
{
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    Fill(grid, windows, true);
}

void ListChildWindows(GridView& grid, HWND parent)
{
    std::vector<HWND> windows;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    Fill(grid, windows, false);
}
