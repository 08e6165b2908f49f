#include "HookLog.h"

#include <cstdio>
#include <cstring>

#include "common/SjisText.h"

size_t FormatHookLogLine(const HookLogEntry& entry, char* out)
{
    // Class name and window text are at most 511 bytes each, so the whole line fits here
    // before it is cut.
    char line[2 * kHookLogLineSize + 128];
    char time[32];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d %03d", entry.hour, entry.minute, entry.second,
                  entry.milliseconds);
    int length = std::snprintf(line, sizeof line, "%s:%s:WM_COMMAND:%lu:%u:%u:%lu:%s:%s", time,
                               entry.posted ? "POST" : "SEND", entry.window,
                               static_cast<unsigned>(entry.wParam & 0xFFFFu),
                               static_cast<unsigned>((entry.wParam >> 16) & 0xFFFFu), entry.lParam,
                               entry.className ? entry.className : "", entry.windowText ? entry.windowText : "");
    size_t available = length < 0 ? 0 : static_cast<size_t>(length);
    if (available >= sizeof line)
        available = sizeof line - 1;
    // Room for the line end and the terminating NUL; never half a double-byte character.
    const size_t limit = kHookLogLineSize - 2;
    size_t used = 0;
    while (used < available) {
        size_t n = sjis::CharLength(line + used);
        if (used + n > limit || used + n > available)
            break;
        used += n;
    }
    std::memcpy(out, line, used);
    out[used++] = '\n';
    out[used] = '\0';
    return used;
}

bool HookLogFolder(const char* temporaryPath, char* out, size_t size)
{
    const char* start = temporaryPath ? temporaryPath : "";
    size_t length = std::strlen(start);
    // A closing quote (0x22) can never be a trail byte.
    if (length >= 2 && start[0] == '"' && start[length - 1] == '"') {
        ++start;
        length -= 2;
    }
    bool addSeparator = true;
    if (length > 0) {
        // The last character, found from the start: a trail byte 0x5C is no separator.
        size_t last = 0;
        for (size_t i = 0; i < length; i += sjis::CharLength(start + i))
            last = i;
        addSeparator = !(last == length - 1 && start[last] == '\\');
    }
    size_t needed = length + (addSeparator ? 1 : 0);
    if (needed + 1 > size)
        return false;
    std::memcpy(out, start, length);
    if (addSeparator)
        out[length++] = '\\';
    out[length] = '\0';
    return true;
}

bool HookLogPath(const char* temporaryPath, char* out, size_t size)
{
    if (!HookLogFolder(temporaryPath, out, size))
        return false;
    size_t length = std::strlen(out);
    if (length + sizeof kHookLogName > size)
        return false;
    std::memcpy(out + length, kHookLogName, sizeof kHookLogName);
    return true;
}
