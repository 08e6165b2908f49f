#include "HttpDownload.h"

#include <commctrl.h>
#include <wininet.h>

#include <cstdio>
#include <vector>

#include "InternetSession.h"
#include "ScriptText.h"
#include "ServerFrame.h"
#include "VornResources.h"

namespace vorn {

namespace {

// From the worker to the dialog: the size is known (wParam), bytes written so far (wParam),
// the transfer has ended (wParam: the outcome).
const UINT kSizeKnown = WM_APP + 1;
const UINT kProgress = WM_APP + 2;
const UINT kEnded = WM_APP + 3;

struct DownloadTarget {
    VornString host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    VornString path;
};

// "scheme://host[:port]/path": the host is the third field between slashes, the path every
// field after it. A port after the host is honoured, as a browser would.
DownloadTarget ReadTarget(const char* target)
{
    DownloadTarget read;
    std::vector<VornString> fields = SplitKeepingEmpty(target, '/');
    if (fields.size() > 2)
        read.host = fields[2];
    long colon = read.host.Find(":");
    if (colon > 0) {
        long port = VornString(read.host.Text() + colon + 1).ToInteger();
        if (port > 0 && port < 65536)
            read.port = static_cast<INTERNET_PORT>(port);
        read.host.Left(static_cast<size_t>(colon));
    }
    for (size_t i = 3; i < fields.size(); ++i) {
        read.path.Append('/');
        read.path.Append(fields[i]);
    }
    if (read.path.IsEmpty())
        read.path = "/";
    return read;
}

VornString WithSeparators(unsigned long value)
{
    VornString text;
    text.Format("%lu", value);
    text.InsertThousandsSeparators();
    return text;
}

bool SucceededStatus(HINTERNET request)
{
    DWORD status = 0, size = sizeof status;
    return HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
           status >= 200 && status < 300;
}

long ContentLength(HINTERNET request)
{
    DWORD length = 0, size = sizeof length;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr))
        return 0;
    return static_cast<long>(length);
}

}  // namespace

HttpDownloadDialog::HttpDownloadDialog(const char* target, const char* filePath, DWORD bufferSize)
    : target_(target), filePath_(filePath), bufferSize_(bufferSize)
{
}

const char* HttpDownloadDialog::Download()
{
    Run(GetDesktopWindow(), IDD_VORN_HTTP_DOWNLOAD, Module());
    return outcome_ == kDone ? "OK" : outcome_ == kCancelled ? "CANCEL" : "ERROR";
}

void HttpDownloadDialog::OnInit()
{
    SetText("HTTP ダウンロード");
    SetDlgItemTextA(window_, IDC_VORN_HTTP_TARGET, target_);
    SetDlgItemTextA(window_, IDC_VORN_HTTP_FILE, filePath_);
    SetDlgItemTextA(window_, IDC_VORN_HTTP_BUFFER, WithSeparators(bufferSize_));
    if (!worker_.Start(Work, this))
        Finish(kFailed);
}

bool HttpDownloadDialog::OnCommand(int id, int)
{
    if (id != IDCANCEL)
        return false;
    // The worker sees the flag before its next read and ends the dialog itself.
    InterlockedExchange(&cancelled_, 1);
    if (!worker_.IsRunning())
        Finish(kCancelled);
    return true;
}

INT_PTR HttpDownloadDialog::OnMessage(UINT message, WPARAM wParam, LPARAM)
{
    HWND progress = GetDlgItem(window_, IDC_VORN_HTTP_PROGRESS);
    switch (message) {
    case kSizeKnown:
        SetDlgItemTextA(window_, IDC_VORN_HTTP_SIZE, WithSeparators(static_cast<unsigned long>(wParam)));
        SendMessageA(progress, PBM_SETRANGE32, 1, static_cast<LPARAM>(wParam));
        SendMessageA(progress, PBM_SETSTEP, 1, 0);
        return TRUE;
    case kProgress:
        SendMessageA(progress, PBM_SETPOS, wParam, 0);
        return TRUE;
    case kEnded:
        Finish(static_cast<Outcome>(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

void HttpDownloadDialog::Finish(Outcome outcome)
{
    outcome_ = outcome;
    while (!worker_.WaitForExit()) {
    }
    End(IDOK);
}

DWORD WINAPI HttpDownloadDialog::Work(void* self)
{
    auto* dialog = static_cast<HttpDownloadDialog*>(self);
    Outcome outcome = dialog->Transfer();
    PostMessageA(dialog->window_, kEnded, static_cast<WPARAM>(outcome), 0);
    return 0;
}

HttpDownloadDialog::Outcome HttpDownloadDialog::Transfer()
{
    DownloadTarget target = ReadTarget(target_);
    InternetSession session;
    session.host = target.host;
    session.port = target.port;
    if (target.host.IsEmpty() || !session.ConnectHttp())
        return kFailed;
    HINTERNET request = session.SendGet(target.path);
    if (!request)
        return kFailed;
    long size = SucceededStatus(request) ? ContentLength(request) : 0;
    Outcome outcome = size > 0 ? Receive(request, static_cast<DWORD>(size)) : kFailed;
    InternetCloseHandle(request);
    return outcome;
}

HttpDownloadDialog::Outcome HttpDownloadDialog::Receive(HINTERNET request, DWORD size)
{
    PostMessageA(window_, kSizeKnown, size, 0);
    FILE* file = std::fopen(filePath_, "wb");
    if (!file)
        return kFailed;
    std::vector<char> buffer(bufferSize_);
    DWORD written = 0;
    Outcome outcome = kDone;
    for (;;) {
        if (cancelled_) {
            outcome = kCancelled;
            break;
        }
        DWORD got = 0;
        if (!InternetReadFile(request, buffer.data(), bufferSize_, &got) || got == 0)
            break;
        if (std::fwrite(buffer.data(), 1, got, file) != got) {
            outcome = kFailed;
            break;
        }
        written += got;
        PostMessageA(window_, kProgress, written, 0);
    }
    if (std::fclose(file) != 0 && outcome == kDone)
        outcome = kFailed;
    // A connection that broke off early is no download: the part is not kept.
    if (outcome == kDone && written != size)
        outcome = kFailed;
    if (outcome != kDone)
        DeleteFileA(filePath_);
    return outcome;
}

}  // namespace vorn
