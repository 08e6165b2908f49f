#include <algorithm>
#include <vector>

#include "archive/dlls/BitStream.h"
#include "archive/dlls/HuffmanCode.h"
#include "archive/dlls/Lh5Codec.h"
#include "archive/dlls/Lh5Tables.h"

namespace lh5 {

namespace {

const size_t kBlockTokens = 16384;
const int kChainLimit = 128;
const int kHashSize = 1 << 15;

struct Token {
    uint16_t code;  // a byte, or 256 + length - 3
    uint16_t distance;  // for matches: bytes back minus one
};

class MatchFinder {
public:
    explicit MatchFinder(const std::string& data)
        : data_(data), head_(kHashSize, -1), previous_(data.size(), -1) {}

    void Insert(size_t at)
    {
        if (at + kMinMatch > data_.size())
            return;
        int hash = Hash(at);
        previous_[at] = head_[hash];
        head_[hash] = static_cast<long>(at);
    }

    // Longest earlier match at `at` within the window (length 0 when shorter than three).
    int Longest(size_t at, int& distance) const
    {
        int best = 0;
        if (at + kMinMatch > data_.size())
            return 0;
        size_t limit = std::min<size_t>(kMaxMatch, data_.size() - at);
        long candidate = head_[Hash(at)];
        for (int chain = 0; candidate >= 0 && chain < kChainLimit; ++chain) {
            if (at - candidate > static_cast<size_t>(kWindowSize))
                break;
            size_t length = 0;
            while (length < limit && data_[candidate + length] == data_[at + length])
                ++length;
            if (static_cast<int>(length) > best) {
                best = static_cast<int>(length);
                distance = static_cast<int>(at - candidate - 1);
                if (length == limit)
                    break;
            }
            candidate = previous_[candidate];
        }
        return best >= kMinMatch ? best : 0;
    }

private:
    int Hash(size_t at) const
    {
        unsigned a = static_cast<unsigned char>(data_[at]);
        unsigned b = static_cast<unsigned char>(data_[at + 1]);
        unsigned c = static_cast<unsigned char>(data_[at + 2]);
        return static_cast<int>(((a << 10) ^ (b << 5) ^ c) & (kHashSize - 1));
    }

    const std::string& data_;
    std::vector<long> head_;
    std::vector<long> previous_;
};

std::vector<Token> Tokens(const std::string& data)
{
    std::vector<Token> tokens;
    MatchFinder finder(data);
    size_t at = 0;
    while (at < data.size()) {
        int distance = 0;
        int length = finder.Longest(at, distance);
        if (length >= kMinMatch) {
            // One step of lazy matching: a longer match at the next byte wins.
            int nextDistance = 0;
            finder.Insert(at);
            if (finder.Longest(at + 1, nextDistance) > length) {
                tokens.push_back({static_cast<uint16_t>(static_cast<unsigned char>(data[at])), 0});
                ++at;
                continue;
            }
            tokens.push_back({static_cast<uint16_t>(256 + length - kMinMatch), static_cast<uint16_t>(distance)});
            for (int k = 1; k < length; ++k)
                finder.Insert(at + k);
            at += length;
            continue;
        }
        finder.Insert(at);
        tokens.push_back({static_cast<uint16_t>(static_cast<unsigned char>(data[at])), 0});
        ++at;
    }
    return tokens;
}

int DistanceCode(int distance)
{
    int bits = 0;
    while (distance >> bits)
        ++bits;
    return bits;
}

int UsedSymbol(const std::vector<uint32_t>& frequencies)
{
    for (size_t i = 0; i < frequencies.size(); ++i)
        if (frequencies[i])
            return static_cast<int>(i);
    return 0;
}

bool SeveralUsed(const std::vector<uint32_t>& frequencies)
{
    int used = 0;
    for (uint32_t f : frequencies)
        used += f != 0;
    return used > 1;
}

int TrimmedCount(const std::vector<uint8_t>& lengths)
{
    int count = static_cast<int>(lengths.size());
    while (count > 0 && lengths[count - 1] == 0)
        --count;
    return count;
}

// Calls emit(code, extraBits, extraValue) for each code of the literal code's lengths.
template <typename Emit>
void WalkLiteralLengths(const std::vector<uint8_t>& lengths, Emit emit)
{
    int count = TrimmedCount(lengths);
    int i = 0;
    while (i < count) {
        int length = lengths[i++];
        if (length != 0) {
            emit(length + 2, 0, 0);
            continue;
        }
        int zeros = 1;
        while (i < count && lengths[i] == 0) {
            ++i;
            ++zeros;
        }
        if (zeros <= 2) {
            for (int k = 0; k < zeros; ++k)
                emit(0, 0, 0);
        } else if (zeros <= 18) {
            emit(1, 4, zeros - 3);
        } else if (zeros == 19) {
            emit(0, 0, 0);
            emit(1, 4, 15);
        } else {
            emit(2, 9, zeros - 20);
        }
    }
}

void WriteSmallLengths(BitWriter& out, const std::vector<uint8_t>& lengths, int countBits, int skipAt)
{
    int count = TrimmedCount(lengths);
    out.Write(countBits, count);
    int i = 0;
    while (i < count) {
        int length = lengths[i++];
        if (length <= 6)
            out.Write(3, length);
        else
            out.Write(length - 3, (1u << (length - 3)) - 2);
        if (i == skipAt) {
            while (i < 6 && lengths[i] == 0)
                ++i;
            out.Write(2, (i - skipAt) & 3);
        }
    }
}

void WriteCode(BitWriter& out, const std::vector<uint8_t>& lengths, const std::vector<uint16_t>& codes, int symbol)
{
    out.Write(lengths[symbol], codes[symbol]);
}

void WriteLiteralTables(BitWriter& out, const std::vector<uint32_t>& literalFrequencies, std::vector<uint8_t>& literalLengths)
{
    if (!SeveralUsed(literalFrequencies)) {
        out.Write(kLengthCodeCountBits, 0);
        out.Write(kLengthCodeCountBits, 0);
        out.Write(kLiteralCountBits, 0);
        out.Write(kLiteralCountBits, UsedSymbol(literalFrequencies));
        literalLengths.assign(kLiteralCount, 0);
        return;
    }
    literalLengths = huffman::Lengths(literalFrequencies);
    std::vector<uint32_t> lengthFrequencies(kLengthCodeCount, 0);
    WalkLiteralLengths(literalLengths, [&](int code, int, int) { ++lengthFrequencies[code]; });
    std::vector<uint8_t> lengthLengths(kLengthCodeCount, 0);
    if (SeveralUsed(lengthFrequencies)) {
        lengthLengths = huffman::Lengths(lengthFrequencies);
        WriteSmallLengths(out, lengthLengths, kLengthCodeCountBits, kLengthCodeSkipAt);
    } else {
        out.Write(kLengthCodeCountBits, 0);
        out.Write(kLengthCodeCountBits, UsedSymbol(lengthFrequencies));
    }
    std::vector<uint16_t> lengthCodes = huffman::Codes(lengthLengths);
    out.Write(kLiteralCountBits, TrimmedCount(literalLengths));
    WalkLiteralLengths(literalLengths, [&](int code, int extraBits, int extra) {
        WriteCode(out, lengthLengths, lengthCodes, code);
        out.Write(extraBits, extra);
    });
}

void WriteBlock(BitWriter& out, const Token* tokens, size_t count)
{
    std::vector<uint32_t> literalFrequencies(kLiteralCount, 0);
    std::vector<uint32_t> distanceFrequencies(kDistanceCount, 0);
    for (size_t i = 0; i < count; ++i) {
        ++literalFrequencies[tokens[i].code];
        if (tokens[i].code >= 256)
            ++distanceFrequencies[DistanceCode(tokens[i].distance)];
    }
    out.Write(16, static_cast<uint32_t>(count));
    std::vector<uint8_t> literalLengths;
    WriteLiteralTables(out, literalFrequencies, literalLengths);
    std::vector<uint8_t> distanceLengths(kDistanceCount, 0);
    if (SeveralUsed(distanceFrequencies)) {
        distanceLengths = huffman::Lengths(distanceFrequencies);
        WriteSmallLengths(out, distanceLengths, kDistanceCountBits, -1);
    } else {
        out.Write(kDistanceCountBits, 0);
        out.Write(kDistanceCountBits, UsedSymbol(distanceFrequencies));
    }
    std::vector<uint16_t> literalCodes = huffman::Codes(literalLengths);
    std::vector<uint16_t> distanceCodes = huffman::Codes(distanceLengths);
    for (size_t i = 0; i < count; ++i) {
        WriteCode(out, literalLengths, literalCodes, tokens[i].code);
        if (tokens[i].code < 256)
            continue;
        int distance = tokens[i].distance;
        int code = DistanceCode(distance);
        WriteCode(out, distanceLengths, distanceCodes, code);
        if (code > 1)
            out.Write(code - 1, distance & ((1 << (code - 1)) - 1));
    }
}

}  // namespace

std::string Encode(const std::string& data)
{
    std::vector<Token> tokens = Tokens(data);
    BitWriter out;
    for (size_t start = 0; start < tokens.size(); start += kBlockTokens)
        WriteBlock(out, tokens.data() + start, std::min(kBlockTokens, tokens.size() - start));
    return out.Finish();
}

}  // namespace lh5
