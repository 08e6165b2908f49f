#include "ProgramLauncher.h"

#include <shellapi.h>
#include <shlobj.h>

#include "DateText.h"

namespace {

bool Launch(const char* commandLine, const char* folder, DWORD creationFlags,
            PROCESS_INFORMATION& process)
{
    if (!commandLine || !*commandLine)
        return false;
    // CreateProcess may write into the command line.
    VornString line(commandLine);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    return CreateProcessA(nullptr, line.Buffer(), nullptr, nullptr, FALSE, creationFlags,
                          nullptr, folder && *folder ? folder : nullptr, &startup,
                          &process) != FALSE;
}

DWORD LaunchAndRelease(const char* commandLine, const char* folder, DWORD creationFlags,
                       bool waitIdle)
{
    PROCESS_INFORMATION process = {};
    if (!Launch(commandLine, folder, creationFlags, process))
        return 0;
    if (waitIdle)
        WaitForInputIdle(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

VornString FolderText(const char* text)
{
    VornString folder(text);
    folder.RemoveBackslash();
    return folder;
}

}  // namespace

DWORD RunProgram(const char* commandLine, const char* folder)
{
    return LaunchAndRelease(commandLine, folder, 0, false);
}

DWORD RunProgramQuiet(const char* commandLine, const char* folder)
{
    return LaunchAndRelease(commandLine, folder, CREATE_NO_WINDOW, false);
}

DWORD RunProgramAndWaitIdle(const char* commandLine, const char* folder)
{
    return LaunchAndRelease(commandLine, folder, 0, true);
}

VornString ProgramPath()
{
    char path[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return VornString(path);
}

VornString ProgramFolder()
{
    VornString folder = ProgramPath();
    folder.RemoveFileSpec();
    return folder;
}

VornString WindowsFolder()
{
    char path[MAX_PATH + 1] = "";
    GetWindowsDirectoryA(path, sizeof path);
    return FolderText(path);
}

VornString SystemFolder()
{
    char path[MAX_PATH + 1] = "";
    GetSystemDirectoryA(path, sizeof path);
    return FolderText(path);
}

VornString TemporaryFolder()
{
    char path[MAX_PATH + 1] = "";
    GetTempPathA(sizeof path, path);
    return FolderText(path);
}

bool SpecialFolder(int csidl, VornString& path, bool create)
{
    char text[MAX_PATH + 1] = "";
    bool found = SHGetSpecialFolderPathA(nullptr, text, csidl, create ? TRUE : FALSE) != FALSE;
    path = found ? FolderText(text) : VornString();
    return found && !path.IsEmpty();
}

VornString ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return VornString(name);
}

VornString UserName()
{
    char name[257] = "";
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return VornString(name);
}

bool AssociatedProgram(const char* document, VornString& program)
{
    char text[MAX_PATH + 1] = "";
    // Values above 32 mean success.
    bool found = reinterpret_cast<INT_PTR>(FindExecutableA(document, nullptr, text)) > 32;
    program = found ? text : "";
    return found && !program.IsEmpty();
}

VornString TodayText()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return FormatDate(now.wYear, now.wMonth, now.wDay);
}

void OpenHelpPage(const char* programFolder, const char* page)
{
    VornString path(programFolder);
    path.AddBackslash();
    path.Append(page);
    VornString command("RunDLL32.EXE url.dll,FileProtocolHandler \"");
    command.Append(path);
    command.Append("\"");
    RunProgram(command, nullptr);
}
