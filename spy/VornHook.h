// The hook library's exports. Hearken loads the library by name and finds Initialize and
// End with GetProcAddress; nothing links against it.
#pragma once

#include <windows.h>

#ifdef VORNHOOK_BUILD
#define VORNHOOK_API __declspec(dllexport)
#else
#define VORNHOOK_API __declspec(dllimport)
#endif

// The named mutex whose existence switches logging on in every hooked program.
const char kVornHookMutex[] = "VornHook";

// Plain C names, so GetProcAddress finds "Initialize" and "End".
typedef HHOOK (*VornHookInitializeProc)();
typedef BOOL (*VornHookEndProc)();

extern "C" {
// Creates the mutex and installs both hooks for the whole desktop; a second call returns
// the first hook's handle and installs nothing.
VORNHOOK_API HHOOK Initialize();
// Removes the hooks; the mutex stays until the calling process ends.
VORNHOOK_API BOOL End();
}

// Placeholders the library has always exported under their C++ names; they do nothing.
class VORNHOOK_API CVornHook {
public:
    CVornHook();
    CVornHook& operator=(const CVornHook&);
};
VORNHOOK_API int fnVornHook();
extern VORNHOOK_API int nVornHook;
