// A visible top-level window that records every message it receives, for tests that check
// which messages a control or hook sends where.
#pragma once

#include <windows.h>

#include <vector>

struct RecordedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingWindow {
public:
    RecordingWindow(const char* title = "テスト", bool visible = true);
    ~RecordingWindow();
    HWND Handle() const { return window_; }

    // Dispatches queued messages until the queue stays empty for a moment.
    static void Pump(int quietMilliseconds = 30);
    void ClearLog() { log_.clear(); }
    const std::vector<RecordedMessage>& Log() const { return log_; }
    // The messages of one kind, in arrival order.
    std::vector<RecordedMessage> Messages(UINT message) const;

    // Sees every WM_NOTIFY before the default procedure answers it.
    LRESULT (*notifyHandler)(HWND owner, LPARAM lParam, void* context) = nullptr;
    void* notifyContext = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::vector<RecordedMessage> log_;
};

// When the environment variable names a path, the window as the screen shows it is saved
// there as a BMP.
void SaveScreenshot(HWND window, const char* pathVariable);
