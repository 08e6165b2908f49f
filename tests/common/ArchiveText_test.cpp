// The archive wrappers' row texts and command texts.
#include <gtest/gtest.h>

#include <cstring>

#include "common/ArchiveText.h"

namespace {

ArchiveEntry Entry(const char* name, uint32_t size, uint32_t compressed, uint16_t ratio)
{
    ArchiveEntry entry;
    std::memset(&entry, 0, sizeof entry);
    std::strcpy(entry.fileName, name);
    entry.originalSize = size;
    entry.compressedSize = compressed;
    entry.ratio = ratio;
    entry.dosDate = static_cast<uint16_t>(((2001 - 1980) << 9) | (4 << 5) | 1);
    entry.dosTime = static_cast<uint16_t>((23 << 11) | (59 << 5) | 29);
    std::strcpy(entry.attribute, "-----w");
    std::strcpy(entry.mode, "-lh5-");
    return entry;
}

std::vector<VornString> V(std::initializer_list<const char*> texts)
{
    return std::vector<VornString>(texts.begin(), texts.end());
}

TEST(ArchiveText, RatioHasItsDotBeforeTheLastDigit)
{
    const struct { unsigned perMille; const char* text; } cases[] = {
        {453, "45.3"}, {5, ".5"}, {0, ".0"}, {1000, "100.0"}, {10, "1.0"}};
    for (const auto& c : cases)
        EXPECT_STREQ(c.text, ArchiveRatioText(c.perMille).Text()) << c.perMille;
}

TEST(ArchiveText, RowSplitsTheNameAtSlashesOnlyAndKeysRootEntriesFirst)
{
    VornString cells[kArchiveColumnCount];
    // 表 and ソ end in 0x5C: they must not split the name.
    ArchiveRowTexts(Entry("表ソ/a.b/ソ表.txt", 1234, 567, 459), ArchiveDialect::Lha, cells);
    EXPECT_STREQ("ソ表.txt", cells[kArchiveFileName].Text());
    EXPECT_STREQ(".txt", cells[kArchiveExtension].Text());
    EXPECT_STREQ("     1234", cells[kArchiveSize].Text());
    EXPECT_STREQ("      567", cells[kArchiveCompressedSize].Text());
    EXPECT_STREQ("45.9", cells[kArchiveRatio].Text());
    EXPECT_STREQ("2001/04/01 23:59:58", cells[kArchiveTimeStamp].Text());
    EXPECT_STREQ("-----w", cells[kArchiveAttribute].Text());
    EXPECT_STREQ("-lh5-", cells[kArchiveMode].Text());
    EXPECT_STREQ("表ソ/a.b", cells[kArchiveFolder].Text());
    EXPECT_STREQ("表ソ/a.b/ソ表.txt", cells[kArchiveFullPath].Text());
    EXPECT_STREQ("表ソ/a.b/ソ表.txt", cells[kArchiveSortKey].Text());

    ArchiveRowTexts(Entry("表", 7, 7, 1000), ArchiveDialect::Zip, cells);
    EXPECT_STREQ("表", cells[kArchiveFileName].Text());
    EXPECT_STREQ("", cells[kArchiveExtension].Text());
    EXPECT_STREQ("7", cells[kArchiveSize].Text());
    EXPECT_STREQ("", cells[kArchiveFolder].Text());
    EXPECT_STREQ(" 表", cells[kArchiveSortKey].Text());

    ArchiveRowTexts(Entry("a/", 0, 0, 0), ArchiveDialect::Zip, cells);
    EXPECT_STREQ("", cells[kArchiveFileName].Text());
    EXPECT_STREQ("a", cells[kArchiveFolder].Text());
    EXPECT_STREQ(".0", cells[kArchiveRatio].Text());
}

TEST(ArchiveText, CommandTextsOfBothDialects)
{
    const char* arc = "C:\\書 庫\\表.lzh";
    auto files = V({"C:\\ソ フト\\表.txt", "D:\\x\\sub"});
    EXPECT_STREQ("U -r2x \"C:\\書 庫\\表.lzh\" \"C:\\ソ フト\\\" \"表.txt\" \"D:\\x\\\" \"sub\"",
                 AddCommandText(ArchiveDialect::Lha, arc, files).Text());
    EXPECT_STREQ("-rD \"a.zip\" \"C:\\ソ フト\\\" \"表.txt\" \"D:\\x\\\" \"sub\"",
                 AddCommandText(ArchiveDialect::Zip, "\"a.zip\"", files).Text());

    auto entries = V({"a/", "b/表.txt"});
    EXPECT_STREQ("D -p2 \"x.lzh\" \"a/\" \"b/表.txt\"", DeleteCommandText(ArchiveDialect::Lha, "x.lzh", entries).Text());
    EXPECT_STREQ("-d \"x.zip\" \"a/\\*\" \"b/表.txt\"", DeleteCommandText(ArchiveDialect::Zip, "x.zip", entries).Text());

    EXPECT_STREQ("E -p2 \"x.lzh\" \"C:\\t\\\" \"b/表.txt\"",
                 ExtractOneCommandText(ArchiveDialect::Lha, "x.lzh", "C:\\t", "b/表.txt").Text());
    EXPECT_STREQ("-u -j \"x.zip\" \"C:\\t\\\" \"b/表.txt\"",
                 ExtractOneCommandText(ArchiveDialect::Zip, "x.zip", "C:\\t\\", "b/表.txt").Text());

    EXPECT_STREQ("X -p2 \"x.lzh\" \"C:\\ソ\\\" \"a/\" \"b/表.txt\"",
                 ExtractSelectedCommandText(ArchiveDialect::Lha, "x.lzh", "C:\\ソ", &entries).Text());
    EXPECT_STREQ("X -p2 \"x.lzh\" \"C:\\ソ\\\" *",
                 ExtractSelectedCommandText(ArchiveDialect::Lha, "x.lzh", "C:\\ソ", nullptr).Text());
    EXPECT_STREQ("-u \"x.zip\" \"C:\\ソ\\\"", ExtractSelectedCommandText(ArchiveDialect::Zip, "x.zip", "C:\\ソ", nullptr).Text());

    EXPECT_STREQ("C:\\a b\\表\\", ExtractAllFolder("C:\\a b\\表.lzh").Text());
    EXPECT_STREQ("E -p2 \"C:\\d\\ソ.lzh\" \"C:\\d\\ソ\\\" *", ExtractAllCommandText(ArchiveDialect::Lha, "C:\\d\\ソ.lzh", true).Text());
    EXPECT_STREQ("X -p2 \"C:\\d\\ソ.lzh\" \"C:\\d\\ソ\\\" *", ExtractAllCommandText(ArchiveDialect::Lha, "C:\\d\\ソ.lzh", false).Text());
    EXPECT_STREQ("-u -j \"C:\\d\\ソ.zip\" \"C:\\d\\ソ\\\"", ExtractAllCommandText(ArchiveDialect::Zip, "C:\\d\\ソ.zip", true).Text());
    EXPECT_STREQ("-u \"C:\\d\\ソ.zip\" \"C:\\d\\ソ\\\"", ExtractAllCommandText(ArchiveDialect::Zip, "C:\\d\\ソ.zip", false).Text());
}

TEST(ArchiveText, TabListDropsEmptyFields)
{
    auto fields = SplitTabList("C:\\表\t\tソ.txt\t");
    ASSERT_EQ(2u, fields.size());
    EXPECT_STREQ("C:\\表", fields[0].Text());
    EXPECT_STREQ("ソ.txt", fields[1].Text());
    EXPECT_TRUE(SplitTabList("").empty());
}

}  // namespace
