#include "FindDialog.h"

#include "FindRules.h"
#include "GridCopies.h"
#include "common/MessageBoxes.h"
#include "resources/FindDialogIds.h"
#include "common/GridViewSource.h"

namespace {

const char kNotFound[] = "文字列を発見できませんでした　　";
const char kNoColumn[] = "対象となるカラムがありません　　";
const char kNoRows[] = "対象となるデータがビューに表示されていません　　";

class FindDialog : public WindowBase {
public:
    FindDialog(GridView& grid, const FindRequest& request) : grid_(grid), request_(request) {}

    int Run(HWND owner)
    {
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FIND), owner, Procedure,
                        reinterpret_cast<LPARAM>(this));
        return hit_ ? 1 : 0;
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            FindDialog* self = reinterpret_cast<FindDialog*>(lParam);
            self->Attach(dialog);
            self->OnInitDialog();
            return TRUE;
        }
        FindDialog* self = reinterpret_cast<FindDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        if (self && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
            return self->OnCommand(LOWORD(wParam));
        return FALSE;
    }

    void OnInitDialog()
    {
        SetText(request_.caption);
        // The search goes on from the row the user was looking at.
        currentRow_ = grid_.NextSelectedRow(-1);
    }

    BOOL OnCommand(int id)
    {
        switch (id) {
        case IDC_FIND_FROM_TOP:
            Search(dataview::FindDirection::FromTop);
            return TRUE;
        case IDC_FIND_NEXT:
            Search(dataview::FindDirection::Next);
            return TRUE;
        case IDC_FIND_PREVIOUS:
            Search(dataview::FindDirection::Previous);
            return TRUE;
        case IDCANCEL:
            EndDialog(window_, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    }

    void Search(dataview::FindDirection direction)
    {
        VornString text = ItemText(IDC_FIND_TEXT);
        dataview::FindQuery query;
        query.text = text;
        query.ignoreCase = IsItemChecked(IDC_FIND_IGNORE_CASE);
        query.column = request_.column;
        query.firstColumn = request_.firstColumn;
        dataview::FindHit hit = dataview::FindInGrid(GridViewSource(grid_), query, direction, currentRow_);
        if (!hit.Found()) {
            ShowWarning(window_, kNotFound);
        } else {
            currentRow_ = hit.row;
            hit_ = true;
            Highlight(hit);
        }
        SetFocus(GetDlgItem(window_, IDC_FIND_TEXT));
    }

    void Highlight(const dataview::FindHit& hit)
    {
        grid_.SelectAll(false);
        grid_.SelectRow(hit.row, true);
        grid_.EnsureVisible(hit.row, hit.column);
        grid_.SetCurrentRow(hit.row);
        InvalidateRect(grid_.ListHandle(), nullptr, FALSE);
    }

    GridView& grid_;
    FindRequest request_;
    int currentRow_ = -1;
    bool hit_ = false;
};

}  // namespace

int RunFindDialog(HWND owner, GridView& grid, const FindRequest& request)
{
    FindDialog dialog(grid, request);
    return dialog.Run(owner);
}

int FindInClickedColumn(HWND owner, GridView& grid)
{
    int column = ClickedColumn(grid);
    if (column < 0) {
        ShowWarning(owner, kNoColumn);
        return 0;
    }
    VornString caption = grid.ColumnTitle(column);
    caption.Append(" の検索");
    FindRequest request;
    request.caption = caption;
    request.column = column;
    return RunFindDialog(owner, grid, request);
}

int FindInWholeGrid(HWND owner, GridView& grid, const char* caption, int firstColumn)
{
    if (grid.RowCount() == 0) {
        ShowWarning(owner, kNoRows);
        return 0;
    }
    FindRequest request;
    request.caption = caption;
    request.firstColumn = firstColumn;
    return RunFindDialog(owner, grid, request);
}
