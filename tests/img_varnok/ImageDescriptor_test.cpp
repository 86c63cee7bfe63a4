// The image descriptor: block counts, geometry choice, layout, checksum, the
// copying constructor, and loading images plain, scrambled, truncated or odd.
#include "tests/img_varnok/ImageTestSupport.h"

#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_FileIO.h"
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

// Loads the image file into a new descriptor.
struct Loaded
{
    explicit Loaded(const std::string& path)
    {
        io.OpenForRead(path.c_str(), 0, false);
        model.SetImageFileName(path.c_str());
        model.Load(io);
    }
    IMG_FileIO io;
    IMG_ImageDescriptor model;
};

void Patch(const std::string& path, size_t offset, std::initializer_list<uint8_t> bytes)
{
    std::vector<uint8_t> file = ReadBytes(path);
    std::copy(bytes.begin(), bytes.end(), file.begin() + offset);
    WriteBytes(path, file);
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

    // Adding several places all of them, or none when one finds no room.
    EXPECT_EQ(23, RaisedCode([&] { model.AddFiles({Sized(1000), Sized(100000000)}); }));
    files.clear();
    model.GetFiles(files, true);
    EXPECT_EQ(4u, files.size());
    EXPECT_EQ(4u, model.GetEntriesUsed());
    EXPECT_EQ(211u * 512, model.GetUsedBytes());
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

TEST(ImgImageDescriptor, LoadsPlainScrambledAndTruncatedImages)
{
    ImageFiles disk;
    const std::vector<std::string> paths = {disk.Disk("one.bin", 5000, 1), disk.Disk("two.bin", 70000, 2)};
    for (bool scramble : {false, true})
    {
        Loaded image(disk.Build(scramble ? "s.img" : "p.img", paths, scramble));
        EXPECT_EQ(scramble, image.model.IsScrambled());
        EXPECT_FALSE(image.model.IsTruncated());
        EXPECT_FALSE(image.model.IsNoChecksum());
        std::vector<IMG_FileDescriptorPtr> files;
        image.model.GetFiles(files, false);
        ASSERT_EQ(2u, files.size());
        EXPECT_EQ("ONE     .BIN", files[0]->GetFullName());
        EXPECT_EQ(70000u, files[1]->GetSize());
        EXPECT_EQ(scramble, files[1]->IsScrambled());
        // The data sum is what the data blocks hold, in the form written.
        uint32_t dataSum = 0;
        for (const char* name : {"ONE     .BIN", "TWO     .BIN"})
        {
            std::vector<uint8_t> blocks = disk.contents[name];
            blocks.resize((blocks.size() + image.model.GetBlockSize() - 1) / image.model.GetBlockSize() *
                          image.model.GetBlockSize());
            dataSum += SumOf(scramble ? Xored(blocks) : blocks);
        }
        EXPECT_EQ(dataSum, image.model.GetDataSum());
    }

    const std::string cut = disk.Build("cut.img", paths);
    std::vector<uint8_t> bytes = ReadBytes(cut);
    bytes.resize(bytes.size() - 1);
    WriteBytes(cut, bytes);
    EXPECT_TRUE(Loaded(cut).model.IsTruncated());
}

TEST(ImgImageDescriptor, LoadSkipsEntriesNotInUseAndDistrustsSomeChecksums)
{
    ImageFiles disk;
    const std::string path = disk.Build("three.img", {disk.Disk("a.bin", 10), disk.Disk("b.bin", 20),
                                                      disk.Disk("c.bin", 30)});
    const size_t directory = 8 * 512;
    {
        const std::string gap = disk.Path("gap.img");
        CopyFileA(path.c_str(), gap.c_str(), FALSE);
        Patch(gap, directory + 2 * 512, {0});
        Loaded image(gap);
        std::vector<IMG_FileDescriptorPtr> files;
        image.model.GetFiles(files, false);
        ASSERT_EQ(2u, files.size());
        EXPECT_EQ("A       .BIN", files[0]->GetFullName());
        EXPECT_EQ("C       .BIN", files[1]->GetFullName());
        EXPECT_EQ(3u, image.model.GetEntriesUsed());
    }
    EXPECT_FALSE(Loaded(path).model.IsNoChecksum());
    Patch(path, 0x86, {1});  // format 3.01
    EXPECT_TRUE(Loaded(path).model.IsNoChecksum());
    Patch(path, 0x86, {2});
    EXPECT_TRUE(Loaded(path).model.IsNoChecksum());
    Patch(path, 0x86, {5});
    Patch(path, 0x24, {0, 0, 0, 0});
    EXPECT_TRUE(Loaded(path).model.IsNoChecksum());
}

TEST(ImgImageDescriptor, LoadRefusesWhatIsNoImage)
{
    ImageFiles disk;
    IMG_ImageDescriptor model;
    IMG_FileIO io;
    EXPECT_TRUE(Raises([&] { model.Load(io); }, unit, 366, 36));
    EXPECT_TRUE(Raises([&] { model.SetImageFileName(nullptr); }, unit, 557, 24));

    const std::string path = disk.Disk("random.bin", 4096, 3);
    io.OpenForRead(path.c_str(), 0, false);
    model.SetImageFileName(path.c_str());
    EXPECT_TRUE(Raises([&] { model.Load(io); }, unit, 394, 4));

    // Sectors of another size, or a header-and-directory area larger than the image.
    const std::string image = disk.Build("odd.img", {disk.Disk("a.bin", 10)});
    Patch(image, 0x61, {10});
    EXPECT_EQ(4, RaisedCode([&] { Loaded odd(image); }));
    Patch(image, 0x61, {9});
    const std::vector<uint8_t> sound = ReadBytes(image);
    Patch(image, 8 * 512 + 0x0C, {0xFF, 0xFF, 0xFF, 0x00});
    EXPECT_EQ(4, RaisedCode([&] { Loaded odd(image); }));

    // A directory at sector 0 would overlap the header, even where the
    // header's bytes read as an entry that states the area and lists no block.
    WriteBytes(image, sound);
    Patch(image, 0x40, {0});
    Patch(image, 0x0C, {sound[8 * 512 + 0x0C], sound[8 * 512 + 0x0D], sound[8 * 512 + 0x0E], sound[8 * 512 + 0x0F]});
    Patch(image, 0x20, {0xFF, 0xFF});
    EXPECT_EQ(4, RaisedCode([&] { Loaded odd(image); }));
}
