// Driving a grid assistant from a thread of the test, as a user would: clicks on cells,
// typing, drop-down picks, menu commands and the answers to their message boxes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "common/GridView.h"

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000)
{
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (condition())
            return true;
        Sleep(20);
    }
    return condition();
}

// The assistant's one grid.
inline HWND List(HWND dialog) { return FindWindowExA(dialog, nullptr, "SysListView32", nullptr); }
inline HWND EditBox(HWND dialog) { return GetDlgItem(List(dialog), kGridEditBoxId); }
inline HWND ComboBox(HWND dialog) { return GetDlgItem(List(dialog), kGridComboBoxId); }
inline bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }

// The editor is shown before the grid records its cell: both are waited for.
inline bool OpensOn(HWND editor, int row, int column)
{
    return WaitFor([&] { return Visible(editor) && GridView::EditRow() == row && GridView::EditColumn() == column; });
}

inline std::string Cell(HWND dialog, int row, int column)
{
    char text[512] = "";
    ListView_GetItemText(List(dialog), row, column, text, sizeof text);
    return text;
}

inline std::string Caption(HWND dialog)
{
    char text[256] = "";
    GetWindowTextA(dialog, text, sizeof text);
    return text;
}

inline void Click(HWND dialog, int row, int column)
{
    HWND list = List(dialog);
    ListView_EnsureVisible(list, row, FALSE);
    RECT cell = {};
    ListView_GetSubItemRect(list, row, column, LVIR_BOUNDS, &cell);
    LPARAM point = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    Sleep(150);
}

// Opens the cell's editor (repeating a click the window manager's activation swallowed),
// types the text and presses Enter.
inline bool EditCell(HWND dialog, int row, int column, const char* text)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        Click(dialog, row, column);
        if (!WaitFor([&] { return Visible(EditBox(dialog)); }, 1500))
            continue;
        SetWindowTextA(EditBox(dialog), text);
        PostMessageA(EditBox(dialog), WM_KEYDOWN, VK_RETURN, 0);
        WaitFor([&] { return !Visible(EditBox(dialog)); });
        if (Cell(dialog, row, column) == text)
            return true;
    }
    return false;
}

inline std::vector<std::string> ComboItems(HWND combo)
{
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// Picks the item from the combo box shown on the cell, as a click in its list would.
inline bool PickShown(HWND dialog, int row, int column, const char* item)
{
    HWND combo = ComboBox(dialog);
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
    if (index == CB_ERR)
        return false;
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(List(dialog), WM_COMMAND, MAKEWPARAM(kGridComboBoxId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return WaitFor([&] { return !Visible(combo); }) && Cell(dialog, row, column) == item;
}

inline bool Choose(HWND dialog, int row, int column, const char* item)
{
    bool shown = false;
    for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
        Click(dialog, row, column);
        shown = WaitFor([&] { return Visible(ComboBox(dialog)); }, 1500);
    }
    return shown && PickShown(dialog, row, column, item);
}

// Runs a menu command, answers the "確認" box it shows and returns the box's text.
inline std::string CommandAndAnswer(HWND dialog, int command, int button = IDOK)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    HWND box = WaitForOwnDialog("確認", 10000);
    if (!box)
        return "<none>";
    std::string text = DialogStaticText(box);
    Press(box, button);
    WaitFor([&] { return !IsWindow(box); });
    return text;
}

inline void SendCommand(HWND dialog, int command)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

inline std::string WithoutTrailingBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

inline bool MenuEnabled(HWND dialog, int command)
{
    return !(GetMenuState(GetMenu(dialog), command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}
