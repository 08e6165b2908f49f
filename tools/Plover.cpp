// Plover: tells every top-level window that policy settings changed, and ends unseen.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A hung program costs at most a second; nobody hears about a failed broadcast.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"),
                        SMTO_NORMAL | SMTO_ABORTIFHUNG, 1000, &answer);
    return 0;
}
