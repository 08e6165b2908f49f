// The data view's commands, keys, cell editing, header ordering and copies.
#include "DataViewWindow.h"

#include "FindDialog.h"
#include "GridCopies.h"
#include "command/SqlFormatter.h"
#include "common/Clipboard.h"
#include "common/MessageBoxes.h"
#include "resources/DataViewIds.h"
#include "structure/RowAssistDialog.h"

namespace {

const char kFindCaption[] = "データビュー内の検索";
const COLORREF kClearedBackground = RGB(0x7F, 0xFF, 0xD4);
const COLORREF kNormalBackground = RGB(0xFF, 0xFF, 0xFF);

bool Held(int key) { return GetKeyState(key) < 0; }

struct TextInput {
    VornString text;
};

// Line breaks at the start and end of the typed text are not part of the value.
void TrimLineBreaks(VornString& text)
{
    const char* start = text.Text();
    size_t length = text.Length();
    size_t first = 0;
    while (first < length && (start[first] == '\r' || start[first] == '\n'))
        ++first;
    size_t end = length;
    while (end > first && (start[end - 1] == '\r' || start[end - 1] == '\n'))
        --end;
    VornString trimmed;
    trimmed.Assign(start + first, end - first);
    text = trimmed;
}

INT_PTR CALLBACK TextInputProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        TextInput* input = reinterpret_cast<TextInput*>(lParam);
        VornString shown(input->text);
        // The edit control breaks lines only at CR LF.
        shown.ReplaceAll("\r\n", "\n");
        shown.ReplaceAll("\n", "\r\n");
        SetDlgItemTextA(dialog, IDC_DV_TEXT_EDIT, shown);
        RECT frame;
        GetWindowRect(dialog, &frame);
        SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2, 100, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    TextInput* input = reinterpret_cast<TextInput*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (LOWORD(wParam) == IDOK) {
        WindowBase edit(GetDlgItem(dialog, IDC_DV_TEXT_EDIT));
        input->text = edit.Text();
        edit.Attach(nullptr);
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool DataViewWindow::OnCommand(UINT id)
{
    if (OnCopyCommand(id))
        return true;
    switch (id) {
    case IDM_DV_REFRESH: Reload(); return true;
    case IDM_DV_CSV_INPUT: OpenCsvImport(); return true;
    case IDM_DV_CSV_OUTPUT: OpenCsvExport(); return true;
    case IDM_DV_EXPORT_EXCEL: case IDM_DV_EXPORT_MDB: case IDM_DV_EXPORT_SQLSERVER:
    case IDM_DV_EXPORT_MYSQL: case IDM_DV_EXPORT_ORACLE: case IDM_DV_EXPORT_POSTGRES: ExportView(id); return true;
    case IDM_DV_DEFAULT_PLACE: PlaceDefault(); return true;
    case IDM_DV_MARK: MarkSelected(true); return true;
    case IDM_DV_UNMARK: MarkSelected(false); return true;
    case IDM_DV_REMOVE_NEW: RemoveSelectedNewRows(); return true;
    case IDM_DV_NEW_ROW: InsertNewRow(); return true;
    case IDM_DV_PASTE_SELECTED: PasteSelectedAsNew(); return true;
    case IDM_DV_PASTE_CLIPBOARD: PasteClipboardAsNew(); return true;
    case IDM_DV_DELETE_MARKED: DeleteMarked(); return true;
    case IDM_DV_DELETE_SELECTED: DeleteSelected(); return true;
    case IDM_DV_CLEAR_TABLE: ClearTable(); return true;
    case IDM_DV_DELETE_WHERE: DeleteWhere(); return true;
    case IDM_DV_UPDATE_WHERE: OpenRowAssist(true, true); return true;
    case IDM_DV_INSERT_ASSIST: OpenRowAssist(false, false); return true;
    case IDM_DV_UPDATE_ASSIST: OpenRowAssist(true, false); return true;
    case IDM_DV_APPLY: ApplyChanges(); return true;
    case IDM_DV_TEXT_INPUT: EditInTextArea(); return true;
    case IDM_DV_CONDITION: OpenConditionDialog(); return true;
    case IDM_DV_COLUMNS: OpenColumnsDialog(); return true;
    case IDM_DV_SORT: OpenOrderDialog(false); return true;
    case IDM_DV_UPDATE_KEY: OpenOrderDialog(true); return true;
    case IDM_DV_CLEAR_OPTIONS: ClearOptions(); return true;
    case IDM_DV_RESTORE_OPTIONS: RestoreOptions(); return true;
    case IDM_DV_SQL_COMMAND_AREA:
    case IDM_DV_SQL_NOTEPAD:
    case IDM_DV_SQL_CLIPBOARD: SendSqlText(id); return true;
    case IDM_DV_UPDATE_SQL_FILE: WriteUpdateSqlFile(); return true;
    case IDM_DV_FIND: FindInView(false); return true;
    case IDM_DV_FIND_COLUMN: FindInView(true); return true;
    case IDCANCEL:
        // Esc in the in-place editor ends the edit, not the window.
        if (grid_ && IsWindowVisible(grid_->EditBox())) {
            grid_->HideEditor();
            return true;
        }
        DestroyWindow(window_);
        return true;
    case IDOK:
        if (grid_ && IsWindowVisible(grid_->EditBox()))
            SetFocus(grid_->ListHandle());
        return true;
    default:
        return false;
    }
}

bool DataViewWindow::OnCopyCommand(UINT id)
{
    const GridView& grid = *grid_;
    switch (id) {
    case IDM_DV_COPY_SELECTED: CopyGridRows(grid, 2, true, false, kExportTab); return true;
    case IDM_DV_COPY_ALL: CopyGridRows(grid, 2, false, false, kExportTab); return true;
    case IDM_DV_COPY_TITLED_TAB: CopyGridRows(grid, 2, false, true, kExportTab); return true;
    case IDM_DV_COPY_TITLED_COMMA: CopyGridRows(grid, 2, false, true, kExportComma); return true;
    case IDM_DV_COPY_TITLED_HTML: CopyGridRows(grid, 2, false, true, kExportHtml); return true;
    case IDM_DV_COPY_NAMES_TAB: CopyGridHeadings(grid, 2, kExportHeaderTab); return true;
    case IDM_DV_COPY_NAMES_COMMA: CopyGridHeadings(grid, 2, kExportHeaderComma); return true;
    case IDM_DV_COPY_NAMES_LINES: CopyGridHeadings(grid, 2, kExportHeaderLines); return true;
    case IDM_DV_COPY_ROWS_TAB: CopyGridRows(grid, 2, true, false, kExportTab); return true;
    case IDM_DV_COPY_ROWS_COMMA: CopyGridRows(grid, 2, true, false, kExportComma); return true;
    case IDM_DV_COPY_ROWS_TITLED_TAB: CopyGridRows(grid, 2, true, true, kExportTab); return true;
    case IDM_DV_COPY_ROWS_TITLED_COMMA: CopyGridRows(grid, 2, true, true, kExportComma); return true;
    case IDM_DV_COPY_COLUMN:
    case IDM_DV_COPY_COLUMN_TITLED:
        // The state and error columns are the view's own, not data.
        if (ClickedColumn(grid) >= 2)
            CopyClickedColumn(grid, true, id == IDM_DV_COPY_COLUMN_TITLED, &status_);
        return true;
    default:
        return false;
    }
}

void DataViewWindow::OnKey(HWND source, UINT key)
{
    if (!grid_ || (source && source != grid_->ListHandle() && source != window_))
        return;
    bool control = Held(VK_CONTROL);
    bool shift = Held(VK_SHIFT);
    bool selection = grid_->NextSelectedRow(-1) >= 0;
    UINT command = 0;
    if (key == VK_F5) {
        Reload();
        return;
    }
    if (control) {
        if (key == 'C' || key == VK_INSERT || key == VK_NUMPAD3) {
            if (selection)
                CopyGridRows(*grid_, 2, true, false, kExportTab);
            return;
        }
        if ((key == 'S' || key == VK_F4) && selection)
            command = IDM_DV_PASTE_SELECTED;
        else if (key == 'V' || key == VK_F7)
            command = IDM_DV_PASTE_CLIPBOARD;
        else if (key == 'N' || key == VK_DECIMAL)
            command = IDM_DV_NEW_ROW;
    } else if (shift) {
        if (key == VK_INSERT) {
            command = IDM_DV_PASTE_CLIPBOARD;
        } else if (key == VK_DELETE) {
            if (IsCommandEnabled(IDM_DV_UNMARK))
                MarkSelected(false);
            if (IsCommandEnabled(IDM_DV_REMOVE_NEW))
                RemoveSelectedNewRows();
            return;
        } else if ((key == 'V' || key == VK_F7) && grid_->RowCount() > 0) {
            command = IDM_DV_FIND;
        } else if (key == 'I' || key == VK_F8) {
            command = IDM_DV_INSERT_ASSIST;
        } else if (key == 'U' || key == VK_F6) {
            command = IDM_DV_UPDATE_ASSIST;
        }
    } else if (key == VK_DELETE) {
        command = IDM_DV_MARK;
    } else if (key == VK_F6) {
        CopyTableName();
        return;
    } else if (key == VK_RETURN && !IsWindowVisible(grid_->EditBox())) {
        command = IDM_DV_UPDATE_ASSIST;
    }
    if (command && IsCommandEnabled(command))
        OnCommand(command);
}

void DataViewWindow::OnCellClick(int row, int column)
{
    if (row < 0 || row >= grid_->RowCount()) {
        // A click outside the rows ends the edit.
        if (IsWindowVisible(grid_->EditBox()))
            SetFocus(grid_->ListHandle());
        return;
    }
    if (!IsCellEditable(row, column))
        return;
    editBefore_ = grid_->CellText(row, column);
    editRow_ = row;
    editColumn_ = column;
    grid_->BeginEdit(row, column);
}

bool DataViewWindow::IsCellEditable(int row, int column) const
{
    size_t field = static_cast<size_t>(column - 2);
    if (column < 2 || field >= fields_.size())
        return false;
    if (RowState(row) == kRowNew)
        return true;
    // A stored row is found again by its key: without one, or in a key column, nothing
    // may change; a binary value shown as "???" is never written back.
    return hasKey_ && RowState(row) != kRowMarked && !fields_[field].key && !fields_[field].binary;
}

void DataViewWindow::OnEditCommitted(int row, int column)
{
    if (row != editRow_ || column != editColumn_)
        return;
    editRow_ = -1;
    if (RowState(row) == kRowNormal && grid_->CellText(row, column).IsDifferent(editBefore_)) {
        SetRowState(row, kRowEdited);
        grid_->Synchronize();
    }
}

void DataViewWindow::EditInTextArea()
{
    int row = grid_->LastRow();
    int column = ClickedColumn(*grid_);
    if (row < 0 || row >= grid_->RowCount() || !IsCellEditable(row, column))
        return;
    grid_->HideEditor();
    TextInput input;
    input.text = grid_->CellText(row, column);
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DV_TEXT), window_, TextInputProcedure,
                        reinterpret_cast<LPARAM>(&input)) != IDOK)
        return;
    TrimLineBreaks(input.text);
    grid_->SetCellText(row, column, input.text);
    if (RowState(row) != kRowNew)
        SetRowState(row, kRowEdited);
    grid_->Synchronize();
}

void DataViewWindow::OnHeaderDoubleClick(int column)
{
    size_t field = static_cast<size_t>(column - 2);
    if (column < 2 || field >= fields_.size())
        return;
    bool descending = Held(VK_SHIFT);
    browser_.orderText = dataview::HeaderOrderBy(Dialect(), grid_->ColumnTitle(column), descending);
    if (!browser_.optionsCleared)
        StoreHeaderSortOption(fields_[field].name, descending);
    Reload();
}

void DataViewWindow::OnContextMenu()
{
    if (!popupMenu_)
        return;
    POINT point;
    GetCursorPos(&point);
    TrackPopupMenu(GetSubMenu(popupMenu_, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, window_, nullptr);
}

void DataViewWindow::CopyTableName()
{
    PutClipboardText(window_, table_);
}

void DataViewWindow::SendSqlText(UINT id)
{
    VornString text = SimpleFormat(browser_.sqlText);
    if (id == IDM_DV_SQL_COMMAND_AREA && context_.toCommandArea)
        context_.toCommandArea(text);
    else if (id == IDM_DV_SQL_NOTEPAD && context_.toNotepad)
        context_.toNotepad(text);
    else if (id == IDM_DV_SQL_CLIPBOARD)
        PutClipboardTextCrLf(window_, text, text.Length());
}

void DataViewWindow::ClearOptions()
{
    browser_.savedOptions = {browser_.selectList, browser_.whereText, browser_.orderText};
    browser_.selectList = "*";
    browser_.whereText.Clear();
    browser_.orderText.Clear();
    browser_.optionsCleared = true;
    Reload();
    grid_->SetColors(kClearedBackground, RGB(0, 0, 0));
    EnableCommand(IDM_DV_CLEAR_OPTIONS, false);
    EnableCommand(IDM_DV_RESTORE_OPTIONS, true);
    DrawMenuBar(window_);
}

void DataViewWindow::RestoreOptions()
{
    browser_.selectList = browser_.savedOptions.selectList;
    browser_.whereText = browser_.savedOptions.whereText;
    browser_.orderText = browser_.savedOptions.orderText;
    browser_.optionsCleared = false;
    Reload();
    grid_->SetColors(kNormalBackground, RGB(0, 0, 0));
    EnableCommand(IDM_DV_CLEAR_OPTIONS, true);
    EnableCommand(IDM_DV_RESTORE_OPTIONS, false);
    DrawMenuBar(window_);
}

void DataViewWindow::OpenRowAssist(bool update, bool bulk)
{
    grid_->HideEditor();
    RowAssistContext context;
    context.browser = &browser_;
    context.definitionView = context_.definitionView;
    context.settings = context_.settings;
    context.kindFolder = context_.kindFolder;
    context.toCommandArea = context_.toCommandArea;
    context.toNotepad = context_.toNotepad;
    RowAssistPrefill prefill;
    prefill.refreshTarget = window_;
    if (bulk) {
        prefill.conditions = context_.columnOptions;
    } else {
        prefill.dataGrid = grid_.get();
        if (update && hasKey_)
            prefill.keyColumns = KeyNames();
    }
    RunRowAssist(window_, update ? RowAssistKind::Update : RowAssistKind::Insert, context, prefill);
}

void DataViewWindow::FindInView(bool column)
{
    grid_->HideEditor();
    if (column) {
        if (ClickedColumn(*grid_) >= 2)
            FindInClickedColumn(window_, *grid_);
        return;
    }
    FindInWholeGrid(window_, *grid_, kFindCaption, 2);
}
