// The modifier keys and the hourglass while the user waits.
#pragma once

#include <windows.h>

// As of the message being handled (the thread's key state, not the hardware's).
bool IsShiftDown();
bool IsControlDown();

// Shows the wait cursor for its lifetime and puts the previous cursor back.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};
