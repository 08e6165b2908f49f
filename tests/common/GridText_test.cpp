#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/GridText.h"

namespace {

class TableSource : public GridTextSource {
public:
    std::vector<std::string> titles;
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> selected;

    int ColumnCount() const override { return static_cast<int>(titles.size()); }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    void ColumnTitle(int column, VornString& out) const override { out = titles[column].c_str(); }
    void CellText(int row, int column, VornString& out) const override { out = rows[row][column].c_str(); }
    bool IsRowSelected(int row) const override { return selected[row]; }
};

TableSource Sample()
{
    TableSource source;
    source.titles = {"№", "列名", "型名"};
    source.rows = {{"1", "社員番号", "int4"}, {"2", "氏名", "varchar"}, {"3", "表ソ", "text"}};
    source.selected = {false, true, false};
    return source;
}

std::string Exported(const TableSource& source, int first, bool selectedOnly, bool header, int mode)
{
    VornString out;
    EXPECT_TRUE(ExportGridText(source, first, selectedOnly, header, mode, out));
    return out.Text();
}

}  // namespace

TEST(GridExport, TextModesSeparateColumnsAndEndEveryLine)
{
    TableSource source = Sample();
    EXPECT_EQ("№\t列名\t型名\n1\t社員番号\tint4\n2\t氏名\tvarchar\n3\t表ソ\ttext\n",
              Exported(source, 0, false, true, 0));
    EXPECT_EQ("列名,型名\n氏名,varchar\n", Exported(source, 1, true, true, 1));
    EXPECT_EQ("1\\社員番号\\int4\n2\\氏名\\varchar\n3\\表ソ\\text\n", Exported(source, 0, false, false, 2));
}

TEST(GridExport, HeaderOnlyModesStopAfterTheTitles)
{
    TableSource source = Sample();
    EXPECT_EQ("№\t列名\t型名", Exported(source, 0, false, true, 100));
    EXPECT_EQ("№,列名,型名", Exported(source, 0, false, true, 101));
    EXPECT_EQ("№\n列名\n型名", Exported(source, 0, false, true, 102));
}

TEST(GridExport, HtmlTableWithoutEscaping)
{
    TableSource source;
    source.titles = {"a", "b"};
    source.rows = {{"<b>x</b>", "表"}};
    source.selected = {false};
    EXPECT_EQ("<TABLE class=\"VornTable\" border=\"0\" cellspacing=\"1\" bgcolor=\"#000000\">\n"
              "<TR class=\"VornTr\"><TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>a</TH>"
              "<TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>b</TH></TR>\n"
              "<TR class=\"VornTr\"><TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap><b>x</b></TD>"
              "<TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>表</TD></TR>\n"
              "</TABLE>\n",
              Exported(source, 0, false, true, 3));
}

TEST(GridExport, FileModesWriteCrLfAndLeaveThePathInTheTarget)
{
    TableSource source = Sample();
    std::string path = ScratchPath("grid_export.txt");
    VornString target(path.c_str());
    ASSERT_TRUE(ExportGridText(source, 1, false, true, 1001, target));
    EXPECT_STREQ(path.c_str(), target.Text());
    EXPECT_EQ("列名,型名\r\n社員番号,int4\r\n氏名,varchar\r\n表ソ,text\r\n", ReadBytes(path));
    RemoveFile(path);

    VornString unwritable(ScratchPath("no_such_folder/x.txt").c_str());
    EXPECT_FALSE(ExportGridText(source, 0, false, true, 1000, unwritable));
    VornString unknown;
    EXPECT_FALSE(ExportGridText(source, 0, false, true, 7, unknown));
}

TEST(GridSort, RightAlignedColumnsCompareAsNumbersUnlessBothAreZero)
{
    std::vector<std::string> cells = {"10", "9", "abc", "0"};
    std::sort(cells.begin(), cells.end(), [](const std::string& a, const std::string& b) {
        return CompareGridCells(a.c_str(), b.c_str(), true, false) < 0;
    });
    EXPECT_EQ((std::vector<std::string>{"0", "abc", "9", "10"}), cells);
    std::sort(cells.begin(), cells.end(), [](const std::string& a, const std::string& b) {
        return CompareGridCells(a.c_str(), b.c_str(), true, true) < 0;
    });
    EXPECT_EQ((std::vector<std::string>{"10", "9", "abc", "0"}), cells);
}

TEST(GridSort, TextColumnsIgnoreCaseButNotDoubleByteTrailBytes)
{
    EXPECT_EQ(0, CompareGridCells("Abc", "aBC", false, false));
    EXPECT_LT(CompareGridCells("10", "9", false, false), 0) << "left-aligned numbers sort as text";
    // "ピ" (0x83 0x73) and "セ" (0x83 0x53) differ only in a trail byte's letter case.
    EXPECT_NE(0, CompareGridCells("ピ", "セ", false, false));
}
