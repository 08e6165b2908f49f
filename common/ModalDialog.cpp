#include "ModalDialog.h"

INT_PTR ModalDialog::Run(HWND owner, int templateId, HINSTANCE module)
{
    return DialogBoxParamA(module ? module : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

void ModalDialog::PlaceCentredAt(int top)
{
    RECT rect;
    GetWindowRect(window_, &rect);
    SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        auto* self = reinterpret_cast<ModalDialog*>(lParam);
        self->Attach(dialog);
        self->OnInit();
        return TRUE;
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (!self)
        return FALSE;
    if (message == WM_COMMAND)
        return self->OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    return self->OnMessage(message, wParam, lParam);
}
