#include "archive/dlls/LzhFormat.h"

#include "archive/dlls/ArchivePath.h"
#include "archive/dlls/ByteOrder.h"
#include "archive/dlls/Crc16.h"
#include "archive/dlls/DosTime.h"
#include "archive/dlls/Lh5Codec.h"

#include <utility>
#include <vector>

namespace {

const uint8_t kExtendedCommon = 0x00;
const uint8_t kExtendedFileName = 0x01;
const uint8_t kExtendedFolder = 0x02;
const uint8_t kExtendedAttributes = 0x40;
const char kPathMark = static_cast<char>(0xFF);
const size_t kLevel01Base = 22;  // up to the name
const size_t kLevel2Base = 26;  // up to the first extended header

enum class HeaderResult { Member, End, Damaged };

uint32_t OsTypeOf(char id)
{
    switch (id) {
    case 'U': return 3;
    case 'w': case 'W': return 10;
    default: return 0;
    }
}

// Folder parts of LZH names are separated by 0xFF (and, from DOS tools, by '\\').
std::string NameFromArchive(std::string name)
{
    for (char& c : name)
        if (c == kPathMark)
            c = '/';
    return archivepath::ToSlashes(name);
}

struct ExtendedFields {
    std::string fileName;
    std::string folder;
    bool hasFileName = false;
};

// The chain of extended headers at `at` (each: type, data, size of the next one). Returns
// their total size, or -1 when one does not fit below `limit`.
long ReadExtended(const std::string& b, size_t at, size_t size, size_t limit, ArchiveMember& member,
                  ExtendedFields& fields)
{
    size_t total = 0;
    while (size != 0) {
        if (size < 3 || at + size > limit)
            return -1;
        uint8_t type = static_cast<uint8_t>(b[at]);
        std::string data = b.substr(at + 1, size - 3);
        if (type == kExtendedFileName) {
            fields.fileName = data;
            fields.hasFileName = true;
        } else if (type == kExtendedFolder) {
            fields.folder = data;
        } else if (type == kExtendedAttributes && data.size() >= 2) {
            member.dosAttributes = static_cast<uint8_t>(bytes::Get16(data, 0));
        }
        size_t next = bytes::Get16(b, at + size - 2);
        at += size;
        total += size;
        size = next;
    }
    return static_cast<long>(total);
}

void FinishName(ArchiveMember& member, const std::string& baseName, const ExtendedFields& fields)
{
    std::string name = fields.hasFileName ? fields.fileName : baseName;
    std::string folder = NameFromArchive(fields.folder);
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    member.name = folder + NameFromArchive(name);
    if (member.method == "-lhd-" && !member.name.empty() && member.name.back() != '/')
        member.name += '/';
}

bool ChecksumMatches(const std::string& b, size_t at, size_t size)
{
    unsigned sum = 0;
    for (size_t i = 0; i < size; ++i)
        sum += static_cast<unsigned char>(b[at + 2 + i]);
    return (sum & 0xFF) == static_cast<unsigned char>(b[at + 1]);
}

void ReadCommonFields(const std::string& b, size_t at, ArchiveMember& member, uint32_t& packedSize)
{
    member.method = b.substr(at + 2, 5);
    packedSize = bytes::Get32(b, at + 7);
    member.originalSize = bytes::Get32(b, at + 11);
}

HeaderResult ReadLevel01(const std::string& b, size_t& at, ArchiveMember& member)
{
    size_t headerSize = static_cast<unsigned char>(b[at]);
    int level = b[at + 20];
    size_t nameLength = static_cast<unsigned char>(b[at + 21]);
    size_t baseEnd = at + 2 + headerSize;
    size_t needed = kLevel01Base + nameLength + 2 + (level == 1 ? 3 : 0);
    if (baseEnd > b.size() || headerSize + 2 < needed || !ChecksumMatches(b, at, headerSize))
        return HeaderResult::Damaged;
    uint32_t packedSize;
    ReadCommonFields(b, at, member, packedSize);
    member.dosTime = bytes::Get16(b, at + 15);
    member.dosDate = bytes::Get16(b, at + 17);
    member.stamp = dostime::ToStamp(member.dosDate, member.dosTime);
    member.dosAttributes = static_cast<uint8_t>(b[at + 19]);
    std::string baseName = b.substr(at + kLevel01Base, nameLength);
    member.crc = bytes::Get16(b, at + kLevel01Base + nameLength);
    ExtendedFields fields;
    size_t dataAt = baseEnd;
    if (level == 1) {
        member.osType = OsTypeOf(b[at + kLevel01Base + nameLength + 2]);
        long extended = ReadExtended(b, baseEnd, bytes::Get16(b, baseEnd - 2), b.size(), member, fields);
        if (extended < 0 || static_cast<uint32_t>(extended) > packedSize)
            return HeaderResult::Damaged;
        packedSize -= static_cast<uint32_t>(extended);
        dataAt += extended;
    }
    if (dataAt > b.size() || packedSize > b.size() - dataAt)
        return HeaderResult::Damaged;
    FinishName(member, baseName, fields);
    member.packed = b.substr(dataAt, packedSize);
    at = dataAt + packedSize;
    return HeaderResult::Member;
}

HeaderResult ReadLevel2(const std::string& b, size_t& at, ArchiveMember& member)
{
    size_t headerSize = bytes::Get16(b, at);
    if (headerSize < kLevel2Base || at + headerSize > b.size())
        return HeaderResult::Damaged;
    uint32_t packedSize;
    ReadCommonFields(b, at, member, packedSize);
    member.stamp = static_cast<std::time_t>(bytes::Get32(b, at + 15));
    dostime::FromStamp(member.stamp, member.dosDate, member.dosTime);
    member.crc = bytes::Get16(b, at + 21);
    member.osType = OsTypeOf(b[at + 23]);
    ExtendedFields fields;
    if (ReadExtended(b, at + kLevel2Base, bytes::Get16(b, at + 24), at + headerSize, member, fields) < 0)
        return HeaderResult::Damaged;
    size_t dataAt = at + headerSize;
    if (packedSize > b.size() - dataAt)
        return HeaderResult::Damaged;
    FinishName(member, std::string(), fields);
    member.packed = b.substr(dataAt, packedSize);
    at = dataAt + packedSize;
    return HeaderResult::Member;
}

HeaderResult ReadHeader(const std::string& b, size_t& at, ArchiveMember& member)
{
    if (at >= b.size() || b[at] == 0)
        return HeaderResult::End;
    if (at + kLevel01Base > b.size())
        return HeaderResult::Damaged;
    if (b[at + 2] != '-' || b[at + 6] != '-')
        return HeaderResult::Damaged;
    switch (b[at + 20]) {
    case 0:
    case 1: return ReadLevel01(b, at, member);
    case 2: return ReadLevel2(b, at, member);
    default: return HeaderResult::Damaged;
    }
}

void PutExtended(std::string& header, uint8_t type, const std::string& data)
{
    header.push_back(static_cast<char>(type));
    header += data;
    bytes::Put16(header, 0);  // size of the next one, patched by the caller
}

std::string Level2Header(const ArchiveMember& member)
{
    std::string folder, fileName = member.name;
    std::string plain = member.IsFolder() ? member.name.substr(0, member.name.size() - 1) : member.name;
    size_t slash = plain.rfind('/');  // '/' is never a trail byte
    if (member.IsFolder()) {
        folder = member.name;
        fileName.clear();
    } else if (slash != std::string::npos) {
        folder = plain.substr(0, slash + 1);
        fileName = plain.substr(slash + 1);
    }
    for (char& c : folder)
        if (c == '/')
            c = kPathMark;

    std::string header;
    bytes::Put16(header, 0);
    header += member.method.substr(0, 5);
    bytes::Put32(header, static_cast<uint32_t>(member.packed.size()));
    bytes::Put32(header, member.originalSize);
    bytes::Put32(header, static_cast<uint32_t>(member.stamp));
    header.push_back(0x20);
    header.push_back(2);
    bytes::Put16(header, member.crc);
    header.push_back('M');
    std::string attributes;
    bytes::Put16(attributes, member.dosAttributes);
    size_t commonAt = header.size() + 2;
    std::vector<std::pair<uint8_t, std::string>> parts = {
        {kExtendedCommon, std::string(2, '\0')}, {kExtendedFileName, fileName}};
    if (!folder.empty())
        parts.push_back({kExtendedFolder, folder});
    parts.push_back({kExtendedAttributes, attributes});
    bytes::Put16(header, static_cast<uint32_t>(parts[0].second.size() + 3));
    for (size_t i = 0; i < parts.size(); ++i) {
        PutExtended(header, parts[i].first, parts[i].second);
        if (i + 1 < parts.size()) {
            uint32_t next = static_cast<uint32_t>(parts[i + 1].second.size() + 3);
            header[header.size() - 2] = static_cast<char>(next & 0xFF);
            header[header.size() - 1] = static_cast<char>(next >> 8);
        }
    }
    // A first byte of 0 would read as the end of the archive.
    if ((header.size() & 0xFF) == 0)
        header.push_back('\0');
    header[0] = static_cast<char>(header.size() & 0xFF);
    header[1] = static_cast<char>(header.size() >> 8);
    uint16_t headerCrc = Crc16(header);
    header[commonAt + 1] = static_cast<char>(headerCrc & 0xFF);
    header[commonAt + 2] = static_cast<char>(headerCrc >> 8);
    return header;
}

}  // namespace

ArchiveStatus LzhFormat::Read(const std::string& b, std::vector<ArchiveMember>& members) const
{
    members.clear();
    size_t at = 0;
    for (;;) {
        ArchiveMember member;
        HeaderResult result = ReadHeader(b, at, member);
        if (result == HeaderResult::End)
            break;
        if (result == HeaderResult::Damaged) {
            members.clear();
            return ArchiveStatus::ArchiveDamaged;
        }
        members.push_back(member);
    }
    // An empty file is no archive; an archive of no members is its end mark alone.
    return b.empty() ? ArchiveStatus::ArchiveDamaged : ArchiveStatus::Ok;
}

std::string LzhFormat::Write(const std::vector<ArchiveMember>& members) const
{
    std::string out;
    for (const ArchiveMember& member : members) {
        out += Level2Header(member);
        out += member.packed;
    }
    out.push_back('\0');
    return out;
}

void LzhFormat::Pack(const std::string& data, ArchiveMember& member) const
{
    member.originalSize = static_cast<uint32_t>(data.size());
    member.crc = Crc16(data);
    member.osType = 0;
    member.dosAttributes = member.IsFolder() ? 0x10 : 0x20;
    if (member.IsFolder()) {
        member.method = "-lhd-";
        member.packed.clear();
        return;
    }
    member.packed = data.empty() ? std::string() : lh5::Encode(data);
    member.method = "-lh5-";
    if (data.empty() || member.packed.size() >= data.size()) {
        member.method = "-lh0-";
        member.packed = data;
    }
}

ArchiveStatus LzhFormat::Unpack(const ArchiveMember& member, std::string& data) const
{
    data.clear();
    if (member.method == "-lhd-")
        return ArchiveStatus::Ok;
    if (member.method == "-lh0-") {
        if (member.packed.size() != member.originalSize)
            return ArchiveStatus::ArchiveDamaged;
        data = member.packed;
    } else if (member.method == "-lh5-") {
        // A code of one bit yields at most 256 bytes; a larger size is a damaged header.
        if (member.originalSize / 2048 > member.packed.size() + 1 ||
            !lh5::Decode(member.packed, member.originalSize, data))
            return ArchiveStatus::ArchiveDamaged;
    } else {
        return ArchiveStatus::Unsupported;
    }
    return Crc16(data) == member.crc ? ArchiveStatus::Ok : ArchiveStatus::CrcMismatch;
}
