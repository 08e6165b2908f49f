// The main window's clipboard copies: exact bytes (CR LF rows, headings where asked), the
// status texts, and an unchanged clipboard when there is nothing to copy.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "CopyTestSupport.h"
#include "WindowTestSupport.h"
#include "common/Clipboard.h"
#include "db/AdoConstants.h"
#include "resources/resource.h"

namespace {

const char kRows[] = "名前\t備考\t値\nApple\tソース\t1\nbanana\t表示<>\t2\nAPPLE pie\t\t3\ncherry\tapple\t4\n";
const char kUnchanged[] = "前のクリップボード";

class CopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app_.Start();
        ShowFreeSqlRows(app_, kRows);
    }
    std::string After(UINT id)
    {
        PutClipboardText(app_.Handle(), kUnchanged);
        app_.Command(id);
        return ClipboardText(app_.Handle());
    }
    std::string Status() { return app_.Main().Status().SimpleText().Text(); }
    std::string DoubleClick(int row, int column, int key = 0)
    {
        PutClipboardText(app_.Handle(), kUnchanged);
        if (key)
            HoldKey(key, true);
        NotifyCell(app_, View(), NM_DBLCLK, row, column);
        if (key)
            HoldKey(key, false);
        return ClipboardText(app_.Handle());
    }
    GridView& View() { return app_.Main().DefinitionView(); }

    MainWindowFixture app_;
};

}  // namespace

TEST_F(CopyTest, WholeViewSelectedRowsAndHeadingsAsTabCommaAndHtml)
{
    EXPECT_EQ("名前\t備考\t値\r\nApple\tソース\t1\r\nbanana\t表示<>\t2\r\nAPPLE pie\t\t3\r\ncherry\tapple\t4\r\n",
              After(IDM_COPY_DEFINITION_TAB));
    EXPECT_EQ("名前,備考,値\r\nApple,ソース,1\r\nbanana,表示<>,2\r\nAPPLE pie,,3\r\ncherry,apple,4\r\n",
              After(IDM_COPY_DEFINITION_COMMA));
    std::string html = After(IDM_COPY_DEFINITION_HTML);
    EXPECT_EQ(0u, html.find("<TABLE class=\"VornTable\" border=\"0\" cellspacing=\"1\" bgcolor=\"#000000\">\r\n"
                            "<TR class=\"VornTr\"><TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>名前</TH>"))
        << html;
    EXPECT_NE(std::string::npos, html.find("<TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>cherry</TD>"));
    EXPECT_EQ(html.size() - 10, html.rfind("</TABLE>\r\n"));

    SelectOnly(View(), {1, 3});
    EXPECT_EQ("banana\t表示<>\t2\r\ncherry\tapple\t4\r\n", After(IDM_COPY_SELECTED_TAB));
    EXPECT_EQ("banana,表示<>,2\r\ncherry,apple,4\r\n", After(IDM_COPY_SELECTED_COMMA));
    EXPECT_EQ("名前\t備考\t値\r\nbanana\t表示<>\t2\r\ncherry\tapple\t4\r\n", After(IDM_COPY_SELECTED_WITH_HEADINGS_TAB));
    EXPECT_EQ("名前,備考,値\r\nbanana,表示<>,2\r\ncherry,apple,4\r\n", After(IDM_COPY_SELECTED_WITH_HEADINGS_COMMA));
    EXPECT_EQ("名前,備考,値", After(IDM_COPY_HEADINGS_COMMA));
    EXPECT_EQ("名前\t備考\t値", After(IDM_COPY_HEADINGS_TAB));
    EXPECT_EQ("名前\r\n備考\r\n値", After(IDM_COPY_HEADINGS_LINES));

    // Nothing selected, or names of a table definition asked of a Free SQL result: no copy.
    View().SelectAll(false);
    EXPECT_EQ(kUnchanged, After(IDM_COPY_SELECTED_TAB));
    EXPECT_EQ(kUnchanged, After(IDM_COPY_SELECTED_WITH_HEADINGS_COMMA));
    EXPECT_EQ(kUnchanged, After(IDM_COPY_COLUMN_NAMES_COMMA));
    ShowFreeSqlRows(app_, "");
    EXPECT_EQ(kUnchanged, After(IDM_COPY_DEFINITION_TAB));
    EXPECT_EQ(kUnchanged, After(IDM_COPY_HEADINGS_TAB));
    EXPECT_EQ(kUnchanged, After(IDM_COPY_WHOLE_COLUMN));
}

TEST_F(CopyTest, DoubleClicksAndColumnCommandsCopyTheClickedCellColumnAndHeading)
{
    EXPECT_EQ("表示<>", DoubleClick(1, 1));
    EXPECT_EQ("【表示<>】 がクリップボードにコピーされました", Status());
    EXPECT_EQ("備考", DoubleClick(1, 1, VK_SHIFT));
    EXPECT_EQ("【備考】 がクリップボードにコピーされました", Status());
    EXPECT_EQ("ソース\r\n表示<>\r\n\r\napple\r\n", DoubleClick(0, 1, VK_CONTROL));
    EXPECT_EQ("【備考】 列の全てのデータがクリップボードにコピーされました", Status());

    SelectOnly(View(), {1, 3});
    EXPECT_EQ("表示<>\r\napple\r\n", After(IDM_COPY_COLUMN_SELECTED));
    EXPECT_EQ("【備考】 列の選択されたデータがクリップボードにコピーされました", Status());
    EXPECT_EQ("備考\r\n表示<>\r\napple\r\n", After(IDM_COPY_COLUMN_SELECTED_WITH_HEADING));

    app_.Command(IDM_COLUMN_TO_COMMAND_AREA);
    char area[256] = "";
    GetWindowTextA(app_.Main().CommandArea(), area, sizeof area);
    EXPECT_STREQ("ソース\r\n表示<>\r\n\r\napple\r\n", area);

    // An empty cell has nothing to copy: clipboard and status stay.
    EXPECT_EQ(kUnchanged, DoubleClick(2, 1));
    EXPECT_EQ("【備考】 列の選択されたデータがクリップボードにコピーされました", Status());
    EXPECT_EQ("3", DoubleClick(2, 2));
    EXPECT_EQ(kUnchanged, DoubleClick(0, 7)) << "a column the grid does not have";
}

TEST(MainWindowCopies, TableListNamesAndTheDefinitionsColumnNames)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"顧客", "TABLE"}, {"一覧", "VIEW"}}));
    ScriptedRowset columns;
    columns.Column("TABLE_NAME", 202).Column("COLUMN_NAME", 202).Column("ORDINAL_POSITION", 3)
        .Column("DATA_TYPE", 2).Column("CHARACTER_MAXIMUM_LENGTH", 3).Column("NUMERIC_PRECISION", 2)
        .Column("NUMERIC_SCALE", 2).Column("IS_NULLABLE", 11).Column("COLUMN_DEFAULT", 202)
        .Column("DESCRIPTION", 202)
        .Row({"顧客", "備考", "3", "130", "0", nullptr, nullptr, "1", nullptr, nullptr})
        .Row({"顧客", "番号", "1", "3", nullptr, "10", nullptr, "0", nullptr, nullptr})
        .Row({"顧客", "有効", "2", "11", "2", nullptr, nullptr, "0", nullptr, nullptr});
    backend->AddSchemaRowset(ado::adSchemaColumns, {"", "", "顧客", ""}, columns);
    ScriptedRowset probe;
    probe.Column("番号", 3, 4, 0x10 | 0x8).Column("有効", 11, 2).Column("備考", 203, 0, 0xE0);
    backend->AddRowset("select * from [顧客] where 1 = 2", probe);
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::Mdb, "C:\\顧客.mdb"));
    GridView& list = main.TableList();
    ASSERT_EQ(2, list.RowCount());
    auto after = [&](UINT id) {
        PutClipboardText(app.Handle(), "-");
        app.Command(id);
        return ClipboardText(app.Handle());
    };

    EXPECT_EQ("顧客\r\n一覧\r\n", after(IDM_COPY_ALL_TABLE_NAMES));
    SelectOnly(list, {1});
    EXPECT_EQ("一覧\r\n", after(IDM_COPY_SELECTED_TABLE_NAMES));
    list.SelectAll(false);
    EXPECT_EQ("-", after(IDM_COPY_SELECTED_TABLE_NAMES));
    EXPECT_EQ("№\tテーブル名\tタイプ\t作成\t更新\t件数　　　\r\n 1\t顧客\tTABLE\t\t\t\r\n 2\t一覧\tVIEW\t\t\t\r\n",
              after(IDM_COPY_TABLE_LIST));
    std::string html = after(IDM_COPY_TABLE_LIST_HTML);
    EXPECT_NE(std::string::npos, html.find("<TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>テーブル名</TH>")) << html;
    EXPECT_NE(std::string::npos, html.find("nowrap>一覧</TD>")) << html;

    // The column names of a table definition, joined.
    EXPECT_EQ("-", after(IDM_COPY_COLUMN_NAMES_COMMA)) << "no definition shown yet";
    NotifyCell(app, list, NM_CLICK, 0, 1);
    ASSERT_TRUE(main.DefinitionShowsTable()) << (app.linkMessages.empty() ? "" : app.linkMessages.front());
    EXPECT_EQ("番号,有効,備考", after(IDM_COPY_COLUMN_NAMES_COMMA));
    EXPECT_EQ("番号\t有効\t備考", after(IDM_COPY_COLUMN_NAMES_TAB));
    EXPECT_EQ("番号\r\n有効\r\n備考", after(IDM_COPY_COLUMN_NAMES_LINES));

    // The copy and find items are no longer greyed after a load.
    EXPECT_TRUE(MenuCommandEnabled(app.Handle(), IDM_FIND_IN_VIEW));
    HMENU freeSql = GetSubMenu(main.DefinitionView().ContextMenu(), 1);
    EXPECT_FALSE(GetMenuState(freeSql, IDM_COPY_CELL, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(freeSql, IDM_COPY_SELECTED_TAB, MF_BYCOMMAND) & MF_GRAYED);
}
