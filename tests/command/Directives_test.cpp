// Directive lines in texts to run and the first lines of menu files.
#include <gtest/gtest.h>

#include <string>

#include "command/Directives.h"

namespace {

struct Stripped {
    std::string text;
    std::string type;
};

Stripped Strip(const char* text, const char* typeBefore = "SQL")
{
    VornString type(typeBefore);
    VornString kept = StripDirectiveLines(text, type);
    return {kept.Text(), type.Text()};
}

}  // namespace

TEST(DirectiveExecutionType, OnlyWholeUpperCaseDirectivesSelectAType)
{
    EXPECT_STREQ("SQL", DirectiveExecutionType("@SKELETON"));
    EXPECT_STREQ("外部プログラム", DirectiveExecutionType("@CMDEXEC"));
    EXPECT_STREQ("Perl", DirectiveExecutionType("@PERL"));
    EXPECT_STREQ("WSH(.wsf)", DirectiveExecutionType("@WSF"));
    for (const char* line : {"@cmd", "@CMD ", " @CMD", "@EXEC", "@SCHEMA", "@", "", "CMD", "@CMDEXEC2"})
        EXPECT_EQ(nullptr, DirectiveExecutionType(line)) << line;
    EXPECT_EQ(nullptr, DirectiveExecutionType(nullptr));
}

TEST(StripDirectiveLines, DropsCommentAndDirectiveLinesAndSetsTheLastType)
{
    Stripped result = Strip("@VBS\r\n-- 表の一覧\r\nselect * from 表\r\n@PHP\r\n  -- kept\r\n");
    EXPECT_EQ("select * from 表\r\n  -- kept\r\n", result.text);
    EXPECT_EQ("PHP", result.type);
}

TEST(StripDirectiveLines, AcceptsLineFeedOnlyTextsAndADirectiveOnTheLastLine)
{
    Stripped result = Strip("echo ソ\n@BAT\nexit");
    EXPECT_EQ("echo ソ\nexit\n", result.text);
    EXPECT_EQ("バッチファイル", result.type);
    result = Strip("WScript.Echo 1\r\n@WSF");
    EXPECT_EQ("WScript.Echo 1\r\n", result.text);
    EXPECT_EQ("WSH(.wsf)", result.type);
}

TEST(StripDirectiveLines, KeepsLinesThatOnlyLookLikeDirectives)
{
    Stripped result = Strip("@CMD x\n@cmd\n@EXEC\n-\nselect 1 -- note\n", "SQL");
    EXPECT_EQ("@CMD x\n@cmd\n@EXEC\n-\nselect 1 -- note\n", result.text);
    EXPECT_EQ("SQL", result.type);
}

TEST(StripDirectiveLines, CommentsOnlyGiveAnEmptyText)
{
    EXPECT_EQ("", Strip("-- one\r\n--two\r\n--").text);
    EXPECT_EQ("", Strip("").text);
    // Every kept line gets a line end; an empty line in the middle is kept.
    EXPECT_EQ("a\n\nb\n", Strip("a\n\nb").text);
}

TEST(StripDirectiveLines, SplitsOnlyAtLineFeedsThatAreCharacters)
{
    // 0x5C and 0x7C trail bytes stay inside their characters.
    Stripped result = Strip("表ソポ\r\n@SKELETON\r\n能\r\n", "PHP");
    EXPECT_EQ("表ソポ\r\n能\r\n", result.text);
    EXPECT_EQ("SQL", result.type);
}

TEST(ClassifyMenuFile, KindMenusRunSqlUnlessTheFirstLineIsADirective)
{
    struct Case {
        const char* line;
        MenuFileAction action;
        const char* type;
    };
    const Case cases[] = {
        {"@SKELETON", MenuFileAction::Skeleton, "SQL"},
        {"@CMD", MenuFileAction::Skeleton, "外部プログラム"},
        {"@VBS\r", MenuFileAction::Skeleton, "WSH(.vbs)"},
        {"@BATEXEC", MenuFileAction::RunAsType, "バッチファイル"},
        {"@PERLEXEC\r\n", MenuFileAction::RunAsType, "Perl"},
        {"@EXEC", MenuFileAction::Execute, nullptr},
        {"@SCHEMA", MenuFileAction::Schema, nullptr},
        {"@CSVPUT", MenuFileAction::CsvPut, nullptr},
        {"@CSVGET", MenuFileAction::CsvGet, nullptr},
        {"@OPTION", MenuFileAction::RunSql, nullptr},
        {"@UNZIP32", MenuFileAction::RunSql, nullptr},
        {"select * from 表", MenuFileAction::RunSql, nullptr},
        {"@schema", MenuFileAction::RunSql, nullptr},
        {"", MenuFileAction::RunSql, nullptr},
    };
    for (const Case& c : cases) {
        MenuFileCommand command = ClassifyMenuFile(MenuFileFamily::KindMenu, c.line);
        EXPECT_EQ(c.action, command.action) << c.line;
        if (c.type)
            EXPECT_STREQ(c.type, command.executionType) << c.line;
        else
            EXPECT_EQ(nullptr, command.executionType) << c.line;
    }
}

TEST(ClassifyMenuFile, ToolMenusKnowProgramsArchivesAndOptionsOnly)
{
    struct Case {
        const char* line;
        MenuFileAction action;
    };
    const Case cases[] = {
        {"@OPTION", MenuFileAction::Options},     {"@UNLHA32", MenuFileAction::LhaArchive},
        {"@UNZIP32\r", MenuFileAction::ZipArchive}, {"@EXEC", MenuFileAction::Execute},
        {"@WSFEXEC", MenuFileAction::RunAsType},  {"@PHP", MenuFileAction::Skeleton},
        {"@SKELETON", MenuFileAction::Nothing},   {"@SCHEMA", MenuFileAction::Nothing},
        {"@CSVPUT", MenuFileAction::Nothing},     {"select 1", MenuFileAction::Nothing},
        {"", MenuFileAction::Nothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.action, ClassifyMenuFile(MenuFileFamily::ToolMenu, c.line).action) << c.line;
    EXPECT_STREQ("PHP", ClassifyMenuFile(MenuFileFamily::ToolMenu, "@PHP").executionType);
    EXPECT_EQ(MenuFileAction::Nothing, ClassifyMenuFile(MenuFileFamily::ToolMenu, nullptr).action);
}
