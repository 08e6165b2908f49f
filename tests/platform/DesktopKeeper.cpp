// Keeps Wine's desktop process alive for a whole test run. Wine starts explorer.exe for the
// desktop with the first window of a session and ends it a second or two after the last
// window has gone; it inherits the output of the program that started it, so CTest waited
// for it after every test program, and every test started a new one. One hidden window
// held from before the first test keeps one desktop process for all of them. Ends when its
// window is closed or its process is stopped.
#include <windows.h>

namespace {

const char kKeeperClass[] = "KestrovaDesktopKeeper";

LRESULT CALLBACK KeeperProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA keeperClass = {};
    keeperClass.lpfnWndProc = KeeperProcedure;
    keeperClass.hInstance = instance;
    keeperClass.lpszClassName = kKeeperClass;
    if (!RegisterClassA(&keeperClass))
        return 1;
    // Never shown: tests that look for windows on the desktop do not see it.
    if (!CreateWindowA(kKeeperClass, kKeeperClass, WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr))
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
