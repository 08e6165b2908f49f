// The Ftp object against the loopback FTP server the test program runs beside: transfers
// of a megabyte in both directions byte for byte, the directory members, the list text,
// and what a missing file, a wrong password or no connection give.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
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

    EXPECT_TRUE(uploaded == ReadBytes(local + "\\back.bin")) << local + "\\back.bin";
    EXPECT_TRUE(served == ReadBytes(local + "\\fromserver.bin")) << local + "\\fromserver.bin";
    EXPECT_TRUE(uploaded == ReadBytes(local + "\\passive.bin")) << local + "\\passive.bin";
    EXPECT_TRUE(uploaded == ReadBytes(root + "\\kept.bin")) << root + "\\kept.bin";
    EXPECT_EQ("<missing>", ReadBytes(root + "\\moved.bin"));
    EXPECT_EQ("<missing>", ReadBytes(local + "\\never.bin"));
    EXPECT_EQ("<missing>", ReadBytes(local + "\\absent.bin"));

    // The server gives times to the minute; they are checked for their form, and the
    // last-written time of DateTime must be the one the list shows.
    const std::regex time("\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d");
    std::string when = At(r, "DateTime");
    ASSERT_TRUE(when.compare(0, 7, "String:") == 0 && std::regex_match(when.substr(7), time)) << when;
    EXPECT_NE(std::string::npos, At(r, "List").find("up.bin<TAB>" + when.substr(7) + "<TAB>"));
    for (const char* key : {"List", "List.bins", "List.sub", "List.after"})
        r[key] = std::regex_replace(r[key], time, "T");
    const std::string header = "№<TAB>ファイル名<TAB>最終更新<TAB>属性<TAB>サイズ<TAB>作成日<TAB>最終アクセス";
    // Wine reports files with no attribute bit and folders as FILE_ATTRIBUTE_DIRECTORY.
    auto row = [](const char* number, const char* name, const char* attributes, const char* size) {
        return std::string(number) + "<TAB>" + name + "<TAB>T<TAB>" + attributes + "<TAB>" + size + "<TAB>T<TAB>T";
    };
    ExpectAll(r, {
        {"Unconnected.Size", Long(-1)}, {"Unconnected.Download", Long(0)}, {"Unconnected.Directory", Str("")},
        {"Unconnected.List", "String:" + header + "<LF>"},
        {"WrongPassword", Long(0)}, {"WrongPassword.Size", Long(-1)},
        {"Connect.badbool", kConversionFailed}, {"Connect", Long(1)},
        {"Upload", Long(-1)}, {"Upload.kept", Long(-1)}, {"Upload.missingLocal", Long(0)},
        {"Size", Long(1 << 20)},
        {"Download.server", Long(-1)}, {"Download.up", Long(-1)}, {"Download.missing", Long(0)},
        {"Size.missing", Long(-1)}, {"DateTime.missing", Str("")},
        {"CreateDirectory", Long(-1)}, {"CreateDirectory.again", Long(0)}, {"Upload.sub", Long(-1)},
        {"List", "String:" + header + "<LF>" + row("   1", "kept.bin", "0", "1048576") + "<LF>" +
                     row("   2", "server.bin", "0", "1048576") + "<LF>" + row("   3", "sub", "10", "0") + "<LF>" +
                     row("   4", "up.bin", "0", "1048576") + "<LF>"},
        {"List.null", kConversionFailed}, {"Size.array", kTypeMismatch},
        {"List.bins", "String:" + header + "<CR><LF>" + row("   3", "up.bin", "0", "1048576") + "<CR><LF>" +
                          row("   2", "server.bin", "0", "1048576") + "<CR><LF>" +
                          row("   1", "kept.bin", "0", "1048576") + "<CR><LF>"},
        {"List.sub", "String:" + header + "<LF>" + row("   1", "small.txt", "0", "5") + "<LF>"},
        {"CurrentDirectory", Str("/sub")}, {"Size.relative", Long(5)}, {"CurrentDirectory.root", Str("/")},
        {"Rename", Long(-1)}, {"Rename.missing", Long(0)}, {"Delete", Long(-1)}, {"Delete.missing", Long(0)},
        {"RemoveDirectory.notEmpty", Long(0)}, {"Delete.sub", Long(-1)}, {"RemoveDirectory", Long(-1)},
        {"RemoveDirectory.missing", Long(0)},
        {"List.after", "String:" + header + "<LF>" + row("   1", "kept.bin", "0", "1048576") + "<LF>" +
                           row("   2", "server.bin", "0", "1048576") + "<LF>"},
        {"Disconnected.Size", Long(-1)}, {"Passive", Long(1)}, {"Passive.Download", Long(-1)},
    });
}

}  // namespace
