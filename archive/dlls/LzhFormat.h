// LZH archives: headers of levels 0, 1 and 2 read, with -lh0- (stored), -lh5- and -lhd-
// (folder) members; written with level-2 headers and -lh5- (-lh0- when packing does not
// help). Names are Shift_JIS bytes.
#pragma once

#include "archive/dlls/ArchiveFormat.h"

class LzhFormat : public ArchiveFormat {
public:
    ArchiveStatus Read(const std::string& bytes, std::vector<ArchiveMember>& members) const override;
    std::string Write(const std::vector<ArchiveMember>& members) const override;
    void Pack(const std::string& data, ArchiveMember& member) const override;
    ArchiveStatus Unpack(const ArchiveMember& member, std::string& data) const override;
};
