// A main window in the test's own process, over a scratch program folder and settings file.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "db/ScriptedBackend.h"

class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();

    // The settings file the window will read; write keys before Start.
    void Set(const char* section, const char* key, const char* value);
    std::string Setting(const char* section, const char* key) const;
    void Start();
    // Destroys the window, so that its shutdown writes happen.
    void Close();

    MainWindow& Main() { return *main_; }
    HWND Handle() const { return handle_; }
    const std::string& Folder() const { return folder_; }
    std::string PathInFolder(const char* name) const { return folder_ + "\\" + name; }

    LRESULT Command(UINT id, LPARAM lParam = 0);
    // Posts WM_DROPFILES with one path to the target, as the shell does, and lets it arrive.
    void DropFile(HWND target, const char* path);
    // The database messages the link would have shown in a box.
    std::vector<std::string> linkMessages;

private:
    // A message box nobody answers would block the test for ever: after a long wait the
    // watchdog presses OK and the test fails with the box's text.
    static DWORD WINAPI Watch(void* self);
    HANDLE watchdog_ = nullptr;
    volatile bool stopWatching_ = false;
    std::vector<std::string> unanswered_;

    std::string folder_;
    std::string settingsPath_;
    std::unique_ptr<MainWindow> main_;
    HWND handle_ = nullptr;
};

// The tables rowset of the file and SQL Server kinds, with the given names and types.
ScriptedRowset TablesRowset(const std::vector<std::pair<const char*, const char*>>& tables);
std::shared_ptr<ScriptedBackend> UseScriptedBackend();
bool MenuCommandEnabled(HWND window, UINT command);
