// The table of contents of one open archive, handed out entry by entry in the record the
// DLLs' FindFirst/FindNext fill.
#pragma once

#include <string>
#include <vector>

#include "archive/dlls/ArchiveEntry.h"
#include "archive/dlls/ArchiveFormat.h"

class ArchiveCatalog {
public:
    explicit ArchiveCatalog(const ArchiveFormat& format) : format_(format) {}
    ArchiveStatus Open(const std::string& path);
    // True when an entry matching the wildcard (empty: every entry) was delivered.
    bool First(const std::string& wildcard, ArchiveEntry& entry);
    bool Next(ArchiveEntry& entry);

private:
    const ArchiveFormat& format_;
    std::vector<ArchiveMember> members_;
    std::string wildcard_;
    size_t next_ = 0;
};

void FillEntry(const ArchiveMember& member, ArchiveEntry& entry);
