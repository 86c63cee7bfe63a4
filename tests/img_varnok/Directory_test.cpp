// Directory entries, the name rule and the allocation bitmap.
#include "ImgTestSupport.h"

#include "img_varnok/IMG_AllocationTable.h"

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
