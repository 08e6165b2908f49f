// A tool bar of bitmap buttons under the menu, owned like the status bar: destroyed with
// the object unless its owner window went first.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "WindowBase.h"

class ToolBar : public WindowBase {
public:
    ToolBar() = default;
    ~ToolBar() override;

    // The bitmap holds bitmapCount images of imageWidth x imageHeight side by side; it is
    // the resource bitmapId of module, or, with module null, the bitmap handle bitmapId.
    bool Create(HWND owner, int id, HINSTANCE module, UINT_PTR bitmapId, int bitmapCount,
                const TBBUTTON* buttons, int buttonCount, int imageWidth = 16, int imageHeight = 15);
    int ButtonCount() const;
    void EnableButton(int command, bool enable);
    bool IsButtonEnabled(int command) const;
    void CheckButton(int command, bool check);
    bool IsButtonChecked(int command) const;
    // Shows or hides the bar; the owner lays out its panes again afterwards.
    void ShowBar(bool show) { Show(show ? SW_SHOW : SW_HIDE); }
    void FitToOwner();
};
