#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/HotKeys.h"
#include "app/OptionsRows.h"

namespace {

class OptionsRowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = ScratchPath("options_rows_test.ini");
        RemoveFile(path_);
    }
    void TearDown() override { RemoveFile(path_); }

    const OptionRow& Row(int index) const { return OptionRows()[index]; }
    VornString Stored(const ProfileStore& store, const char* key) const
    {
        VornString value;
        store.Read(settings::kMainOption, key, value);
        return value;
    }

    std::string path_;
};

}  // namespace

TEST(OptionRowsTable, TwentyFiveRowsInTheDialogsOrder)
{
    struct Expected {
        const char* kind;
        const char* caption;
        const char* key;
    } expected[] = {
        {"font", "コマンドエリアのフォント", "CommandFontType"},
        {"font", "テーブル一覧ビューのフォント", "TableViewFontType"},
        {"font", "表定義ビューのフォント", "DefineViewFontType"},
        {"font", "データ表示ビューのフォント", "DataViewFontType"},
        {"path", "PHP.EXE のパス", "PhpPath"},
        {"path", "Perl.exe のパス", "PerlPath"},
        {"win9x", "コマンドシェル", "Shell"},
        {"path", "ｱｸｼｮﾝｺﾏﾝﾄﾞの結果表示ﾌﾟﾛｸﾞﾗﾑ", "ActDisp"},
        {"flag", "外部ｱｸｼｮﾝを実行時にｺﾝｿｰﾙを開く", "Console"},
        {"flag", "外部ｱｸｼｮﾝの結果ﾌｧｲﾙの拡張子を.HTM にする", "ActionExtIsHtml"},
    };
    const std::vector<OptionRow>& rows = OptionRows();
    ASSERT_EQ(25u, rows.size());
    for (int i = 0; i < 10; ++i) {
        EXPECT_STREQ(expected[i].kind, OptionKindText(rows[i].kind)) << i;
        EXPECT_STREQ(expected[i].caption, rows[i].caption) << i;
        EXPECT_STREQ(expected[i].key, rows[i].key) << i;
    }
    const char* sizeKeys[] = {"CommandFontSize", "TableViewFontSize", "DefineViewFontSize", "DataViewFontSize"};
    const FontPane panes[] = {FontPane::CommandArea, FontPane::TableList, FontPane::DefinitionView, FontPane::DataView};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(sizeKeys[i], rows[i].sizeKey);
        EXPECT_EQ(panes[i], rows[i].pane);
    }
    for (int i = 0; i < kHotKeyCount; ++i) {
        EXPECT_STREQ("launch", OptionKindText(rows[10 + i].kind));
        EXPECT_STREQ(HotKeyTable()[i].caption, rows[10 + i].caption);
        EXPECT_STREQ(HotKeyTable()[i].key, rows[10 + i].key);
    }
    EXPECT_STREQ("VK_SUBTRACT", rows[23].key);
    EXPECT_STREQ("VK_ADD", rows[24].key);
}

TEST_F(OptionsRowsTest, RowsShowStoredValuesOrTheirDefaults)
{
    WriteBytes(path_,
               "[MainOption]\r\nCommandFontType=3\r\nCommandFontSize=12\r\nTableViewFontType=7\r\n"
               "TableViewFontSize=20\r\nPhpPath=C:\\php\\表.exe\r\nVK_ADD=notepad.exe\r\n");
    ProfileStore store(path_.c_str());

    OptionRowText command = ReadOptionRow(store, Row(0));
    EXPECT_STREQ("ＭＳ 明朝", command.value.Text());
    EXPECT_STREQ("12", command.size.Text());
    OptionRowText table = ReadOptionRow(store, Row(1));
    EXPECT_STREQ("ＭＳ Ｐゴシック", table.value.Text()) << "a face code without a name keeps the default";
    EXPECT_STREQ("20", table.size.Text());
    OptionRowText definition = ReadOptionRow(store, Row(2));
    EXPECT_STREQ("ＭＳ Ｐゴシック", definition.value.Text());
    EXPECT_STREQ("10", definition.size.Text());

    EXPECT_STREQ("C:\\php\\表.exe", ReadOptionRow(store, Row(4)).value.Text());
    for (int i = 5; i < 10; ++i) {
        OptionRowText text = ReadOptionRow(store, Row(i));
        EXPECT_TRUE(text.value.IsEmpty()) << i;
        EXPECT_TRUE(text.size.IsEmpty()) << i;
        EXPECT_TRUE(text.key.IsEmpty()) << i;
    }
    OptionRowText add = ReadOptionRow(store, Row(24));
    EXPECT_STREQ("notepad.exe", add.value.Text());
    EXPECT_STREQ("VK_ADD", add.key.Text());
    OptionRowText subtract = ReadOptionRow(store, Row(23));
    EXPECT_STREQ("taskmgr.exe", subtract.value.Text());
    EXPECT_STREQ("VK_SUBTRACT", subtract.key.Text());
    EXPECT_TRUE(subtract.size.IsEmpty());
}

TEST_F(OptionsRowsTest, FontRowsWriteTheFaceCodeAndSizeAndSayWhetherTheFontCanBeApplied)
{
    ProfileStore store(path_.c_str());
    FontSetting font = {-1, -1};
    EXPECT_TRUE(WriteOptionRow(store, Row(1), "ＭＳ Ｐ明朝", "14", "", &font));
    EXPECT_STREQ("1", Stored(store, "TableViewFontType").Text());
    EXPECT_STREQ("14", Stored(store, "TableViewFontSize").Text());
    EXPECT_EQ(1, font.faceKind);
    EXPECT_EQ(14, font.pointSize);

    EXPECT_TRUE(WriteOptionRow(store, Row(0), "ＭＳ ゴシック", "8", "", &font));
    EXPECT_STREQ("2", Stored(store, "CommandFontType").Text());
    EXPECT_EQ(2, font.faceKind);
    EXPECT_EQ(8, font.pointSize);

    // A size kept from a hand-edited file is written back but makes no font.
    EXPECT_FALSE(WriteOptionRow(store, Row(2), "ＭＳ 明朝", "20", "", &font));
    EXPECT_STREQ("3", Stored(store, "DefineViewFontType").Text());
    EXPECT_STREQ("20", Stored(store, "DefineViewFontSize").Text());

    // A name that is none of the four faces leaves the stored code alone.
    store.Write(settings::kMainOption, "DataViewFontType", "1");
    EXPECT_FALSE(WriteOptionRow(store, Row(3), "Arial", "12", "", &font));
    EXPECT_STREQ("1", Stored(store, "DataViewFontType").Text());
    EXPECT_STREQ("12", Stored(store, "DataViewFontSize").Text());
}

TEST_F(OptionsRowsTest, OtherRowsWriteTheirValueAndOnlyThePhpPathIsTrimmed)
{
    ProfileStore store(path_.c_str());
    store.Write(settings::kMainOption, "VK_MULTIPLY", "cmd.exe /k 表");
    FontSetting font = {-1, -1};
    EXPECT_FALSE(WriteOptionRow(store, Row(4), "　C:\\php\\php.exe　", "", "", &font));
    EXPECT_STREQ("C:\\php\\php.exe", Stored(store, "PhpPath").Text());
    WriteOptionRow(store, Row(5), "C:\\perl\\perl.exe　", "", "", &font);
    EXPECT_STREQ("C:\\perl\\perl.exe　", Stored(store, "PerlPath").Text());
    WriteOptionRow(store, Row(6), "command.com", "", "", &font);
    EXPECT_STREQ("command.com", Stored(store, "Shell").Text());
    WriteOptionRow(store, Row(9), "yes", "", "", &font);
    EXPECT_TRUE(IsOptionSet(store, "ActionExtIsHtml"));

    EXPECT_FALSE(WriteOptionRow(store, Row(23), "taskmgr.exe /ソ", "", "VK_SUBTRACT", &font));
    EXPECT_STREQ("taskmgr.exe /ソ", Stored(store, "VK_SUBTRACT").Text());
    EXPECT_STREQ("cmd.exe /k 表", Stored(store, "VK_MULTIPLY").Text());
    EXPECT_EQ(-1, font.faceKind) << "only font rows report a font";

    // The key name comes from the row's hidden column.
    WriteOptionRow(store, Row(24), "notepad.exe", "", "VK_DIVIDE", &font);
    EXPECT_STREQ("notepad.exe", Stored(store, "VK_DIVIDE").Text());
    EXPECT_TRUE(Stored(store, "VK_ADD").IsEmpty());

    // Clearing a path row leaves it not set.
    WriteOptionRow(store, Row(4), "　 ", "", "", &font);
    VornString path;
    EXPECT_FALSE(ReadPhpPath(store, path));

    // Values enclosed in quotes come back as written, though the file drops one enclosing pair.
    const char* quoted = "\"C:\\Program Files\\表\\x.exe\" \"a\"";
    WriteOptionRow(store, Row(24), quoted, "", "VK_ADD", &font);
    EXPECT_STREQ(quoted, HotKeyCommandLine(store, 32926).Text());
    WriteOptionRow(store, Row(5), "'C:\\perl.exe'", "", "", &font);
    EXPECT_STREQ("'C:\\perl.exe'", Stored(store, "PerlPath").Text());
    WriteOptionRow(store, Row(6), "\"cmd.exe", "", "", &font);
    EXPECT_STREQ("\"cmd.exe", Stored(store, "Shell").Text());
}
