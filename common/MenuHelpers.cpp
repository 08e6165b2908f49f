#include "MenuHelpers.h"

#include <cstring>

HMENU SubMenuAt(HMENU menu, int position) { return GetSubMenu(menu, position); }

int FindMenuItem(HMENU menu, const char* text)
{
    if (!text)
        return -1;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (MenuItemText(menu, i).Equals(text))
            return i;
    }
    return -1;
}

HMENU FindSubMenu(HMENU menu, const char* text)
{
    int position = FindMenuItem(menu, text);
    return position < 0 ? nullptr : GetSubMenu(menu, position);
}

bool InsertMenuCommand(HMENU menu, int position, UINT command, const char* text)
{
    return InsertMenuA(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, command, text) != FALSE;
}

bool InsertSubMenu(HMENU menu, int position, HMENU subMenu, const char* text)
{
    return InsertMenuA(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING | MF_POPUP,
                       reinterpret_cast<UINT_PTR>(subMenu), text) != FALSE;
}

bool InsertMenuSeparator(HMENU menu, int position)
{
    return InsertMenuA(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr) != FALSE;
}

VornString MenuItemText(HMENU menu, int position)
{
    VornString text;
    int length = GetMenuStringA(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    if (length <= 0)
        return text;
    text.Resize(static_cast<unsigned>(length) + 1);
    if (text.Buffer())
        GetMenuStringA(menu, static_cast<UINT>(position), text.Buffer(), length + 1, MF_BYPOSITION);
    return text;
}

bool SetMenuCommandText(HMENU menu, UINT command, const char* text)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text);
    return SetMenuItemInfoA(menu, command, FALSE, &info) != FALSE;
}

void CheckMenuCommand(HMENU menu, UINT command, bool check)
{
    CheckMenuItem(menu, command, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

bool IsMenuCommandChecked(HMENU menu, UINT command)
{
    UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void EnableMenuCommand(HMENU menu, UINT command, bool enable)
{
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

bool IsMenuCommandEnabled(HMENU menu, UINT command)
{
    UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool RemoveMenuItemAt(HMENU menu, int position)
{
    return RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION) != FALSE;
}

bool RemoveMenuCommand(HMENU menu, UINT command)
{
    return RemoveMenu(menu, command, MF_BYCOMMAND) != FALSE;
}

void RemoveMenuItemsFrom(HMENU menu, int position)
{
    for (int i = GetMenuItemCount(menu) - 1; i >= position && i >= 0; --i)
        DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
}

int MenuItemCount(HMENU menu) { return GetMenuItemCount(menu); }
