// Hearken: the spy window. While it runs, the hook library logs every WM_COMMAND of the
// desktop's programs; the window only says where the log goes.
#include <windows.h>

#include "HearkenIds.h"
#include "HookLog.h"
#include "VornHook.h"
#include "common/ProgramLauncher.h"
#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "common/WindowBase.h"

namespace {

const char kClassName[] = "Hearken";
const char kWindowSize[] = "MainWindowSize";

class SpyWindow : public WindowBase {
public:
    static bool RegisterWindowClass(HINSTANCE instance);
    HWND Create(HINSTANCE instance, int showCommand);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnPaint();
    void OnDestroy();
    void LoadHookLibrary();
    void Fail(const char* text);

    VornString text_;
    HMODULE library_ = nullptr;
    VornHookEndProc end_ = nullptr;
    ProfileStore settings_;
};

bool SpyWindow::RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_HEARKEN));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_HEARKEN);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

HWND SpyWindow::Create(HINSTANCE instance, int showCommand)
{
    HWND window = CreateWindowExA(0, kClassName, kClassName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                  nullptr, nullptr, instance, this);
    if (!window)
        return nullptr;
    RestorePosition(kWindowSize, settings_);
    Show(showCommand);
    UpdateWindow(window);
    return window;
}

LRESULT CALLBACK SpyWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SpyWindow* self = static_cast<SpyWindow*>(create->lpCreateParams);
        self->Attach(window);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    SpyWindow* self = reinterpret_cast<SpyWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT SpyWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_HEARKEN_EXIT) {
            Destroy();
            return 0;
        }
        break;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void SpyWindow::OnCreate()
{
    char temporary[MAX_PATH + 1] = "";
    GetTempPathA(sizeof temporary, temporary);
    char path[MAX_PATH + 32] = "";
    HookLogPath(temporary, path, sizeof path);
    text_ = "WM_COMMAND メッセージを監視しています\n";
    text_.Append("ログファイルは ");
    text_.Append(path);
    text_.Append(" です");
    LoadHookLibrary();
}

void SpyWindow::LoadHookLibrary()
{
    // The library lies beside the program, whatever folder the spy was started from.
    char previous[MAX_PATH + 1] = "";
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(ProgramFolder().Text());
    library_ = LoadLibraryA("VornHook.dll");
    SetCurrentDirectoryA(previous);
    if (!library_) {
        Fail("dll のロードに失敗しました");
        return;
    }
    VornHookInitializeProc initialize =
        reinterpret_cast<VornHookInitializeProc>(reinterpret_cast<void*>(GetProcAddress(library_, "Initialize")));
    if (!initialize) {
        FreeLibrary(library_);
        library_ = nullptr;
        Fail("Initialize のロードに失敗しました");
        return;
    }
    end_ = reinterpret_cast<VornHookEndProc>(reinterpret_cast<void*>(GetProcAddress(library_, "End")));
    if (!end_) {
        FreeLibrary(library_);
        library_ = nullptr;
        Fail("End のロードに失敗しました");
        return;
    }
    initialize();
}

void SpyWindow::Fail(const char* text)
{
    MessageBoxA(window_, text, "", MB_OK);
}

void SpyWindow::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT client;
    GetClientRect(window_, &client);
    // DrawText centres only single lines vertically: measure the block, then place it.
    RECT block = client;
    DrawTextA(dc, text_.Text(), -1, &block, DT_CENTER | DT_NOPREFIX | DT_CALCRECT);
    int height = block.bottom - block.top;
    RECT target = client;
    target.top = client.top + (client.bottom - client.top - height) / 2;
    target.bottom = target.top + height;
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text_.Text(), -1, &target, DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(window_, &paint);
}

void SpyWindow::OnDestroy()
{
    SavePosition(kWindowSize, settings_);
    if (library_) {
        end_();
        FreeLibrary(library_);
        library_ = nullptr;
    }
    PostQuitMessage(0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    if (!SpyWindow::RegisterWindowClass(instance))
        return 1;
    SpyWindow spy;
    HWND window = spy.Create(instance, showCommand);
    if (!window)
        return 1;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_HEARKEN));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
