#include "archive/dlls/ArchiveOperations.h"

#include <gtest/gtest.h>

#include "ArchiveTestSupport.h"
#include "archive/dlls/ArchiveCatalog.h"
#include "archive/dlls/LzhFormat.h"
#include "archive/dlls/ZipFormat.h"

namespace {

struct Dialect {
    const char* name;
    const ArchiveFormat& format;
    CommandDialect adder;
    CommandDialect extractor;
    std::string add, remove, flat, withFolders;
    std::string everythingUnder;  // how the dialect's callers write "all of sub/"
};

const ZipFormat kZip;
const LzhFormat kLzh;

std::vector<Dialect> Dialects()
{
    return {{"zip", kZip, CommandDialect::Zip, CommandDialect::UnZip, "-rD ", "-d ", "-u -j ", "-u ", "sub/\\*"},
            {"lzh", kLzh, CommandDialect::Lha, CommandDialect::Lha, "U -r2x ", "D -p2 ", "E -p2 ", "X -p2 ", "sub/*"}};
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::vector<std::string> Listed(const ArchiveFormat& format, const std::string& archive, const char* wildcard = "")
{
    ArchiveCatalog catalog(format);
    std::vector<std::string> names;
    if (catalog.Open(archive) != ArchiveStatus::Ok)
        return {"<cannot open>"};
    ArchiveEntry entry;
    for (bool more = catalog.First(wildcard, entry); more; more = catalog.Next(entry))
        names.push_back(entry.fileName);
    return names;
}

class ArchiveOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        source_ = FreshFolder("source");
        PutFile(source_, "表ソ.txt", TextLines(200));
        PutFile(source_, "sub/①～.txt", "①～㈱髙表ソ");
        PutFile(source_, "sub/deeper/㈱髙.bin", Pseudorandom(5000, 9));
        PutFile(source_, "sub/empty", "");
    }

    ArchiveStatus Run(CommandDialect dialect, const std::string& text)
    {
        message_.clear();
        return RunCommandText(dialect, text, message_);
    }

    std::string source_;
    std::string message_;
};

TEST_F(ArchiveOperations, AddedTreesExtractWithAndWithoutFoldersKeepingDataAndTimes)
{
    for (const Dialect& d : Dialects()) {
        std::string archive = ScratchPath((std::string("tree.") + d.name).c_str());
        RemoveFile(archive);
        ASSERT_EQ(ArchiveStatus::Ok, Run(d.adder, d.add + Quoted(archive) + " " + Quoted(source_) + " \"表ソ.txt\" \"sub\""))
            << d.name << message_;
        std::vector<std::string> expected = {"表ソ.txt", "sub/deeper/㈱髙.bin", "sub/empty", "sub/①～.txt"};
        EXPECT_EQ(expected, Listed(d.format, archive)) << d.name;
        EXPECT_EQ(std::vector<std::string>({"表ソ.txt", "sub/①～.txt"}), Listed(d.format, archive, "*.TXT")) << d.name;

        std::string withFolders = FreshFolder("with-folders");
        ASSERT_EQ(ArchiveStatus::Ok, Run(d.extractor, d.withFolders + Quoted(archive) + " " + Quoted(withFolders)))
            << d.name << message_;
        for (const char* name : {"表ソ.txt", "sub/①～.txt", "sub/deeper/㈱髙.bin", "sub/empty"}) {
            EXPECT_EQ(FileAt(source_, name), FileAt(withFolders, name)) << d.name << " " << name;
            std::string path = archivepath::Join(withFolders, archivepath::ToPlatform(name));
            EXPECT_EQ(986128496, fileaccess::ModifiedTime(path)) << d.name << " " << name;
        }

        std::string flat = FreshFolder("flat");
        ASSERT_EQ(ArchiveStatus::Ok, Run(d.extractor, d.flat + Quoted(archive) + " " + Quoted(flat) + " \"sub\\deeper\\㈱髙.bin\" \"表ソ.txt\""))
            << d.name << message_;
        EXPECT_EQ(std::vector<std::string>({"㈱髙.bin", "表ソ.txt"}), fileaccess::FolderNames(flat)) << d.name;
        EXPECT_EQ(FileAt(source_, "sub/deeper/㈱髙.bin"), FileAt(flat, "㈱髙.bin")) << d.name;
    }
}

TEST_F(ArchiveOperations, AddingAgainReplacesAndDeletingTakesWholeFolders)
{
    for (const Dialect& d : Dialects()) {
        std::string archive = ScratchPath((std::string("update.") + d.name).c_str());
        RemoveFile(archive);
        std::string add = d.add + Quoted(archive) + " " + Quoted(source_) + " \"表ソ.txt\" \"sub\"";
        ASSERT_EQ(ArchiveStatus::Ok, Run(d.adder, add)) << d.name << message_;
        PutFile(source_, "表ソ.txt", "changed");
        ASSERT_EQ(ArchiveStatus::Ok, Run(d.adder, add)) << d.name << message_;
        EXPECT_EQ(4u, Listed(d.format, archive).size()) << d.name;

        ASSERT_EQ(ArchiveStatus::Ok, Run(d.adder, d.remove + Quoted(archive) + " " + Quoted(d.everythingUnder)))
            << d.name << message_;
        EXPECT_EQ(std::vector<std::string>({"表ソ.txt"}), Listed(d.format, archive)) << d.name;
        EXPECT_EQ(ArchiveStatus::NoMatch, Run(d.adder, d.remove + Quoted(archive) + " \"nothing.txt\"")) << d.name;

        std::string out = FreshFolder("updated");
        ASSERT_EQ(ArchiveStatus::Ok, Run(d.extractor, d.withFolders + Quoted(archive) + " " + Quoted(out)));
        EXPECT_EQ("changed", FileAt(out, "表ソ.txt")) << d.name;
    }
}

TEST_F(ArchiveOperations, EntriesPointingOutsideTheDestinationAreSkippedAndReported)
{
    for (const Dialect& d : Dialects()) {
        std::vector<ArchiveMember> members;
        for (const char* name : {"../evil.txt", "/abs.txt", "C:/drive.txt", "ok/../../evil2.txt", "good.txt"}) {
            ArchiveMember member;
            member.name = name;
            d.format.Pack("payload", member);
            members.push_back(member);
        }
        std::string archive = ScratchPath((std::string("evil.") + d.name).c_str());
        WriteBytes(archive, d.format.Write(members));
        std::string top = FreshFolder("evil-top");
        std::string out = top + "out" + kSep;
        fileaccess::MakeFolders(out);
        EXPECT_EQ(ArchiveStatus::UnsafePath, Run(d.extractor, d.withFolders + Quoted(archive) + " " + Quoted(out))) << d.name;
        EXPECT_FALSE(message_.empty());
        EXPECT_EQ("payload", FileAt(out, "good.txt")) << d.name;
        EXPECT_EQ(std::vector<std::string>({"out"}), fileaccess::FolderNames(top)) << d.name;
        EXPECT_EQ(std::vector<std::string>({"good.txt"}), fileaccess::FolderNames(out)) << d.name;
    }
}

TEST_F(ArchiveOperations, MissingDamagedAndCorruptInputsGiveErrorsAndLeaveFilesAlone)
{
    for (const Dialect& d : Dialects()) {
        std::string out = FreshFolder("errors");
        std::string missing = ScratchPath("no-such-archive");
        EXPECT_EQ(ArchiveStatus::ArchiveMissing, Run(d.extractor, d.withFolders + Quoted(missing) + " " + Quoted(out)));
        EXPECT_EQ(ArchiveStatus::FileMissing, Run(d.adder, d.add + Quoted(missing) + " " + Quoted(source_) + " \"absent.txt\""));
        EXPECT_FALSE(fileaccess::Exists(missing)) << d.name;

        std::string damaged = ScratchPath("damaged.arc");
        WriteBytes(damaged, "not an archive, only a few words of text");
        EXPECT_EQ(ArchiveStatus::ArchiveDamaged, Run(d.extractor, d.withFolders + Quoted(damaged) + " " + Quoted(out)));
        EXPECT_EQ(ArchiveStatus::ArchiveDamaged, Run(d.adder, d.add + Quoted(damaged) + " " + Quoted(source_) + " \"表ソ.txt\""));
        EXPECT_EQ("not an archive, only a few words of text", ReadBytes(damaged)) << d.name;

        ArchiveMember member;
        member.name = "bad-crc.bin";
        d.format.Pack(Pseudorandom(300, 4), member);
        member.crc ^= 1;
        std::string corrupt = ScratchPath("corrupt.arc");
        WriteBytes(corrupt, d.format.Write({member}));
        EXPECT_EQ(ArchiveStatus::CrcMismatch, Run(d.extractor, d.withFolders + Quoted(corrupt) + " " + Quoted(out))) << d.name;
        EXPECT_TRUE(fileaccess::FolderNames(out).empty()) << d.name;
        EXPECT_EQ(ArchiveStatus::NoMatch, Run(d.extractor, d.withFolders + Quoted(corrupt) + " " + Quoted(out) + " \"x\""));
    }
}

TEST(ArchiveCatalog, EntryRecordsCarrySizesRatioModeAndCutNames)
{
    ArchiveMember member;
    member.name = "a";
    for (int i = 0; i < 300; ++i)
        member.name += "表";
    member.dosDate = 0x2A81;
    member.dosTime = 0x6458;
    LzhFormat().Pack(TextLines(100), member);
    ArchiveEntry entry;
    FillEntry(member, entry);
    EXPECT_EQ(511u, std::string(entry.fileName).size());
    EXPECT_EQ(TextLines(100).size(), entry.originalSize);
    EXPECT_EQ(member.packed.size(), entry.compressedSize);
    EXPECT_EQ(member.packed.size() * 1000 / entry.originalSize, entry.ratio);
    EXPECT_EQ(member.crc, entry.crc);
    EXPECT_EQ(0x2A81, entry.dosDate);
    EXPECT_EQ(0x6458, entry.dosTime);
    EXPECT_STREQ("-lh5-", entry.mode);
    EXPECT_STREQ("----A", entry.attribute);
}

}  // namespace
