#include <gtest/gtest.h>

#include <string>

#include "common/FontTable.h"
#include "common/WindowPlacement.h"

TEST(FontTable, FacesSizesAndHeights)
{
    FontRequest request;
    ASSERT_TRUE(LookUpFont(0, 8, false, &request));
    EXPECT_STREQ("ＭＳ Ｐゴシック", request.face);
    EXPECT_EQ(-11, request.height);
    EXPECT_EQ(400, request.weight);
    ASSERT_TRUE(LookUpFont(3, 18, true, &request));
    EXPECT_STREQ("ＭＳ 明朝", request.face);
    EXPECT_EQ(-24, request.height);
    EXPECT_EQ(700, request.weight);
    const int expected[] = {-11, -12, -13, -15, -16, -19, -19, -21, -21, -24, -24};
    for (int size = 8; size <= 18; ++size) {
        ASSERT_TRUE(LookUpFont(1, size, false, &request));
        EXPECT_EQ(expected[size - 8], request.height) << size;
    }
    EXPECT_FALSE(LookUpFont(0, 7, false, &request));
    EXPECT_FALSE(LookUpFont(0, 19, false, &request));
    EXPECT_FALSE(LookUpFont(4, 10, false, &request));
    EXPECT_FALSE(LookUpFont(-1, 10, false, &request));
}

TEST(WindowPlacement, NeverStoredLeavesTheWindowAlone)
{
    StoredPosition position = {1, 2, 3, 4};
    EXPECT_FALSE(ResolveStoredPosition("NOTHING", "0", "800", "600", &position));
    EXPECT_EQ(1, position.left);
}

TEST(WindowPlacement, NegativePositionsAndSmallSizesAreCorrected)
{
    StoredPosition position;
    ASSERT_TRUE(ResolveStoredPosition("-30", "-5", "100", "249", &position));
    EXPECT_EQ(0, position.left);
    EXPECT_EQ(0, position.top);
    EXPECT_EQ(250, position.width);
    EXPECT_EQ(250, position.height);
    ASSERT_TRUE(ResolveStoredPosition("10", "20", "800", "600", &position));
    EXPECT_EQ(10, position.left);
    EXPECT_EQ(800, position.width);
}
