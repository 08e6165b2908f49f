// The hook library's log: the line written for one WM_COMMAND and where the file lies.
// Window-free, so both builds test the bytes.
#pragma once

#include <cstddef>

struct HookLogEntry {
    int hour;
    int minute;
    int second;
    int milliseconds;
    // Taken from a message queue ("POST") rather than sent to the window procedure ("SEND").
    bool posted;
    unsigned long window;
    unsigned long wParam;
    unsigned long lParam;
    const char* className;
    const char* windowText;
};

// The line buffer. A longer line is cut on a character boundary so that it still ends with
// its line end: a reader never sees two lines run together.
const size_t kHookLogLineSize = 1024;
const char kHookLogName[] = "VornHook.log";

// Writes "hh:mm:ss mmm:SEND|POST:WM_COMMAND:window:id:code:lParam:class:text\n" into out
// (kHookLogLineSize bytes) and returns its length.
size_t FormatHookLogLine(const HookLogEntry& entry, char* out);

// The folder as the platform's temporary path gives it, enclosing double quotes removed and
// a trailing backslash added; false when it does not fit into size bytes.
bool HookLogFolder(const char* temporaryPath, char* out, size_t size);
// That folder with kHookLogName.
bool HookLogPath(const char* temporaryPath, char* out, size_t size);
