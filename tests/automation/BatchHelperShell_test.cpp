// BatchHelper's shell members: folders of the shell namespace, printers, appending to
// Notepad, and opening an item with the shell's default verb.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

std::string NotepadText(HWND notepad)
{
    HWND edit = FindWindowExA(notepad, nullptr, "Edit", nullptr);
    char text[512] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void CloseProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = processId ? OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId) : nullptr;
    if (!process)
        return;
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
}

// The Print Screen key presses the script sends, as "scan:down" or "scan:up".
std::vector<std::string> printScreenKeys;

LRESULT CALLBACK RecordPrintScreen(int code, WPARAM message, LPARAM lParam)
{
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && key->vkCode == VK_SNAPSHOT)
        printScreenKeys.push_back(std::to_string(key->scanCode) + (message == WM_KEYUP || message == WM_SYSKEYUP ? ":up" : ":down"));
    return CallNextHookEx(nullptr, code, message, lParam);
}

TEST(BatchHelperShell, ListsShellFoldersAppendsToNotepadAndOpensItems)
{
    std::string folder = ScratchPath("shell");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string marker = folder + "\\opened.txt";
    DeleteFileA(marker.c_str());
    WriteBytes(folder + "\\opened.vbs",
               "CreateObject(\"Scripting.FileSystemObject\").CreateTextFile(\"" + marker + "\").Write \"ran\"\r\n");
    ASSERT_EQ(nullptr, FindWindowA("Notepad", nullptr)) << "a Notepad of an earlier run is still open";

    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, RecordPrintScreen, GetModuleHandleA(nullptr), 0);
    Results r = RunScript("Shell.vbs", folder);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ((std::vector<std::string>{"1:down", "1:up", "0:down", "0:up"}), printScreenKeys);
    const std::string header = Str("№\t表示用名称\t処理用名称\n");
    // The desktop holds My Computer (parsed by its class id), My Computer the drives.
    EXPECT_EQ(0u, At(r, "ShellFolder.0").find(header)) << At(r, "ShellFolder.0");
    EXPECT_NE(std::string::npos, At(r, "ShellFolder.0").find("<TAB>::{20d04fe0-3aea-1069-a2d8-08002b30309d}<LF>"));
    EXPECT_NE(std::string::npos, At(r, "ShellFolder.1").find("   1<TAB> (C:)<TAB>C:\\<LF>")) << At(r, "ShellFolder.1");
    // Sorted by display name, descending, with CR LF: the drives' rows come last, C: at the end.
    std::string sorted = At(r, "ShellFolder.sorted");
    EXPECT_EQ(0u, sorted.find(Str("№\t表示用名称\t処理用名称\r\n"))) << sorted;
    const std::string lastRow = "   1<TAB> (C:)<TAB>C:\\<CR><LF>";
    EXPECT_EQ(sorted.size() - lastRow.size(), sorted.find(lastRow)) << sorted;
    EXPECT_EQ(header, At(r, "ShellFolder.3"));  // an empty recycle bin
    HWND notepad = FindWindowA("Notepad", nullptr);
    ASSERT_NE(nullptr, notepad);
    RECT rect = {};
    GetWindowRect(notepad, &rect);
    std::string text = NotepadText(notepad);
    CloseProcessOf(notepad);
    EXPECT_EQ("first line\r\nsecond 表", text);
    EXPECT_EQ(10, rect.left);
    EXPECT_EQ(10, rect.top);
    EXPECT_EQ(500, rect.right - rect.left);
    EXPECT_EQ(600, rect.bottom - rect.top);
    for (int i = 0; i < 100 && GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    EXPECT_EQ("ran", ReadBytes(marker));
    ExpectAll(r, {
        {"ShellFolder.9", Str("№\t表示用名称\t処理用名称\nフォルダオブジェクトを取得できませんでした\t\t\n")},
        {"ShellFolder.badsort", kConversionFailed},
        // Wine's printers folder cannot be enumerated, and the prefix has no printer.
        {"ShellFolder.4", Str("№\t表示用名称\t処理用名称\n列挙オブジェクトを取得できませんでした\t\t\n")},
        {"Printer", Str("№\t名称\tポート\tドライバ\n")},
        {"CopyToMemo", Str("done")}, {"OpenShellItem", Str("done")}, {"MinimizeAll", Str("done")},
    });
}

}  // namespace
