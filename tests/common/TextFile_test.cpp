#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "common/TextFile.h"

TEST(TextFile, WrittenLinesEndInCrLfOnDisk)
{
    std::string path = ScratchPath("textfile_write.txt");
    {
        TextFile file;
        ASSERT_TRUE(file.OpenWrite(path.c_str()));
        EXPECT_TRUE(file.WriteLine("表ソ\n"));
        EXPECT_TRUE(file.WriteLine("a\r\nb\n"));
        EXPECT_TRUE(file.WriteFormatLine("%s=%d\n", "n", 5));
    }
    EXPECT_EQ("表ソ\r\na\r\nb\r\nn=5\r\n", ReadBytes(path));
    EXPECT_EQ(4, TextFile::CountLines(path.c_str()));
    RemoveFile(path);
}

TEST(TextFile, ReadingTurnsCrLfIntoNewlines)
{
    std::string path = ScratchPath("textfile_read.txt");
    WriteBytes(path, "one\r\n二\r\nlast");
    TextFile file;
    ASSERT_TRUE(file.OpenRead(path.c_str()));
    EXPECT_EQ(13, file.Size());
    VornString all;
    ASSERT_TRUE(file.ReadAll(all));
    EXPECT_STREQ("one\n二\nlast", all.Text());

    ASSERT_TRUE(file.OpenRead(path.c_str()));
    VornString line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_STREQ("one", line.Text());
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_STREQ("二", line.Text());
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_STREQ("last", line.Text());
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_EQ(3, TextFile::CountLines(path.c_str()));
    RemoveFile(path);
}

TEST(TextFile, LargeFilesAreReadWhole)
{
    std::string path = ScratchPath("textfile_large.txt");
    std::string content;
    for (int i = 0; i < 20000; ++i)
        content += "行ソ表\r\n";
    WriteBytes(path, content);
    TextFile file;
    ASSERT_TRUE(file.OpenRead(path.c_str()));
    VornString all;
    ASSERT_TRUE(file.ReadAll(all));
    EXPECT_EQ(20000u * 7u, all.Length());
    RemoveFile(path);
}

TEST(TextFile, MissingFilesFailCleanly)
{
    TextFile file;
    EXPECT_FALSE(file.OpenRead(ScratchPath("does_not_exist.txt").c_str()));
    EXPECT_EQ(-1, TextFile::CountLines(ScratchPath("does_not_exist.txt").c_str()));
    VornString all;
    EXPECT_FALSE(file.ReadAll(all));
}
