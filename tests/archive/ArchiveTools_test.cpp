// Archives of the real tools read by our code, and ours checked by the real tools.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ArchiveTestSupport.h"
#include "archive/dlls/ArchiveCatalog.h"
#include "archive/dlls/ArchiveOperations.h"
#include "archive/dlls/ZipFormat.h"

namespace {

bool HasTool(const char* name) { return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0; }

int Shell(const std::string& command) { return std::system(("LC_ALL=C " + command).c_str()); }

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Names of the tree: 表 and ソ end in 0x5C, the others are outside JIS X 0208 row order.
const char* const kNames[] = {"表ソ.txt", "sub/①～.txt", "sub/deeper/㈱髙.bin", "sub/empty", "big.txt"};

std::string MakeTree()
{
    std::string source = FreshFolder("tool-source");
    PutFile(source, kNames[0], TextLines(200));
    PutFile(source, kNames[1], "①～㈱髙表ソ");
    PutFile(source, kNames[2], Pseudorandom(5000, 9));
    PutFile(source, kNames[3], "");
    PutFile(source, kNames[4], TextLines(30000));
    return source;
}

void ExpectSameTree(const std::string& source, const std::string& copy, const char* what)
{
    for (const char* name : kNames)
        EXPECT_TRUE(FileAt(source, name) == FileAt(copy, name)) << what << " " << name;
}

class ArchiveTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"zip", "unzip", "python3", "lhasa"})
            if (!HasTool(tool))
                GTEST_SKIP() << tool << " is not installed (scripts/setup.sh installs it)";
        source_ = MakeTree();
    }
    std::string source_;
    std::string message_;
};

TEST_F(ArchiveTools, ZipFilesOfInfoZipAndPythonExtractIdentically)
{
    std::string made = ScratchPath("made");
    FreshFolder("made");
    std::string script = ScratchPath("make.py");
    // Python writes data descriptors to a stream it cannot seek; names must be ASCII there,
    // since it writes any other name as UTF-8.
    WriteBytes(script,
               "import sys, zipfile\n"
               "class Stream:\n"
               "    def __init__(s, f): s.f = f\n"
               "    def write(s, b): return s.f.write(b)\n"
               "    def flush(s): s.f.flush()\n"
               "with open(sys.argv[1], 'wb') as f:\n"
               "    with zipfile.ZipFile(Stream(f), 'w') as z:\n"
               "        z.writestr(zipfile.ZipInfo('p/deflated.txt', (2001, 4, 1, 12, 34, 56)), open(sys.argv[2], 'rb').read(), zipfile.ZIP_DEFLATED)\n"
               "        z.writestr(zipfile.ZipInfo('stored.bin', (2001, 4, 1, 12, 34, 56)), open(sys.argv[3], 'rb').read(), zipfile.ZIP_STORED)\n");
    ASSERT_EQ(0, Shell("cd " + Quoted(source_) + " && zip -qr " + Quoted(made + "/plain.zip") + " ."));
    ASSERT_EQ(0, Shell("cd " + Quoted(source_) + " && zip -qr0 " + Quoted(made + "/stored.zip") + " ."));
    ASSERT_EQ(0, Shell("cd " + Quoted(source_) + " && zip -qr - . | cat > " + Quoted(made + "/streamed.zip")));
    ASSERT_EQ(0, Shell("python3 " + Quoted(script) + " " + Quoted(made + "/python.zip") + " " +
                       Quoted(source_ + "big.txt") + " " + Quoted(source_ + "sub/deeper/㈱髙.bin")));

    for (const char* archive : {"plain.zip", "stored.zip", "streamed.zip"}) {
        std::string out = FreshFolder("tool-out");
        EXPECT_EQ(ArchiveStatus::Ok,
                  RunCommandText(CommandDialect::UnZip, "-u " + Quoted(made + "/" + archive) + " " + Quoted(out), message_))
            << archive << message_;
        ExpectSameTree(source_, out, archive);
    }
    std::string out = FreshFolder("tool-out");
    EXPECT_EQ(ArchiveStatus::Ok,
              RunCommandText(CommandDialect::UnZip, "-u " + Quoted(made + "/python.zip") + " " + Quoted(out), message_))
        << message_;
    EXPECT_TRUE(FileAt(source_, "big.txt") == FileAt(out, "p/deflated.txt"));
    EXPECT_TRUE(FileAt(source_, "sub/deeper/㈱髙.bin") == FileAt(out, "stored.bin"));
}

TEST_F(ArchiveTools, OurZipFilesPassUnzipAndPythonWithShiftJisNamesKept)
{
    std::string archive = ScratchPath("ours.zip");
    RemoveFile(archive);
    ASSERT_EQ(ArchiveStatus::Ok, RunCommandText(CommandDialect::Zip,
                                                "-rD " + Quoted(archive) + " " + Quoted(source_) +
                                                    " \"表ソ.txt\" \"sub\" \"big.txt\"",
                                                message_))
        << message_;
    EXPECT_EQ(0, Shell("unzip -tq " + Quoted(archive) + " >/dev/null"));
    std::string expectedNames;
    for (const char* name : {"表ソ.txt", "sub/deeper/㈱髙.bin", "sub/empty", "sub/①～.txt", "big.txt"})
        for (unsigned char c : std::string(name))
            expectedNames += "0123456789abcdef"[c >> 4], expectedNames += "0123456789abcdef"[c & 15];
    EXPECT_EQ(0, Shell("python3 -c \"import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
                       "sys.exit(z.testzip() is not None or ''.join(n.encode('cp437').hex() for n in z.namelist()) != sys.argv[2])\" " +
                       Quoted(archive) + " " + expectedNames));
    // Info-ZIP's unzip takes every 0x5C byte of a DOS-made archive's names for a separator
    // (warning status 1) and converts the other bytes from an OEM code page, so only the
    // ASCII names come out as they went in (the Shift_JIS ones are checked through Python).
    std::string out = FreshFolder("unzipped");
    EXPECT_GE(1, Shell("unzip -qo " + Quoted(archive) + " -d " + Quoted(out) + " 2>/dev/null") >> 8);
    for (const char* name : {"sub/empty", "big.txt"})
        EXPECT_TRUE(FileAt(source_, name) == FileAt(out, name)) << name;
}

TEST_F(ArchiveTools, OurLzhFilesPassLhasaTestAndExtractIdentically)
{
    std::string archive = ScratchPath("ours.lzh");
    RemoveFile(archive);
    ASSERT_EQ(ArchiveStatus::Ok, RunCommandText(CommandDialect::Lha,
                                                "U -r2x " + Quoted(archive) + " " + Quoted(source_) +
                                                    " \"表ソ.txt\" \"sub\" \"big.txt\"",
                                                message_))
        << message_;
    EXPECT_EQ(0, Shell("lhasa tq " + Quoted(archive) + " >/dev/null"));
    std::string out = FreshFolder("lhasa-out");
    ASSERT_EQ(0, Shell("cd " + Quoted(out) + " && lhasa xfq " + Quoted(archive) + " >/dev/null"));
    ExpectSameTree(source_, out, "lhasa");
    EXPECT_EQ(986128496, fileaccess::ModifiedTime(out + "big.txt"));
}

}  // namespace
