// The archive windows' decisions that need no window: the standard placement, the file list
// made from a multi-selection file dialog's buffer, the text of the context menu's "開く"
// and which drops open an archive. Built by both toolchains.
#pragma once

#include <cstddef>

#include "common/VornString.h"

struct ArchivePlacement {
    int x, y, width, height;
};
// x 100, y 10 % of the desktop height, 70 % x 60 % of the desktop (products truncated).
ArchivePlacement StandardArchivePlacement(int desktopWidth, int desktopHeight);

// The dialog's buffer (NUL-separated: one path, or the folder and then the names) as a
// tab-separated list of full paths; folder gets the folder to remember.
VornString ChosenFilesList(const char* buffer, size_t size, VornString& folder);

// The context menu's "開く" for an entry: program is the associated program ("" when none).
VornString OpenItemText(const char* extension, const char* program, bool& enabled);

// True when the one dropped path has the extension (with its dot), ignoring case.
bool OpensArchive(const char* path, const char* extension);
