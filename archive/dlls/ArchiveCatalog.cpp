#include "archive/dlls/ArchiveCatalog.h"

#include <cstring>

#include "archive/dlls/ArchivePath.h"
#include "archive/dlls/FileAccess.h"
#include "common/SjisText.h"

namespace {

// Copies at most capacity - 1 bytes, never ending in the middle of a double-byte character.
void CopyText(char* target, size_t capacity, const std::string& text)
{
    size_t length = 0;
    while (length < text.size()) {
        size_t step = sjis::CharLength(text.c_str() + length);
        if (length + step > capacity - 1)
            break;
        length += step;
    }
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

std::string AttributeText(uint8_t attributes)
{
    const char letters[] = "RHS-DA";
    std::string text;
    for (int bit : {0, 1, 2, 4, 5})
        text += (attributes & (1 << bit)) ? letters[bit] : '-';
    return text;
}

}  // namespace

void FillEntry(const ArchiveMember& member, ArchiveEntry& entry)
{
    std::memset(&entry, 0, sizeof entry);
    entry.originalSize = member.originalSize;
    entry.compressedSize = static_cast<uint32_t>(member.packed.size());
    entry.crc = member.crc;
    entry.osType = member.osType;
    uint64_t ratio = member.originalSize ? uint64_t(entry.compressedSize) * 1000 / member.originalSize : 0;
    entry.ratio = static_cast<uint16_t>(ratio > 0xFFFF ? 0xFFFF : ratio);
    entry.dosDate = member.dosDate;
    entry.dosTime = member.dosTime;
    CopyText(entry.fileName, sizeof entry.fileName, member.name);
    CopyText(entry.attribute, sizeof entry.attribute, AttributeText(member.dosAttributes));
    CopyText(entry.mode, sizeof entry.mode, member.method);
}

ArchiveStatus ArchiveCatalog::Open(const std::string& path)
{
    members_.clear();
    std::string bytes;
    if (!fileaccess::ReadWhole(path, bytes))
        return ArchiveStatus::ArchiveMissing;
    return format_.Read(bytes, members_);
}

bool ArchiveCatalog::First(const std::string& wildcard, ArchiveEntry& entry)
{
    wildcard_ = wildcard.empty() ? "*" : archivepath::ToSlashes(wildcard);
    next_ = 0;
    return Next(entry);
}

bool ArchiveCatalog::Next(ArchiveEntry& entry)
{
    while (next_ < members_.size()) {
        const ArchiveMember& member = members_[next_++];
        if (archivepath::Matches(wildcard_, member.name)) {
            FillEntry(member, entry);
            return true;
        }
    }
    return false;
}
