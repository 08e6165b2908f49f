// ZIP archives: the central directory read (data descriptors and extra fields tolerated,
// stored and deflated data), written back with deflated data (stored when empty).
// Names are kept as the bytes they are (Shift_JIS in practice).
#pragma once

#include "archive/dlls/ArchiveFormat.h"

class ZipFormat : public ArchiveFormat {
public:
    ArchiveStatus Read(const std::string& bytes, std::vector<ArchiveMember>& members) const override;
    std::string Write(const std::vector<ArchiveMember>& members) const override;
    void Pack(const std::string& data, ArchiveMember& member) const override;
    ArchiveStatus Unpack(const ArchiveMember& member, std::string& data) const override;
};
