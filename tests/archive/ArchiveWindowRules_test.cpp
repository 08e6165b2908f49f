// The archive windows' window-free decisions.
#include <gtest/gtest.h>

#include <string>

#include "archive/ArchiveWindowRules.h"

namespace {

TEST(ArchiveWindowRules, StandardPlacementTruncatesItsShares)
{
    ArchivePlacement place = StandardArchivePlacement(1279, 1023);
    EXPECT_EQ(100, place.x);
    EXPECT_EQ(102, place.y);
    EXPECT_EQ(895, place.width);
    EXPECT_EQ(613, place.height);
}

TEST(ArchiveWindowRules, ChosenFilesBecomeFullPathsUnderTheirFolder)
{
    const char several[] = "C:\\表 ソ\0a.txt\0ソ.bin\0c\0\0garbage";
    VornString folder;
    EXPECT_STREQ("C:\\表 ソ\\a.txt\tC:\\表 ソ\\ソ.bin\tC:\\表 ソ\\c",
                 ChosenFilesList(several, sizeof several, folder).Text());
    EXPECT_STREQ("C:\\表 ソ", folder.Text());

    const char one[] = "C:\\表\\ソ.txt\0\0";
    EXPECT_STREQ("C:\\表\\ソ.txt", ChosenFilesList(one, sizeof one, folder).Text());
    EXPECT_STREQ("C:\\表", folder.Text());
}

TEST(ArchiveWindowRules, OpenItemNamesTheProgramOrRefuses)
{
    bool enabled = false;
    EXPECT_STREQ("notepad.exe で開く", OpenItemText(".txt", "C:\\windows\\notepad.exe", enabled).Text());
    EXPECT_TRUE(enabled);
    EXPECT_STREQ("開けません", OpenItemText(".zzz", "", enabled).Text());
    EXPECT_FALSE(enabled);
    enabled = true;
    EXPECT_STREQ("プログラムの実行は解凍して行なって下さい", OpenItemText(".exe", "C:\\x\\a.exe", enabled).Text());
    EXPECT_FALSE(enabled);
}

TEST(ArchiveWindowRules, OnlyTheWindowsOwnExtensionOpensAnArchive)
{
    EXPECT_TRUE(OpensArchive("C:\\表\\A.LZH", ".lzh"));
    EXPECT_FALSE(OpensArchive("C:\\表\\a.zip", ".lzh"));
    EXPECT_FALSE(OpensArchive("C:\\a.lzh\\b", ".lzh"));
}

}  // namespace
