// The hook library and the spy window at work on another process: SpyTarget sends and posts
// WM_COMMAND between its windows while this program (or Hearken) has the hooks installed,
// and the lines of VornHook.log are read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SpyTargetMessages.h"
#include "TestSupport.h"
#include "spy/VornHook.h"

namespace {

std::string WindowsPath(const std::string& hostPath)
{
    std::string path = "Z:" + hostPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

struct LogLine {
    std::string time;
    std::string kind;
    unsigned long window;
    unsigned id;
    unsigned code;
    unsigned long lParam;
    std::string className;
    std::string title;
};

// Splits off the seven fields (the time holds two colons itself) and takes the rest as class
// and title; the test classes hold no colon, the titles may.
bool ParseLine(const std::string& text, LogLine& line)
{
    if (text.size() < 13 || text[12] != ':')
        return false;
    line.time = text.substr(0, 12);
    std::vector<std::string> fields;
    size_t start = 13;
    for (int i = 0; i < 7; ++i) {
        size_t colon = text.find(':', start);
        if (colon == std::string::npos)
            return false;
        fields.push_back(text.substr(start, colon - start));
        start = colon + 1;
    }
    if (fields[1] != "WM_COMMAND")
        return false;
    line.kind = fields[0];
    line.window = std::strtoul(fields[2].c_str(), nullptr, 10);
    line.id = static_cast<unsigned>(std::strtoul(fields[3].c_str(), nullptr, 10));
    line.code = static_cast<unsigned>(std::strtoul(fields[4].c_str(), nullptr, 10));
    line.lParam = std::strtoul(fields[5].c_str(), nullptr, 10);
    line.className = fields[6];
    line.title = text.substr(start);
    return true;
}

bool IsTimeField(const std::string& time)
{
    const char pattern[] = "00:00:00 000";
    for (size_t i = 0; i < 12; ++i) {
        bool digit = time[i] >= '0' && time[i] <= '9';
        if ((pattern[i] == '0') != digit || (!digit && time[i] != pattern[i]))
            return false;
    }
    return true;
}

unsigned long Handle(HWND window)
{
    return static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window));
}

class SpyTarget {
public:
    explicit SpyTarget(const std::string& title) : title_(title)
    {
        std::string exe = WindowsPath(SPY_TARGET_PATH);
        std::string commandLine = "\"" + exe + "\" " + title;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_))
            return;
        CloseHandle(process_.hThread);
        for (DWORD deadline = GetTickCount() + 30000; GetTickCount() < deadline && !(main && peer); Sleep(50)) {
            main = FindWindowA(kSpyTargetClass, title.c_str());
            peer = FindWindowA(kSpyPeerClass, PeerTitle().c_str());
        }
        if (main)
            button = FindWindowExA(main, nullptr, "BUTTON", nullptr);
    }
    SpyTarget(const SpyTarget&) = delete;
    SpyTarget& operator=(const SpyTarget&) = delete;
    ~SpyTarget()
    {
        if (!process_.hProcess)
            return;
        if (main)
            PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 15000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
    }
    bool IsReady() const { return main && peer && button; }
    const std::string& Title() const { return title_; }
    std::string PeerTitle() const { return title_ + "の相手"; }

    HWND main = nullptr;
    HWND peer = nullptr;
    HWND button = nullptr;

private:
    std::string title_;
    PROCESS_INFORMATION process_ = {};
};

class SpyProcessTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Every process started from here, and this one, writes its lines into the scratch
        // folder instead of the prefix's temporary folder.
        temporary_ = new std::string(ScratchPath("一時 表ソ"));
        CreateDirectoryA(temporary_->c_str(), nullptr);
        SetEnvironmentVariableA("TMP", temporary_->c_str());
        SetEnvironmentVariableA("TEMP", temporary_->c_str());
        RemoveFile(LogPath());
        library_ = LoadLibraryA((WindowsPath(KESTROVA_PROGRAM_DIR) + "\\VornHook.dll").c_str());
        if (library_) {
            initialize_ = reinterpret_cast<VornHookInitializeProc>(
                reinterpret_cast<void*>(GetProcAddress(library_, "Initialize")));
            end_ = reinterpret_cast<VornHookEndProc>(reinterpret_cast<void*>(GetProcAddress(library_, "End")));
        }
        target_ = new SpyTarget("監視:表ソ");
    }

    static void TearDownTestSuite()
    {
        if (end_)
            end_();
        delete target_;
        if (library_)
            FreeLibrary(library_);
        delete temporary_;
    }

    void SetUp() override
    {
        ASSERT_TRUE(initialize_ && end_) << "VornHook.dll or its exports are missing";
        ASSERT_TRUE(target_->IsReady()) << target_->main << " " << target_->peer << " " << target_->button;
    }

    static std::string LogPath() { return *temporary_ + "\\VornHook.log"; }

    // The log's lines; false when a line is not one the hook writes or lacks its CR LF.
    static bool ReadLog(std::vector<LogLine>& lines, std::string* problem = nullptr)
    {
        lines.clear();
        std::string bytes = ReadBytes(LogPath());
        if (bytes == "<missing>")
            return true;
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find('\n', start);
            LogLine line;
            std::string text = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (end == std::string::npos || text.empty() || text.back() != '\r' ||
                !ParseLine(text.substr(0, text.size() - 1), line) || !IsTimeField(line.time)) {
                if (problem)
                    *problem = text;
                return false;
            }
            lines.push_back(line);
            start = end + 1;
        }
        return true;
    }

    // Waits until the log holds count lines; returns them (more when more came).
    static std::vector<LogLine> WaitForLines(size_t count, DWORD timeout = 30000)
    {
        std::vector<LogLine> lines;
        for (DWORD deadline = GetTickCount() + timeout; GetTickCount() < deadline; Sleep(30))
            if (ReadLog(lines) && lines.size() >= count)
                break;
        return lines;
    }

    static size_t LineCount()
    {
        std::vector<LogLine> lines;
        EXPECT_TRUE(ReadLog(lines));
        return lines.size();
    }

    // A posted command marks a point in the log: every line before it has been written once
    // its own line is there. Posting first also makes the hooks reach the target at all.
    static LogLine Mark(HWND peer, unsigned id)
    {
        size_t before = LineCount();
        PostMessageA(peer, WM_COMMAND, id, 0);
        std::vector<LogLine> lines = WaitForLines(before + 1);
        return lines.size() > before ? lines.back() : LogLine{};
    }

    static std::string* temporary_;
    static HMODULE library_;
    static VornHookInitializeProc initialize_;
    static VornHookEndProc end_;
    static SpyTarget* target_;
};

std::string* SpyProcessTest::temporary_ = nullptr;
HMODULE SpyProcessTest::library_ = nullptr;
VornHookInitializeProc SpyProcessTest::initialize_ = nullptr;
VornHookEndProc SpyProcessTest::end_ = nullptr;
SpyTarget* SpyProcessTest::target_ = nullptr;

struct Expected {
    const char* kind;
    HWND window;
    unsigned id;
    unsigned code;
    unsigned long lParam;
    const char* className;
    std::string title;
};

// The ids of the log's lines from first on, for a failure message.
std::string IdsFrom(const std::vector<LogLine>& lines, size_t first)
{
    std::string ids;
    for (size_t i = first; i < lines.size(); ++i)
        ids += std::to_string(lines[i].id) + " " + lines[i].className + "; ";
    return ids;
}

void ExpectLine(const Expected& expected, const LogLine& line)
{
    EXPECT_EQ(expected.kind, line.kind);
    EXPECT_EQ(Handle(expected.window), line.window);
    EXPECT_EQ(expected.id, line.id);
    EXPECT_EQ(expected.code, line.code);
    EXPECT_EQ(expected.lParam, line.lParam);
    EXPECT_EQ(expected.className, line.className);
    EXPECT_EQ(expected.title, line.title);
}

}  // namespace

TEST_F(SpyProcessTest, CommandsSentAndPostedInAnotherProcessAreLoggedOnceWithTheirFields)
{
    SpyTarget& t = *target_;
    ASSERT_NE(nullptr, initialize_());
    // A second call installs nothing more: each command below still gives one line.
    ASSERT_NE(nullptr, initialize_());
    size_t start = LineCount();
    Mark(t.peer, 1);

    SendMessageA(t.main, kSpySendCommand, MAKEWPARAM(2001, 5), reinterpret_cast<LPARAM>(t.main));
    WaitForLines(start + 2);
    SendMessageA(t.main, kSpyPostCommand, MAKEWPARAM(2002, 0), reinterpret_cast<LPARAM>(t.main));
    WaitForLines(start + 3);
    SendMessageA(t.button, BM_CLICK, 0, 0);
    WaitForLines(start + 4);
    SendMessageA(t.peer, WM_COMMAND, 2003, 0);
    WaitForLines(start + 5);
    PostMessageA(t.peer, WM_COMMAND, MAKEWPARAM(2004, 3), 99);
    WaitForLines(start + 6);
    SendMessageA(t.main, kSpyOtherMessages, 0, 0);
    Mark(t.peer, 2999);
    EXPECT_TRUE(end_());

    std::string problem;
    std::vector<LogLine> lines;
    ASSERT_TRUE(ReadLog(lines, &problem)) << problem;
    const unsigned long main = Handle(t.main);
    const std::vector<Expected> expected = {
        {"POST", t.peer, 1, 0, 0, kSpyPeerClass, t.PeerTitle()},
        {"SEND", t.peer, 2001, 5, main, kSpyPeerClass, t.PeerTitle()},
        {"POST", t.peer, 2002, 0, main, kSpyPeerClass, t.PeerTitle()},
        {"SEND", t.main, kSpyButtonId, BN_CLICKED, Handle(t.button), kSpyTargetClass, t.Title()},
        {"SEND", t.peer, 2003, 0, 0, kSpyPeerClass, t.PeerTitle()},
        {"POST", t.peer, 2004, 3, 99, kSpyPeerClass, t.PeerTitle()},
        {"POST", t.peer, 2999, 0, 0, kSpyPeerClass, t.PeerTitle()},
    };
    ASSERT_EQ(start + expected.size(), lines.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectLine(expected[i], lines[start + i]);
    }
}

TEST_F(SpyProcessTest, NothingIsLoggedAfterEndNorAfterTheSpyWindowEndsWithCommand105)
{
    SpyTarget& t = *target_;
    auto commandsInTarget = [&t](unsigned first) {
        SendMessageA(t.main, kSpySendCommand, first, 0);
        SendMessageA(t.main, kSpyPostCommand, first + 1, 0);
        PostMessageA(t.peer, WM_COMMAND, first + 2, 0);
        SendMessageA(t.peer, WM_COMMAND, first + 3, 0);
        SendMessageA(t.button, BM_CLICK, 0, 0);
        // Sent messages are taken before posted ones: wait until the posted command is gone
        // too, or a hook set next would log it.
        for (DWORD deadline = GetTickCount() + 10000;
             GetTickCount() < deadline && SendMessageA(t.main, kSpyPendingPosts, 0, 0); Sleep(20)) {
        }
    };
    ASSERT_NE(nullptr, initialize_());
    ASSERT_EQ(2000u, Mark(t.peer, 2000).id);
    EXPECT_TRUE(end_());
    EXPECT_FALSE(end_());
    // This process still holds the mutex: only the missing hooks keep the target silent.
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kVornHookMutex);
    EXPECT_NE(nullptr, mutex);
    if (mutex)
        CloseHandle(mutex);
    commandsInTarget(3001);

    // Hearken from a folder of its own, started with another current folder.
    std::string programs = ScratchPath("プログラム 表");
    std::string elsewhere = ScratchPath("elsewhere");
    CreateDirectoryA(programs.c_str(), nullptr);
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    std::string source = WindowsPath(KESTROVA_PROGRAM_DIR);
    ASSERT_TRUE(CopyFileA((source + "\\Hearken.exe").c_str(), (programs + "\\Hearken.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((source + "\\VornHook.dll").c_str(), (programs + "\\VornHook.dll").c_str(), FALSE));
    DeleteFileA((programs + "\\Hearken.ini").c_str());
    std::string exe = programs + "\\Hearken.exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION spy = {};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, elsewhere.c_str(),
                               &startup, &spy));
    CloseHandle(spy.hThread);
    HWND spyWindow = nullptr;
    for (DWORD deadline = GetTickCount() + 30000; GetTickCount() < deadline && !spyWindow; Sleep(50))
        spyWindow = FindWindowA("Hearken", "Hearken");
    EXPECT_NE(nullptr, spyWindow);

    size_t start = LineCount();
    EXPECT_EQ(3100u, Mark(t.peer, 3100).id);
    if (spyWindow)
        PostMessageA(spyWindow, WM_COMMAND, 105, 0);
    if (WaitForSingleObject(spy.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(spy.hProcess, 1);
    DWORD exitCode = 1;
    GetExitCodeProcess(spy.hProcess, &exitCode);
    CloseHandle(spy.hProcess);
    EXPECT_EQ(0u, exitCode);
    EXPECT_NE(std::string::npos, ReadBytes(programs + "\\Hearken.ini").find("[MainWindowSize]"));

    commandsInTarget(3201);
    ASSERT_NE(nullptr, initialize_());
    EXPECT_EQ(3300u, Mark(t.peer, 3300).id);
    EXPECT_TRUE(end_());

    std::vector<LogLine> lines;
    ASSERT_TRUE(ReadLog(lines));
    ASSERT_EQ(start + 3, lines.size()) << IdsFrom(lines, start);
    EXPECT_EQ(3100u, lines[start].id);
    // The spy's own exit command is the last line it logs.
    ExpectLine({"POST", spyWindow, 105, 0, 0, "Hearken", "Hearken"}, lines[start + 1]);
    EXPECT_EQ(3300u, lines[start + 2].id);
}

TEST_F(SpyProcessTest, ConcurrentWritersNeverInterleaveLines)
{
    // Long titles make long lines; three processes write at once.
    std::string longTitle;
    while (longTitle.size() < 440)
        longTitle += "長い:題名ソ表 ";
    SpyTarget second(longTitle + "B");
    SpyTarget third(longTitle + "C");
    ASSERT_TRUE(second.IsReady() && third.IsReady());
    SpyTarget* targets[] = {target_, &second, &third};
    ASSERT_NE(nullptr, initialize_());
    for (SpyTarget* target : targets)
        Mark(target->peer, 1);
    size_t start = LineCount();
    const unsigned burst = 300;
    for (SpyTarget* target : targets)
        PostMessageA(target->main, kSpyCommandBurst, burst, 0);
    std::vector<LogLine> lines = WaitForLines(start + 3 * burst, 180000);
    for (SpyTarget* target : targets)
        Mark(target->peer, 9999);
    EXPECT_TRUE(end_());

    std::string problem;
    ASSERT_TRUE(ReadLog(lines, &problem)) << problem;
    ASSERT_EQ(start + 3 * burst + 3, lines.size());
    for (SpyTarget* target : targets) {
        SCOPED_TRACE(target->Title());
        std::vector<unsigned> ids;
        for (size_t i = start; i < lines.size(); ++i) {
            if (lines[i].window != Handle(target->peer))
                continue;
            EXPECT_EQ(target->PeerTitle(), lines[i].title);
            if (lines[i].id != 9999) {
                EXPECT_EQ(Handle(target->main), lines[i].lParam);
            }
            ids.push_back(lines[i].id);
        }
        ASSERT_EQ(burst + 1, ids.size());
        for (unsigned i = 0; i < burst; ++i)
            EXPECT_EQ(i, ids[i]);
    }
}
