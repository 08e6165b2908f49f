// The find dialog over the main window's grids, driven from a thread as a user would: hits,
// the previous direction, the case option, no hit, and the refusals before it opens.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "CopyTestSupport.h"
#include "DialogDriver.h"
#include "WindowTestSupport.h"
#include "dataview/FindDialog.h"
#include "resources/FindDialogIds.h"
#include "resources/resource.h"

namespace {

const char kRows[] = "名前\t備考\t値\nApple\tソース\t1\nbanana\t表示<>\t2\nAPPLE pie\t\t3\ncherry\tapple\t4\n";
const char kNotFound[] = "文字列を発見できませんでした　　";

// The row the search left selected (only that one) and current, seen from the driver's
// thread while the dialog is open; -1 when not exactly one row is selected.
struct Seen {
    int selected;
    int current;
    bool operator==(const Seen& other) const { return selected == other.selected && current == other.current; }
};

std::ostream& operator<<(std::ostream& out, const Seen& seen)
{
    return out << "{" << seen.selected << "," << seen.current << "}";
}

class Searcher {
public:
    Searcher(HWND dialog, GridView& grid) : dialog_(dialog), grid_(grid) {}
    void Type(const char* text) { SetDlgItemTextA(dialog_, IDC_FIND_TEXT, text); }
    void IgnoreCase(bool on) { CheckDlgButton(dialog_, IDC_FIND_IGNORE_CASE, on ? BST_CHECKED : BST_UNCHECKED); }
    // Pressing the button waits until the search (and a message box it shows) is over.
    Seen Press(int button)
    {
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        HWND list = grid_.ListHandle();
        int selected = ListView_GetSelectedCount(list) == 1 ? ListView_GetNextItem(list, -1, LVNI_SELECTED) : -1;
        return Seen{selected, grid_.CurrentRow()};
    }
    // A search without a hit: the message, and the row the search left as it was.
    Seen PressExpectingMessage(int button, std::string& message)
    {
        MessageBoxAnswer box(IDOK);
        Seen seen = Press(button);
        message = box.Text();
        return seen;
    }

private:
    HWND dialog_;
    GridView& grid_;
};

}  // namespace

TEST(FindDialog, ViewSearchFindsForwardBackwardAndIgnoringCase)
{
    MainWindowFixture app;
    app.Start();
    ShowFreeSqlRows(app, kRows);
    GridView& view = app.Main().DefinitionView();
    std::vector<Seen> seen;
    std::string noHit[2];
    DialogDriver driver("表定義・Free SQL ビュー内の検索", [&](HWND dialog) {
        Searcher search(dialog, view);
        search.Type("apple");
        seen.push_back(search.Press(IDC_FIND_FROM_TOP));     // only "apple" in row 3 has the case
        seen.push_back(search.PressExpectingMessage(IDC_FIND_PREVIOUS, noHit[0]));
        seen.push_back(search.PressExpectingMessage(IDC_FIND_NEXT, noHit[1]));   // no wrap past the last row
        search.IgnoreCase(true);
        seen.push_back(search.Press(IDC_FIND_PREVIOUS));
        seen.push_back(search.Press(IDC_FIND_PREVIOUS));
        seen.push_back(search.Press(IDC_FIND_NEXT));
        search.Type("表示");
        seen.push_back(search.Press(IDC_FIND_FROM_TOP));
        ::Press(dialog, IDCANCEL);
    });
    app.Command(IDM_FIND_IN_VIEW);
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(kNotFound, noHit[0]);
    EXPECT_EQ(kNotFound, noHit[1]);
    ASSERT_EQ(7u, seen.size());
    EXPECT_EQ((Seen{3, 3}), seen[0]);
    EXPECT_EQ((Seen{3, 3}), seen[1]);
    EXPECT_EQ((Seen{3, 3}), seen[2]);
    EXPECT_EQ((Seen{2, 2}), seen[3]) << "ignoring case, APPLE pie is the row before";
    EXPECT_EQ((Seen{0, 0}), seen[4]);
    EXPECT_EQ((Seen{2, 2}), seen[5]);
    EXPECT_EQ((Seen{1, 1}), seen[6]);
}

TEST(FindDialog, ColumnSearchesLookInTheClickedColumnOfEitherGrid)
{
    auto backend = UseScriptedBackend();
    backend->AddSchemaRowset(20, {}, TablesRowset({{"顧客", "TABLE"}, {"売上一覧", "VIEW"}, {"売上", "TABLE"}}));
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::Mdb, "C:\\顧客.mdb"));
    ShowFreeSqlRows(app, kRows);
    GridView& view = main.DefinitionView();
    NotifyCell(app, view, NM_CLICK, 0, 1);
    std::vector<Seen> seen;
    std::string noHit;
    {
        DialogDriver driver("備考 の検索", [&](HWND dialog) {
            Searcher search(dialog, view);
            search.IgnoreCase(true);
            search.Type("APPLE");
            seen.push_back(search.Press(IDC_FIND_FROM_TOP));   // column 0's "Apple" is not looked at
            search.Type("1");
            search.PressExpectingMessage(IDC_FIND_FROM_TOP, noHit);
            ::Press(dialog, IDCANCEL);
        });
        app.Command(IDM_FIND_IN_COLUMN);
        ASSERT_TRUE(driver.Finish());
    }
    EXPECT_EQ(kNotFound, noHit);

    GridView& list = main.TableList();
    HoldKey(VK_SHIFT, true);   // a plain click would show the table's definition
    NotifyCell(app, list, NM_CLICK, 0, 1);
    HoldKey(VK_SHIFT, false);
    {
        DialogDriver driver("テーブル名 の検索", [&](HWND dialog) {
            Searcher search(dialog, list);
            search.Type("売上");
            seen.push_back(search.Press(IDC_FIND_FROM_TOP));
            seen.push_back(search.Press(IDC_FIND_NEXT));
            ::Press(dialog, IDCANCEL);
        });
        app.Command(IDM_FIND_IN_TABLE_LIST_COLUMN);
        ASSERT_TRUE(driver.Finish());
    }
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ((Seen{3, 3}), seen[0]);
    std::vector<int> sales;
    for (int row = 0; row < list.RowCount(); ++row)
        if (list.CellText(row, 1).Equals("売上一覧") || list.CellText(row, 1).Equals("売上"))
            sales.push_back(row);
    ASSERT_EQ(2u, sales.size());
    EXPECT_EQ((Seen{sales[0], sales[0]}), seen[1]);
    EXPECT_EQ((Seen{sales[1], sales[1]}), seen[2]);
}

TEST(FindDialog, ReturnsOneOnlyAfterAHitAndSkipsTheColumnsBeforeTheFirst)
{
    MainWindowFixture app;
    app.Start();
    ShowFreeSqlRows(app, "状態\tエラー\t名前\n0\t対象\t他\n0\t\t対象\n");
    GridView& view = app.Main().DefinitionView();
    FindRequest request;
    request.caption = "データビュー内の検索";
    request.firstColumn = 2;
    Seen hit = {-1, -1};
    {
        DialogDriver driver("データビュー内の検索", [&](HWND dialog) {
            Searcher search(dialog, view);
            search.Type("対象");
            hit = search.Press(IDC_FIND_FROM_TOP);
            ::Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(1, RunFindDialog(app.Handle(), view, request));
        ASSERT_TRUE(driver.Finish());
    }
    EXPECT_EQ((Seen{1, 1}), hit) << "the error column of row 0 is skipped";
    {
        DialogDriver driver("データビュー内の検索", [&](HWND dialog) { ::Press(dialog, IDCANCEL); });
        EXPECT_EQ(0, RunFindDialog(app.Handle(), view, request));
        ASSERT_TRUE(driver.Finish());
    }
}

TEST(FindDialog, RefusesWithoutAColumnOrWithoutRows)
{
    MainWindowFixture app;
    app.Start();
    {
        MessageBoxAnswer box(IDOK);
        app.Command(IDM_FIND_IN_VIEW);
        EXPECT_EQ("対象となるデータがビューに表示されていません　　", box.Text());
    }
    {
        MessageBoxAnswer box(IDOK);
        app.Command(IDM_FIND_IN_COLUMN);
        EXPECT_EQ("対象となるカラムがありません　　", box.Text());
    }
    // Headings without rows: a column to search, but no data in the view.
    ShowFreeSqlRows(app, "名前\t備考\n");
    MessageBoxAnswer box(IDOK);
    app.Command(IDM_FIND_IN_VIEW);
    EXPECT_EQ("対象となるデータがビューに表示されていません　　", box.Text());
}
