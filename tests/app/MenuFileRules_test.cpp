// Captions, order and ids of the items made from menu files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MenuFileRules.h"

namespace {

std::vector<VornString> Names(std::initializer_list<const char*> names)
{
    return std::vector<VornString>(names.begin(), names.end());
}

}  // namespace

TEST(MenuCaption, DropsTheExtensionAndTheTwoLeadingCharacters)
{
    struct Case {
        const char* fileName;
        const char* caption;
    } cases[] = {
        {"01テーブルサイズ.mnu", "テーブルサイズ"},
        {"10SELECT文.mnu", "SELECT文"},
        {"05セパレータ.mnu", "セパレータ"},
        // Trail bytes 0x5C and 0x7C must not be taken for path or extension marks.
        {"02表示ソート.mnu", "表示ソート"},
        // A double-byte prefix is two characters, not two bytes.
        {"①②接続数.mnu", "接続数"},
        {"aaversion.1.mnu", "version.1"},
        {"01.mnu", ""},
        {"1.mnu", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.caption, MenuCaptionFromFileName(c.fileName).Text()) << c.fileName;
}

TEST(MenuCaption, OnlyTheExactSeparatorWordMakesASeparator)
{
    EXPECT_TRUE(IsSeparatorCaption("セパレータ"));
    EXPECT_FALSE(IsSeparatorCaption("セパレータ2"));
    EXPECT_FALSE(IsSeparatorCaption(" セパレータ"));
    EXPECT_FALSE(IsSeparatorCaption(""));
    EXPECT_FALSE(IsSeparatorCaption(nullptr));
}

TEST(MenuItems, SeparatorKeepsItsIndexSoTheNextIdIsBasePlusItsPosition)
{
    std::vector<MenuFileItem> items =
        PlanMenuItems(Names({"02テーブル一覧.mnu", "01セパレータ.mnu", "03索引.mnu"}), kKindMenuBase);
    ASSERT_EQ(3u, items.size());
    EXPECT_TRUE(items[0].separator);
    EXPECT_STREQ("01セパレータ.mnu", items[0].fileName.Text());
    EXPECT_EQ(40000u, items[0].id);
    EXPECT_FALSE(items[1].separator);
    EXPECT_STREQ("テーブル一覧", items[1].caption.Text());
    EXPECT_EQ(40001u, items[1].id);
    EXPECT_STREQ("索引", items[2].caption.Text());
    EXPECT_EQ(40002u, items[2].id);
}

TEST(MenuItems, NameOrderIgnoresTheCaseOfLettersAndKeepsTheDirectoryOrderOfTies)
{
    std::vector<MenuFileItem> items = PlanMenuItems(
        Names({"b2x.mnu", "A1x.mnu", "10z.mnu", "a1X.mnu", "B1x.mnu", "02y.mnu", "あいう.mnu"}), kToolMenuBase);
    std::vector<std::string> order;
    for (const MenuFileItem& item : items)
        order.push_back(item.fileName.Text());
    std::vector<std::string> expected = {"02y.mnu", "10z.mnu", "A1x.mnu", "a1X.mnu", "B1x.mnu", "b2x.mnu", "あいう.mnu"};
    EXPECT_EQ(expected, order);
    EXPECT_EQ(41000u, items.front().id);
    EXPECT_EQ(41006u, items.back().id);
}

TEST(MenuItems, OnlyNamesEndingInMnuBecomeItems)
{
    EXPECT_TRUE(IsMenuFileName("01a.mnu"));
    EXPECT_TRUE(IsMenuFileName("01A.MNU"));
    EXPECT_FALSE(IsMenuFileName("01a.mnu_old"));
    EXPECT_FALSE(IsMenuFileName("01a.mnux"));
    EXPECT_FALSE(IsMenuFileName("01mnu"));
    std::vector<MenuFileItem> items = PlanMenuItems(Names({"02b.MNU", "01a.mnu_old", "03c.mnu~", "04d.mnu"}), 40000);
    ASSERT_EQ(2u, items.size());
    EXPECT_STREQ("b", items[0].caption.Text());
    EXPECT_EQ(40001u, items[1].id) << "ids count only the files listed";
}

TEST(MenuItems, FilesBeyondTheIdRangeGetNoItem)
{
    std::vector<VornString> names;
    for (int i = 0; i < 600; ++i) {
        VornString name;
        name.Format("%03dx.mnu", i);
        names.push_back(name);
    }
    std::vector<MenuFileItem> items = PlanMenuItems(names, kSkeletonMenuBase);
    ASSERT_EQ(kMaxMenuFiles, items.size());
    EXPECT_EQ(43500u, items.back().id);
    EXPECT_TRUE(PlanMenuItems({}, kSkeletonMenuBase).empty());
}

TEST(MenuFolders, KindFoldersBelowTheProgramFolder)
{
    const char s = kPathSeparator;
    struct Case {
        DatabaseKind kind;
        const char* name;
    } cases[] = {
        {DatabaseKind::Excel, "EXCEL"},   {DatabaseKind::Mdb, "MDB"},       {DatabaseKind::SqlServer, "SQLServer"},
        {DatabaseKind::MySql, "MySQL"},   {DatabaseKind::Oracle, "Oracle"}, {DatabaseKind::Postgres, "Postgres"},
    };
    for (const Case& c : cases) {
        std::string expected = std::string("プログラム表") + s + c.name;
        EXPECT_EQ(expected, KindFolderPath("プログラム表", c.kind).Text());
    }
    EXPECT_STREQ("", KindFolderPath("x", DatabaseKind::None).Text());
    // A folder that already ends with the separator gets no second one; a trail byte 0x5C
    // at the end ("表") is no separator.
    std::string withSeparator = std::string("dir") + s;
    EXPECT_EQ(withSeparator + "menu", JoinPath(withSeparator.c_str(), "menu").Text());
    EXPECT_EQ(std::string("表") + s + "menu", JoinPath("表", "menu").Text());
}
