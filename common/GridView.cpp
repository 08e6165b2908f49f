#include "GridView.h"

#include <cstdarg>
#include <cstdio>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "Clipboard.h"
#include "GridViewSource.h"
#include "GridText.h"
#include "ThreadKeyHook.h"

namespace {

// Grids that create their own list view number them from here, one id each.
int g_nextOwnListId = 1500;
std::map<HWND, GridView*> g_grids;

const int kMaxProbedColumns = 101;
const size_t kSortTextBytes = 128;
const UINT kSynchronizeMessage = RegisterWindowMessageA("KestrovaGridSynchronize");

int ProbeColumnCount(HWND listView)
{
    int count = 0;
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    while (count < kMaxProbedColumns &&
           SendMessageA(listView, LVM_GETCOLUMNA, count, reinterpret_cast<LPARAM>(&column)))
        ++count;
    return count;
}

}  // namespace

GridView::GridView(HWND listView) : WindowBase(listView)
{
    MakeOwnerData();
    Register();
}

GridView::GridView(HWND parent, int x, int y, int width, int height) : WindowBase(nullptr)
{
    flags_ = kCreateOwnList;
    int id = g_nextOwnListId++;
    window_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                              WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                              x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
    Register();
}

void GridView::MakeOwnerData()
{
    if (!window_ || (GetWindowLongA(window_, GWL_STYLE) & LVS_OWNERDATA))
        return;
    // The owner-data style cannot be switched on later: create the same control again.
    HWND parent = GetParent(window_);
    RECT rect;
    GetWindowRect(window_, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    DWORD style = static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)) | LVS_OWNERDATA;
    DWORD exStyle = static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE));
    int id = GetDlgCtrlID(window_);
    HWND replacement = CreateWindowExA(exStyle, WC_LISTVIEWA, "", style, rect.left, rect.top,
                                       rect.right - rect.left, rect.bottom - rect.top, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       GetModuleHandleA(nullptr), nullptr);
    SendMessageA(replacement, WM_SETFONT, SendMessageA(window_, WM_GETFONT, 0, 0), FALSE);
    SetWindowPos(replacement, window_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(window_);
    window_ = replacement;
}

void GridView::Register()
{
    if (!window_)
        return;
    CreateEditors();
    ListView_SetExtendedListViewStyleEx(window_, LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
    ListView_SetCallbackMask(window_, LVIS_STATEIMAGEMASK);
    header_ = ListView_GetHeader(window_);
    columnCount_ = ProbeColumnCount(window_);
    subclassedParent_ = GetParent(window_);
    SetWindowSubclass(subclassedParent_, ParentProcedure, reinterpret_cast<UINT_PTR>(this), 0);
    SetWindowSubclass(window_, ListProcedure, reinterpret_cast<UINT_PTR>(this), 0);
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
    if (subclassedParent_)
        RemoveWindowSubclass(subclassedParent_, ParentProcedure, reinterpret_cast<UINT_PTR>(this));
    if (window_)
        RemoveWindowSubclass(window_, ListProcedure, reinterpret_cast<UINT_PTR>(this));
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

LRESULT CALLBACK GridView::ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR)
{
    GridView* grid = nullptr;
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        grid = header ? FromListHandle(header->hwndFrom) : nullptr;
        if (grid && grid->AnswerDisplayRequest(lParam))
            return 0;
        if (grid && header->code == LVN_ITEMCHANGED) {
            // A click on a check box: the list view keeps no state of its own for us.
            const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_STATEIMAGEMASK))
                if (Row* row = grid->RowAt(change->iItem))
                    row->checked = (change->uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        }
    } else if (message == kSynchronizeMessage) {
        grid = FromListHandle(reinterpret_cast<HWND>(lParam));
        if (grid)
            grid->Synchronize();
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK GridView::ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR)
{
    LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    ThreadKeyHook::AfterListViewMessage(window, message, wParam, lParam);
    return result;
}

GridView::Row* GridView::RowAt(int row)
{
    return row >= 0 && static_cast<size_t>(row) < rows_.size() ? &rows_[row] : nullptr;
}

const GridView::Row* GridView::RowAt(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < rows_.size() ? &rows_[row] : nullptr;
}

bool GridView::AnswerDisplayRequest(LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == LVN_ODFINDITEMA || header->code == LVN_ODFINDITEMW)
        return false;
    if (header->code != LVN_GETDISPINFOA && header->code != LVN_GETDISPINFOW)
        return false;
    // Both forms share the layout up to the text pointer; only the text differs.
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
    const Row* row = RowAt(item.iItem);
    if (!row)
        return true;
    const std::string* text = static_cast<size_t>(item.iSubItem) < row->cells.size() ? &row->cells[item.iSubItem] : nullptr;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const char* source = text ? text->c_str() : "";
        if (header->code == LVN_GETDISPINFOW) {
            wchar_t* target = reinterpret_cast<wchar_t*>(item.pszText);
            if (!MultiByteToWideChar(CP_ACP, 0, source, -1, target, item.cchTextMax))
                target[item.cchTextMax - 1] = L'\0';
        } else {
            lstrcpynA(item.pszText, source, item.cchTextMax);
        }
    }
    if (item.mask & LVIF_IMAGE)
        item.iImage = static_cast<size_t>(item.iSubItem) < row->images.size() ? row->images[item.iSubItem] : -1;
    if (item.mask & LVIF_STATE) {
        item.state = INDEXTOSTATEIMAGEMASK(row->checked ? 2 : 1);
        item.stateMask = LVIS_STATEIMAGEMASK;
    }
    return true;
}

void GridView::RequestSynchronize(bool repaint) const
{
    if (repaint)
        repaintDirty_ = true;
    else
        countDirty_ = true;
    if (!synchronizePosted_ && subclassedParent_) {
        synchronizePosted_ = true;
        PostMessageA(subclassedParent_, kSynchronizeMessage, 0, reinterpret_cast<LPARAM>(window_));
    }
}

void GridView::Synchronize() const
{
    synchronizePosted_ = false;
    if (countDirty_) {
        countDirty_ = false;
        ListView_SetItemCountEx(window_, static_cast<int>(rows_.size()), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        repaintDirty_ = true;
    }
    if (repaintDirty_) {
        repaintDirty_ = false;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

// Columns

int GridView::AddColumn(const char* title, int width, bool rightAligned)
{
    return AddColumnWithFormat(title, width, rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT);
}

int GridView::AddColumnWithFormat(const char* title, int width, int listViewFormat)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = listViewFormat;
    column.cx = width;
    column.pszText = const_cast<char*>(title ? title : "");
    int index = columnCount_;
    column.iSubItem = index;
    int inserted = static_cast<int>(SendMessageA(window_, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
    if (inserted >= 0)
        ++columnCount_;
    return inserted;
}

int GridView::ColumnCount() const { return columnCount_; }

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
    for (int column = 0; column < columnCount_; ++column)
        AutoSizeColumn(column);
}

void GridView::AutoSizeColumn(int column)
{
    // The list view's own automatic width asks for every cell of the column; measuring the
    // longest texts of the stored cells gives the same width at a fraction of the cost.
    const size_t kCandidates = 8;
    const int kLabelPadding = 12;
    const int kHeaderPadding = 18;
    std::vector<const std::string*> longest;
    for (const Row& row : rows_) {
        if (static_cast<size_t>(column) >= row.cells.size())
            continue;
        const std::string* text = &row.cells[column];
        if (longest.size() < kCandidates) {
            longest.push_back(text);
            continue;
        }
        auto shortest = std::min_element(longest.begin(), longest.end(),
                                         [](const std::string* a, const std::string* b) { return a->size() < b->size(); });
        if ((*shortest)->size() < text->size())
            *shortest = text;
    }
    int contents = 0;
    for (const std::string* text : longest) {
        int width = static_cast<int>(SendMessageA(window_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text->c_str())));
        if (width > contents)
            contents = width;
    }
    VornString title = ColumnTitle(column);
    int titleWidth = static_cast<int>(SendMessageA(window_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(title.Text())));
    int width = contents + kLabelPadding;
    if (titleWidth + kHeaderPadding > width)
        width = titleWidth + kHeaderPadding;
    ListView_SetColumnWidth(window_, column, width);
}

void GridView::DeleteColumn(int column)
{
    if (!ListView_DeleteColumn(window_, column))
        return;
    --columnCount_;
    for (Row& row : rows_) {
        if (static_cast<size_t>(column) < row.cells.size())
            row.cells.erase(row.cells.begin() + column);
        if (static_cast<size_t>(column) < row.images.size())
            row.images.erase(row.images.begin() + column);
    }
    RequestSynchronize(true);
}

void GridView::Clear()
{
    DeleteAllRows();
    for (int column = columnCount_ - 1; column >= 0; --column)
        ListView_DeleteColumn(window_, column);
    columnCount_ = 0;
}

// Rows

int GridView::AddRow() { return InsertRow(static_cast<int>(rows_.size())); }

int GridView::InsertRow(int index)
{
    if (index < 0 || static_cast<size_t>(index) > rows_.size())
        index = static_cast<int>(rows_.size());
    Row row = {nextRowId_++, false, {}, {}};
    row.cells.reserve(static_cast<size_t>(columnCount_));
    rows_.insert(rows_.begin() + index, std::move(row));
    currentRow_ = index;
    RequestSynchronize(false);
    return index;
}

void GridView::DeleteRow(int row)
{
    if (!RowAt(row))
        return;
    Synchronize();
    rows_.erase(rows_.begin() + row);
    // The list view moves the selection of the rows below up by one.
    ListView_DeleteItem(window_, row);
    RequestSynchronize(false);
}

void GridView::DeleteAllRows()
{
    rows_.clear();
    nextRowId_ = 0;
    ListView_DeleteAllItems(window_);
    countDirty_ = false;
    ListView_SetItemCountEx(window_, 0, LVSICF_NOSCROLL);
}

int GridView::RowCount() const { return static_cast<int>(rows_.size()); }

void GridView::SetCellText(int row, int column, const char* text)
{
    Row* target = RowAt(row);
    if (!target || column < 0)
        return;
    if (target->cells.size() <= static_cast<size_t>(column))
        target->cells.resize(static_cast<size_t>(column) + 1);
    target->cells[column] = text ? text : "";
    RequestSynchronize(true);
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
    const Row* source = RowAt(row);
    if (source && column >= 0 && static_cast<size_t>(column) < source->cells.size()) {
        const std::string& text = source->cells[column];
        out.Assign(text.c_str(), text.size());
    } else {
        out.Clear();
    }
}

void GridView::AppendCellText(int row, int column, VornString& target) const
{
    const Row* source = RowAt(row);
    if (source && column >= 0 && static_cast<size_t>(column) < source->cells.size()) {
        const std::string& text = source->cells[column];
        target.Append(text.c_str(), text.size());
    }
}

VornString GridView::CellText(int row, int column) const
{
    VornString text;
    GetCellText(row, column, text);
    return text;
}

// Selection and navigation

int GridView::NextSelectedRow(int after) const
{
    Synchronize();
    return ListView_GetNextItem(window_, after, LVNI_SELECTED);
}

int GridView::NextRow(int after) const
{
    int next = after + 1;
    return next >= 0 && next < RowCount() ? next : -1;
}

int GridView::PreviousRow(int before) const
{
    if (before < 0)
        return RowCount() - 1;
    return before - 1;
}

void GridView::SelectRow(int row, bool select)
{
    Synchronize();
    UINT state = select ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
    ListView_SetItemState(window_, row, state, LVIS_SELECTED | LVIS_FOCUSED);
}

void GridView::SelectAll(bool select) { SelectRow(-1, select); }

void GridView::EnsureVisible(int row, int column)
{
    Synchronize();
    ListView_EnsureVisible(window_, row, FALSE);
    RECT cell = CellRect(row, column);
    RECT client = {};
    GetClientRect(window_, &client);
    if (cell.left < 0 || cell.right > client.right)
        ListView_Scroll(window_, cell.left < 0 ? cell.left : cell.right - client.right, 0);
}

int GridView::TopRow() const
{
    Synchronize();
    return ListView_GetTopIndex(window_);
}

int GridView::RowsPerPage() const { return ListView_GetCountPerPage(window_); }

RECT GridView::CellRect(int row, int column) const
{
    Synchronize();
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
    ListView_SetCallbackMask(window_, LVIS_STATEIMAGEMASK);
}

void GridView::SetChecked(int row, bool checked)
{
    if (Row* target = RowAt(row)) {
        target->checked = checked;
        RequestSynchronize(true);
    }
}

bool GridView::IsChecked(int row) const
{
    const Row* source = RowAt(row);
    return source && source->checked;
}

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
    Row* target = RowAt(row);
    if (!target || column < 0)
        return;
    if (target->images.size() <= static_cast<size_t>(column))
        target->images.resize(static_cast<size_t>(column) + 1, -1);
    target->images[column] = image;
    RequestSynchronize(true);
}

int GridView::CellImage(int row, int column) const
{
    const Row* source = RowAt(row);
    if (!source || column < 0 || static_cast<size_t>(column) >= source->images.size())
        return -1;
    return source->images[column];
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
    Synchronize();
    // Rows carry their selection with them, as in a list view that stores its items.
    std::vector<bool> selectedById(nextRowId_, false);
    for (int row = NextSelectedRow(-1); row >= 0; row = NextSelectedRow(row))
        selectedById[rows_[row].id] = true;
    bool rightAligned = IsRightAligned(column);
    size_t textColumn = static_cast<size_t>(column);
    std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
        std::string textA = textColumn < a.cells.size() ? a.cells[textColumn].substr(0, kSortTextBytes - 1) : "";
        std::string textB = textColumn < b.cells.size() ? b.cells[textColumn].substr(0, kSortTextBytes - 1) : "";
        return CompareGridCells(textA.c_str(), textB.c_str(), rightAligned, descending) < 0;
    });
    ListView_SetItemState(window_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (size_t row = 0; row < rows_.size(); ++row)
        if (selectedById[rows_[row].id])
            ListView_SetItemState(window_, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
    RequestSynchronize(true);
}

bool GridView::Export(int firstColumn, bool selectedOnly, bool withHeader, int mode, VornString& target) const
{
    return ExportGridText(GridViewSource(*this), firstColumn, selectedOnly, withHeader, mode, target);
}

bool GridView::CopyToClipboard(int firstColumn, bool selectedOnly, bool withHeader, int mode) const
{
    VornString text(260u);
    if (!Export(firstColumn, selectedOnly, withHeader, mode, text))
        return false;
    return PutClipboardTextCrLf(window_, text.Text(), text.Length());
}
