#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/TokenList.h"

namespace {

std::vector<std::string> Fields(const char* text, char separator)
{
    TokenList list(text, separator);
    std::vector<std::string> fields;
    for (int i = 0; i < list.Count(); ++i)
        fields.push_back(list[i]);
    return fields;
}

}  // namespace

TEST(TokenList, EmptyFieldsAreKeptEverywhere)
{
    using V = std::vector<std::string>;
    EXPECT_EQ((V{"a", "", "b", ""}), Fields("a,,b,", ','));
    EXPECT_EQ((V{"a", ""}), Fields("a,", ','));
    EXPECT_EQ((V{"", "a"}), Fields(",a", ','));
    EXPECT_EQ((V{""}), Fields("", ','));
    EXPECT_EQ((V{"DSN", "db", "user", "pw"}), Fields("DSN,db,user,pw", ','));
}

TEST(TokenList, SeparatorInsideDoubleByteCharacterIsNotABoundary)
{
    // "表" and "ソ" end in 0x5C.
    using V = std::vector<std::string>;
    EXPECT_EQ((V{"表ソ", "x"}), Fields("表ソ\\x", '\\'));
    // Neither a lead byte inside a character nor a trail byte '@' or 's' is a separator;
    // a lead byte at the very end stands alone.
    EXPECT_EQ((V{"a\x81\x40" "b"}), Fields("a\x81\x40" "b", '\x81'));
    EXPECT_EQ((V{"a", ""}), Fields("a\x81", '\x81'));
    EXPECT_EQ((V{"\x81\x40,", "x"}), Fields("\x81\x40,@x", '@'));
    EXPECT_EQ((V{"ピ", "ス"}), Fields("ピsス", 's'));
}

TEST(TokenList, RefillReplacesContentAndOutOfRangeIsEmpty)
{
    TokenList list("a\tb", '\t');
    EXPECT_EQ(2, list.Count());
    list.Fill("x", '\t');
    EXPECT_EQ(1, list.Count());
    EXPECT_STREQ("x", list[0]);
    EXPECT_STREQ("", list[5]);
    EXPECT_STREQ("", list[-1]);
}
