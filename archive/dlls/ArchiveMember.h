// One member of an archive as the formats read and write it: its metadata and its packed
// bytes, kept as they are so an unchanged member is copied without being packed again.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

struct ArchiveMember {
    std::string name;  // Shift_JIS bytes, "/" between folders, folders end with "/"
    std::string method;  // "stored", "deflate", "-lh0-", "-lh5-", "-lhd-"
    std::string packed;
    uint32_t originalSize = 0;
    uint32_t crc = 0;  // CRC-32 in ZIP, CRC-16 in LZH
    uint16_t dosDate = 0;
    uint16_t dosTime = 0;
    std::time_t stamp = 0;
    uint32_t osType = 0;
    uint8_t dosAttributes = 0x20;
    uint16_t zipFlags = 0;
    uint16_t zipMadeBy = 20;
    uint32_t zipExternal = 0x20;

    bool IsFolder() const { return !name.empty() && name.back() == '/'; }
};
