// The hook procedures run inside every hooked program's threads, so they allocate nothing
// and hold the log file open only for the one line.
#define VORNHOOK_BUILD
#include "VornHook.h"

#include <cstdio>

#include "HookLog.h"

namespace {

HINSTANCE g_module = nullptr;
// Per process: only the spy that installed the hooks has them.
HHOOK g_afterCall = nullptr;
HHOOK g_fromQueue = nullptr;
HANDLE g_switch = nullptr;

void WriteLine(HWND window, WPARAM wParam, LPARAM lParam, bool posted)
{
    char className[512] = "";
    char windowText[512] = "";
    if (window) {
        GetClassNameA(window, className, sizeof className);
        GetWindowTextA(window, windowText, sizeof windowText);
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    HookLogEntry entry = {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, posted,
                          static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)),
                          static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam),
                          className, windowText};
    char line[kHookLogLineSize];
    FormatHookLogLine(entry, line);
    char temporary[MAX_PATH + 1] = "";
    GetTempPathA(sizeof temporary, temporary);
    char path[MAX_PATH + 32];
    if (!HookLogPath(temporary, path, sizeof path))
        return;
    // Text mode: the line end becomes CR LF.
    FILE* file = std::fopen(path, "a");
    if (!file)
        return;
    std::fputs(line, file);
    std::fclose(file);
}

// Only WM_COMMAND gets as far as the mutex: every other message of every program passes
// through here, and each mutex call is a round trip to the wineserver.
void LogCommand(HWND window, WPARAM wParam, LPARAM lParam, bool posted)
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kVornHookMutex);
    if (!mutex)
        return;
    // An abandoned mutex (a writer that died mid-line) is owned all the same.
    DWORD waited = WaitForSingleObject(mutex, INFINITE);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        WriteLine(window, wParam, lParam, posted);
        ReleaseMutex(mutex);
    }
    CloseHandle(mutex);
}

LRESULT CALLBACK AfterCallHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0) {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (call->message == WM_COMMAND)
            LogCommand(call->hwnd, call->wParam, call->lParam, false);
    }
    return CallNextHookEx(g_afterCall, code, wParam, lParam);
}

LRESULT CALLBACK FromQueueHook(int code, WPARAM wParam, LPARAM lParam)
{
    // A message only looked at (PeekMessage without PM_REMOVE) comes by again when it is
    // taken; logging both would write one command twice.
    if (code >= 0 && wParam == PM_REMOVE) {
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        if (message->message == WM_COMMAND)
            LogCommand(message->hwnd, message->wParam, message->lParam, true);
    }
    return CallNextHookEx(g_fromQueue, code, wParam, lParam);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HHOOK Initialize()
{
    if (g_afterCall || g_fromQueue)
        return g_afterCall ? g_afterCall : g_fromQueue;
    // Never closed here: the switch stays on until the spy process ends.
    if (!g_switch)
        g_switch = CreateMutexA(nullptr, FALSE, kVornHookMutex);
    g_afterCall = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterCallHook, g_module, 0);
    g_fromQueue = SetWindowsHookExA(WH_GETMESSAGE, FromQueueHook, g_module, 0);
    return g_fromQueue;
}

extern "C" BOOL End()
{
    if (g_afterCall) {
        UnhookWindowsHookEx(g_afterCall);
        g_afterCall = nullptr;
    }
    BOOL result = 0;
    if (g_fromQueue) {
        result = UnhookWindowsHookEx(g_fromQueue);
        g_fromQueue = nullptr;
    }
    return result;
}

CVornHook::CVornHook() {}

CVornHook& CVornHook::operator=(const CVornHook&)
{
    return *this;
}

int fnVornHook()
{
    return 42;
}

int nVornHook = 0;
