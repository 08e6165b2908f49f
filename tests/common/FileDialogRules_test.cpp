#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/FileDialogRules.h"

namespace {

// The parts of a NUL-separated, double-NUL-terminated filter list.
std::vector<std::string> FilterParts(const char* filter, size_t* kept = nullptr)
{
    char buffer[filedialog::kFilterBufferSize + 8];
    std::memset(buffer, 'Z', sizeof buffer);
    size_t used = filedialog::BuildFilter(filter, buffer);
    if (kept)
        *kept = used;
    std::vector<std::string> parts;
    const char* p = buffer;
    while (*p && p < buffer + filedialog::kFilterBufferSize) {
        parts.push_back(p);
        p += parts.back().size() + 1;
    }
    // Nothing past the 512 bytes may be touched.
    EXPECT_EQ('Z', buffer[filedialog::kFilterBufferSize]);
    return parts;
}

}  // namespace

TEST(FileDialogRules, CommasBecomeSeparatorsOfTheFilterList)
{
    using V = std::vector<std::string>;
    EXPECT_EQ((V{"CSV", "*.csv", "テキスト表", "*.txt;*.ソ"}),
              FilterParts("CSV,*.csv,テキスト表,*.txt;*.ソ"));
    EXPECT_EQ((V{"全て", "*.*"}), FilterParts(""));
    EXPECT_EQ((V{"全て", "*.*"}), FilterParts(nullptr));
    EXPECT_EQ((V{"A", "*.a"}), FilterParts("A,*.a,"));
}

TEST(FileDialogRules, LongFilterIsCutOnACharacterBoundaryAndStaysTerminated)
{
    // "表" is 0x95 0x5C: an odd start makes a byte-wise cut split the last character.
    std::string filter = "xy,";
    while (filter.size() < 700)
        filter += "表";
    char buffer[filedialog::kFilterBufferSize];
    size_t kept = filedialog::BuildFilter(filter.c_str(), buffer);
    EXPECT_EQ(filedialog::kFilterBufferSize - 3, kept);  // 3 + 253 * 2 bytes
    EXPECT_EQ('\0', buffer[kept]);
    EXPECT_EQ('\0', buffer[kept + 1]);
    EXPECT_EQ(std::string(filter.c_str() + 3, kept - 3), std::string(buffer + 3));

    // Single-byte text fills the buffer up to the two closing NULs.
    std::string ascii = "y," + std::string(600, 'a');
    std::vector<std::string> parts = FilterParts(ascii.c_str(), &kept);
    EXPECT_EQ(filedialog::kFilterBufferSize - 2, kept);
    ASSERT_EQ(2u, parts.size());
    EXPECT_EQ(filedialog::kFilterBufferSize - 4, parts[1].size());
}

TEST(FileDialogRules, MissingArgumentsTakeTheDialogDefaults)
{
    EXPECT_STREQ("ファイルのパスの取得", filedialog::TitleOrDefault(nullptr, false));
    EXPECT_STREQ("ファイルのパスの取得", filedialog::TitleOrDefault("", false));
    EXPECT_STREQ("保存ファイルのパスの取得", filedialog::TitleOrDefault("", true));
    EXPECT_STREQ("表を開く", filedialog::TitleOrDefault("表を開く", true));

    // OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY, and OFN_OVERWRITEPROMPT for saving.
    EXPECT_EQ(0x100Cul, filedialog::FlagsOrDefault(0, false));
    EXPECT_EQ(0x000Eul, filedialog::FlagsOrDefault(0, true));
    EXPECT_EQ(0x0800ul, filedialog::FlagsOrDefault(0x0800, false));

    EXPECT_EQ(1ul, filedialog::FilterIndexOrDefault(0));
    EXPECT_EQ(3ul, filedialog::FilterIndexOrDefault(3));
}
