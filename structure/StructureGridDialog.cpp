#include "StructureGridDialog.h"

#include <commctrl.h>

#include "common/MessageBoxes.h"
#include "common/ProgramLauncher.h"
#include "resources/StructureDialogIds.h"
#include "transfer/GridPageOutput.h"

const char kStructureExecuted[] = "● 更新処理は正常終了しました";

namespace {

const int kGridFontPoints = 10;
const int kGridGap = 4;

}  // namespace

StructureGridDialog::StructureGridDialog(const StructureContext& context, const char* caption, const char* section,
                                         int menuId, int popupId)
    : context_(context), caption_(caption), section_(section), menuId_(menuId), popupId_(popupId)
{
}

void StructureGridDialog::Run(HWND owner)
{
    owner_ = owner;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_STRUCTURE_GRID), owner, Procedure,
                    reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK StructureGridDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        return reinterpret_cast<StructureGridDialog*>(lParam)->OnInitDialog(dialog);
    }
    auto* self = reinterpret_cast<StructureGridDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    return self ? self->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR StructureGridDialog::OnInitDialog(HWND dialog)
{
    dialog_ = dialog;
    SetWindowTextA(dialog, caption_);
    SetMenu(dialog, LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId_)));
    grid_.reset(new GridView(GetDlgItem(dialog, IDC_ST_GRID)));
    grid_->SetFullRowSelectWithGridLines();
    grid_->SetGridFont(kGridFontPoints, 0, false);
    grid_->LoadContextMenu(popupId_, 0);
    OnInit();
    if (!context_.settings || !WindowBase(dialog).RestorePosition(section_, *context_.settings))
        PlaceStandard();
    FitGrid();
    return TRUE;
}

DatabaseKind StructureGridDialog::Kind() const
{
    return context_.browser ? context_.browser->Kind() : DatabaseKind::None;
}

DdlTarget StructureGridDialog::Target() const
{
    return DdlTarget{Kind(), context_.browser && context_.browser->excelThroughDsn};
}

void StructureGridDialog::AddColumns(const std::vector<StructureColumnSpec>& columns)
{
    for (const StructureColumnSpec& column : columns)
        grid_->AddColumn(column.heading, column.width);
}

void StructureGridDialog::AddNumberedRows(int count)
{
    for (int i = 0; i < count; ++i) {
        int row = grid_->AddRow();
        VornString number;
        number.Format("%2d", row + 1);
        grid_->SetCellText(row, 0, number);
    }
    // The list view learns the new row count now, not when the posted update arrives.
    grid_->Synchronize();
}

void StructureGridDialog::Renumber()
{
    for (int row = 0; row < grid_->RowCount(); ++row) {
        VornString number;
        number.Format("%d", row + 1);
        grid_->SetCellText(row, 0, number);
    }
}

VornString StructureGridDialog::TableField() const
{
    char text[512] = "";
    GetDlgItemTextA(dialog_, IDC_ST_TABLE, text, sizeof text);
    return VornString(text);
}

void StructureGridDialog::SetTableField(const char* text) { SetDlgItemTextA(dialog_, IDC_ST_TABLE, text); }

void StructureGridDialog::EnableCommand(int id, bool enable)
{
    UINT state = MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(GetMenu(dialog_), id, state);
    if (HMENU popup = grid_->ContextPopup())
        EnableMenuItem(popup, id, state);
    DrawMenuBar(dialog_);
}

void StructureGridDialog::SetCommandText(int id, const char* text)
{
    ModifyMenuA(GetMenu(dialog_), id, MF_BYCOMMAND | MF_STRING, id, text);
    if (HMENU popup = grid_->ContextPopup())
        ModifyMenuA(popup, id, MF_BYCOMMAND | MF_STRING, id, text);
    DrawMenuBar(dialog_);
}

// A menu command takes no focus, so an edit still open would otherwise be lost: moving
// the focus to the list commits it first.
void StructureGridDialog::CommitEditor()
{
    if (!grid_)
        return;
    if (IsWindowVisible(grid_->EditBox()) || IsWindowVisible(grid_->ComboBox()))
        SetFocus(grid_->ListHandle());
    grid_->HideEditor();
}

void StructureGridDialog::ShowOutcome(const BuildOutcome& outcome)
{
    if (outcome.Ok())
        return;
    ShowWarning(dialog_, outcome.message);
    switch (outcome.focus) {
    case BuildFocus::TableName:
        SetFocus(GetDlgItem(dialog_, IDC_ST_TABLE));
        break;
    case BuildFocus::EditCell:
        if (grid_->RowCount() > outcome.row)
            grid_->BeginEdit(outcome.row, outcome.column);
        break;
    case BuildFocus::SelectRow:
        grid_->SelectAll(false);
        grid_->SelectRow(outcome.row, true);
        grid_->EnsureVisible(outcome.row, 0);
        break;
    case BuildFocus::DropDown:
        if (grid_->RowCount() > outcome.row) {
            grid_->FillCombo(DropDownList(outcome.column));
            grid_->BeginComboEdit(outcome.row, outcome.column);
        }
        break;
    case BuildFocus::None:
        break;
    }
}

void StructureGridDialog::WriteBackTypes(const TableColumnRows& rows, int typeColumn)
{
    for (size_t i = 0; i < rows.size() && static_cast<int>(i) < grid_->RowCount(); ++i)
        if (rows[i].type.IsDifferent(grid_->CellText(static_cast<int>(i), typeColumn)))
            grid_->SetCellText(static_cast<int>(i), typeColumn, rows[i].type);
}

bool StructureGridDialog::Execute(const char* statement, bool showFailure)
{
    if (!context_.browser)
        return false;
    HCURSOR cursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    bool done = ExecuteStatement(*context_.browser, statement);
    SetCursor(cursor);
    if (!done && showFailure)
        ShowWarning(dialog_, context_.browser->ErrorText);
    return done;
}

bool ExecuteStatement(SchemaBrowser& browser, const char* statement)
{
    VornString previous = browser.sqlText;
    browser.sqlText = statement;
    int result = browser.ExecuteSqlText();
    browser.sqlText = previous;
    return result == 0;
}

void StructureGridDialog::ShowExecuted() { SetWindowTextA(dialog_, kStructureExecuted); }

void StructureGridDialog::OpenHelp(const char* page) { OpenHelpPage(context_.programFolder, page); }

void StructureGridDialog::PlaceStandard()
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(dialog_, nullptr, width / 10, height * 2 / 10, width * 8 / 10, height * 6 / 10,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR StructureGridDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    int row = static_cast<short>(LOWORD(lParam));
    int column = static_cast<short>(HIWORD(lParam));
    switch (message) {
    case WM_NOTIFY:
        if (grid_)
            grid_->HandleNotify(dialog_, lParam);
        return FALSE;
    case WM_SIZE:
        OnSize(wParam);
        return TRUE;
    case WM_DESTROY:
        // The grid lets go of its editors and subclasses while the windows still exist.
        grid_.reset();
        return FALSE;
    case WM_COMMAND:
        if (OnCommonCommand(LOWORD(wParam)))
            return TRUE;
        return OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case kGridClick:
        if (row >= 0 && row < grid_->RowCount())
            OnCellClick(row, column);
        return TRUE;
    case kGridEditReturn:
        CommitEditor();
        return TRUE;
    case kGridEditTab:
        CommitEditor();
        grid_->EditNextCell();
        return TRUE;
    case kGridEditUp:
    case kGridEditDown:
        EditNeighbour(row, column, message == kGridEditUp ? -1 : 1);
        return TRUE;
    default:
        return FALSE;
    }
}

bool StructureGridDialog::OnCommonCommand(int id)
{
    switch (id) {
    case IDM_ST_HTML:
        CommitEditor();
        // Shift held: the XML data file with its view page instead of the HTML table.
        if (context_.settings)
            OutputGridPage(dialog_, *grid_, 0, *context_.settings, GetKeyState(VK_SHIFT) < 0);
        return true;
    case IDM_ST_STANDARD_PLACEMENT:
        PlaceStandard();
        return true;
    case IDM_ST_TO_COMMAND_AREA:
    case IDM_ST_TO_NOTEPAD: {
        const auto& destination = id == IDM_ST_TO_COMMAND_AREA ? context_.toCommandArea : context_.toNotepad;
        VornString text;
        if (BuildTransferText(text) && destination)
            destination(text);
        return true;
    }
    case IDOK:
        // Enter ends an edit, not the dialog.
        CommitEditor();
        return true;
    case IDCANCEL:
        Close();
        return true;
    default:
        return false;
    }
}

void StructureGridDialog::OnCellClick(int row, int column)
{
    if (const char* choices = DropDownList(column)) {
        grid_->FillCombo(choices);
        grid_->BeginComboEdit(row, column);
    } else if (grid_->IsEditable(column)) {
        grid_->BeginEdit(row, column);
    }
}

// Up and Down move the open editor to the same column of the row above or below,
// wrapping at the first and the last row.
void StructureGridDialog::EditNeighbour(int row, int column, int step)
{
    int rows = grid_->RowCount();
    if (rows <= 0)
        return;
    CommitEditor();
    grid_->BeginEdit((row + step + rows) % rows, column);
}

void StructureGridDialog::OnSize(WPARAM how)
{
    FitGrid();
    FollowOwner(dialog_, owner_, how);
}

void FollowOwner(HWND dialog, HWND owner, WPARAM how)
{
    if (!owner)
        return;
    if (how == SIZE_MINIMIZED || how == SIZE_MAXIMIZED) {
        ShowWindow(owner, SW_HIDE);
    } else if (how == SIZE_RESTORED && !IsWindowVisible(owner)) {
        ShowWindow(owner, SW_SHOW);
        SetFocus(dialog);
    }
}

void StructureGridDialog::FitGrid()
{
    if (!grid_)
        return;
    RECT client;
    GetClientRect(dialog_, &client);
    RECT edit;
    GetWindowRect(GetDlgItem(dialog_, IDC_ST_TABLE), &edit);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&edit), 2);
    int top = edit.bottom + kGridGap;
    MoveWindow(grid_->ListHandle(), 0, top, client.right, client.bottom > top ? client.bottom - top : 0, TRUE);
}

void StructureGridDialog::Close()
{
    if (grid_)
        grid_->HideEditor();
    if (context_.settings)
        WindowBase(dialog_).SavePosition(section_, *context_.settings);
    if (owner_ && !IsWindowVisible(owner_))
        ShowWindow(owner_, SW_SHOW);
    EndDialog(dialog_, IDCANCEL);
}
