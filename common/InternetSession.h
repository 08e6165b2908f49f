// One FTP or HTTP connection through WinINet, with an HTTP GET into a VornString and the
// deletion of a file on the FTP server. Connecting again closes the previous connection.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstddef>

#include "VornString.h"

class InternetSession {
public:
    InternetSession();
    InternetSession(const InternetSession&) = delete;
    InternetSession& operator=(const InternetSession&) = delete;
    ~InternetSession();

    bool ConnectFtp();
    bool ConnectHttp();
    // The body of the object into out; false when the request could not be opened or sent.
    bool HttpGet(const char* objectPath, VornString& out);
    // A GET of the object, reloaded and on a kept connection, already sent; the caller reads
    // it and closes it with InternetCloseHandle. Null when it could not be opened or sent.
    HINTERNET SendGet(const char* objectPath);
    // The bytes the last HttpGet read (a body may hold NULs, which the text length stops at).
    size_t LastReadSize() const { return lastReadSize_; }
    BOOL FtpDelete(const char* fileName);
    void Disconnect();
    // The open connection for the other FTP calls of WinINet; null when not connected.
    HINTERNET ConnectionHandle() const { return connection_; }

    bool passive = false;
    VornString agent;
    VornString host;
    VornString user;
    VornString password;
    // 0: the protocol's default port (21, 80).
    INTERNET_PORT port = INTERNET_INVALID_PORT_NUMBER;

private:
    bool Connect(DWORD service, const char* userName, const char* userPassword, DWORD flags);

    HINTERNET internet_ = nullptr;
    HINTERNET connection_ = nullptr;
    size_t lastReadSize_ = 0;
};
