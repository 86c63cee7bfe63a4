// The header sector: size classes, fields, packing, dates, checksum and parsing.
#include "tests/img_varnok/ImgTestSupport.h"

#include "img_varnok/IMG_BootRecord.h"
#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_FileBuffer.h"

#include <cstring>

namespace
{
std::vector<uint8_t> Bytes(const IMG_BootRecord& record, int offset, int count)
{
    return std::vector<uint8_t>(record.GetBytes() + offset, record.GetBytes() + offset + count);
}

std::string Text(const IMG_BootRecord& record, int offset, int count)
{
    return std::string(reinterpret_cast<const char*>(record.GetBytes()) + offset, count);
}

// A record parsed from a copy of these header bytes.
IMG_BootRecord Parsed(const uint8_t* header)
{
    IMG_FileBuffer buffer(512);
    std::memcpy(buffer.GetData(), header, 512);
    IMG_BootRecord record;
    record.Parse(buffer);
    return record;
}

SYSTEMTIME Moment(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0)
{
    SYSTEMTIME t = {};
    t.wYear = year, t.wMonth = month, t.wDay = day, t.wHour = hour, t.wMinute = minute, t.wSecond = second;
    return t;
}
}

TEST(ImgBootRecord, EveryClassTemplateHasItsGeometryAndCapacity)
{
    const uint32_t kib = 1024;
    const uint32_t blockSizes[] = {2 * kib, 2 * kib, 2 * kib, 2 * kib, 2 * kib, 4 * kib, 8 * kib, 16 * kib,
                                   32 * kib, 64 * kib, 128 * kib, 256 * kib, 512 * kib, 1024 * kib, 2048 * kib};
    for (int c = 0; c < IMG_BootRecord::ClassCount; ++c)
    {
        IMG_BootRecord record(c);
        const IMG_BootRecord::Geometry& g = IMG_BootRecord::GetClassGeometry(c);
        const uint8_t* h = record.GetBytes();
        EXPECT_EQ(c, record.GetSizeClass());
        EXPECT_EQ(g.capacity, record.GetCapacity());
        EXPECT_EQ(g.capacity, uint32_t(g.sectorsPerTrack) * g.heads * g.cylinders) << c;
        EXPECT_EQ(g.capacity, uint32_t(g.totalBlocks) << g.blockExponent) << c;
        EXPECT_EQ(blockSizes[c], record.GetBlockSize()) << c;
        EXPECT_EQ(g.totalBlocks, record.GetTotalBlocks());
        EXPECT_EQ(g.sectorsPerTrack, IMG_GetU16(h + 0x18));
        EXPECT_EQ(g.heads, IMG_GetU16(h + 0x1A));
        EXPECT_EQ(g.cylinders, IMG_GetU16(h + 0x1C));
        EXPECT_EQ(g.heads, IMG_GetU16(h + 0x5D));
        EXPECT_EQ(g.sectorsPerTrack, IMG_GetU16(h + 0x5F));
        EXPECT_EQ(9, h[0x61]);
        EXPECT_EQ(8u, record.GetDirectoryStart());
        EXPECT_EQ("DSKIMG", Text(record, 0x10, 6));
        EXPECT_EQ("QUOREL", Text(record, 0x41, 6));
        EXPECT_EQ(2, h[0x17]);
        EXPECT_EQ(std::string(20, ' '), Text(record, 0x49, 20));
        EXPECT_EQ(std::string(30, ' '), Text(record, 0x65, 30));
        EXPECT_EQ(0xAA55, IMG_GetU16(h + 510));
        EXPECT_EQ(g.capacity, IMG_GetU32(h + 0x1BE + 12));
        EXPECT_EQ(0u, record.GetChecksum());
        EXPECT_EQ(0u, record.GetCreationTime());
        EXPECT_EQ("", record.GetName());
    }
    EXPECT_EQ(2048u, IMG_BootRecord::GetClassGeometry(0).capacity);
    EXPECT_EQ(8388608u, IMG_BootRecord::GetClassGeometry(14).capacity);
    EXPECT_EQ(4, IMG_BootRecord().GetSizeClass());
}

TEST(ImgBootRecord, PartitionEntriesOfTheSmallestAndLargestClass)
{
    const std::vector<uint8_t> class0 = {0x00, 0x00, 0x01, 0x00, 0x00, 0x0F, 0x04, 0x1F,
                                         0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00};
    const std::vector<uint8_t> class14 = {0x00, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xE0, 0xFF,
                                          0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00};
    EXPECT_EQ(class0, Bytes(IMG_BootRecord(0), 0x1BE, 16));
    EXPECT_EQ(class14, Bytes(IMG_BootRecord(14), 0x1BE, 16));
}

TEST(ImgBootRecord, RefusesClassesOutsideTheTableAndKeepsTheHeader)
{
    IMG_BootRecord record(3);
    record.SetName("KEEP");
    const std::vector<uint8_t> before = Bytes(record, 0, 512);
    EXPECT_TRUE(Raises([&] { record.SetSizeClass(15); }, "IMG_BootRecord", 364, 37));
    EXPECT_TRUE(Raises([&] { record.SetSizeClass(-1); }, "IMG_BootRecord", 364, 37));
    EXPECT_TRUE(Raises([&] { record.ChangeSizeClass(15); }, "IMG_BootRecord", 550, 37));
    EXPECT_TRUE(Raises([&] { record.ChangeSizeClass(-1); }, "IMG_BootRecord", 550, 37));
    EXPECT_TRUE(Raises([] { IMG_BootRecord bad(99); }, "IMG_BootRecord", 364, 37));
    EXPECT_EQ(before, Bytes(record, 0, 512));
    EXPECT_EQ(3, record.GetSizeClass());
}

TEST(ImgBootRecord, ChangingClassKeepsTheDescriptiveFieldsOnly)
{
    IMG_BootRecord record(4);
    record.SetName("route map");
    record.SetDescription("Northern sector charts");
    record.SetVersion(2.5f);
    record.SetDate20(3, 14, 2011);
    record.SetDate22(7, 1, 2012);
    record.SetSignature(true);
    record.SetHeaderFlag(true);
    record.StampDate(Moment(2020, 5, 6, 7, 8, 9));
    record.StoreChecksum(0x12345678);
    record.SetValue87(44);
    const std::vector<uint8_t> old = Bytes(record, 0, 512);

    record.ChangeSizeClass(4);  // the same class: nothing at all
    EXPECT_EQ(old, Bytes(record, 0, 512));

    record.ChangeSizeClass(9);
    EXPECT_EQ(9, record.GetSizeClass());
    EXPECT_EQ(64u * 1024, record.GetBlockSize());
    EXPECT_EQ(Bytes(IMG_BootRecord(9), 0x18, 8), Bytes(record, 0x18, 8));
    EXPECT_EQ(Bytes(IMG_BootRecord(9), 0x1BE, 16), Bytes(record, 0x1BE, 16));
    for (int offset : {0x08, 0x09, 0x0E, 0x20, 0x21, 0x22, 0x23})
        EXPECT_EQ(old[offset], record.GetBytes()[offset]) << offset;
    EXPECT_EQ(std::vector<uint8_t>(old.begin() + 0x10, old.begin() + 0x16), Bytes(record, 0x10, 6));
    EXPECT_EQ(std::vector<uint8_t>(old.begin() + 0x30, old.begin() + 0x39), Bytes(record, 0x30, 9));
    EXPECT_EQ(std::vector<uint8_t>(old.begin() + 0x49, old.begin() + 0x5D), Bytes(record, 0x49, 20));
    EXPECT_EQ(std::vector<uint8_t>(old.begin() + 0x65, old.begin() + 0x83), Bytes(record, 0x65, 30));
    EXPECT_TRUE(record.IsDsdSignature());
    EXPECT_TRUE(record.GetHeaderFlag());
    // Stamps, checksum, check byte and the map-entry value come from the template.
    EXPECT_EQ(0, record.GetBytes()[0x0A]);
    EXPECT_EQ(0, record.GetBytes()[0x0B]);
    EXPECT_EQ(0, record.GetBytes()[0x0F]);
    EXPECT_EQ(0u, record.GetCreationTime());
    EXPECT_EQ(0u, record.GetChecksum());
    EXPECT_EQ(0u, record.GetValue87());
}

TEST(ImgBootRecord, ParseFindsTheSmallestClassThatHoldsTheImage)
{
    IMG_BootRecord source(4);
    EXPECT_EQ(4, Parsed(source.GetBytes()).GetSizeClass());  // 2048 blocks, exponent 2

    uint8_t header[512];
    std::memcpy(header, source.GetBytes(), 512);
    IMG_PutU16(header + 0x63, 1000);  // 4000 sectors
    IMG_BootRecord parsed = Parsed(header);
    EXPECT_EQ(2, parsed.GetSizeClass());
    EXPECT_EQ(0, std::memcmp(header, parsed.GetBytes(), 512));  // kept as read, no template applied

    header[0x62] = 34;  // the shift is taken modulo 32
    EXPECT_EQ(2, Parsed(header).GetSizeClass());

    IMG_PutU16(header + 0x63, 2049);
    header[0x62] = 12;  // 8392704 sectors: more than any class
    IMG_BootRecord target;
    IMG_FileBuffer buffer(512);
    std::memcpy(buffer.GetData(), header, 512);
    EXPECT_TRUE(Raises([&] { target.Parse(buffer); }, "IMG_BootRecord", 414, 37));
    IMG_PutU16(header + 0x63, 2048);
    EXPECT_EQ(14, Parsed(header).GetSizeClass());
}

TEST(ImgBootRecord, NamePacksTwelveSixBitCharacters)
{
    IMG_BootRecord record;
    record.SetName("abc");
    EXPECT_EQ("ABC", record.GetName());
    // A, B, C then nine spaces (value 0): 'A' - 32 = 33 = 100001, 'B' = 100010, 'C' = 100011.
    EXPECT_EQ(0x86, record.GetBytes()[0x38]);
    EXPECT_EQ(0x28, record.GetBytes()[0x37]);
    EXPECT_EQ(0xC0, record.GetBytes()[0x36]);
    for (int offset = 0x30; offset < 0x36; ++offset)
        EXPECT_EQ(0, record.GetBytes()[offset]);
    EXPECT_EQ("ABC", Parsed(record.GetBytes()).GetName());

    record.SetName("  twelve chars and more");
    EXPECT_EQ("TWELVE CHA", record.GetName());  // twelve taken, then trimmed
    record.SetName("___________!");
    EXPECT_EQ(0x01, record.GetBytes()[0x30] & 0x3F);  // the twelfth character fills the lowest bits
    EXPECT_EQ("___________!", record.GetName());

    record.SetName(nullptr);
    for (int offset = 0x30; offset < 0x39; ++offset)
        EXPECT_EQ(0, record.GetBytes()[offset]);
    EXPECT_EQ("___________!", record.GetName());  // kept
    EXPECT_EQ("", Parsed(record.GetBytes()).GetName());
}

TEST(ImgBootRecord, DescriptionKeepsFiftyCharactersInTwoFields)
{
    IMG_BootRecord record;
    const std::string sixty = "0123456789abcdefghijABCDEFGHIJKLMNOPQRSTUVWXYZ!@#$%^&*()+-=";
    record.SetDescription(sixty.c_str());
    EXPECT_EQ(sixty.substr(0, 50), record.GetDescription());
    EXPECT_EQ(sixty.substr(0, 20), Text(record, 0x49, 20));
    EXPECT_EQ(sixty.substr(20, 30), Text(record, 0x65, 30));

    record.SetDescription("Coast");
    EXPECT_EQ("Coast", record.GetDescription());
    EXPECT_EQ("Coast" + std::string(15, ' '), Text(record, 0x49, 20));
    EXPECT_EQ(std::string(30, ' '), Text(record, 0x65, 30));
    EXPECT_EQ("Coast", Parsed(record.GetBytes()).GetDescription());

    record.SetDescription(nullptr);
    EXPECT_EQ(std::string(20, ' '), Text(record, 0x49, 20));
    EXPECT_EQ("Coast", record.GetDescription());
}

TEST(ImgBootRecord, VersionDatesAndFlags)
{
    IMG_BootRecord record;
    record.SetVersion(3.05f);
    EXPECT_EQ(3, record.GetBytes()[0x08]);
    EXPECT_EQ(5, record.GetBytes()[0x09]);
    EXPECT_FLOAT_EQ(3.05f, record.GetVersion());

    int month = -1, day = -1, year = -1;
    record.SetDate20(0, 0, 0);
    EXPECT_EQ(0, IMG_GetU16(record.GetBytes() + 0x20));
    record.SetDate20(12, 31, 2009);
    EXPECT_EQ(53129, IMG_GetU16(record.GetBytes() + 0x20));
    record.GetDate20(month, day, year);
    EXPECT_EQ(12, month);
    EXPECT_EQ(31, day);
    EXPECT_EQ(2009, year);
    record.SetDate22(2, 29, 2024);
    record.GetDate22(month, day, year);
    EXPECT_EQ(2, month);
    EXPECT_EQ(29, day);
    EXPECT_EQ(2024, year);
    EXPECT_EQ(53129, IMG_GetU16(record.GetBytes() + 0x20));

    record.SetSignature(true);
    EXPECT_TRUE(record.IsDsdSignature());
    EXPECT_EQ("DSDIMG", Text(record, 0x10, 6));
    record.SetSignature(false);
    EXPECT_FALSE(record.IsDsdSignature());
    EXPECT_EQ("DSKIMG", Text(record, 0x10, 6));

    uint8_t header[512];
    std::memcpy(header, record.GetBytes(), 512);
    header[0x0E] = 0xF0;
    IMG_BootRecord flagged = Parsed(header);
    flagged.SetHeaderFlag(true);
    EXPECT_EQ(0xF1, flagged.GetBytes()[0x0E]);
    EXPECT_TRUE(flagged.GetHeaderFlag());
    flagged.SetHeaderFlag(false);
    EXPECT_EQ(0xF0, flagged.GetBytes()[0x0E]);
}

TEST(ImgBootRecord, FormatMarkerAndMapEntryValue)
{
    uint8_t header[512];
    std::memcpy(header, IMG_BootRecord().GetBytes(), 512);
    header[0x83] = 0;
    IMG_BootRecord record = Parsed(header);
    EXPECT_EQ(0.0, record.GetFormatVersion());
    record.SetValue87(0x01020304);
    EXPECT_EQ(0x01020304u, record.GetValue87());
    EXPECT_EQ(0xDEAD, IMG_GetU16(record.GetBytes() + 0x83));
    EXPECT_DOUBLE_EQ(3.05, record.GetFormatVersion());
}

TEST(ImgBootRecord, TimeValueCountsSecondsSince1990InThirtyOneDayMonths)
{
    IMG_BootRecord record;
    EXPECT_EQ(0u, record.GetCreationTime());
    record.StampDate(Moment(1990, 1, 1));
    EXPECT_EQ(0u, record.GetCreationTime());
    record.StampDate(Moment(1990, 2, 1));
    EXPECT_EQ(2678400u, record.GetCreationTime());
    record.StampDate(Moment(1991, 1, 2, 3, 4, 5));
    EXPECT_EQ(((12u * 31 + 1) * 24 + 3) * 3600 + 4 * 60 + 5, record.GetCreationTime());
}

TEST(ImgBootRecord, WriteStampUsesTheTwoDigitYearWithPivot80)
{
    IMG_BootRecord record;
    record.StampDate(Moment(2009, 12, 31, 23, 58, 57));
    EXPECT_EQ(12, record.GetBytes()[0x0A]);
    EXPECT_EQ(109, record.GetBytes()[0x0B]);
    EXPECT_EQ(2009, IMG_GetU16(record.GetBytes() + 0x39));
    EXPECT_EQ((std::vector<uint8_t>{12, 31, 23, 58, 57}), Bytes(record, 0x3B, 5));
    record.StampDate(Moment(1985, 6, 1));
    EXPECT_EQ(85, record.GetBytes()[0x0B]);
    record.StampDate(Moment(1980, 6, 1));
    EXPECT_EQ(80, record.GetBytes()[0x0B]);
    record.StampDate(Moment(2079, 6, 1));
    EXPECT_EQ(179, record.GetBytes()[0x0B]);

    SYSTEMTIME before, after;
    GetLocalTime(&before);
    record.StampDate();
    GetLocalTime(&after);
    EXPECT_GE(IMG_GetU16(record.GetBytes() + 0x39), before.wYear);
    EXPECT_LE(IMG_GetU16(record.GetBytes() + 0x39), after.wYear);
    EXPECT_NE(0u, record.GetCreationTime());
}

TEST(ImgBootRecord, CheckByteMakesTheWholeByteSumZero)
{
    IMG_BootRecord record(0);
    record.SetName("SUM");
    record.SetDescription("checked");
    record.StampDate(Moment(2021, 4, 5, 6, 7, 8));
    const std::vector<uint8_t> rest = Pattern(3 * 2048 + 777, 5);  // directory and data
    const uint32_t others = record.GetChecksumSum() + SumOf(rest);
    record.StoreChecksum(others);
    EXPECT_EQ(others, record.GetChecksum());
    uint32_t whole = SumOf(Bytes(record, 0, 512)) + SumOf(rest);
    EXPECT_EQ(0u, whole % 256);
    // The checksum sum leaves out the check byte and the checksum itself.
    EXPECT_EQ(others - SumOf(rest), record.GetChecksumSum());
    const uint8_t* b = record.GetBytes() + 0x24;
    EXPECT_EQ((256 - (b[0] + b[0] + b[1] + b[2] + b[3]) % 256) % 256, record.GetBytes()[0x0F]);
}

TEST(ImgBootRecord, RoundTripsThroughABufferPlainAndScrambled)
{
    IMG_BootRecord record(7);
    record.SetName("ROUND TRIP");
    record.SetDescription("Both forms of the header sector");
    record.SetVersion(1.25f);
    record.SetDate22(1, 2, 2003);
    record.SetHeaderFlag(true);
    record.StoreChecksum(0xCAFEF00D);
    for (bool scrambled : {false, true})
    {
        IMG_FileBuffer buffer(600);
        record.CopyTo(buffer);
        EXPECT_EQ(0, buffer.GetData()[599]);
        if (scrambled)
        {
            buffer.Xor();
            EXPECT_NE(0, std::memcmp(buffer.GetData(), record.GetBytes(), 512));
            buffer.Xor();
        }
        IMG_BootRecord back;
        back.Parse(buffer);
        EXPECT_EQ(0, std::memcmp(record.GetBytes(), back.GetBytes(), 512));
        EXPECT_EQ(7, back.GetSizeClass());
        EXPECT_EQ("ROUND TRIP", back.GetName());
        EXPECT_EQ("Both forms of the header sector", back.GetDescription());
        EXPECT_FLOAT_EQ(1.25f, back.GetVersion());
    }
    IMG_FileBuffer small(16);
    record.CopyTo(small);
    EXPECT_EQ(0, std::memcmp(small.GetData(), record.GetBytes(), 16));
}
