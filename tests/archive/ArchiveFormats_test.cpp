#include <gtest/gtest.h>

#include <cstdlib>

#include "ArchiveTestSupport.h"
#include "archive/dlls/DosTime.h"
#include "archive/dlls/LzhFormat.h"
#include "archive/dlls/ZipFormat.h"

namespace {

const ZipFormat kZip;
const LzhFormat kLzh;

struct Sample {
    std::string name;
    std::string data;
};

std::vector<Sample> Samples()
{
    return {{"a.txt", TextLines(300)},
            {"フォルダ/表ソ.txt", "①～㈱髙表ソ"},
            {"①～㈱髙表ソ/random.bin", Pseudorandom(3000, 5)},
            {"empty", ""}};
}

std::vector<ArchiveMember> Packed(const ArchiveFormat& format)
{
    std::vector<ArchiveMember> members;
    for (const Sample& sample : Samples()) {
        ArchiveMember member;
        member.name = sample.name;
        member.stamp = 986128496;
        dostime::FromStamp(member.stamp, member.dosDate, member.dosTime);
        format.Pack(sample.data, member);
        members.push_back(member);
    }
    return members;
}

TEST(ArchiveFormats, WrittenArchivesReadBackWithNamesTimesAndData)
{
    struct Case {
        const ArchiveFormat& format;
        const char* packedMethod;
        const char* storedMethod;
        const char* incompressibleMethod;
    } cases[] = {{kZip, "deflate", "stored", "stored"}, {kLzh, "-lh5-", "-lh0-", "-lh0-"}};
    for (const Case& c : cases) {
        std::vector<ArchiveMember> written = Packed(c.format);
        std::vector<ArchiveMember> read;
        ASSERT_EQ(ArchiveStatus::Ok, c.format.Read(c.format.Write(written), read));
        ASSERT_EQ(Samples().size(), read.size());
        for (size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(Samples()[i].name, read[i].name);
            EXPECT_EQ(written[i].dosDate, read[i].dosDate);
            EXPECT_EQ(written[i].dosTime, read[i].dosTime);
            std::string data;
            EXPECT_EQ(ArchiveStatus::Ok, c.format.Unpack(read[i], data)) << read[i].name;
            EXPECT_TRUE(data == Samples()[i].data) << read[i].name;
        }
        EXPECT_EQ(c.packedMethod, read[0].method);
        EXPECT_EQ(c.incompressibleMethod, read[2].method);
        EXPECT_EQ(c.storedMethod, read[3].method);
    }
}

TEST(ArchiveFormats, DamagedArchivesAreRefusedAndBadDataFailsItsCheck)
{
    for (const ArchiveFormat* format : {static_cast<const ArchiveFormat*>(&kZip), static_cast<const ArchiveFormat*>(&kLzh)}) {
        std::vector<ArchiveMember> written = Packed(*format);
        std::string archive = format->Write(written);
        std::vector<ArchiveMember> read;
        for (size_t cut = 1; cut + 1 < archive.size(); cut += 5) {
            ArchiveStatus status = format->Read(archive.substr(0, cut), read);
            if (status == ArchiveStatus::Ok)
                for (const ArchiveMember& member : read) {
                    std::string data;
                    format->Unpack(member, data);
                }
        }
        EXPECT_EQ(ArchiveStatus::ArchiveDamaged, format->Read("", read));
        EXPECT_EQ(ArchiveStatus::ArchiveDamaged, format->Read("this is no archive at all, only text", read));

        ArchiveMember changed = written[2];
        changed.packed[changed.packed.size() / 2] ^= 0x01;
        std::string data;
        EXPECT_EQ(ArchiveStatus::CrcMismatch, format->Unpack(changed, data));
        ArchiveMember huge = written[0];
        huge.originalSize = 0xFFFFFFF0u;
        EXPECT_NE(ArchiveStatus::Ok, format->Unpack(huge, data));
    }
}

TEST(ArchiveFormats, HeaderFieldsPointingPastTheirRecordsAreRefused)
{
    std::vector<ArchiveMember> members = Packed(kLzh);
    std::string lzh = kLzh.Write({members[0]});
    std::vector<ArchiveMember> read;
    for (size_t field : {size_t(0), size_t(7), size_t(24)}) {  // header size, packed size, first extended header
        std::string damaged = lzh;
        damaged[field] = static_cast<char>(0xF0);
        damaged[field + 1] = static_cast<char>(0xFF);
        EXPECT_EQ(ArchiveStatus::ArchiveDamaged, kLzh.Read(damaged, read)) << field;
    }
    std::string zip = kZip.Write(Packed(kZip));
    size_t end = zip.size() - 22;
    for (size_t field : {end + 10, end + 16}) {  // entry count, central directory offset
        std::string damaged = zip;
        damaged[field] = static_cast<char>(0x70);
        EXPECT_EQ(ArchiveStatus::ArchiveDamaged, kZip.Read(damaged, read)) << field;
    }
    std::string localName = zip;
    localName[26] = static_cast<char>(0xFF);  // first member's name length in its local header
    localName[27] = static_cast<char>(0xFF);
    EXPECT_EQ(ArchiveStatus::ArchiveDamaged, kZip.Read(localName, read));
}

// Made by an independent LZH encoder (levels 0, 1 and 2, -lh5- and -lh0-) from
// a.txt, r.bin and d/表ソ.txt dated 2001-04-01 12:34:56 UTC.
TEST(LzhFormat, ReadsHeaderLevelsZeroOneAndTwoOfAnotherEncoder)
{
    std::string expected[] = {std::string(), Pseudorandom(200, 12345), TextLines(300)};
    for (int i = 0; i < 40; ++i)
        expected[0] += "hello hello hello hello world\n";
    const char* names[] = {"a.txt", "r.bin", "d/表ソ.txt"};
    const char* methods[] = {"-lh5-", "-lh0-", "-lh5-"};
    for (const char* fixture : {"jlha-level0.lzh", "jlha-level1.lzh", "jlha-level2.lzh"}) {
        std::vector<ArchiveMember> members;
        ASSERT_EQ(ArchiveStatus::Ok, kLzh.Read(FixtureBytes(fixture), members)) << fixture;
        ASSERT_EQ(3u, members.size()) << fixture;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(names[i], members[i].name) << fixture;
            EXPECT_EQ(methods[i], members[i].method) << fixture;
            std::string data;
            EXPECT_EQ(ArchiveStatus::Ok, kLzh.Unpack(members[i], data)) << fixture << " " << names[i];
            EXPECT_TRUE(data == expected[i]) << fixture << " " << names[i];
        }
        if (std::string(fixture) == "jlha-level2.lzh") {
            EXPECT_EQ(986128496, members[0].stamp);
        } else {
            EXPECT_EQ((21 << 9) | (4 << 5) | 1, members[0].dosDate) << fixture;
            EXPECT_EQ((12 << 11) | (34 << 5) | 28, members[0].dosTime) << fixture;
        }
    }
}

}  // namespace
