#include "archive/dlls/ZipFormat.h"

#include <zlib.h>

#include "archive/dlls/ByteOrder.h"
#include "archive/dlls/DosTime.h"

namespace {

const uint32_t kLocalSignature = 0x04034B50;
const uint32_t kCentralSignature = 0x02014B50;
const uint32_t kEndSignature = 0x06054B50;
const size_t kEndSize = 22;
const size_t kCentralSize = 46;
const size_t kLocalSize = 30;
const uint16_t kMethodStored = 0;
const uint16_t kMethodDeflate = 8;

long FindEndRecord(const std::string& b)
{
    if (b.size() < kEndSize)
        return -1;
    size_t lowest = b.size() > kEndSize + 65535 ? b.size() - kEndSize - 65535 : 0;
    for (size_t at = b.size() - kEndSize + 1; at-- > lowest;)
        if (bytes::Get32(b, at) == kEndSignature && at + kEndSize + bytes::Get16(b, at + 20) <= b.size())
            return static_cast<long>(at);
    return -1;
}

const char* MethodName(uint16_t method) { return method == kMethodDeflate ? "deflate" : "stored"; }

uint16_t MethodCode(const std::string& name) { return name == "deflate" ? kMethodDeflate : kMethodStored; }

// One central directory record at `at`; false when it does not fit or its data lies
// outside the file.
bool ReadCentralRecord(const std::string& b, size_t& at, ArchiveMember& member)
{
    if (at + kCentralSize > b.size() || bytes::Get32(b, at) != kCentralSignature)
        return false;
    uint16_t method = bytes::Get16(b, at + 10);
    if (method != kMethodStored && method != kMethodDeflate)
        member.method = "unknown";
    else
        member.method = MethodName(method);
    member.zipMadeBy = bytes::Get16(b, at + 4);
    member.zipFlags = bytes::Get16(b, at + 8) & ~0x0008;
    member.dosTime = bytes::Get16(b, at + 12);
    member.dosDate = bytes::Get16(b, at + 14);
    member.crc = bytes::Get32(b, at + 16);
    uint32_t packedSize = bytes::Get32(b, at + 20);
    member.originalSize = bytes::Get32(b, at + 24);
    size_t nameLength = bytes::Get16(b, at + 28);
    size_t extraLength = bytes::Get16(b, at + 30);
    size_t commentLength = bytes::Get16(b, at + 32);
    member.zipExternal = bytes::Get32(b, at + 38);
    member.osType = member.zipMadeBy >> 8;
    size_t localAt = bytes::Get32(b, at + 42);
    size_t recordEnd = at + kCentralSize + nameLength + extraLength + commentLength;
    if (recordEnd > b.size())
        return false;
    member.name = b.substr(at + kCentralSize, nameLength);
    // Only hosts of the DOS family keep DOS attributes in the low byte.
    bool dosFamily = member.osType == 0 || member.osType == 10 || member.osType == 14;
    member.dosAttributes = dosFamily ? static_cast<uint8_t>(member.zipExternal & 0xFF)
                                     : (member.IsFolder() ? 0x10 : 0x20);
    at = recordEnd;
    if (localAt + kLocalSize > b.size() || bytes::Get32(b, localAt) != kLocalSignature)
        return false;
    size_t dataAt = localAt + kLocalSize + bytes::Get16(b, localAt + 26) + bytes::Get16(b, localAt + 28);
    if (dataAt > b.size() || packedSize > b.size() - dataAt)
        return false;
    member.packed = b.substr(dataAt, packedSize);
    member.stamp = dostime::ToStamp(member.dosDate, member.dosTime);
    return true;
}

void PutHeaderFields(std::string& out, const ArchiveMember& member)
{
    uint16_t method = MethodCode(member.method);
    bytes::Put16(out, method == kMethodDeflate || member.IsFolder() ? 20 : 10);
    bytes::Put16(out, member.zipFlags);
    bytes::Put16(out, method);
    bytes::Put16(out, member.dosTime);
    bytes::Put16(out, member.dosDate);
    bytes::Put32(out, member.crc);
    bytes::Put32(out, static_cast<uint32_t>(member.packed.size()));
    bytes::Put32(out, member.originalSize);
    bytes::Put16(out, static_cast<uint32_t>(member.name.size()));
    bytes::Put16(out, 0);
}

bool Inflate(const std::string& packed, uint32_t size, std::string& data)
{
    data.assign(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    char spare;
    stream.next_out = size ? reinterpret_cast<Bytef*>(&data[0]) : reinterpret_cast<Bytef*>(&spare);
    stream.avail_out = size ? size : 1;
    int result = inflate(&stream, Z_FINISH);
    bool ok = result == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    return ok;
}

std::string Deflate(const std::string& data)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string packed(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(&packed[0]);
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

}  // namespace

ArchiveStatus ZipFormat::Read(const std::string& b, std::vector<ArchiveMember>& members) const
{
    members.clear();
    long end = FindEndRecord(b);
    if (end < 0)
        return ArchiveStatus::ArchiveDamaged;
    size_t count = bytes::Get16(b, end + 10);
    size_t at = bytes::Get32(b, end + 16);
    for (size_t i = 0; i < count; ++i) {
        ArchiveMember member;
        if (!ReadCentralRecord(b, at, member)) {
            members.clear();
            return ArchiveStatus::ArchiveDamaged;
        }
        members.push_back(member);
    }
    return ArchiveStatus::Ok;
}

std::string ZipFormat::Write(const std::vector<ArchiveMember>& members) const
{
    std::string out;
    std::string central;
    for (const ArchiveMember& member : members) {
        uint32_t localAt = static_cast<uint32_t>(out.size());
        bytes::Put32(out, kLocalSignature);
        PutHeaderFields(out, member);
        out += member.name;
        out += member.packed;

        bytes::Put32(central, kCentralSignature);
        bytes::Put16(central, member.zipMadeBy);
        PutHeaderFields(central, member);
        bytes::Put16(central, 0);  // comment
        bytes::Put16(central, 0);  // disk
        bytes::Put16(central, 0);  // internal attributes
        bytes::Put32(central, member.zipExternal);
        bytes::Put32(central, localAt);
        central += member.name;
    }
    uint32_t centralAt = static_cast<uint32_t>(out.size());
    out += central;
    bytes::Put32(out, kEndSignature);
    bytes::Put16(out, 0);
    bytes::Put16(out, 0);
    bytes::Put16(out, static_cast<uint32_t>(members.size()));
    bytes::Put16(out, static_cast<uint32_t>(members.size()));
    bytes::Put32(out, static_cast<uint32_t>(central.size()));
    bytes::Put32(out, centralAt);
    bytes::Put16(out, 0);
    return out;
}

void ZipFormat::Pack(const std::string& data, ArchiveMember& member) const
{
    member.originalSize = static_cast<uint32_t>(data.size());
    member.crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    member.zipFlags = 0;
    member.zipMadeBy = 20;  // MS-DOS host: the names are code page bytes, not UTF-8
    member.osType = 0;
    member.zipExternal = member.IsFolder() ? 0x10 : 0x20;
    member.dosAttributes = static_cast<uint8_t>(member.zipExternal);
    if (data.empty()) {
        member.method = "stored";
        member.packed.clear();
        return;
    }
    member.method = "deflate";
    member.packed = Deflate(data);
    // Data that deflating makes larger (short or already packed files) is kept as it is.
    if (member.packed.size() >= data.size()) {
        member.method = "stored";
        member.packed = data;
    }
}

ArchiveStatus ZipFormat::Unpack(const ArchiveMember& member, std::string& data) const
{
    data.clear();
    if (member.zipFlags & 0x0001)
        return ArchiveStatus::Unsupported;  // encrypted
    if (member.method == "stored") {
        if (member.packed.size() != member.originalSize)
            return ArchiveStatus::ArchiveDamaged;
        data = member.packed;
    } else if (member.method == "deflate") {
        // Deflate expands at most about 1032:1; a larger size is a damaged header, not data.
        if (member.originalSize / 1032 > member.packed.size() + 1 || !Inflate(member.packed, member.originalSize, data))
            return ArchiveStatus::ArchiveDamaged;
    } else {
        return ArchiveStatus::Unsupported;
    }
    uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    return crc == member.crc ? ArchiveStatus::Ok : ArchiveStatus::CrcMismatch;
}
