#include "DialogDriver.h"

#include <cstring>

namespace {

struct WindowSearch {
    DWORD processId;  // 0: any process
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (search->processId && process != search->processId)
        return TRUE;
    char className[64] = "";
    char title[256] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(className, search->className) != 0 || !IsWindowVisible(window))
        return TRUE;
    if (search->title && std::strcmp(title, search->title) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK MatchDefaultButton(HWND window, LPARAM lParam)
{
    if ((GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        *reinterpret_cast<int*>(lParam) = GetDlgCtrlID(window);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindTopWindow(DWORD processId, const char* className, const char* title)
{
    WindowSearch search = {processId, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindOwnDialog(const char* title) { return FindTopWindow(GetCurrentProcessId(), "#32770", title); }

HWND WaitForOwnDialog(const char* title, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (HWND found = FindOwnDialog(title))
            return found;
        Sleep(50);
    }
    return nullptr;
}

DialogDriver::DialogDriver(const char* title, std::function<void(HWND)> action)
    : title_(title ? title : ""), anyTitle_(!title), action_(std::move(action))
{
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DialogDriver::~DialogDriver()
{
    WaitForSingleObject(thread_, 30000);
    CloseHandle(thread_);
}

bool DialogDriver::Finish()
{
    WaitForSingleObject(thread_, 30000);
    return found_;
}

DWORD WINAPI DialogDriver::Run(void* self)
{
    DialogDriver* driver = static_cast<DialogDriver*>(self);
    HWND dialog = WaitForOwnDialog(driver->anyTitle_ ? nullptr : driver->title_.c_str());
    if (!dialog)
        return 0;
    driver->found_ = true;
    Sleep(200);  // let the dialog finish its first layout
    driver->action_(dialog);
    return 0;
}

void Press(HWND dialog, int button) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

int DefaultButton(HWND dialog)
{
    int id = 0;
    EnumChildWindows(dialog, MatchDefaultButton, reinterpret_cast<LPARAM>(&id));
    return id;
}

namespace {

BOOL CALLBACK CollectStaticText(HWND window, LPARAM lParam)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (_stricmp(className, "Static") == 0) {
        char text[1024] = "";
        GetWindowTextA(window, text, sizeof text);
        std::string* all = reinterpret_cast<std::string*>(lParam);
        if (text[0]) {
            if (!all->empty())
                all->append("\n");
            all->append(text);
        }
    }
    return TRUE;
}

}  // namespace

std::string DialogStaticText(HWND dialog)
{
    std::string text;
    EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

MessageBoxAnswer::MessageBoxAnswer(int button)
    : driver_("確認", [this, button](HWND box) {
          text_ = DialogStaticText(box);
          Press(box, button);
      })
{
}

std::string MessageBoxAnswer::Text()
{
    driver_.Finish();
    return text_;
}
