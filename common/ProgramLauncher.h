// Starting programs, and where the program and the system keep their files.
#pragma once

#include <windows.h>

#include "VornString.h"

// Each form starts the command line in the given working folder (the caller's own when
// null or empty), shown normally, with no inherited handles, and lets go of the process
// at once. Each returns the new process id, 0 when it could not be started.
DWORD RunProgram(const char* commandLine, const char* folder);
// Without a console window (for batch files and console tools).
DWORD RunProgramQuiet(const char* commandLine, const char* folder);
// Returns once the new program waits for input, without a time limit; use it before
// posting to the program's windows.
DWORD RunProgramAndWaitIdle(const char* commandLine, const char* folder);

// Folders come back without a trailing backslash (a drive root keeps its own, "C:\"),
// so callers join names with "\\".
VornString ProgramPath();
VornString ProgramFolder();
VornString WindowsFolder();
VornString SystemFolder();
VornString TemporaryFolder();
// A shell folder by CSIDL_* number; false (path empty) when the shell has none.
bool SpecialFolder(int csidl, VornString& path, bool create = false);
VornString ComputerName();
VornString UserName();
// The program the shell opens the document with; false (program empty) when none.
bool AssociatedProgram(const char* document, VornString& program);
// "%04d/%02d/%02d" in local time.
VornString TodayText();

// Opens programFolder\page through the shell's URL handler: "RunDLL32.EXE
// url.dll,FileProtocolHandler " + the quoted path (a folder with spaces stays one argument).
void OpenHelpPage(const char* programFolder, const char* page);
