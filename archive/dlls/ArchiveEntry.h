// The entry record that the archiver DLLs' FindFirst/FindNext fill, laid out byte for byte
// as the callers read it (packed, little-endian).
#pragma once

#include <cstdint>

#pragma pack(push, 1)
struct ArchiveEntry {
    uint32_t originalSize;
    uint32_t compressedSize;
    uint32_t crc;
    uint32_t flag;
    uint32_t osType;
    uint16_t ratio;  // compressed / original in per mille
    uint16_t dosDate;
    uint16_t dosTime;
    char fileName[513];  // NUL-terminated, "/" between folders
    char filler[3];
    char attribute[8];
    char mode[8];
};
#pragma pack(pop)

static_assert(sizeof(ArchiveEntry) == 558, "callers read the record with this exact size");
