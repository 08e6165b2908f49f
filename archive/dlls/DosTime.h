// MS-DOS date and time words (local time, two-second steps) and their conversion.
#pragma once

#include <cstdint>
#include <ctime>

namespace dostime {

void FromStamp(std::time_t stamp, uint16_t& date, uint16_t& time);
std::time_t ToStamp(uint16_t date, uint16_t time);

}  // namespace dostime
