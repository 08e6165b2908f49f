// The Window object on a window of the test program: every move and size is read back
// through the object itself and checked against the platform's own rectangle.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ScriptRun.h"

namespace {

using namespace vornscript;

LRESULT CALLBACK PlainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string Rectangle(long left, long top, long width, long height)
{
    return Str(std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) + "," +
               std::to_string(height));
}

TEST(WindowObjectTest, MovesSizesAndShowsTheWindowItIsGiven)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KestrovaWindowObjectTarget";
    RegisterClassA(&windowClass);
    HWND target = CreateWindowA(windowClass.lpszClassName, "window object", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200,
                                120, 90, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, target);

    Results r = RunScript("Window.vbs", std::to_string(reinterpret_cast<LONG_PTR>(target)));

    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    ExpectAll(r, {
        {"placed", Rectangle(40, 30, 300, 200)},
        {"left", Rectangle(60, 30, 300, 200)},
        {"height", Rectangle(60, 30, 300, 150)},
        {"center", Rectangle(desktop.right / 2 - 150, desktop.bottom / 2 - 75, 300, 150)},
        {"screenFit", Rectangle(0, 0, desktop.right, desktop.bottom - 32)}, {"sized", Rectangle(0, 0, 300, 200)},
        {"Max.false", Long(0)}, {"Max", Long(1)}, {"Max.zero", Long(1)}, {"Max.restored", Long(0)},
        {"restored", Rectangle(0, 0, 300, 200)},
        {"Min", Long(1)}, {"Min.restored", Long(0)},
        {"Active", Str("done")}, {"Close", Str("done")},
        {"unset", Str("0,0")},
    });
    // Posted, not sent: it waits in this thread's queue, and the window is still there.
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, target, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_TRUE(IsWindow(target));
    DestroyWindow(target);
}

}  // namespace
