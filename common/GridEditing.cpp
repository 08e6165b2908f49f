// In-place editing of grid cells through the edit box and the combo box.
#include <cstdio>
#include <cstdlib>

#include "GridView.h"
#include "TokenList.h"

namespace {

// One cell is edited at a time in the whole process.
int g_editRow = 0;
int g_editColumn = 0;

const int kComboTextBytes = 512;
const int kInputDigits = 1;
const int kInputReadOnly = 2;

}  // namespace

int GridView::EditRow() { return g_editRow; }
int GridView::EditColumn() { return g_editColumn; }

int GridView::ColumnSetting(const VornString& list, int column) const
{
    if (list.IsEmpty() || column < 0)
        return 0;
    TokenList fields(list.Text(), ',');
    return column < fields.Count() ? std::atoi(fields[column]) : 0;
}

int GridView::InputMode(int column) const { return ColumnSetting(inputModes_, column); }
int GridView::MaxLength(int column) const { return ColumnSetting(maxLengths_, column); }
int GridView::EditorKind(int column) const { return ColumnSetting(editorKinds_, column); }

bool GridView::IsEditable(int column) const
{
    char number[16];
    std::snprintf(number, sizeof number, "%d", column);
    return !VornString(number).IsMemberOf(nonEditable_);
}

void GridView::PlaceEditBox(int row, int column)
{
    currentRow_ = row;
    VornString text = CellText(row, column);
    SetWindowTextA(editBox_, text.Text());
    RECT cell = CellRect(row, column);
    MoveWindow(editBox_, cell.left, cell.top - 2, cell.right - cell.left, cell.bottom - cell.top + 3, TRUE);
    ShowWindow(editBox_, SW_SHOW);
    SetFocus(editBox_);
    g_editRow = row;
    g_editColumn = column;
    SetWindowLongA(editBox_, GWL_STYLE, GetWindowLongA(editBox_, GWL_STYLE) & ~ES_NUMBER);
    SendMessageA(editBox_, EM_LIMITTEXT, 0, 0);
    SendMessageA(editBox_, EM_SETREADONLY, FALSE, 0);
}

void GridView::BeginEdit(int row, int column)
{
    if (row == -1 || !IsEditable(column))
        return;
    PlaceEditBox(row, column);
    if (InputMode(column) == kInputDigits)
        SetWindowLongA(editBox_, GWL_STYLE, GetWindowLongA(editBox_, GWL_STYLE) | ES_NUMBER);
    SendMessageA(editBox_, EM_LIMITTEXT, MaxLength(column), 0);
    if (selectAllOnEdit_) {
        SetFocus(editBox_);
        SendMessageA(editBox_, EM_SETSEL, 0, -1);
    }
}

void GridView::BeginEdit(int row, int column, int mode, int length)
{
    if (row == -1 || !IsEditable(column))
        return;
    BeginEdit(row, column);
    if (mode == kInputDigits)
        SetWindowLongA(editBox_, GWL_STYLE, GetWindowLongA(editBox_, GWL_STYLE) | ES_NUMBER);
    if (mode == kInputReadOnly) {
        SendMessageA(editBox_, EM_SETREADONLY, TRUE, 0);
        SetFocus(editBox_);
        SendMessageA(editBox_, EM_SETSEL, 0, -1);
    }
    SendMessageA(editBox_, EM_LIMITTEXT, length, 0);
    if (selectAllOnEdit_) {
        SetFocus(editBox_);
        SendMessageA(editBox_, EM_SETSEL, 0, -1);
    }
}

void GridView::FillCombo(const char* commaItems)
{
    SendMessageA(comboBox_, CB_RESETCONTENT, 0, 0);
    TokenList items(commaItems ? commaItems : "", ',');
    for (int i = 0; i < items.Count(); ++i)
        SendMessageA(comboBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
}

void GridView::BeginComboEdit(int row, int column)
{
    if (row == -1)
        return;
    char text[kComboTextBytes] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(window_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    SendMessageA(comboBox_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(comboBox_, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    RECT cell = CellRect(row, column);
    RECT combo = {};
    GetWindowRect(comboBox_, &combo);
    MoveWindow(comboBox_, cell.left, cell.top - 3, cell.right - cell.left, combo.bottom - combo.top, TRUE);
    SendMessageA(comboBox_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), cell.bottom - cell.top);
    ShowWindow(comboBox_, SW_SHOW);
    SetFocus(comboBox_);
    currentRow_ = row;
    g_editRow = row;
    g_editColumn = column;
}

void GridView::HideEditor()
{
    ShowWindow(editBox_, SW_HIDE);
    ShowWindow(comboBox_, SW_HIDE);
}

namespace {

// Moves (row, column) one cell forward (step 1) or back (step -1), wrapping at the row ends
// and at the first and last row.
void StepCell(int step, int rows, int columns, int* row, int* column)
{
    *column += step;
    if (*column >= columns) {
        *column = 0;
        *row = *row + 1 >= rows ? 0 : *row + 1;
    } else if (*column < 0) {
        *column = columns - 1;
        *row = *row - 1 < 0 ? rows - 1 : *row - 1;
    }
}

}  // namespace

bool GridView::FindEditableCell(int step, int* row, int* column, int* mode, int* length) const
{
    int rows = RowCount();
    int columns = ColumnCount();
    if (rows <= 0 || columns <= 0)
        return false;
    int r = g_editRow;
    int c = g_editColumn;
    // One full round over every cell, then give up: no column may be editable.
    for (long steps = 0; steps < static_cast<long>(rows) * columns; ++steps) {
        StepCell(step, rows, columns, &r, &c);
        if (IsEditable(c)) {
            *row = r;
            *column = c;
            *mode = InputMode(c);
            *length = MaxLength(c);
            return true;
        }
    }
    return false;
}

bool GridView::FindNextEditableCell(int* row, int* column, int* mode, int* length) const
{
    return FindEditableCell(1, row, column, mode, length);
}

bool GridView::FindPreviousEditableCell(int* row, int* column, int* mode, int* length) const
{
    return FindEditableCell(-1, row, column, mode, length);
}

void GridView::EditNextCell()
{
    ShowWindow(editBox_, SW_HIDE);
    int row, column, mode, length;
    if (!FindNextEditableCell(&row, &column, &mode, &length))
        return;
    BeginEdit(row, column, mode, length);
    if (selectAllOnEdit_) {
        SetFocus(editBox_);
        SendMessageA(editBox_, EM_SETSEL, 0, -1);
    }
}

void GridView::CommitEditor(WPARAM wParam, LPARAM lParam)
{
    HWND owner = GetParent(window_);
    SendMessageA(owner, kGridEditorCommand, wParam, lParam);
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    WPARAM list = reinterpret_cast<WPARAM>(window_);
    if (id == kGridComboBoxId && code == CBN_KILLFOCUS) {
        ShowWindow(comboBox_, SW_HIDE);
    } else if (id == kGridEditBoxId && code == EN_KILLFOCUS) {
        VornString text = WindowBase(editBox_).Text();
        SetCellText(g_editRow, g_editColumn, text.Text());
        ShowWindow(editBox_, SW_HIDE);
        SendMessageA(owner, kGridEditCommitted, list, MAKELONG(g_editRow, g_editColumn));
    } else if (id == kGridComboBoxId && code == CBN_SELCHANGE) {
        char text[kComboTextBytes] = "";
        GetWindowTextA(comboBox_, text, sizeof text);
        SetCellText(g_editRow, g_editColumn, text);
        ShowWindow(comboBox_, SW_HIDE);
        SendMessageA(owner, kGridComboCommitted, list, MAKELONG(g_editRow, g_editColumn));
    }
}
