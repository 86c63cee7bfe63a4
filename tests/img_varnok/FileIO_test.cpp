// Buffers, scrambling and the file traffic of an image: reads, copies, fills,
// the header and directory write, and every failure of a Windows call.
#include "tests/img_varnok/ImgTestSupport.h"

#include "img_varnok/IMG_BootRecord.h"
#include "img_varnok/IMG_FileBuffer.h"
#include "img_varnok/IMG_FileIO.h"

#include <cstring>
#include <functional>

namespace
{
const char* const unit = "IMG_FileIO";

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count)
{
    return std::vector<uint8_t>(bytes.begin() + from, bytes.begin() + from + count);
}

std::vector<uint8_t> Contents(const IMG_FileBuffer& buffer)
{
    return std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.GetSize());
}

// The subfile's bytes in the blocks of an image, as read back (unscrambled).
std::vector<uint8_t> BlocksOf(const std::string& image, uint32_t blockSize, const std::vector<uint32_t>& blocks,
                              bool scrambled)
{
    const std::vector<uint8_t> file = ReadBytes(image);
    std::vector<uint8_t> bytes;
    for (uint32_t block : blocks)
    {
        std::vector<uint8_t> piece = Slice(file, block * blockSize, blockSize);
        bytes.insert(bytes.end(), piece.begin(), piece.end());
    }
    return scrambled ? Xored(bytes) : bytes;
}

// Test files: a disk file and descriptors of subfiles placed in images.
class FileIOTest : public ::testing::Test
{
protected:
    std::string Disk(size_t size, const std::string& name = "data.bin")
    {
        data = Pattern(size, static_cast<uint32_t>(size));
        WriteBytes(folder.Path(name), data);
        disk = IMG_FileDescriptorPtr(new IMG_FileDescriptor(folder.Path(name).c_str()));
        return folder.Path(name);
    }

    // A subfile of the disk file's size in the given blocks of an image.
    IMG_FileDescriptorPtr Placed(const std::string& image, uint32_t blockSize, const std::vector<uint32_t>& blocks,
                                 bool scrambled)
    {
        IMG_FileDescriptor placed(image.c_str(), blockSize, disk, blocks);
        std::vector<IMG_EntryPtr> entries;
        placed.GetEntries(entries);
        return IMG_FileDescriptorPtr(new IMG_FileDescriptor(image.c_str(), blockSize, scrambled, entries));
    }

    // An image file whose listed blocks hold the disk file's bytes (scrambled when asked).
    IMG_FileDescriptorPtr SourceImage(const std::string& name, uint32_t blockSize, const std::vector<uint32_t>& blocks,
                                      bool scrambled)
    {
        const std::string image = folder.Path(name);
        IMG_FileIO io;
        io.OpenForRead(disk->GetImagePath().c_str(), 0, false);
        io.OpenImageForWrite(image.c_str(), blockSize, scrambled);
        IMG_FileDescriptorPtr placed = Placed(image, blockSize, blocks, scrambled);
        io.CopyFileBlocks(*disk, *placed);
        return placed;
    }

    TempFolder folder;
    std::vector<uint8_t> data;
    IMG_FileDescriptorPtr disk;
};

BOOL WINAPI FourGiB(HANDLE, PLARGE_INTEGER size)
{
    size->QuadPart = 0x100000000LL;
    return TRUE;
}

BOOL WINAPI JustUnderFourGiB(HANDLE, PLARGE_INTEGER size)
{
    size->QuadPart = 0xFFFFFFFFLL;
    return TRUE;
}
}

TEST(ImgFileBuffer, XorScramblesEveryByteFourAtATimeAndUndoesItself)
{
    IMG_FileBuffer seven(7);
    const uint8_t original[7] = {0x00, 0x3C, 0xFF, 0x12, 0xC3, 0x3D, 0x80};
    std::memcpy(seven.GetData(), original, 7);
    seven.Xor();
    for (int i = 0; i < 7; ++i)
    {
        EXPECT_NE(original[i], seven.GetData()[i]);
        EXPECT_EQ(original[i] ^ 0x3C, seven.GetData()[i]);
    }
    seven.Xor();
    EXPECT_EQ(0, std::memcmp(original, seven.GetData(), 7));

    const std::vector<uint8_t> bytes = Pattern(4099, 3);
    IMG_FileBuffer long_buffer(4099);
    std::memcpy(long_buffer.GetData(), bytes.data(), bytes.size());
    long_buffer.Xor();
    EXPECT_EQ(Xored(bytes), Contents(long_buffer));
}

TEST(ImgFileBuffer, WrapsClearsAndHandsOverMemory)
{
    uint8_t memory[10];
    std::memset(memory, 0xAB, sizeof memory);
    {
        IMG_FileBuffer wrapped(memory, 8);
        EXPECT_EQ(memory, wrapped.GetData());
        EXPECT_EQ(8u, wrapped.GetSize());
    }
    EXPECT_EQ(0, memory[7]);
    EXPECT_EQ(0xAB, memory[8]);  // not owned: left alone

    try
    {
        IMG_FileBuffer tooLarge(0xFFFFFFF0u);
        ADD_FAILURE() << "four gigabytes allocated";
    }
    catch (const IMG_Exception& e)
    {
        EXPECT_EQ(27, e.GetCode());  // "Out of Memory", not a foreign exception
    }

    IMG_FileBuffer owned(5);
    EXPECT_EQ(std::vector<uint8_t>(5, 0), Contents(owned));
    owned.GetData()[4] = 9;
    std::unique_ptr<uint8_t[]> taken(owned.Release());
    EXPECT_EQ(9, taken[4]);
}

TEST_F(FileIOTest, BatchIsTheLeastCommonMultipleOfTheBlockSizes)
{
    Disk(100);
    IMG_FileIO io;
    io.OpenForRead(disk->GetImagePath().c_str(), 2048, false);
    io.OpenImageForWrite(folder.Path("a.img").c_str(), 8192, false);
    EXPECT_EQ(4u, io.GetReadBlocksPerBatch());
    EXPECT_EQ(1u, io.GetWriteBlocksPerBatch());
    io.OpenForRead(disk->GetImagePath().c_str(), 8192, false);
    io.OpenImageForWrite(folder.Path("b.img").c_str(), 2048, false);
    EXPECT_EQ(1u, io.GetReadBlocksPerBatch());
    EXPECT_EQ(4u, io.GetWriteBlocksPerBatch());
    io.OpenImageForWrite(folder.Path("c.img").c_str(), 8192, false);
    EXPECT_EQ(1u, io.GetReadBlocksPerBatch());
    EXPECT_EQ(1u, io.GetWriteBlocksPerBatch());
    io.CloseRead();
    EXPECT_EQ(0u, io.GetReadBlocksPerBatch());
    EXPECT_FALSE(io.IsOpen());
    EXPECT_EQ("", io.GetReadPath());
}

TEST_F(FileIOTest, DiskFileFillsWholeBlocksPaddedWithZeros)
{
    for (bool scrambled : {false, true})
    {
        Disk(5000);
        const std::string image = folder.Path(scrambled ? "scrambled.img" : "plain.img");
        WriteBytes(image, std::vector<uint8_t>(7 * 2048, 0xEE));
        IMG_FileIO io;
        io.OpenForRead(disk->GetImagePath().c_str(), 0, false);
        io.OpenImageForWrite(image.c_str(), 2048, scrambled);
        const std::vector<uint32_t> blocks = {3, 4, 5};
        const uint32_t sum = io.CopyFileBlocks(*disk, *Placed(image, 2048, blocks, scrambled));
        io.CloseWrite();

        const std::vector<uint8_t> file = ReadBytes(image);
        ASSERT_EQ(7u * 2048, file.size());  // opened without being shortened
        std::vector<uint8_t> expected = data;
        expected.resize(3 * 2048, 0);  // the last block: 904 data bytes and 1144 zeros
        if (scrambled)
            expected = Xored(expected);
        EXPECT_EQ(expected, Slice(file, 3 * 2048, 3 * 2048));
        EXPECT_EQ(std::vector<uint8_t>(3 * 2048, 0xEE), Slice(file, 0, 3 * 2048));
        EXPECT_EQ(std::vector<uint8_t>(2048, 0xEE), Slice(file, 6 * 2048, 2048));
        EXPECT_EQ(SumOf(expected), sum);  // the bytes as written
    }
}

TEST_F(FileIOTest, ImageToImageCopiesInBatchesAndScramblesOnlyBetweenForms)
{
    Disk(10000);
    for (bool sourceScrambled : {false, true})
    {
        for (bool targetScrambled : {false, true})
        {
            SCOPED_TRACE(std::to_string(sourceScrambled) + std::to_string(targetScrambled));
            const std::vector<uint32_t> small = {4, 5, 9, 7, 8};  // 2 KiB blocks
            IMG_FileDescriptorPtr source = SourceImage("small.img", 2048, small, sourceScrambled);
            const std::string large = folder.Path("large.img");
            DeleteFileA(large.c_str());

            IMG_FileIO io;
            io.OpenForRead(source->GetImagePath().c_str(), 2048, sourceScrambled);
            io.OpenImageForWrite(large.c_str(), 8192, targetScrambled);
            IMG_FileDescriptorPtr target = Placed(large, 8192, {3, 1}, targetScrambled);
            const uint32_t sum = io.CopyFileBlocks(*source, *target);
            io.CloseWrite();

            std::vector<uint8_t> expected = data;
            expected.resize(5 * 2048, 0);
            std::vector<uint8_t> written = BlocksOf(large, 8192, {3, 1}, false);
            EXPECT_EQ(SumOf(written), sum);
            if (targetScrambled)
                written = Xored(written);
            // Past the five source blocks lies the padding of the last batch.
            EXPECT_EQ(expected, Slice(written, 0, expected.size()));
            if (sourceScrambled && targetScrambled)
            {
                // No XOR between two scrambled images: the stored bytes move as they are.
                const std::vector<uint8_t> raw = BlocksOf(source->GetImagePath(), 2048, small, false);
                EXPECT_EQ(raw, Slice(BlocksOf(large, 8192, {3, 1}, false), 0, raw.size()));
            }

            // And back into small blocks: one source block fills four target blocks.
            IMG_FileIO back;
            back.OpenForRead(large.c_str(), 8192, targetScrambled);
            const std::string again = folder.Path("again.img");
            DeleteFileA(again.c_str());
            back.OpenImageForWrite(again.c_str(), 2048, false);
            EXPECT_EQ(1u, back.GetReadBlocksPerBatch());
            EXPECT_EQ(4u, back.GetWriteBlocksPerBatch());
            const std::vector<uint32_t> blocks = {10, 11, 12, 13, 2};
            back.CopyFileBlocks(*target, *Placed(again, 2048, blocks, false));
            back.CloseWrite();
            EXPECT_EQ(data, Slice(BlocksOf(again, 2048, blocks, false), 0, data.size()));
        }
    }
}

TEST_F(FileIOTest, ReadsUnscrambleWhatTheyFind)
{
    Disk(5000);
    IMG_FileDescriptorPtr subfile = SourceImage("s.img", 2048, {2, 0, 1}, true);
    const std::string image = subfile->GetImagePath();
    IMG_FileIO io;
    io.OpenForRead(image.c_str(), 2048, true);
    EXPECT_EQ(image, io.GetReadPath());
    EXPECT_EQ(3u * 2048, io.GetFileSize());

    IMG_FileBuffer whole(5000);
    io.ReadSubfile(*subfile, whole);
    EXPECT_EQ(data, Contents(whole));

    IMG_FileBuffer sector(512);
    EXPECT_EQ(512u, io.ReadAt(sector, 2 * 2048 + 100));
    EXPECT_EQ(Slice(data, 100, 512), Contents(sector));
    EXPECT_EQ(300u, io.ReadAt(sector, 3 * 2048 - 300));  // past the end: zeros
    EXPECT_EQ(std::vector<uint8_t>(212, 0), Slice(Contents(sector), 300, 212));

    IMG_FileBuffer all(7000);
    EXPECT_EQ(3u * 2048, io.ReadWholeFile(all));
    EXPECT_EQ(Slice(data, 0, 2048), Slice(Contents(all), 2 * 2048, 2048));
    EXPECT_EQ(std::vector<uint8_t>(7000 - 3 * 2048, 0), Slice(Contents(all), 3 * 2048, 7000 - 3 * 2048));

    const std::string out = folder.Path("extracted.bin");
    io.OpenForWrite(out.c_str());
    io.ExtractSubfile(*subfile);
    io.CloseWrite();
    EXPECT_EQ(data, ReadBytes(out));

    io.CloseRead();
    io.OpenForRead(image.c_str(), 2048, false);
    io.SetReadScrambled();
    io.ReadSubfile(*subfile, whole);
    EXPECT_EQ(data, Contents(whole));
}

TEST_F(FileIOTest, FillBlocksWritesZeroBlocksInTheImagesForm)
{
    for (bool scrambled : {false, true})
    {
        const std::string image = folder.Path("fill.img");
        WriteBytes(image, std::vector<uint8_t>(4 * 512, 0x77));
        IMG_FileIO io;
        io.OpenImageForWrite(image.c_str(), 512, scrambled);
        io.FillBlocks({1, 3});
        io.CloseWrite();
        const std::vector<uint8_t> file = ReadBytes(image);
        const uint8_t zero = scrambled ? 0x3C : 0;
        EXPECT_EQ(std::vector<uint8_t>(512, 0x77), Slice(file, 0, 512));
        EXPECT_EQ(std::vector<uint8_t>(512, zero), Slice(file, 512, 512));
        EXPECT_EQ(std::vector<uint8_t>(512, 0x77), Slice(file, 1024, 512));
        EXPECT_EQ(std::vector<uint8_t>(512, zero), Slice(file, 1536, 512));
    }
}

TEST_F(FileIOTest, WriteImagePutsHeaderZeroSectorsAndDirectoryInPlace)
{
    Disk(300000, "abc.txt");
    IMG_BootRecord header(0);  // 2 KiB blocks, directory at sector 8
    header.SetName("LAYOUT");
    const std::vector<IMG_EntryPtr> own = IMG_FileDescriptor::MakeDirectoryEntries(3, 2048);
    std::vector<uint32_t> blocks;
    for (uint32_t k = 3; k < 3 + 147; ++k)
        blocks.push_back(k);
    for (bool scrambled : {false, true})
    {
        const std::string image = folder.Path(scrambled ? "s.img" : "p.img");
        std::vector<IMG_FileDescriptorPtr> files = {
            IMG_FileDescriptorPtr(new IMG_FileDescriptor(image.c_str(), 2048, scrambled, own)),
            Placed(image, 2048, blocks, scrambled),
        };
        WriteBytes(image, std::vector<uint8_t>(6 * 1024, 0x55));
        IMG_FileIO io;
        io.OpenImageForWrite(image.c_str(), 2048, scrambled);
        io.WriteImage(header, 4, files);  // (3 << 2) - 8 entry slots
        io.CloseWrite();

        std::vector<uint8_t> file = ReadBytes(image);
        ASSERT_EQ(6u * 1024, file.size());
        if (scrambled)
            file = Xored(file);
        EXPECT_EQ(std::vector<uint8_t>(header.GetBytes(), header.GetBytes() + 512), Slice(file, 0, 512));
        EXPECT_EQ(std::vector<uint8_t>(7 * 512, 0), Slice(file, 512, 7 * 512));
        EXPECT_EQ(std::vector<uint8_t>(own[0].Get(), own[0].Get() + 512), Slice(file, 4096, 512));
        std::vector<IMG_EntryPtr> entries;
        files[1]->GetEntries(entries);
        ASSERT_EQ(1u, entries.size());
        EXPECT_EQ(std::vector<uint8_t>(entries[0].Get(), entries[0].Get() + 512), Slice(file, 4608, 512));
        EXPECT_EQ(std::vector<uint8_t>(2 * 512, 0), Slice(file, 5120, 1024));

        // Read back through the read side: the same header and subfiles.
        io.OpenForRead(image.c_str(), 2048, scrambled);
        IMG_FileBuffer sector(512);
        io.ReadAt(sector, 0);
        IMG_BootRecord back;
        back.Parse(sector);
        EXPECT_EQ("LAYOUT", back.GetName());
        io.ReadAt(sector, back.GetDirectoryStart() * 512 + 512);
        IMG_EntryPtr entry = IMG_FileDescriptor::NewEntry();
        std::memcpy(entry.Get(), sector.GetData(), 512);
        IMG_FileDescriptor read(image.c_str(), back.GetBlockSize(), scrambled, {entry});
        EXPECT_EQ("ABC     .TXT", read.GetFullName());
        EXPECT_EQ(300000u, read.GetSize());
        std::vector<uint32_t> readBlocks;
        read.GetBlocks(readBlocks);
        EXPECT_EQ(blocks, readBlocks);
    }
}

TEST_F(FileIOTest, OpeningFailures)
{
    IMG_FileIO io;
    EXPECT_TRUE(Raises([&] { io.OpenForRead(nullptr, 0, false); }, unit, 388, 24));
    EXPECT_TRUE(Raises([&] { io.OpenImageForWrite(nullptr, 512, false); }, unit, 426, 24));
    EXPECT_TRUE(Raises([&] { io.OpenForWrite(nullptr); }, unit, 279, 24));
    const std::string nowhere = folder.Path("no such folder\\x.img");
    EXPECT_TRUE(Raises([&] { io.OpenForRead(folder.Path("missing").c_str(), 0, false); }, unit, 405, 9));
    EXPECT_TRUE(Raises([&] { io.OpenImageForWrite(nowhere.c_str(), 512, false); }, unit, 442, 9));
    EXPECT_TRUE(Raises([&] { io.OpenForWrite(nowhere.c_str()); }, unit, 295, 9));
    try
    {
        io.OpenForRead(folder.Path("missing").c_str(), 0, false);
    }
    catch (const IMG_Exception& e)
    {
        EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), e.GetOsError());
    }
    EXPECT_FALSE(io.IsOpen());
}

TEST_F(FileIOTest, FilesOfFourGiBOrMoreHaveNoSize)
{
    Disk(10);
    IMG_FileIO io;
    io.OpenForRead(disk->GetImagePath().c_str(), 0, false);
    EXPECT_EQ(10u, io.GetFileSize());
    {
        FailingCall size(FailingCall::Size, 1, ERROR_ACCESS_DENIED);
        EXPECT_TRUE(Raises([&] { io.GetFileSize(); }, unit, 362, 33));
    }
    IMG_FileIO::windowsCalls.getFileSizeEx = FourGiB;
    EXPECT_TRUE(Raises([&] { io.GetFileSize(); }, unit, 367, 33));
    EXPECT_TRUE(Raises([&] { IMG_FileDescriptor f(disk->GetImagePath().c_str()); }, unit, 367, 33));
    IMG_FileIO::windowsCalls.getFileSizeEx = JustUnderFourGiB;
    EXPECT_EQ(0xFFFFFFFFu, io.GetFileSize());
    IMG_FileIO::windowsCalls.getFileSizeEx = GetFileSizeEx;
    // A closed read side has no size either.
    io.CloseRead();
    EXPECT_TRUE(Raises([&] { io.GetFileSize(); }, unit, 362, 33));
}

TEST_F(FileIOTest, ClosedSidesFailWithTheWindowsError)
{
    Disk(5000);
    IMG_FileDescriptorPtr subfile = SourceImage("s.img", 2048, {0, 1, 2}, false);
    IMG_FileIO io;
    IMG_FileBuffer buffer(512);
    try
    {
        io.ReadAt(buffer, 0);
        ADD_FAILURE() << "read from a closed side";
    }
    catch (const IMG_Exception& e)
    {
        EXPECT_EQ(465, e.GetLine());
        EXPECT_EQ(11, e.GetCode());
        EXPECT_EQ(static_cast<uint32_t>(ERROR_INVALID_HANDLE), e.GetOsError());
    }
    EXPECT_TRUE(Raises([&] { io.ReadWholeFile(buffer); }, unit, 493, 11));
    EXPECT_TRUE(Raises([&] { io.FillBlocks({1}); }, unit, 325, 11));
    io.OpenImageForWrite(folder.Path("t.img").c_str(), 2048, false);
    EXPECT_TRUE(Raises([&] { io.CopyFileBlocks(*disk, *subfile); }, unit, 238, 10));
}

// Each failing Windows call raises its own code and line.
TEST_F(FileIOTest, EveryFailingCallRaisesItsCodeAndLine)
{
    Disk(5000);
    IMG_FileDescriptorPtr subfile = SourceImage("s.img", 2048, {0, 1, 2}, false);
    const std::string image = subfile->GetImagePath();
    const std::string target = folder.Path("t.img");
    IMG_FileDescriptorPtr placed = Placed(target, 2048, {3, 4, 5}, false);
    IMG_BootRecord header(0);
    const std::vector<IMG_FileDescriptorPtr> files = {subfile};

    struct Case
    {
        FailingCall::Which call;
        int nth;
        int line;
        int code;
        bool fromDisk;  // the read side holds the disk file, else the image
        std::function<void(IMG_FileIO&, IMG_FileBuffer&)> operation;
    };
    const auto readAt = [](IMG_FileIO& io, IMG_FileBuffer& b) { io.ReadAt(b, 0); };
    const auto readWhole = [](IMG_FileIO& io, IMG_FileBuffer& b) { io.ReadWholeFile(b); };
    const auto readSubfile = [&](IMG_FileIO& io, IMG_FileBuffer& b) { io.ReadSubfile(*subfile, b); };
    const auto extract = [&](IMG_FileIO& io, IMG_FileBuffer&) { io.ExtractSubfile(*subfile); };
    const auto copyDisk = [&](IMG_FileIO& io, IMG_FileBuffer&) { io.CopyFileBlocks(*disk, *placed); };
    const auto copyImage = [&](IMG_FileIO& io, IMG_FileBuffer&) { io.CopyFileBlocks(*subfile, *placed); };
    const auto fill = [](IMG_FileIO& io, IMG_FileBuffer&) { io.FillBlocks({6, 7}); };
    const auto writeImage = [&](IMG_FileIO& io, IMG_FileBuffer&) { io.WriteImage(header, 4, files); };
    const Case cases[] = {
        {FailingCall::Seek, 1, 465, 11, false, readAt},      {FailingCall::Read, 1, 469, 10, false, readAt},
        {FailingCall::Seek, 1, 493, 11, false, readWhole},   {FailingCall::Read, 2, 509, 10, false, readWhole},
        {FailingCall::Seek, 2, 554, 11, false, readSubfile}, {FailingCall::Read, 2, 564, 10, false, readSubfile},
        {FailingCall::Seek, 2, 605, 11, false, extract},     {FailingCall::Read, 2, 611, 10, false, extract},
        {FailingCall::Write, 2, 623, 13, false, extract},    {FailingCall::Read, 2, 238, 10, true, copyDisk},
        {FailingCall::Seek, 2, 248, 11, true, copyDisk},     {FailingCall::Write, 2, 253, 13, true, copyDisk},
        {FailingCall::Seek, 3, 178, 11, false, copyImage},   {FailingCall::Read, 2, 183, 10, false, copyImage},
        {FailingCall::Seek, 4, 208, 11, false, copyImage},   {FailingCall::Write, 2, 213, 13, false, copyImage},
        {FailingCall::Seek, 2, 325, 11, false, fill},        {FailingCall::Write, 2, 330, 13, false, fill},
        {FailingCall::Seek, 1, 645, 11, false, writeImage},  {FailingCall::Write, 1, 669, 13, false, writeImage},
        {FailingCall::Write, 2, 684, 13, false, writeImage}, {FailingCall::Seek, 2, 689, 11, false, writeImage},
        {FailingCall::Write, 3, 698, 13, false, writeImage}, {FailingCall::Write, 4, 710, 13, false, writeImage},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.line);
        IMG_FileIO io;
        io.OpenForRead(c.fromDisk ? disk->GetImagePath().c_str() : image.c_str(), c.fromDisk ? 0 : 2048, false);
        io.OpenImageForWrite(target.c_str(), 2048, false);
        IMG_FileBuffer buffer(5000);
        FailingCall failing(c.call, c.nth, ERROR_DISK_FULL);
        try
        {
            c.operation(io, buffer);
            ADD_FAILURE() << "nothing raised";
        }
        catch (const IMG_Exception& e)
        {
            EXPECT_STREQ(unit, e.GetFile());
            EXPECT_EQ(c.line, e.GetLine());
            EXPECT_EQ(c.code, e.GetCode());
            EXPECT_EQ(static_cast<uint32_t>(ERROR_DISK_FULL), e.GetOsError());
        }
    }
}
