#include "ArchiveWindowRules.h"

#include <vector>

#include "common/ArchiveText.h"

ArchivePlacement StandardArchivePlacement(int desktopWidth, int desktopHeight)
{
    ArchivePlacement place;
    place.x = 100;
    // Integer shares: 1280 * 0.7 in floating point truncates to 895 with x87 precision.
    place.y = desktopHeight * 10 / 100;
    place.width = desktopWidth * 70 / 100;
    place.height = desktopHeight * 60 / 100;
    return place;
}

VornString ChosenFilesList(const char* buffer, size_t size, VornString& folder)
{
    folder = buffer;
    // One path: its folder is remembered; several: the buffer begins with the folder.
    VornString joined;
    for (size_t i = 0; i < size && !(buffer[i] == '\0' && (i + 1 >= size || buffer[i + 1] == '\0')); ++i)
        joined.Append(buffer[i] == '\0' ? '\t' : buffer[i]);
    std::vector<VornString> fields = SplitTabList(joined);
    if (fields.size() <= 1) {
        folder.RemoveFileSpec();
        return joined;
    }
    VornString list;
    for (size_t i = 1; i < fields.size(); ++i) {
        if (i > 1)
            list.Append('\t');
        list.Append(fields[0]);
        list.Append("\\");
        list.Append(fields[i]);
    }
    return list;
}

VornString OpenItemText(const char* extension, const char* program, bool& enabled)
{
    VornString ext(extension);
    if (ext.EqualsIgnoreCase(".exe")) {
        enabled = false;
        return VornString("プログラムの実行は解凍して行なって下さい");
    }
    if (!program || !*program) {
        enabled = false;
        return VornString("開けません");
    }
    enabled = true;
    VornString text(program);
    text.StripPath();
    text.Append(" で開く");
    return text;
}

bool OpensArchive(const char* path, const char* extension)
{
    return VornString(path).FindExtension().EqualsIgnoreCase(extension);
}
