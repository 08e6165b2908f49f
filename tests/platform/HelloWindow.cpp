// Shows one window with Japanese text in the four faces, then closes after the given
// number of seconds (default 30), so a screenshot can be taken under Xvfb.
#include <windows.h>

#include <cstdlib>

namespace {

const char* const kFaces[] = {"ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ 明朝"};

LRESULT CALLBACK HelloProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        int y = 10;
        for (const char* face : kFaces) {
            HFONT font = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
            HGDIOBJ old = SelectObject(dc, font);
            char line[128];
            wsprintfA(line, "%s: 表ソ①～㈱髙 テーブル一覧", face);
            TextOutA(dc, 10, y, line, lstrlenA(line));
            SelectObject(dc, old);
            DeleteObject(font);
            y += 32;
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    int seconds = commandLine && *commandLine ? std::atoi(commandLine) : 30;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HelloProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "KestrovaHello";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("KestrovaHello", "Kestrova 表示確認", WS_OVERLAPPEDWINDOW, 20, 20,
                                640, 220, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    SetTimer(window, 1, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
