// One routine on one extra thread (the CSV import, a download). The owner polls its end.
#pragma once

#include <windows.h>

class WorkerThread {
public:
    typedef DWORD(WINAPI* Routine)(void* context);

    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    // Lets go of the handle; a routine still running keeps running.
    ~WorkerThread();

    // False when a thread of this object is still running or could not be created.
    bool Start(Routine routine, void* context);
    // Polls every 100 ms, at most 10 times: true (handle released) once the thread has
    // ended or when there is none, false while it still runs after about a second.
    bool WaitForExit();
    bool IsRunning() const;
    // The routine's return value once it has ended (valid until WaitForExit releases it).
    bool ExitCode(DWORD& code) const;

private:
    HANDLE thread_ = nullptr;
};

// Pauses the calling thread.
inline void SleepMilliseconds(DWORD milliseconds) { Sleep(milliseconds); }
