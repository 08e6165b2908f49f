// "HTML出力と表示" over a main window: the save dialog, the files as written (CR LF), the
// remembered folders, the page handed to the opener, and the failure message.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "dataview/CopyTestSupport.h"
#include "resources/resource.h"
#include "transfer/GridPageOutput.h"

namespace {

std::string g_opened;

void RecordOpened(const char* path) { g_opened = path; }

class PageOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = SetGridPageOpener(RecordOpened);
        g_opened.clear();
        app_.Start();
        ShowFreeSqlRows(app_, "名前\t備考\n山田\t表示<>\n");
    }
    void TearDown() override { SetGridPageOpener(previous_); }
    // Runs the command, typing the path into the save dialog (cancelling when empty).
    bool Save(UINT id, const std::string& path, bool shift)
    {
        DialogDriver driver("保存ファイルのパスの取得", [&](HWND dialog) {
            if (path.empty()) {
                Press(dialog, IDCANCEL);
                return;
            }
            HWND field = GetDlgItem(dialog, cmb13);
            SetWindowTextA(field ? field : GetDlgItem(dialog, edt1), path.c_str());
            Press(dialog, IDOK);
        });
        HoldKey(VK_SHIFT, shift);
        app_.Command(id);
        HoldKey(VK_SHIFT, false);
        return driver.Finish();
    }

    MainWindowFixture app_;
    GridPageOpener previous_ = nullptr;
};

}  // namespace

TEST_F(PageOutputTest, HtmlAndXmlFilesAreWrittenWithCrLfAndTheirPageIsOpened)
{
    const std::string html = app_.PathInFolder("一覧.htm");
    ASSERT_TRUE(Save(IDM_HTML_OUTPUT, html, false));
    EXPECT_EQ(html, g_opened);
    EXPECT_EQ("<HTML>\r\n<HEAD>\r\n<META http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\r\n"
              "</HEAD>\r\n<BODY>\r\n<TABLE class=\"VornTable\" border=\"0\" cellspacing=\"1\" bgcolor=\"#000000\">\r\n"
              "<TR class=\"VornTr\"><TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>名前</TH>"
              "<TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>備考</TH></TR>\r\n"
              "<TR class=\"VornTr\"><TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>山田</TD>"
              "<TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>表示&lt;&gt;</TD></TR>\r\n"
              "</TABLE>\r\n</BODY>\r\n</HTML>\r\n",
              ReadBytes(html));
    EXPECT_EQ(app_.Folder(), app_.Setting("SaveDir", "Htmlput"));

    // Shift on the table list's item: the XML data file and its view page beside it.
    const std::string xml = app_.PathInFolder("表.xml");
    g_opened.clear();
    ASSERT_TRUE(Save(IDM_TABLE_LIST_HTML_OUTPUT, xml, true));
    EXPECT_EQ(app_.PathInFolder("表.htm"), g_opened);
    std::string data = ReadBytes(xml);
    EXPECT_EQ(0u, data.find("<?xml version=\"1.0\" encoding=\"shift_jis\" ?>\r\n\t<mydata>\r\n"
                            "\t\t<!-- Fld001 : №-->\r\n\t\t<!-- Fld002 : テーブル名-->\r\n"))
        << data;
    EXPECT_EQ(data.size() - 12, data.rfind("\t</mydata>\r\n"));
    std::string page = ReadBytes(g_opened);
    EXPECT_NE(std::string::npos, page.find("\r\n<XML id=\"xmlDataisland\" src=\"表.xml\"></XML>\r\n</BODY>\r\n")) << page;
    EXPECT_EQ(app_.Folder(), app_.Setting("SaveDir", "Xmlput"));

    // Cancelling the dialog writes and opens nothing.
    g_opened.clear();
    ASSERT_TRUE(Save(IDM_HTML_OUTPUT, "", false));
    EXPECT_EQ("", g_opened);
}

TEST_F(PageOutputTest, AFileThatCannotBeWrittenIsReportedWithItsPath)
{
    const std::string path = app_.PathInFolder("無い\\一覧.htm");
    VornString shown;
    MessageBoxAnswer box(IDOK);
    EXPECT_FALSE(WriteGridPageFiles(app_.Handle(), app_.Main().DefinitionView(), 0, path.c_str(), false, shown));
    EXPECT_EQ(path + " の書き込みに失敗しました　　", box.Text());
}
