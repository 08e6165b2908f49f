// The three DLLs loaded by name from the program folder, as the program loads them, and
// driven through their exported functions only.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "ArchiveTestSupport.h"
#include "archive/dlls/ArchiveEntry.h"

namespace {

typedef HANDLE HARC;
typedef int(WINAPI* CommandFunction)(HWND, LPCSTR, LPSTR, DWORD);
typedef HARC(WINAPI* OpenFunction)(HWND, LPCSTR, DWORD);
typedef int(WINAPI* CloseFunction)(HARC);
typedef int(WINAPI* FindFirstFunction)(HARC, LPCSTR, ArchiveEntry*);
typedef int(WINAPI* FindNextFunction)(HARC, ArchiveEntry*);

struct Archiver {
    HMODULE module = nullptr;
    CommandFunction command = nullptr;
    OpenFunction open = nullptr;
    CloseFunction close = nullptr;
    FindFirstFunction findFirst = nullptr;
    FindNextFunction findNext = nullptr;
};

template <typename F>
F Entry(HMODULE module, const std::string& name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name.c_str())));
}

Archiver Load(const char* file, const char* command, const char* prefix)
{
    Archiver a;
    a.module = LoadLibraryA(file);
    if (!a.module)
        return a;
    std::string p = prefix;
    a.command = Entry<CommandFunction>(a.module, command);
    a.open = Entry<OpenFunction>(a.module, p + "OpenArchive");
    a.close = Entry<CloseFunction>(a.module, p + "CloseArchive");
    a.findFirst = Entry<FindFirstFunction>(a.module, p + "FindFirst");
    a.findNext = Entry<FindNextFunction>(a.module, p + "FindNext");
    return a;
}

class ArchiverDll : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SetDllDirectoryA(KESTROVA_PROGRAM_DIR);
        unzip_ = Load("UNZIP32.DLL", "UnZip", "UnZip");
        unlha_ = Load("UNLHA32.DLL", "Unlha", "Unlha");
        zip_ = Load("ZIP32J.DLL", "Zip", "");
    }

    void SetUp() override
    {
        ASSERT_TRUE(unzip_.module && unlha_.module && zip_.module);
        source_ = FreshFolder("dll-source");
        PutFile(source_, "表ソ.txt", TextLines(500));
        PutFile(source_, "a/①～.txt", "①～㈱髙表ソ");
        PutFile(source_, "a/b/㈱髙.bin", Pseudorandom(4000, 3));
    }

    int Run(const Archiver& archiver, const std::string& text)
    {
        output_[0] = '\0';
        return archiver.command(nullptr, text.c_str(), output_, sizeof output_);
    }

    std::vector<std::string> Listed(const Archiver& archiver, const std::string& archive, ArchiveEntry* first = nullptr)
    {
        HARC handle = archiver.open(nullptr, archive.c_str(), 2);
        if (!handle)
            return {"<cannot open>"};
        std::vector<std::string> names;
        ArchiveEntry entry;
        for (int result = archiver.findFirst(handle, "*", &entry); result == 0; result = archiver.findNext(handle, &entry)) {
            if (first && names.empty())
                *first = entry;
            names.push_back(entry.fileName);
        }
        EXPECT_EQ(-1, archiver.findNext(handle, &entry));
        EXPECT_EQ(0, archiver.close(handle));
        return names;
    }

    static Archiver unzip_, unlha_, zip_;
    std::string source_;
    char output_[260];
};

Archiver ArchiverDll::unzip_, ArchiverDll::unlha_, ArchiverDll::zip_;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

TEST_F(ArchiverDll, EveryEntryPointIsExportedUnderItsPlainName)
{
    for (const Archiver* a : {&unzip_, &unlha_})
        EXPECT_TRUE(a->command && a->open && a->close && a->findFirst && a->findNext);
    EXPECT_TRUE(zip_.command != nullptr);
    EXPECT_EQ(nullptr, GetProcAddress(zip_.module, "ZipOpenArchive"));
}

TEST_F(ArchiverDll, ZipAddListExtractAndDeleteThroughTheCommandTexts)
{
    std::string archive = ScratchPath("dll.zip");
    RemoveFile(archive);
    ASSERT_EQ(0, Run(zip_, "-rD " + Quoted(archive) + " " + Quoted(source_) + " \"表ソ.txt\" \"a\"")) << output_;
    ArchiveEntry first;
    EXPECT_EQ(std::vector<std::string>({"表ソ.txt", "a/b/㈱髙.bin", "a/①～.txt"}), Listed(unzip_, archive, &first));
    EXPECT_EQ(TextLines(500).size(), first.originalSize);
    EXPECT_STREQ("deflate", first.mode);
    EXPECT_EQ(first.compressedSize * 1000 / first.originalSize, first.ratio);

    std::string out = FreshFolder("dll-zip-out");
    ASSERT_EQ(0, Run(unzip_, "-u " + Quoted(archive) + " " + Quoted(out))) << output_;
    for (const char* name : {"表ソ.txt", "a/①～.txt", "a/b/㈱髙.bin"})
        EXPECT_TRUE(FileAt(source_, name) == FileAt(out, name)) << name;
    std::string flat = FreshFolder("dll-zip-flat");
    ASSERT_EQ(0, Run(unzip_, "-u -j " + Quoted(archive) + " " + Quoted(flat) + " \"a/b/㈱髙.bin\"")) << output_;
    EXPECT_EQ(std::vector<std::string>({"㈱髙.bin"}), fileaccess::FolderNames(flat));

    ASSERT_EQ(0, Run(zip_, "-d " + Quoted(archive) + " \"a/\\*\"")) << output_;
    EXPECT_EQ(std::vector<std::string>({"表ソ.txt"}), Listed(unzip_, archive));
}

TEST_F(ArchiverDll, LhaAddListExtractAndDeleteThroughTheCommandTexts)
{
    std::string archive = ScratchPath("dll.lzh");
    RemoveFile(archive);
    ASSERT_EQ(0, Run(unlha_, "U -r2x " + Quoted(archive) + " " + Quoted(source_) + " \"表ソ.txt\" \"a\"")) << output_;
    ArchiveEntry first;
    EXPECT_EQ(std::vector<std::string>({"表ソ.txt", "a/b/㈱髙.bin", "a/①～.txt"}), Listed(unlha_, archive, &first));
    EXPECT_STREQ("-lh5-", first.mode);

    std::string out = FreshFolder("dll-lzh-out");
    ASSERT_EQ(0, Run(unlha_, "X -p2 " + Quoted(archive) + " " + Quoted(out) + " *")) << output_;
    for (const char* name : {"表ソ.txt", "a/①～.txt", "a/b/㈱髙.bin"}) {
        EXPECT_TRUE(FileAt(source_, name) == FileAt(out, name)) << name;
        EXPECT_EQ(986128496, fileaccess::ModifiedTime(out + archivepath::ToPlatform(name))) << name;
    }
    std::string flat = FreshFolder("dll-lzh-flat");
    ASSERT_EQ(0, Run(unlha_, "E -p2 " + Quoted(archive) + " " + Quoted(flat) + " \"a/①～.txt\"")) << output_;
    EXPECT_EQ("①～㈱髙表ソ", FileAt(flat, "①～.txt"));

    ASSERT_EQ(0, Run(unlha_, "D -p2 " + Quoted(archive) + " \"a/*\"")) << output_;
    EXPECT_EQ(std::vector<std::string>({"表ソ.txt"}), Listed(unlha_, archive));
}

TEST_F(ArchiverDll, FailuresReturnErrorsWithMessagesThatFitTheBuffer)
{
    char small[8];
    std::memset(small, '#', sizeof small);
    EXPECT_NE(0, unlha_.command(nullptr, "Q nonsense", small, 6));
    EXPECT_EQ('\0', small[std::strlen(small)]);
    EXPECT_LT(std::strlen(small), 6u);
    EXPECT_EQ('#', small[6]);
    EXPECT_NE(0, zip_.command(nullptr, nullptr, output_, sizeof output_));
    EXPECT_NE(0, unzip_.command(nullptr, "-u \"unclosed", nullptr, 0));

    std::string notArchive = ScratchPath("not-an-archive.zip");
    WriteBytes(notArchive, "plain text, no archive");
    for (const Archiver* a : {&unzip_, &unlha_}) {
        EXPECT_EQ(nullptr, a->open(nullptr, notArchive.c_str(), 2));
        EXPECT_EQ(nullptr, a->open(nullptr, ScratchPath("missing.arc").c_str(), 2));
        ArchiveEntry entry;
        int bogus = 0;
        EXPECT_EQ(-1, a->findFirst(&bogus, "*", &entry));
        EXPECT_NE(0, a->close(&bogus));
    }
    EXPECT_NE(0, Run(unzip_, "-u " + Quoted(notArchive) + " " + Quoted(FreshFolder("dll-fail"))));
    EXPECT_STRNE("", output_);
}

}  // namespace
