#include "command/SqlFormatter.h"

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

std::string Simple(const char* text) { return SimpleFormat(text).Text(); }

ArrangeRule Rule(const char* search, const char* replacement)
{
    ArrangeRule rule;
    rule.search = search;
    rule.replacement = replacement;
    return rule;
}

}  // namespace

TEST(SimpleFormatTest, UpperCaseOneLineStatementBreaksBeforeLowerCaseKeywords)
{
    EXPECT_EQ("SELECT NAME\r\n\t, AGE \r\n from STAFF \r\n where AGE > 20 \r\n   and DEPT = 3",
              Simple("SELECT NAME, AGE FROM STAFF WHERE AGE > 20 AND DEPT = 3"));
}

TEST(SimpleFormatTest, LineBreaksTabsAndDoubleSpacesCollapseInOnePass)
{
    struct Case {
        const char* input;
        const char* expected;
    } cases[] = {
        {"a\tb", "a b"},
        {"a\r\nb", "a b"},
        {"a\rb\nc", "a b c"},
        {"a\r\n\r\nb", "a b"},       // two line ends make two spaces, and those one
        {"a    b", "a  b"},          // four spaces become two: no second pass
        {"a   b", "a  b"},
        {"a\t \r\nb", "a  b"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Simple(c.input)) << c.input;
}

TEST(SimpleFormatTest, KeywordsAndPunctuationBreakWithTheirOwnIndentation)
{
    struct Case {
        const char* input;
        const char* expected;
    } cases[] = {
        // " select" needs the blank before it: not at the start, not after "(".
        {"SELECT 1 UNION SELECT 2", "SELECT 1 UNION\r\nselect 2"},
        {"x in(select y)", "x in\r\n\t(select y\r\n\t)"},
        {"insert into t values(1,2)", "insert into t \r\n values\r\n\t(1\r\n\t,2\r\n\t)"},
        {"Group By a Order By b", "\r\n group By a \r\n order By b"},
        {"having count(*)>1", "\r\n having count\r\n\t(*\r\n\t)>1"},
        // "group" is broken before "having" is looked for, so the two overlap once only.
        {"havingroup", "havin\r\n group"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Simple(c.input)) << c.input;
}

TEST(SimpleFormatTest, KeywordLettersInsideNamesAndStringsAreBrokenToo)
{
    EXPECT_EQ("SELECT BR\r\n   and \r\n from T", Simple("SELECT BRAND FROM T"));
    EXPECT_EQ("x='s\r\n   and'", Simple("x='sand'"));
    EXPECT_EQ("\r\n from\r\n   and\r\n where", Simple("fromandwhere"));
}

TEST(SimpleFormatTest, DoubleByteCharactersAreNeverSplitOrMatched)
{
    // 餌 ends in the byte 'a' and 映 in 'f': "and" and "from" are not there.
    EXPECT_EQ("餌nd 映rom", Simple("餌nd 映rom"));
    // 表 and ソ end in a backslash; the comma after them still breaks.
    EXPECT_EQ("表\r\n\t,ソ", Simple("表,ソ"));
    // An ideographic space is no blank for the formatter.
    EXPECT_EQ("a　\r\n   and", Simple("a　and"));
}

TEST(RemoveKanjiSpacesTest, EachIdeographicSpaceBecomesOneBlank)
{
    EXPECT_EQ(std::string("山田 太郎"), RemoveKanjiSpaces("山田　太郎").Text());
    EXPECT_EQ(std::string("  a "), RemoveKanjiSpaces("　　a　").Text());
    // 堰 is 89 81: followed by '@' it only looks like 81 40.
    EXPECT_EQ(std::string("堰@ x"), RemoveKanjiSpaces("堰@　x").Text());
    EXPECT_EQ(std::string(""), RemoveKanjiSpaces("").Text());
}

TEST(ParseArrangeLineTest, CommentsAndOneFieldLinesAreNoRules)
{
    const char* lines[] = {";from\tFROM", ";", "", "from", "\\t", "表t", "from\r\n"};
    for (const char* line : lines) {
        ArrangeRule rule;
        EXPECT_FALSE(ParseArrangeLine(line, rule)) << line;
    }
}

TEST(ParseArrangeLineTest, FieldsEscapesAndTabs)
{
    struct Case {
        const char* line;
        const char* search;
        const char* replacement;
    } cases[] = {
        {"from\t\\nFROM", "from", "\nFROM"},
        {"\\a\\b\\f\\n\\r\\v\tx", "\a\b\f\n\r\v", "x"},
        {"x\t\\a\\b\\f\\n\\r\\v", "x", "\a\b\f\n\r\v"},
        {"\\t\ta\\tb", "\t", "a\tb"},
        {"a\tb\tc", "a", "b"},
        {"a\t", "a", ""},
        {"\tX", "", "X"},
        {"a\tb\r\n", "a", "b"},
        {"a\tb\n", "a", "b"},
        // Only the listed letters are escapes, and only in lower case.
        {"\\x\\N\tq", "\\x\\N", "q"},
        {"\\\\n\tq", "\\\n", "q"},
        // The backslash that ends 表 or ソ starts no escape.
        {"表t\tソn", "表t", "ソn"},
        {"表n\\n\tx", "表n\n", "x"},
    };
    for (const Case& c : cases) {
        ArrangeRule rule;
        ASSERT_TRUE(ParseArrangeLine(c.line, rule)) << c.line;
        EXPECT_EQ(c.search, std::string(rule.search.Text())) << c.line;
        EXPECT_EQ(c.replacement, std::string(rule.replacement.Text())) << c.line;
    }
}

TEST(ApplyArrangeRulesTest, FromRuleReplacesEveryCaseWithLineFeedAndUpperCase)
{
    ArrangeRule rule;
    ASSERT_TRUE(ParseArrangeLine("from\t\\nFROM", rule));
    EXPECT_EQ(std::string("select a \nFROM t; SELECT B \nFROM U \nFROM V"),
              ApplyArrangeRules("select a from t; SELECT B From U FROM V", {rule}).Text());
}

TEST(ApplyArrangeRulesTest, ReplacementHoldingItsSearchTextIsNotSearchedAgain)
{
    EXPECT_EQ(std::string("x FROM from y FROM from"),
              ApplyArrangeRules("x from y from", {Rule("from", "FROM from")}).Text());
    EXPECT_EQ(std::string("aaaa"), ApplyArrangeRules("aa", {Rule("a", "aa")}).Text());
}

TEST(ApplyArrangeRulesTest, LaterRulesSeeEarlierOutput)
{
    EXPECT_EQ(std::string("cc"), ApplyArrangeRules("ab", {Rule("a", "b"), Rule("b", "c")}).Text());
    EXPECT_EQ(std::string("ab"), ApplyArrangeRules("ab", {}).Text());
    // An empty search text is never found: nothing to insert between every character.
    EXPECT_EQ(std::string("ab"), ApplyArrangeRules("ab", {Rule("", "X")}).Text());
    EXPECT_EQ(std::string("b"), ApplyArrangeRules("ab", {Rule("A", "")}).Text());
}

TEST(ReplaceAllOnePassTest, CountsAndKeepsDoubleByteCharactersWhole)
{
    size_t count = 99;
    EXPECT_EQ(std::string("xyxyx"), ReplaceAllOnePass("xAbxaBx", "ab", "y", true, &count).Text());
    EXPECT_EQ(2u, count);
    EXPECT_EQ(std::string("xAbxyx"), ReplaceAllOnePass("xAbxabx", "ab", "y", false, &count).Text());
    EXPECT_EQ(1u, count);
    EXPECT_EQ(std::string("none"), ReplaceAllOnePass("none", "x", "y", true, &count).Text());
    EXPECT_EQ(0u, count);
    // 陰 (89 41) and 餌 (89 61) differ only in a trail byte that looks like a letter's case.
    EXPECT_EQ(std::string("餌-"), ReplaceAllOnePass("餌陰", "陰", "-", true, &count).Text());
    EXPECT_EQ(1u, count);
    // The search "A" does not hit the trail byte of 陰.
    EXPECT_EQ(std::string("陰b"), ReplaceAllOnePass("陰A", "a", "b", true).Text());
    // Behind a run of lead-range bytes only the run's parity tells where characters start.
    EXPECT_EQ(std::string("亜亜亜-"), ReplaceAllOnePass("亜亜亜A", "a", "-", true).Text());
    // A search text ending in a lone lead byte matches only at the end of the text.
    EXPECT_EQ(std::string("a-"), ReplaceAllOnePass("a\x81", "\x81", "-", false).Text());
    EXPECT_EQ(std::string("a\x81\x40"), ReplaceAllOnePass("a\x81\x40", "\x81", "-", false).Text());
}

TEST(ReplaceAllOnePassTest, ManyMatchesInALongTextComeOutWhole)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "表and,";
    size_t count = 0;
    VornString out = ReplaceAllOnePass(text.c_str(), "AND", "\r\n   and", true, &count);
    EXPECT_EQ(20000u, count);
    EXPECT_EQ(text.size() + 20000 * 5, out.Length());
    EXPECT_EQ(0, std::string(out.Text()).compare(0, 15, "表\r\n   and,表\r\n"));
}

TEST(ReadArrangeFileTest, RulesInFileOrderAndMissingFileReported)
{
    std::string path = ScratchPath("Arrange.txt");
    WriteBytes(path, ";整形ルール\r\nfrom\t\\nFROM\r\nonefield\r\n\r\nwhere\t\\n\\tWHERE\tignored\r\n　\t ");
    ArrangeRules rules;
    ASSERT_TRUE(ReadArrangeFile(path.c_str(), rules));
    ASSERT_EQ(3u, rules.size());
    EXPECT_STREQ("from", rules[0].search.Text());
    EXPECT_STREQ("\nFROM", rules[0].replacement.Text());
    EXPECT_STREQ("where", rules[1].search.Text());
    EXPECT_STREQ("\n\tWHERE", rules[1].replacement.Text());
    EXPECT_STREQ("　", rules[2].search.Text());
    EXPECT_EQ(std::string("select \nFROM t \n\tWHERE a=1"),
              ApplyArrangeRules("select　from t　where a=1", rules).Text());
    RemoveFile(path);
    EXPECT_FALSE(ReadArrangeFile(path.c_str(), rules));
    EXPECT_TRUE(rules.empty());
}
