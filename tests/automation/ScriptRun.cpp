// Running the test scripts under cscript and reading their result files.
#include "ScriptRun.h"

#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"

namespace vornscript {

extern const char kVornPath[] = VORN_DLL_PATH;
extern const char kScripts[] = VORN_TEST_SCRIPTS;

// While the child runs, tick is called about every 100 ms (and this thread's messages are
// served: the child may send to its windows).
DWORD RunAndWait(std::string command, const std::function<void(DWORD processId)>& tick)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    DWORD code = 0xFFFFFFFF;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return code;
    DWORD started = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_SENDMESSAGE) != WAIT_OBJECT_0 &&
           GetTickCount() - started < 120000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE)) {
        }
        if (tick)
            tick(process.dwProcessId);
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

DWORD RegisterServer(bool unregister)
{
    return RunAndWait(std::string("regsvr32.exe /s ") + (unregister ? "/u " : "") + "\"" + kVornPath + "\"");
}


const std::string kTypeMismatch = "Err:D|described";
const std::string kConversionFailed = "Err:80020005|described";

// Runs the test script after the shared result writer; its exit code must be the one of
// a script that ran to its end (77), since syntax errors end the host silently with 0.
Results RunScript(const char* name, const std::string& argument,
                  const std::function<void(DWORD processId)>& tick)
{
    std::string script = ScratchPath(name);
    std::string output = script + ".out";
    WriteBytes(script, ReadBytes(std::string(kScripts) + "\\Results.vbs") + "\r\n" +
                           ReadBytes(std::string(kScripts) + "\\" + name));
    RemoveFile(output);
    DWORD code = RunAndWait("cscript.exe //nologo //B \"" + script + "\" \"" + output + "\" \"" + argument + "\"", tick);
    EXPECT_EQ(77u, code) << name << " did not run to its end";
    Results results;
    std::string text = ReadBytes(output);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        size_t tab = line.find('\t');
        if (tab != std::string::npos)
            results[line.substr(0, tab)] = line.substr(tab + 1);
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return results;
}

std::string At(const Results& results, const char* key)
{
    auto found = results.find(key);
    return found == results.end() ? "<missing>" : found->second;
}

// A result as the scripts write it: the type, then the text with its control characters
// spelled out.
std::string Spelled(const char* type, const std::string& text)
{
    std::string out = std::string(type) + ":";
    for (char c : text)
        out += c == '\t' ? std::string("<TAB>") : c == '\r' ? std::string("<CR>") : c == '\n' ? std::string("<LF>") : std::string(1, c);
    return out;
}
std::string Str(const std::string& text) { return Spelled("String", text); }
std::string Long(long value) { return "Long:" + std::to_string(value); }
const std::string kTrue = "Boolean:True";
const std::string kFalse = "Boolean:False";


void ExpectAll(const Results& results, std::initializer_list<Expected> expected)
{
    for (const Expected& e : expected)
        EXPECT_EQ(e.value, At(results, e.key)) << e.key;
}

void AnswerDialog(DWORD processId, std::vector<std::string>& captions, const std::function<WPARAM(HWND dialog)>& choose)
{
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner != processId || !IsWindowVisible(box))
            continue;
        char caption[128] = {};
        GetWindowTextA(box, caption, sizeof caption);
        captions.push_back(caption);
        PostMessageA(box, WM_COMMAND, choose(box), 0);
        // The next dialog may come up under the same caption: wait until this one is gone
        // (on a loaded machine that takes longer than a second).
        for (int i = 0; i < 500 && IsWindow(box) && IsWindowVisible(box); ++i)
            Sleep(20);
        return;
    }
}

std::string UnixPathOf(const std::string& path)
{
    typedef char*(CDECL * UnixName)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* name = unixName ? unixName(wide) : nullptr;
    if (!name)
        return "";
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

bool PutClipboard(const std::string& text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    bool ok = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    return ok;
}

std::string ClipboardText()
{
    std::string text = "<none>";
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}


namespace {

// Every test program of this folder needs the server registered in the project's prefix.
class RegisteredServer : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(0u, RegisterServer(false)); }
};

::testing::Environment* const kRegisteredServer = ::testing::AddGlobalTestEnvironment(new RegisteredServer);

}  // namespace

}  // namespace vornscript
