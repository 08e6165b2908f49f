// Starting the hot-key launcher's programs, and the one starter the options dialog's "実行"
// shares with it.
#pragma once

#include <windows.h>

#include "common/ProfileStore.h"

// Starts a command line (working folder may be null); the new process id, 0 on failure.
using ProgramStarter = DWORD (*)(const char* commandLine, const char* folder);

// Replaces the starter (RunProgram unless replaced) and returns the previous one; tests put
// a recorder here instead of starting programs.
ProgramStarter SetProgramStarter(ProgramStarter starter);
// Through the current starter, with no working folder; true when the program started.
bool StartCommandLine(const char* commandLine);

// Starts the stored command line of a hot-key command, else its default. False for a
// command that is no hot key or a program that did not start; nothing is reported to the user.
bool LaunchHotKey(const ProfileStore& settings, unsigned command);
