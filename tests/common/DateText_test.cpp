#include <gtest/gtest.h>

#include "common/DateText.h"

TEST(DateText, YearMonthAndDayAreZeroPadded)
{
    EXPECT_STREQ("2024/03/09", FormatDate(2024, 3, 9).Text());
    EXPECT_STREQ("0999/12/31", FormatDate(999, 12, 31).Text());
}
