#include "tools/ResultText.h"

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

const std::string kSeparator = "\n----------------------------------------\n";

void MakeFolder(const std::string& path)
{
#ifdef _WIN32
    CreateDirectoryA(path.c_str(), nullptr);
#else
    mkdir(path.c_str(), 0755);
#endif
}

std::string Built(const std::string& output, const std::string& script)
{
    return BuildResultText(output.c_str(), script.c_str()).Text();
}

// Blanks as the main program writes them into its batch file.
std::string Encoded(const std::string& path)
{
    std::string out;
    for (char c : path)
        out += c == ' ' ? std::string("\\\\\\") : std::string(1, c);
    return out;
}

}  // namespace

TEST(ResultTextTest, OutputThenSeparatorThenScriptLinesNumbered)
{
    std::string output = ScratchPath("Result.txt");
    std::string script = ScratchPath("Action.vbs");
    WriteBytes(output, "結果1\r\nソ表\r\n");
    WriteBytes(script, "Dim a\r\na = 1\r\nWscript.Echo a\r\n");
    EXPECT_EQ("結果1\nソ表\n" + kSeparator + "0001 Dim a\n0002 a = 1\n0003 Wscript.Echo a\n", Built(output, script));
}

TEST(ResultTextTest, TabsLineEndsAndLongLinesInTheScript)
{
    std::string script = ScratchPath("tabs.bat");
    std::string longLine(1022, 'x');
    longLine += "表";  // its trail byte lies beyond the 1023-byte piece
    longLine += std::string(1500, 'y');
    WriteBytes(script, "\techo\t表\t\n\n" + longLine + "\r\nlast line without end");
    EXPECT_EQ(kSeparator + "0001     echo    表    \n0002 \n0003 " + longLine + "\n0004 last line without end",
              Built(ScratchPath("missing-output.txt"), script));
}

TEST(ResultTextTest, MissingOrUnreadableFilesLeaveTheirPartEmpty)
{
    std::string output = ScratchPath("only-output.txt");
    WriteBytes(output, "out");
    EXPECT_EQ("out" + kSeparator, Built(output, ScratchPath("no-script.vbs")));
    EXPECT_EQ(kSeparator, std::string(BuildResultText(nullptr, nullptr).Text()));
    // NUL bytes (a program writing UTF-16) would end the clipboard text early.
    WriteBytes(output, std::string("a\0b\0", 4));
    EXPECT_EQ("ab" + kSeparator, Built(output, ""));
}

TEST(ResultTextTest, ThreeBackslashesStandForABlank)
{
    struct Case {
        const char* argument;
        const char* path;
    } cases[] = {
        {"C:\\Program\\\\\\Files\\x.txt", "C:\\Program Files\\x.txt"},
        {"a\\\\\\\\\\\\b", "a  b"},
        {"C:\\\\\\\\x", "C:\\ x"},          // a folder name that starts with a blank
        {"\\\\server\\share", "\\\\server\\share"},
        {"表\\\\\\x", "表 x"},              // 表 ends in 0x5C, which is no backslash
        {"ソ\\x", "ソ\\x"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.path, std::string(ResultPathArgument(c.argument).Text())) << c.argument;
}

TEST(ResultTextTest, FolderWithABlankOpensThroughThreeBackslashes)
{
    std::string folder = ScratchPath("実行 結果");
    MakeFolder(folder);
#ifdef _WIN32
    const std::string separator = "\\";
#else
    const std::string separator = "/";
#endif
    std::string output = folder + separator + "Result 1.txt";
    std::string script = folder + separator + "Code Area.bat";
    WriteBytes(output, "ok\n");
    WriteBytes(script, "@echo off\n");
    EXPECT_EQ("ok\n" + kSeparator + "0001 @echo off\n", Built(Encoded(output), Encoded(script)));
}
