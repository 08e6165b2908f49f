#include "archive/dlls/DosTime.h"

namespace dostime {

void FromStamp(std::time_t stamp, uint16_t& date, uint16_t& time)
{
    std::tm parts{};
    const std::tm* local = std::localtime(&stamp);
    if (local)
        parts = *local;
    if (!local || parts.tm_year < 80) {
        date = (0 << 9) | (1 << 5) | 1;
        time = 0;
        return;
    }
    date = static_cast<uint16_t>(((parts.tm_year - 80) << 9) | ((parts.tm_mon + 1) << 5) | parts.tm_mday);
    time = static_cast<uint16_t>((parts.tm_hour << 11) | (parts.tm_min << 5) | (parts.tm_sec / 2));
}

std::time_t ToStamp(uint16_t date, uint16_t time)
{
    std::tm parts{};
    parts.tm_year = (date >> 9) + 80;
    parts.tm_mon = ((date >> 5) & 0x0F) - 1;
    parts.tm_mday = date & 0x1F;
    parts.tm_hour = time >> 11;
    parts.tm_min = (time >> 5) & 0x3F;
    parts.tm_sec = (time & 0x1F) * 2;
    parts.tm_isdst = -1;
    std::time_t stamp = std::mktime(&parts);
    return stamp == static_cast<std::time_t>(-1) ? 0 : stamp;
}

}  // namespace dostime
