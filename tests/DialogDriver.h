// Driving a modal dialog of this process from a thread of its own, as a user would: the
// dialog's modal loop serves the driver's messages while the test waits in the dialog call.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Runs the action on the first visible dialog of this process with the title (any title
// when null), on a thread of its own.
class DialogDriver {
public:
    DialogDriver(const char* title, std::function<void(HWND)> action);
    ~DialogDriver();
    // Waits for the driver; true when it found the dialog.
    bool Finish();

private:
    static DWORD WINAPI Run(void* self);

    std::string title_;
    bool anyTitle_;
    std::function<void(HWND)> action_;
    HANDLE thread_ = nullptr;
    bool found_ = false;
};

// The first visible top-level window of the class in the process (any process when 0),
// with the title (any when null); null when there is none.
HWND FindTopWindow(DWORD processId, const char* className, const char* title);
// The first visible dialog (class "#32770") of this process with the title (any when
// null), or null.
HWND FindOwnDialog(const char* title);
// Waits up to timeoutMs for such a dialog.
HWND WaitForOwnDialog(const char* title, int timeoutMs = 20000);
void Press(HWND dialog, int button);
// The button drawn as the default one (Wine's message box answers DM_GETDEFID with IDOK
// whatever its buttons are).
int DefaultButton(HWND dialog);
// The texts of the dialog's static controls joined by "\n" (a message box's message).
std::string DialogStaticText(HWND dialog);
// Answers the next message box "確認" of this process with the button and returns its text
// ("" when none came within the wait).
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(int button);
    std::string Text();

private:
    std::string text_;
    DialogDriver driver_;
};
