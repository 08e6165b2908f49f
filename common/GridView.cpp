#include "GridView.h"

#include <cstdarg>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Clipboard.h"
#include "GridText.h"
#include "ThreadKeyHook.h"

namespace {

// Grids that create their own list view number them from here, one id each.
int g_nextOwnListId = 1500;
std::map<HWND, GridView*> g_grids;

const int kMaxProbedColumns = 101;
const unsigned kCellGrowth = 260;
const int kSortTextBytes = 128;

class GridSource : public GridTextSource {
public:
    explicit GridSource(const GridView& grid) : grid_(grid) {}
    int ColumnCount() const override { return grid_.ColumnCount(); }
    int RowCount() const override { return grid_.RowCount(); }
    void ColumnTitle(int column, VornString& out) const override { out = grid_.ColumnTitle(column); }
    void CellText(int row, int column, VornString& out) const override { grid_.GetCellText(row, column, out); }
    bool IsRowSelected(int row) const override
    {
        return ListView_GetItemState(grid_.ListHandle(), row, LVIS_SELECTED) != 0;
    }

private:
    const GridView& grid_;
};

struct SortContext {
    const std::vector<std::string>* texts;
    bool rightAligned;
    bool descending;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context)
{
    const SortContext* sort = reinterpret_cast<const SortContext*>(context);
    const std::vector<std::string>& texts = *sort->texts;
    const char* a = static_cast<size_t>(first) < texts.size() ? texts[first].c_str() : "";
    const char* b = static_cast<size_t>(second) < texts.size() ? texts[second].c_str() : "";
    return CompareGridCells(a, b, sort->rightAligned, sort->descending);
}

}  // namespace

GridView::GridView(HWND listView) : WindowBase(listView) { Register(); }

GridView::GridView(HWND parent, int x, int y, int width, int height) : WindowBase(nullptr)
{
    flags_ = kCreateOwnList;
    int id = g_nextOwnListId++;
    window_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                              WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                              x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
    Register();
}

void GridView::Register()
{
    if (!window_)
        return;
    CreateEditors();
    ListView_SetExtendedListViewStyleEx(window_, LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
    header_ = ListView_GetHeader(window_);
    ownsHook_ = ThreadKeyHook::InstallIfAbsent();
    g_grids[window_] = this;
}

void GridView::CreateEditors()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    comboBox_ = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST,
                                0, 0, 100, 300, window_, reinterpret_cast<HMENU>(kGridComboBoxId), instance, nullptr);
    editBox_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 100, 20,
                               window_, reinterpret_cast<HMENU>(kGridEditBoxId), instance, nullptr);
    WPARAM font = static_cast<WPARAM>(SendMessageA(window_, WM_GETFONT, 0, 0));
    SendMessageA(comboBox_, WM_SETFONT, font, FALSE);
    SendMessageA(editBox_, WM_SETFONT, font, FALSE);
}

GridView::~GridView()
{
    if (window_ && hasImageList_)
        ListView_SetImageList(window_, nullptr, LVSIL_SMALL);
    if (editBox_)
        DestroyWindow(editBox_);
    if (comboBox_)
        DestroyWindow(comboBox_);
    if (ownsHook_)
        ThreadKeyHook::Remove();
    DropContextMenu();
    g_grids.erase(window_);
    if ((flags_ & kCreateOwnList) && window_)
        DestroyWindow(window_);
}

GridView* GridView::FromListHandle(HWND listView)
{
    auto found = g_grids.find(listView);
    return found == g_grids.end() ? nullptr : found->second;
}

int GridView::ControlId() const { return GetDlgCtrlID(window_); }

// Columns

int GridView::AddColumn(const char* title, int width, bool rightAligned)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title ? title : "");
    int index = ColumnCount();
    column.iSubItem = index;
    return static_cast<int>(SendMessageA(window_, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

int GridView::ColumnCount() const
{
    int count = 0;
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    while (count < kMaxProbedColumns &&
           SendMessageA(window_, LVM_GETCOLUMNA, count, reinterpret_cast<LPARAM>(&column)))
        ++count;
    return count;
}

VornString GridView::ColumnTitle(int column) const
{
    char title[260] = "";
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = title;
    info.cchTextMax = sizeof title;
    SendMessageA(window_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
    return VornString(title);
}

bool GridView::IsRightAligned(int column) const
{
    LVCOLUMNA info = {};
    info.mask = LVCF_FMT;
    if (!SendMessageA(window_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
        return false;
    return (info.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT;
}

void GridView::SetColumnWidth(int column, int width) { ListView_SetColumnWidth(window_, column, width); }

int GridView::ColumnWidth(int column) const { return ListView_GetColumnWidth(window_, column); }

void GridView::AutoSizeColumns()
{
    int count = ColumnCount();
    for (int column = 0; column < count; ++column) {
        ListView_SetColumnWidth(window_, column, LVSCW_AUTOSIZE);
        int contents = ListView_GetColumnWidth(window_, column);
        ListView_SetColumnWidth(window_, column, LVSCW_AUTOSIZE_USEHEADER);
        int title = ListView_GetColumnWidth(window_, column);
        ListView_SetColumnWidth(window_, column, contents > title ? contents : title);
    }
}

void GridView::DeleteColumn(int column) { ListView_DeleteColumn(window_, column); }

void GridView::Clear()
{
    DeleteAllRows();
    for (int column = ColumnCount() - 1; column >= 0; --column)
        ListView_DeleteColumn(window_, column);
}

// Rows

int GridView::AddRow() { return InsertRow(RowCount()); }

int GridView::InsertRow(int index)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>("");
    item.lParam = static_cast<LPARAM>(nextRowId_++);
    currentRow_ = static_cast<int>(SendMessageA(window_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    return currentRow_;
}

void GridView::DeleteRow(int row) { ListView_DeleteItem(window_, row); }

void GridView::DeleteAllRows()
{
    ListView_DeleteAllItems(window_);
    nextRowId_ = 0;
}

int GridView::RowCount() const { return ListView_GetItemCount(window_); }

void GridView::SetCellText(int row, int column, const char* text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text ? text : "");
    SendMessageA(window_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void GridView::SetText(int column, const char* text) { SetCellText(currentRow_, column, text); }

void GridView::SetTextFormat(int column, const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    SetText(column, text);
}

void GridView::GetCellText(int row, int column, VornString& out) const
{
    if (out.Capacity() < kCellGrowth)
        out.Resize(kCellGrowth);
    for (;;) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = out.Buffer();
        item.cchTextMax = static_cast<int>(out.Capacity());
        int length = static_cast<int>(SendMessageA(window_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        if (static_cast<unsigned>(length) + 2 < out.Capacity())
            return;
        if (!out.Resize(out.Capacity() + kCellGrowth))
            return;
    }
}

VornString GridView::CellText(int row, int column) const
{
    VornString text(kCellGrowth);
    GetCellText(row, column, text);
    return text;
}

// Selection and navigation

int GridView::NextSelectedRow(int after) const { return ListView_GetNextItem(window_, after, LVNI_SELECTED); }

int GridView::NextRow(int after) const { return ListView_GetNextItem(window_, after, LVNI_ALL); }

int GridView::PreviousRow(int before) const
{
    if (before < 0)
        return RowCount() - 1;
    return before - 1;
}

void GridView::SelectRow(int row, bool select)
{
    UINT state = select ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
    ListView_SetItemState(window_, row, state, LVIS_SELECTED | LVIS_FOCUSED);
}

void GridView::SelectAll(bool select) { SelectRow(-1, select); }

void GridView::EnsureVisible(int row, int column)
{
    ListView_EnsureVisible(window_, row, FALSE);
    RECT cell = CellRect(row, column);
    RECT client = {};
    GetClientRect(window_, &client);
    if (cell.left < 0 || cell.right > client.right)
        ListView_Scroll(window_, cell.left < 0 ? cell.left : cell.right - client.right, 0);
}

int GridView::TopRow() const { return ListView_GetTopIndex(window_); }

int GridView::RowsPerPage() const { return ListView_GetCountPerPage(window_); }

RECT GridView::CellRect(int row, int column) const
{
    RECT rect = {};
    ListView_GetSubItemRect(window_, row, column, LVIR_LABEL, &rect);
    return rect;
}

// Styles

void GridView::SetFullRowSelectWithGridLines()
{
    DWORD styles = LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT;
    ListView_SetExtendedListViewStyleEx(window_, styles, styles);
}

void GridView::SetCheckBoxes(bool on)
{
    ListView_SetExtendedListViewStyleEx(window_, LVS_EX_CHECKBOXES, on ? LVS_EX_CHECKBOXES : 0);
}

void GridView::SetChecked(int row, bool checked) { ListView_SetCheckState(window_, row, checked ? TRUE : FALSE); }

bool GridView::IsChecked(int row) const { return ListView_GetCheckState(window_, row) != 0; }

void GridView::SetColors(COLORREF background, COLORREF text)
{
    ListView_SetBkColor(window_, background);
    ListView_SetTextBkColor(window_, background);
    ListView_SetTextColor(window_, text);
}

void GridView::AttachImageList(HIMAGELIST images)
{
    ListView_SetImageList(window_, images, LVSIL_SMALL);
    hasImageList_ = true;
}

void GridView::SetCellImage(int row, int column, int image)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    item.iImage = image;
    SendMessageA(window_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int GridView::CellImage(int row, int column) const
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    SendMessageA(window_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

bool GridView::SetGridFont(int pointSize, int faceKind, bool bold)
{
    if (!SetFont(pointSize, faceKind, bold))
        return false;
    SendMessageA(editBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SendMessageA(comboBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    return true;
}

// Notifications

LRESULT GridView::HandleNotify(HWND owner, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->hwndFrom != window_)
        return 0;
    lastCode_ = header->code;
    lastSource_ = header->hwndFrom;
    lastSourceId_ = header->idFrom;
    WPARAM list = reinterpret_cast<WPARAM>(window_);
    const NMITEMACTIVATE* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
    switch (header->code) {
    case NM_KILLFOCUS:
        PostMessageA(owner, kGridKillFocus, list, 0);
        break;
    case NM_SETFOCUS:
        PostMessageA(owner, kGridSetFocus, list, 0);
        break;
    case NM_RDBLCLK:
        currentRow_ = activate->iItem;
        lastColumn_ = activate->iSubItem;
        PostMessageA(owner, kGridRightDoubleClick, list, MAKELONG(currentRow_, lastColumn_));
        break;
    case NM_RCLICK: {
        currentRow_ = activate->iItem;
        lastColumn_ = activate->iSubItem;
        SendMessageA(owner, kGridRightClick, list, MAKELONG(currentRow_, lastColumn_));
        if (contextMenu_) {
            POINT point;
            GetCursorPos(&point);
            HMENU popup = GetSubMenu(contextMenu_, contextSubMenu_);
            if (popup)
                TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr);
        }
        break;
    }
    case NM_RETURN: {
        int selected = ListView_GetNextItem(window_, -1, LVNI_SELECTED);
        if (selected >= 0)
            currentRow_ = selected;
        lastColumn_ = 0;
        PostMessageA(owner, kGridReturn, list, MAKELONG(currentRow_, lastColumn_));
        break;
    }
    case NM_DBLCLK:
        currentRow_ = activate->iItem;
        lastColumn_ = activate->iSubItem;
        PostMessageA(owner, kGridDoubleClick, list, MAKELONG(currentRow_, lastColumn_));
        break;
    case NM_CLICK:
        currentRow_ = activate->iItem;
        lastColumn_ = activate->iSubItem;
        PostMessageA(owner, kGridClick, list, MAKELONG(currentRow_, lastColumn_));
        break;
    default:
        break;
    }
    return header->code;
}

bool GridView::LoadContextMenu(int resourceId, int subMenuIndex)
{
    DropContextMenu();
    contextMenu_ = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId));
    contextSubMenu_ = subMenuIndex;
    return contextMenu_ != nullptr;
}

void GridView::DropContextMenu()
{
    if (contextMenu_)
        DestroyMenu(contextMenu_);
    contextMenu_ = nullptr;
}

// Sorting and export

void GridView::SortByColumn(int column, bool descending)
{
    // The comparison finds rows by their identifiers; their texts are read once here
    // instead of once per comparison.
    std::vector<std::string> texts(nextRowId_);
    int rows = RowCount();
    char text[kSortTextBytes];
    for (int row = 0; row < rows; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM | LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        text[0] = '\0';
        SendMessageA(window_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        if (static_cast<size_t>(item.lParam) < texts.size())
            texts[item.lParam] = text;
    }
    SortContext context = {&texts, IsRightAligned(column), descending};
    ListView_SortItems(window_, CompareRows, reinterpret_cast<LPARAM>(&context));
}

bool GridView::Export(int firstColumn, bool selectedOnly, bool withHeader, int mode, VornString& target) const
{
    return ExportGridText(GridSource(*this), firstColumn, selectedOnly, withHeader, mode, target);
}

bool GridView::CopyToClipboard(int firstColumn, bool selectedOnly, bool withHeader, int mode) const
{
    VornString text(260u);
    if (!Export(firstColumn, selectedOnly, withHeader, mode, text))
        return false;
    text.ReplaceAll("\n", "\r\n");
    return PutClipboardText(window_, text.Text());
}
