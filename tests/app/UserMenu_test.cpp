// The user menu in the Free SQL context menu, and running entries on the selected rows of
// a grid with real processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "app/UserMenu.h"
#include "common/Clipboard.h"
#include "common/GridView.h"
#include "common/MenuHelpers.h"

namespace {

ProfileStore Settings(const char* name, const std::string& section)
{
    std::string path = ScratchPath(name);
    WriteBytes(path, "[UserMenu]\r\n" + section);
    return ProfileStore(path.c_str());
}

// The fifteen items of the "FREESQL用" popup before the user entries.
HMENU FreeSqlPopup()
{
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < kUserMenuFirstPosition; ++i) {
        if (i == 3 || i == 8 || i == 12)
            InsertMenuSeparator(popup, -1);
        else
            InsertMenuCommand(popup, -1, 33000 + i, "固定");
    }
    return popup;
}

bool WaitForFile(const std::string& path)
{
    for (int i = 0; i < 200; ++i) {
        if (ReadBytes(path) != "<missing>")
            return true;
        Sleep(100);
    }
    return false;
}

}  // namespace

TEST(UserMenuPopup, EntriesFollowASeparatorAndAreReplacedOnEachOpening)
{
    ProfileStore settings = Settings("usermenu-popup.ini",
                                     "2=1,表計算,calc.exe\r\n"
                                     "7=0,社員票,viewer.exe $01,社員番号\r\n"
                                     "9=0,商品票,viewer.exe $01,商品コード\r\n");
    HMENU popup = FreeSqlPopup();
    EXPECT_EQ(2, BuildUserMenu(popup, settings, "社員番号"));
    ASSERT_EQ(18, MenuItemCount(popup));
    EXPECT_EQ(0u, GetMenuItemID(popup, 15)) << "separator";
    EXPECT_STREQ("", MenuItemText(popup, 15).Text());
    EXPECT_EQ(44002u, GetMenuItemID(popup, 16));
    EXPECT_STREQ("表計算   ｸﾘｯﾌﾟﾎﾞｰﾄﾞ渡し", MenuItemText(popup, 16).Text());
    EXPECT_EQ(44007u, GetMenuItemID(popup, 17));
    EXPECT_STREQ("社員票   引数渡し", MenuItemText(popup, 17).Text());

    EXPECT_EQ(2, BuildUserMenu(popup, settings, "商品コード"));
    ASSERT_EQ(18, MenuItemCount(popup)) << "the previous entries are gone";
    EXPECT_EQ(44009u, GetMenuItemID(popup, 17));
    EXPECT_EQ(33014u, GetMenuItemID(popup, 14)) << "the popup's own items stay";

    ProfileStore only = Settings("usermenu-popup2.ini", "7=0,社員票,viewer.exe $01,社員番号\r\n");
    EXPECT_EQ(0, BuildUserMenu(popup, only, "部署コード"));
    EXPECT_EQ(15, MenuItemCount(popup)) << "no entry: the separator goes too";
    DestroyMenu(popup);

    EXPECT_TRUE(IsUserMenuId(44000));
    EXPECT_TRUE(IsUserMenuId(44999));
    EXPECT_FALSE(IsUserMenuId(45000));
    EXPECT_FALSE(IsUserMenuId(43999));
}

class UserMenuRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<RecordingWindow>("ユーザーメニュー", false);
        grid_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 400, 200);
        grid_->AddColumn("社員番号", 80);
        grid_->AddColumn("氏名", 80);
        const char* rows[][2] = {{"1001", "山田"}, {"1002", "表"}, {"1003", "髙橋"}};
        for (auto& row : rows) {
            int index = grid_->AddRow();
            grid_->SetCellText(index, 0, row[0]);
            grid_->SetCellText(index, 1, row[1]);
        }
    }
    std::unique_ptr<RecordingWindow> owner_;
    std::unique_ptr<GridView> grid_;
};

TEST_F(UserMenuRunTest, SelectedRowsCarryEveryColumnTopToBottom)
{
    grid_->SelectRow(2, true);
    grid_->SelectRow(0, true);
    std::vector<UserMenuRow> rows = SelectedGridRows(*grid_);
    ASSERT_EQ(2u, rows.size());
    EXPECT_STREQ("1001", rows[0][0].Text());
    EXPECT_STREQ("山田", rows[0][1].Text());
    EXPECT_STREQ("1003", rows[1][0].Text());
    EXPECT_STREQ("髙橋", rows[1][1].Text());
}

TEST_F(UserMenuRunTest, ArgumentModeStartsOneProcessPerRowWithItsOwnValue)
{
    for (const char* number : {"1001", "1003"})
        RemoveFile(ScratchPath((std::string("usermenu-") + number + ".txt").c_str()));
    ProfileStore settings = Settings("usermenu-run.ini", "5=0,書き出し,cmd.exe /c echo $02> usermenu-$01.txt\r\n");
    grid_->SelectRow(0, true);
    grid_->SelectRow(2, true);
    EXPECT_EQ(2, RunUserMenuCommand(owner_->Handle(), 44005, settings, *grid_));
    std::string first = ScratchPath("usermenu-1001.txt");
    std::string third = ScratchPath("usermenu-1003.txt");
    ASSERT_TRUE(WaitForFile(first));
    ASSERT_TRUE(WaitForFile(third));
    Sleep(300);
    EXPECT_EQ("山田\r\n", ReadBytes(first));
    EXPECT_EQ("髙橋\r\n", ReadBytes(third));
    EXPECT_EQ("<missing>", ReadBytes(ScratchPath("usermenu-1002.txt")));
}

TEST_F(UserMenuRunTest, ClipboardModeLeavesTheRowsOnTheClipboard)
{
    RemoveFile(ScratchPath("usermenu-clip.txt"));
    ProfileStore settings = Settings("usermenu-clip.ini", "6=1,貼り付け,cmd.exe /c echo $01> usermenu-clip.txt\r\n");
    grid_->SelectRow(1, true);
    grid_->SelectRow(2, true);
    EXPECT_EQ(1, RunUserMenuCommand(owner_->Handle(), 44006, settings, *grid_));
    VornString clipboard;
    ASSERT_TRUE(ReadClipboardText(owner_->Handle(), clipboard));
    EXPECT_STREQ("1002\t表\r\n1003\t髙橋\r\n", clipboard.Text());
    ASSERT_TRUE(WaitForFile(ScratchPath("usermenu-clip.txt")));
    Sleep(300);
    EXPECT_EQ("$01\r\n", ReadBytes(ScratchPath("usermenu-clip.txt")));
    EXPECT_EQ(-1, RunUserMenuCommand(owner_->Handle(), 44007, settings, *grid_)) << "no key 7";
}
