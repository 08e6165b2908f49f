// BatchHelper's download of one HTTP object into a file: a dialog on the script's thread
// shows the progress of a worker thread that does the transfer and can be cancelled.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "ModalDialog.h"
#include "VornString.h"
#include "WorkerThread.h"

namespace vorn {

class HttpDownloadDialog : public ModalDialog {
public:
    HttpDownloadDialog(const char* target, const char* filePath, DWORD bufferSize);

    // "OK", "CANCEL" or "ERROR"; a file that was not completely downloaded is removed.
    const char* Download();

protected:
    void OnInit() override;
    bool OnCommand(int id, int notification) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum Outcome { kDone, kCancelled, kFailed };

    static DWORD WINAPI Work(void* self);
    Outcome Transfer();
    Outcome Receive(HINTERNET request, DWORD size);
    void Finish(Outcome outcome);

    VornString target_;
    VornString filePath_;
    DWORD bufferSize_;
    volatile LONG cancelled_ = 0;
    Outcome outcome_ = kFailed;
    WorkerThread worker_;
};

}  // namespace vorn
