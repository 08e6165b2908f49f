// A modal dialog from a template, as an object: the procedure finds the object again and
// hands initialisation, commands and other messages to it.
#pragma once

#include <windows.h>

#include "WindowBase.h"

class ModalDialog : public WindowBase {
public:
    // The result passed to End. The template comes from module (the program when null): a
    // library shows its own dialogs.
    INT_PTR Run(HWND owner, int templateId, HINSTANCE module = nullptr);

protected:
    virtual void OnInit() {}
    // True when the command was handled.
    virtual bool OnCommand(int id, int notification) = 0;
    // Any other message; TRUE when handled.
    virtual INT_PTR OnMessage(UINT, WPARAM, LPARAM) { return FALSE; }
    void End(INT_PTR result) { EndDialog(window_, result); }
    // Centred across the screen with the top edge at top.
    void PlaceCentredAt(int top);

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
