#include "NameAndRunDialog.h"

namespace {

const int kTopEdge = 100;

}  // namespace

INT_PTR NameAndRunDialog::Run(HWND owner)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

VornString NameAndRunDialog::FieldText(int id) const
{
    char text[512] = "";
    GetDlgItemTextA(dialog_, id, text, sizeof text);
    return VornString(text);
}

INT_PTR CALLBACK NameAndRunDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        auto* self = reinterpret_cast<NameAndRunDialog*>(lParam);
        self->dialog_ = dialog;
        RECT rect;
        GetWindowRect(dialog, &rect);
        SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2, kTopEdge, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        self->OnInit();
        return TRUE;
    }
    auto* self = reinterpret_cast<NameAndRunDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (!self || message != WM_COMMAND)
        return FALSE;
    int id = LOWORD(wParam);
    if (id == self->runButtonId_ || id == IDOK) {
        self->OnRun();
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}
