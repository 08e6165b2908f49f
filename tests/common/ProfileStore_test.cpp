#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/ProfileStore.h"

namespace {

class ProfileStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = ScratchPath("profile_test.ini");
        RemoveFile(path_);
    }
    void TearDown() override { RemoveFile(path_); }

    std::string path_;
};

std::vector<std::string> ToVector(const TokenList& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list[i]);
    return items;
}

}  // namespace

TEST(ProfileStorePath, CommandLineGivesIniBesideProgram)
{
    EXPECT_STREQ("C:\\Prog\\Kestrova.ini",
                 ProfileStore::PathForCommandLine("C:\\Prog\\Kestrova.exe -x").Text());
    EXPECT_STREQ("C:\\Program Files\\表ソ\\Kestrova.ini",
                 ProfileStore::PathForCommandLine("\"C:\\Program Files\\表ソ\\Kestrova.exe\" a b").Text());
    EXPECT_STREQ("Kestrova.ini", ProfileStore::PathForCommandLine("Kestrova").Text());
}

TEST_F(ProfileStoreTest, WrittenValuesReadBackAndMissingOnesDoNot)
{
    ProfileStore store(path_.c_str());
    ASSERT_TRUE(store.Write("MainOption", "SaveDir", "C:\\表\\ソ"));
    VornString value;
    EXPECT_TRUE(store.Read("MainOption", "SaveDir", value));
    EXPECT_STREQ("C:\\表\\ソ", value.Text());
    EXPECT_TRUE(store.Read("mainoption", "SAVEDIR", value)) << "names ignore case";
    EXPECT_FALSE(store.Read("MainOption", "Nothing", value));
    EXPECT_STREQ("", value.Text());
    EXPECT_FALSE(store.Read("NoSection", "SaveDir", value));
}

TEST_F(ProfileStoreTest, EmptyValueAndMarkerInAnyCaseReadAsMissing)
{
    ProfileStore store(path_.c_str());
    store.Write("S", "Empty", "");
    store.Write("S", "Marker", "_vorn_default");
    VornString value("previous");
    EXPECT_FALSE(store.Read("S", "Empty", value));
    EXPECT_STREQ("", value.Text());
    value = "previous";
    EXPECT_FALSE(store.Read("S", "Marker", value));
    EXPECT_STREQ("", value.Text());
}

TEST_F(ProfileStoreTest, ValueFillingTheBufferIsReadAgainWithMoreRoom)
{
    ProfileStore store(path_.c_str());
    std::string longValue(31, 'x');  // capacity 32 - 1
    longValue += "表";
    store.Write("S", "Long", longValue.c_str());
    VornString value;  // capacity 32
    ASSERT_TRUE(store.Read("S", "Long", value));
    EXPECT_EQ(longValue, value.Text());
    EXPECT_EQ(32u + 260u, value.Capacity());

    // Longer than the grown buffer: cut at the grown capacity.
    std::string huge(400, 'y');
    store.Write("S", "Huge", huge.c_str());
    VornString cut;
    ASSERT_TRUE(store.Read("S", "Huge", cut));
    EXPECT_EQ(291u, cut.Length());
}

TEST_F(ProfileStoreTest, IsValueTrimsBlanksAndIdeographicSpaces)
{
    ProfileStore store(path_.c_str());
    store.Write("S", "Flag", "\x81\x40 yes\x81\x40");
    EXPECT_TRUE(store.IsValue("S", "Flag", "YES"));
    EXPECT_FALSE(store.IsValue("S", "Flag", "no"));
    EXPECT_FALSE(store.IsValue("S", "Missing", ""));
}

TEST_F(ProfileStoreTest, DeletingKeysAndSections)
{
    ProfileStore store(path_.c_str());
    store.Write("A", "k1", "1");
    store.Write("A", "k2", "2");
    store.Write("B", "k", "3");
    store.Write("A", "k1", nullptr);
    VornString value;
    EXPECT_FALSE(store.Read("A", "k1", value));
    EXPECT_TRUE(store.Read("A", "k2", value));
    EXPECT_TRUE(store.DeleteSection("A"));
    EXPECT_FALSE(store.Read("A", "k2", value));
    EXPECT_TRUE(store.Read("B", "k", value));
    EXPECT_FALSE(store.DeleteSection(nullptr));
}

TEST_F(ProfileStoreTest, EnumerationsListSectionsKeysAndLines)
{
    ProfileStore store(path_.c_str());
    store.Write("MySQL", "Cn1", "dsn,db,u,p");
    store.Write("MySQL", "Cn2", "表,ソ,u,p");
    store.Write("Postgres", "LastConnect", "1");
    EXPECT_EQ((std::vector<std::string>{"MySQL", "Postgres"}), ToVector(store.SectionNames()));
    EXPECT_EQ((std::vector<std::string>{"Cn1", "Cn2"}), ToVector(store.KeyNames("MySQL")));
    EXPECT_EQ((std::vector<std::string>{"Cn1=dsn,db,u,p", "Cn2=表,ソ,u,p"}),
              ToVector(store.SectionLines("MySQL")));
    EXPECT_EQ((std::vector<std::string>{""}), ToVector(store.KeyNames("Nothing")));
}

TEST_F(ProfileStoreTest, LongKeyListsAreReadPastTheFirstBuffer)
{
    ProfileStore store(path_.c_str());
    for (int i = 0; i < 300; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "Key%03d", i);
        store.Write("Many", key, "v");
    }
    TokenList keys = store.KeyNames("Many");
    ASSERT_EQ(300, keys.Count());
    EXPECT_STREQ("Key299", keys[299]);
}

TEST_F(ProfileStoreTest, FileIsShiftJisWithCrLf)
{
    ProfileStore store(path_.c_str());
    store.Write("表", "ソ", "値");
    std::string bytes = ReadBytes(path_);
    EXPECT_NE(std::string::npos, bytes.find("[\x95\x5C]\r\n")) << bytes;
    EXPECT_NE(std::string::npos, bytes.find("\x83\x5C=\x92\x6C\r\n")) << bytes;
}
