#include "archive/dlls/ArchiveCommand.h"

#include <gtest/gtest.h>

#include "archive/dlls/ArchivePath.h"

namespace {

TEST(ArchiveCommand, CommandTextsOfTheThreeDialectsBecomeOperations)
{
    struct Case {
        CommandDialect dialect;
        const char* text;
        CommandKind kind;
        const char* archive;
        const char* destination;
        std::vector<std::string> patterns;
    } cases[] = {
        {CommandDialect::Lha, "D -p2 \"C:\\w\\a.lzh\" \"dir/*\" \"x.txt\"", CommandKind::Delete, "C:\\w\\a.lzh", "", {"dir/*", "x.txt"}},
        {CommandDialect::Lha, "E -p2 \"a.lzh\" \"C:\\表\\\" \"sub\\表.txt\"", CommandKind::ExtractFlat, "a.lzh", "C:\\表\\", {"sub/表.txt"}},
        {CommandDialect::Lha, "X -p2 \"a.lzh\" \"C:\\out\\\" *", CommandKind::ExtractWithFolders, "a.lzh", "C:\\out\\", {}},
        {CommandDialect::UnZip, "-u -j \"a.zip\" \"C:\\out\\\" \"d/f.txt\"", CommandKind::ExtractFlat, "a.zip", "C:\\out\\", {"d/f.txt"}},
        {CommandDialect::UnZip, "-u \"a b.zip\" \"C:\\out\\\"", CommandKind::ExtractWithFolders, "a b.zip", "C:\\out\\", {}},
        {CommandDialect::Zip, "-d \"a.zip\" \"a/\\*\"", CommandKind::Delete, "a.zip", "", {"a/*"}},
    };
    for (const Case& c : cases) {
        ArchiveCommand command;
        std::string message;
        ASSERT_EQ(ArchiveStatus::Ok, ParseCommand(c.dialect, c.text, command, message)) << c.text << message;
        EXPECT_EQ(c.kind, command.kind) << c.text;
        EXPECT_EQ(c.archive, command.archive) << c.text;
        EXPECT_EQ(c.destination, command.destination) << c.text;
        EXPECT_EQ(c.patterns, command.patterns) << c.text;
    }
}

TEST(ArchiveCommand, AddTextsPairEachNameWithTheFolderBeforeIt)
{
    // "C:\w\表" ends in 表's trail byte 0x5C: a name, not a folder.
    for (auto dialect : {CommandDialect::Lha, CommandDialect::Zip}) {
        std::string text = std::string(dialect == CommandDialect::Lha ? "U -r2x " : "-rD ") +
                           "\"a.arc\" \"C:\\w\\\" \"f.txt\" \"C:\\w\\表\" \"C:\\ソ\\\" \"sub\"";
        ArchiveCommand command;
        std::string message;
        ASSERT_EQ(ArchiveStatus::Ok, ParseCommand(dialect, text, command, message));
        EXPECT_EQ(CommandKind::Add, command.kind);
        ASSERT_EQ(3u, command.files.size());
        EXPECT_EQ("C:\\w\\", command.files[0].folder);
        EXPECT_EQ("f.txt", command.files[0].name);
        EXPECT_EQ("C:\\w\\", command.files[1].folder);
        EXPECT_EQ("C:\\w\\表", command.files[1].name);
        EXPECT_EQ("C:\\ソ\\", command.files[2].folder);
        EXPECT_EQ("sub", command.files[2].name);
    }
}

TEST(ArchiveCommand, BadTextsAreRefused)
{
    struct Case {
        CommandDialect dialect;
        const char* text;
    } cases[] = {
        {CommandDialect::Lha, ""},          {CommandDialect::Lha, "Q -p2 \"a.lzh\""},
        {CommandDialect::Lha, "X -p2"},     {CommandDialect::Lha, "U -r2x \"a.lzh\""},
        {CommandDialect::Lha, "D -p2 \"a.lzh\""}, {CommandDialect::UnZip, "-u \"a.zip"},
        {CommandDialect::UnZip, "-x \"a.zip\" \"d\\\""}, {CommandDialect::Zip, "-d \"a.zip\""},
        {CommandDialect::Zip, "-rD"},
    };
    for (const Case& c : cases) {
        ArchiveCommand command;
        std::string message;
        EXPECT_EQ(ArchiveStatus::BadCommand, ParseCommand(c.dialect, c.text, command, message)) << c.text;
        EXPECT_FALSE(message.empty()) << c.text;
    }
}

TEST(ArchivePath, NamesAreScannedWholeCharactersAtATime)
{
    EXPECT_EQ("表/ソ/x", archivepath::ToSlashes("表\\ソ\\x"));
    EXPECT_EQ("表ソ", archivepath::LastComponent("表ソ\\a/表ソ"));
    EXPECT_EQ("d", archivepath::LastComponent("a/d/"));
    EXPECT_TRUE(archivepath::Matches("*.TXT", "表/ソ.txt"));
    EXPECT_TRUE(archivepath::Matches("?.txt", "表.txt"));
    EXPECT_FALSE(archivepath::Matches("?\\.txt", "表.txt"));
    EXPECT_TRUE(archivepath::Matches("dir/*", "dir/a/b"));
    EXPECT_FALSE(archivepath::Matches("dir/*", "dirt/a"));
    EXPECT_TRUE(archivepath::Matches("*.*", "noext"));
    struct Case {
        const char* name;
        bool safe;
    } cases[] = {{"a/b.txt", true},       {"表/..x", true},     {"../a", false}, {"a/../../b", false},
                 {"a\\..\\b", false},    {"/etc/x", false},    {"\\x", false},  {"C:/x", false},
                 {"..", false},          {"", false}};
    for (const Case& c : cases)
        EXPECT_EQ(c.safe, archivepath::IsSafeRelative(c.name)) << c.name;
}

}  // namespace
