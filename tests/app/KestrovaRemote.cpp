#include "KestrovaRemote.h"

#include <commctrl.h>

#include <cstring>

#include "DialogDriver.h"
#include "common/Clipboard.h"

namespace {

const DWORD kMutexWait = 10000;

}  // namespace

KestrovaRemote::~KestrovaRemote()
{
    if (process_)
        CloseHandle(process_);
}

bool KestrovaRemote::Launch(const std::string& exePath)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + exePath + "\"";
    std::string folder = exePath.substr(0, exePath.find_last_of('\\'));
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    WaitForInputIdle(process_, 30000);
    for (int waited = 0; waited < 30000 && !main_; waited += 100) {
        main_ = FindTopWindow(processId_, "KESTROVA", nullptr);
        if (!main_)
            Sleep(100);
    }
    return main_ != nullptr;
}

bool KestrovaRemote::Attach()
{
    main_ = FindTopWindow(0, "KESTROVA", nullptr);
    if (main_)
        GetWindowThreadProcessId(main_, &processId_);
    return main_ != nullptr;
}

int KestrovaRemote::Rows(HWND list) const { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

bool KestrovaRemote::WaitForRows(HWND list, int count, int timeoutMs) const
{
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (Rows(list) >= count)
            return true;
        Sleep(100);
    }
    return false;
}

void KestrovaRemote::Command(UINT id, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main_, WM_COMMAND, id, lParam, SMTO_NORMAL, 60000, &result);
}

bool KestrovaRemote::PutClipboard(const char* text) const
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, "Kestrova");
    if (mutex && WaitForSingleObject(mutex, kMutexWait) == WAIT_TIMEOUT) {
        CloseHandle(mutex);
        return false;
    }
    bool put = PutClipboardText(nullptr, text);
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    return put;
}

std::string KestrovaRemote::Clipboard() const
{
    VornString text;
    ReadClipboardText(nullptr, text);
    return text.Text();
}

void KestrovaRemote::TypeKey(WORD key, bool control) const
{
    if (control)
        keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    if (control)
        keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    Sleep(300);
}

void KestrovaRemote::BringToFront() const
{
    SetForegroundWindow(main_);
    Sleep(300);
}

HWND KestrovaRemote::WaitForDialog(const char* title, int timeoutMs) const
{
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (HWND dialog = FindTopWindow(processId_, "#32770", title))
            return dialog;
        Sleep(100);
    }
    return nullptr;
}

bool KestrovaRemote::WaitUntilGone(HWND window, int timeoutMs) const
{
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Sleep(100);
    }
    return false;
}

std::string KestrovaRemote::LowerView() const
{
    Command(32962);
    return Clipboard();
}

int KestrovaRemote::ShowDefinitionWithColumn(const char* columnName) const
{
    const std::string wanted = std::string("\t") + columnName + "\t";
    for (int row = 0; row < Rows(TableList()); ++row) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(main_, WM_USER + 8, reinterpret_cast<WPARAM>(TableList()), MAKELONG(row, 1), SMTO_NORMAL,
                            60000, &result);
        if (LowerView().find(wanted) != std::string::npos)
            return row;
    }
    return -1;
}

bool KestrovaRemote::Close(int timeoutMs)
{
    if (!main_)
        return false;
    PostMessageA(main_, WM_CLOSE, 0, 0);
    bool ended = process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
    main_ = nullptr;
    return ended;
}
