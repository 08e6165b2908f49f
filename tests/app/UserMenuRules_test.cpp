// The user menu's records: which are offered, their captions, and what running one starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/MenuFileRules.h"

namespace {

ProfileStore UserMenuSettings(const char* name, const std::string& section)
{
    std::string path = ScratchPath(name);
    WriteBytes(path, "[UserMenu]\r\n" + section);
    return ProfileStore(path.c_str());
}

std::vector<int> Numbers(const std::vector<UserMenuEntry>& entries)
{
    std::vector<int> numbers;
    for (const UserMenuEntry& entry : entries)
        numbers.push_back(entry.number);
    return numbers;
}

struct Recorder {
    std::vector<std::string> launched;
    std::vector<std::string> clipboard;
    ClipboardWriter Clipboard()
    {
        return [this](const char* text) {
            clipboard.push_back(text);
            return true;
        };
    }
    CommandLauncher Launcher()
    {
        return [this](const char* commandLine) {
            launched.push_back(commandLine);
            return true;
        };
    }
};

}  // namespace

TEST(UserMenuRecords, FieldsAndKeyNumbers)
{
    UserMenuEntry entry;
    ASSERT_TRUE(ParseUserMenuEntry("7", "1,表計算へ,notepad.exe,社員番号", entry));
    EXPECT_EQ(7, entry.number);
    EXPECT_EQ(44007u, entry.Id());
    EXPECT_TRUE(entry.ThroughClipboard());
    EXPECT_STREQ("表計算へ", entry.caption.Text());
    EXPECT_STREQ("notepad.exe", entry.commandLine.Text());
    EXPECT_STREQ("社員番号", entry.column.Text());

    ASSERT_TRUE(ParseUserMenuEntry("999", "0,a,b", entry));
    EXPECT_FALSE(entry.ThroughClipboard());
    EXPECT_STREQ("", entry.column.Text());

    for (const char* key : {"1000", "-1", "x", "1a", ""})
        EXPECT_FALSE(ParseUserMenuEntry(key, "0,a,b", entry)) << key;
    EXPECT_FALSE(ParseUserMenuEntry("3", "0,caption only", entry));
}

TEST(UserMenuRecords, ColumnFieldLimitsTheEntryToThatFirstHeading)
{
    ProfileStore settings = UserMenuSettings("usermenu-filter.ini",
                                             "0=0,全部,a.exe\r\n"
                                             "3=0,社員だけ,b.exe $01,社員番号\r\n"
                                             "12=1,商品だけ,c.exe,商品コード\r\n"
                                             "x=0,番号でない,d.exe\r\n"
                                             "5=0,欄が足りない\r\n"
                                             "20=0,大小無視,e.exe,ID\r\n");
    EXPECT_EQ((std::vector<int>{0, 3}), Numbers(ReadUserMenu(settings, "社員番号")));
    EXPECT_EQ((std::vector<int>{0, 12}), Numbers(ReadUserMenu(settings, "商品コード")));
    EXPECT_EQ((std::vector<int>{0}), Numbers(ReadUserMenu(settings, "")));
    EXPECT_EQ((std::vector<int>{0, 20}), Numbers(ReadUserMenu(settings, "id")));

    ProfileStore empty = UserMenuSettings("usermenu-empty.ini", "");
    EXPECT_TRUE(ReadUserMenu(empty, "社員番号").empty());
}

TEST(UserMenuRecords, CaptionsNameHowTheDataIsPassed)
{
    UserMenuEntry entry;
    ParseUserMenuEntry("1", "1,メモ帳,notepad.exe", entry);
    EXPECT_STREQ("メモ帳   ｸﾘｯﾌﾟﾎﾞｰﾄﾞ渡し", UserMenuItemCaption(entry).Text());
    for (const char* mode : {"0", "2", ""}) {
        ParseUserMenuEntry("1", (std::string(mode) + ",メモ帳,notepad.exe").c_str(), entry);
        EXPECT_STREQ("メモ帳   引数渡し", UserMenuItemCaption(entry).Text()) << mode;
    }
}

TEST(UserMenuPlaceholders, EachColumnValueReplacesItsNumberOnce)
{
    UserMenuRow row = {"A001", "表ソ", "$01", "x"};
    EXPECT_STREQ("show.exe A001 表ソ", ReplaceColumnPlaceholders("show.exe $01 $02", row).Text());
    // A value that looks like a placeholder stays as it came.
    EXPECT_STREQ("[$01][A001]", ReplaceColumnPlaceholders("[$03][$01]", row).Text());
    // Columns the row does not have, "$00", one digit and other "$" words stay.
    EXPECT_STREQ("$05 $00 $1 $TABLE $", ReplaceColumnPlaceholders("$05 $00 $1 $TABLE $", row).Text());
    EXPECT_STREQ("A0013", ReplaceColumnPlaceholders("$013", row).Text());
    // From column 100 on the name has three digits and wins over the two-digit one.
    UserMenuRow wide;
    for (int i = 1; i <= 120; ++i) {
        VornString value;
        value.Format("v%d", i);
        wide.push_back(value);
    }
    EXPECT_STREQ("v12-v115-v11", ReplaceColumnPlaceholders("$12-$115-$11", wide).Text());
    EXPECT_STREQ("v120-v12" "9", ReplaceColumnPlaceholders("$120-$129", wide).Text());
}

TEST(UserMenuRun, ArgumentModeStartsOneProcessPerSelectedRow)
{
    ProfileStore settings = UserMenuSettings("usermenu-run.ini",
                                             "4=0,詳細,viewer.exe /id:$01 /name:\"$02\"\r\n");
    std::vector<UserMenuRow> rows = {{"1001", "山田"}, {"1002", "髙橋"}};
    Recorder recorder;
    EXPECT_EQ(2, RunUserMenuEntry(settings, 4, rows, recorder.Clipboard(), recorder.Launcher()));
    ASSERT_EQ(2u, recorder.launched.size());
    EXPECT_EQ("viewer.exe /id:1001 /name:\"山田\"", recorder.launched[0]);
    EXPECT_EQ("viewer.exe /id:1002 /name:\"髙橋\"", recorder.launched[1]);
    EXPECT_TRUE(recorder.clipboard.empty());

    Recorder none;
    EXPECT_EQ(0, RunUserMenuEntry(settings, 4, {}, none.Clipboard(), none.Launcher()));
    EXPECT_TRUE(none.launched.empty());
}

TEST(UserMenuRun, ClipboardModeCopiesTheRowsAndStartsOnce)
{
    ProfileStore settings = UserMenuSettings("usermenu-clip.ini", "8=1,表計算,calc.exe $01\r\n");
    std::vector<UserMenuRow> rows = {{"1001", "山田", ""}, {"1002", "表", "x"}};
    Recorder recorder;
    EXPECT_EQ(1, RunUserMenuEntry(settings, 8, rows, recorder.Clipboard(), recorder.Launcher()));
    ASSERT_EQ(1u, recorder.clipboard.size());
    EXPECT_EQ("1001\t山田\t\r\n1002\t表\tx\r\n", recorder.clipboard[0]);
    ASSERT_EQ(1u, recorder.launched.size());
    EXPECT_EQ("calc.exe $01", recorder.launched[0]) << "the clipboard mode replaces nothing";
}

TEST(UserMenuRun, MissingOrBrokenEntryStartsNothing)
{
    ProfileStore settings = UserMenuSettings("usermenu-broken.ini", "2=0,only two\r\n");
    Recorder recorder;
    EXPECT_EQ(-1, RunUserMenuEntry(settings, 2, {{"a"}}, recorder.Clipboard(), recorder.Launcher()));
    EXPECT_EQ(-1, RunUserMenuEntry(settings, 3, {{"a"}}, recorder.Clipboard(), recorder.Launcher()));
    EXPECT_TRUE(recorder.launched.empty());
    EXPECT_TRUE(recorder.clipboard.empty());
}
