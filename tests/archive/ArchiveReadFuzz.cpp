// Fuzz target for the archive readers and the -lh5- codec. Any bytes read as a ZIP or LZH
// archive must give a result without a crash; an archive that reads must read again, with
// the same packed data, after being written back; unpacking never gives more bytes than
// the member declares. The bytes themselves must come back through -lh5-.
#include <cstdint>
#include <string>
#include <vector>

#include "archive/dlls/Lh5Codec.h"
#include "archive/dlls/LzhFormat.h"
#include "archive/dlls/ZipFormat.h"
#include "fuzz/FuzzSupport.h"

extern const char* const kFuzzDictionary[] = {
    "PK\x03\x04", "PK\x01\x02", "PK\x05\x06", "PK\x07\x08", "-lh5-", "-lh0-", "-lhd-", "\x01", "\x02",
    "\xFF", "\x40", "\x20\x02", "\x20\x01", "\x20\x00", "表", "ソ", nullptr,
};

namespace {

const char kTarget[] = "archive_fuzz";

void CheckFormat(const ArchiveFormat& format, const std::string& input)
{
    std::vector<ArchiveMember> members;
    if (format.Read(input, members) != ArchiveStatus::Ok)
        return;
    for (const ArchiveMember& member : members) {
        std::string data;
        format.Unpack(member, data);
        if (data.size() > member.originalSize)
            fuzz::Fail(kTarget, "unpacked more than the declared size", input);
    }
    std::vector<ArchiveMember> again;
    if (format.Read(format.Write(members), again) != ArchiveStatus::Ok || again.size() != members.size())
        fuzz::Fail(kTarget, "a written archive does not read back", input);
    for (size_t i = 0; i < members.size(); ++i)
        if (again[i].packed != members[i].packed || again[i].crc != members[i].crc ||
            again[i].originalSize != members[i].originalSize)
            fuzz::Fail(kTarget, "a member changed on the way through Write", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    CheckFormat(ZipFormat(), input);
    CheckFormat(LzhFormat(), input);
    std::string decoded;
    lh5::Decode(input, size * 4, decoded);
    if (decoded.size() > size * 4)
        fuzz::Fail(kTarget, "-lh5- decoded past its size", input);
    if (!lh5::Decode(lh5::Encode(input), size, decoded) || decoded != input)
        fuzz::Fail(kTarget, "-lh5- round trip changed the bytes", input);
    return 0;
}
