#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/MainSettings.h"

namespace {

class MainSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = ScratchPath("main_settings_test.ini");
        RemoveFile(path_);
    }
    void TearDown() override { RemoveFile(path_); }

    // A settings file with the given MainOption lines.
    ProfileStore StoreWith(const std::string& lines)
    {
        WriteBytes(path_, "[MainOption]\r\n" + lines);
        return ProfileStore(path_.c_str());
    }

    std::string path_;
};

}  // namespace

TEST_F(MainSettingsTest, NoSettingsFileGivesEveryDefault)
{
    ProfileStore store(path_.c_str());
    using namespace settings;

    FontSetting command = ReadFontSetting(store, FontPane::CommandArea);
    EXPECT_EQ(2, command.faceKind);
    EXPECT_EQ(10, command.pointSize);
    EXPECT_STREQ("ＭＳ ゴシック", FaceNameOfCode(command.faceKind));
    EXPECT_TRUE(command.IsValid());
    for (FontPane pane : {FontPane::TableList, FontPane::DefinitionView, FontPane::DataView}) {
        FontSetting grid = ReadFontSetting(store, pane);
        EXPECT_EQ(0, grid.faceKind);
        EXPECT_EQ(10, grid.pointSize);
        EXPECT_STREQ("ＭＳ Ｐゴシック", FaceNameOfCode(grid.faceKind));
    }

    EXPECT_EQ(50, ReadSettingNumber(store, kMainOption, kCommandDispRateH, kDefaultDispRateH));
    EXPECT_EQ(55, ReadSettingNumber(store, kMainOption, kCommandDispRateV, kDefaultDispRateV));
    EXPECT_EQ(50, ReadSettingNumber(store, kMainOption, kMaxCount, kDefaultMaxCount));
    EXPECT_EQ(95, ReadSettingNumber(store, kMainOption, kColumnWidth3, kDefaultColumnWidth, true));
    EXPECT_FALSE(IsOptionSet(store, kConsole));
    EXPECT_FALSE(IsOptionSet(store, kActionExtIsHtml));
    VornString php("x");
    EXPECT_FALSE(ReadPhpPath(store, php));
    EXPECT_TRUE(php.IsEmpty());
    EXPECT_EQ("<missing>", ReadBytes(path_)) << "reading must not create the file";
}

TEST_F(MainSettingsTest, NumbersFallBackToTheDefaultUnlessWholeNumbers)
{
    ProfileStore store = StoreWith(
        "Empty=\r\nWord=abc\r\nPadded=  70 \r\nNegative=-5\r\nTrailing=12abc\r\nZero=0\r\n"
        "Huge=99999999999\r\nSign=+\r\nWide=７０\r\n");
    struct Case {
        const char* key;
        int expected;
    } cases[] = {
        {"Missing", 33}, {"Empty", 33},    {"Word", 33}, {"Padded", 70}, {"Negative", -5},
        {"Trailing", 33}, {"Zero", 0},     {"Huge", 33}, {"Sign", 33},   {"Wide", 33},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ReadSettingNumber(store, settings::kMainOption, c.key, 33)) << c.key;
    EXPECT_EQ(33, ReadSettingNumber(store, settings::kMainOption, "Zero", 33, true)) << "0 counts as missing";
    EXPECT_EQ(70, ReadSettingNumber(store, settings::kMainOption, "Padded", 33, true));
    EXPECT_EQ(33, ReadSettingNumber(store, "OtherSection", "Padded", 33));
}

TEST_F(MainSettingsTest, DisplayRatesOutsideTheirRangeTakeTheDefault)
{
    ProfileStore store = StoreWith("CommandDispRateH=90\r\nCommandDispRateV=30\r\n");
    using namespace settings;
    EXPECT_EQ(50, ReadDisplayRate(store, kCommandDispRateH, kDefaultDispRateH, kDispRateHMin, kDispRateHMax));
    EXPECT_EQ(30, ReadDisplayRate(store, kCommandDispRateV, kDefaultDispRateV, kDispRateVMin, kDispRateVMax));
    store.Write(kMainOption, kCommandDispRateH, "80");
    store.Write(kMainOption, kCommandDispRateV, "29");
    EXPECT_EQ(80, ReadDisplayRate(store, kCommandDispRateH, kDefaultDispRateH, kDispRateHMin, kDispRateHMax));
    EXPECT_EQ(55, ReadDisplayRate(store, kCommandDispRateV, kDefaultDispRateV, kDispRateVMin, kDispRateVMax));
}

TEST_F(MainSettingsTest, StoredFontsAreReadAndOnlyFacesZeroToThreeWithSizesEightToEighteenAreValid)
{
    ProfileStore store = StoreWith(
        "CommandFontType=3\r\nCommandFontSize=18\r\nTableViewFontSize=20\r\nDefineViewFontType=4\r\n"
        "DataViewFontType=1\r\nDataViewFontSize=8\r\n");
    FontSetting command = ReadFontSetting(store, FontPane::CommandArea);
    EXPECT_EQ(3, command.faceKind);
    EXPECT_EQ(18, command.pointSize);
    EXPECT_TRUE(command.IsValid());

    FontSetting table = ReadFontSetting(store, FontPane::TableList);
    EXPECT_EQ(0, table.faceKind);
    EXPECT_EQ(20, table.pointSize);
    EXPECT_FALSE(table.IsValid()) << "size 20 leaves the table list in its own font";

    FontSetting definition = ReadFontSetting(store, FontPane::DefinitionView);
    EXPECT_EQ(4, definition.faceKind);
    EXPECT_FALSE(definition.IsValid());

    FontSetting data = ReadFontSetting(store, FontPane::DataView);
    EXPECT_EQ(1, data.faceKind);
    EXPECT_EQ(8, data.pointSize);
    EXPECT_TRUE(data.IsValid());

    EXPECT_FALSE((FontSetting{0, 7}).IsValid());
    EXPECT_FALSE((FontSetting{-1, 10}).IsValid());
}

TEST(FontFaces, CodesAndNamesTurnIntoEachOther)
{
    const char* names[] = {"ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ 明朝"};
    for (int code = 0; code < 4; ++code) {
        EXPECT_STREQ(names[code], FaceNameOfCode(code));
        EXPECT_EQ(code, FaceCodeOfName(names[code]));
    }
    EXPECT_EQ(nullptr, FaceNameOfCode(4));
    EXPECT_EQ(nullptr, FaceNameOfCode(-1));
    EXPECT_EQ(-1, FaceCodeOfName("ＭＳ ゴシ"));
    EXPECT_EQ(-1, FaceCodeOfName("ms gothic"));
    EXPECT_EQ(-1, FaceCodeOfName(""));
    EXPECT_EQ(-1, FaceCodeOfName(nullptr));
}

TEST_F(MainSettingsTest, FlagsAreYesInAnyCaseWithinSpacesAndIdeographicSpaces)
{
    ProfileStore store = StoreWith(
        "ActionExtIsHtml= yes \r\nConsole=　Yes　\r\nA=YES\r\nB=no\r\nC=yes!\r\nD=Y ES\r\nE=\r\nF=ｙｅｓ\r\n");
    EXPECT_TRUE(IsOptionSet(store, settings::kActionExtIsHtml));
    EXPECT_TRUE(IsOptionSet(store, settings::kConsole));
    EXPECT_TRUE(IsOptionSet(store, "A"));
    for (const char* key : {"B", "C", "D", "E", "F", "Missing"})
        EXPECT_FALSE(IsOptionSet(store, key)) << key;
}

TEST_F(MainSettingsTest, PathsAreTrimmedAndBlankMeansNotSet)
{
    // 表 ends in byte 0x5C and ソ in 0x5C too: neither may be taken for a backslash or cut.
    ProfileStore store = StoreWith(
        "PhpPath=  C:\\php\\php.exe　\r\nPerlPath=　　\r\nShell=C:\\ツール\\表\r\nActDisp=\r\n");
    VornString path;
    EXPECT_TRUE(ReadPhpPath(store, path));
    EXPECT_STREQ("C:\\php\\php.exe", path.Text());
    EXPECT_FALSE(ReadPathSetting(store, settings::kPerlPath, path));
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_TRUE(ReadPathSetting(store, settings::kShell, path));
    EXPECT_STREQ("C:\\ツール\\表", path.Text());
    EXPECT_FALSE(ReadPathSetting(store, settings::kActDisp, path));
}
