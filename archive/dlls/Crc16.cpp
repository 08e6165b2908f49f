#include "archive/dlls/Crc16.h"

namespace {

struct Crc16Table {
    uint16_t entries[256];
    Crc16Table()
    {
        for (unsigned i = 0; i < 256; ++i) {
            unsigned value = i;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 1) ? (value >> 1) ^ 0xA001 : value >> 1;
            entries[i] = static_cast<uint16_t>(value);
        }
    }
};

}  // namespace

uint16_t Crc16(const std::string& bytes, uint16_t crc)
{
    static const Crc16Table table;
    for (unsigned char c : bytes)
        crc = static_cast<uint16_t>(table.entries[(crc ^ c) & 0xFF] ^ (crc >> 8));
    return crc;
}
