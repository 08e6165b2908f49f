// What the command and listing code needs of an archive format: reading all members,
// writing them back, and packing or unpacking one member's data.
#pragma once

#include <string>
#include <vector>

#include "archive/dlls/ArchiveMember.h"
#include "archive/dlls/ArchiveStatus.h"

class ArchiveFormat {
public:
    virtual ~ArchiveFormat() = default;
    virtual ArchiveStatus Read(const std::string& bytes, std::vector<ArchiveMember>& members) const = 0;
    virtual std::string Write(const std::vector<ArchiveMember>& members) const = 0;
    // Fills packed, method, originalSize and crc of a member whose name and time are set.
    virtual void Pack(const std::string& data, ArchiveMember& member) const = 0;
    virtual ArchiveStatus Unpack(const ArchiveMember& member, std::string& data) const = 0;
};
