// The two tools run as the main program's batch file runs them: separate processes, the
// clipboard and a posted WM_COMMAND as their only output.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/Clipboard.h"

namespace {

const std::string kSeparator = "\n----------------------------------------\n";

std::string WindowsPath(const char* hostPath)
{
    std::string path = std::string("Z:") + hostPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Exit code of the program, or -1 when it could not start or did not end in time; what it
// wrote to standard output and error goes to printed when given.
long RunTool(const char* hostExe, const std::string& arguments, std::string* printed = nullptr)
{
    std::string exe = WindowsPath(hostExe);
    std::string commandLine = "\"" + exe + "\" " + arguments;
    // A file of its own per run: under Wine the ended tool's inherited handle may still keep
    // the previous file open for a moment, and creating that file again then fails.
    static int runs = 0;
    std::string outputPath = ScratchPath(("tool-output-" + std::to_string(++runs) + ".txt").c_str());
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    long code = -1;
    if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
            DWORD exitCode = 0;
            GetExitCodeProcess(process.hProcess, &exitCode);
            code = static_cast<long>(exitCode);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(output);
    if (output == INVALID_HANDLE_VALUE)
        return -1;
    if (printed)
        *printed = ReadBytes(outputPath);
    DeleteFileA(outputPath.c_str());
    return code;
}

std::string Encoded(const std::string& path)
{
    std::string out;
    for (char c : path)
        out += c == ' ' ? std::string("\\\\\\") : std::string(1, c);
    return out;
}

std::string ClipboardText()
{
    VornString text;
    if (!ReadClipboardText(nullptr, text))
        return "<none>";
    return text.Text();
}

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateReceiver()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ReceiverProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VornPostReceiver";
    RegisterClassA(&windowClass);
    return CreateWindowA("VornPostReceiver", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance,
                         nullptr);
}

}  // namespace

TEST(VornResultProcessTest, LeavesTheExactTextOnTheClipboard)
{
    std::string folder = ScratchPath("実行 結果");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string output = folder + "\\Result.txt";
    std::string script = folder + "\\Action.vbs";
    WriteBytes(output, "表示ソフト\r\n2 行目\r\n");
    WriteBytes(script, "Dim 表\r\n\tWscript.Echo 1\r\n$quit\r\n");
    ASSERT_TRUE(PutClipboardText(nullptr, "before"));
    std::string printed;
    ASSERT_EQ(0, RunTool(VORN_RESULT_PATH, Encoded(output) + " " + Encoded(script), &printed));
    EXPECT_EQ("", printed);
    EXPECT_EQ("表示ソフト\n2 行目\n" + kSeparator + "0001 Dim 表\n0002     Wscript.Echo 1\n0003 $quit\n",
              ClipboardText());
}

TEST(VornResultProcessTest, WithoutArgumentsTheClipboardHoldsTheSeparatorOnly)
{
    ASSERT_TRUE(PutClipboardText(nullptr, "before"));
    ASSERT_EQ(0, RunTool(VORN_RESULT_PATH, ""));
    EXPECT_EQ(kSeparator, ClipboardText());
}

TEST(VornPostProcessTest, NullMessageToNoWindowExitsNormally)
{
    // A top-level window of this process would receive what went to every window.
    HWND window = CreateReceiver();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(0, RunTool(VORN_POST_PATH, "0 0 0 0"));
    EXPECT_EQ(0, RunTool(VORN_POST_PATH, "x"));
    EXPECT_EQ(0, RunTool(VORN_POST_PATH, "x 273 32953 0"));
    EXPECT_EQ(0, RunTool(VORN_POST_PATH, "0 273 32953 0"));
    EXPECT_EQ(0, RunTool(VORN_POST_PATH, "表 273 32953 0"));
    // VornPost has ended, so whatever it posted is queued already; a command posted here
    // last shows that the queue is read to its end.
    PostMessageA(window, WM_COMMAND, 1, 0);
    std::vector<UINT> received;
    std::vector<WPARAM> commands;
    for (MSG message; PeekMessageA(&message, window, 0, 0, PM_REMOVE);) {
        received.push_back(message.message);
        if (message.message == WM_COMMAND)
            commands.push_back(message.wParam);
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
    EXPECT_EQ(std::vector<WPARAM>{1}, commands);
    for (UINT message : received)
        EXPECT_NE(WM_NULL, message);
}

TEST(VornPostProcessTest, PostedCommandReachesAWindowOfThisProcess)
{
    HWND window = CreateReceiver();
    ASSERT_NE(nullptr, window);
    char arguments[64];
    wsprintfA(arguments, "%lu 273 %lu 0", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), 32953ul);
    ASSERT_EQ(0, RunTool(VORN_POST_PATH, arguments));
    // All 32 bits of a parameter arrive, and "-1" is all bits set.
    wsprintfA(arguments, "%lu 273 4294967295 -1", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    ASSERT_EQ(0, RunTool(VORN_POST_PATH, arguments));

    MSG message;
    int commands = 0;
    WPARAM wParams[2] = {0, 0};
    LPARAM lParams[2] = {1, 1};
    DWORD deadline = GetTickCount() + 10000;
    while (commands < 2 && GetTickCount() < deadline) {
        if (!PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
            Sleep(10);
            continue;
        }
        if (message.message == WM_COMMAND) {
            wParams[commands] = message.wParam;
            lParams[commands] = message.lParam;
            ++commands;
        }
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
    ASSERT_EQ(2, commands);
    EXPECT_EQ(32953u, wParams[0]);
    EXPECT_EQ(0, lParams[0]);
    EXPECT_EQ(0xFFFFFFFFu, wParams[1]);
    EXPECT_EQ(-1, lParams[1]);
}

namespace {

const char kTestKey[] = "Software\\KestrovaTest\\regdump 表ソ";
const std::string kTestPath = std::string("HKEY_CURRENT_USER\\") + kTestKey;

class RegdumpProcessTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KestrovaTest");
    }

    static HKEY CreateKey(const char* name)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\" + name).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }

    static void Set(HKEY key, const std::string& name, DWORD type, const void* data, size_t size)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data),
                                                static_cast<DWORD>(size)));
    }

    static void SetText(HKEY key, const std::string& name, const std::string& text)
    {
        Set(key, name, REG_SZ, text.c_str(), text.size() + 1);
    }

    static std::string Dump(const std::string& arguments)
    {
        std::string printed;
        EXPECT_EQ(0, RunTool(REGDUMP_PATH, arguments, &printed));
        return printed;
    }
};

}  // namespace

// The names are created in the order of their names, so that the platform's enumeration
// order (creation or name) gives the same lines.
TEST_F(RegdumpProcessTest, ListsStringBinaryAndDwordValuesOfTheKeyByteForByte)
{
    HKEY key = CreateKey("値");
    ASSERT_NE(nullptr, key);
    SetText(key, "", "既定");
    SetText(key, "a 表示", "ソフト:表");
    const unsigned char binary[] = {0x00, 0x5C, 0xFF};
    Set(key, "b bin", REG_BINARY, binary, sizeof binary);
    DWORD allBits = 0xFFFFFFFF, five = 5;
    Set(key, "c dword", REG_DWORD, &allBits, 4);
    Set(key, "d dword", REG_DWORD, &five, 4);
    Set(key, "e expand", REG_EXPAND_SZ, "%TEMP%", 7);
    Set(key, "f multi", REG_MULTI_SZ, "a\0b\0", 5);
    unsigned long long quad = 7;
    Set(key, "g qword", REG_QWORD, &quad, 8);
    Set(key, "h empty", REG_BINARY, binary, 0);
    RegCloseKey(key);
    RegCloseKey(CreateKey("空"));

    const std::string values = "=既定\r\na 表示=ソフト:表\r\nb bin=00 5c ff \r\nc dword=0xffffffff (-1)\r\n"
                               "d dword=0x00000005 (5)\r\nh empty=\r\n\r\n";
    // The blank in the key's name splits it into two arguments; they are joined again.
    EXPECT_EQ(values, Dump(kTestPath + "\\値"));
    EXPECT_EQ(values, Dump("\"" + kTestPath + "\\値\""));
    EXPECT_EQ("\r\n", Dump(kTestPath + "\\空"));

    const std::string openError = "レジストリをOPENできませんでした\r\n";
    EXPECT_EQ(openError, Dump("hkey_current_user\\Software\\KestrovaTest\\regdump 表ソ\\値"));
    EXPECT_EQ(openError, Dump(kTestPath + "\\無い"));
    EXPECT_EQ(openError, Dump("Software\\KestrovaTest"));
    EXPECT_EQ(openError, Dump(""));
}

TEST_F(RegdumpProcessTest, ReadingStopsWithTheReadErrorAtTheBufferLimits)
{
    HKEY longData = CreateKey("長いデータ");
    ASSERT_NE(nullptr, longData);
    SetText(longData, "a", "x");
    // 255 bytes and the NUL fill the 256-byte buffer; one more does not fit.
    SetText(longData, "b", std::string(255, 'y'));
    SetText(longData, "c", std::string(256, 'z'));
    SetText(longData, "d", "never");
    RegCloseKey(longData);
    HKEY longName = CreateKey("長い名前");
    ASSERT_NE(nullptr, longName);
    SetText(longName, "a", "x");
    SetText(longName, "b" + std::string(299, 'n'), "y");
    RegCloseKey(longName);
    EXPECT_EQ("読み込みエラー\r\na=x\r\nb=" + std::string(255, 'y') + "\r\n\r\n", Dump(kTestPath + "\\長いデータ"));
    EXPECT_EQ("読み込みエラー\r\na=x\r\n\r\n", Dump(kTestPath + "\\長い名前"));

    // 700 lines of 100 bytes would need 70000 bytes: the output ends before 64000.
    HKEY many = CreateKey("多い");
    ASSERT_NE(nullptr, many);
    std::string lines;
    bool full = false;
    for (int i = 0; i < 700; ++i) {
        char name[8];
        wsprintfA(name, "v%03d", i);
        std::string text(93, static_cast<char>('a' + i % 26));
        SetText(many, name, text);
        std::string line = std::string(name) + "=" + text + "\r\n";
        if (!full && lines.size() + line.size() < 64000)
            lines += line;
        else
            full = true;
    }
    RegCloseKey(many);
    std::string printed = Dump(kTestPath + "\\多い");
    EXPECT_EQ(639u * 100 + 16 + 2, printed.size());
    EXPECT_EQ("読み込みエラー\r\n" + lines + "\r\n", printed);
}

namespace {

std::vector<std::string> g_settingChanges;

LRESULT CALLBACK SettingListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE)
        g_settingChanges.push_back(std::to_string(wParam) + ":" +
                                   (lParam ? reinterpret_cast<const char*>(lParam) : "<null>"));
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(PloverProcessTest, ItsPolicyBroadcastReachesATopLevelWindow)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SettingListenerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PloverListener";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("PloverListener", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    g_settingChanges.clear();

    std::string exe = WindowsPath(PLOVER_PATH);
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    CloseHandle(process.hThread);
    // The broadcast is a sent message: this thread must keep answering until Plover ends.
    bool ended = false;
    for (DWORD deadline = GetTickCount() + 30000; !ended && GetTickCount() < deadline;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT);
        ended = woken == WAIT_OBJECT_0;
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&message);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    DestroyWindow(window);
    EXPECT_TRUE(ended);
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(std::vector<std::string>{"0:Policy"}, g_settingChanges);
}
