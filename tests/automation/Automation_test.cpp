// The automation library as scripts see it: Vorn.dll registered with regsvr32 in the
// project's prefix, then VBScript files run by the platform's script host create its objects
// by ProgID and write every member's result to a file that is checked here.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <vector>
#include <string>

#include "app/KestrovaRemote.h"
#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

const char* const kClasses[] = {"BatchHelper", "Window", "Wnet", "OuterDll", "Ftp", "Database", "Prt", "Fsystem"};

std::string RegistryValue(const std::string& path, const char* name = nullptr)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char value[MAX_PATH] = {};
    DWORD size = sizeof value - 1, type = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(value) : "<no value>";
}

class AutomationTest : public ::testing::Test {};

TEST_F(AutomationTest, RegistrationWritesEveryClassAndUnregistrationRemovesIt)
{
    char modulePath[MAX_PATH] = {};
    GetFullPathNameA(kVornPath, MAX_PATH, modulePath, nullptr);
    std::string libraryId = RegistryValue("CLSID\\" + RegistryValue("Vorn.BatchHelper\\CLSID") + "\\TypeLib");
    EXPECT_EQ(38u, libraryId.size());
    for (const char* name : kClasses) {
        std::string progId = std::string("Vorn.") + name, description = std::string(name) + " Class";
        std::string classId = RegistryValue(progId + "\\CLSID");
        SCOPED_TRACE(progId);
        EXPECT_EQ(description, RegistryValue(progId));
        EXPECT_EQ(progId + ".1", RegistryValue(progId + "\\CurVer"));
        EXPECT_EQ(description, RegistryValue(progId + ".1"));
        EXPECT_EQ(classId, RegistryValue(progId + ".1\\CLSID"));
        std::string classKey = "CLSID\\" + classId;
        EXPECT_EQ(description, RegistryValue(classKey));
        EXPECT_EQ(progId + ".1", RegistryValue(classKey + "\\ProgID"));
        EXPECT_EQ(progId, RegistryValue(classKey + "\\VersionIndependentProgID"));
        EXPECT_EQ("<no value>", RegistryValue(classKey + "\\Programmable"));  // an empty key
        EXPECT_EQ(0, lstrcmpiA(modulePath, RegistryValue(classKey + "\\InprocServer32").c_str()));
        EXPECT_EQ("Both", RegistryValue(classKey + "\\InprocServer32", "ThreadingModel"));
        EXPECT_EQ(libraryId, RegistryValue(classKey + "\\TypeLib"));
    }
    EXPECT_EQ("VORNtypeLib", RegistryValue("TypeLib\\" + libraryId + "\\1.0"));

    std::string classKey = "CLSID\\" + RegistryValue("Vorn.Prt\\CLSID");
    ASSERT_EQ(0u, RegisterServer(true));
    EXPECT_EQ("<no key>", RegistryValue("Vorn.Prt"));
    EXPECT_EQ("<no key>", RegistryValue("Vorn.BatchHelper.1"));
    EXPECT_EQ("<no key>", RegistryValue(classKey));
    EXPECT_EQ("<no key>", RegistryValue("TypeLib\\" + libraryId));
    HKEY classes = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID", 0, KEY_READ, &classes));
    RegCloseKey(classes);
    ASSERT_EQ(0u, RegisterServer(false));
}

TEST_F(AutomationTest, EveryClassIsCreatedByBothProgIds)
{
    Results results = RunScript("Classes.vbs", "");
    for (const char* name : kClasses) {
        std::string typeName = std::string("String:I") + name;
        EXPECT_EQ(typeName, At(results, name)) << name;
        EXPECT_EQ(typeName, At(results, (std::string(name) + ".1").c_str())) << name;
    }
    EXPECT_EQ("Err:1AD|described", At(results, "Vorn.Nothing"));
}

TEST_F(AutomationTest, TextMembersKeepDoubleByteCharactersWhole)
{
    Results r = RunScript("TextMembers.vbs", "");
    ExpectAll(r, {
        {"NumberFormat.7", Str("1,234,567")}, {"NumberFormat.3", Str("123")}, {"NumberFormat.neg", Str("-1,234.5")},
        {"AddBackslash.plain", Str("C:\\a\\")}, {"AddBackslash.quoted", Str("C:\\a b\\")},
        {"AddBackslash.trail", Str("C:\\表\\")}, {"RemoveBackslash", Str("C:\\a")},
        {"RemoveBackslash.trail", Str("C:\\ソ")}, {"GetPath", Str("C:\\a")}, {"GetPath.trail", Str("C:\\表")},
        {"RemovePath", Str("表.txt")}, {"RemovePath.trail", Str("dソx")}, {"GetExt", Str(".TXT")},
        {"GetExt.none", Str("")}, {"RemoveExt", Str("C:\\a\\c.tar")},
        {"Enclose.one", Str("'abc'")}, {"Enclose.two", Str("[abc]")}, {"Enclose.already", Str("[abc]")},
        {"RemoveEnclose", Str("abc")}, {"RemoveEnclose.half", Str("[abc")}, {"RemoveEnclose.one", Str("a")},
        {"RemoveLeft", Str("cdef")}, {"RemoveLeft.bytes", Str("b")}, {"RemoveLeft.more", Str("")},
        {"RemoveLeft.text2", Str("c")}, {"RemoveRight", Str("abcd")}, {"RemoveRight.more", Str("")},
        {"Repeat", Str("ababab")}, {"Repeat.zero", Str("")},
        {"Ahextoi.hex", Long(31)}, {"Ahextoi.noprefix", Long(1)}, {"Ahextoi.dec", Long(-42)}, {"Ahextoi.none", Long(0)},
        {"Case.sensitive", kFalse}, {"Case.flagFalse", kTrue}, {"Case.emptyItems", kFalse}, {"Case.item", kTrue},
        {"Case.dbcs", kTrue},
        {"DateDiff.1", Long(1)}, {"DateDiff.swapped", Long(-1)}, {"DateDiff.invalid", Long(-1)},
        {"DateDiff.leap", Long(2)}, {"DateDiff.year", Long(366)},
        {"Fzero", Str("00042")}, {"Fzero.long", Str("123456")},
        {"IsDate.ok", kTrue}, {"IsDate.month", kFalse}, {"IsDate.two", kFalse}, {"IsDate.day0", kFalse},
        {"IsNum.empty", kTrue}, {"IsNum.digits", kTrue}, {"IsNum.dot", kFalse}, {"IsNum.dbcs", kFalse},
        {"IsNumeric.neg", kTrue}, {"IsNumeric.trailminus", kFalse}, {"IsNumeric.twodots", kFalse},
        {"IsNumeric.empty", kTrue}, {"IsNumeric.dbcs", kFalse},
        {"IsDBCS.yes", kTrue}, {"IsDBCS.mixed", kFalse}, {"IsNotDBCS.yes", kTrue}, {"IsNotDBCS.no", kFalse},
        {"IsGroup.yes", kTrue}, {"IsGroup.trail", kFalse}, {"IsGroup.no", kFalse},
        {"ByteLen", Long(3)}, {"IsError.yes", Long(-1)}, {"IsError.no", Long(0)},
        {"RemoveLeft.badtype", kTypeMismatch}, {"Repeat.badtype", kTypeMismatch},
        {"Enclose.badtype", kConversionFailed},
    });
}

TEST_F(AutomationTest, ListMembersParseSortAndPickRows)
{
    std::string folder = ScratchPath("files");
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
    CreateDirectoryA((folder + "\\表").c_str(), nullptr);
    for (const char* name : {"a.txt", "b.txt", "c.dat"})
        WriteBytes(folder + "\\" + name, "x");
    Results r = RunScript("Lists.vbs", folder);
    const std::string table = "<TABLE border=\"0\" cellspacing=\"1\" cellpadding=\"5\" bgcolor=\"black\">\n";
    const std::string th = "<TH bgcolor=\"silver\" nowrap>", td = "<TD bgcolor=\"white\" nowrap>";
    ExpectAll(r, {
        {"Sort.col0", Str("a\t10\nb\t2\nC\t1\nh1\th2\n")}, {"Sort.desc", Str("h1\th2\nC\t1\nb\t2\na\t10\n")},
        {"Sort.start1", Str("a\t10\nb\t2\nC\t1\n")}, {"Sort.col1crlf", Str("C\t1\r\na\t10\r\nb\t2\r\n")},
        {"Sort.delim", Str("y\t1\tz\nx\t2\t\n")}, {"Sort.lastEmpty", Str("a\nb\n")},
        {"Sort.badbool", kConversionFailed}, {"Sort.badcol", kTypeMismatch},
        {"GetListText.cell", Str("10")}, {"GetListText.row", Str("b\t2")}, {"GetListText.negcol", Str("b\t2")},
        {"GetListText.bigcol", Str("ERROR:指定カラム番号が大きすぎます")},
        {"GetListText.bigrow", Str("ERROR:指定行が範囲外です")}, {"GetListText.negrow", Str("ERROR:指定行が範囲外です")},
        {"GetListText.ragged", Str("a\t\t")},
        {"DeleteListRow", Str("b\t2\na\t10\nC\t1\n")}, {"DeleteListRow.crlf", Str("h1\th2\r\nb\t2\r\na\t10\r\n")},
        {"DeleteListRow.out", Str("ERROR:指定行が範囲外です")},
        {"HtmlConvert.head", Str(table + "<TR>" + th + "a</TH>" + th + "b</TH></TR>\n<TR>" + td + "1</TD>" + td +
                                 "<2></TD></TR>\n</TABLE>\n")},
        {"HtmlConvert.body", Str("<T>\n<R><D>x</TD></TR>\n</TABLE>\n")},
        {"HtmlConvert.given", Str("<T>\n<R><H>a</TH></TR>\n<R><D>b</TD></TR>\n</TABLE>\n")},
        {"FileList.none", Str("")},
    });
    // The platform lists a folder in no fixed order.
    auto entries = [&](const char* key) {
        std::string text = At(r, key);
        std::multiset<std::string> set;
        if (text.compare(0, 7, "String:") != 0)
            return std::multiset<std::string>{text};
        text.erase(0, 7);
        for (size_t start = 0; start <= text.size();) {
            size_t tab = text.find("<TAB>", start);
            set.insert(text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            start = tab == std::string::npos ? text.size() + 1 : tab + 5;
        }
        return set;
    };
    auto quoted = [&](const char* name) { return "\"" + folder + "\\" + name + "\""; };
    EXPECT_EQ((std::multiset<std::string>{quoted("a.txt"), quoted("b.txt"), quoted("c.dat"), quoted("sub"), quoted("表")}),
              entries("FileList.all"));
    EXPECT_EQ((std::multiset<std::string>{quoted("sub"), quoted("表")}), entries("FileList.folders"));
    EXPECT_EQ((std::multiset<std::string>{quoted("a.txt"), quoted("b.txt")}), entries("FileList.files"));
}

LRESULT CALLBACK TargetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string PlatformText(BOOL (*get)(char*, DWORD))
{
    char buffer[MAX_PATH + 1] = {};
    get(buffer, sizeof buffer);
    return Str(buffer);
}

TEST_F(AutomationTest, SystemMembersReportThePlatformAndReachOtherProcesses)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TargetProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KestrovaVornTarget";
    RegisterClassA(&windowClass);
    HWND target = CreateWindowA("KestrovaVornTarget", "target window", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, target);
    HWND one = CreateWindowA("BUTTON", "one", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, target, nullptr, nullptr, nullptr);
    HWND two = CreateWindowA("STATIC", "two", WS_CHILD | WS_VISIBLE, 0, 30, 60, 30, target, nullptr, nullptr, nullptr);
    HANDLE held = CreateMutexA(nullptr, TRUE, "KestrovaTestHeld");
    ASSERT_TRUE(PutClipboard("clip表\r\nline"));

    Results r = RunScript("SystemMembers.vbs", std::to_string(reinterpret_cast<LONG_PTR>(target)));

    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    long handle = static_cast<long>(reinterpret_cast<LONG_PTR>(target));
    ExpectAll(r, {
        {"Clipboard.get", Str("clip表\r\nline")}, {"Clipboard.put", Str("done")},
        {"PlatformId", Str("NT")}, {"MajorVersion", Long(static_cast<long>(version.dwMajorVersion))},
        {"MinorVersion", Long(static_cast<long>(version.dwMinorVersion))},
        {"ComputerName", PlatformText([](char* b, DWORD n) { return GetComputerNameA(b, &n); })},
        {"UserName", PlatformText([](char* b, DWORD n) { return GetUserNameA(b, &n); })},
        {"WindowsDirectory", PlatformText([](char* b, DWORD n) { return static_cast<BOOL>(GetWindowsDirectoryA(b, n)); })},
        {"SystemDirectory", PlatformText([](char* b, DWORD n) { return static_cast<BOOL>(GetSystemDirectoryA(b, n)); })},
        {"TempPath", PlatformText([](char* b, DWORD n) { return static_cast<BOOL>(GetTempPathA(n, b)); })},
        {"DesktopWidth", Long(desktop.right)}, {"DesktopHeight", Long(desktop.bottom)},
        {"Alt", Long(0)}, {"Ctrl", Long(0)}, {"Shift", Long(0)},
        {"FindTopWindow.class", Long(handle)}, {"FindTopWindow.title", Long(handle)},
        {"FindTopWindow.otherTitle", Long(0)}, {"FindTopWindow.none", Long(0)},
        {"CheckMutex.held", Long(-1)}, {"CheckMutex.none", Long(0)},
        {"LockGet.timeout", Str("TIMEOUT")}, {"LockGet.free", Str("OK")}, {"CheckMutex.free", Long(-1)},
        {"LockGet.again", Str("OK")}, {"ActionTime.put", Str("done")}, {"Sleep", Str("done")}, {"LockGet.badtimeout", kConversionFailed},
    });
    // The target is hidden, so its children are not visible either.
    const std::string childHeader = "№\tウインドウハンドル\tクラス\tタイトル\tVisible\tEnable\tWidth\tHeight\tClientWidth\tClientHeight";
    const std::string rowOne = "   1\t" + std::to_string(reinterpret_cast<UINT_PTR>(one)) + "\tButton\tone\tfalse\ttrue\t50\t20\t50\t20";
    const std::string rowTwo = "   2\t" + std::to_string(reinterpret_cast<UINT_PTR>(two)) + "\tStatic\ttwo\tfalse\ttrue\t60\t30\t60\t30";
    EXPECT_EQ(Str(childHeader + "\n" + rowOne + "\n" + rowTwo + "\n"), At(r, "ChildWindow"));
    EXPECT_EQ(Str(childHeader + "\r\n" + rowTwo + "\r\n" + rowOne + "\r\n"), At(r, "ChildWindow.sorted"));
    EXPECT_EQ(kConversionFailed, At(r, "TopWindow.badsort"));
    {
        // Every top-level window once, sorted by handle as numbers; the target among them.
        std::string text = At(r, "TopWindow");
        ASSERT_EQ(0u, text.find("String:№<TAB>ウインドウハンドル<TAB>プロセスID<TAB>クラス<TAB>タイトル<TAB>Visible"));
        std::string targetRow = "<TAB>" + std::to_string(handle) + "<TAB>" + std::to_string(GetCurrentProcessId()) +
                                "<TAB>KestrovaVornTarget<TAB>target window<TAB>false<TAB>true<TAB><TAB><TAB>";
        EXPECT_NE(std::string::npos, text.find(targetRow)) << text.substr(0, 300);
        unsigned long previous = 0;
        int rows = 0;
        for (size_t line = text.find("<LF>"); line != std::string::npos && line + 4 < text.size(); line = text.find("<LF>", line + 4)) {
            size_t handleStart = text.find("<TAB>", line) + 5;
            unsigned long value = std::strtoul(text.c_str() + handleStart, nullptr, 10);
            EXPECT_LT(previous, value);
            previous = value;
            ++rows;
        }
        EXPECT_GT(rows, 1);
    }
    EXPECT_EQ(Long(0), At(r, "Run.missing"));
    for (const char* key : {"Run.notepad", "Run.anyClass"}) {
        // The Notepad windows the script started: found by the process's class, closed here.
        HWND notepad = reinterpret_cast<HWND>(static_cast<LONG_PTR>(std::atol(At(r, key).c_str() + 5)));
        char className[64] = {};
        GetClassNameA(notepad, className, sizeof className);
        EXPECT_STREQ("Notepad", className) << key << " " << At(r, key);
        DWORD processId = 0;
        GetWindowThreadProcessId(notepad, &processId);
        if (HANDLE process = processId ? OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId) : nullptr) {
            PostMessageA(notepad, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0)
                TerminateProcess(process, 1);
            CloseHandle(process);
        }
    }
    for (const char* key : {"DesktopDirectory", "MydocDirectory"}) {
        std::string folder = At(r, key);
        EXPECT_TRUE(folder.size() > 10 && folder.compare(0, 9, "String:C:") == 0) << key << " " << folder;
    }
    long elapsed = std::atol(At(r, "ActionTime").c_str() + 5);
    EXPECT_TRUE(elapsed >= 280 && elapsed < 5000) << At(r, "ActionTime");
    long ahead = std::atol(At(r, "ActionTime.ahead").c_str() + 5);
    EXPECT_TRUE(ahead <= -4000 && ahead > -5001) << At(r, "ActionTime.ahead");
    EXPECT_EQ("put表\r\n2", ClipboardText());

    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, target, 0x405, 0x405, PM_REMOVE));
    EXPECT_EQ(7u, message.wParam);
    EXPECT_EQ(9, message.lParam);
    ASSERT_TRUE(PeekMessageA(&message, target, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(0x8AB9u, message.wParam);
    EXPECT_EQ(0, message.lParam);

    ReleaseMutex(held);
    CloseHandle(held);
    DestroyWindow(target);
}

// Registry last-write times vary: every "yyyy-mm-dd hh:mm:ss" becomes "<time>".
std::string WithoutTimes(std::string text)
{
    const char shape[] = "dddd-dd-dd dd:dd:dd";
    for (size_t i = 0; i + sizeof shape - 1 <= text.size(); ++i) {
        bool match = true;
        for (size_t k = 0; k < sizeof shape - 1 && match; ++k)
            match = shape[k] == 'd' ? (text[i + k] >= '0' && text[i + k] <= '9') : text[i + k] == shape[k];
        if (match)
            text.replace(i, sizeof shape - 1, "<time>");
    }
    return text;
}

TEST_F(AutomationTest, RegistryListsShowKeysAndEveryValueType)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\KestrovaVornTest", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    for (const char* sub : {"b", "表", "a"}) {
        HKEY child = nullptr;
        char className[] = "cls";
        RegCreateKeyExA(key, sub, 0, sub[0] == 'a' ? className : nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr);
        RegCloseKey(child);
    }
    const BYTE binary[] = {0x01, 0xAB};
    DWORD number = 255;
    unsigned long long wide = 7;
    RegSetValueExA(key, "s", 0, REG_SZ, reinterpret_cast<const BYTE*>("表x"), 4);
    RegSetValueExA(key, "e", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("%TEMP%"), 7);
    RegSetValueExA(key, "bin", 0, REG_BINARY, binary, sizeof binary);
    RegSetValueExA(key, "d", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegSetValueExA(key, "q", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide), sizeof wide);
    RegCloseKey(key);

    Results r = RunScript("Registry.vbs", "");
    const std::string keyHeader = "№\tキー名\tクラス名\t最終書込時間";
    const std::string valueHeader = "№\t名称\t型\t値";
    EXPECT_EQ(Str(keyHeader + "\n  1\ta\tcls\t<time>\n  2\tb\t\t<time>\n  3\t表\t\t<time>\n"), WithoutTimes(At(r, "RegKey")));
    EXPECT_EQ(Str(keyHeader + "\r\n  3\t表\t\t<time>\r\n  2\tb\t\t<time>\r\n  1\ta\tcls\t<time>\r\n"),
              WithoutTimes(At(r, "RegKey.desc")));
    ExpectAll(r, {
        {"RegKey.hklm", Str(keyHeader + "\nレジストリのパスに誤りがあります\tHKLM\\Software\t\t\n")},
        {"RegKey.missing", Str(keyHeader + "\nレジストリをオープンできません\tHKEY_CURRENT_USER\\Software\\KestrovaVornNoSuchKey\t\t\n")},
        // Wine enumerates values by name, not in the order they were written.
        {"RegValue", Str(valueHeader + "\n  1\tbin\tREG_BINARY\t01 ab \n  2\td\tREG_DWORD\t0x000000FF (255)\n"
                                       "  3\te\tREG_EXPAND_SZ\t%TEMP%\n  4\tq\tREG_?\t未実装\n  5\ts\tREG_SZ\t表x\n")},
        {"RegValue.root", Str(valueHeader + "\nレジストリのパスに誤りがあります\tHKEY_NOWHERE\\x\t\t\n")},
        {"RegValue.badcolumn", kConversionFailed},
    });
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KestrovaVornTest");
}

TEST_F(AutomationTest, MessageBoxesShowTheTextWithBlanksAndReportTheButton)
{
    std::vector<std::string> texts;
    const int answers[] = {IDOK, IDOK, IDCANCEL};
    Results r = RunScript("Messages.vbs", "", [&](DWORD processId) {
        HWND box = FindWindowA("#32770", "確認");
        DWORD owner = 0;
        if (!box || (GetWindowThreadProcessId(box, &owner), owner != processId) || texts.size() >= 3)
            return;
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        int answer = answers[texts.size()];
        texts.push_back(text);
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        // The next box may come up under the same caption: wait until this one is gone.
        for (int i = 0; i < 500 && IsWindow(box); ++i)
            Sleep(20);
    });
    EXPECT_EQ((std::vector<std::string>{"note表      ", "first      ", "second      "}), texts);
    ExpectAll(r, {{"MsgOk", Str("closed")}, {"MsgOkCancel.ok", kTrue}, {"MsgOkCancel.cancel", kFalse}});
}

TEST_F(AutomationTest, RequestsReachARunningKestrovaThroughItsMutex)
{
    std::string folder = ScratchPath("installed");
    CreateDirectoryA(folder.c_str(), nullptr);
    char source[MAX_PATH] = {};
    GetFullPathNameA(KESTROVA_EXE_PATH, MAX_PATH, source, nullptr);
    std::string exe = folder + "\\Kestrova.exe";
    ASSERT_TRUE(CopyFileA(source, exe.c_str(), FALSE));
    DeleteFileA((folder + "\\Kestrova.ini").c_str());
    KestrovaRemote kestrova;
    ASSERT_TRUE(kestrova.Launch(exe));

    Results r = RunScript("MainProgram.vbs", std::to_string(reinterpret_cast<LONG_PTR>(kestrova.Main())));
    std::string lowerView = kestrova.LowerView();
    int rows = kestrova.Rows(kestrova.DefinitionView());
    kestrova.Close();

    ExpectAll(r, {
        {"GetEnumList.list", Str("A\tB\r\n1\tx表\r\n3\t4\r\n")},
        {"Kestrova.count", Long(2)}, {"Kestrova.countAdded", Long(3)},
        {"Kestrova.column", Long(0)}, {"Kestrova.columnQuick", kTrue}, {"Kestrova.other", "Empty:"},
        {"GetEnumList.column", Str("A\tB\tC\r\n1\tx表\t\r\n3\t4\t\r\n5\t6\t\r\n")},
        {"Kestrova.countBig", Long(10000)},
    });
    EXPECT_EQ(10000, rows);
    EXPECT_EQ(Str(lowerView), At(r, "GetEnumList.big"));
    EXPECT_EQ(0u, lowerView.find("1\t2\r\n1\tv1\r\n2\tv2\r\n")) << lowerView.substr(0, 40);
}

}  // namespace
