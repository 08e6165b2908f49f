#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/VornString.h"

TEST(VornString, ConstructionSetsCapacities)
{
    EXPECT_EQ(32u, VornString().Capacity());
    EXPECT_EQ(100u, VornString(100u).Capacity());
    VornString text("abc");
    EXPECT_EQ(4u, text.Capacity());
    EXPECT_STREQ("abc", text.Text());
    VornString copy(text);
    EXPECT_STREQ("abc", copy.Text());
    EXPECT_EQ(4u, copy.Capacity());
}

TEST(VornString, AppendGrowsAndIgnoresNull)
{
    VornString text("ab");
    text.Append("表cd");
    EXPECT_STREQ("ab表cd", text.Text());
    EXPECT_EQ(7u, text.Capacity());  // what was needed, more than half as much again
    text.Append(static_cast<const char*>(nullptr));
    text.Assign(static_cast<const char*>(nullptr));
    EXPECT_STREQ("ab表cd", text.Text());
    text.Append(text.Text());  // from its own buffer
    EXPECT_STREQ("ab表cdab表cd", text.Text());
}

TEST(VornString, ManyAppendsGrowGeometricallyAndKeepWhatWasAskedFor)
{
    VornString text;
    std::string expected;
    int reallocations = 0;
    unsigned capacity = text.Capacity();
    for (int i = 0; i < 100000; ++i) {
        const char* piece = i % 3 ? "表\t" : "ソ,x\n";
        text.Append(piece);
        expected += piece;
        ASSERT_GE(text.Capacity(), text.Length() + 1);
        if (text.Capacity() != capacity) {
            ++reallocations;
            capacity = text.Capacity();
        }
    }
    EXPECT_EQ(expected, text.Text());
    EXPECT_EQ(expected.size(), text.Length());
    EXPECT_LT(reallocations, 40);  // growth by a constant factor, not by the piece

    VornString sized(10u);
    sized.Resize(5000);
    EXPECT_EQ(5000u, sized.Capacity());
    sized.Assign("abc");
    EXPECT_EQ(5000u, sized.Capacity());
}

TEST(VornString, LengthFollowsWhatAPlatformCallWroteIntoTheBuffer)
{
    VornString text("long text here");
    EXPECT_EQ(14u, text.Length());
    std::memcpy(text.Buffer(), "ab\0", 3);
    EXPECT_EQ(2u, text.Length());
    text.Append("表");
    EXPECT_STREQ("ab表", text.Text());
    std::memcpy(text.Buffer(), "wxyz!\0", 6);
    VornString copy(text);
    EXPECT_STREQ("wxyz!", copy.Text());
    text.Chop();
    text.Insert(0, "<");
    EXPECT_STREQ("<wxyz", text.Text());
    EXPECT_EQ(5u, text.Length());
}

TEST(VornString, PrependAndInsertMoveTheTail)
{
    VornString text("world");
    text.Prepend("hello ");
    EXPECT_STREQ("hello world", text.Text());
    text.Insert(5, ",");
    EXPECT_STREQ("hello, world", text.Text());
    text.Insert(100, "!");
    EXPECT_STREQ("hello, world!", text.Text());
}

TEST(VornString, FormattingSetsCapacityAndAppends)
{
    VornString text(4000u);
    text.Format("%s-%d", "表", 42);
    EXPECT_STREQ("表-42", text.Text());
    EXPECT_EQ(1024u, text.Capacity());
    text.AppendFormat("[%05d]", 7);
    EXPECT_STREQ("表-42[00007]", text.Text());
    text.ZeroPadded(42, 6);
    EXPECT_STREQ("000042", text.Text());
}

TEST(VornString, RepeatKeepRightAndThousands)
{
    VornString text;
    text.Repeat("ab", 3);
    EXPECT_STREQ("ababab", text.Text());
    text.Repeat("ab", 0);
    EXPECT_STREQ("", text.Text());
    text = "abcdef";
    text.KeepRight(2);
    EXPECT_STREQ("ef", text.Text());
    text.KeepRight(5);
    EXPECT_STREQ("ef", text.Text());

    const struct { const char* in; const char* out; } cases[] = {
        {"1234567", "1,234,567"}, {"123", "123"}, {"1000", "1,000"},
        {"-1234", "-1,234"}, {"1234.5678", "1,234.5678"}, {"", ""},
    };
    for (const auto& c : cases) {
        text = c.in;
        text.InsertThousandsSeparators();
        EXPECT_STREQ(c.out, text.Text()) << c.in;
    }
}

TEST(VornString, ReplaceAllDoesNotRescanAndRespectsCharacters)
{
    VornString text("aaa");
    text.ReplaceAll("a", "bb");
    EXPECT_STREQ("bbbbbb", text.Text());
    text = "xyz";
    text.ReplaceAll("q", "r");
    EXPECT_STREQ("xyz", text.Text());
    text = "aXa";
    text.ReplaceAll("a", "aa");
    EXPECT_STREQ("aaXaa", text.Text());
    text = "表\\ソ";
    text.ReplaceAll("\\", "/");
    EXPECT_STREQ("表/ソ", text.Text());
    text = "SELECT select SeLeCt";
    text.ReplaceAllIgnoreCase("select", "x");
    EXPECT_STREQ("x x x", text.Text());
    // Longer replacements past the growth step.
    text.Repeat("a", 500);
    text.ReplaceAll("a", "表表");
    EXPECT_EQ(2000u, text.Length());
}

// A lead byte alone, a trail byte alone ('@', 's', 0x5C) and needles that start or end
// inside a character of the text match nothing.
TEST(VornString, SearchesAndReplacementsMatchWholeCharactersOnly)
{
    const struct {
        const char* text;
        const char* search;
        bool ignoreCase;
        long found;
        const char* replaced;  // by "<>"
    } cases[] = {
        {"a\x81\x40", "\x81", false, -1, "a\x81\x40"},  {"a\x81\x40", "\x40", false, -1, "a\x81\x40"},
        {"\x81\x40@", "@", false, 2, "\x81\x40<>"},    {"表\\ソ", "\\", false, 2, "表<>ソ"},
        {"ソ表", "\\表", false, -1, "ソ表"},             {"ソ表", "ソ\x95", false, -1, "ソ表"},
        {"ピSs", "s", true, 2, "ピ<><>"},                {"ピ", "\x83S", true, -1, "ピ"},
    };
    for (const auto& c : cases) {
        VornString text(c.text);
        EXPECT_EQ(c.found, c.ignoreCase ? text.FindIgnoreCase(c.search) : text.Find(c.search)) << c.text;
        if (c.ignoreCase)
            text.ReplaceAllIgnoreCase(c.search, "<>");
        else
            text.ReplaceAll(c.search, "<>");
        EXPECT_STREQ(c.replaced, text.Text()) << c.text;
    }
    EXPECT_EQ(5, VornString("表@\x81\x40@").Find("@", 3)) << "from the third character";

    // Trimming, quotes and list items look at whole characters too.
    VornString text("表\\");
    text.Trim("\\");
    EXPECT_STREQ("表", text.Text());
    text.Trim("\\");
    EXPECT_STREQ("表", text.Text());
    text = "@\x81\x40";
    text.Trim("@");
    EXPECT_STREQ("\x81\x40", text.Text());
    text = "[ゾ";  // ゾ is 0x83 0x5D
    text.Unquote('[', ']');
    EXPECT_STREQ("[ゾ", text.Text());
    text.Enclose('[', ']');
    EXPECT_STREQ("[[ゾ]", text.Text());
    EXPECT_TRUE(VornString("\x95").IsMemberOf("表,\x95"));
    EXPECT_FALSE(VornString("a").IsMemberOf("\x81,a")) << "the comma is the second byte of a character";
}

TEST(VornString, CompareDistinguishesExactAndCaseInsensitiveEquality)
{
    VornString text("Table1");
    EXPECT_EQ(1, text.Compare("Table1"));
    EXPECT_EQ(-1, text.Compare("TABLE1"));
    EXPECT_EQ(0, text.Compare("Table2"));
    EXPECT_TRUE(text.IsDifferent("TABLE1"));
    EXPECT_FALSE(text.IsDifferent("Table1"));
}

TEST(VornString, ListMembershipComparesWholeItems)
{
    VornString text("131");
    EXPECT_TRUE(text.IsMemberOf("7,131,133"));
    EXPECT_FALSE(text.IsMemberOf("7,1310,13"));
    text = "Tab";
    EXPECT_FALSE(text.IsMemberOf("TAB,x"));
    EXPECT_TRUE(text.IsMemberOfIgnoreCase("TAB,x"));
    text = "";
    EXPECT_TRUE(text.IsMemberOf("a,,b"));
}

TEST(VornString, FindIntegerAndUpperCase)
{
    VornString text("ピxSELECT");
    EXPECT_EQ(3, text.Find("SELECT"));
    // The trail byte of "ピ" is 's'.
    EXPECT_EQ(3, text.FindIgnoreCase("s"));
    EXPECT_EQ(-1, text.Find("nope"));
    text = "123abc";
    EXPECT_EQ(123, text.ToInteger());
    text = "abc";
    EXPECT_EQ(0, text.ToInteger());
    text = "ソ表ピabc";
    text.UpperCase();
    EXPECT_STREQ("ソ表ピABC", text.Text());
}

TEST(VornString, TrimChopAndQuotes)
{
    VornString text("  a b  ");
    text.Trim(" ");
    EXPECT_STREQ("a b", text.Text());
    text = "\x81\x40 表 \x81\x40";
    text.TrimBlanks();
    EXPECT_STREQ("表", text.Text());
    text = "ab表";
    text.Chop();
    EXPECT_STREQ("ab", text.Text());
    text = "表ab";
    text.RemoveFirst();
    EXPECT_STREQ("ab", text.Text());

    text = "\"C:\\x\"";
    text.Unquote('"');
    EXPECT_STREQ("C:\\x", text.Text());
    text.Enclose('[', ']');
    EXPECT_STREQ("[C:\\x]", text.Text());
    text.Enclose('[', ']');
    EXPECT_STREQ("[C:\\x]", text.Text());
    text = "\"";
    text.Unquote('"');
    EXPECT_STREQ("\"", text.Text());
    text = "v";
    text.Wrap("'");
    EXPECT_STREQ("'v'", text.Text());
}

TEST(VornString, PathOperationsIgnoreTrailBackslashes)
{
    VornString path("\"C:\\データ\\表.xls\"");
    path.RemoveExtension();
    EXPECT_STREQ("C:\\データ\\表", path.Text());

    path = "C:\\dir.x\\file";
    EXPECT_STREQ("", path.FindExtension().Text());
    path = "C:\\dir\\ソ.mdb";
    EXPECT_STREQ(".mdb", path.FindExtension().Text());

    path = "C:\\表";
    path.AddBackslash();
    EXPECT_STREQ("C:\\表\\", path.Text());
    path.AddBackslash();
    EXPECT_STREQ("C:\\表\\", path.Text());
    path.RemoveBackslash();
    EXPECT_STREQ("C:\\表", path.Text());
    path.RemoveBackslash();
    EXPECT_STREQ("C:\\表", path.Text());
    path = "C:\\";
    path.RemoveBackslash();
    EXPECT_STREQ("C:\\", path.Text());

    path = "C:\\ソ\\表";
    path.RemoveFileSpec();
    EXPECT_STREQ("C:\\ソ", path.Text());
    path.RemoveFileSpec();
    EXPECT_STREQ("C:\\", path.Text());

    path = "C:\\フォルダ\\表ソ.txt";
    path.StripPath();
    EXPECT_STREQ("表ソ.txt", path.Text());
}

TEST(VornString, ResizeKeepsOrTruncatesText)
{
    VornString text("abcdef");
    ASSERT_TRUE(text.Resize(100));
    EXPECT_STREQ("abcdef", text.Text());
    ASSERT_TRUE(text.Resize(4));
    EXPECT_STREQ("abc", text.Text());
}
