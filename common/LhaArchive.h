// LZH archives through "UNLHA32.DLL".
#pragma once

#include "ArchiveWrapper.h"

class LhaArchive : public ArchiveWrapper {
public:
    explicit LhaArchive(HWND owner);
};
