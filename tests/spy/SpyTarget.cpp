// A program for the spy tests to watch: a main window with a button and a peer window, in
// a process of its own. The test steers it with WM_APP messages; it sends and posts
// WM_COMMAND between its own windows. Argument: the main window's title (the peer's title
// is the same with "の相手").
#include <windows.h>

#include <string>

#include "SpyTargetMessages.h"

namespace {

HWND g_main = nullptr;
HWND g_peer = nullptr;

LRESULT CALLBACK PeerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void SendOtherMessages()
{
    NMHDR header = {g_main, 1, 0};
    SendMessageA(g_peer, WM_USER + 7, 1, 2);
    SendMessageA(g_peer, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
    SendMessageA(g_peer, WM_MENUCOMMAND, 0, 0);
    PostMessageA(g_peer, WM_USER + 7, 3, 4);
    PostMessageA(g_peer, WM_MENUCOMMAND, 0, 0);
    PostMessageA(g_peer, WM_NULL, 0, 0);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kSpySendCommand:
        SendMessageA(g_peer, WM_COMMAND, wParam, lParam);
        return 0;
    case kSpyPostCommand:
        PostMessageA(g_peer, WM_COMMAND, wParam, lParam);
        return 0;
    case kSpyOtherMessages:
        SendOtherMessages();
        return 0;
    case kSpyCommandBurst:
        for (WPARAM id = 0; id < wParam; ++id)
            SendMessageA(g_peer, WM_COMMAND, id, reinterpret_cast<LPARAM>(g_main));
        return 0;
    case kSpyPendingPosts:
        return HIWORD(GetQueueStatus(QS_POSTMESSAGE)) ? 1 : 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Not WinMain's command line: the runtime skips every byte above 0x7F after the program
    // name as if it were a blank. The test always quotes the program name.
    std::string title = GetCommandLineA();
    size_t closing = title.find('"', 1);
    title = closing == std::string::npos || closing + 2 > title.size() ? "" : title.substr(closing + 2);
    WNDCLASSA mainClass = {};
    mainClass.lpfnWndProc = MainProc;
    mainClass.hInstance = instance;
    mainClass.lpszClassName = kSpyTargetClass;
    WNDCLASSA peerClass = {};
    peerClass.lpfnWndProc = PeerProc;
    peerClass.hInstance = instance;
    peerClass.lpszClassName = kSpyPeerClass;
    if (!RegisterClassA(&mainClass) || !RegisterClassA(&peerClass))
        return 1;
    g_peer = CreateWindowA(kSpyPeerClass, (title + "の相手").c_str(), WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                           instance, nullptr);
    g_main = CreateWindowA(kSpyTargetClass, title.c_str(), WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr, instance,
                           nullptr);
    CreateWindowA("BUTTON", "押す", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 80, 24, g_main,
                  reinterpret_cast<HMENU>(kSpyButtonId), instance, nullptr);
    if (!g_main || !g_peer)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(g_peer);
    return 0;
}
