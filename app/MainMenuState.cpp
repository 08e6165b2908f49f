// The menus of the main window after each table-list load, the type filter and the
// context menus prepared before they open.
#include "MainWindow.h"
#include "UserMenu.h"
#include "common/MenuHelpers.h"
#include "resources/resource.h"

namespace {

const int kKindMenuPosition = 4;
const int kSkeletonMenuPosition = 7;
const int kFileMenuPosition = 0;
const int kViewMenuPosition = 3;

const UINT kExportItems[] = {
    IDM_EXPORT_EXCEL, IDM_EXPORT_MYSQL, IDM_EXPORT_ORACLE, IDM_EXPORT_POSTGRES, IDM_EXPORT_SQLSERVER, IDM_EXPORT_MDB,
};

void EnableCommand(HMENU menu, UINT command, bool enable)
{
    if (menu)
        EnableMenuItem(menu, command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void EnablePosition(HMENU menu, int position, bool enable)
{
    if (menu)
        EnableMenuItem(menu, position, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
}

void EnableExports(HMENU menu, bool enable)
{
    for (UINT item : kExportItems)
        EnableCommand(menu, item, enable);
}

}  // namespace

bool MainWindow::LoadTableList()
{
    int rows = browser_.LoadTableList(*tableList_);
    AfterTableListLoad(rows < 0);
    return rows >= 0;
}

void MainWindow::AfterTableListLoad(bool failed)
{
    HMENU saveMenu = SubMenuAt(SubMenuAt(menu_, kFileMenuPosition), 1);
    const bool enable = !failed;
    if (failed) {
        tableList_->DropContextMenu();
        definitionView_->DropContextMenu();
        browser_.record.kind = DatabaseKind::None;
        SetConnectionItemsEnabled(false);
    } else {
        tableList_->LoadContextMenu(IDR_TABLE_LIST_MENU, 0);
        definitionView_->LoadContextMenu(IDR_DEFINITION_MENU, 0);
        SetConnectionItemsEnabled(true);
        const DatabaseKind kind = browser_.Kind();
        const bool excel = kind == DatabaseKind::Excel;
        BuildKindMenus();
        // Dropping or emptying a worksheet is not offered for a workbook.
        EnableCommand(menu_, IDM_DROP_OBJECTS, !excel);
        EnableCommand(menu_, IDM_CLEAR_DATA, !excel);
        EnableCommand(menu_, IDM_RENAME, !excel && kind != DatabaseKind::Mdb);
        EnableExports(menu_, !(excel && browser_.excelThroughDsn));
    }
    EnablePosition(menu_, kKindMenuPosition, enable);
    EnablePosition(menu_, kSkeletonMenuPosition, enable);
    EnablePosition(saveMenu, 0, enable);
    EnablePosition(saveMenu, 1, enable);
    DrawMenuBar(window_);

    SchemaBrowser::PrepareDefinitionList(*definitionView_);
    definitionView_->Clear();
    browser_.tableName.Clear();
    browser_.shownTableIndex = -1;
    freeSql_ = false;
    definitionView_->SetContextSubMenu(0);
    status_.SetSimpleText("");
    if (browser_.typeFilter.IsEmpty())
        RebuildTypeMenu();
}

HMENU MainWindow::TypeMenu() const
{
    return FindSubMenu(SubMenuAt(menu_, kViewMenuPosition), "タイプ別表示状態");
}

void MainWindow::RebuildTypeMenu()
{
    HMENU types = TypeMenu();
    if (!types)
        return;
    RemoveMenuItemsFrom(types, 1);
    UINT id = IDM_TYPE_FILTER_SEEN_FIRST;
    for (const VornString& type : browser_.typesSeen.Items()) {
        if (id > IDM_TYPE_FILTER_LAST)
            break;
        InsertMenuCommand(types, -1, id++, type);
    }
    CheckMenuCommand(types, IDM_TYPE_ALL, true);
}

void MainWindow::ChooseTypeFilter(UINT id)
{
    HMENU types = TypeMenu();
    if (!types)
        return;
    for (int position = 0; position < MenuItemCount(types); ++position)
        CheckMenuItem(types, position, MF_BYPOSITION | MF_UNCHECKED);
    CheckMenuCommand(types, id, true);
    if (id == IDM_TYPE_ALL) {
        browser_.typeFilter.Clear();
    } else {
        char caption[256] = "";
        GetMenuStringA(types, id, caption, sizeof caption, MF_BYCOMMAND);
        browser_.typeFilter = caption;
    }
    Refresh();
}

void MainWindow::PrepareTableListMenu()
{
    HMENU popup = tableList_->ContextPopup();
    EnableExports(popup, !(browser_.Kind() == DatabaseKind::Excel && browser_.excelThroughDsn));
}

void MainWindow::PrepareDefinitionMenu()
{
    definitionView_->SetContextSubMenu(freeSql_ ? 1 : 0);
    HMENU popup = definitionView_->ContextPopup();
    if (popup && freeSql_)
        BuildUserMenu(popup, settings_, definitionView_->ColumnTitle(0));
    if (!popup || freeSql_) {
        return;
    }
    const bool connected = IsConnected();
    for (int position = 0; position <= 15; ++position)
        EnablePosition(popup, position, connected && DefinitionShowsTable());
    if (!DefinitionShowsTable())
        return;
    EnablePosition(popup, 2, true);
    EnablePosition(popup, 3, true);
    const DatabaseKind kind = browser_.Kind();
    for (UINT item : {IDM_INSERT_ASSIST, IDM_UPDATE_ASSIST, IDM_SELECT_ALL_COLUMNS})
        EnableCommand(popup, item, true);
    if (kind == DatabaseKind::Excel) {
        for (UINT item : {IDM_INDEX_MAINTENANCE, IDM_ADD_COLUMN, IDM_DROP_COLUMN, IDM_CHANGE_TYPE})
            EnableCommand(popup, item, false);
        if (browser_.excelThroughDsn)
            EnableCommand(popup, IDM_UPDATE_ASSIST, false);
    }
    int row = browser_.shownTableIndex;
    if (kind == DatabaseKind::SqlServer && row >= 0) {
        VornString type = tableList_->CellText(row, 2);
        if (type.Equals("SYSTEM TABLE") || type.Equals("SYSTEM VIEW")) {
            for (UINT item : {IDM_INSERT_ASSIST, IDM_UPDATE_ASSIST, IDM_ADD_COLUMN, IDM_DROP_COLUMN, IDM_CHANGE_TYPE})
                EnableCommand(popup, item, false);
        }
    }
}

void MainWindow::ShowFreeSqlMode()
{
    freeSql_ = true;
    browser_.tableName.Clear();
    browser_.shownTableIndex = -1;
    definitionView_->SetContextSubMenu(1);
}
