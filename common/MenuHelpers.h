// Menus built and changed at run time (menu files, the user menu, per-kind menus).
#pragma once

#include <windows.h>

#include "VornString.h"

// The sub-menu at the position, or whose item text equals text byte for byte (the "&" of an
// access key included); null when there is none.
HMENU SubMenuAt(HMENU menu, int position);
HMENU FindSubMenu(HMENU menu, const char* text);
// Position of the first item with the text, or -1.
int FindMenuItem(HMENU menu, const char* text);

// position -1 appends.
bool InsertMenuCommand(HMENU menu, int position, UINT command, const char* text);
bool InsertSubMenu(HMENU menu, int position, HMENU subMenu, const char* text);
bool InsertMenuSeparator(HMENU menu, int position);

VornString MenuItemText(HMENU menu, int position);
bool SetMenuCommandText(HMENU menu, UINT command, const char* text);
void CheckMenuCommand(HMENU menu, UINT command, bool check);
bool IsMenuCommandChecked(HMENU menu, UINT command);
void EnableMenuCommand(HMENU menu, UINT command, bool enable);
bool IsMenuCommandEnabled(HMENU menu, UINT command);

// Removal does not destroy a sub-menu at that position; RemoveMenuItemsFrom does, so that
// rebuilding a menu from files does not leak the old one.
bool RemoveMenuItemAt(HMENU menu, int position);
bool RemoveMenuCommand(HMENU menu, UINT command);
void RemoveMenuItemsFrom(HMENU menu, int position);
int MenuItemCount(HMENU menu);
