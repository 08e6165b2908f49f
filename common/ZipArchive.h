// ZIP archives: listed and extracted through "UNZIP32.DLL", added to and deleted from
// through "ZIP32J.DLL".
#pragma once

#include "ArchiveWrapper.h"

class ZipArchive : public ArchiveWrapper {
public:
    explicit ZipArchive(HWND owner);
};
