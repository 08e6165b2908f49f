#include <gtest/gtest.h>

#include <cstring>

#include "dataview/FindRules.h"
#include "transfer/RowsSource.h"

using namespace dataview;

namespace {

bool Contains(const char* cell, const char* text, bool ignoreCase)
{
    return CellContains(cell, std::strlen(cell), text, std::strlen(text), ignoreCase);
}

// Columns 0 and 1 stand for the data view's state and error columns.
RowsSource Rows()
{
    return RowsSource({"状態", "エラー", "名前", "備考"}, {
                                                            {"0", "", "Apple", "x"},
                                                            {"1", "", "banana", "apple"},
                                                            {"2", "apple", "APPLE pie", "ソース"},
                                                            {"3", "", "cherry", "y"},
                                                        });
}

std::pair<int, int> Hit(const RowsSource& grid, const char* text, bool ignoreCase, int column,
                        FindDirection direction, int current)
{
    FindQuery query;
    query.text = text;
    query.ignoreCase = ignoreCase;
    query.column = column;
    query.firstColumn = 2;
    FindHit hit = FindInGrid(grid, query, direction, current);
    EXPECT_EQ(hit.Found(), hit.row >= 0 && hit.column >= 0);
    return {hit.row, hit.column};
}

}  // namespace

TEST(FindRules, ACellMatchesOnCharacterBoundariesFoldingOnlySingleByteLetters)
{
    EXPECT_TRUE(Contains("abcDEF", "cde", true));
    EXPECT_FALSE(Contains("abcDEF", "cde", false));
    EXPECT_TRUE(Contains("営業部ソフト課", "ソフト", false));
    // "ソ" is 0x83 0x5C and "ア" is 0x83 0x41: their trail bytes are no backslash and no A.
    EXPECT_FALSE(Contains("ソフト", "\\", false));
    EXPECT_FALSE(Contains("アイ", "A", true));
    EXPECT_FALSE(Contains("アイ", "a", true));
    // "表" is 0x95 0x5C, "示" 0x8E 0xA6: a match may not start on the trail byte.
    EXPECT_FALSE(Contains("表示", "\x5C\x8E\xA6", false));
    // Full-width letters are double-byte characters and keep their case.
    EXPECT_FALSE(Contains("ＡＢＣ", "ａｂｃ", true));
    EXPECT_FALSE(Contains("abc", "", true)) << "an empty text is never found";
    EXPECT_FALSE(Contains("", "a", true));
}

TEST(FindRules, DirectionsStartAtTheTopAfterOrBeforeTheCurrentRowAndDoNotWrap)
{
    RowsSource grid = Rows();
    using P = std::pair<int, int>;
    const FindDirection top = FindDirection::FromTop, next = FindDirection::Next, back = FindDirection::Previous;
    // A whole-grid search skips the columns before the first one (row 2's "apple" in column 1).
    EXPECT_EQ(P(1, 3), Hit(grid, "apple", false, -1, top, 3));
    EXPECT_EQ(P(0, 2), Hit(grid, "apple", true, -1, top, 3));
    EXPECT_EQ(P(1, 3), Hit(grid, "apple", true, -1, next, 0));
    EXPECT_EQ(P(2, 2), Hit(grid, "apple", true, -1, next, 1));
    EXPECT_EQ(P(-1, -1), Hit(grid, "apple", true, -1, next, 2)) << "past the last row: not found";
    EXPECT_EQ(P(1, 3), Hit(grid, "apple", true, -1, back, 2));
    EXPECT_EQ(P(-1, -1), Hit(grid, "apple", true, -1, back, 0)) << "before the first row: not found";
    EXPECT_EQ(P(-1, -1), Hit(grid, "apple", false, -1, back, 1));
    // Without a current row "next" starts at the first row and "previous" at the last.
    EXPECT_EQ(P(0, 2), Hit(grid, "apple", true, -1, next, -1));
    EXPECT_EQ(P(2, 2), Hit(grid, "apple", true, -1, back, -1));
    EXPECT_EQ(P(3, 2), Hit(grid, "rr", false, -1, back, 99)) << "a stale current row counts as none";
    EXPECT_EQ(P(2, 3), Hit(grid, "ース", false, -1, top, -1));
}

TEST(FindRules, AColumnSearchLooksOnlyAtThatColumn)
{
    RowsSource grid = Rows();
    using P = std::pair<int, int>;
    EXPECT_EQ(P(2, 1), Hit(grid, "apple", false, 1, FindDirection::FromTop, -1))
        << "the chosen column is searched even before the first whole-grid column";
    EXPECT_EQ(P(2, 2), Hit(grid, "pie", false, 2, FindDirection::FromTop, -1));
    EXPECT_EQ(P(-1, -1), Hit(grid, "x", false, 2, FindDirection::FromTop, -1)) << "'x' is in column 3 only";
    EXPECT_EQ(P(1, 3), Hit(grid, "APPLE", true, 3, FindDirection::Previous, 3));
    EXPECT_EQ(P(-1, -1), Hit(grid, "a", true, 4, FindDirection::FromTop, -1)) << "no such column";
    EXPECT_EQ(P(-1, -1), Hit(grid, "", true, 2, FindDirection::FromTop, -1));
    RowsSource empty({}, {});
    EXPECT_EQ(P(-1, -1), Hit(empty, "a", true, -1, FindDirection::FromTop, -1));
}
