// Little-endian fields of the archive headers, read with bounds checks by the callers.
#pragma once

#include <cstdint>
#include <string>

namespace bytes {

inline uint16_t Get16(const std::string& b, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                                 (static_cast<unsigned char>(b[at + 1]) << 8));
}

inline uint32_t Get32(const std::string& b, size_t at)
{
    return Get16(b, at) | (static_cast<uint32_t>(Get16(b, at + 2)) << 16);
}

inline void Put16(std::string& b, uint32_t v)
{
    b.push_back(static_cast<char>(v & 0xFF));
    b.push_back(static_cast<char>((v >> 8) & 0xFF));
}

inline void Put32(std::string& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

}  // namespace bytes
