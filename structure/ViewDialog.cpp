#include "ViewDialog.h"

#include "common/MessageBoxes.h"
#include "resources/StructureDialogIds.h"
#include "structure/ViewSql.h"

namespace {

const int kTopEdge = 100;

class ViewDialog {
public:
    explicit ViewDialog(const ViewContext& context) : context_(context) {}

    void Run(HWND owner)
    {
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CREATE_VIEW), owner, Procedure,
                        reinterpret_cast<LPARAM>(this));
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            reinterpret_cast<ViewDialog*>(lParam)->dialog_ = dialog;
            RECT rect;
            GetWindowRect(dialog, &rect);
            SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2, kTopEdge, 0,
                         0, SWP_NOSIZE | SWP_NOZORDER);
            return TRUE;
        }
        auto* self = reinterpret_cast<ViewDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        if (!self || message != WM_COMMAND)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_VIEW_RUN:
        case IDOK:
            self->Create();
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    }

    void Create()
    {
        char name[512] = "";
        GetDlgItemTextA(dialog_, IDC_VIEW_NAME, name, sizeof name);
        SchemaBrowser& browser = *context_.browser;
        VornString statement;
        BuildOutcome outcome = BuildCreateView(DdlTarget{browser.Kind(), browser.excelThroughDsn}, name,
                                               context_.preparedQuery(), statement);
        if (!outcome.Ok()) {
            ShowWarning(dialog_, outcome.message);
            SetFocus(GetDlgItem(dialog_, IDC_VIEW_NAME));
            return;
        }
        VornString previous = browser.sqlText;
        browser.sqlText = statement;
        int result = browser.ExecuteSqlText();
        browser.sqlText = previous;
        if (result != 0) {
            // The name stays for another try.
            ShowWarning(dialog_, browser.ErrorText);
            return;
        }
        ShowWarning(dialog_, kViewCreated);
        if (context_.refreshMain)
            context_.refreshMain();
        EndDialog(dialog_, IDOK);
    }

    const ViewContext& context_;
    HWND dialog_ = nullptr;
};

}  // namespace

void RunCreateView(HWND owner, const ViewContext& context)
{
    if (!context.browser || !ViewCreationOffered(context.browser->Kind()) || !context.preparedQuery)
        return;
    if (const char* problem = ViewCommandProblem(context.executionType, context.preparedQuery())) {
        ShowWarning(owner, problem);
        return;
    }
    ViewDialog dialog(context);
    dialog.Run(owner);
}
