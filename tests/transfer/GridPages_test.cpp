#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "RowsSource.h"
#include "TestSupport.h"
#include "transfer/GridPages.h"

using namespace transfer;

namespace {

const std::string kHead =
    "<HTML>\n<HEAD>\n<META http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\n"
    "</HEAD>\n<BODY>\n";
const std::string kFoot = "</BODY>\n</HTML>\n";

// The window's own row-number and mark columns come first, as in the data view.
RowsSource Sample()
{
    return RowsSource({"№", "印", "名前<>", "ソ備考"},
                      {{"1", "*", "<b>表</b>", "a>b"}, {"2", "", "ソフト", ""}});
}

}  // namespace

TEST(GridPages, HtmlPageWritesHeadingsAndCellsWithAngleBracketsEscaped)
{
    VornString page;
    BuildHtmlPage(Sample(), 2, page);
    EXPECT_EQ(kHead +
                  "<TABLE class=\"VornTable\" border=\"0\" cellspacing=\"1\" bgcolor=\"#000000\">\n"
                  "<TR class=\"VornTr\"><TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>名前&lt;&gt;</TH>"
                  "<TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>ソ備考</TH></TR>\n"
                  "<TR class=\"VornTr\"><TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>&lt;b&gt;表&lt;/b&gt;</TD>"
                  "<TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>a&gt;b</TD></TR>\n"
                  "<TR class=\"VornTr\"><TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>ソフト</TD>"
                  "<TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap></TD></TR>\n"
                  "</TABLE>\n" + kFoot,
              page.Text());

    // From a negative first column the whole grid is written; an empty grid keeps its frame.
    BuildHtmlPage(RowsSource({"a&b"}, {{"\"x\""}}), -1, page);
    EXPECT_NE(std::string::npos, std::string(page.Text()).find("nowrap>a&b</TH></TR>\n")) << "only < and > are escaped";
    EXPECT_NE(std::string::npos, std::string(page.Text()).find("nowrap>\"x\"</TD></TR>\n"));
    BuildHtmlPage(RowsSource({}, {}), 0, page);
    EXPECT_EQ(kHead + "<TABLE class=\"VornTable\" border=\"0\" cellspacing=\"1\" bgcolor=\"#000000\">\n"
                      "<TR class=\"VornTr\"></TR>\n</TABLE>\n" + kFoot,
              page.Text());
}

TEST(GridPages, XmlDataAndViewPageNumberTheFieldsFromTheFirstWrittenColumn)
{
    VornString data;
    BuildXmlData(Sample(), 2, data);
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"shift_jis\" ?>\n"
              "\t<mydata>\n"
              "\t\t<!-- Fld001 : 名前&lt;&gt;-->\n"
              "\t\t<!-- Fld002 : ソ備考-->\n"
              "\t\t<row>\n"
              "\t\t\t<Fld001>&lt;b&gt;表&lt;/b&gt;</Fld001>\n"
              "\t\t\t<Fld002>a&gt;b</Fld002>\n"
              "\t\t</row>\n"
              "\t\t<row>\n"
              "\t\t\t<Fld001>ソフト</Fld001>\n"
              "\t\t\t<Fld002></Fld002>\n"
              "\t\t</row>\n"
              "\t</mydata>\n",
              std::string(data.Text()));

    VornString page;
    BuildXmlViewPage(Sample(), 2, "一覧.xml", page);
    EXPECT_EQ(kHead +
                  "<TABLE class=\"VornTable\" border=\"0\" cellspacing=\"1\" bgcolor=\"#000000\" "
                  "datasrc=\"#xmlDataisland\">\n"
                  "<THEAD class=\"VornThead\">\n"
                  "\t<TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>名前&lt;&gt;</TH>\n"
                  "\t<TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>ソ備考</TH>\n"
                  "</THEAD>\n"
                  "<TR class=\"VornTr\">\n"
                  "\t<TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap><SPAN datafld=\"Fld001\"></SPAN></TD>\n"
                  "\t<TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap><SPAN datafld=\"Fld002\"></SPAN></TD>\n"
                  "</TR>\n"
                  "</TABLE>\n"
                  "<XML id=\"xmlDataisland\" src=\"一覧.xml\"></XML>\n" + kFoot,
              page.Text());

    EXPECT_STREQ("Fld010", XmlFieldName(9));
    EXPECT_STREQ("Fld1000", XmlFieldName(999));
    EXPECT_STREQ("C:\\出力\\表.data.htm", XmlViewPagePath("C:\\出力\\表.data.xml"));
    EXPECT_STREQ("C:\\v1.0\\ソ.htm", XmlViewPagePath("C:\\v1.0\\ソ"));
}

TEST(GridPages, ALargeGridIsReadOnceAndBuiltInOnePass)
{
    std::vector<std::vector<std::string>> rows(100000, {"12345", "山田<太郎>", "営業"});
    RowsSource grid({"番号", "氏名", "部署"}, std::move(rows));
    const auto started = std::chrono::steady_clock::now();
    VornString data;
    BuildXmlData(grid, 0, data);
    VornString page;
    BuildHtmlPage(grid, 0, page);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(2 * 300000, grid.cellReads);
    std::string tail(data.Text() + data.Length() - 80);
    EXPECT_NE(std::string::npos, tail.find("<Fld002>山田&lt;太郎&gt;</Fld002>\n\t\t\t<Fld003>営業</Fld003>\n\t\t</row>\n\t</mydata>\n"));
    EXPECT_EQ(std::strlen(page.Text()), page.Length());
    // Quadratic growth would take minutes here; a linear build takes well under a second.
    EXPECT_LT(seconds, 5.0);
}

TEST(GridPages, FilesAreWrittenInPiecesWithTheSameBytesAsTheBuiltPages)
{
    std::vector<std::vector<std::string>> rows(5000, {"12345", "山田<太郎>", ""});
    RowsSource grid({"番号", "氏名", "部署"}, std::move(rows));
    const auto withCrLf = [](const VornString& page) {
        std::string bytes;
        for (const char* p = page.Text(); *p; ++p)
            bytes += *p == '\n' ? std::string("\r\n") : std::string(1, *p);
        return bytes;
    };
    VornString page;
    const std::string path = ScratchPath("一覧.htm");
    ASSERT_TRUE(WriteHtmlPageFile(grid, 1, path.c_str()));
    BuildHtmlPage(grid, 1, page);
    ASSERT_GT(page.Length(), 200000u) << "the file must take several pieces";
    EXPECT_EQ(withCrLf(page), ReadBytes(path));
    ASSERT_TRUE(WriteXmlDataFile(grid, 1, path.c_str()));
    BuildXmlData(grid, 1, page);
    EXPECT_EQ(withCrLf(page), ReadBytes(path));
    ASSERT_TRUE(WriteXmlViewPageFile(grid, 1, "一覧.xml", path.c_str()));
    BuildXmlViewPage(grid, 1, "一覧.xml", page);
    EXPECT_EQ(withCrLf(page), ReadBytes(path));
    RemoveFile(path);
    EXPECT_FALSE(WriteHtmlPageFile(grid, 0, ScratchPath("無い/フォルダ/x.htm").c_str()));
}
