// "UNLHA32ツール": the archive window over LhaArchive; it alone deletes entries.
#pragma once

#include "ArchiveWindow.h"

class LhaArchiveWindow : public ArchiveWindow {
public:
    explicit LhaArchiveWindow(ProfileStore& settings);

protected:
    std::unique_ptr<ArchiveWrapper> CreateArchive(HWND owner) override;
};
