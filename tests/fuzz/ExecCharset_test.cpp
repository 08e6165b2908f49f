// The fuzz build's literals: its clang objects go through ExecCharsetLauncher and must hold
// the bytes g++ makes with -fexec-charset=CP932.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "TestSupport.h"
#include "fuzz/LiteralCases.h"

namespace {

std::string Hex(const char* bytes, size_t size)
{
    std::string hex;
    char digits[3];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(bytes[i]));
        hex += digits;
    }
    return hex;
}

// The command's standard output and exit status (standard error joins the output).
std::string Output(const std::string& command, int* status)
{
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char piece[256];
    size_t n;
    while (pipe && (n = std::fread(piece, 1, sizeof piece, pipe)) > 0)
        output.append(piece, n);
    int result = pipe ? pclose(pipe) : -1;
    *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return output;
}

}  // namespace

TEST(ExecCharset, FuzzBuildLiteralsHoldTheBytesOfTheGccBuild)
{
    std::string expected;
    for (const LiteralCase& c : kLiteralCases) {
        EXPECT_EQ(Hex(c.bytes, std::char_traits<char>::length(c.bytes)), Hex(c.literal, c.size)) << "g++";
        expected += Hex(c.bytes, std::char_traits<char>::length(c.bytes)) + "\n";
    }
    EXPECT_EQ("B1", Hex(&kLiteralCharacter, 1));
    expected += "B1\n";
    int status;
    EXPECT_EQ(expected, Output("'" KESTROVA_LITERAL_PROBE "'", &status)) << "clang with the launcher";
    EXPECT_EQ(0, status);
}

TEST(ExecCharset, LauncherStopsAtACharacterWithoutCp932Form)
{
    std::string source = ScratchPath("no_cp932.cpp");
    WriteBytes(source, "int ok;\nconst char* s = \"a\xE2\x82\xAC\";\n");  // the euro sign
    int status;
    std::string output = Output("'" KESTROVA_LAUNCHER "' '" KESTROVA_CLANGXX "' -fexec-charset=CP932 -o '" + source +
                                    ".o' -c '" + source + "'",
                                &status);
    EXPECT_NE(0, status);
    EXPECT_NE(std::string::npos, output.find("no_cp932.cpp:2: U+20AC has no CP932 form")) << output;
    RemoveFile(source);
}
