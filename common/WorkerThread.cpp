#include "WorkerThread.h"

namespace {

const int kPolls = 10;
const DWORD kPollInterval = 100;

}  // namespace

WorkerThread::~WorkerThread()
{
    if (thread_)
        CloseHandle(thread_);
}

bool WorkerThread::IsRunning() const
{
    DWORD code = 0;
    return thread_ && GetExitCodeThread(thread_, &code) && code == STILL_ACTIVE;
}

bool WorkerThread::ExitCode(DWORD& code) const
{
    return thread_ && GetExitCodeThread(thread_, &code) && code != STILL_ACTIVE;
}

bool WorkerThread::Start(Routine routine, void* context)
{
    if (IsRunning())
        return false;
    if (thread_) {
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    DWORD id = 0;
    thread_ = CreateThread(nullptr, 0, routine, context, 0, &id);
    return thread_ != nullptr;
}

bool WorkerThread::WaitForExit()
{
    for (int poll = 0; poll < kPolls && thread_; ++poll) {
        DWORD code = 0;
        if (!GetExitCodeThread(thread_, &code) || code != STILL_ACTIVE) {
            CloseHandle(thread_);
            thread_ = nullptr;
            return true;
        }
        Sleep(kPollInterval);
    }
    return thread_ == nullptr;
}
