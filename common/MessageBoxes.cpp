#include "MessageBoxes.h"

const char kMessageCaption[] = "確認";

void ShowWarning(HWND owner, const char* text)
{
    MessageBoxA(owner, text, kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
}

bool AskOkCancel(HWND owner, const char* text)
{
    return MessageBoxA(owner, text, kMessageCaption, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

bool AskYesNo(HWND owner, const char* text)
{
    return MessageBoxA(owner, text, kMessageCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
