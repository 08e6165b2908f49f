#include "FileDialogRules.h"

#include <cstring>

#include "SjisText.h"

namespace filedialog {

const char kDefaultFilter[] = "全て,*.*";
const char kOpenTitle[] = "ファイルのパスの取得";
const char kSaveTitle[] = "保存ファイルのパスの取得";

size_t BuildFilter(const char* filter, char* buffer)
{
    if (!filter || !*filter)
        filter = kDefaultFilter;
    std::memset(buffer, 0, kFilterBufferSize);
    // Two bytes stay NUL: the end of the last part and the end of the list.
    const size_t room = kFilterBufferSize - 2;
    size_t used = 0;
    for (const char* p = filter; *p;) {
        size_t length = sjis::CharLength(p);
        if (used + length > room)
            break;
        if (length == 1 && *p == ',')
            buffer[used] = '\0';
        else
            std::memcpy(buffer + used, p, length);
        used += length;
        p += length;
    }
    return used;
}

const char* TitleOrDefault(const char* title, bool save)
{
    if (title && *title)
        return title;
    return save ? kSaveTitle : kOpenTitle;
}

unsigned long FlagsOrDefault(unsigned long flags, bool save)
{
    if (flags != 0)
        return flags;
    return (save ? kOverwritePrompt : kFileMustExist) | kFolderKept | kReadOnlyHidden;
}

unsigned long FilterIndexOrDefault(unsigned long index) { return index == 0 ? 1 : index; }

}  // namespace filedialog
