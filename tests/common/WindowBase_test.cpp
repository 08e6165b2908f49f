#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "common/WindowBase.h"

namespace {

class WindowPositionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = ScratchPath("window_position.ini");
        RemoveFile(path_);
    }
    void TearDown() override { RemoveFile(path_); }
    RECT Rect(HWND window)
    {
        RECT rect;
        GetWindowRect(window, &rect);
        return rect;
    }
    std::string path_;
};

}  // namespace

TEST_F(WindowPositionTest, NothingStoredLeavesTheWindowUnchanged)
{
    RecordingWindow window;
    WindowBase base(window.Handle());
    base.MoveAndResize(33, 44, 500, 400);
    ProfileStore store(path_.c_str());
    EXPECT_FALSE(base.RestorePosition("MainWindowSize", store));
    RECT rect = Rect(window.Handle());
    EXPECT_EQ(33, rect.left);
    EXPECT_EQ(500, rect.right - rect.left);
}

TEST_F(WindowPositionTest, StoredValuesAreCorrectedAndDefaulted)
{
    RecordingWindow window;
    WindowBase base(window.Handle());
    ProfileStore store(path_.c_str());
    store.Write("S", "Left", "-30");
    store.Write("S", "Width", "100");
    store.Write("S", "Height", "300");
    ASSERT_TRUE(base.RestorePosition("S", store));
    RECT rect = Rect(window.Handle());
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(250, rect.right - rect.left);
    EXPECT_EQ(300, rect.bottom - rect.top);

    store.Write("S", "Width", nullptr);
    store.Write("S", "Left", "5");
    ASSERT_TRUE(base.RestorePosition("S", store));
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    rect = Rect(window.Handle());
    EXPECT_EQ(desktop.right, rect.right - rect.left) << "missing Width means the desktop width";
}

TEST_F(WindowPositionTest, SaveWritesTheOuterRectangleUnlessMinimisedOrMaximised)
{
    RecordingWindow window;
    WindowBase base(window.Handle());
    ProfileStore store(path_.c_str());
    base.MoveAndResize(20, 30, 400, 300);
    ASSERT_TRUE(base.SavePosition("W", store));
    VornString value;
    store.Read("W", "Left", value);
    EXPECT_STREQ("20", value.Text());
    store.Read("W", "Height", value);
    EXPECT_STREQ("300", value.Text());

    store.DeleteSection("W");
    // The display's answer to the move must arrive first: arriving after the maximise, it
    // reads as the window being restored to that rectangle (seen on a loaded machine).
    RecordingWindow::Pump(200);
    base.Maximize();
    RecordingWindow::Pump();
    EXPECT_FALSE(base.SavePosition("W", store));
    EXPECT_FALSE(store.Read("W", "Left", value));
    base.Restore();
    base.Minimize();
    RecordingWindow::Pump();
    EXPECT_FALSE(base.SavePosition("W", store));
    EXPECT_FALSE(store.Read("W", "Left", value));
}

TEST(WindowBase, TextStylesAndDialogItems)
{
    RecordingWindow window;
    WindowBase base(window.Handle());
    std::string longTitle(7000, 'a');
    longTitle += "表ソ";
    base.SetText(longTitle.c_str());
    EXPECT_EQ(longTitle, base.Text().Text()) << "text reads grow past 6400 bytes";

    base.ChangeStyle(WS_HSCROLL, WS_MAXIMIZEBOX);
    LONG style = GetWindowLongA(window.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);

    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, window.Handle(),
                                reinterpret_cast<HMENU>(1001), GetModuleHandleA(nullptr), nullptr);
    base.SetItemTextFormat(1001, "%s-%d", "値", 5);
    EXPECT_STREQ("値-5", base.ItemText(1001).Text());
    base.DisableItem(1001);
    EXPECT_FALSE(base.IsItemEnabled(1001));
    base.SetPasswordChar(1001, '*');
    EXPECT_EQ('*', SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0));

    base.SetBackground(10, 20, 30);
    LOGBRUSH brush;
    GetObjectA(base.Background(), sizeof brush, &brush);
    EXPECT_EQ(RGB(10, 20, 30), brush.lbColor);
}
