#include <algorithm>
#include <vector>

#include "archive/dlls/BitStream.h"
#include "archive/dlls/HuffmanCode.h"
#include "archive/dlls/Lh5Codec.h"
#include "archive/dlls/Lh5Tables.h"

namespace lh5 {

namespace {

// Lengths of the code-length code or of the distance code; skipAt < 0 when no zero run follows.
bool ReadSmallLengths(BitReader& bits, int symbolCount, int countBits, int skipAt, huffman::Decoder& decoder)
{
    int count = static_cast<int>(bits.Read(countBits));
    if (count == 0) {
        int symbol = static_cast<int>(bits.Read(countBits));
        if (symbol >= symbolCount)
            return false;
        decoder.BuildConstant(symbol);
        return true;
    }
    if (count > symbolCount)
        return false;
    std::vector<uint8_t> lengths(symbolCount, 0);
    int i = 0;
    while (i < count) {
        int length = static_cast<int>(bits.Read(3));
        if (length == 7)
            while (bits.ReadBit() && length <= huffman::kMaxLength)
                ++length;
        if (length > huffman::kMaxLength)
            return false;
        lengths[i++] = static_cast<uint8_t>(length);
        if (i == skipAt)
            i += static_cast<int>(bits.Read(2));
    }
    return !bits.Overrun() && decoder.Build(lengths);
}

bool ReadLiteralLengths(BitReader& bits, const huffman::Decoder& lengthCode, huffman::Decoder& decoder)
{
    int count = static_cast<int>(bits.Read(kLiteralCountBits));
    if (count == 0) {
        int symbol = static_cast<int>(bits.Read(kLiteralCountBits));
        if (symbol >= kLiteralCount)
            return false;
        decoder.BuildConstant(symbol);
        return true;
    }
    if (count > kLiteralCount)
        return false;
    std::vector<uint8_t> lengths(kLiteralCount, 0);
    int i = 0;
    while (i < count) {
        int code = lengthCode.Decode(bits);
        if (code < 0 || bits.Overrun())
            return false;
        if (code > 2) {
            lengths[i++] = static_cast<uint8_t>(code - 2);
            continue;
        }
        int zeros = code == 0 ? 1 : code == 1 ? static_cast<int>(bits.Read(4)) + 3 : static_cast<int>(bits.Read(9)) + 20;
        i = std::min(i + zeros, count);
    }
    return decoder.Build(lengths);
}

int ReadDistance(BitReader& bits, const huffman::Decoder& distanceCode)
{
    int code = distanceCode.Decode(bits);
    if (code <= 1)
        return code;
    return (1 << (code - 1)) + static_cast<int>(bits.Read(code - 1));
}

}  // namespace

bool Decode(const std::string& packed, size_t originalSize, std::string& data)
{
    data.clear();
    data.reserve(originalSize);
    BitReader bits(packed);
    huffman::Decoder lengthCode, literalCode, distanceCode;
    while (data.size() < originalSize) {
        uint32_t blockSize = bits.Read(16);
        if (blockSize == 0 || !ReadSmallLengths(bits, kLengthCodeCount, kLengthCodeCountBits, kLengthCodeSkipAt, lengthCode) ||
            !ReadLiteralLengths(bits, lengthCode, literalCode) ||
            !ReadSmallLengths(bits, kDistanceCount, kDistanceCountBits, -1, distanceCode))
            return false;
        for (uint32_t n = 0; n < blockSize && data.size() < originalSize; ++n) {
            int code = literalCode.Decode(bits);
            if (code < 0 || bits.Overrun())
                return false;
            if (code < 256) {
                data.push_back(static_cast<char>(code));
                continue;
            }
            int length = code - 256 + kMinMatch;
            int distance = ReadDistance(bits, distanceCode);
            if (distance < 0 || distance >= kWindowSize)
                return false;
            for (int k = 0; k < length && data.size() < originalSize; ++k) {
                long from = static_cast<long>(data.size()) - distance - 1;
                // Before the first byte the window holds blanks, as the encoders assume.
                data.push_back(from < 0 ? ' ' : data[from]);
            }
        }
    }
    return true;
}

}  // namespace lh5
