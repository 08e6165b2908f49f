#include "archive/dlls/Lh5Codec.h"

#include <gtest/gtest.h>

#include "ArchiveTestSupport.h"
#include "archive/dlls/HuffmanCode.h"

namespace {

std::string Repeated(const std::string& text, int count)
{
    std::string result;
    while (count-- > 0)
        result += text;
    return result;
}

TEST(Lh5Codec, RoundTripsDataOfEveryShape)
{
    std::string window = Pseudorandom(8191, 7);
    std::string beyond = Pseudorandom(8193, 8);
    struct Case {
        const char* what;
        std::string data;
    } cases[] = {
        {"one byte", "a"},
        {"one repeated byte (single-symbol trees)", std::string(100000, 'a')},
        {"incompressible", Pseudorandom(20000, 1)},
        {"several blocks of text", TextLines(20000)},
        {"match at the far end of the window", window + window},
        {"repeat just outside the window", beyond + beyond},
        {"Shift_JIS text", Repeated("①～㈱髙表ソ、", 500) + Pseudorandom(40, 2)},
    };
    for (const Case& c : cases) {
        std::string packed = lh5::Encode(c.data);
        std::string unpacked;
        EXPECT_TRUE(lh5::Decode(packed, c.data.size(), unpacked)) << c.what;
        EXPECT_TRUE(unpacked == c.data) << c.what;
    }
    EXPECT_LT(lh5::Encode(TextLines(5000)).size(), TextLines(5000).size() / 4);
}

TEST(Lh5Codec, DamagedStreamsFailWithoutOverrunningTheirSize)
{
    std::string data = TextLines(400) + Pseudorandom(500, 3);
    std::string packed = lh5::Encode(data);
    std::string unpacked;
    for (size_t cut = 0; cut < packed.size(); cut += 7)
        EXPECT_FALSE(lh5::Decode(packed.substr(0, cut), data.size(), unpacked)) << cut;
    for (size_t at = 0; at < packed.size(); at += 3) {
        std::string damaged = packed;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        if (lh5::Decode(damaged, data.size(), unpacked)) {
            EXPECT_EQ(data.size(), unpacked.size());
        }
    }
}

TEST(HuffmanCode, LengthsStayWithinSixteenBitsFormACompleteCodeAndDecodeBack)
{
    std::vector<uint32_t> fibonacci(30);
    fibonacci[0] = fibonacci[1] = 1;
    for (size_t i = 2; i < fibonacci.size(); ++i)
        fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2];
    std::vector<uint32_t> sparse = {0, 5, 0, 0, 9, 0, 1};
    for (const std::vector<uint32_t>& frequencies : {fibonacci, sparse, std::vector<uint32_t>(510, 3)}) {
        std::vector<uint8_t> lengths = huffman::Lengths(frequencies);
        uint32_t kraft = 0;
        for (size_t i = 0; i < lengths.size(); ++i) {
            EXPECT_LE(lengths[i], 16);
            EXPECT_EQ(frequencies[i] == 0, lengths[i] == 0) << i;
            if (lengths[i])
                kraft += 1u << (16 - lengths[i]);
        }
        EXPECT_EQ(1u << 16, kraft);
        std::vector<uint16_t> codes = huffman::Codes(lengths);
        BitWriter out;
        for (size_t i = 0; i < lengths.size(); ++i)
            out.Write(lengths[i], codes[i]);
        std::string bits = out.Finish();
        BitReader in(bits);
        huffman::Decoder decoder;
        ASSERT_TRUE(decoder.Build(lengths));
        for (size_t i = 0; i < lengths.size(); ++i)
            if (lengths[i]) {
                EXPECT_EQ(static_cast<int>(i), decoder.Decode(in));
            }
    }
    huffman::Decoder oversubscribed;
    EXPECT_FALSE(oversubscribed.Build({1, 1, 1}));
}

}  // namespace
