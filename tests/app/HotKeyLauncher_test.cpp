#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "app/HotKeyLauncher.h"
#include "app/MainSettings.h"

namespace {

struct Started {
    std::string commandLine;
    bool withFolder;
};
std::vector<Started> g_started;

DWORD RecordStart(const char* commandLine, const char* folder)
{
    g_started.push_back({commandLine, folder != nullptr});
    return 4242;
}

// Watches for a dialog of this process for several seconds (a box takes a few hundred
// milliseconds to show under emulation) and closes the one it finds, also when it blocks
// the test's thread.
struct DialogWatch {
    bool seen = false;
    std::string text;
};

DWORD WINAPI WatchForDialog(void* context)
{
    DialogWatch* watch = static_cast<DialogWatch*>(context);
    if (HWND dialog = WaitForOwnDialog(nullptr, 5000)) {
        watch->seen = true;
        watch->text = DialogStaticText(dialog);
        Press(dialog, IDOK);
    }
    return 0;
}

class HotKeyLauncherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = ScratchPath("hot_key_launcher_test.ini");
        RemoveFile(path_);
        g_started.clear();
        previous_ = SetProgramStarter(RecordStart);
    }
    void TearDown() override
    {
        SetProgramStarter(previous_);
        RemoveFile(path_);
    }

    std::string path_;
    ProgramStarter previous_ = nullptr;
};

}  // namespace

TEST_F(HotKeyLauncherTest, TheStoredCommandLineStartsElseTheDefaultWithoutAWorkingFolder)
{
    ProfileStore store(path_.c_str());
    ASSERT_TRUE(store.Write(settings::kMainOption, "VK_ADD", "notepad.exe 表ソ.txt"));
    EXPECT_TRUE(LaunchHotKey(store, 32926));
    store.Write(settings::kMainOption, "VK_ADD", nullptr);
    EXPECT_TRUE(LaunchHotKey(store, 32926));
    EXPECT_TRUE(LaunchHotKey(store, 32937));
    ASSERT_EQ(3u, g_started.size());
    EXPECT_EQ("notepad.exe 表ソ.txt", g_started[0].commandLine);
    EXPECT_EQ("calc.exe", g_started[1].commandLine);
    EXPECT_EQ("EXPLORER.EXE ::{645FF040-5081-101B-9F08-00AA002F954E}", g_started[2].commandLine);
    for (const Started& start : g_started)
        EXPECT_FALSE(start.withFolder);

    EXPECT_FALSE(LaunchHotKey(store, 32863)) << "not a hot key";
    EXPECT_EQ(3u, g_started.size());
}

TEST_F(HotKeyLauncherTest, AProgramThatDoesNotStartIsNotReported)
{
    SetProgramStarter(nullptr);  // the real starter
    ProfileStore store(path_.c_str());
    store.Write(settings::kMainOption, "VK_NUMPAD0", "存在しない表ソ.exe");
    DialogWatch watch;
    HANDLE thread = CreateThread(nullptr, 0, WatchForDialog, &watch, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    EXPECT_FALSE(LaunchHotKey(store, 32928));
    // A report may come later from a posted message, a timer or another thread: serve this
    // thread's messages for as long as the watch lasts.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 60000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&message);
    CloseHandle(thread);
    EXPECT_FALSE(watch.seen) << "a failed hot key shows no message: " << watch.text;
}
