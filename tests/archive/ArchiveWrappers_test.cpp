// LhaArchive and ZipArchive over the program's own DLLs, loaded by name as the program
// loads them: listing, adding, deleting, extracting and the failures.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "ArchiveTestSupport.h"
#include "WindowTestSupport.h"
#include "archive/dlls/LzhFormat.h"
#include "archive/dlls/ZipFormat.h"
#include "common/LhaArchive.h"
#include "common/ZipArchive.h"

namespace {

struct Kind {
    const char* extension;
    bool lha;
};
const Kind kKinds[] = {{".lzh", true}, {".zip", false}};

std::unique_ptr<ArchiveWrapper> Wrapper(const Kind& kind, HWND owner = nullptr)
{
    if (kind.lha)
        return std::unique_ptr<ArchiveWrapper>(new LhaArchive(owner));
    return std::unique_ptr<ArchiveWrapper>(new ZipArchive(owner));
}

class ArchiveWrappers : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDllDirectoryA(KESTROVA_PROGRAM_DIR);
        source_ = FreshFolder("wrap source");
        PutFile(source_, "表ソ.txt", TextLines(300));
        PutFile(source_, "a/①～.txt", "①～㈱髙表ソ");
        PutFile(source_, "a/b/㈱髙.bin", Pseudorandom(3000, 5));
        PutFile(source_, "c d.txt", "blank");
        grid_.reset(new GridView(window_.Handle(), 0, 0, 400, 300));
    }

    // An archive of 表ソ.txt and the folder a, made through the wrapper itself.
    std::string Make(ArchiveWrapper& archive, const Kind& kind, const char* name)
    {
        std::string path = ScratchPath((std::string(name) + kind.extension).c_str());
        RemoveFile(path);
        archive.SetPath(path.c_str());
        std::string list = source_ + "表ソ.txt\t" + source_ + "a";
        EXPECT_EQ(0, archive.AddFiles(list.c_str())) << archive.CommandLine().Text() << "\n" << archive.Output().Text();
        return path;
    }

    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < grid_->RowCount(); ++row)
            texts.push_back(grid_->CellText(row, column).Text());
        return texts;
    }

    bool Reopen(ArchiveWrapper& archive, const std::string& path)
    {
        if (!archive.Open(path.c_str()))
            return false;
        bool listed = archive.List(*grid_, "*.*");
        archive.Close();
        return listed;
    }

    void Select(const char* fullPath)
    {
        for (int row = 0; row < grid_->RowCount(); ++row)
            grid_->SelectRow(row, grid_->CellText(row, kArchiveFullPath).Equals(fullPath));
    }

    RecordingWindow window_{"wrappers", false};
    std::unique_ptr<GridView> grid_;
    std::string source_;
};

TEST_F(ArchiveWrappers, ListingPutsRootEntriesFirstAndNumbersAfterSorting)
{
    for (const Kind& kind : kKinds) {
        auto archive = Wrapper(kind);
        std::string path = Make(*archive, kind, "list");
        ASSERT_TRUE(Reopen(*archive, path)) << archive->ErrorText().Text();
        EXPECT_EQ(std::vector<std::string>({"表ソ.txt", "a/b/㈱髙.bin", "a/①～.txt"}), Column(kArchiveFullPath));
        EXPECT_EQ(std::vector<std::string>({"   1", "   2", "   3"}), Column(kArchiveNumber));
        EXPECT_EQ(std::vector<std::string>({"", "a/b", "a"}), Column(kArchiveFolder));
        EXPECT_EQ(std::vector<std::string>({"表ソ.txt", "㈱髙.bin", "①～.txt"}), Column(kArchiveFileName));
        EXPECT_STREQ(kind.lha ? "     3000" : "3000", grid_->CellText(1, kArchiveSize).Text());
        EXPECT_EQ(12, grid_->ColumnCount());
        EXPECT_STREQ("ソート", grid_->ColumnTitle(kArchiveSortKey).Text());
        EXPECT_EQ(0, grid_->ColumnWidth(kArchiveSortKey));
        EXPECT_TRUE(grid_->IsRightAligned(kArchiveRatio));
    }
}

TEST_F(ArchiveWrappers, AddingAndDeletingChangeExactlyTheNamedEntries)
{
    for (const Kind& kind : kKinds) {
        auto archive = Wrapper(kind);
        std::string path = Make(*archive, kind, "change");
        std::string more = source_ + "c d.txt";
        ASSERT_EQ(0, archive->AddFiles(more.c_str())) << archive->ErrorText().Text();
        ASSERT_TRUE(Reopen(*archive, path));
        EXPECT_EQ(std::vector<std::string>({"c d.txt", "表ソ.txt", "a/b/㈱髙.bin", "a/①～.txt"}),
                  Column(kArchiveFullPath));
        Select("a/①～.txt");
        ASSERT_EQ(0, archive->DeleteSelected(*grid_)) << archive->ErrorText().Text();
        ASSERT_TRUE(Reopen(*archive, path));
        EXPECT_EQ(std::vector<std::string>({"c d.txt", "表ソ.txt", "a/b/㈱髙.bin"}), Column(kArchiveFullPath));
    }
}

TEST_F(ArchiveWrappers, ZipFolderEntryIsDeletedWithEverythingBelowIt)
{
    std::vector<ArchiveMember> members(3);
    ZipFormat zip;
    const char* names[] = {"d/", "d/表.txt", "e.txt"};
    for (size_t i = 0; i < members.size(); ++i) {
        members[i].name = names[i];
        members[i].dosDate = 0x2A81;
        zip.Pack(members[i].IsFolder() ? "" : "x", members[i]);
    }
    std::string path = ScratchPath("folder.zip");
    WriteBytes(path, zip.Write(members));
    ZipArchive archive(nullptr);
    ASSERT_TRUE(Reopen(archive, path));
    Select("d/");
    ASSERT_EQ(0, archive.DeleteSelected(*grid_)) << archive.ErrorText().Text();
    EXPECT_EQ(("-d \"" + path + "\" \"d/\\*\"").c_str(), std::string(archive.CommandLine().Text()));
    ASSERT_TRUE(Reopen(archive, path));
    EXPECT_EQ(std::vector<std::string>({"e.txt"}), Column(kArchiveFullPath));
}

TEST_F(ArchiveWrappers, ExtractsIntoFoldersWithBlanks)
{
    for (const Kind& kind : kKinds) {
        auto archive = Wrapper(kind);
        std::string path = Make(*archive, kind, "ex tract 解凍");
        ASSERT_TRUE(Reopen(*archive, path));

        std::string selected = FreshFolder(std::string("sel ected 解凍") + kind.extension);
        Select("a/b/㈱髙.bin");
        ASSERT_EQ(0, archive->ExtractSelected(grid_.get(), selected.c_str())) << archive->ErrorText().Text();
        EXPECT_EQ(FileAt(source_, "a/b/㈱髙.bin"), FileAt(selected, "a/b/㈱髙.bin"));
        EXPECT_EQ(std::vector<std::string>({"a"}), fileaccess::FolderNames(selected));

        std::string one = FreshFolder(std::string("o ne") + kind.extension);
        ASSERT_EQ(0, archive->ExtractOne(*grid_, 2, one.c_str()));
        EXPECT_EQ("①～㈱髙表ソ", FileAt(one, "①～.txt"));

        std::string all = FreshFolder(std::string("a ll") + kind.extension);
        ASSERT_EQ(0, archive->ExtractSelected(nullptr, all.c_str()));
        EXPECT_EQ(TextLines(300), FileAt(all, "表ソ.txt"));
        EXPECT_EQ(FileAt(source_, "a/b/㈱髙.bin"), FileAt(all, "a/b/㈱髙.bin"));

        ASSERT_EQ(0, archive->ExtractAllIntoFolder(false)) << archive->ErrorText().Text();
        std::string named = path.substr(0, path.size() - 4) + kSep;
        EXPECT_EQ("①～㈱髙表ソ", FileAt(named, "a/①～.txt"));
        EXPECT_EQ(4096u, archive->Output().Capacity());
    }
}

TEST_F(ArchiveWrappers, DamagedArchivesAndMissingDllsGiveTheErrorTexts)
{
    for (const Kind& kind : kKinds) {
        auto archive = Wrapper(kind);
        std::string path = Make(*archive, kind, "damaged");
        std::string bytes = ReadBytes(path);
        std::string truncated = ScratchPath((std::string("truncated") + kind.extension).c_str());
        WriteBytes(truncated, bytes.substr(0, bytes.size() / 2));
        std::string garbage = ScratchPath((std::string("garbage") + kind.extension).c_str());
        WriteBytes(garbage, Pseudorandom(5000, 9));
        for (const std::string& bad : {truncated, garbage}) {
            bool listed = Reopen(*archive, bad);
            if (listed) {
                // A cut archive whose directory survived still lists; taking its data out fails.
                std::string out = FreshFolder("damaged out");
                EXPECT_NE(0, archive->ExtractSelected(nullptr, out.c_str())) << bad;
                EXPECT_STREQ(kind.lha ? "Unlha32.dll のエラーです" : "Unzip32.dll のエラーです",
                             archive->ErrorText().Text());
            } else {
                EXPECT_STREQ("書庫を開く事ができませんでした", archive->ErrorText().Text()) << bad;
            }
        }
        EXPECT_FALSE(Reopen(*archive, garbage));
        EXPECT_FALSE(archive->Open(""));
        EXPECT_STREQ("書庫が指定されていません", archive->ErrorText().Text());
    }
    {
        ZipArchive zip(nullptr);
        zip.SetPath(ScratchPath("nothing.zip").c_str());
        EXPECT_NE(0, zip.AddFiles((source_ + "none.txt").c_str()));
        EXPECT_EQ(0, zip.ErrorText().Find("Zip32j.dll のエラーです\n")) << zip.ErrorText().Text();
    }

    std::string empty = FreshFolder("no dlls");
    SetDllDirectoryA(empty.c_str());
    for (const Kind& kind : kKinds) {
        auto missing = Wrapper(kind);
        EXPECT_FALSE(missing->IsInstalled());
        EXPECT_FALSE(missing->Open("x"));
        EXPECT_STREQ(kind.lha ? "Unlha32.dll がインストールされていません" : "Unzip32.dll がインストールされていません",
                     missing->ErrorText().Text());
        EXPECT_EQ(1, missing->ExtractSelected(nullptr, "C:\\"));
        EXPECT_EQ(1, missing->AddFiles("C:\\a.txt"));
    }
    EXPECT_EQ(-1, ZipArchive(nullptr).ExtractAllIntoFolder(true));
}

// A destination folder whose last character has the trail byte 0x5C ("表\\") is a folder
// like any other.
TEST_F(ArchiveWrappers, ExtractsIntoAFolderEndingInATrailByte5C)
{
    for (const Kind& kind : kKinds) {
        auto archive = Wrapper(kind);
        std::string path = Make(*archive, kind, "trail 表");
        ASSERT_EQ(0, archive->ExtractAllIntoFolder(false)) << archive->ErrorText().Text();
        EXPECT_EQ("①～㈱髙表ソ", FileAt(path.substr(0, path.size() - 4) + kSep, "a/①～.txt"));
    }
}

TEST_F(ArchiveWrappers, TenThousandEntriesListWithinASecond)
{
    for (const Kind& kind : kKinds) {
        std::vector<ArchiveMember> members(10000);
        std::unique_ptr<ArchiveFormat> format(kind.lha ? static_cast<ArchiveFormat*>(new LzhFormat)
                                                       : static_cast<ArchiveFormat*>(new ZipFormat));
        for (size_t i = 0; i < members.size(); ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "表%03u/ソ%05u.txt", static_cast<unsigned>(i % 100),
                          static_cast<unsigned>(i));
            members[i].name = name;
            members[i].dosDate = 0x2A81;
            members[i].stamp = 986128496;
            format->Pack(name, members[i]);
        }
        std::string path = ScratchPath((std::string("many") + kind.extension).c_str());
        WriteBytes(path, format->Write(members));
        auto archive = Wrapper(kind);
        auto started = std::chrono::steady_clock::now();
        ASSERT_TRUE(Reopen(*archive, path));
        grid_->Synchronize();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        EXPECT_EQ(10000, grid_->RowCount());
        EXPECT_STREQ("表000/ソ00000.txt", grid_->CellText(0, kArchiveFullPath).Text());
        EXPECT_STREQ("10000", grid_->CellText(9999, kArchiveNumber).Text());
        EXPECT_LT(seconds, 1.0) << kind.extension;
        std::printf("%s: 10,000 entries listed in %.3f s\n", kind.extension, seconds);
    }
}

}  // namespace
