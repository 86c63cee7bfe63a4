// Damaged and random header sectors and directory entries: parsing only ever
// raises IMG_Exception, and never takes long.
#include "tests/img_varnok/ImgTestSupport.h"

#include "img_varnok/IMG_AllocationTable.h"
#include "img_varnok/IMG_BootRecord.h"
#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_FileBuffer.h"
#include "img_varnok/IMG_FileDescriptor.h"
#include "img_varnok/IMG_FileIO.h"

#include <cstring>
#include <random>
#include <set>

namespace
{
// A sector that is random, a valid header with a few bytes changed, or a valid
// header with its geometry, name and description fields made up.
void DamagedSector(std::mt19937& random, int kind, uint8_t* sector)
{
    if (kind == 0)
    {
        for (int i = 0; i < 512; ++i)
            sector[i] = static_cast<uint8_t>(random());
        return;
    }
    IMG_BootRecord valid(random() % IMG_BootRecord::ClassCount);
    valid.SetName("VALID NAME");
    valid.SetDescription("A description that fills both fields of the header");
    std::memcpy(sector, valid.GetBytes(), 512);
    if (kind == 1)
    {
        for (int n = 1 + random() % 8; n > 0; --n)
            sector[random() % 512] = static_cast<uint8_t>(random());
        return;
    }
    for (int offset : {0x08, 0x09, 0x0E, 0x20, 0x21, 0x39, 0x3A, 0x3B, 0x3C, 0x40, 0x61, 0x62, 0x63, 0x64, 0x83,
                       0x84, 0x85, 0x86})
        sector[offset] = static_cast<uint8_t>(random());
    for (int offset = 0x30; offset < 0x39; ++offset)
        sector[offset] = static_cast<uint8_t>(random());
    sector[0x49 + random() % 20] = static_cast<uint8_t>(random() % 3 == 0 ? 0 : random());
}

// Every reading of a parsed header, each checked against the sector's bytes,
// and a change of class.
void UseHeader(IMG_BootRecord& record, const uint8_t* sector, std::mt19937& random)
{
    EXPECT_LT(record.GetSizeClass(), IMG_BootRecord::ClassCount);
    const uint32_t sectors = static_cast<uint32_t>(record.GetTotalBlocks()) << (record.GetBlockExponent() & 31);
    EXPECT_GE(record.GetCapacity(), sectors);
    EXPECT_LE(record.GetName().size(), 12u);
    EXPECT_LE(record.GetDescription().size(), 50u);
    const uint32_t blockSize = record.GetBlockSize();
    EXPECT_TRUE(blockSize != 0 && (blockSize & (blockSize - 1)) == 0);
    for (int at : {0x20, 0x22})
    {
        const uint16_t packed = IMG_GetU16(sector + at);
        int m, d, y;
        if (at == 0x20)
            record.GetDate20(m, d, y);
        else
            record.GetDate22(m, d, y);
        EXPECT_EQ(packed >> 12, m);
        EXPECT_EQ(packed >> 7 & 31, d);
        EXPECT_EQ((packed & 0x7F) + 2000, y);
    }
    const uint32_t year = IMG_GetU16(sector + 0x39);
    const uint32_t seconds = ((((((year - 1990) * 12 + sector[0x3B] - 1) * 31 + sector[0x3C] - 1) * 24 + sector[0x3D]) *
                                 60 + sector[0x3E]) * 60 + sector[0x3F]);
    EXPECT_EQ(year == 0 ? 0 : seconds, record.GetCreationTime());
    const bool marked = IMG_GetU16(sector + 0x83) == 0xDEAD;
    EXPECT_DOUBLE_EQ(marked ? sector[0x85] + sector[0x86] / 100.0 : 0.0, record.GetFormatVersion());
    EXPECT_FLOAT_EQ(sector[0x08] + sector[0x09] / 100.0f, record.GetVersion());
    EXPECT_EQ(IMG_GetU32(sector + 0x87), record.GetValue87());
    uint32_t sum = 0;
    for (int i = 0; i < 512; ++i)
        sum += i == 0x0F || (i >= 0x24 && i < 0x28) ? 0 : sector[i];
    EXPECT_EQ(sum, record.GetChecksumSum());
    EXPECT_EQ(std::memcmp(sector + 0x10, "DSDIMG", 6) == 0, record.IsDsdSignature());
    record.ChangeSizeClass(static_cast<int>(random() % 17) - 1);
}

// A directory entry: random, a valid one with bytes changed, or one with random block numbers.
IMG_EntryPtr DamagedEntry(std::mt19937& random, int kind)
{
    IMG_EntryPtr entry = IMG_FileDescriptor::NewEntry();
    uint8_t* bytes = entry.Get();
    if (kind == 0)
    {
        for (uint32_t i = 0; i < IMG_FileDescriptor::EntrySize; ++i)
            bytes[i] = static_cast<uint8_t>(random());
        return entry;
    }
    std::vector<IMG_EntryPtr> valid = IMG_FileDescriptor::MakeDirectoryEntries(1 + random() % 300, 512);
    std::memcpy(bytes, valid.back().Get(), IMG_FileDescriptor::EntrySize);
    const int changes = kind == 1 ? 1 + random() % 6 : 40;
    for (int n = changes; n > 0; --n)
    {
        const uint32_t at = kind == 1 ? random() % 512 : 0x20 + random() % 480;
        bytes[at] = static_cast<uint8_t>(random());
    }
    return entry;
}
}

TEST(ImgDamagedInput, HeaderSectorsOnlyRaiseTheLibrarysException)
{
    std::mt19937 random(20240601);
    std::set<int> codes;
    int parsed = 0;
    const int runs = 20000;
    for (int i = 0; i < runs; ++i) {
        IMG_FileBuffer buffer(512);
        DamagedSector(random, i % 3, buffer.GetData());
        if (i % 5 == 0)
            buffer.Xor();  // a scrambled sector read without unscrambling
        IMG_BootRecord record;
        try
        {
            record.Parse(buffer);
            ++parsed;
            IMG_FileBuffer copy(512);
            record.CopyTo(copy);
            EXPECT_EQ(0, std::memcmp(copy.GetData(), buffer.GetData(), 512));
            UseHeader(record, buffer.GetData(), random);
        }
        catch (const IMG_Exception& e)
        {
            codes.insert(e.GetCode());
        }
    }
    EXPECT_GT(parsed, runs / 4);
    for (int code : codes)
        EXPECT_EQ(37, code);
}

TEST(ImgDamagedInput, DirectoryEntriesOnlyRaiseTheLibrarysException)
{
    std::mt19937 random(77);
    std::set<int> codes;
    int built = 0;
    const int runs = 10000;
    for (int i = 0; i < runs; ++i) {
        std::vector<IMG_EntryPtr> entries;
        for (int n = 1 + random() % 3; n > 0; --n)
            entries.push_back(DamagedEntry(random, i % 3));
        const uint32_t blockSize = random() % 10 == 0 ? 0 : 1u << (random() % 32);
        try
        {
            IMG_FileDescriptor file(random() % 20 == 0 ? nullptr : "damaged.img", blockSize, i % 2 == 0, entries);
            ++built;
            EXPECT_EQ(12u, file.GetFullName().size());
            std::vector<uint32_t> blocks;
            file.GetBlocks(blocks);
            EXPECT_LE(blocks.size(), entries.size() * IMG_FileDescriptor::BlocksPerEntry);
            file.GetSize();
            file.IsDirectoryFile();
            file.SetFileFlag(!file.GetFileFlag());
            IMG_AllocationTable table;
            table.Init(random() % 0x10000, random() % 16);
            for (uint32_t block : blocks)
                table.MarkUsed(block);
        }
        catch (const IMG_Exception& e)
        {
            codes.insert(e.GetCode());
        }
    }
    EXPECT_GT(built, runs / 2);
    for (int code : codes)
        EXPECT_TRUE(code == 29 || code == 30 || code == 32) << code;
}

TEST(ImgDamagedInput, SubfilesOfDamagedEntriesReadWithoutHarm)
{
    TempFolder folder;
    const std::string path = folder.Path("small.img");
    WriteBytes(path, Pattern(16 * 1024, 4));
    std::mt19937 random(5);
    std::set<int> codes;
    IMG_FileIO io;
    io.OpenForRead(path.c_str(), 0, false);
    for (int i = 0; i < 300; ++i) {
        const uint32_t blockSize = 1u << (random() % 17);
        IMG_FileDescriptor file("small.img", blockSize, false, {DamagedEntry(random, 2)});
        IMG_FileBuffer buffer(std::min<uint32_t>(file.GetSize(), 64 * 1024));
        if (i % 2)
            io.SetReadScrambled();
        try
        {
            io.ReadSubfile(file, buffer);
        }
        catch (const IMG_Exception& e)
        {
            codes.insert(e.GetCode());
        }
    }
    for (int code : codes)
        EXPECT_TRUE(code == 10 || code == 11) << code;
}
