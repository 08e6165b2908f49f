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
    std::string outputPath = ScratchPath("tool-output.txt");
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
    if (printed)
        *printed = ReadBytes(outputPath);
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
