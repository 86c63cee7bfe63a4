// Damaged and random image files: opening one either loads a model that can
// be read safely or raises IMG_Exception with the code of the damage, and
// never takes long.
#include "tests/img_varnok/ImageTestSupport.h"

#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_FileIO.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <random>
#include <set>

namespace
{
const size_t directoryAt = 8 * 512;

// What an image file's directory lists: entry offsets and the blocks of each.
struct Listing
{
    std::vector<size_t> entries;
    uint32_t total;
};

Listing ListOf(const std::vector<uint8_t>& plain)
{
    Listing listing{{}, IMG_GetU16(plain.data() + 0x63)};
    for (size_t at = directoryAt; at + 512 <= plain.size() && plain[at] == 1; at += 512)
        listing.entries.push_back(at);
    return listing;
}

// Number of blocks an entry lists before its first 0xFFFF.
uint32_t ListedBlocks(const std::vector<uint8_t>& plain, size_t entry)
{
    uint32_t count = 0;
    while (count < 240 && IMG_GetU16(plain.data() + entry + 0x20 + 2 * count) != 0xFFFF)
        ++count;
    return count;
}

enum Damage { Truncated, FlippedBytes, RandomEntry, BlockOutOfRange, BlockTwice, RandomFile, DamageCount };

// Damages the image (unscrambled bytes); returns the code a load must raise, or 0 when several can.
int Damaged(std::vector<uint8_t>& plain, Damage damage, std::mt19937& random)
{
    const Listing listing = ListOf(plain);
    const size_t entry = listing.entries[random() % listing.entries.size()];
    const uint32_t listed = ListedBlocks(plain, entry);
    switch (damage)
    {
    case Truncated:
        plain.resize(random() % plain.size());
        return plain.size() < 0x16 ? 4 : 0;
    case FlippedBytes:
        for (int n = 1 + random() % 8; n > 0; --n)
            plain[random() % (directoryAt + 512 * listing.entries.size())] ^= static_cast<uint8_t>(1 + random() % 255);
        return 0;
    case RandomEntry:
        for (size_t i = 1; i < 512; ++i)
            plain[entry + i] = static_cast<uint8_t>(random());
        return 0;
    case BlockOutOfRange:
        IMG_PutU16(plain.data() + entry + 0x20 + 2 * (random() % listed),
                   static_cast<uint16_t>(listing.total + random() % (0xFFFF - listing.total)));
        return 29;
    case BlockTwice:
    {
        const size_t other = listing.entries[random() % listing.entries.size()];
        const uint16_t block = IMG_GetU16(plain.data() + other + 0x20 + 2 * (random() % ListedBlocks(plain, other)));
        size_t slot = random() % listed;
        if (other == entry && IMG_GetU16(plain.data() + entry + 0x20 + 2 * slot) == block)
            slot = (slot + 1) % listed;
        if (IMG_GetU16(plain.data() + entry + 0x20 + 2 * slot) == block)
            return 0;  // a one-block entry listing itself: nothing changed
        IMG_PutU16(plain.data() + entry + 0x20 + 2 * slot, block);
        return 30;
    }
    default:
        plain.resize(random() % 20000);
        for (uint8_t& b : plain)
            b = static_cast<uint8_t>(random());
        if (plain.size() >= 512 && random() % 2)
            std::copy_n("DSKIMG", 6, plain.begin() + 0x10);
        return plain.size() < 512 || std::string(plain.begin() + 0x10, plain.begin() + 0x16) != "DSKIMG" ? 4 : 0;
    }
}

// Reads what a loaded image offers, within bounds; extracts its subfiles when asked.
void UseLoaded(IMG_VarnokDiskImage& image, const std::string& output, bool extract)
{
    std::vector<IMG_VarnokDiskImage::FileInfo> list;
    image.GetFileInfo(list, true);
    std::vector<std::string> names;
    image.GetFileNames(names);
    uint32_t total, used, free;
    image.GetSpace(total, used, free);
    EXPECT_EQ(total, used + free);
    image.HasFile("mps");
    uint8_t bytes[64];
    for (const std::string& name : names)
    {
        const IMG_CountedPtr<IMG_ImageFile> found = image.FindFile(name.c_str(), false);
        if (found && found->GetSize() > 0)
            found->ReadAt(bytes, 0, std::min<uint32_t>(sizeof bytes, found->GetSize()));
        if (extract && found && found->GetSize() <= (1u << 20))
            image.ExtractFile(name.c_str(), output.c_str());
    }
}
}

TEST(ImgDamagedImage, OpeningRaisesTheCodeOfTheDamageOrLoadsSafely)
{
    ImageFiles disk;
    const std::vector<std::string> paths = {disk.Disk("a.bin", 3000, 1), disk.Disk("map.mps", 130000, 2),
                                            disk.Disk("c.txt", 40, 3)};
    std::vector<std::vector<uint8_t>> seeds;
    for (bool scramble : {false, true})
    {
        IMG_VarnokDiskImage image;
        image.AddFiles(paths);
        const std::string seed = disk.Path(scramble ? "seed_s.img" : "seed_p.img");
        image.SaveAs(true, scramble, seed.c_str(), nullptr);
        seeds.push_back(ReadBytes(seed));
    }
    const std::string path = disk.Path("damaged.img"), output = disk.Path("out.bin");
    std::mt19937 random(1234);
    std::map<int, int> codes;
    for (int runs = 0; runs < 3000; ++runs)
    {
        const bool scrambled = runs % 2 != 0;
        std::vector<uint8_t> bytes = scrambled ? Xored(seeds[1]) : seeds[0];
        const Damage damage = static_cast<Damage>(runs / 2 % DamageCount);
        const int expected = Damaged(bytes, damage, random);
        WriteBytes(path, scrambled && damage != RandomFile ? Xored(bytes) : bytes);
        IMG_VarnokDiskImage image;
        const int code = RaisedCode([&] { image.Open(path.c_str()); });
        ++codes[code];
        if (expected != 0)
            ASSERT_EQ(expected, code) << "run " << runs << ", damage " << damage;
        else
            ASSERT_TRUE(code == -1 || code == 4 || code == 29 || code == 30 || code == 37)
                << "run " << runs << ", damage " << damage << ", code " << code;
        // A subfile whose entries list no block has nothing to read.
        if (code == -1)
        {
            const bool extract = runs % 4 == 0;
            ASSERT_THAT(RaisedCode([&] { UseLoaded(image, output, extract); }), ::testing::AnyOf(-1, 7)) << runs;
        }
    }
    for (int code : {-1, 4, 29, 30})
        EXPECT_GT(codes[code], 0) << code;
}

namespace
{
IMG_FileIO::WindowsCalls realCalls;
uint64_t bytesRead = 0;

// Counts what is read; past 64 MiB it fails, so that a walk through the whole file ends early.
BOOL WINAPI BoundedRead(HANDLE file, LPVOID bytes, DWORD count, LPDWORD done, LPOVERLAPPED overlapped)
{
    bytesRead += count;
    if (bytesRead > (64u << 20))
    {
        SetLastError(ERROR_IO_DEVICE);
        return FALSE;
    }
    return realCalls.readFile(file, bytes, count, done, overlapped);
}
}

// A sparse file of 2.6 GB whose header allows 255 blocks of 16 MiB and a
// directory of millions of entries: the entries in use that list no block
// end the walk once there are more than the image has blocks.
TEST(ImgDamagedImage, DirectoryWalkIsBoundedByTheHeaderNotByTheFileSize)
{
    ImageFiles disk;
    const std::string path = disk.Build("sparse.img", {disk.Disk("a.bin", 3000, 1)});
    std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_EQ(2u, ListOf(bytes).entries.size());
    bytes[0x62] = 15;
    IMG_PutU16(bytes.data() + 0x63, 255);
    IMG_PutU32(bytes.data() + directoryAt + 0x0C, 254u << 24);
    bytes.resize(directoryAt + 2 * 512);
    for (int n = 0; n < 300; ++n)
    {
        std::vector<uint8_t> entry(512, 0xFF);
        std::fill_n(entry.begin(), 0x20, 0);
        entry[0] = 1;
        std::copy_n("EMPTY   BIN", 11, entry.begin() + 1);
        IMG_PutU32(entry.data() + 0x0C, 1);
        bytes.insert(bytes.end(), entry.begin(), entry.end());
    }
    WriteBytes(path, bytes);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = 2600000000LL;
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);

    realCalls = IMG_FileIO::windowsCalls;
    IMG_FileIO::windowsCalls.readFile = BoundedRead;
    bytesRead = 0;
    IMG_VarnokDiskImage image;
    const int code = RaisedCode([&] { image.Open(path.c_str()); });
    IMG_FileIO::windowsCalls = realCalls;
    EXPECT_EQ(4, code);
    EXPECT_LT(bytesRead, 1u << 20);
    DeleteFileA(path.c_str());
}
