// The real program in a process of its own, driven from outside as a user and the
// automation library would: keys, posted commands, the clipboard under the mutex, and the
// settings file it leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "KestrovaRemote.h"
#include "TestSupport.h"

namespace {

std::string WindowsPath(const char* hostPath)
{
    std::string path = std::string("Z:") + hostPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string Setting(const std::string& ini, const char* section, const char* key)
{
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
    return value;
}

int WindowWidth(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect.right - rect.left;
}

class KestrovaProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = ScratchPath("installed");
        CreateDirectoryA(folder_.c_str(), nullptr);
        exe_ = folder_ + "\\Kestrova.exe";
        ini_ = folder_ + "\\Kestrova.ini";
        ASSERT_TRUE(CopyFileA(WindowsPath(KESTROVA_EXE_PATH).c_str(), exe_.c_str(), FALSE));
        DeleteFileA(ini_.c_str());
    }

    std::string folder_, exe_, ini_;
};

}  // namespace

TEST_F(KestrovaProcessTest, KeysCommandsAndClipboardListsWorkFromOutsideAndSettingsAreKept)
{
    WritePrivateProfileStringA("Postgres", "LastConnect", "KestrovaPg,sample,kestrova,kestrova", ini_.c_str());
    WritePrivateProfileStringA("Postgres", "Cn1", "KestrovaPg,sample,kestrova,kestrova", ini_.c_str());
    WritePrivateProfileStringA("MainOption", "CommandDispRateH", "40", ini_.c_str());
    KestrovaRemote kestrova;
    ASSERT_TRUE(kestrova.Launch(exe_));

    // Ctrl+P then Enter: the PostgreSQL dialog offers the last connection.
    kestrova.BringToFront();
    kestrova.TypeKey('P', true);
    HWND dialog = kestrova.WaitForDialog("PostgreSQL の接続");
    ASSERT_NE(nullptr, dialog);
    kestrova.TypeKey(VK_RETURN);
    EXPECT_TRUE(kestrova.WaitUntilGone(dialog));
    ASSERT_TRUE(kestrova.WaitForRows(kestrova.TableList(), 5));
    EXPECT_GE(kestrova.ShowDefinitionWithColumn("社員番号"), 0);
    char title[512] = "";
    GetWindowTextA(kestrova.Main(), title, sizeof title);
    EXPECT_NE(nullptr, strstr(title, " -- [Postgres] -- KestrovaPg,sample,kestrova,kestrova")) << title;

    // A list handed over on the clipboard comes back the same, with numbered headings.
    ASSERT_TRUE(kestrova.PutClipboard("東京\t1\r\n大阪\t2\r\n"));
    kestrova.Command(32953);
    EXPECT_EQ("1\t2\r\n東京\t1\r\n大阪\t2\r\n", kestrova.LowerView());

    // A long list: 100,000 lines of double-byte text whose trail bytes are 0x5C and letters.
    std::string list;
    for (int line = 0; line < 100000; ++line)
        list += "表" + std::to_string(line) + "\tソ能\t" + (line % 7 ? "x" : "") + "\r\n";
    const std::string expected = "1\t2\t3\r\n" + list;  // an empty last field still counts
    ASSERT_TRUE(kestrova.PutClipboard(list.c_str()));
    kestrova.Command(32953);
    EXPECT_TRUE(kestrova.WaitForRows(kestrova.DefinitionView(), 100000));
    std::string back = kestrova.LowerView();
    EXPECT_EQ(expected.size(), back.size());
    EXPECT_TRUE(expected == back) << "the list came back changed";

    // The horizontal-ratio button, five times from 40 %: each click is stored at once and
    // narrows the table list, until 80 % wraps back to 40 %.
    const int widthAt40 = WindowWidth(kestrova.TableList());
    int previousWidth = widthAt40;
    for (const char* stored : {"50", "60", "70", "80", "40"}) {
        kestrova.Command(32914);
        EXPECT_EQ(stored, Setting(ini_, "MainOption", "CommandDispRateH"));
        const int width = WindowWidth(kestrova.TableList());
        if (std::string(stored) == "40")
            EXPECT_EQ(widthAt40, width);
        else
            EXPECT_LT(width, previousWidth) << stored << " %";
        previousWidth = width;
    }

    ASSERT_TRUE(kestrova.Close());
    EXPECT_EQ("95", Setting(ini_, "MainOption", "ColumnWidth3"));
    EXPECT_EQ("50", Setting(ini_, "MainOption", "MaxCount"));
    EXPECT_EQ("KestrovaPg,sample,kestrova,kestrova", Setting(ini_, "Postgres", "LastConnect"));
    EXPECT_EQ("<missing>", Setting(ini_, "Postgres", "Cn2")) << "the same connection keeps one entry";
}
