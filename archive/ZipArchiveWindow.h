// "UNZIP32ツール": the archive window over ZipArchive; deletion is never offered.
#pragma once

#include "ArchiveWindow.h"

class ZipArchiveWindow : public ArchiveWindow {
public:
    explicit ZipArchiveWindow(ProfileStore& settings);

protected:
    std::unique_ptr<ArchiveWrapper> CreateArchive(HWND owner) override;
};
