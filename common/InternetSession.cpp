#include "InternetSession.h"

#include <cstring>
#include <utility>

namespace {

const DWORD kPiece = 260;

}  // namespace

InternetSession::InternetSession() : agent("quillnest") {}

InternetSession::~InternetSession() { Disconnect(); }

void InternetSession::Disconnect()
{
    if (connection_)
        InternetCloseHandle(connection_);
    if (internet_)
        InternetCloseHandle(internet_);
    connection_ = nullptr;
    internet_ = nullptr;
}

bool InternetSession::Connect(DWORD service, const char* userName, const char* userPassword, DWORD flags)
{
    Disconnect();
    internet_ = InternetOpenA(agent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!internet_)
        return false;
    connection_ = InternetConnectA(internet_, host, port, userName, userPassword, service, flags, 0);
    if (!connection_) {
        InternetCloseHandle(internet_);
        internet_ = nullptr;
        return false;
    }
    return true;
}

bool InternetSession::ConnectFtp()
{
    return Connect(INTERNET_SERVICE_FTP, user, password, passive ? INTERNET_FLAG_PASSIVE : 0);
}

bool InternetSession::ConnectHttp() { return Connect(INTERNET_SERVICE_HTTP, nullptr, nullptr, 0); }

HINTERNET InternetSession::SendGet(const char* objectPath)
{
    if (!connection_)
        return nullptr;
    HINTERNET request = HttpOpenRequestA(connection_, nullptr, objectPath, "HTTP/1.1", nullptr, nullptr,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_KEEP_CONNECTION, 0);
    if (request && !HttpSendRequestA(request, nullptr, 0, nullptr, 0)) {
        InternetCloseHandle(request);
        request = nullptr;
    }
    return request;
}

bool InternetSession::HttpGet(const char* objectPath, VornString& out)
{
    lastReadSize_ = 0;
    HINTERNET request = SendGet(objectPath);
    if (!request)
        return false;
    if (out.Capacity() < kPiece + 1)
        out.Resize(kPiece + 1);
    size_t length = 0;
    // The first piece fills the whole buffer; then pieces of 260 bytes. The buffer grows
    // geometrically rather than by one piece: a megabyte read would otherwise copy itself
    // thousands of times.
    DWORD want = out.Capacity() - 1;
    for (;;) {
        char* buffer = out.Buffer();
        if (!buffer)
            break;
        DWORD got = 0;
        if (!InternetReadFile(request, buffer + length, want, &got) || got == 0)
            break;
        length += got;
        buffer[length] = '\0';
        if (length + kPiece + 1 > out.Capacity()) {
            unsigned grown = out.Capacity() * 2;
            if (grown < length + kPiece + 1)
                grown = static_cast<unsigned>(length + kPiece + 1);
            // Resize keeps the text up to its first NUL only; the bytes read so far are
            // carried over whole.
            VornString bigger(grown);
            if (!bigger.Buffer())
                break;
            std::memcpy(bigger.Buffer(), out.Buffer(), length + 1);
            out = std::move(bigger);
        }
        want = kPiece;
    }
    if (out.Buffer())
        out.Buffer()[length] = '\0';
    lastReadSize_ = length;
    InternetCloseHandle(request);
    return true;
}

BOOL InternetSession::FtpDelete(const char* fileName)
{
    if (!connection_)
        return FALSE;
    return FtpDeleteFileA(connection_, fileName);
}
