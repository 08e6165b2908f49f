// HttpDownload against the loopback HTTP server and against a server of this test that
// trickles its body (so that the download can be cancelled) or breaks off early.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "DialogDriver.h"
#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

const int kAdvertised = 5 * 1024 * 1024;

// "/slow" sends 1 KB every 50 ms until stopped; "/short" promises 1,000,000 bytes and
// closes after 10,000.
class TricklingServer {
public:
    TricklingServer()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int size = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        listen(listener_, 4);
        thread_ = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
    }
    ~TricklingServer()
    {
        stopped_ = true;
        closesocket(listener_);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        WSACleanup();
    }
    int Port() const { return port_; }

private:
    static DWORD WINAPI Serve(void* self)
    {
        auto* server = static_cast<TricklingServer*>(self);
        for (;;) {
            SOCKET client = accept(server->listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return 0;
            server->Answer(client);
            closesocket(client);
        }
    }
    void Answer(SOCKET client)
    {
        char request[2048] = {};
        recv(client, request, sizeof request - 1, 0);
        bool slow = std::string(request).find("GET /slow ") == 0;
        std::string header = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                             std::to_string(slow ? kAdvertised : 1000000) + "\r\n\r\n";
        send(client, header.c_str(), static_cast<int>(header.size()), 0);
        std::string piece(1000, 'z');
        for (int sent = 0; slow ? !stopped_.load() : sent < 10000; sent += 1000) {
            if (send(client, piece.c_str(), static_cast<int>(piece.size()), 0) <= 0)
                break;
            if (slow)
                Sleep(50);
        }
    }

    SOCKET listener_;
    int port_ = 0;
    HANDLE thread_ = nullptr;
    std::atomic<bool> stopped_{false};
};

std::string Environment(const char* name)
{
    char value[MAX_PATH] = {};
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

std::string ItemText(HWND dialog, int id)
{
    char text[MAX_PATH] = {};
    SendDlgItemMessageA(dialog, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(HttpDownload, DownloadsByteForByteAndLeavesNoFileWhenCancelledOrIncomplete)
{
    std::string httpRoot = Environment("KESTROVA_HTTP_ROOT");
    ASSERT_FALSE(httpRoot.empty()) << "run inside with-loopback-servers.sh";
    std::string body(kAdvertised, '\0');
    unsigned seed = 12345;
    for (char& c : body)
        c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    WriteBytes(httpRoot + "\\big.bin", body);
    std::string folder = ScratchPath("download");
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"big.bin", "none.bin", "slow.bin", "short.bin", "x.bin"})
        DeleteFileA((folder + "\\" + name).c_str());

    TricklingServer server;
    std::string shown;
    Results r = RunScript("Download.vbs",
                          Environment("KESTROVA_HTTP_PORT") + "|" + std::to_string(server.Port()) + "|" + folder,
                          [&](DWORD processId) {
                              HWND dialog = FindTopWindow(processId, "#32770", "HTTP ダウンロード");
                              if (!dialog || ItemText(dialog, 1000).find("/slow") == std::string::npos)
                                  return;
                              // Cancel once bytes have arrived, so the file exists by then.
                              if (SendDlgItemMessageA(dialog, 1003, PBM_GETPOS, 0, 0) < 3000)
                                  return;
                              if (shown.empty())
                                  shown = ItemText(dialog, 1001) + "|" + ItemText(dialog, 1005) + "|" +
                                          ItemText(dialog, 1006);
                              PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                          });

    ExpectAll(r, {
        {"big", Str("OK")}, {"missing", Str("ERROR")}, {"noserver", Str("ERROR")}, {"cancel", Str("CANCEL")},
        {"short", Str("ERROR")}, {"nofolder", Str("ERROR")}, {"badsize", kConversionFailed},
    });
    EXPECT_TRUE(body == ReadBytes(folder + "\\big.bin"));
    EXPECT_EQ(folder + "\\slow.bin|5,242,880|4,096", shown);
    for (const char* name : {"none.bin", "slow.bin", "short.bin", "x.bin"})
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\" + name).c_str())) << name;
}

}  // namespace
