#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/SjisText.h"

// "表" is 0x95 0x5C and "ソ" is 0x83 0x5C: their trail byte is a backslash.
// "ピ" is 0x83 0x73 (trail byte 's'), "ａ" is 0x82 0x81.

TEST(SjisText, LiteralsAreShiftJisWithBackslashTrailBytes)
{
    EXPECT_EQ(std::string("\x95\x5C"), std::string("表"));
    EXPECT_EQ(std::string("\x83\x5C"), std::string("ソ"));
    EXPECT_EQ(std::string("\x83\x73"), std::string("ピ"));
}

TEST(SjisText, UpperCaseLeavesDoubleByteCharactersAlone)
{
    char text[] = "ソ表ピabcｱ\x82\x81z";
    sjis::UpperCase(text);
    EXPECT_STREQ("ソ表ピABCｱ\x82\x81Z", text);
}

TEST(SjisText, CompareIgnoreCaseFoldsOnlySingleByteLetters)
{
    EXPECT_EQ(0, sjis::CompareIgnoreCase("Kestrova表", "KESTROVA表"));
    // 0x83 0x73 (ピ) must not equal 0x83 0x53 (セ): only the trail byte differs in case.
    EXPECT_NE(0, sjis::CompareIgnoreCase("ピ", "セ"));
    EXPECT_LT(sjis::CompareIgnoreCase("a", "B"), 0);
    EXPECT_GT(sjis::CompareIgnoreCase("abc", "ab"), 0);
}

TEST(SjisText, FindSkipsMatchesInsideDoubleByteCharacters)
{
    EXPECT_EQ(2, sjis::Find("表\\ソ", "\\"));
    EXPECT_EQ(-1, sjis::Find("表ソ", "\\"));
    // "s" is the trail byte of "ピ": a search for it must not land there.
    EXPECT_EQ(-1, sjis::Find("ピ", "s", true));
    EXPECT_EQ(2, sjis::Find("ピs", "S", true));
    // A needle that starts with a trail byte does not match across a character.
    EXPECT_EQ(-1, sjis::Find("表A", "\\A"));
    EXPECT_EQ(-1, sjis::Find("abc", ""));
}

// The boundary cases every search shares: a lead byte alone, a trail byte alone, a trail
// byte 0x5C, and a needle that starts or ends inside a character of the text.
TEST(SjisText, FindMatchesWholeCharactersOnly)
{
    const struct {
        const char* text;
        const char* needle;
        bool ignoreCase;
        long found;
    } cases[] = {
        {"a\x81\x40", "\x81", false, -1},   {"a\x81", "\x81", false, 1},
        {"a\x81\x40", "\x40", false, -1},   {"\x81\x40@", "@", false, 2},
        {"表", "\\", false, -1},           {"表\\", "\\", false, 2},
        {"ソ表", "\\表", false, -1},       {"ソ表", "\\\x95", false, -1},
        {"表ソ", "\x5C\x83", false, -1},   {"ソ表", "ソ\x95", false, -1},
        {"\x81\x81\x40", "\x81\x40", false, -1}, {"ピS", "s", true, 2},
        {"ピ", "\x83S", true, -1},          {"xピソ", "ピソ", false, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.found, sjis::Find(c.text, c.needle, c.ignoreCase)) << c.text << " / " << c.needle;
        EXPECT_EQ(c.found, sjis::Find(c.text, std::strlen(c.text), c.needle, std::strlen(c.needle), c.ignoreCase))
            << c.text << " / " << c.needle;
    }
}

TEST(SjisText, CharacterScansTreatTrailBackslashAsText)
{
    EXPECT_EQ(-1, sjis::FindChar("表ソ", '\\'));
    EXPECT_EQ(5, sjis::FindLastChar("C:\\表\\ソ", '\\'));
    EXPECT_FALSE(sjis::EndsWithChar("C:\\表", '\\'));
    EXPECT_TRUE(sjis::EndsWithChar("C:\\表\\", '\\'));
    // A lead or trail byte is found only where it stands as a character of its own.
    EXPECT_EQ(-1, sjis::FindChar("a\x81\x40", '\x81'));
    EXPECT_EQ(1, sjis::FindChar("a\x81", '\x81'));
    EXPECT_EQ(-1, sjis::FindChar("\x81\x40", '@'));
    EXPECT_EQ(2, sjis::FindLastChar("\x81\x40@\x81\x40", '@'));
    EXPECT_EQ(-1, sjis::FindLastChar("ピソ", 's'));
    EXPECT_FALSE(sjis::EndsWithChar("a\x81\x40", '@'));
    EXPECT_TRUE(sjis::EndsWithChar("a\x81", '\x81'));
}

TEST(SjisText, TrimmingRecognisesIdeographicSpacesOnlyOnBoundaries)
{
    const char text[] = "\x81\x40 a\x81\x40";
    EXPECT_EQ(3u, sjis::TrimmedStart(text, std::strlen(text), " ", true));
    EXPECT_EQ(4u, sjis::TrimmedEnd(text, std::strlen(text), " ", true));
    // "＠" (0x81 0x97) ends with a byte that is not '@'; "ｱ@" ends with a real '@'.
    const char notSpace[] = "x\x81\x97";
    EXPECT_EQ(3u, sjis::TrimmedEnd(notSpace, 3, "\x97", false));
    // Neither a trail byte '@' or '\\' nor a lead byte inside a character is a set member.
    EXPECT_EQ(0u, sjis::TrimmedStart("\x81\x40", 2, "\x81", false));
    EXPECT_EQ(2u, sjis::TrimmedEnd("\x81\x40", 2, "@", false));
    EXPECT_EQ(2u, sjis::TrimmedEnd("表", 2, "\\", false));
    EXPECT_EQ(1u, sjis::TrimmedEnd("a\x81", 2, "\x81", false));
}
