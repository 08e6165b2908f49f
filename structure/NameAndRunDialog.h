// The small fixed dialogs that take one name and act on "実行" (rename, view): centred
// horizontally on the desktop with the top edge at 100 pixels; Cancel or the close box
// ends them, the action decides itself whether to end them.
#pragma once

#include <windows.h>

#include "common/VornString.h"

class NameAndRunDialog {
public:
    NameAndRunDialog(int templateId, int runButtonId) : templateId_(templateId), runButtonId_(runButtonId) {}
    virtual ~NameAndRunDialog() = default;
    NameAndRunDialog(const NameAndRunDialog&) = delete;
    NameAndRunDialog& operator=(const NameAndRunDialog&) = delete;

    INT_PTR Run(HWND owner);

protected:
    virtual void OnInit() {}
    virtual void OnRun() = 0;
    VornString FieldText(int id) const;
    void Finish(INT_PTR result) { EndDialog(dialog_, result); }

    HWND dialog_ = nullptr;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    int templateId_;
    int runButtonId_;
};
