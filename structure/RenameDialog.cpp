#include "RenameDialog.h"

#include "common/MessageBoxes.h"
#include "resources/StructureDialogIds.h"
#include "structure/AlterTableSql.h"

namespace {

const int kTopEdge = 100;

// Centred horizontally on the desktop, its top edge at 100 pixels.
void PlaceNearTop(HWND dialog)
{
    RECT rect;
    GetWindowRect(dialog, &rect);
    int width = rect.right - rect.left;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, kTopEdge, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

class RenameDialog {
public:
    explicit RenameDialog(const RenameContext& context) : context_(context) {}

    void Run(HWND owner)
    {
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_RENAME), owner, Procedure,
                        reinterpret_cast<LPARAM>(this));
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            auto* self = reinterpret_cast<RenameDialog*>(lParam);
            self->dialog_ = dialog;
            SetDlgItemTextA(dialog, IDC_RENAME_NAME, self->context_.oldName);
            PlaceNearTop(dialog);
            return TRUE;
        }
        auto* self = reinterpret_cast<RenameDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        if (!self || message != WM_COMMAND)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_RENAME_RUN:
        case IDOK:
            self->Rename();
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    }

    void Rename()
    {
        char text[512] = "";
        GetDlgItemTextA(dialog_, IDC_RENAME_NAME, text, sizeof text);
        VornString newName = TrimmedCell(text);
        if (const char* problem = RenameProblem(context_.oldName, newName)) {
            ShowWarning(dialog_, problem);
            SetFocus(GetDlgItem(dialog_, IDC_RENAME_NAME));
            return;
        }
        SchemaBrowser& browser = *context_.browser;
        VornString previous = browser.sqlText;
        browser.sqlText = RenameStatement(DdlTarget{browser.Kind(), browser.excelThroughDsn}, context_.oldName, newName);
        int result = browser.ExecuteSqlText();
        browser.sqlText = previous;
        if (result != 0) {
            ShowWarning(dialog_, kRenameFailed);
            return;
        }
        ShowWarning(dialog_, kRenameDone);
        EndDialog(dialog_, IDOK);
        if (context_.refreshMain)
            context_.refreshMain();
    }

    const RenameContext& context_;
    HWND dialog_ = nullptr;
};

}  // namespace

void RunRename(HWND owner, const RenameContext& context)
{
    if (!context.browser)
        return;
    RenameDialog dialog(context);
    dialog.Run(owner);
}
