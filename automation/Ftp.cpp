#include "Ftp.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ListResult.h"
#include "SjisText.h"

namespace vorn {

namespace {

const char kUnknownTime[] = "1601/01/01 00:00:00";

HRESULT ReturnFlag(BOOL succeeded, LONG* out) { return ReturnLong(succeeded ? -1 : 0, out); }

// The server's time as it came (no local-time conversion); "" when the server gave none.
VornString TimeText(const FILETIME& time)
{
    SYSTEMTIME parts = {};
    VornString text;
    if (!FileTimeToSystemTime(&time, &parts))
        return text;
    text.Format("%04d/%02d/%02d %02d:%02d:%02d", parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute,
                parts.wSecond);
    if (text.Equals(kUnknownTime))
        text.Clear();
    return text;
}

// A server given as "host:port" reaches a server on another port than 21; a text with
// more than one colon is an IPv6 address and names the host alone.
void SetServer(InternetSession& session, const char* server)
{
    session.host.Assign(server);
    session.port = INTERNET_INVALID_PORT_NUMBER;
    long colon = sjis::FindLastChar(server, ':');
    if (colon < 0 || sjis::FindChar(server, ':') != colon)
        return;
    const char* digits = server + colon + 1;
    char* end = nullptr;
    long port = std::strtol(digits, &end, 10);
    if (end == digits || *end || port <= 0 || port > 65535)
        return;
    session.host.Left(static_cast<size_t>(colon));
    session.port = static_cast<INTERNET_PORT>(port);
}

}  // namespace

STDMETHODIMP FtpObject::Connect(BSTR Server, BSTR User, BSTR Password, VARIANT bPassive, LONG* pVal)
{
    bool passive = false;
    HRESULT hr = OptionalBool(bPassive, passive);
    if (FAILED(hr))
        return hr;
    session_.Disconnect();
    SetServer(session_, TextOf(Server));
    TextOf(User, session_.user);
    TextOf(Password, session_.password);
    session_.passive = passive;
    return ReturnLong(session_.ConnectFtp() ? 1 : 0, pVal);
}

STDMETHODIMP FtpObject::DisConnect()
{
    session_.Disconnect();
    return S_OK;
}

bool FtpObject::FindFirst(const char* pattern, WIN32_FIND_DATAA& found)
{
    HINTERNET connection = session_.ConnectionHandle();
    if (!connection)
        return false;
    HINTERNET find = FtpFindFirstFileA(connection, pattern, &found, INTERNET_FLAG_RELOAD, 0);
    if (!find)
        return false;
    InternetCloseHandle(find);
    return true;
}

STDMETHODIMP FtpObject::List(VARIANT Dir, VARIANT WildCard, VARIANT nSortColumn, VARIANT bDesending,
                             VARIANT bClipboard, BSTR* pVal)
{
    VornString dir, wildCard("*.*");
    ListOptions options;
    HRESULT hr = OptionalText(Dir, dir);
    if (SUCCEEDED(hr))
        hr = OptionalText(WildCard, wildCard);
    if (SUCCEEDED(hr))
        hr = ReadListOptions(nSortColumn, bDesending, bClipboard, options);
    if (FAILED(hr))
        return hr;
    ListTable table({"№", "ファイル名", "最終更新", "属性", "サイズ", "作成日", "最終アクセス"});
    VornString pattern(dir);
    pattern.Append("/");
    pattern.Append(wildCard);
    HINTERNET connection = session_.ConnectionHandle();
    WIN32_FIND_DATAA found = {};
    HINTERNET find = connection ? FtpFindFirstFileA(connection, pattern, &found, INTERNET_FLAG_RELOAD, 0) : nullptr;
    for (int number = 1; find; ++number) {
        char row[16], attributes[16], size[16];
        std::snprintf(row, sizeof row, "%4d", number);
        std::snprintf(attributes, sizeof attributes, "%lX", static_cast<unsigned long>(found.dwFileAttributes));
        std::snprintf(size, sizeof size, "%ld", static_cast<long>(found.nFileSizeLow));
        table.AddRow({row, found.cFileName, TimeText(found.ftLastWriteTime), attributes, size,
                      TimeText(found.ftCreationTime), TimeText(found.ftLastAccessTime)});
        if (!InternetFindNextFileA(find, &found))
            break;
    }
    if (find)
        InternetCloseHandle(find);
    return ReturnList(table, options, pVal);
}

STDMETHODIMP FtpObject::Download(BSTR Remote, BSTR Local, LONG* pVal)
{
    HINTERNET connection = session_.ConnectionHandle();
    return ReturnFlag(connection && FtpGetFileA(connection, TextOf(Remote), TextOf(Local), FALSE, FILE_ATTRIBUTE_NORMAL,
                                                FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0),
                      pVal);
}

STDMETHODIMP FtpObject::Upload(BSTR Remote, BSTR Local, LONG* pVal)
{
    HINTERNET connection = session_.ConnectionHandle();
    return ReturnFlag(connection && FtpPutFileA(connection, TextOf(Local), TextOf(Remote), FTP_TRANSFER_TYPE_BINARY, 0),
                      pVal);
}

STDMETHODIMP FtpObject::get_CurrentDirectory(BSTR* pVal)
{
    char directory[260] = {};
    DWORD size = sizeof directory;
    HINTERNET connection = session_.ConnectionHandle();
    if (!connection || !FtpGetCurrentDirectoryA(connection, directory, &size))
        directory[0] = '\0';
    return ReturnText(directory, pVal);
}

STDMETHODIMP FtpObject::put_CurrentDirectory(BSTR newVal)
{
    if (HINTERNET connection = session_.ConnectionHandle())
        FtpSetCurrentDirectoryA(connection, TextOf(newVal));
    return S_OK;
}

STDMETHODIMP FtpObject::CreateDirectory(BSTR Dir, LONG* pVal)
{
    HINTERNET connection = session_.ConnectionHandle();
    return ReturnFlag(connection && FtpCreateDirectoryA(connection, TextOf(Dir)), pVal);
}

STDMETHODIMP FtpObject::RemoveDirectory(BSTR Dir, LONG* pVal)
{
    HINTERNET connection = session_.ConnectionHandle();
    return ReturnFlag(connection && FtpRemoveDirectoryA(connection, TextOf(Dir)), pVal);
}

STDMETHODIMP FtpObject::Delete(BSTR Target, LONG* pVal) { return ReturnFlag(session_.FtpDelete(TextOf(Target)), pVal); }

STDMETHODIMP FtpObject::Rename(BSTR Old, BSTR New, LONG* pVal)
{
    HINTERNET connection = session_.ConnectionHandle();
    return ReturnFlag(connection && FtpRenameFileA(connection, TextOf(Old), TextOf(New)), pVal);
}

STDMETHODIMP FtpObject::Size(BSTR Target, LONG* pVal)
{
    WIN32_FIND_DATAA found = {};
    return ReturnLong(FindFirst(TextOf(Target), found) ? static_cast<long>(found.nFileSizeLow) : -1, pVal);
}

STDMETHODIMP FtpObject::DateTime(BSTR Target, BSTR* pVal)
{
    WIN32_FIND_DATAA found = {};
    VornString when;
    if (FindFirst(TextOf(Target), found))
        when = TimeText(found.ftLastWriteTime);
    return ReturnText(when, pVal);
}

}  // namespace vorn
