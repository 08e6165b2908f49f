#include "archive/dlls/HuffmanCode.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>

namespace huffman {

namespace {

// Plain Huffman depths of the used symbols, in the order of `used`.
std::vector<int> Depths(const std::vector<uint32_t>& frequencies, const std::vector<int>& used)
{
    struct Node {
        uint64_t weight;
        int left;
        int right;
    };
    std::vector<Node> nodes;
    using Item = std::pair<uint64_t, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
    for (int symbol : used) {
        nodes.push_back({frequencies[symbol], -1, -1});
        queue.push({frequencies[symbol], static_cast<int>(nodes.size()) - 1});
    }
    while (queue.size() > 1) {
        Item a = queue.top();
        queue.pop();
        Item b = queue.top();
        queue.pop();
        nodes.push_back({a.first + b.first, a.second, b.second});
        queue.push({a.first + b.first, static_cast<int>(nodes.size()) - 1});
    }
    std::vector<int> depth(nodes.size(), 0);
    for (int i = static_cast<int>(nodes.size()) - 1; i >= 0; --i)
        if (nodes[i].left >= 0) {
            depth[nodes[i].left] = depth[i] + 1;
            depth[nodes[i].right] = depth[i] + 1;
        }
    return std::vector<int>(depth.begin(), depth.begin() + used.size());
}

// Moves over-long codes to the limit and splits shorter ones until the code is complete again.
void LimitCounts(std::vector<int>& counts)
{
    for (size_t length = kMaxLength + 1; length < counts.size(); ++length) {
        counts[kMaxLength] += counts[length];
        counts[length] = 0;
    }
    uint32_t total = 0;
    for (int length = 1; length <= kMaxLength; ++length)
        total += static_cast<uint32_t>(counts[length]) << (kMaxLength - length);
    while (total > (1u << kMaxLength)) {
        --counts[kMaxLength];
        for (int length = kMaxLength - 1; length > 0; --length)
            if (counts[length] != 0) {
                --counts[length];
                counts[length + 1] += 2;
                break;
            }
        --total;
    }
}

}  // namespace

std::vector<uint8_t> Lengths(const std::vector<uint32_t>& frequencies)
{
    std::vector<uint8_t> lengths(frequencies.size(), 0);
    std::vector<int> used;
    for (size_t i = 0; i < frequencies.size(); ++i)
        if (frequencies[i])
            used.push_back(static_cast<int>(i));
    if (used.size() < 2)
        return lengths;
    std::vector<int> depths = Depths(frequencies, used);
    std::vector<int> counts(*std::max_element(depths.begin(), depths.end()) + 1 + kMaxLength, 0);
    for (int depth : depths)
        ++counts[depth];
    LimitCounts(counts);
    // The rarest symbols take the longest codes.
    std::stable_sort(used.begin(), used.end(),
                     [&](int a, int b) { return frequencies[a] > frequencies[b]; });
    size_t next = 0;
    for (int length = 1; length <= kMaxLength; ++length)
        for (int n = 0; n < counts[length]; ++n)
            lengths[used[next++]] = static_cast<uint8_t>(length);
    return lengths;
}

std::vector<uint16_t> Codes(const std::vector<uint8_t>& lengths)
{
    int counts[kMaxLength + 1] = {};
    for (uint8_t length : lengths)
        ++counts[length];
    counts[0] = 0;
    uint32_t start[kMaxLength + 2] = {};
    for (int length = 1; length <= kMaxLength; ++length)
        start[length + 1] = (start[length] + counts[length]) << 1;
    std::vector<uint16_t> codes(lengths.size(), 0);
    for (size_t i = 0; i < lengths.size(); ++i)
        if (lengths[i])
            codes[i] = static_cast<uint16_t>(start[lengths[i]]++);
    return codes;
}

bool Decoder::Build(const std::vector<uint8_t>& lengths)
{
    constant_ = -1;
    std::fill(counts_, counts_ + kMaxLength + 1, 0);
    for (uint8_t length : lengths) {
        if (length > kMaxLength)
            return false;
        ++counts_[length];
    }
    counts_[0] = 0;
    int left = 1;
    for (int length = 1; length <= kMaxLength; ++length) {
        left = (left << 1) - counts_[length];
        if (left < 0)
            return false;
    }
    symbols_.clear();
    for (int length = 1; length <= kMaxLength; ++length)
        for (size_t i = 0; i < lengths.size(); ++i)
            if (lengths[i] == length)
                symbols_.push_back(static_cast<int>(i));
    return true;
}

void Decoder::BuildConstant(int symbol)
{
    constant_ = symbol;
    symbols_.clear();
}

int Decoder::Decode(BitReader& bits) const
{
    if (constant_ >= 0)
        return constant_;
    int code = 0;
    int first = 0;
    int index = 0;
    for (int length = 1; length <= kMaxLength; ++length) {
        code |= static_cast<int>(bits.ReadBit());
        int count = counts_[length];
        if (code - first < count)
            return symbols_[index + code - first];
        index += count;
        first = (first + count) << 1;
        code <<= 1;
    }
    return -1;
}

}  // namespace huffman
