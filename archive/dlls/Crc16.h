// The CRC-16 of LZH archives (polynomial 0x8005, reflected, initial value 0).
#pragma once

#include <cstdint>
#include <string>

uint16_t Crc16(const std::string& bytes, uint16_t crc = 0);
