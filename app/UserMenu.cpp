#include "UserMenu.h"

#include "common/Clipboard.h"
#include "common/GridView.h"
#include "common/MenuHelpers.h"
#include "common/ProgramLauncher.h"

int BuildUserMenu(HMENU freeSqlPopup, const ProfileStore& settings, const char* firstHeading, int firstPosition)
{
    if (!freeSqlPopup)
        return 0;
    RemoveMenuItemsFrom(freeSqlPopup, firstPosition);
    InsertMenuSeparator(freeSqlPopup, -1);
    int added = 0;
    for (const UserMenuEntry& entry : ReadUserMenu(settings, firstHeading)) {
        if (InsertMenuCommand(freeSqlPopup, -1, entry.Id(), UserMenuItemCaption(entry)))
            ++added;
    }
    if (added == 0)
        RemoveMenuItemsFrom(freeSqlPopup, firstPosition);
    return added;
}

bool IsUserMenuId(UINT id)
{
    return id >= kUserMenuBase && id <= kUserMenuBase + static_cast<UINT>(kMaxUserMenuKey);
}

std::vector<UserMenuRow> SelectedGridRows(const GridView& view)
{
    std::vector<UserMenuRow> rows;
    int columns = view.ColumnCount();
    for (int row = view.NextSelectedRow(-1); row >= 0; row = view.NextSelectedRow(row)) {
        UserMenuRow cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(view.CellText(row, column));
        rows.push_back(std::move(cells));
    }
    return rows;
}

int RunUserMenuCommand(HWND owner, UINT id, const ProfileStore& settings, const GridView& view)
{
    if (!IsUserMenuId(id))
        return -1;
    return RunUserMenuEntry(
        settings, UserMenuNumber(id), SelectedGridRows(view),
        [owner](const char* text) { return PutClipboardText(owner, text); },
        [](const char* commandLine) { return RunProgram(commandLine, nullptr) != 0; });
}
