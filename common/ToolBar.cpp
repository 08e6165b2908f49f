#include "ToolBar.h"

ToolBar::~ToolBar()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
}

bool ToolBar::Create(HWND owner, int id, HINSTANCE module, UINT_PTR bitmapId, int bitmapCount,
                     const TBBUTTON* buttons, int buttonCount, int imageWidth, int imageHeight)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    window_ = CreateToolbarEx(owner, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT,
                              static_cast<UINT>(id), bitmapCount, module, bitmapId, buttons,
                              buttonCount, imageWidth, imageHeight, imageWidth, imageHeight,
                              sizeof(TBBUTTON));
    return window_ != nullptr;
}

int ToolBar::ButtonCount() const { return static_cast<int>(SendMessageA(window_, TB_BUTTONCOUNT, 0, 0)); }

void ToolBar::EnableButton(int command, bool enable)
{
    SendMessageA(window_, TB_ENABLEBUTTON, static_cast<WPARAM>(command), MAKELONG(enable ? TRUE : FALSE, 0));
}

bool ToolBar::IsButtonEnabled(int command) const
{
    return SendMessageA(window_, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
}

void ToolBar::CheckButton(int command, bool check)
{
    SendMessageA(window_, TB_CHECKBUTTON, static_cast<WPARAM>(command), MAKELONG(check ? TRUE : FALSE, 0));
}

bool ToolBar::IsButtonChecked(int command) const
{
    return SendMessageA(window_, TB_ISBUTTONCHECKED, static_cast<WPARAM>(command), 0) != 0;
}

void ToolBar::FitToOwner() { SendMessageA(window_, TB_AUTOSIZE, 0, 0); }
