// The image descriptor: block counts, geometry choice, layout, checksum and the
// copying constructor.
#include "ImgTestSupport.h"

#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_ImageDescriptor.h"

#include <cstring>

namespace
{
const char* const unit = "IMG_ImageDescriptor";

// A subfile of an image with only its size known.
IMG_FileDescriptorPtr Sized(uint32_t size)
{
    IMG_EntryPtr entry = IMG_FileDescriptor::NewEntry();
    std::memcpy(entry.Get(), "\1SUBFILE TXT", 12);
    IMG_PutU32(entry.Get() + 0x0C, size);
    std::memset(entry.Get() + 0x20, 0xFF, 480);
    return IMG_FileDescriptorPtr(new IMG_FileDescriptor("source.img", 512, false, {entry}));
}

std::vector<uint32_t> BlocksOf(const IMG_FileDescriptorPtr& file)
{
    std::vector<uint32_t> blocks;
    file->GetBlocks(blocks);
    return blocks;
}

std::vector<uint32_t> Range(uint32_t from, uint32_t count)
{
    std::vector<uint32_t> blocks;
    for (uint32_t k = from; k < from + count; ++k)
        blocks.push_back(k);
    return blocks;
}

}

TEST(ImgImageDescriptor, HundredThousandBytesLaidOutInEachMode)
{
    IMG_ImageDescriptor model;
    const std::vector<IMG_FileDescriptorPtr> list = {Sized(100000)};
    const IMG_ImageDescriptor::BlockCount count = model.CountBlocks(2048, list);
    EXPECT_EQ(52u, count.needed);
    EXPECT_EQ(3u, count.areaBlocks);

    // Searching all classes: 512-byte blocks in class 0 make the smallest image.
    EXPECT_EQ(10u, model.ChooseGeometry(list, 1, 4));
    EXPECT_EQ(0, model.GetSizeClass());
    EXPECT_EQ(512u, model.GetBlockSize());
    EXPECT_EQ(2048u, model.GetTotalBlocks());
    // Keeping class 4: the same block size wins, in all of the class's capacity.
    EXPECT_EQ(10u, model.ChooseGeometry(list, 0, 4));
    EXPECT_EQ(4, model.GetSizeClass());
    EXPECT_EQ(512u, model.GetBlockSize());
    EXPECT_EQ(8192u, model.GetTotalBlocks());
    // Largest block: class 0 in two blocks of 512 KiB.
    EXPECT_EQ(1u, model.ChooseGeometry(list, 2, 4));
    EXPECT_EQ(0, model.GetSizeClass());
    EXPECT_EQ(512u * 1024, model.GetBlockSize());
    EXPECT_EQ(2u, model.GetTotalBlocks());
}

TEST(ImgImageDescriptor, ListTooLargeForTheLargestClassLeavesTheHeader)
{
    IMG_ImageDescriptor model;
    model.SetName("KEPT");
    const std::vector<uint8_t> before(model.GetHeader()->GetBytes(), model.GetHeader()->GetBytes() + 512);
    for (int mode : {0, 1, 2})
    {
        EXPECT_TRUE(Raises([&] { model.ChooseGeometry({Sized(0xFFFFFFFF), Sized(0xFFFFFFFF)}, mode, 14); }, unit,
                           747, 23));
        EXPECT_TRUE(Raises([&] { model.LayOut({Sized(0xFFFFFFFF), Sized(0xFFFFFFFF)}, mode, 14); }, unit, 747, 23));
    }
    EXPECT_EQ(before, std::vector<uint8_t>(model.GetHeader()->GetBytes(), model.GetHeader()->GetBytes() + 512));
}

TEST(ImgImageDescriptor, LayOutBuildsTheDirectorySetThenPlacesEachSubfile)
{
    IMG_ImageDescriptor model;
    model.SetImageFileName("new.img");
    const IMG_FileDescriptorPtr big = Sized(100000), small = Sized(1000);
    model.LayOut({big, small}, 0, 4);
    std::vector<IMG_FileDescriptorPtr> files;
    model.GetFiles(files, true);
    ASSERT_EQ(3u, files.size());
    // 512-byte blocks; 196 + 2 data blocks, 11 entries with the header: an area of 11 blocks.
    EXPECT_TRUE(files[0]->IsDirectoryFile());
    EXPECT_TRUE(files[0]->GetFileFlag());
    EXPECT_EQ(Range(0, 11), BlocksOf(files[0]));
    EXPECT_EQ(11u * 512, files[0]->GetSize());
    EXPECT_EQ(Range(11, 196), BlocksOf(files[1]));
    EXPECT_EQ(Range(207, 2), BlocksOf(files[2]));
    EXPECT_EQ(big.Get(), files[1]->GetSource().Get());
    EXPECT_EQ("new.img", files[1]->GetImagePath());
    EXPECT_EQ(11u - 8, model.GetEntriesTotal());
    EXPECT_EQ(3u, model.GetEntriesUsed());
    EXPECT_EQ(209u * 512, model.GetUsedBytes());
    EXPECT_EQ(8192u * 512, model.GetTotalBytes());
    EXPECT_EQ(model.GetTotalBytes() - model.GetUsedBytes(), model.GetFreeBytes());

    // Laid out again, the subfiles still copy their first source.
    model.Relayout(1, 15);
    files.clear();
    model.GetFiles(files, false);
    ASSERT_EQ(2u, files.size());
    EXPECT_EQ(small.Get(), files[1]->GetSource().Get());

    // Adding places a subfile in the next free blocks.
    const IMG_FileDescriptorPtr added = model.AddFile(Sized(513));
    EXPECT_EQ(Range(209, 2), BlocksOf(added));
    EXPECT_EQ(4u, model.GetEntriesUsed());
}

TEST(ImgImageDescriptor, EmptyLayoutAlwaysHasRoomForTheDirectory)
{
    IMG_ImageDescriptor model;
    model.LayOut({}, 1, 15);  // class 4, 2 KiB blocks: an area of 16 blocks
    EXPECT_EQ(16u * 4 - 8, model.GetEntriesTotal());
    EXPECT_EQ(16u * 2048, model.GetUsedBytes());

    // After the largest-block layout of class 0 the class's share would be no block at all.
    model.LayOut({Sized(100000)}, 2, 15);
    model.LayOut({}, 2, 15);
    EXPECT_EQ(1024u - 8, model.GetEntriesTotal());
    EXPECT_EQ(512u * 1024, model.GetUsedBytes());
}

TEST(ImgImageDescriptor, ChecksumIsTheHeaderAndEntriesPlusTheDataSum)
{
    IMG_ImageDescriptor model;
    model.LayOut({Sized(3000)}, 1, 15);
    std::vector<IMG_FileDescriptorPtr> files;
    model.GetFiles(files, true);
    uint32_t expected = model.GetHeader()->GetChecksumSum();
    for (const IMG_FileDescriptorPtr& file : files)
    {
        std::vector<IMG_EntryPtr> entries;
        file->GetEntries(entries);
        for (const IMG_EntryPtr& entry : entries)
            expected += IMG_ByteSum(entry.Get(), 512);
    }
    EXPECT_EQ(expected, model.ComputeChecksum());
    model.SetChecksum(123456);
    EXPECT_EQ(model.ComputeChecksum() + 123456, model.GetHeader()->GetChecksum());
    EXPECT_EQ(123456u, model.GetDataSum());
    EXPECT_FALSE(model.IsNoChecksum());
}

TEST(ImgImageDescriptor, CopyKeepsTheHeaderTextsInAFreshHeaderWithoutDirectory)
{
    IMG_ImageDescriptor model;
    model.SetImageFileName("copied.img");
    model.LayOut({Sized(100000)}, 1, 15);
    model.SetName("MAP NAME");
    model.SetDescription("A description");
    model.SetVersion(2.5f);
    model.SetDate20(3, 4, 2010);
    model.SetDate22(5, 6, 2011);
    model.SetSignature(true);
    model.SetHeaderFlag(true);
    model.SetChecksum(77);

    const IMG_ImageDescriptor copy(model);
    EXPECT_EQ("copied.img", copy.GetImageFileName());
    EXPECT_EQ(0, copy.GetSizeClass());
    EXPECT_EQ(2048u, copy.GetBlockSize());  // the class's template, not the layout's block size
    EXPECT_EQ("MAP NAME", copy.GetName());
    EXPECT_EQ("A description", copy.GetDescription());
    EXPECT_FLOAT_EQ(2.5f, copy.GetVersion());
    int m, d, y;
    copy.GetDate20(m, d, y);
    EXPECT_EQ(3 * 10000 + 4 * 100 + 10, m * 10000 + d * 100 + y - 2000);
    copy.GetDate22(m, d, y);
    EXPECT_EQ(5 * 10000 + 6 * 100 + 11, m * 10000 + d * 100 + y - 2000);
    EXPECT_TRUE(copy.IsDsdSignature());
    EXPECT_TRUE(copy.GetHeaderFlag());
    EXPECT_EQ(0u, copy.GetHeader()->GetChecksum());
    std::vector<IMG_FileDescriptorPtr> files;
    copy.GetFiles(files, true);
    EXPECT_TRUE(files.empty());
    EXPECT_EQ(0u, copy.GetEntriesTotal());
}
