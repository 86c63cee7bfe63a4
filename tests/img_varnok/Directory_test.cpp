// Directory entries, the name rule and the allocation bitmap.
#include "tests/img_varnok/ImgTestSupport.h"

#include "img_varnok/IMG_AllocationTable.h"
#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_FileBuffer.h"
#include "img_varnok/IMG_FileDescriptor.h"

#include <cstring>

namespace
{
const char* const unit = "IMG_FileDescriptor";

std::vector<uint32_t> Range(uint32_t first, uint32_t count)
{
    std::vector<uint32_t> blocks;
    for (uint32_t k = 0; k < count; ++k)
        blocks.push_back(first + k);
    return blocks;
}

std::string EntryText(const IMG_EntryPtr& entry, int offset, int count)
{
    return std::string(reinterpret_cast<const char*>(entry.Get()) + offset, count);
}

uint16_t Slot(const IMG_EntryPtr& entry, int slot)
{
    return IMG_GetU16(entry.Get() + 0x20 + 2 * slot);
}

// A disk file of that many bytes, as the descriptor a copy starts from.
IMG_FileDescriptorPtr DiskFile(const TempFolder& folder, const std::string& name, size_t size)
{
    const std::string path = folder.Path(name);
    WriteBytes(path, Pattern(size, 1));
    return IMG_FileDescriptorPtr(new IMG_FileDescriptor(path.c_str()));
}
}

TEST(ImgFileDescriptor, DiskFileGetsOneEntryByTheNameRule)
{
    TempFolder folder;
    IMG_FileDescriptorPtr disk = DiskFile(folder, "my-map.img.bak", 5000);
    EXPECT_EQ("MY_MAP.I.BAK", disk->GetFullName());
    EXPECT_EQ("MY_MAP.I", disk->GetName());
    EXPECT_EQ("BAK", disk->GetType());
    EXPECT_EQ(5000u, disk->GetSize());
    EXPECT_TRUE(disk->IsFromDiskFile());
    EXPECT_EQ(0u, disk->GetBlockSize());
    EXPECT_FALSE(disk->IsScrambled());
    EXPECT_EQ(folder.Path("my-map.img.bak"), disk->GetImagePath());
    ASSERT_EQ(1u, disk->GetEntryCount());
    std::vector<IMG_EntryPtr> entries;
    disk->GetEntries(entries);
    EXPECT_EQ(1, entries[0].Get()[0]);
    for (int slot = 0; slot < 240; ++slot)
        EXPECT_EQ(0xFFFF, Slot(entries[0], slot));
    std::vector<uint32_t> blocks;
    disk->GetBlocks(blocks);
    EXPECT_TRUE(blocks.empty());
    EXPECT_FALSE(disk->IsDirectoryFile());
}

TEST(ImgFileDescriptor, NameRuleUpperCasesCutsAndReplaces)
{
    EXPECT_EQ("MY_MAP.I.BAK", IMG_FileDescriptor::MakeFullName("c:\\maps\\my-map.img.bak"));
    EXPECT_EQ("A.B     .C  ", IMG_FileDescriptor::MakeFullName("a.b.c"));
    EXPECT_EQ("ABC     .TXT", IMG_FileDescriptor::MakeFullName("d:/x/abc.txt"));
    EXPECT_EQ("NOTYPE  .   ", IMG_FileDescriptor::MakeFullName("notype"));
    EXPECT_EQ("TWO WORD.M_S", IMG_FileDescriptor::MakeFullName("c:two words.m$s"));
    EXPECT_EQ("LONGNAME.LON", IMG_FileDescriptor::MakeFullName("longnamed.longtype"));
    EXPECT_EQ("_X_     .__ ", IMG_FileDescriptor::MakeFullName("\xE9x\x01.\xFF\x80"));
    EXPECT_TRUE(Raises([] { IMG_FileDescriptor::MakeFullName(nullptr); }, unit, 319, 24));
    EXPECT_TRUE(Raises([] { IMG_FileDescriptor bad(nullptr); }, unit, 367, 24));
}

TEST(ImgFileDescriptor, DiskFileFailures)
{
    TempFolder folder;
    WriteBytes(folder.Path("empty.dat"), {});
    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f(folder.Path("empty.dat").c_str()); }, unit, 202, 6));
    try
    {
        IMG_FileDescriptor missing(folder.Path("missing.dat").c_str());
        ADD_FAILURE() << "a missing file was accepted";
    }
    catch (const IMG_Exception& e)
    {
        EXPECT_EQ(9, e.GetCode());
        EXPECT_EQ(405, e.GetLine());
        EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), e.GetOsError());
    }
}

TEST(ImgFileDescriptor, CopyPlacesTheSourceInEntriesOf240Blocks)
{
    TempFolder folder;
    IMG_FileDescriptorPtr disk = DiskFile(folder, "abc.txt", 300000);
    const std::string image = folder.Path("target.img");

    IMG_FileDescriptor one(image.c_str(), 2048, disk, Range(10, 240));
    std::vector<IMG_EntryPtr> entries;
    one.GetEntries(entries);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(249u, Slot(entries[0], 239));
    EXPECT_EQ("ABC     .TXT", one.GetFullName());
    EXPECT_FALSE(one.IsFromDiskFile());
    EXPECT_EQ(disk.Get(), one.GetSource().Get());
    EXPECT_EQ(image, one.GetImagePath());

    IMG_FileDescriptor two(image.c_str(), 2048, disk, Range(10, 241));
    entries.clear();
    two.GetEntries(entries);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(2u, two.GetEntryCount());
    for (int part = 0; part < 2; ++part)
    {
        EXPECT_EQ(1, entries[part].Get()[0x00]);
        EXPECT_EQ("ABC     ", EntryText(entries[part], 0x01, 8));
        EXPECT_EQ("TXT", EntryText(entries[part], 0x09, 3));
        EXPECT_EQ(0, entries[part].Get()[0x10]);
        EXPECT_EQ(part, entries[part].Get()[0x11]);
    }
    EXPECT_EQ(300000u, IMG_GetU32(entries[0].Get() + 0x0C));
    EXPECT_EQ(0u, IMG_GetU32(entries[1].Get() + 0x0C));
    EXPECT_EQ(250u, Slot(entries[1], 0));
    for (int slot = 1; slot < 240; ++slot)
        EXPECT_EQ(0xFFFF, Slot(entries[1], slot));
    std::vector<uint32_t> blocks;
    two.GetBlocks(blocks);
    EXPECT_EQ(Range(10, 241), blocks);
    EXPECT_EQ(300000u, two.GetSize());

    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f(nullptr, 2048, disk, Range(1, 1)); }, unit, 89, 32));
    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f(image.c_str(), 0, disk, Range(1, 1)); }, unit, 89, 32));
    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f(image.c_str(), 2048, disk, {}); }, unit, 89, 32));
    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f(image.c_str(), 2048, IMG_FileDescriptorPtr(), Range(1, 1)); },
                       unit, 89, 32));
}

TEST(ImgFileDescriptor, DirectorySetAndEntriesRoundTripPlainAndScrambled)
{
    std::vector<IMG_EntryPtr> directory = IMG_FileDescriptor::MakeDirectoryEntries(3, 2048);
    ASSERT_EQ(1u, directory.size());
    EXPECT_EQ(0x03, directory[0].Get()[0x10]);
    EXPECT_EQ(6144u, IMG_GetU32(directory[0].Get() + 0x0C));
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 2, 0xFFFF}),
              (std::vector<uint16_t>{Slot(directory[0], 0), Slot(directory[0], 1), Slot(directory[0], 2),
                                     Slot(directory[0], 3)}));

    std::vector<IMG_EntryPtr> big = IMG_FileDescriptor::MakeDirectoryEntries(241, 512);
    ASSERT_EQ(2u, big.size());
    EXPECT_EQ(0, big[1].Get()[0x10]);
    EXPECT_EQ(1, big[1].Get()[0x11]);

    for (bool scrambled : {false, true})
    {
        // Through the bytes as a file holds them, and back.
        std::vector<IMG_EntryPtr> read;
        for (const IMG_EntryPtr& entry : big)
        {
            IMG_FileBuffer buffer(512);
            std::memcpy(buffer.GetData(), entry.Get(), 512);
            if (scrambled)
                buffer.Xor();
            IMG_EntryPtr copy = IMG_FileDescriptor::NewEntry();
            if (scrambled)
                buffer.Xor();
            std::memcpy(copy.Get(), buffer.GetData(), 512);
            read.push_back(copy);
        }
        IMG_FileDescriptor set("image.img", 512, scrambled, read);
        EXPECT_EQ("        .   ", set.GetFullName());
        EXPECT_TRUE(set.IsDirectoryFile());
        EXPECT_TRUE(set.GetFileFlag());
        EXPECT_EQ(scrambled, set.IsScrambled());
        EXPECT_EQ(241u * 512, set.GetSize());
        std::vector<uint32_t> blocks;
        set.GetBlocks(blocks);
        EXPECT_EQ(Range(0, 241), blocks);
        for (size_t i = 0; i < big.size(); ++i)
            EXPECT_EQ(0, std::memcmp(big[i].Get(), read[i].Get(), 512));
    }
    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f(nullptr, 512, false, big); }, unit, 50, 32));
    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f("a.img", 0, false, big); }, unit, 50, 32));
    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f("a.img", 512, false, {}); }, unit, 50, 32));
    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f("a.img", 512, false, {big[0], IMG_EntryPtr()}); }, unit, 50, 32));
}

TEST(ImgFileDescriptor, NameFromEntryBytesIsPaddedAsPrinted)
{
    IMG_EntryPtr entry = IMG_FileDescriptor::NewEntry();
    const char nameAndType[] = "AB\0CDEFGT\0X";
    std::copy(nameAndType, nameAndType + 11, entry.Get() + 1);
    IMG_FileDescriptor f("x.img", 512, false, {entry});
    EXPECT_EQ("AB      .T  ", f.GetFullName());
}

TEST(ImgFileDescriptor, RenameAndFileFlag)
{
    std::vector<IMG_EntryPtr> entries = IMG_FileDescriptor::MakeDirectoryEntries(300, 512);
    IMG_FileDescriptor f("x.img", 512, false, entries);
    f.Rename("new name is long");
    EXPECT_EQ("new name.   ", f.GetFullName());
    EXPECT_EQ("new name", f.GetName());
    f.Rename("ab");
    EXPECT_EQ("ab      .   ", f.GetFullName());
    for (const IMG_EntryPtr& entry : entries)
        EXPECT_EQ("ab      ", EntryText(entry, 1, 8));
    EXPECT_TRUE(Raises([&] { f.Rename(nullptr); }, unit, 279, 24));

    f.SetFileFlag(false);
    EXPECT_FALSE(f.GetFileFlag());
    EXPECT_TRUE(f.IsDirectoryFile());
    EXPECT_EQ(0x01, entries[0].Get()[0x10]);
    f.SetFileFlag(true);
    EXPECT_EQ(0x03, entries[0].Get()[0x10]);
    EXPECT_EQ(0x00, entries[1].Get()[0x10]);
}

TEST(ImgAllocationTable, AllocatesUpwardFromTheUsedCountThenDownward)
{
    IMG_AllocationTable table;
    table.Init(16, 4);
    for (uint32_t k = 0; k < 4; ++k)
        table.MarkUsed(k);
    std::vector<uint32_t> blocks;
    table.Allocate(3, blocks);
    EXPECT_EQ((std::vector<uint32_t>{4, 5, 6}), blocks);
    table.Release(5);
    blocks.clear();
    table.Allocate(2, blocks);
    EXPECT_EQ((std::vector<uint32_t>{7, 8}), blocks);
    EXPECT_TRUE(table.IsFree(5));
    EXPECT_EQ(8u, table.GetFreeCount());
    EXPECT_EQ(16u, table.GetTotal());

    // With the blocks from the used count up all taken, the downward pass finds the gaps.
    IMG_AllocationTable gaps;
    gaps.Init(16, 4);
    for (uint32_t k : {0, 1, 2, 3, 10, 11, 12, 13, 14, 15})
        gaps.MarkUsed(k);
    blocks.clear();
    gaps.Allocate(3, blocks);
    EXPECT_EQ((std::vector<uint32_t>{9, 8, 7}), blocks);
    blocks.clear();
    gaps.GetFreeBlocks(blocks);
    EXPECT_EQ((std::vector<uint32_t>{4, 5, 6}), blocks);
}

TEST(ImgAllocationTable, RefusesWhatItCannotDo)
{
    const char* const tableUnit = "IMG_AllocationTable";
    IMG_AllocationTable table;
    EXPECT_TRUE(Raises([&] { table.IsFree(0); }, tableUnit, 135, 29));
    table.Init(13, 2);
    for (uint32_t k : {0, 1, 12})
        table.MarkUsed(k);
    std::vector<uint32_t> blocks;
    EXPECT_TRUE(Raises([&] { table.Allocate(11, blocks); }, tableUnit, 231, 23));
    EXPECT_TRUE(blocks.empty());
    EXPECT_EQ(10u, table.GetFreeCount());
    EXPECT_TRUE(Raises([&] { table.MarkUsed(12); }, tableUnit, 207, 30));
    EXPECT_TRUE(Raises([&] { table.Release(5); }, tableUnit, 173, 31));
    EXPECT_TRUE(Raises([&] { table.IsFree(13); }, tableUnit, 135, 29));
    EXPECT_TRUE(Raises([&] { table.MarkUsed(13); }, tableUnit, 194, 29));
    EXPECT_TRUE(Raises([&] { table.Release(0xFFFFFFFF); }, tableUnit, 160, 29));
    table.Allocate(10, blocks);
    EXPECT_EQ(0u, table.GetFreeCount());
    EXPECT_EQ(13u, table.GetUsedCount());
    table.Init(8, 0);
    EXPECT_EQ(8u, table.GetFreeCount());
    EXPECT_TRUE(table.IsFree(7));
}
