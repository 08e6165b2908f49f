#include "BatchHelper.h"

#include <shlobj.h>

#include <cstring>

#include "Clipboard.h"
#include "NotepadWindow.h"
#include "ScriptText.h"

namespace vorn {

namespace {

const char kRowOutOfRange[] = "ERROR:指定行が範囲外です";
const char kColumnTooLarge[] = "ERROR:指定カラム番号が大きすぎます";
const char kDefaultTable[] = "<TABLE border=\"0\" cellspacing=\"1\" cellpadding=\"5\" bgcolor=\"black\">";
const char kDefaultTh[] = "<TH bgcolor=\"silver\" nowrap>";
const char kDefaultTr[] = "<TR>";
const char kDefaultTd[] = "<TD bgcolor=\"white\" nowrap>";

// The list members' delimiter: the first character given, tab otherwise.
HRESULT Delimiter(const VARIANT& argument, char& delimiter)
{
    VornString text;
    VORN_CHECK(OptionalText(argument, text));
    delimiter = text.IsEmpty() ? '\t' : text.Text()[0];
    return S_OK;
}

typedef void (*PathRule)(VornString& text);

HRESULT PathResult(BSTR path, PathRule rule, BSTR* out)
{
    VornString text = TextOf(path);
    rule(text);
    return ReturnText(text, out);
}

typedef bool (*TextTest)(const char* text);

HRESULT TestResult(BSTR target, TextTest test, VARIANT* out) { return ReturnBool(test(TextOf(target).Text()), out); }

bool AcceptedDosDate(unsigned short dosDate)
{
    FILETIME time;
    return DosDateTimeToFileTime(dosDate, 0, &time) != FALSE;
}

// Windows handles travel through scripts as 32-bit integers.
HWND WindowOf(LONG handle) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle)); }
LONG HandleOf(HWND window) { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(window)); }

typedef BOOL(WINAPI* TextGetter)(char* buffer, DWORD size);

HRESULT PlatformText(TextGetter getter, BSTR* out)
{
    char buffer[MAX_PATH + 1] = {};
    DWORD size = sizeof buffer;
    if (!getter(buffer, size))
        buffer[0] = '\0';
    return ReturnText(buffer, out);
}

BOOL WINAPI ComputerNameOf(char* buffer, DWORD size) { return GetComputerNameA(buffer, &size); }
BOOL WINAPI UserNameOf(char* buffer, DWORD size) { return GetUserNameA(buffer, &size); }
BOOL WINAPI WindowsFolderOf(char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size) != 0; }
BOOL WINAPI SystemFolderOf(char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size) != 0; }
BOOL WINAPI TempFolderOf(char* buffer, DWORD size) { return GetTempPathA(size, buffer) != 0; }
BOOL WINAPI DesktopFolderOf(char* buffer, DWORD) { return SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_DESKTOPDIRECTORY, FALSE); }
BOOL WINAPI DocumentsFolderOf(char* buffer, DWORD) { return SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_PERSONAL, FALSE); }

long DesktopEdge(bool right)
{
    RECT rect = {};
    GetWindowRect(GetDesktopWindow(), &rect);
    return right ? rect.right : rect.bottom;
}

long KeyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) ? 1 : 0; }

}  // namespace

BatchHelperObject::~BatchHelperObject()
{
    if (lock_)
        CloseHandle(lock_);
}

STDMETHODIMP BatchHelperObject::get_Clipboard(BSTR* pVal)
{
    VornString text;
    ReadClipboardText(nullptr, text);
    return ReturnText(text, pVal);
}

STDMETHODIMP BatchHelperObject::put_Clipboard(BSTR newVal)
{
    PutClipboardText(nullptr, TextOf(newVal).Text());
    return S_OK;
}

STDMETHODIMP BatchHelperObject::PostCommand(LONG hWnd, LONG MessageId)
{
    PostMessageA(WindowOf(hWnd), WM_COMMAND, static_cast<WPARAM>(MessageId & 0xFFFF), 0);
    return S_OK;
}

STDMETHODIMP BatchHelperObject::PostMsg(LONG hWnd, LONG Msg, LONG wParam, LONG lParam)
{
    PostMessageA(WindowOf(hWnd), static_cast<UINT>(Msg), static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    return S_OK;
}

STDMETHODIMP BatchHelperObject::get_DesktopWidth(LONG* pVal) { return ReturnLong(DesktopEdge(true), pVal); }
STDMETHODIMP BatchHelperObject::get_DesktopHeight(LONG* pVal) { return ReturnLong(DesktopEdge(false), pVal); }

STDMETHODIMP BatchHelperObject::get_PlatformId(BSTR* pVal)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    const char* id = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? "9X"
                     : version.dwPlatformId == VER_PLATFORM_WIN32_NT    ? "NT"
                                                                        : "";
    return ReturnText(id, pVal);
}

STDMETHODIMP BatchHelperObject::get_MajorVersion(LONG* pVal)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return ReturnLong(static_cast<long>(version.dwMajorVersion), pVal);
}

STDMETHODIMP BatchHelperObject::get_MinorVersion(LONG* pVal)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return ReturnLong(static_cast<long>(version.dwMinorVersion), pVal);
}

STDMETHODIMP BatchHelperObject::put_Sleep(LONG newVal)
{
    ::Sleep(static_cast<DWORD>(newVal));
    return S_OK;
}

STDMETHODIMP BatchHelperObject::get_ComputerName(BSTR* pVal) { return PlatformText(ComputerNameOf, pVal); }
STDMETHODIMP BatchHelperObject::get_UserName(BSTR* pVal) { return PlatformText(UserNameOf, pVal); }
STDMETHODIMP BatchHelperObject::get_WindowsDirectory(BSTR* pVal) { return PlatformText(WindowsFolderOf, pVal); }
STDMETHODIMP BatchHelperObject::get_SystemDirectory(BSTR* pVal) { return PlatformText(SystemFolderOf, pVal); }
STDMETHODIMP BatchHelperObject::get_TempPath(BSTR* pVal) { return PlatformText(TempFolderOf, pVal); }
STDMETHODIMP BatchHelperObject::get_DesktopDirectory(BSTR* pVal) { return PlatformText(DesktopFolderOf, pVal); }
STDMETHODIMP BatchHelperObject::get_MydocDirectory(BSTR* pVal) { return PlatformText(DocumentsFolderOf, pVal); }

STDMETHODIMP BatchHelperObject::FindTopWindow(BSTR ClassName, VARIANT WindowTitle, LONG* pVal)
{
    VornString title;
    bool given = false;
    VORN_CHECK(OptionalText(WindowTitle, title, &given));
    VornString className = TextOf(ClassName);
    return ReturnLong(HandleOf(FindWindowA(className.Text(), given ? title.Text() : nullptr)), pVal);
}

namespace {

struct ProcessWindowSearch {
    DWORD processId;
    const char* className;  // empty: any class
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lParam)
{
    ProcessWindowSearch& search = *reinterpret_cast<ProcessWindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !IsWindowVisible(window))
        return TRUE;
    char className[256] = {};
    GetClassNameA(window, className, sizeof className);
    if (search.className[0] && std::strcmp(className, search.className) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

// Starts the command line with a normal window, waits until it is idle for input and a
// little more, and finds the first visible top-level window of the new process with the
// class (any when empty). Null when it did not start or showed no such window.
HWND StartAndFindWindow(const char* commandLine, const char* className, DWORD* processId = nullptr)
{
    VornString command = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.Buffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    WaitForInputIdle(process.hProcess, INFINITE);
    // The first window may come up a little after the program turns idle.
    ::Sleep(500);
    ProcessWindowSearch search = {process.dwProcessId, className, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (processId)
        *processId = search.found ? search.processId : 0;
    return search.found;
}

// Notepad's own paste command.
const WPARAM kNotepadPaste = 770;
const UINT kNotepadWait = 5000;

}  // namespace

STDMETHODIMP BatchHelperObject::Run(BSTR Command, BSTR Class, LONG* pVal)
{
    return ReturnLong(HandleOf(StartAndFindWindow(TextOf(Command), TextOf(Class))), pVal);
}

HWND BatchHelperObject::NotepadWindow()
{
    if (notepad_) {
        DWORD processId = 0;
        if (IsWindow(notepad_) && GetWindowThreadProcessId(notepad_, &processId) && processId == notepadProcess_)
            return notepad_;
    } else if (HWND first = FindWindowA("Notepad", nullptr)) {
        notepad_ = first;
        GetWindowThreadProcessId(first, &notepadProcess_);
        return first;
    }
    notepad_ = StartAndFindWindow("notepad.exe", "", &notepadProcess_);
    return notepad_;
}

STDMETHODIMP BatchHelperObject::CopyToMemo(BSTR Message)
{
    HWND notepad = NotepadWindow();
    if (!notepad)
        return S_OK;
    HWND edit = NotepadEdit(notepad);
    BringNotepadForward(notepad);
    PutClipboardText(nullptr, TextOf(Message).Text());
    // Sent, not posted: the next call replaces the clipboard, and a paste still waiting in
    // Notepad's queue would then paste the later text twice.
    DWORD_PTR ignored = 0;
    if (edit) {
        SendMessageTimeoutA(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, kNotepadWait, &ignored);
        SendMessageTimeoutA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0, SMTO_ABORTIFHUNG, kNotepadWait, &ignored);
    }
    DWORD_PTR before = 0, after = 0;
    if (edit)
        SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kNotepadWait, &before);
    SendMessageTimeoutA(notepad, WM_COMMAND, kNotepadPaste, 0, SMTO_ABORTIFHUNG, kNotepadWait, &ignored);
    // A Notepad whose menu numbers its paste command differently (Wine's) ignores the
    // command: the edit control pastes for it then.
    if (edit && SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kNotepadWait, &after) &&
        after == before)
        SendMessageTimeoutA(edit, WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, kNotepadWait, &ignored);
    return S_OK;
}

STDMETHODIMP BatchHelperObject::BringWindowToTop(LONG hWnd)
{
    SetForegroundWindow(WindowOf(hWnd));
    return S_OK;
}

STDMETHODIMP BatchHelperObject::get_ActiveWindow(LONG* pVal) { return ReturnLong(HandleOf(GetForegroundWindow()), pVal); }

STDMETHODIMP BatchHelperObject::put_ActiveWindow(LONG newVal)
{
    SetForegroundWindow(WindowOf(newVal));
    return S_OK;
}

STDMETHODIMP BatchHelperObject::Sort(BSTR ListString, LONG nSortColumn, VARIANT bDesending, VARIANT bClipboard,
                                     VARIANT Delim, VARIANT nStart, BSTR* pVal)
{
    bool descending = false, crLf = false;
    char delimiter = '\t';
    long start = 0;
    VORN_CHECK(OptionalBool(bDesending, descending));
    VORN_CHECK(OptionalBool(bClipboard, crLf));
    VORN_CHECK(Delimiter(Delim, delimiter));
    VORN_CHECK(OptionalLong(nStart, start));
    ListTable table(TextOf(ListString).Text(), delimiter);
    table.DropLeading(start);
    table.SortBy(nSortColumn, descending);
    VornString out;
    table.Export(crLf, out);
    return ReturnText(out, pVal);
}

STDMETHODIMP BatchHelperObject::LockGet(BSTR ItemName, VARIANT nTimeout, BSTR* pVal)
{
    long timeout = 0;
    bool given = false;
    VORN_CHECK(OptionalLong(nTimeout, timeout, &given));
    if (lock_) {
        CloseHandle(lock_);
        lock_ = nullptr;
    }
    VornString name = TextOf(ItemName);
    HANDLE created = CreateMutexA(nullptr, FALSE, name.Text());
    lock_ = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.Text());
    if (created)
        CloseHandle(created);
    if (!lock_)
        return ReturnText("ERROR", pVal);
    // An abandoned lock is still handed over to this caller, so it counts as taken.
    DWORD wait = WaitForSingleObject(lock_, given ? static_cast<DWORD>(timeout) : INFINITE);
    const char* result = (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ? "OK" : wait == WAIT_TIMEOUT ? "TIMEOUT" : "ERROR";
    return ReturnText(result, pVal);
}

STDMETHODIMP BatchHelperObject::LockRelease()
{
    if (lock_)
        ReleaseMutex(lock_);
    return S_OK;
}

STDMETHODIMP BatchHelperObject::NumberFormat(BSTR NumberString, BSTR* pVal)
{
    return PathResult(NumberString, [](VornString& t) { t.InsertThousandsSeparators(); }, pVal);
}

STDMETHODIMP BatchHelperObject::AddBackslash(BSTR Path, BSTR* pVal)
{
    return PathResult(Path, [](VornString& t) { t.AddBackslash(); }, pVal);
}

STDMETHODIMP BatchHelperObject::RemoveBackslash(BSTR Path, BSTR* pVal)
{
    return PathResult(Path, [](VornString& t) { t.RemoveBackslash(); }, pVal);
}

STDMETHODIMP BatchHelperObject::GetPath(BSTR Path, BSTR* pVal)
{
    return PathResult(Path, [](VornString& t) { t.RemoveFileSpec(); }, pVal);
}

STDMETHODIMP BatchHelperObject::RemovePath(BSTR Path, BSTR* pVal)
{
    return PathResult(Path, [](VornString& t) { t.StripPath(); }, pVal);
}

STDMETHODIMP BatchHelperObject::GetExt(BSTR Path, BSTR* pVal)
{
    return PathResult(Path, [](VornString& t) { t = t.FindExtension(); }, pVal);
}

STDMETHODIMP BatchHelperObject::RemoveExt(BSTR Path, BSTR* pVal)
{
    return PathResult(Path, [](VornString& t) { t.RemoveExtension(); }, pVal);
}

namespace {

// The enclosing pair: the first character of each text; the second defaults to the first.
HRESULT EnclosingPair(BSTR first, const VARIANT& second, char& open, char& close)
{
    VornString openText = TextOf(first), closeText;
    bool given = false;
    VORN_CHECK(OptionalText(second, closeText, &given));
    open = openText.Text()[0];
    close = given ? closeText.Text()[0] : open;
    return S_OK;
}

}  // namespace

STDMETHODIMP BatchHelperObject::Enclose(BSTR BaseStr, BSTR EncloseStr, VARIANT EncloseStr2, BSTR* pVal)
{
    char open = 0, close = 0;
    VORN_CHECK(EnclosingPair(EncloseStr, EncloseStr2, open, close));
    VornString text = TextOf(BaseStr);
    if (open && close)
        EncloseIn(text, open, close);
    return ReturnText(text, pVal);
}

STDMETHODIMP BatchHelperObject::RemoveEnclose(BSTR BaseStr, BSTR EncloseStr, VARIANT EncloseStr2, BSTR* pVal)
{
    char open = 0, close = 0;
    VORN_CHECK(EnclosingPair(EncloseStr, EncloseStr2, open, close));
    VornString text = TextOf(BaseStr);
    if (open && close)
        RemoveEnclosing(text, open, close);
    return ReturnText(text, pVal);
}

STDMETHODIMP BatchHelperObject::RemoveLeft(BSTR Target, LONG nRemove, BSTR* pVal)
{
    VornString text = TextOf(Target);
    RemoveLeadingBytes(text, nRemove);
    return ReturnText(text, pVal);
}

STDMETHODIMP BatchHelperObject::RemoveRight(BSTR Target, LONG nRemove, BSTR* pVal)
{
    VornString text = TextOf(Target);
    RemoveTrailingBytes(text, nRemove);
    return ReturnText(text, pVal);
}

STDMETHODIMP BatchHelperObject::Repeat(BSTR Target, LONG nRepeat, BSTR* pVal)
{
    VornString text;
    text.Repeat(TextOf(Target).Text(), static_cast<int>(nRepeat));
    return ReturnText(text, pVal);
}

STDMETHODIMP BatchHelperObject::Ahextoi(BSTR Target, LONG* pVal) { return ReturnLong(HexOrDecimal(TextOf(Target).Text()), pVal); }

STDMETHODIMP BatchHelperObject::Case(BSTR Target, BSTR CaseString, VARIANT bFlg, VARIANT* pVal)
{
    // Any given flag ignores case, whatever its value.
    bool ignoreCase = bFlg.vt != VT_ERROR &&
                      !(bFlg.vt == (VT_BYREF | VT_VARIANT) && bFlg.pvarVal && bFlg.pvarVal->vt == VT_ERROR);
    return ReturnBool(IsCaseOf(TextOf(Target).Text(), TextOf(CaseString).Text(), ignoreCase), pVal);
}

STDMETHODIMP BatchHelperObject::DateDiff(BSTR BaseDate, BSTR NextDate, LONG* pVal)
{
    int y1, m1, d1, y2, m2, d2;
    if (!ReadDate(TextOf(BaseDate).Text(), AcceptedDosDate, y1, m1, d1) ||
        !ReadDate(TextOf(NextDate).Text(), AcceptedDosDate, y2, m2, d2))
        return ReturnLong(-1, pVal);
    return ReturnLong(DaySerial(y1, m1, d1) - DaySerial(y2, m2, d2), pVal);
}

STDMETHODIMP BatchHelperObject::Fzero(BSTR Target, LONG nLen, BSTR* pVal)
{
    VornString text = TextOf(Target);
    ZeroFill(text, nLen);
    return ReturnText(text, pVal);
}

STDMETHODIMP BatchHelperObject::IsDate(BSTR Target, VARIANT* pVal)
{
    int year, month, day;
    return ReturnBool(ReadDate(TextOf(Target).Text(), AcceptedDosDate, year, month, day), pVal);
}

STDMETHODIMP BatchHelperObject::IsNum(BSTR Target, VARIANT* pVal) { return TestResult(Target, IsDigitsOnly, pVal); }
STDMETHODIMP BatchHelperObject::IsNumeric(BSTR Target, VARIANT* pVal) { return TestResult(Target, IsNumericText, pVal); }
STDMETHODIMP BatchHelperObject::IsDBCS(BSTR Target, VARIANT* pVal) { return TestResult(Target, IsAllDoubleByte, pVal); }
STDMETHODIMP BatchHelperObject::IsNotDBCS(BSTR Target, VARIANT* pVal) { return TestResult(Target, HasNoDoubleByte, pVal); }

STDMETHODIMP BatchHelperObject::IsGroup(BSTR Target, BSTR Group, VARIANT* pVal)
{
    return ReturnBool(IsInGroup(TextOf(Target).Text(), TextOf(Group).Text()), pVal);
}

STDMETHODIMP BatchHelperObject::ByteLen(BSTR Target, LONG* pVal) { return ReturnLong(static_cast<long>(TextOf(Target).Length()), pVal); }

STDMETHODIMP BatchHelperObject::get_Alt(LONG* pVal) { return ReturnLong(KeyDown(VK_MENU), pVal); }
STDMETHODIMP BatchHelperObject::get_Ctrl(LONG* pVal) { return ReturnLong(KeyDown(VK_CONTROL), pVal); }
STDMETHODIMP BatchHelperObject::get_Shift(LONG* pVal) { return ReturnLong(KeyDown(VK_SHIFT), pVal); }

STDMETHODIMP BatchHelperObject::FileList(BSTR Dir, BSTR WildCard, VARIANT nType, BSTR* pVal)
{
    long type = 0;
    VORN_CHECK(OptionalLong(nType, type));
    VornString folder = TextOf(Dir), pattern(folder);
    pattern.Append("\\");
    pattern.Append(TextOf(WildCard).Text());
    VornString out;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.Text(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!std::strcmp(entry.cFileName, ".") || !std::strcmp(entry.cFileName, ".."))
                continue;
            bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if ((type == 1 && !isFolder) || (type == 2 && isFolder))
                continue;
            if (!out.IsEmpty())
                out.Append('\t');
            out.Append('"');
            out.Append(folder.Text());
            out.Append('\\');
            out.Append(entry.cFileName);
            out.Append('"');
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    return ReturnText(out, pVal);
}

STDMETHODIMP BatchHelperObject::HtmlConvert(BSTR List, VARIANT bHead, VARIANT Table, VARIANT Th, VARIANT Tr,
                                            VARIANT Td, BSTR* pVal)
{
    bool head = false;
    VornString table(kDefaultTable), th(kDefaultTh), tr(kDefaultTr), td(kDefaultTd);
    VORN_CHECK(OptionalBool(bHead, head));
    VORN_CHECK(OptionalText(Table, table));
    VORN_CHECK(OptionalText(Th, th));
    VORN_CHECK(OptionalText(Tr, tr));
    VORN_CHECK(OptionalText(Td, td));
    VornString out;
    HtmlTable(TextOf(List).Text(), head, table.Text(), th.Text(), tr.Text(), td.Text(), out);
    return ReturnText(out, pVal);
}

STDMETHODIMP BatchHelperObject::IsError(BSTR TargetString, LONG* pVal)
{
    // Only ASCII letters can match, so comparing bytes never splits a character.
    return ReturnLong(_strnicmp(TextOf(TargetString).Text(), "ERROR:", 6) == 0 ? -1 : 0, pVal);
}

STDMETHODIMP BatchHelperObject::GetListText(BSTR ListString, LONG nRow, VARIANT nColumn, VARIANT Delim, BSTR* pVal)
{
    long column = -1;
    char delimiter = '\t';
    VORN_CHECK(OptionalLong(nColumn, column));
    VORN_CHECK(Delimiter(Delim, delimiter));
    ListTable table(TextOf(ListString).Text(), delimiter);
    if (nRow < 0 || nRow >= table.RowCount())
        return ReturnText(kRowOutOfRange, pVal);
    VornString out;
    if (column < 0)
        table.RowText(nRow, out);
    else if (column >= table.ColumnCount())
        out = kColumnTooLarge;
    else
        out = *table.Cell(nRow, column);
    return ReturnText(out, pVal);
}

STDMETHODIMP BatchHelperObject::DeleteListRow(BSTR ListString, LONG nRow, VARIANT bClipboard, VARIANT Delim, BSTR* pVal)
{
    bool crLf = false;
    char delimiter = '\t';
    VORN_CHECK(OptionalBool(bClipboard, crLf));
    VORN_CHECK(Delimiter(Delim, delimiter));
    ListTable table(TextOf(ListString).Text(), delimiter);
    if (nRow < 0 || nRow >= table.RowCount())
        return ReturnText(kRowOutOfRange, pVal);
    table.DeleteRow(nRow);
    VornString out;
    table.Export(crLf, out);
    return ReturnText(out, pVal);
}

STDMETHODIMP BatchHelperObject::CheckMutex(BSTR TargetString, LONG* pVal)
{
    HANDLE mutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, TextOf(TargetString).Text());
    if (mutex)
        CloseHandle(mutex);
    return ReturnLong(mutex ? -1 : 0, pVal);
}

STDMETHODIMP BatchHelperObject::get_ActionTime(LONG* pVal)
{
    return ReturnLong(static_cast<long>(GetTickCount() - actionBase_), pVal);
}

STDMETHODIMP BatchHelperObject::put_ActionTime(LONG newVal)
{
    actionBase_ = GetTickCount() + static_cast<DWORD>(newVal);
    return S_OK;
}

}  // namespace vorn
