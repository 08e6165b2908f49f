// The grid and the thread hook, driven through real windows under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "common/Clipboard.h"
#include "common/GridView.h"
#include "common/ThreadKeyHook.h"

namespace {

LRESULT ForwardToGrid(HWND owner, LPARAM lParam, void* context)
{
    return static_cast<GridView*>(context)->HandleNotify(owner, lParam);
}

class GridViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<RecordingWindow>("グリッド試験");
        grid_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 600, 400);
        owner_->notifyHandler = ForwardToGrid;
        owner_->notifyContext = grid_.get();
        grid_->AddColumn("№", 40);
        grid_->AddColumn("列名", 120);
        grid_->AddColumn("型名", 100);
        const char* rows[][3] = {{"1", "社員番号", "int4"}, {"2", "氏名", "varchar"}, {"3", "表ソ", "text"}};
        for (auto& row : rows) {
            grid_->AddRow();
            for (int column = 0; column < 3; ++column)
                grid_->SetText(column, row[column]);
        }
        RecordingWindow::Pump();
        owner_->ClearLog();
    }
    void TearDown() override
    {
        grid_.reset();
        owner_.reset();
    }

    LPARAM Cell(int row, int column) { return MAKELONG(row, column); }
    WPARAM List() { return reinterpret_cast<WPARAM>(grid_->ListHandle()); }

    std::unique_ptr<RecordingWindow> owner_;
    std::unique_ptr<GridView> grid_;
};

}  // namespace

TEST_F(GridViewTest, ColumnsRowsAndCellTexts)
{
    EXPECT_EQ(3, grid_->ColumnCount());
    EXPECT_EQ(3, grid_->RowCount());
    EXPECT_STREQ("列名", grid_->ColumnTitle(1).Text());
    EXPECT_STREQ("表ソ", grid_->CellText(2, 1).Text());

    std::string longText(1000, 'x');
    longText += "表";
    grid_->SetCellText(0, 2, longText.c_str());
    VornString cell;
    grid_->GetCellText(0, 2, cell);
    EXPECT_EQ(longText, cell.Text()) << "cell reads grow past 260 bytes";

    grid_->InsertRow(0);
    EXPECT_EQ(0, grid_->CurrentRow());
    grid_->SetText(1, "先頭");
    EXPECT_STREQ("先頭", grid_->CellText(0, 1).Text());
    grid_->DeleteRow(0);
    EXPECT_STREQ("社員番号", grid_->CellText(0, 1).Text());

    grid_->Clear();
    EXPECT_EQ(0, grid_->ColumnCount());
    EXPECT_EQ(0, grid_->RowCount());
}

TEST_F(GridViewTest, GridsThatCreateTheirListsGetConsecutiveIds)
{
    GridView second(owner_->Handle(), 0, 0, 100, 100);
    EXPECT_EQ(grid_->ControlId() + 1, second.ControlId());
    EXPECT_GE(grid_->ControlId(), 1500);
}

TEST_F(GridViewTest, SortingRightAlignedColumnsNumerically)
{
    grid_->Clear();
    grid_->AddColumn("値", 80, true);
    grid_->AddColumn("名", 80);
    const char* values[] = {"10", "9", "abc", "0"};
    for (const char* value : values) {
        grid_->AddRow();
        grid_->SetText(0, value);
        grid_->SetText(1, value);
    }
    grid_->SortByColumn(0, false);
    std::vector<std::string> order;
    for (int row = 0; row < grid_->RowCount(); ++row)
        order.push_back(grid_->CellText(row, 0).Text());
    EXPECT_EQ((std::vector<std::string>{"0", "abc", "9", "10"}), order);

    grid_->SortByColumn(1, true);
    order.clear();
    for (int row = 0; row < grid_->RowCount(); ++row)
        order.push_back(grid_->CellText(row, 1).Text());
    EXPECT_EQ((std::vector<std::string>{"abc", "9", "10", "0"}), order) << "text order, descending";
}

TEST_F(GridViewTest, ExportHeaderModesAndSelectedRows)
{
    VornString out;
    ASSERT_TRUE(grid_->Export(0, false, true, kExportHeaderTab, out));
    EXPECT_STREQ("№\t列名\t型名", out.Text());
    ASSERT_TRUE(grid_->Export(0, false, true, kExportHeaderLines, out));
    EXPECT_STREQ("№\n列名\n型名", out.Text());
    grid_->SelectRow(1, true);
    ASSERT_TRUE(grid_->Export(1, true, false, kExportComma, out));
    EXPECT_STREQ("氏名,varchar\n", out.Text());
    EXPECT_EQ(1, grid_->NextSelectedRow(-1));
    EXPECT_EQ(-1, grid_->NextSelectedRow(1));
    EXPECT_EQ(2, grid_->PreviousRow(-1));
}

TEST_F(GridViewTest, CopyToClipboardUsesCrLfAndShiftJis)
{
    ASSERT_TRUE(grid_->CopyToClipboard(1, false, true, kExportTab));
    VornString text;
    ASSERT_TRUE(ReadClipboardText(owner_->Handle(), text));
    EXPECT_STREQ("列名\t型名\r\n社員番号\tint4\r\n氏名\tvarchar\r\n表ソ\ttext\r\n", text.Text());
    ASSERT_TRUE(PutClipboardText(owner_->Handle(), "①～㈱髙\r\n表ソ"));
    ASSERT_TRUE(ReadClipboardText(owner_->Handle(), text));
    EXPECT_STREQ("①～㈱髙\r\n表ソ", text.Text());

    // A line end inside a cell becomes CR LF too, unless a stray lead byte owns it.
    grid_->SetCellText(0, 1, "a\nb\x95\n");
    ASSERT_TRUE(grid_->CopyToClipboard(1, false, false, kExportComma));
    ASSERT_TRUE(ReadClipboardText(owner_->Handle(), text));
    EXPECT_STREQ("a\r\nb\x95\n,int4\r\n氏名,varchar\r\n表ソ,text\r\n", text.Text());
}

TEST_F(GridViewTest, EnterInTheEditBoxPostsTheEditCell)
{
    grid_->BeginEdit(1, 2);
    ASSERT_TRUE(IsWindowVisible(grid_->EditBox()));
    char text[64] = "";
    GetWindowTextA(grid_->EditBox(), text, sizeof text);
    EXPECT_STREQ("varchar", text);
    PostMessageA(grid_->EditBox(), WM_KEYDOWN, VK_RETURN, 0);
    RecordingWindow::Pump();
    auto returns = owner_->Messages(kGridEditReturn);
    ASSERT_EQ(1u, returns.size());
    EXPECT_EQ(List(), returns[0].wParam);
    EXPECT_EQ(Cell(1, 2), returns[0].lParam);

    for (auto [key, message] : {std::pair<WPARAM, UINT>{VK_TAB, kGridEditTab}, {VK_UP, kGridEditUp}, {VK_DOWN, kGridEditDown}}) {
        owner_->ClearLog();
        PostMessageA(grid_->EditBox(), WM_KEYDOWN, key, 0);
        RecordingWindow::Pump();
        EXPECT_EQ(1u, owner_->Messages(message).size()) << key;
    }
}

TEST_F(GridViewTest, LeavingTheEditBoxCommitsTheCell)
{
    grid_->BeginEdit(2, 1);
    SetWindowTextA(grid_->EditBox(), "新しい値ソ");
    owner_->ClearLog();
    SetFocus(grid_->ListHandle());
    RecordingWindow::Pump();
    EXPECT_STREQ("新しい値ソ", grid_->CellText(2, 1).Text());
    EXPECT_FALSE(IsWindowVisible(grid_->EditBox()));
    auto commits = owner_->Messages(kGridEditCommitted);
    ASSERT_EQ(1u, commits.size());
    EXPECT_EQ(Cell(2, 1), commits[0].lParam);
    auto forwarded = owner_->Messages(kGridEditorCommand);
    ASSERT_FALSE(forwarded.empty());
    EXPECT_EQ(MAKEWPARAM(kGridEditBoxId, EN_KILLFOCUS), forwarded.back().wParam);
}

TEST_F(GridViewTest, ComboSelectionCommitsTheChosenItem)
{
    grid_->FillCombo("int4,varchar,text,表ソ");
    grid_->BeginComboEdit(0, 2);
    ASSERT_TRUE(IsWindowVisible(grid_->ComboBox()));
    EXPECT_EQ(0, SendMessageA(grid_->ComboBox(), CB_GETCURSEL, 0, 0)) << "cell text selects its item";
    owner_->ClearLog();
    SendMessageA(grid_->ComboBox(), CB_SETCURSEL, 3, 0);
    SendMessageA(grid_->ListHandle(), WM_COMMAND, MAKEWPARAM(kGridComboBoxId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(grid_->ComboBox()));
    RecordingWindow::Pump();
    EXPECT_STREQ("表ソ", grid_->CellText(0, 2).Text());
    EXPECT_FALSE(IsWindowVisible(grid_->ComboBox()));
    auto commits = owner_->Messages(kGridComboCommitted);
    ASSERT_EQ(1u, commits.size());
    EXPECT_EQ(Cell(0, 2), commits[0].lParam);
}

TEST_F(GridViewTest, EditingSettingsPerColumn)
{
    grid_->SetInputModes("0,1,2");
    grid_->SetMaxLengths("0,8");
    grid_->SetNonEditableColumns("0,10");
    EXPECT_EQ(1, grid_->InputMode(1));
    EXPECT_EQ(0, grid_->InputMode(5));
    EXPECT_EQ(8, grid_->MaxLength(1));
    EXPECT_EQ(0, grid_->MaxLength(2));
    EXPECT_FALSE(grid_->IsEditable(0));
    EXPECT_TRUE(grid_->IsEditable(1));
    EXPECT_TRUE(grid_->IsEditable(1)) << "\"10\" does not make column 1 read-only";

    grid_->BeginEdit(0, 0);
    EXPECT_FALSE(IsWindowVisible(grid_->EditBox())) << "non-editable column";
    grid_->BeginEdit(0, 1);
    EXPECT_TRUE(GetWindowLongA(grid_->EditBox(), GWL_STYLE) & ES_NUMBER);
    EXPECT_EQ(8, SendMessageA(grid_->EditBox(), EM_GETLIMITTEXT, 0, 0));
    grid_->BeginEdit(0, 2, 2, 0);
    EXPECT_TRUE(GetWindowLongA(grid_->EditBox(), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongA(grid_->EditBox(), GWL_STYLE) & ES_NUMBER);
}

TEST_F(GridViewTest, NextAndPreviousEditableCellsWrapAndStop)
{
    grid_->SetNonEditableColumns("0");
    grid_->BeginEdit(0, 2);
    int row, column, mode, length;
    ASSERT_TRUE(grid_->FindNextEditableCell(&row, &column, &mode, &length));
    EXPECT_EQ(1, row);
    EXPECT_EQ(1, column);
    grid_->BeginEdit(2, 2);
    ASSERT_TRUE(grid_->FindNextEditableCell(&row, &column, &mode, &length));
    EXPECT_EQ(0, row) << "past the last row the scan starts again at row 0";
    EXPECT_EQ(1, column);
    grid_->BeginEdit(0, 1);
    ASSERT_TRUE(grid_->FindPreviousEditableCell(&row, &column, &mode, &length));
    EXPECT_EQ(2, row);
    EXPECT_EQ(2, column);

    grid_->EditNextCell();
    EXPECT_EQ(0, GridView::EditRow());
    EXPECT_EQ(2, GridView::EditColumn());
    EXPECT_TRUE(GetWindowLongA(grid_->EditBox(), GWL_STYLE) & WS_VISIBLE);

    // With nothing left to edit the editor closes and no other cell is opened.
    grid_->SetNonEditableColumns("0,1,2");
    EXPECT_FALSE(grid_->FindNextEditableCell(&row, &column, &mode, &length));
    grid_->EditNextCell();
    EXPECT_FALSE(GetWindowLongA(grid_->EditBox(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(0, GridView::EditRow());
    EXPECT_EQ(2, GridView::EditColumn());
}

TEST_F(GridViewTest, ListNotificationsBecomePrivateMessages)
{
    struct Case {
        UINT code;
        UINT message;
        bool posted;
    } cases[] = {
        {NM_CLICK, kGridClick, true},       {NM_DBLCLK, kGridDoubleClick, true},
        {NM_RDBLCLK, kGridRightDoubleClick, true}, {NM_RCLICK, kGridRightClick, false},
    };
    for (const Case& c : cases) {
        owner_->ClearLog();
        NMITEMACTIVATE activate = {};
        activate.hdr.hwndFrom = grid_->ListHandle();
        activate.hdr.idFrom = grid_->ControlId();
        activate.hdr.code = c.code;
        activate.iItem = 2;
        activate.iSubItem = 1;
        EXPECT_EQ(static_cast<LRESULT>(c.code), grid_->HandleNotify(owner_->Handle(), reinterpret_cast<LPARAM>(&activate)));
        RecordingWindow::Pump();
        auto messages = owner_->Messages(c.message);
        ASSERT_EQ(1u, messages.size()) << c.code;
        EXPECT_EQ(Cell(2, 1), messages[0].lParam);
        EXPECT_EQ(2, grid_->CurrentRow());
    }
    // Enter reports the first selected row and column 0.
    grid_->SelectRow(1, true);
    owner_->ClearLog();
    NMHDR enter = {grid_->ListHandle(), static_cast<UINT_PTR>(grid_->ControlId()), static_cast<UINT>(NM_RETURN)};
    grid_->HandleNotify(owner_->Handle(), reinterpret_cast<LPARAM>(&enter));
    RecordingWindow::Pump();
    ASSERT_EQ(1u, owner_->Messages(kGridReturn).size());
    EXPECT_EQ(Cell(1, 0), owner_->Messages(kGridReturn)[0].lParam);
    // Another control's notification is not the grid's.
    NMHDR other = {owner_->Handle(), 1, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(0, grid_->HandleNotify(owner_->Handle(), reinterpret_cast<LPARAM>(&other)));
}

TEST_F(GridViewTest, HeaderClicksReachTheOwner)
{
    HWND header = ListView_GetHeader(grid_->ListHandle());
    RECT item;
    Header_GetItemRect(header, 1, &item);
    LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(header, WM_LBUTTONUP, 0, point);
    RecordingWindow::Pump();
    auto clicks = owner_->Messages(kGridHeaderClick);
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(1, clicks[0].lParam);
    EXPECT_EQ(List(), clicks[0].wParam);
}

TEST_F(GridViewTest, KeyInAChildReachesTheTopLevelWindowTwice)
{
    HWND child = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 410, 100, 20, owner_->Handle(),
                                 reinterpret_cast<HMENU>(77), GetModuleHandleA(nullptr), nullptr);
    PostMessageA(child, WM_KEYDOWN, 'A', 0x1E0001);
    RecordingWindow::Pump();
    auto keys = owner_->Messages(WM_KEYDOWN);
    ASSERT_EQ(1u, keys.size());
    EXPECT_EQ(static_cast<WPARAM>('A'), keys[0].wParam);
    EXPECT_EQ(0x1E0001, keys[0].lParam);
    auto any = owner_->Messages(kAnyKeyDown);
    ASSERT_EQ(2u, any.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(child), any[0].wParam);
    EXPECT_EQ(reinterpret_cast<WPARAM>(owner_->Handle()), any[1].wParam);
    EXPECT_EQ(static_cast<LPARAM>('A'), any[1].lParam);

    owner_->ClearLog();
    PostMessageA(child, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(child, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(child, WM_KEYDOWN, VK_NEXT, 0);
    RecordingWindow::Pump();
    ASSERT_EQ(1u, owner_->Messages(kControlReturn).size());
    EXPECT_EQ(77, owner_->Messages(kControlReturn)[0].lParam);
    EXPECT_EQ(1u, owner_->Messages(kControlEscape).size());
    EXPECT_EQ(1u, owner_->Messages(kControlPageDown).size());

    // Files dropped on a child are announced to the top-level window with the drop handle.
    owner_->ClearLog();
    PostMessageA(child, WM_DROPFILES, 0x1234, 0);
    RecordingWindow::Pump();
    auto drops = owner_->Messages(kChildFilesDropped);
    ASSERT_EQ(1u, drops.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(child), drops[0].wParam);
    EXPECT_EQ(0x1234, drops[0].lParam);
    DestroyWindow(child);
}

TEST_F(GridViewTest, AncestorWalkEndsAtTheOwnerOfADialog)
{
    RecordingWindow popupOwner("所有者", false);
    HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, popupOwner.Handle(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, popup, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(popupOwner.Handle(), ThreadKeyHook::TopLevelAncestor(child));
    EXPECT_EQ(owner_->Handle(), ThreadKeyHook::TopLevelAncestor(grid_->EditBox()));
    DestroyWindow(popup);
}

TEST_F(GridViewTest, OnlyTheFirstGridOwnsTheHooks)
{
    EXPECT_TRUE(ThreadKeyHook::IsInstalled());
    {
        GridView second(owner_->Handle(), 0, 0, 100, 100);
    }
    EXPECT_TRUE(ThreadKeyHook::IsInstalled()) << "a sharing grid leaves the hooks";
    grid_.reset();
    EXPECT_FALSE(ThreadKeyHook::IsInstalled());
}

TEST_F(GridViewTest, CheckBoxesImagesAndFonts)
{
    grid_->SetCheckBoxes(true);
    grid_->SetChecked(1, true);
    EXPECT_TRUE(grid_->IsChecked(1));
    EXPECT_FALSE(grid_->IsChecked(0));
    EXPECT_TRUE(grid_->SetGridFont(12, 2, true));
    EXPECT_FALSE(grid_->SetGridFont(7, 0, false));
    EXPECT_FALSE(grid_->SetGridFont(10, 4, false));
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(grid_->EditBox(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(-16, font.lfHeight);
    EXPECT_EQ(700, font.lfWeight);
    EXPECT_STREQ("ＭＳ ゴシック", font.lfFaceName);
}

TEST_F(GridViewTest, TheListViewShowsTheGridsCells)
{
    // Another program part reading the control directly sees the cells the grid holds.
    char text[64] = "";
    ListView_GetItemText(grid_->ListHandle(), 2, 1, text, sizeof text);
    EXPECT_STREQ("表ソ", text);
    EXPECT_EQ(3, ListView_GetItemCount(grid_->ListHandle()));
    grid_->AddRow();
    grid_->SetText(1, "追加");
    RecordingWindow::Pump();
    EXPECT_EQ(4, ListView_GetItemCount(grid_->ListHandle()));
    ListView_GetItemText(grid_->ListHandle(), 3, 1, text, sizeof text);
    EXPECT_STREQ("追加", text);
}

TEST(GridViewOnDialogControl, APlainListViewIsReplacedKeepingIdAndPlace)
{
    RecordingWindow owner("ダイアログ代わり");
    HWND plain = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 12, 34, 300, 200,
                                 owner.Handle(), reinterpret_cast<HMENU>(321), GetModuleHandleA(nullptr), nullptr);
    {
        GridView grid(plain);
        HWND list = GetDlgItem(owner.Handle(), 321);
        EXPECT_EQ(list, grid.ListHandle());
        EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & LVS_OWNERDATA);
        RECT rect;
        GetWindowRect(list, &rect);
        MapWindowPoints(nullptr, owner.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(12, rect.left);
        EXPECT_EQ(34, rect.top);
        grid.AddColumn("名前", 100);
        grid.AddRow();
        grid.SetText(0, "ソ表");
        RecordingWindow::Pump();
        char text[32] = "";
        ListView_GetItemText(list, 0, 0, text, sizeof text);
        EXPECT_STREQ("ソ表", text);
    }
    EXPECT_FALSE(IsWindow(plain));
}

TEST_F(GridViewTest, SortingKeepsSelectionWithItsRow)
{
    grid_->SelectRow(2, true);  // "表ソ"
    grid_->SortByColumn(1, false);
    int selected = grid_->NextSelectedRow(-1);
    ASSERT_GE(selected, 0);
    EXPECT_STREQ("表ソ", grid_->CellText(selected, 1).Text());
    EXPECT_EQ(-1, grid_->NextSelectedRow(selected));
}
