// The disk-image object: round trips, appending in place, new layouts through
// the temporary file, the name rules of its operations, extraction of
// subfiles not yet written, the block cache and writes that fail part-way.
#include "tests/img_varnok/ImageTestSupport.h"

#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_FileIO.h"

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace
{
const char* const unit = "IMG_VarnokDiskImage";

std::vector<uint32_t> BlocksOf(IMG_VarnokDiskImage& image, const std::string& name)
{
    std::vector<IMG_VarnokDiskImage::FileInfo> list;
    image.GetFileInfo(list, true);
    for (const IMG_VarnokDiskImage::FileInfo& info : list)
        if (info.name == name)
            return info.blocks;
    return {};
}

std::vector<std::string> NamesOf(IMG_VarnokDiskImage& image)
{
    std::vector<std::string> names;
    image.GetFileNames(names);
    return names;
}

std::vector<uint8_t> BytesOf(const IMG_CountedPtr<IMG_ImageFile>& file)
{
    std::vector<uint8_t> bytes(file->GetSize());
    file->ReadAt(bytes.data(), 0, file->GetSize());
    return bytes;
}

// An unscrambled image file's checksum is the sum of its other bytes, which the check byte makes 0 modulo 256.
::testing::AssertionResult ChecksumHolds(const std::string& path)
{
    const std::vector<uint8_t> bytes = ReadBytes(path);
    const uint32_t others = SumOf(bytes) - bytes[0x0F] - IMG_ByteSum(bytes.data() + 0x24, 4);
    if (SumOf(bytes) % 256 != 0 || StoredChecksum(path) != others)
        return ::testing::AssertionFailure() << "checksum " << StoredChecksum(path) << ", other bytes " << others;
    return ::testing::AssertionSuccess();
}

// What a caller sees of the model: the file name, each subfile with its flag,
// size and blocks, then the geometry and space.
std::string ModelOf(IMG_VarnokDiskImage& image)
{
    std::ostringstream text;
    text << image.GetImageFileName() << '\n';
    std::vector<IMG_VarnokDiskImage::FileInfo> list;
    image.GetFileInfo(list, true);
    for (const IMG_VarnokDiskImage::FileInfo& info : list)
    {
        text << info.name << " flag " << info.flag << " size " << info.size << " blocks";
        for (uint32_t block : info.blocks)
            text << ' ' << block;
        text << '\n';
    }
    uint32_t total, used, free;
    image.GetSpace(total, used, free);
    text << "class " << image.GetSizeClass() << " block " << image.GetBlockSize() << " total " << total << " used "
         << used;
    return text.str();
}

class ImgRoundTrip : public ::testing::TestWithParam<bool>
{
};
}

TEST_P(ImgRoundTrip, EverySubfileComesBackByteForByte)
{
    const bool scramble = GetParam();
    ImageFiles disk;
    const std::string path = disk.Build("round.img", {disk.Disk("a.txt", 1, 1), disk.Disk("b.dat", 511, 2),
                                                      disk.Disk("c-d.mps", 100000, 3), disk.Disk("big.bin", 700000, 4),
                                                      disk.Disk("noext", 2048, 5)},
                                        scramble);
    IMG_VarnokDiskImage image(path.c_str());
    EXPECT_EQ(scramble, image.IsScrambled());
    EXPECT_FALSE(image.IsTruncated());
    const std::vector<std::string> names = {"A       .TXT", "B       .DAT", "C_D     .MPS", "BIG     .BIN",
                                            "NOEXT   .   "};
    EXPECT_EQ(names, NamesOf(image));
    EXPECT_TRUE(disk.HoldsItsFiles(image));
    EXPECT_EQ(disk.contents["BIG     .BIN"], BytesOf(image.FindFile("big.bin", true)));
    EXPECT_EQ(disk.contents["C_D     .MPS"], BytesOf(image.FindFile("c-d.mps", false)));
    EXPECT_FALSE(image.FindFile("none.bin", true));

    std::vector<IMG_VarnokDiskImage::FileInfo> list;
    EXPECT_EQ(6, image.GetFileInfo(list, false));
    EXPECT_TRUE(list[0].isDirectory && list[0].flag && list[0].blocks.empty());
    EXPECT_FALSE(list[4].isDirectory || list[4].flag);
    EXPECT_EQ(700000u, list[4].size);
    uint32_t total, used, free;
    image.GetSpace(total, used, free);
    EXPECT_EQ(total, used + free);
    EXPECT_EQ(used, image.GetImageSize());
    EXPECT_EQ(3.05, IMG_VarnokDiskImage::GetLibraryVersion());

    const std::vector<uint8_t> bytes = ReadBytes(path);
    EXPECT_EQ(scramble ? 'D' ^ 0x3C : 'D', bytes[0x10]);
    if (!scramble)
    {
        EXPECT_TRUE(ChecksumHolds(path));
        image.UpdateChecksum();
        image.Save(false, nullptr);
        EXPECT_TRUE(ChecksumHolds(path));
    }

    // The header texts a device list shows, read back after Open.
    image.SetName("Round trip");
    image.SetVersion(2.07f);
    image.SetDescription("Coastal charts, west: harbours, anchorages and lights of the bay");
    image.Save(scramble, nullptr);
    IMG_VarnokDiskImage reopened(path.c_str());
    EXPECT_EQ("ROUND TRIP", reopened.GetName());
    EXPECT_FLOAT_EQ(2.07f, reopened.GetVersion());
    EXPECT_EQ("Coastal charts, west: harbours, anchorages and lig", reopened.GetDescription());
}

INSTANTIATE_TEST_SUITE_P(PlainAndScrambled, ImgRoundTrip, ::testing::Bool());

TEST(ImgDiskImage, AppendingWritesOnlyTheNewBlocksInPlace)
{
    ImageFiles disk;
    const std::string path = disk.Empty("append.img");
    const uint64_t identity = FileIdentity(path);
    IMG_VarnokDiskImage image(path.c_str());
    image.AddFile(disk.Disk("first.bin", 5000, 1).c_str());
    image.Save(false, nullptr);
    const std::vector<uint8_t> before = ReadBytes(path);
    const uint32_t dataSum = DataSumOf(path);
    const std::vector<uint32_t> firstBlocks = BlocksOf(image, "FIRST   .BIN");

    image.AddFile(disk.Disk("second.bin", 3000, 2).c_str());
    image.Save(false, nullptr);
    EXPECT_EQ(identity, FileIdentity(path));
    EXPECT_FALSE(FileExists(path + ".tmp"));
    EXPECT_EQ(firstBlocks, BlocksOf(image, "FIRST   .BIN"));
    const std::vector<uint8_t> after = ReadBytes(path);
    ASSERT_EQ(before.size(), after.size());
    for (uint32_t block : firstBlocks)
        EXPECT_EQ(0, std::memcmp(&before[block * 2048], &after[block * 2048], 2048));
    EXPECT_EQ(dataSum + SumOf(disk.contents["SECOND  .BIN"]), DataSumOf(path));
    EXPECT_TRUE(ChecksumHolds(path));
    EXPECT_TRUE(disk.HoldsItsFiles(image));
}

TEST(ImgDiskImage, ReplacingASubfileLaysOutAnewThroughTheTemporaryFile)
{
    ImageFiles disk;
    const std::string path = disk.Build("replace.img", {disk.Disk("keep.bin", 4000, 1), disk.Disk("map.bin", 9000, 2)});
    const uint64_t identity = FileIdentity(path);
    // What a failed write once left under the temporary name is not taken over.
    WriteBytes(path + ".tmp", std::vector<uint8_t>(3 << 20, 0x55));
    IMG_VarnokDiskImage image(path.c_str());
    CreateDirectoryA(disk.Path("newer").c_str(), nullptr);
    const std::string newer = disk.Path("newer\\map.bin");
    WriteBytes(newer, Pattern(20000, 9));
    disk.contents["MAP     .BIN"] = Pattern(20000, 9);
    image.AddFile(newer.c_str());
    image.Save(false, nullptr);
    DeleteFileA(newer.c_str());
    RemoveDirectoryA(disk.Path("newer").c_str());

    EXPECT_NE(identity, FileIdentity(path));
    EXPECT_FALSE(FileExists(path + ".tmp"));
    EXPECT_EQ((std::vector<std::string>{"KEEP    .BIN", "MAP     .BIN"}), NamesOf(image));
    EXPECT_TRUE(disk.HoldsItsFiles(image));
    EXPECT_TRUE(ChecksumHolds(path));
    uint32_t total, used, free;
    image.GetSpace(total, used, free);
    EXPECT_EQ(total, ReadBytes(path).size());
}

TEST(ImgDiskImage, NamesOfTheOperations)
{
    ImageFiles disk;
    const std::string path = disk.Empty("names.img");
    {
        IMG_VarnokDiskImage image(path.c_str());
        // Two paths that map to one full name are both added, and refused at the write.
        image.AddFiles({disk.Disk("a-b.txt", 10, 1), disk.Disk("a_b.txt", 20, 2)});
        EXPECT_EQ((std::vector<std::string>{"A_B     .TXT", "A_B     .TXT"}), NamesOf(image));
        EXPECT_TRUE(Raises([&] { image.Save(false, nullptr); }, unit, 1662, 38));
    }

    IMG_VarnokDiskImage other(path.c_str());
    other.AddFiles({disk.Disk("abc.txt", 10), disk.Disk("map.mps", 10)});
    EXPECT_TRUE(other.HasFile(".mps"));
    EXPECT_TRUE(other.HasFile("Txt"));
    EXPECT_FALSE(other.HasFile("mp"));
    other.RenameFile("ABC.TXT", "XYZ");
    EXPECT_EQ("ABC     .TXT", NamesOf(other)[0]);
    other.RenameFile("abc     .txt", "xyz");
    EXPECT_EQ("xyz     .TXT", NamesOf(other)[0]);
    other.SetFileFlag("map.mps", true);
    other.Save(false, nullptr);
    std::vector<IMG_VarnokDiskImage::FileInfo> list;
    other.GetFileInfo(list, false);
    EXPECT_EQ("xyz     .TXT", list[1].name);
    EXPECT_TRUE(list[2].flag);

    EXPECT_TRUE(Raises([&] { other.AddFile(nullptr); }, unit, 380, 24));
    EXPECT_TRUE(Raises([&] { other.AddImage(nullptr); }, unit, 464, 24));
    EXPECT_TRUE(Raises([&] { other.RemoveFile(nullptr); }, unit, 628, 24));
    EXPECT_TRUE(Raises([&] { other.ExtractFile("map.mps", nullptr); }, unit, 695, 24));
    int m, d;
    EXPECT_TRUE(Raises([&] { other.GetDate22(&m, &d, nullptr); }, unit, 771, 24));
    EXPECT_TRUE(Raises([&] { other.FindFile(nullptr, true); }, unit, 844, 24));
    EXPECT_TRUE(Raises([&] { other.GetDate20(nullptr, &d, &m); }, unit, 995, 24));
    EXPECT_TRUE(Raises([&] { other.HasFile(nullptr); }, unit, 1060, 24));
    EXPECT_TRUE(Raises([&] { other.RenameFile("a", nullptr); }, unit, 1202, 24));
    EXPECT_TRUE(Raises([&] { other.SetFileFlag(nullptr, true); }, unit, 1263, 24));
    EXPECT_TRUE(Raises([&] { IMG_VarnokDiskImage(nullptr).AddFile(disk.Path("none").c_str()); }, "IMG_FileIO", 405, 9));
}

TEST(ImgDiskImage, FirstMapSubfileFollowsTheDirectorySetAndAThreeEntrySubfile)
{
    ImageFiles disk;
    IMG_VarnokDiskImage image;
    // In 512-byte blocks, 586 blocks take three entries.
    image.AddFiles({disk.Disk("big.bin", 300000), disk.Disk("map.mps", 100), disk.Disk("late.mps", 100)});
    image.SaveAs(false, false, disk.Path("map.img").c_str(), nullptr);
    ASSERT_EQ(512u, image.GetBlockSize());
    EXPECT_EQ(8u + 4, image.GetHeaderValue87());
    EXPECT_EQ(8u + 4, IMG_GetU32(ReadBytes(disk.Path("map.img")).data() + 0x87));
    EXPECT_DOUBLE_EQ(3.05, image.GetFormatVersion());
}

TEST(ImgDiskImage, NewNameOfTheImageWritesThereAndTheSameNameLosesNothing)
{
    ImageFiles disk;
    const std::string path = disk.Build("named.img", {disk.Disk("one.bin", 7000, 1), disk.Disk("two.bin", 900, 2)});
    const std::vector<uint8_t> original = ReadBytes(path);
    {
        // Elsewhere: the target is deleted first, the image written in place there.
        IMG_VarnokDiskImage image(path.c_str());
        const std::string copy = disk.Path("copy.img");
        WriteBytes(copy, std::vector<uint8_t>(3 << 20, 0x77));
        image.SetImageFileName(copy.c_str(), false);
        image.Save(false, nullptr);
        EXPECT_EQ(copy, image.GetImageFileName());
        EXPECT_EQ(original.size(), ReadBytes(copy).size());
        EXPECT_TRUE(disk.HoldsItsFiles(image));
        EXPECT_EQ(original, ReadBytes(path));
    }
    for (std::string same : {path, path.substr(0, path.size() - 9) + "NAMED.IMG"})
    {
        // The image's own file, however spelt, still holds the data to copy: it is replaced, not deleted first.
        IMG_VarnokDiskImage image(path.c_str());
        image.SetImageFileName(same.c_str(), true);
        image.Save(false, nullptr);
        IMG_VarnokDiskImage reopened(path.c_str());
        EXPECT_EQ(2u, NamesOf(reopened).size());
        EXPECT_TRUE(disk.HoldsItsFiles(reopened));
    }
}

TEST(ImgDiskImage, SubfilesNotYetWrittenAreReadFromTheirOwnSource)
{
    ImageFiles disk;
    const std::string other = disk.Build("other.img", {disk.Disk("x.bin", 30000, 3), disk.Disk("y.bin", 10, 4)}, true);
    IMG_VarnokDiskImage image(disk.Build("base.img", {disk.Disk("a.bin", 5000, 1)}).c_str());
    image.AddFile(disk.Disk("b.bin", 6000, 2).c_str());
    image.AddImage(other.c_str());
    EXPECT_EQ(4u, NamesOf(image).size());
    EXPECT_TRUE(disk.HoldsItsFiles(image));
    EXPECT_EQ(disk.contents["X       .BIN"], BytesOf(image.FindFile("x.bin", true)));
    EXPECT_EQ(disk.contents["X       .BIN"], BytesOf(image.FindFile("x.bin", false)));
    EXPECT_EQ(disk.contents["A       .BIN"], BytesOf(image.FindFile("a.bin", false)));
    EXPECT_FALSE(image.FindFile("b.bin", true));  // a plain disk file
    image.Save(false, nullptr);
    EXPECT_TRUE(disk.HoldsItsFiles(image));
    EXPECT_EQ(disk.contents["B       .BIN"], BytesOf(image.FindFile("b.bin", false)));
}

namespace
{
IMG_FileIO::WindowsCalls realCalls;
int fileReads = 0;

BOOL WINAPI CountedRead(HANDLE file, LPVOID bytes, DWORD count, LPDWORD done, LPOVERLAPPED overlapped)
{
    ++fileReads;
    return realCalls.readFile(file, bytes, count, done, overlapped);
}
}

TEST(ImgDiskImage, CacheKeepsAHundredBlocksAndDropsTheOldestTwenty)
{
    ImageFiles disk;
    IMG_VarnokDiskImage image(disk.Build("cache.img", {disk.Disk("many.bin", 200 * 512, 1)}).c_str());
    ASSERT_EQ(512u, image.GetBlockSize());
    const IMG_CountedPtr<IMG_ImageFile> many = image.FindFile("many.bin", false);
    realCalls = IMG_FileIO::windowsCalls;
    IMG_FileIO::windowsCalls.readFile = CountedRead;
    uint8_t byte;
    auto readsFor = [&](uint32_t k) {
        fileReads = 0;
        many->ReadAt(&byte, k * 512 + 7, 1);
        EXPECT_EQ(disk.contents["MANY    .BIN"][k * 512 + 7], byte);
        return fileReads;
    };
    for (uint32_t k = 0; k < 100; ++k)
        EXPECT_EQ(1, readsFor(k));
    EXPECT_EQ(0, readsFor(0));
    EXPECT_EQ(1, readsFor(100));  // the 101st block: the first twenty leave
    EXPECT_EQ(0, readsFor(20));
    EXPECT_EQ(0, readsFor(100));
    EXPECT_EQ(1, readsFor(19));
    IMG_FileIO::windowsCalls = realCalls;
    EXPECT_EQ(7, RaisedCode([&] { image.ReadCached(0, 500, &byte, 13); }));
}

TEST(ImgDiskImage, FailedWriteThroughTheTemporaryFileKeepsTheImage)
{
    ImageFiles disk;
    const std::string path = disk.Build("kept.img", {disk.Disk("a.bin", 3000, 1), disk.Disk("b.bin", 4000, 2)});
    const std::vector<uint8_t> original = ReadBytes(path);
    IMG_VarnokDiskImage image(path.c_str());
    image.RemoveFile("a.bin");
    for (int nth : {1, 3, 6})
    {
        FailingCall failing(FailingCall::Write, nth);
        EXPECT_EQ(13, RaisedCode([&] { image.Save(false, nullptr); }));
        EXPECT_EQ(original, ReadBytes(path));
    }
    // A move that cannot replace the image leaves it too.
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_TRUE(Raises([&] { image.Save(false, nullptr); }, unit, 1712, 35));
    CloseHandle(holder);
    EXPECT_EQ(original, ReadBytes(path));
    EXPECT_TRUE(disk.HoldsItsFiles(*IMG_CountedPtr<IMG_VarnokDiskImage>(new IMG_VarnokDiskImage(path.c_str()))));

    // The object kept its model: the write succeeds now, with the right checksum.
    image.Save(false, nullptr);
    EXPECT_EQ((std::vector<std::string>{"B       .BIN"}), NamesOf(image));
    EXPECT_TRUE(ChecksumHolds(path));
    EXPECT_FALSE(FileExists(path + ".tmp"));
}

// Appending in place fails at every write call in turn: the next Open either
// finds the previous image, or the new one complete, or refuses the image.
TEST(ImgDiskImage, FailedAppendInPlaceIsNeverReadAsWrongData)
{
    ImageFiles disk;
    const std::string path = disk.Empty("inplace.img");
    {
        IMG_VarnokDiskImage image(path.c_str());
        image.AddFile(disk.Disk("old.bin", 3000, 1).c_str());
        image.Save(false, nullptr);
    }
    const std::vector<uint8_t> previous = ReadBytes(path);
    const std::string added = disk.Disk("new.bin", 5000, 2);
    int refused = 0, old = 0, complete = 0;
    for (int nth = 1; nth <= 12; ++nth)
    {
        SCOPED_TRACE(nth);
        WriteBytes(path, previous);
        IMG_VarnokDiskImage image(path.c_str());
        image.AddFile(added.c_str());
        uint8_t header[512];
        image.ReadCached(0, 0, header, sizeof header);
        {
            FailingCall failing(FailingCall::Write, nth);
            EXPECT_EQ(13, RaisedCode([&] { image.Save(false, nullptr); }));
        }
        // The header sector is read as the failed write left it, not as cached before.
        image.ReadCached(0, 0, header, sizeof header);
        const std::vector<uint8_t> left = ReadBytes(path);
        EXPECT_EQ(0, std::memcmp(left.data(), header, sizeof header));
        {
            IMG_VarnokDiskImage next;
            const int code = RaisedCode([&] { next.Open(path.c_str()); });
            if (code == 4)
            {
                ++refused;
            }
            else
            {
                EXPECT_EQ(-1, code);
                EXPECT_TRUE(disk.HoldsItsFiles(next));
                ++(NamesOf(next).size() == 1 ? old : complete);
            }
        }
        // A second try on the same object completes the image.
        image.Save(false, nullptr);
        EXPECT_EQ(2u, NamesOf(image).size());
        EXPECT_TRUE(ChecksumHolds(path));
        EXPECT_TRUE(disk.HoldsItsFiles(image));
    }
    EXPECT_GE(old, 2);
    EXPECT_GE(refused, 3);
    EXPECT_GE(complete, 2);
}

TEST(ImgDiskImage, OpenDropsChangesNotWrittenAndAppendsKeepTheScrambledForm)
{
    ImageFiles disk;
    const std::string first = disk.Build("first.img", {disk.Disk("a.bin", 3000, 1)});
    const std::string second = disk.Build("second.img", {disk.Disk("b.bin", 4000, 2)});
    IMG_VarnokDiskImage image(first.c_str());
    image.AddFile(disk.Disk("c.bin", 5000, 3).c_str());
    image.Open(second.c_str());
    image.Save(false, nullptr);
    EXPECT_TRUE(disk.HoldsItsFiles(image));
    EXPECT_EQ(1u, NamesOf(image).size());

    const std::string scrambled = disk.Empty("scrambled.img");
    IMG_VarnokDiskImage appended(scrambled.c_str());
    appended.Save(true, nullptr);
    for (const char* name : {"d.bin", "e.bin"})
    {
        appended.AddFile(disk.Disk(name, 2500, 4).c_str());
        appended.Write(nullptr);
    }
    IMG_VarnokDiskImage reopened(scrambled.c_str());
    EXPECT_TRUE(reopened.IsScrambled());
    EXPECT_EQ(2u, NamesOf(reopened).size());
    EXPECT_TRUE(disk.HoldsItsFiles(reopened));
}

TEST(ImgDiskImage, LargestBlockLayoutEmptiedStillWrites)
{
    ImageFiles disk;
    IMG_VarnokDiskImage image;
    image.SetBestFitLayout();
    image.AddFile(disk.Disk("one.bin", 100000).c_str());
    image.SaveAs(false, false, disk.Path("best.img").c_str(), nullptr);
    EXPECT_EQ(0, image.GetSizeClass());
    EXPECT_EQ(512u * 1024, image.GetBlockSize());
    image.RemoveFile("one.bin");
    image.Save(false, nullptr);
    EXPECT_TRUE(NamesOf(image).empty());
    EXPECT_EQ(1024u * 1024, ReadBytes(disk.Path("best.img")).size());
}

// A new layout that raises leaves the file name, every subfile, the geometry,
// the space and the layout mode as they were, so nothing is lost at the next write.
TEST(ImgDiskImage, NewLayoutThatFailsChangesNothing)
{
    ImageFiles disk;
    const std::string path = disk.Path("zero.img");
    {
        // Class 4, where searching all classes finds a smaller one.
        IMG_VarnokDiskImage maker;
        maker.AddFiles({disk.Disk("a.bin", 3000, 1), disk.Disk("b.bin", 10, 2), disk.Disk("c.bin", 4000, 3)});
        maker.SetSizeClass(4);
        maker.SaveAs(false, false, path.c_str(), nullptr);
    }
    // A damaged directory: b's entry (after the directory's own set and a's) gives it size 0.
    std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_EQ('B', bytes[8 * 512 + 2 * 512 + 1]);
    IMG_PutU32(bytes.data() + 8 * 512 + 2 * 512 + 0x0C, 0);
    WriteBytes(path, bytes);
    IMG_VarnokDiskImage image(path.c_str());
    image.SetFileFlag("c.bin", true);
    const std::string before = ModelOf(image);
    const std::string elsewhere = disk.Path("elsewhere.img");
    EXPECT_TRUE(Raises([&] { image.RemoveFile("a.bin"); }, "IMG_FileDescriptor", 89, 32));
    EXPECT_TRUE(Raises([&] { image.SetBestFitLayout(); }, "IMG_FileDescriptor", 89, 32));
    EXPECT_TRUE(Raises([&] { image.SetAutoSize(false); }, "IMG_FileDescriptor", 89, 32));
    EXPECT_TRUE(Raises([&] { image.SetImageFileName(elsewhere.c_str(), false); }, "IMG_FileDescriptor", 89, 32));
    EXPECT_TRUE(Raises([&] { image.SaveAs(false, false, elsewhere.c_str(), nullptr); }, "IMG_FileDescriptor", 89, 32));
    EXPECT_EQ(before, ModelOf(image));
    EXPECT_FALSE(FileExists(elsewhere));
    image.Save(false, nullptr);
    IMG_VarnokDiskImage reopened(path.c_str());
    EXPECT_EQ((std::vector<std::string>{"A       .BIN", "B       .BIN", "C       .BIN"}), NamesOf(reopened));
    // Without the damaged subfile the next layout succeeds, in the mode the image had: all classes searched.
    image.RemoveFile("b.bin");
    EXPECT_EQ(0, image.GetSizeClass());
    EXPECT_EQ(512u, image.GetBlockSize());

    // Class 14 in 512-byte blocks has no room for the area of an empty image.
    IMG_VarnokDiskImage small;
    small.AddFile(disk.Disk("only.bin", 700, 4).c_str());
    small.SetSizeClass(14);
    ASSERT_EQ(512u, small.GetBlockSize());
    const std::string laidOut = ModelOf(small);
    EXPECT_TRUE(Raises([&] { small.RemoveFile("only.bin"); }, "IMG_AllocationTable", 194, 29));
    EXPECT_EQ(laidOut, ModelOf(small));
}

TEST(ImgDiskImage, NewLayoutKeepsTheFlagAndTheNameSetOnASubfile)
{
    ImageFiles disk;
    IMG_VarnokDiskImage image(disk.Build("set.img", {disk.Disk("a.bin", 3000, 1), disk.Disk("b.bin", 900, 2)}).c_str());
    image.SetFileFlag("a.bin", true);
    image.RemoveFile("b.bin");
    image.AddFile(disk.Disk("c.bin", 5000, 3).c_str());
    image.RenameFile("C       .BIN", "RENAMED");
    image.SetAutoSize(true);
    image.Save(false, nullptr);
    std::vector<IMG_VarnokDiskImage::FileInfo> list;
    ASSERT_EQ(3, image.GetFileInfo(list, false));
    EXPECT_EQ("A       .BIN", list[1].name);
    EXPECT_TRUE(list[1].flag);
    EXPECT_EQ("RENAMED .BIN", list[2].name);
    EXPECT_FALSE(list[2].flag);
    const IMG_CountedPtr<IMG_ImageFile> renamed = image.FindFile("renamed.bin", true);
    ASSERT_TRUE(renamed);
    EXPECT_EQ(disk.contents["C       .BIN"], BytesOf(renamed));
}

// Written without its free blocks, so that no test needs gigabytes; the space
// reported is what the header states, within 32 bits.
TEST(ImgDiskImage, ImageOfEverySizeClassOpensAgain)
{
    ImageFiles disk;
    const std::string small = disk.Disk("small.bin", 100, 1);
    const std::string path = disk.Path("class.img");
    for (int sizeClass = 0; sizeClass < 15; ++sizeClass)
    {
        for (bool empty : {true, false})
        {
            SCOPED_TRACE(::testing::Message() << "class " << sizeClass << (empty ? ", empty" : ", one subfile"));
            IMG_VarnokDiskImage image;
            if (!empty)
                image.AddFile(small.c_str());
            image.SetSizeClass(sizeClass);
            image.SaveAs(true, false, path.c_str(), nullptr);
            IMG_VarnokDiskImage reopened;
            ASSERT_EQ(-1, RaisedCode([&] { reopened.Open(path.c_str()); }));
            EXPECT_EQ(empty ? 0u : 1u, NamesOf(reopened).size());
            if (empty)
            {
                EXPECT_EQ(sizeClass, reopened.GetSizeClass());
            }
            uint8_t header[512] = {};
            std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(header), sizeof header);
            const uint64_t stated = static_cast<uint64_t>(IMG_GetU16(header + 0x63)) << (9 + header[0x62]);
            uint32_t total, used, free;
            reopened.GetSpace(total, used, free);
            EXPECT_EQ(stated, total);
            EXPECT_LE(used, total);
            EXPECT_EQ(total, used + free);
        }
    }
}

namespace
{
// 512 bytes of block 1 as the image reads them, cached or not.
std::vector<uint8_t> Block1(IMG_VarnokDiskImage& image)
{
    std::vector<uint8_t> bytes(512);
    image.ReadCached(1, 0, bytes.data(), 512);
    return bytes;
}

std::vector<uint8_t> SectorAt(const std::vector<uint8_t>& file, size_t offset)
{
    return std::vector<uint8_t>(file.begin() + offset, file.begin() + offset + 512);
}
}

// Cached blocks are blocks of one file in one layout: a new layout, a new name
// laid out anew, and every Open, one that fails too, drop them.
TEST(ImgDiskImage, NewLayoutNewNameAndEveryOpenDropTheCachedBlocks)
{
    ImageFiles disk;
    const std::string path = disk.Build("cached.img", {disk.Disk("one.bin", 100000, 1)});
    const std::vector<uint8_t> file = ReadBytes(path);
    {
        IMG_VarnokDiskImage image(path.c_str());
        ASSERT_EQ(512u, image.GetBlockSize());
        uint8_t sector[512];
        image.ReadCached(0, 0, sector, sizeof sector);
        image.SetBestFitLayout();
        ASSERT_GE(image.GetBlockSize(), 16384u);
        // Block 0 is read anew at its new size: the header, the directory and data.
        std::vector<uint8_t> head(16384);
        image.ReadCached(0, 0, head.data(), 16384);
        EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 16384), head);
    }

    // In blocks of 512 KiB, block 1 holds one.bin; laid out anew in 512-byte blocks, it is a zero sector.
    const std::string best = disk.Path("best.img");
    {
        IMG_VarnokDiskImage maker;
        maker.SetBestFitLayout();
        maker.AddFile(disk.Path("one.bin").c_str());
        maker.SaveAs(false, false, best.c_str(), nullptr);
    }
    const std::vector<uint8_t> bestFile = ReadBytes(best);
    const std::vector<uint8_t> cached = SectorAt(bestFile, 512 * 1024);
    ASSERT_NE(SectorAt(bestFile, 512), cached);
    const std::string elsewhere = disk.Path("elsewhere.img");
    auto withBlock1Cached = [&] {
        std::unique_ptr<IMG_VarnokDiskImage> image(new IMG_VarnokDiskImage(best.c_str()));
        EXPECT_EQ(cached, Block1(*image));
        return image;
    };
    {
        auto image = withBlock1Cached();
        image->SetImageFileName(elsewhere.c_str(), false);
        ASSERT_EQ(512u, image->GetBlockSize());
        EXPECT_EQ(SectorAt(bestFile, 512), Block1(*image));
    }
    {
        auto image = withBlock1Cached();
        {
            FailingCall failing(FailingCall::Write, 1);
            EXPECT_EQ(13, RaisedCode([&] { image->SaveAs(false, false, elsewhere.c_str(), nullptr); }));
        }
        ASSERT_EQ(512u, image->GetBlockSize());
        EXPECT_EQ(SectorAt(bestFile, 512), Block1(*image));
    }
    {
        auto image = withBlock1Cached();
        image->Open(path.c_str());
        EXPECT_EQ(SectorAt(file, 512), Block1(*image));
    }
    // No longer an image, or no file at all: block 1 is read from the file again,
    // as a failing read shows. A file that does not open leaves the image as it
    // was, block 1 included.
    const std::string notes = disk.Disk("notes.txt", 4078, 2);
    const std::string missing = disk.Path("missing.img");
    for (const std::string& failing : {notes, missing})
    {
        SCOPED_TRACE(failing);
        auto image = withBlock1Cached();
        EXPECT_NE(-1, RaisedCode([&] { image->Open(failing.c_str()); }));
        {
            FailingCall failingRead(FailingCall::Read, 1);
            EXPECT_NE(-1, RaisedCode([&] { Block1(*image); }));
        }
        if (failing == missing)
        {
            EXPECT_EQ(cached, Block1(*image));
        }
    }
}

namespace
{
// A subfile handed out without its bytes reads its own bytes, or is refused
// (code 32) once the image it reads through has changed.
::testing::AssertionResult OwnBytesOrRefused(const IMG_CountedPtr<IMG_ImageFile>& subfile,
                                             const std::vector<uint8_t>& own)
{
    std::vector<uint8_t> bytes(subfile->GetSize());
    const int code = RaisedCode([&] { subfile->ReadAt(bytes.data(), 0, subfile->GetSize()); });
    if (code == 32 || (code == -1 && bytes == own))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "code " << code << (bytes == own ? ", its own bytes" : ", other bytes");
}
}

TEST(ImgDiskImage, SubfileHandedOutWithoutItsBytesNeverReadsOtherBytes)
{
    ImageFiles disk;
    const std::string path = disk.Build("moves.img", {disk.Disk("x.bin", 5000, 1), disk.Disk("a.bin", 3000, 2)});
    const std::string other = disk.Build("other.img", {disk.Disk("y.bin", 9000, 3)});
    const std::vector<uint8_t> own = disk.contents["A       .BIN"];
    IMG_VarnokDiskImage image(path.c_str());
    IMG_CountedPtr<IMG_ImageFile> a = image.FindFile("a.bin", false);
    EXPECT_EQ(own, BytesOf(a));

    // x.bin leaves, and a.bin moves into its blocks of the same size.
    image.RemoveFile("x.bin");
    image.Save(false, nullptr);
    ASSERT_EQ(512u, image.GetBlockSize());
    EXPECT_TRUE(OwnBytesOrRefused(a, own));
    a = image.FindFile("a.bin", false);
    EXPECT_EQ(own, BytesOf(a));

    image.SetBestFitLayout();
    EXPECT_TRUE(OwnBytesOrRefused(a, own));
    image.Save(false, nullptr);
    a = image.FindFile("a.bin", false);
    EXPECT_EQ(own, BytesOf(a));

    image.Open(other.c_str());
    EXPECT_TRUE(OwnBytesOrRefused(a, own));
}

// The copy reads each new subfile from its disk file; when it fails there, the
// image's own subfiles are still read from the image.
TEST(ImgDiskImage, FailedWriteReadsTheImageAgain)
{
    ImageFiles disk;
    IMG_VarnokDiskImage image(disk.Empty("again.img").c_str());
    image.AddFile(disk.Disk("a.bin", 3000, 1).c_str());
    image.Save(false, nullptr);
    image.AddFiles({disk.Disk("d-1.txt", 10, 2), disk.Disk("d_1.txt", 20, 3)});
    EXPECT_TRUE(Raises([&] { image.Save(false, nullptr); }, unit, 1662, 38));
    EXPECT_EQ(disk.contents["A       .BIN"], BytesOf(image.FindFile("a.bin", false)));
}

// An Open whose file does not open leaves the object as it was, to be written
// as before. One that fails later leaves part of a model, named after a file
// that may be no image at all: no write stores it, until an Open succeeds.
TEST(ImgDiskImage, FailedOpenIsNeverFollowedByAWriteOfPartOfAModel)
{
    ImageFiles disk;
    const std::string path = disk.Build("good.img", {disk.Disk("a.bin", 3000, 1), disk.Disk("b.bin", 900, 2)});
    // b.bin's entry (after the directory's own set and a's) also lists a.bin's first block.
    std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_EQ('B', bytes[8 * 512 + 2 * 512 + 1]);
    IMG_PutU16(bytes.data() + 8 * 512 + 2 * 512 + 0x20, IMG_GetU16(bytes.data() + 8 * 512 + 512 + 0x20));
    const std::string damaged = disk.Path("damaged.img");
    WriteBytes(damaged, bytes);
    const std::string notes = disk.Disk("notes.txt", 4078, 3);
    const std::string elsewhere = disk.Path("elsewhere.img");
    const std::string missing = disk.Path("missing.img");

    // Open it, else make it: made from disk files, then saved as a new image.
    const std::string made = disk.Path("made.img");
    {
        IMG_VarnokDiskImage image;
        image.AddFile(disk.Path("a.bin").c_str());
        EXPECT_EQ(9, RaisedCode([&] { image.Open(missing.c_str()); }));
        EXPECT_EQ(-1, RaisedCode([&] { image.SaveAs(false, false, made.c_str(), nullptr); }));
    }
    {
        IMG_VarnokDiskImage image(made.c_str());
        EXPECT_EQ((std::vector<std::string>{"A       .BIN"}), NamesOf(image));
        EXPECT_TRUE(disk.HoldsItsFiles(image));
    }
    // Opened, with a subfile added: Save stores both, in the same file.
    {
        IMG_VarnokDiskImage image(path.c_str());
        image.AddFile(disk.Disk("c.bin", 700, 4).c_str());
        EXPECT_EQ(9, RaisedCode([&] { image.Open(missing.c_str()); }));
        EXPECT_EQ(path, image.GetImageFileName());
        EXPECT_EQ(-1, RaisedCode([&] { image.Save(false, nullptr); }));
    }
    {
        IMG_VarnokDiskImage image(path.c_str());
        EXPECT_EQ((std::vector<std::string>{"A       .BIN", "B       .BIN", "C       .BIN"}), NamesOf(image));
        EXPECT_TRUE(disk.HoldsItsFiles(image));
    }

    IMG_VarnokDiskImage image(path.c_str());
    for (const auto& failing : std::vector<std::pair<std::string, int>>{{notes, 4}, {damaged, 30}})
    {
        SCOPED_TRACE(failing.first);
        const std::vector<uint8_t> before = ReadBytes(failing.first);
        EXPECT_EQ(failing.second, RaisedCode([&] { image.Open(failing.first.c_str()); }));
        EXPECT_EQ(20, RaisedCode([&] { image.Save(false, nullptr); }));
        EXPECT_EQ(20, RaisedCode([&] { image.Write(nullptr); }));
        EXPECT_EQ(20, RaisedCode([&] { image.SaveAs(false, false, elsewhere.c_str(), nullptr); }));
        EXPECT_EQ(before, ReadBytes(failing.first));
        EXPECT_FALSE(FileExists(failing.first + ".tmp"));
        EXPECT_FALSE(FileExists(elsewhere));
    }

    image.Open(path.c_str());
    image.SaveAs(false, false, elsewhere.c_str(), nullptr);
    EXPECT_TRUE(disk.HoldsItsFiles(image));
}
