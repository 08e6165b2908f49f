// The status bar at the foot of a window, used in simple mode (one text). The object owns
// the control: it is destroyed with the object unless its owner window went first.
#pragma once

#include "WindowBase.h"

class StatusBar : public WindowBase {
public:
    StatusBar() = default;
    ~StatusBar() override;

    // A child of owner with the given control id; false when it could not be created.
    bool Create(HWND owner, int id);
    void SetSimpleText(const char* text);
    void SetSimpleTextFormat(const char* format, ...);
    VornString SimpleText() const;
    // Call from the owner's WM_SIZE: the bar places itself along the owner's foot.
    void FitToOwner();
};
