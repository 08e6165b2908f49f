// The -lh5- method: LZSS over an 8 KB window with matches of 3 to 256 bytes, coded in
// blocks of static Huffman codes (literal/length, distance bits, and the code-length code).
#pragma once

#include <string>

namespace lh5 {

// False when the data is damaged (a code outside the tables, or bits run out early).
bool Decode(const std::string& packed, size_t originalSize, std::string& data);
std::string Encode(const std::string& data);

}  // namespace lh5
