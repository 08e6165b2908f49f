#include "tools/RegistryDump.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const unsigned char* Bytes(const char* text)
{
    return reinterpret_cast<const unsigned char*>(text);
}

}  // namespace

TEST(RegistryPathTest, RootIsACaseSensitivePrefixEndingAtABackslash)
{
    const char* words[] = {"HKEY_CURRENT_USER\\Software\\値", "表ソ", "x"};
    std::string joined = JoinRegistryArguments(3, words);
    EXPECT_EQ("HKEY_CURRENT_USER\\Software\\値 表ソ x", joined);
    const struct {
        const char* path;
        RegistryRoot root;
        const char* subKey;
    } cases[] = {
        {"HKEY_CLASSES_ROOT\\.txt", RegistryRoot::ClassesRoot, ".txt"},
        {"HKEY_LOCAL_MACHINE\\Software\\表\\ソ", RegistryRoot::LocalMachine, "Software\\表\\ソ"},
        {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser, ""},
        {"HKEY_USERS\\.DEFAULT", RegistryRoot::Users, ".DEFAULT"},
        {"hkey_current_user\\Software", RegistryRoot::None, ""},
        {"HKEY_CURRENT_USERS\\Software", RegistryRoot::None, ""},
        {"Software\\Kestrova", RegistryRoot::None, ""},
        {"", RegistryRoot::None, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        RegistryPath path = ParseRegistryPath(c.path);
        EXPECT_EQ(c.root, path.root);
        EXPECT_EQ(c.subKey, path.subKey);
    }
}

TEST(RegistryDumpTest, StringBinaryAndDwordLinesOthersSkipped)
{
    RegistryDump dump;
    EXPECT_TRUE(dump.AddValue("", 0, kRegistryString, Bytes("既定"), 5));
    EXPECT_TRUE(dump.AddValue("表示", 4, kRegistryString, Bytes("ソフト=表"), 10));
    // Stored without its NUL.
    EXPECT_TRUE(dump.AddValue("raw", 3, kRegistryString, Bytes("abcdef"), 3));
    const unsigned char binary[] = {0x00, 0x5C, 0xFF, 0x0A};
    EXPECT_TRUE(dump.AddValue("bin", 3, kRegistryBinary, binary, sizeof binary));
    EXPECT_TRUE(dump.AddValue("empty", 5, kRegistryBinary, binary, 0));
    const unsigned char allBits[] = {0xFF, 0xFF, 0xFF, 0xFF};
    const unsigned char five[] = {5, 0, 0, 0};
    EXPECT_TRUE(dump.AddValue("neg", 3, kRegistryDword, allBits, 4));
    EXPECT_TRUE(dump.AddValue("dw", 2, kRegistryDword, five, 4));
    EXPECT_TRUE(dump.AddValue("expand", 6, 2, Bytes("%TEMP%"), 7));
    EXPECT_TRUE(dump.AddValue("multi", 5, 7, Bytes("a\0b\0"), 5));
    EXPECT_TRUE(dump.AddValue("qword", 5, 11, allBits, 4));
    EXPECT_TRUE(dump.AddValue("none", 4, 0, binary, 2));
    EXPECT_EQ("=既定\r\n表示=ソフト=表\r\nraw=abc\r\nbin=00 5c ff 0a \r\nempty=\r\n"
              "neg=0xffffffff (-1)\r\ndw=0x00000005 (5)\r\n\r\n",
              dump.Output());
    EXPECT_EQ("\r\n", RegistryDump().Output());
    EXPECT_EQ("レジストリをOPENできませんでした\r\n", RegistryOpenErrorOutput());
}

TEST(RegistryDumpTest, OutputStopsWithTheReadErrorAtTheBufferLimit)
{
    // Lines of 100 bytes: 639 fill 63900 of the 64000 bytes.
    const std::string text(96, 'x');
    RegistryDump dump;
    size_t accepted = 0;
    while (accepted < 1000 && dump.AddValue("v", 1, kRegistryString, Bytes(text.c_str()), text.size() + 1))
        ++accepted;
    dump.SetReadError();
    EXPECT_EQ(639u, accepted);
    std::string expected = "読み込みエラー\r\n";
    for (size_t i = 0; i < accepted; ++i)
        expected += "v=" + text + "\r\n";
    EXPECT_EQ(expected + "\r\n", dump.Output());

    // The last 100 bytes hold a 99-byte line and the NUL, not a 100-byte line.
    for (size_t last : {99u, 100u}) {
        SCOPED_TRACE(last);
        RegistryDump full;
        for (int i = 0; i < 639; ++i)
            ASSERT_TRUE(full.AddValue("v", 1, kRegistryString, Bytes(text.c_str()), text.size() + 1));
        std::string lastText(last - 4, 'z');
        EXPECT_EQ(last == 99, full.AddValue("v", 1, kRegistryString, Bytes(lastText.c_str()), lastText.size()));
    }
}
