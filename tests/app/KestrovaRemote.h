// Driving a running Kestrova from another process, as other programs and a user do: window
// messages, keyboard input, the clipboard under the mutex "Kestrova", and its settings file.
#pragma once

#include <windows.h>

#include <string>

class KestrovaRemote {
public:
    KestrovaRemote() = default;
    ~KestrovaRemote();
    KestrovaRemote(const KestrovaRemote&) = delete;
    KestrovaRemote& operator=(const KestrovaRemote&) = delete;

    // Starts the program and waits for its main window; false when it did not appear.
    bool Launch(const std::string& exePath);
    // Finds an already running Kestrova (the first window of class KESTROVA).
    bool Attach();
    HWND Main() const { return main_; }
    DWORD ProcessId() const { return processId_; }

    HWND TableList() const { return GetDlgItem(main_, 1001); }
    HWND DefinitionView() const { return GetDlgItem(main_, 1002); }
    int Rows(HWND list) const;
    // Waits until the list has at least count rows; false after the timeout.
    bool WaitForRows(HWND list, int count, int timeoutMs = 30000) const;

    // A command handled before the call returns.
    void Command(UINT id, LPARAM lParam = 0) const;
    // Clipboard text put there while holding the mutex, as the automation library does.
    bool PutClipboard(const char* text) const;
    std::string Clipboard() const;

    // Keys typed on the keyboard (the program must be in the foreground).
    void TypeKey(WORD key, bool control = false) const;
    void BringToFront() const;
    // A visible dialog of the program with the title, or null after the timeout.
    HWND WaitForDialog(const char* title, int timeoutMs = 20000) const;
    bool WaitUntilGone(HWND window, int timeoutMs = 20000) const;

    // The definition view's contents with headings, through command 32962.
    std::string LowerView() const;
    // Clicks the table-list rows in turn until the definition view lists the column;
    // the row, or -1.
    int ShowDefinitionWithColumn(const char* columnName) const;

    // Asks the program to close and waits for the process to end.
    bool Close(int timeoutMs = 30000);

private:
    HWND main_ = nullptr;
    DWORD processId_ = 0;
    HANDLE process_ = nullptr;
};
