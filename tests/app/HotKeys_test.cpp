#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/HotKeys.h"
#include "app/MainSettings.h"

namespace {

struct ExpectedHotKey {
    unsigned command;
    const char* key;
    const char* commandLine;
    const char* caption;
};

// Num 0 ... Num 9, ".", "/", "*", "-", "+".
const ExpectedHotKey kExpected[] = {
    {32928, "VK_NUMPAD0", "regedit.exe", "Ctrl+ﾃﾝｷｰ0 (省略時:レジストリエディタ)"},
    {32935, "VK_NUMPAD1", "notepad.exe", "Ctrl+ﾃﾝｷｰ1 (省略時:メモ帳)"},
    {32936, "VK_NUMPAD2", "RunDLL32.EXE shell32.dll,SHHelpShortcuts_RunDLL PrintersFolder",
     "Ctrl+ﾃﾝｷｰ2 (省略時:プリンタフォルダ)"},
    {32937, "VK_NUMPAD3", "EXPLORER.EXE ::{645FF040-5081-101B-9F08-00AA002F954E}", "Ctrl+ﾃﾝｷｰ3 (省略時:ごみ箱)"},
    {32938, "VK_NUMPAD4", "RunDLL32.EXE shell32.dll,Control_RunDLL sysdm.cpl", "Ctrl+ﾃﾝｷｰ4 (省略時:ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ)"},
    {32939, "VK_NUMPAD5", "RunDLL32.EXE shell32.dll,Control_RunDLL desk.cpl", "Ctrl+ﾃﾝｷｰ5 (省略時:画面のﾌﾟﾛﾊﾟﾃｨ)"},
    {32940, "VK_NUMPAD6", "RunDLL32.EXE shell32.dll,Control_RunDLL inetcpl.cpl",
     "Ctrl+ﾃﾝｷｰ6 (省略時:ｲﾝﾀｰﾈｯﾄのﾌﾟﾛﾊﾟﾃｨ)"},
    {32929, "VK_NUMPAD7", "mspaint.exe", "Ctrl+ﾃﾝｷｰ7 (省略時:ペイント)"},
    {32933, "VK_NUMPAD8", "RunDLL32.EXE shell32.dll,Control_RunDLL odbccp32.cpl",
     "Ctrl+ﾃﾝｷｰ8 (省略時:ODBC ｱﾄﾞﾐﾆｽﾄﾚｰﾀ)"},
    {32934, "VK_NUMPAD9", "RunDLL32.EXE shell32.dll,Control_RunDLL appwiz.cpl",
     "Ctrl+ﾃﾝｷｰ9 (省略時:ﾌﾟﾛｸﾞﾗﾑの追加と削除)"},
    {32931, "VK_DECIMAL", "RunDLL32.EXE shell32.dll,Control_RunDLL", "Ctrl+ﾃﾝｷｰ. (省略時:ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ)"},
    {32930, "VK_DIVIDE", "RunDLL32.EXE shell32.dll,SHHelpShortcuts_RunDLL Connect",
     "Ctrl+ﾃﾝｷｰ/ (省略時:ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞの割り当て)"},
    {32927, "VK_MULTIPLY", "cmd.exe", "Ctrl+ﾃﾝｷｰ* (省略時:ｺﾏﾝﾄﾞﾌﾟﾛﾝﾌﾟﾄ)"},
    {32932, "VK_SUBTRACT", "taskmgr.exe", "Ctrl+ﾃﾝｷｰ- (省略時:ﾀｽｸﾏﾈｰｼﾞｬ)"},
    {32926, "VK_ADD", "calc.exe", "Ctrl+ﾃﾝｷｰ+ (省略時:電卓)"},
};

class HotKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = ScratchPath("hot_keys_test.ini");
        RemoveFile(path_);
    }
    void TearDown() override { RemoveFile(path_); }

    std::string path_;
};

}  // namespace

TEST_F(HotKeysTest, EveryLauncherRowHasItsCommandKeyDefaultAndCaption)
{
    ProfileStore store(path_.c_str());
    ASSERT_EQ(15, kHotKeyCount);
    for (int i = 0; i < kHotKeyCount; ++i) {
        const ExpectedHotKey& expected = kExpected[i];
        const HotKeyEntry& entry = HotKeyTable()[i];
        EXPECT_EQ(expected.command, entry.command) << i;
        EXPECT_STREQ(expected.key, entry.key) << i;
        EXPECT_STREQ(expected.commandLine, entry.defaultCommand) << i;
        EXPECT_STREQ(expected.caption, entry.caption) << i;
        EXPECT_TRUE(IsHotKeyCommand(expected.command)) << i;
        EXPECT_STREQ(expected.commandLine, HotKeyCommandLine(store, expected.command).Text()) << i;
    }
    for (unsigned command : {0u, 32925u, 32941u, 32863u, 32958u, 32959u, 32953u})
        EXPECT_FALSE(IsHotKeyCommand(command)) << command;
}

TEST_F(HotKeysTest, AStoredCommandLineReplacesTheDefaultUntilTheKeyIsDeleted)
{
    ProfileStore store(path_.c_str());
    ASSERT_TRUE(store.Write(settings::kMainOption, "VK_ADD", "notepad.exe"));
    EXPECT_STREQ("notepad.exe", HotKeyCommandLine(store, 32926).Text());
    EXPECT_STREQ("cmd.exe", HotKeyCommandLine(store, 32927).Text()) << "another key keeps its default";

    ASSERT_TRUE(store.Write(settings::kMainOption, "VK_ADD", nullptr));
    EXPECT_STREQ("calc.exe", HotKeyCommandLine(store, 32926).Text());

    // An empty value counts as missing; double-byte text comes back byte for byte.
    store.Write(settings::kMainOption, "VK_ADD", "");
    EXPECT_STREQ("calc.exe", HotKeyCommandLine(store, 32926).Text());
    store.Write(settings::kMainOption, "VK_NUMPAD0", "C:\\ツール\\表示.exe /ソ");
    EXPECT_STREQ("C:\\ツール\\表示.exe /ソ", HotKeyCommandLine(store, 32928).Text());

    EXPECT_STREQ("", HotKeyCommandLine(store, 32863).Text()) << "not a hot key";
}
