#include "RowAssistDialog.h"

#include <commctrl.h>

#include <memory>

#include "app/PartsLists.h"
#include "common/MessageBoxes.h"
#include "dataview/DataViewMessages.h"
#include "resources/RowAssistDialogIds.h"
#include "structure/CreateTableDialog.h"   // ReadDefinitionView
#include "transfer/GridPageOutput.h"

namespace {

const char kAskExecute[] = "更新しますか?　　";
const char kExecuted[] = "● 更新処理は正常終了しました";
const int kGridFontPoints = 10;

class RowAssistDialog {
public:
    RowAssistDialog(RowAssistKind kind, const RowAssistContext& context, const RowAssistPrefill& prefill)
        : kind_(kind), context_(context), prefill_(prefill)
    {
    }

    void Run(HWND owner)
    {
        owner_ = owner;
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ROW_ASSIST), owner, Procedure,
                        reinterpret_cast<LPARAM>(this));
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            return reinterpret_cast<RowAssistDialog*>(lParam)->OnInitDialog(dialog);
        }
        RowAssistDialog* self = reinterpret_cast<RowAssistDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        return self ? self->OnMessage(message, wParam, lParam) : FALSE;
    }

    DatabaseKind Kind() const { return context_.browser ? context_.browser->Kind() : DatabaseKind::None; }
    bool IsUpdate() const { return kind_ == RowAssistKind::Update; }

    INT_PTR OnInitDialog(HWND dialog)
    {
        dialog_ = dialog;
        SetWindowTextA(dialog, AssistCaption(kind_));
        PartsLists parts = LoadPartsLists(context_.kindFolder, Kind(), TypeNameSource());
        options_ = parts.option2;
        conditions_ = parts.cond;
        CreateGrid();
        rows_ = AssistRowsFor(Kind(), ReadDefinitionView(context_.definitionView));
        if (prefill_.dataGrid)
            PrefillFromDataView();
        else if (prefill_.conditions && IsUpdate())
            PrefillConditions(rows_, ConditionsOf(*prefill_.conditions));
        ShowRows();
        // Only a data row can be loaded again.
        EnableCommand(IDM_RA_RELOAD, prefill_.dataGrid != nullptr);
        if (!context_.settings || !WindowBase(dialog).RestorePosition(AssistPlacementSection(kind_), *context_.settings))
            PlaceStandard();
        FitGrid();
        return TRUE;
    }

    void CreateGrid()
    {
        grid_.reset(new GridView(GetDlgItem(dialog_, IDC_ROW_ASSIST_GRID)));
        grid_->SetFullRowSelectWithGridLines();
        grid_->SetGridFont(kGridFontPoints, 0, false);
        for (const AssistColumnSpec& column : AssistColumns(kind_))
            grid_->AddColumn(column.heading, column.width);
        grid_->SetNonEditableColumns(AssistTabSkipList(kind_));
        grid_->LoadContextMenu(IDR_ROW_ASSIST_POPUP, 0);
    }

    static std::vector<AssistCondition> ConditionsOf(const GridView& grid)
    {
        std::vector<AssistCondition> conditions;
        for (int row = 0; row < grid.RowCount(); ++row)
            conditions.push_back(AssistCondition{grid.CellText(row, 1), grid.CellText(row, 2)});
        return conditions;
    }

    void PrefillFromDataView()
    {
        const GridView& data = *prefill_.dataGrid;
        int selected = data.NextSelectedRow(-1);
        if (selected < 0)
            return;
        std::vector<VornString> headings;
        std::vector<VornString> values;
        for (int column = 2; column < data.ColumnCount(); ++column) {
            headings.push_back(data.ColumnTitle(column));
            values.push_back(data.CellText(selected, column));
        }
        PrefillFromDataRow(kind_, rows_, headings, values, prefill_.keyColumns);
    }

    // rows_ into the grid; the grid holds what the user edits.
    void ShowRows()
    {
        grid_->DeleteAllRows();
        for (size_t i = 0; i < rows_.size(); ++i) {
            int row = grid_->AddRow();
            const AssistRow& source = rows_[i];
            VornString number;
            number.Format("%2d", static_cast<int>(i) + 1);
            grid_->SetCellText(row, kAssistNumber, number);
            grid_->SetCellText(row, kAssistName, source.name);
            grid_->SetCellText(row, kAssistCategory, source.category);
            grid_->SetCellText(row, kAssistOption, source.option);
            grid_->SetCellText(row, kAssistData, source.data);
            if (IsUpdate()) {
                grid_->SetCellText(row, kAssistCondition, source.condition);
                grid_->SetCellText(row, kAssistValue, source.value);
            }
        }
        // The list view learns the new row count now, not when the posted update arrives.
        grid_->Synchronize();
    }

    // The grid's cells back into rows_.
    void ReadRows()
    {
        CommitEditor();
        for (size_t i = 0; i < rows_.size() && static_cast<int>(i) < grid_->RowCount(); ++i) {
            int row = static_cast<int>(i);
            rows_[i].option = grid_->CellText(row, kAssistOption);
            rows_[i].data = grid_->CellText(row, kAssistData);
            if (IsUpdate()) {
                rows_[i].condition = grid_->CellText(row, kAssistCondition);
                rows_[i].value = grid_->CellText(row, kAssistValue);
            }
        }
    }

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
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
            return OnCommand(LOWORD(wParam));
        case kGridClick:
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

    void OnSize(WPARAM how)
    {
        FitGrid();
        FollowOwner(dialog_, owner_, how);
    }

    INT_PTR OnCommand(int id)
    {
        switch (id) {
        case IDM_RA_CLEAR_ALL:
            ClearRows(false);
            return TRUE;
        case IDM_RA_CLEAR_SELECTED:
            ClearRows(true);
            return TRUE;
        case IDM_RA_RELOAD:
            Reload();
            return TRUE;
        case IDM_RA_STANDARD_PLACEMENT:
            PlaceStandard();
            return TRUE;
        case IDM_RA_TO_COMMAND_AREA:
            Transfer(context_.toCommandArea);
            return TRUE;
        case IDM_RA_TO_NOTEPAD:
            Transfer(context_.toNotepad);
            return TRUE;
        case IDM_RA_EXECUTE:
            Execute();
            return TRUE;
        case IDM_RA_HTML:
            CommitEditor();
            // Shift held: the XML data file with its view page instead of the HTML table.
            if (grid_ && context_.settings)
                OutputGridPage(dialog_, *grid_, 0, *context_.settings, GetKeyState(VK_SHIFT) < 0);
            return TRUE;
        case IDOK:
            // Enter in the in-place editor ends the edit, not the dialog.
            CommitEditor();
            return TRUE;
        case IDCANCEL:
            Close();
            return TRUE;
        default:
            return FALSE;
        }
    }

    void Close()
    {
        if (grid_)
            grid_->HideEditor();
        if (context_.settings)
            WindowBase(dialog_).SavePosition(AssistPlacementSection(kind_), *context_.settings);
        if (owner_ && !IsWindowVisible(owner_))
            ShowWindow(owner_, SW_SHOW);
        EndDialog(dialog_, IDCANCEL);
    }

    void FitGrid()
    {
        if (!grid_)
            return;
        RECT client;
        GetClientRect(dialog_, &client);
        MoveWindow(grid_->ListHandle(), 0, 0, client.right, client.bottom, TRUE);
    }

    void PlaceStandard()
    {
        int width = GetSystemMetrics(SM_CXSCREEN);
        int height = GetSystemMetrics(SM_CYSCREEN);
        SetWindowPos(dialog_, nullptr, width / 10, height * 2 / 10, width * 8 / 10, height * 6 / 10,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void EnableCommand(UINT id, bool enable)
    {
        UINT state = MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED);
        EnableMenuItem(GetMenu(dialog_), id, state);
        if (HMENU popup = grid_->ContextPopup())
            EnableMenuItem(popup, id, state);
        DrawMenuBar(dialog_);
    }

    // A menu command takes no focus, so an edit still open would otherwise be lost: moving
    // the focus to the list commits it first.
    void CommitEditor()
    {
        if (grid_ && IsWindowVisible(grid_->EditBox()))
            SetFocus(grid_->ListHandle());
        if (grid_)
            grid_->HideEditor();
    }

    bool IsDropDownColumn(int column) const
    {
        return column == kAssistOption || (IsUpdate() && column == kAssistCondition);
    }

    void OnCellClick(int row, int column)
    {
        if (row < 0 || row >= grid_->RowCount())
            return;
        if (IsDropDownColumn(column)) {
            grid_->FillCombo(column == kAssistOption ? options_.Text() : conditions_.Text());
            grid_->BeginComboEdit(row, column);
        } else if (grid_->IsEditable(column)) {
            grid_->BeginEdit(row, column);
        }
    }

    // Up and Down move the open editor to the same column of the row above or below,
    // wrapping at the first and the last row.
    void EditNeighbour(int row, int column, int step)
    {
        int rows = grid_->RowCount();
        if (rows <= 0)
            return;
        CommitEditor();
        grid_->BeginEdit((row + step + rows) % rows, column);
    }

    void ClearRows(bool selectedOnly)
    {
        ReadRows();
        int row = selectedOnly ? grid_->NextSelectedRow(-1) : 0;
        while (row >= 0 && static_cast<size_t>(row) < rows_.size()) {
            ClearInput(rows_[row]);
            row = selectedOnly ? grid_->NextSelectedRow(row) : row + 1;
        }
        ShowRows();
    }

    void Reload()
    {
        if (!prefill_.dataGrid)
            return;
        ReadRows();
        PrefillFromDataView();
        ShowRows();
    }

    // The statement, or false after the check's message (the editor then waits on the cell).
    bool Build(VornString& statement)
    {
        ReadRows();
        AssistCheck check = CheckAssistRows(kind_, rows_);
        if (check.problem != AssistProblem::None) {
            ShowProblem(check);
            return false;
        }
        AssistTarget target;
        target.kind = Kind();
        target.excelThroughDsn = context_.browser && context_.browser->excelThroughDsn;
        target.table = context_.browser ? context_.browser->tableName : VornString();
        statement = IsUpdate() ? UpdateText(target, rows_) : InsertText(target, rows_);
        return true;
    }

    void ShowProblem(const AssistCheck& check)
    {
        ShowWarning(dialog_, check.message);
        if (grid_->RowCount() == 0)
            return;
        if (check.problem == AssistProblem::NoCondition) {
            // A list from Cond.txt may lack the operators the user needs.
            conditions_ = DefaultPartsList(Kind(), PartsFile::Cond);
            grid_->FillCombo(conditions_);
            grid_->BeginComboEdit(check.row, check.column);
            return;
        }
        grid_->BeginEdit(check.row, check.column);
    }

    void Transfer(const std::function<void(const char*)>& destination)
    {
        VornString statement;
        if (Build(statement) && destination)
            destination(statement);
    }

    void Execute()
    {
        VornString statement;
        if (!context_.browser || !Build(statement) || !AskOkCancel(dialog_, kAskExecute))
            return;
        SchemaBrowser& browser = *context_.browser;
        // The data view shows its own statement from the same scratch text.
        VornString previous = browser.sqlText;
        browser.sqlText = statement;
        int result = browser.ExecuteSqlText();
        browser.sqlText = previous;
        if (result != 0) {
            ShowWarning(dialog_, browser.ErrorText);
            return;
        }
        SetWindowTextA(dialog_, kExecuted);
        if (prefill_.refreshTarget)
            PostMessageA(prefill_.refreshTarget, kDataViewRefresh, 0, 0);
    }

    RowAssistKind kind_;
    const RowAssistContext& context_;
    const RowAssistPrefill& prefill_;
    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
    std::unique_ptr<GridView> grid_;
    AssistRows rows_;
    VornString options_;
    VornString conditions_;
};

}  // namespace

void RunRowAssist(HWND owner, RowAssistKind kind, const RowAssistContext& context, const RowAssistPrefill& prefill)
{
    RowAssistDialog dialog(kind, context, prefill);
    dialog.Run(owner);
}
