#include "spy/HookLog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Line(const HookLogEntry& entry)
{
    char out[kHookLogLineSize];
    size_t length = FormatHookLogLine(entry, out);
    EXPECT_EQ(std::strlen(out), length);
    return std::string(out, length);
}

}  // namespace

TEST(HookLogLineTest, FieldsInTheirFormats)
{
    HookLogEntry sent = {1, 2, 3, 45, false, 4294967295ul, (3ul << 16) | 2001ul, 0, "Button", "表示:ソ"};
    EXPECT_EQ("01:02:03 045:SEND:WM_COMMAND:4294967295:2001:3:0:Button:表示:ソ\n", Line(sent));
    HookLogEntry posted = {23, 59, 59, 999, true, 65558, 0xFFFFFFFFul, 131090, "", ""};
    EXPECT_EQ("23:59:59 999:POST:WM_COMMAND:65558:65535:65535:131090::\n", Line(posted));
}

TEST(HookLogLineTest, LongLinesAreCutOnACharacterBoundaryAndKeepTheirLineEnd)
{
    std::string className(511, 'C');
    std::string title(511, 'T');
    HookLogEntry entry = {10, 20, 30, 400, true, 1, 2, 3, className.c_str(), title.c_str()};
    std::string line = Line(entry);
    const std::string prefix = "10:20:30 400:POST:WM_COMMAND:1:2:0:3:";
    ASSERT_EQ(kHookLogLineSize - 1, line.size());
    EXPECT_EQ(prefix + className + ":" + title.substr(0, line.size() - prefix.size() - 513) + "\n", line);

    // A double-byte character that would end one byte beyond the limit is left out whole.
    for (size_t shift = 0; shift < 2; ++shift) {
        SCOPED_TRACE(shift);
        std::string shortClass(500 + shift, 'C');
        std::string doubleByte;
        for (int i = 0; i < 250; ++i)
            doubleByte += "表";
        HookLogEntry wide = {10, 20, 30, 400, true, 1, 2, 3, shortClass.c_str(), doubleByte.c_str()};
        line = Line(wide);
        size_t textBytes = line.size() - 1 - prefix.size() - shortClass.size() - 1;
        EXPECT_EQ(0u, textBytes % 2);
        EXPECT_EQ(kHookLogLineSize - 1 - shift, line.size());
        EXPECT_EQ('\n', line.back());
    }
}

TEST(HookLogPathTest, TemporaryFolderUnquotedWithOneTrailingBackslash)
{
    const struct {
        const char* temporary;
        const char* path;
    } cases[] = {
        {"C:\\users\\kestrova\\Temp\\", "C:\\users\\kestrova\\Temp\\VornHook.log"},
        {"C:\\Temp", "C:\\Temp\\VornHook.log"},
        {"\"C:\\Program Files\\一時\\\"", "C:\\Program Files\\一時\\VornHook.log"},
        {"\"C:\\一時\"", "C:\\一時\\VornHook.log"},
        // 表 ends in the byte 0x5C, which is no separator.
        {"C:\\表", "C:\\表\\VornHook.log"},
        {"C:\\表\\", "C:\\表\\VornHook.log"},
        {"", "\\VornHook.log"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.temporary);
        char path[64];
        ASSERT_TRUE(HookLogPath(c.temporary, path, sizeof path));
        EXPECT_STREQ(c.path, path);
    }
    char folder[8];
    EXPECT_TRUE(HookLogFolder("C:\\表", folder, sizeof folder));
    EXPECT_STREQ("C:\\表\\", folder);
    EXPECT_FALSE(HookLogFolder("C:\\表示", folder, sizeof folder));
    EXPECT_FALSE(HookLogPath("C:\\", folder, sizeof folder));
}
