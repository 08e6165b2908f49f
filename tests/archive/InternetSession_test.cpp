// InternetSession against the loopback FTP and HTTP servers that with-loopback-servers.sh
// starts for this program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ArchiveTestSupport.h"
#include "common/InternetSession.h"

namespace {

struct Servers {
    INTERNET_PORT ftpPort = 0, httpPort = 0;
    std::string ftpRoot, httpRoot;
};

bool FindServers(Servers& servers)
{
    const char* ftp = std::getenv("KESTROVA_FTP_PORT");
    const char* http = std::getenv("KESTROVA_HTTP_PORT");
    if (!ftp || !http)
        return false;
    servers.ftpPort = static_cast<INTERNET_PORT>(std::atoi(ftp));
    servers.httpPort = static_cast<INTERNET_PORT>(std::atoi(http));
    servers.ftpRoot = std::getenv("KESTROVA_FTP_ROOT");
    servers.httpRoot = std::getenv("KESTROVA_HTTP_ROOT");
    return true;
}

// Without NUL bytes, so the text length must equal the byte count as well.
std::string Megabyte()
{
    std::string bytes = Pseudorandom(1 << 20, 17);
    for (char& c : bytes)
        if (c == '\0')
            c = '\x5C';
    return bytes;
}

TEST(InternetSession, HttpGetReadsAMegabyteByteForByte)
{
    Servers servers;
    if (!FindServers(servers))
        GTEST_SKIP() << "run through tests/archive/with-loopback-servers.sh";
    std::string bytes = Megabyte();
    WriteBytes(servers.httpRoot + "\\表ソ.bin", bytes);
    WriteBytes(servers.httpRoot + "\\small.txt", "abc");
    InternetSession session;
    EXPECT_STREQ("quillnest", session.agent.Text());
    session.host = "127.0.0.1";
    session.port = servers.httpPort;
    ASSERT_TRUE(session.ConnectHttp());
    VornString body;
    ASSERT_TRUE(session.HttpGet("/%E8%A1%A8%E3%82%BD.bin", body));
    EXPECT_EQ(bytes.size(), session.LastReadSize());
    EXPECT_EQ(bytes.size(), body.Length());
    EXPECT_TRUE(bytes == std::string(body.Text(), session.LastReadSize()));
    // The same connection again, for a body smaller than the first piece.
    ASSERT_TRUE(session.HttpGet("/small.txt", body));
    EXPECT_STREQ("abc", body.Text());
}

TEST(InternetSession, FtpConnectsAndDeletesOnlyTheNamedFile)
{
    Servers servers;
    if (!FindServers(servers))
        GTEST_SKIP() << "run through tests/archive/with-loopback-servers.sh";
    WriteBytes(servers.ftpRoot + "\\gone.txt", "1");
    WriteBytes(servers.ftpRoot + "\\kept.txt", "2");
    InternetSession session;
    session.host = "127.0.0.1";
    session.port = servers.ftpPort;
    session.user = "kestrova";
    session.password = "wrong";
    EXPECT_FALSE(session.ConnectFtp());
    session.password = "hoshi";
    for (bool passive : {true, false}) {
        session.passive = passive;
        ASSERT_TRUE(session.ConnectFtp()) << passive;
    }
    EXPECT_TRUE(session.FtpDelete("gone.txt"));
    EXPECT_FALSE(session.FtpDelete("absent.txt"));
    EXPECT_EQ("<missing>", ReadBytes(servers.ftpRoot + "\\gone.txt"));
    EXPECT_EQ("2", ReadBytes(servers.ftpRoot + "\\kept.txt"));
    session.Disconnect();
    EXPECT_FALSE(session.FtpDelete("kept.txt"));
}

}  // namespace
