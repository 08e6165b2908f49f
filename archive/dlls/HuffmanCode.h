// Canonical Huffman codes as -lh5- uses them: lengths at most 16 bits forming a complete
// code, codes assigned by length and then by symbol.
#pragma once

#include <cstdint>
#include <vector>

#include "archive/dlls/BitStream.h"

namespace huffman {

const int kMaxLength = 16;

// Code lengths for the frequencies; symbols with frequency 0 get length 0. Needs at least
// two used symbols (a single one is written as a constant by the caller).
std::vector<uint8_t> Lengths(const std::vector<uint32_t>& frequencies);
std::vector<uint16_t> Codes(const std::vector<uint8_t>& lengths);

class Decoder {
public:
    // False when the lengths over-subscribe the code space.
    bool Build(const std::vector<uint8_t>& lengths);
    void BuildConstant(int symbol);
    // The next symbol, or -1 when the bits form no code.
    int Decode(BitReader& bits) const;

private:
    int constant_ = -1;
    int counts_[kMaxLength + 1] = {};
    std::vector<int> symbols_;
};

}  // namespace huffman
