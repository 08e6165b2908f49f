// The data view's window: creation, placement, loading the rows and the menu states.
#include "DataViewWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "DataViewMessages.h"
#include "app/MainSettings.h"
#include "db/DbLinkText.h"
#include "schema/NameQuoting.h"
#include "resources/DataViewIds.h"
#include "resources/resource.h"

namespace {

const char kTitleSuffix[] = " のデータ表示";
const char kPlacementSection[] = "DataWindowSize";
const char kCopyTableNameItem[] = "テーブル名をクリップボードにコピー (F6)";

// Editing items that need a key, and those that work on new rows alone.
const UINT kKeyedItems[] = {IDM_DV_DELETE_SELECTED, IDM_DV_DELETE_MARKED, IDM_DV_UNMARK, IDM_DV_MARK};
const UINT kNewRowItems[] = {IDM_DV_PASTE_CLIPBOARD, IDM_DV_PASTE_SELECTED, IDM_DV_NEW_ROW, IDM_DV_REMOVE_NEW,
                             IDM_DV_APPLY};
// A workbook keeps its rows: nothing is marked, deleted or cleared there.
const UINT kExcelGreyed[] = {IDM_DV_MARK, IDM_DV_UNMARK, IDM_DV_DELETE_MARKED, IDM_DV_DELETE_SELECTED,
                             IDM_DV_DELETE_WHERE, IDM_DV_CLEAR_TABLE};

DefinitionRows DefinitionRowsOf(const GridView* view)
{
    DefinitionRows rows;
    if (!view)
        return rows;
    int columns = std::min(view->ColumnCount(), static_cast<int>(kDefColumnCount));
    rows.reserve(static_cast<size_t>(view->RowCount()));
    for (int row = 0; row < view->RowCount(); ++row) {
        DefinitionRow cells = EmptyDefinitionRow();
        for (int column = 0; column < columns; ++column)
            cells[column] = view->CellText(row, column);
        rows.push_back(std::move(cells));
    }
    return rows;
}

// 16 x 16 pictures of the row states: nothing, a new row, an edited row, a deletion mark.
HBITMAP DrawRowStateStrip()
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, 64, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, strip);
    RECT all = {0, 0, 64, 16};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &all, white);
    DeleteObject(white);
    struct Mark {
        COLORREF colour;
        POINT from, to;
    };
    const Mark marks[] = {
        {RGB(0, 128, 0), {16 + 8, 3}, {16 + 8, 13}},  {RGB(0, 128, 0), {16 + 3, 8}, {16 + 13, 8}},
        {RGB(0, 0, 192), {32 + 3, 12}, {32 + 12, 3}}, {RGB(0, 0, 192), {32 + 3, 13}, {32 + 13, 13}},
        {RGB(192, 0, 0), {48 + 3, 3}, {48 + 13, 13}}, {RGB(192, 0, 0), {48 + 13, 3}, {48 + 3, 13}},
    };
    for (const Mark& mark : marks) {
        HPEN pen = CreatePen(PS_SOLID, 2, mark.colour);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        MoveToEx(dc, mark.from.x, mark.from.y, nullptr);
        LineTo(dc, mark.to.x, mark.to.y);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return strip;
}

}  // namespace

DataViewWindow::DataViewWindow(const DataViewContext& context) : context_(context), browser_(*context.browser) {}

DataViewWindow::~DataViewWindow()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    if (popupMenu_)
        DestroyMenu(popupMenu_);
}

HWND DataViewWindow::Create(HWND owner)
{
    owner_ = owner;
    closed_ = false;
    CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DATA_VIEW), owner, Procedure,
                       reinterpret_cast<LPARAM>(this));
    if (window_)
        ShowWindow(window_, SW_SHOW);
    return window_;
}

void DataViewWindow::Open(HWND owner)
{
    if (!Create(owner))
        return;
    if (owner)
        EnableWindow(owner, FALSE);
    MSG message;
    bool quit = false;
    while (!closed_) {
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (!IsDialogMessageA(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (quit)
        PostQuitMessage(static_cast<int>(message.wParam));
}

void DataViewWindow::Close()
{
    if (window_)
        DestroyWindow(window_);
}

INT_PTR CALLBACK DataViewWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        DataViewWindow* self = reinterpret_cast<DataViewWindow*>(lParam);
        self->window_ = window;
        return self->OnInit(window);
    }
    DataViewWindow* self = reinterpret_cast<DataViewWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR DataViewWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND source = reinterpret_cast<HWND>(wParam);
    bool fromGrid = grid_ && source == grid_->ListHandle();
    switch (message) {
    case WM_NOTIFY:
        if (grid_)
            grid_->HandleNotify(window_, lParam);
        return FALSE;
    case WM_SIZE:
        status_.FitToOwner();
        LayOut();
        return TRUE;
    case WM_COMMAND:
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED)
            return OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
        return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_DV_COPY_TABLE_NAME) {
            CopyTableName();
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        DestroyWindow(window_);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    case kDataViewRefresh:
        Reload(static_cast<int>(wParam) - 1);
        return TRUE;
    case kGridClick:
        if (fromGrid)
            OnCellClick(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return TRUE;
    case kGridRightClick:
        if (fromGrid)
            OnContextMenu();
        return TRUE;
    case kGridEditCommitted:
        if (fromGrid)
            OnEditCommitted(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return TRUE;
    case kGridEditReturn:
        if (fromGrid)
            SetFocus(grid_->ListHandle());
        return TRUE;
    case kGridHeaderDoubleClick:
        if (fromGrid)
            OnHeaderDoubleClick(static_cast<int>(lParam));
        return TRUE;
    case kGridReturn:
        if (fromGrid)
            OnKey(source, VK_RETURN);
        return TRUE;
    case kAnyKeyDown:
        OnKey(source, static_cast<UINT>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

bool DataViewWindow::OnInit(HWND window)
{
    window_ = window;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KESTROVA));
    if (icon) {
        SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    status_.Create(window_, IDC_DV_STATUS);
    grid_.reset(new GridView(GetDlgItem(window_, IDC_DV_GRID)));
    grid_->SetFullRowSelectWithGridLines();
    CreateRowImages();
    popupMenu_ = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_DATA_VIEW_POPUP));
    FontSetting font = ReadFontSetting(*context_.settings, FontPane::DataView);
    if (font.IsValid())
        grid_->SetGridFont(font.pointSize, font.faceKind, false);
    keyGrid_.reset(new GridView(window_, 0, 0, 10, 10));
    keyGrid_->AddColumn("更新条件", 200);
    keyGrid_->Hide();

    excel_ = browser_.Kind() == DatabaseKind::Excel && !browser_.excelThroughDsn;
    table_ = ListedTableName(browser_.Kind(), context_.tableList->CellText(context_.tableRow, 1),
                             context_.tableList->CellText(context_.tableRow, 4), browser_.excelThroughDsn);
    VornString title(table_);
    title.Append(kTitleSuffix);
    SetWindowTextA(window_, title);

    browser_.selectList = "*";
    browser_.whereText.Clear();
    browser_.orderText.Clear();
    browser_.optionsCleared = false;
    Reload();
    browser_.dataView = window_;
    EnableCommand(IDM_DV_UPDATE_KEY, !hasKey_);

    if (browser_.Kind() == DatabaseKind::Excel) {
        for (UINT id : {IDM_DV_DELETE_WHERE, IDM_DV_CLEAR_TABLE, IDM_DV_DELETE_SELECTED})
            EnableCommand(id, false);
        if (browser_.excelThroughDsn)
            EnableCommand(IDM_DV_UPDATE_WHERE, false);
    }
    if (!WindowBase(window_).RestorePosition(kPlacementSection, *context_.settings))
        PlaceDefault();
    LayOut();

    HMENU system = GetSystemMenu(window_, FALSE);
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, IDM_DV_COPY_TABLE_NAME, kCopyTableNameItem);
    SetFocus(grid_->ListHandle());
    return FALSE;
}

void DataViewWindow::OnDestroy()
{
    if (context_.settings)
        WindowBase(window_).SavePosition(kPlacementSection, *context_.settings);
    grid_.reset();
    keyGrid_.reset();
    browser_.dataView = nullptr;
    closed_ = true;
    window_ = nullptr;
}

void DataViewWindow::CreateRowImages()
{
    if (!rowImages_.Handle() && rowImages_.Create(16, 16)) {
        HBITMAP strip = DrawRowStateStrip();
        rowImages_.AddMasked(strip, RGB(255, 255, 255));
        DeleteObject(strip);
    }
    grid_->AttachImageList(rowImages_.Handle());
}

void DataViewWindow::PlaceDefault()
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(window_, nullptr, width / 10, height * 7 / 100, width * 8 / 10, height * 42 / 100,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void DataViewWindow::LayOut()
{
    if (!grid_)
        return;
    RECT client;
    GetClientRect(window_, &client);
    RECT bar = {0, 0, 0, 0};
    if (status_.Handle())
        GetWindowRect(status_.Handle(), &bar);
    int statusHeight = bar.bottom - bar.top;
    MoveWindow(grid_->ListHandle(), 0, 0, client.right, std::max(0L, client.bottom - statusHeight), TRUE);
}

dataview::SqlDialect DataViewWindow::Dialect() const
{
    dataview::SqlDialect dialect;
    dialect.kind = browser_.Kind();
    dialect.excelThroughDsn = browser_.excelThroughDsn;
    return dialect;
}

int DataViewWindow::RowState(int row) const
{
    int image = grid_ ? grid_->CellImage(row, 0) : -1;
    return image < 0 ? kRowNormal : image;
}

void DataViewWindow::SetRowState(int row, int state)
{
    grid_->SetCellImage(row, 0, state);
}

void DataViewWindow::SetTableCount(const char* text)
{
    if (context_.tableList && context_.tableRow >= 0 && context_.tableRow < context_.tableList->RowCount())
        context_.tableList->SetCellText(context_.tableRow, 5, text);
}

void DataViewWindow::Reload(int selectRow)
{
    for (UINT id : kKeyedItems)
        EnableCommand(id, false);
    for (UINT id : kNewRowItems)
        EnableCommand(id, false);
    grid_->HideEditor();
    editRow_ = -1;
    browser_.sqlText = dblink::BuildSelect(browser_.selectList, table_, browser_.whereText, browser_.orderText);
    VornString sql(browser_.sqlText);
    // The view shows the rows it read, not the size of the whole result: counting that would
    // read a large table through once more on every open, reload and header click.
    browser_.countRecords = false;
    int rows = browser_.FillDataGrid(*grid_);
    browser_.countRecords = true;
    browser_.sqlText = sql;
    if (rows < 0) {
        grid_->Clear();
        rows = 0;
    }
    for (int row = 0; row < grid_->RowCount(); ++row)
        SetRowState(row, kRowNormal);
    status_.SetSimpleTextFormat("%s ( %d/%d )", sql.Text(), rows, static_cast<int>(browser_.RowLimit));
    char count[32];
    wsprintfA(count, "%7d", rows);
    SetTableCount(count);
    WorkOutKey();
    UpdateMenuState();
    if (selectRow >= 0 && selectRow < grid_->RowCount()) {
        grid_->SelectAll(false);
        grid_->SelectRow(selectRow, true);
        grid_->EnsureVisible(selectRow, 0);
    }
}

std::vector<VornString> DataViewWindow::KeyNames() const
{
    // Key columns in their key order (1, 2, ... as the definition view numbers them).
    std::vector<std::pair<int, VornString>> keyed;
    GridView* view = context_.definitionView;
    for (int row = 0; view && row < view->RowCount(); ++row) {
        VornString position = view->CellText(row, kDefPrimaryKey);
        position.TrimBlanks();
        if (!position.IsEmpty())
            keyed.emplace_back(std::atoi(position), view->CellText(row, kDefName));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const std::pair<int, VornString>& a, const std::pair<int, VornString>& b) {
                         return a.first < b.first;
                     });
    std::vector<VornString> names;
    for (auto& entry : keyed)
        names.push_back(entry.second);
    return names;
}

void DataViewWindow::WorkOutKey()
{
    std::vector<VornString> headings;
    for (int column = 2; column < grid_->ColumnCount(); ++column)
        headings.push_back(grid_->ColumnTitle(column));
    fields_ = dataview::FieldColumnsFor(browser_.Kind(), headings, DefinitionRowsOf(context_.definitionView));
    hasKey_ = dataview::TableHasKey(Dialect(), browser_.selectList, KeyNames());
    grid_->SetNonEditableColumns("0,1");
}

void DataViewWindow::EnableCommand(UINT id, bool enable)
{
    UINT flags = MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED);
    if (window_)
        EnableMenuItem(GetMenu(window_), id, flags);
    if (popupMenu_)
        EnableMenuItem(popupMenu_, id, flags);
}

bool DataViewWindow::IsCommandEnabled(UINT id) const
{
    if (!window_)
        return false;
    UINT state = GetMenuState(GetMenu(window_), id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void DataViewWindow::UpdateMenuState()
{
    for (UINT id : kKeyedItems)
        EnableCommand(id, hasKey_);
    for (UINT id : kNewRowItems)
        EnableCommand(id, true);
    if (excel_)
        for (UINT id : kExcelGreyed)
            EnableCommand(id, false);
    if (window_)
        DrawMenuBar(window_);
}
