#include "WindowTestSupport.h"

#include <commctrl.h>

#include <string>

#include "TestSupport.h"

namespace {

const char kClassName[] = "KestrovaRecordingWindow";

void RegisterOnce()
{
    static bool registered = false;
    if (registered)
        return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&windowClass);
    registered = true;
}

}  // namespace

RecordingWindow::RecordingWindow(const char* title, bool visible)
{
    RegisterOnce();
    window_ = CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW, 10, 10, 640, 480, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure));
    if (visible) {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
    }
    Pump();
    log_.clear();
}

RecordingWindow::~RecordingWindow()
{
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    Pump(0);
}

LRESULT CALLBACK RecordingWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordingWindow* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
        self->log_.push_back({window, message, wParam, lParam});
        // Like the program's windows, the owner lets the grid look at the notification
        // but answers it as the default procedure does.
        if (message == WM_NOTIFY && self->notifyHandler)
            self->notifyHandler(window, lParam, self->notifyContext);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RecordingWindow::Pump(int quietMilliseconds)
{
    DWORD quietSince = GetTickCount();
    for (;;) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            quietSince = GetTickCount();
            continue;
        }
        if (GetTickCount() - quietSince >= static_cast<DWORD>(quietMilliseconds))
            return;
        Sleep(1);
    }
}

std::vector<RecordedMessage> RecordingWindow::Messages(UINT message) const
{
    std::vector<RecordedMessage> found;
    for (const RecordedMessage& entry : log_)
        if (entry.message == message)
            found.push_back(entry);
    return found;
}

void SaveScreenshot(HWND window, const char* pathVariable)
{
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA(pathVariable, path, sizeof path))
        return;
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RecordingWindow::Pump(300);
    RECT frame;
    GetWindowRect(window, &frame);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    SelectObject(memory, old);
    DWORD size = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + size), 0, 0,
                             static_cast<DWORD>(sizeof file + sizeof info.bmiHeader)};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), size);
    WriteBytes(path, bytes);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
