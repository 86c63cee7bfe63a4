// A subfile handed to a caller: from memory, from a disk file, or backed by its image.
#include "tests/img_varnok/ImgTestSupport.h"

#include "img_varnok/IMG_BlockSource.h"
#include "img_varnok/IMG_ImageFile.h"

#include <cstring>

namespace
{
// An image of 512-byte blocks whose byte at (block, offset) is block + offset.
class FakeImage : public IMG_BlockSource
{
public:
    struct Piece
    {
        uint32_t block, offset, count;
        bool operator==(const Piece& o) const { return block == o.block && offset == o.offset && count == o.count; }
    };
    std::vector<Piece> pieces;

    std::string GetImageFileName() override { return "c:\\maps\\fake.img"; }
    uint32_t GetBlockSize() override { return 512; }
    bool IsScrambled() override { return true; }
    uint32_t GetGeneration() override { return 0; }
    void ReadCached(uint32_t block, uint32_t offset, uint8_t* destination, uint32_t count) override
    {
        pieces.push_back({block, offset, count});
        for (uint32_t i = 0; i < count; ++i)
            destination[i] = static_cast<uint8_t>(block + offset + i);
    }
};
}

TEST(ImgImageFile, HoldsBytesInMemory)
{
    uint8_t* bytes = new uint8_t[6]{1, 2, 3, 4, 5, 6};
    IMG_ImageFile file(6, bytes, "abc     .txt", 1);
    EXPECT_EQ("ABC     .TXT", file.GetName());
    EXPECT_EQ(6u, file.GetSize());
    EXPECT_EQ(1, file.GetFlag());
    EXPECT_EQ(bytes, file.GetData());
    uint8_t out[8] = {};
    EXPECT_EQ(4u, file.ReadAt(out, 2, 8));
    EXPECT_EQ(0, std::memcmp(out, bytes + 2, 4));
    EXPECT_EQ(2u, file.ReadAt(out, 0, 2));
    EXPECT_EQ(0u, file.ReadAt(out, 6, 1));
}

TEST(ImgImageFile, ReadsAWholeDiskFile)
{
    TempFolder folder;
    const std::vector<uint8_t> data = Pattern(5000, 9);
    WriteBytes(folder.Path("whole.bin"), data);
    IMG_ImageFile file(folder.Path("whole.bin").c_str());
    EXPECT_EQ(5000u, file.GetSize());
    EXPECT_EQ(folder.Path("whole.bin"), file.GetName());
    EXPECT_EQ(0, std::memcmp(data.data(), file.GetData(), 5000));
    EXPECT_TRUE(Raises([] { IMG_ImageFile f(nullptr); }, "IMG_FileIO", 388, 24));
}

TEST(ImgImageFile, ImageBackedReadsGoBlockByBlockThroughTheImage)
{
    FakeImage image;
    IMG_ImageFile file(&image, {7, 3, 9}, "MAP     .MPS", 1400, 0);
    EXPECT_EQ(nullptr, file.GetData());
    EXPECT_EQ(1400u, file.GetSize());

    std::vector<uint8_t> out(3000);
    // From the middle of the first block into the second.
    EXPECT_EQ(100u, file.ReadAt(out.data(), 500, 100));
    EXPECT_EQ((std::vector<FakeImage::Piece>{{7, 500, 12}, {3, 0, 88}}), image.pieces);
    EXPECT_EQ(static_cast<uint8_t>(7 + 500), out[0]);
    EXPECT_EQ(3 + 0, out[12]);

    // Whole middle blocks.
    image.pieces.clear();
    EXPECT_EQ(1124u, file.ReadAt(out.data(), 100, 1124));
    EXPECT_EQ((std::vector<FakeImage::Piece>{{7, 100, 412}, {3, 0, 512}, {9, 0, 200}}), image.pieces);

    // In the last block, reaching past the end: only to the end of that block.
    image.pieces.clear();
    EXPECT_EQ(488u, file.ReadAt(out.data(), 1048, 2000));
    EXPECT_EQ((std::vector<FakeImage::Piece>{{9, 24, 488}}), image.pieces);

    EXPECT_TRUE(Raises([&] { file.ReadAt(out.data(), 1536, 1); }, "IMG_ImageFile", 198, 7));
    EXPECT_TRUE(Raises([&] { IMG_ImageFile(&image, {}, "X", 1, 0).ReadAt(out.data(), 0, 1); }, "IMG_ImageFile",
                       198, 7));
}
