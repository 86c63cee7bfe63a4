// IMG_ImageDescriptor: laying an image out for a set of subfiles: the size
// class, block size and directory size, the directory's own set, the bitmap,
// and subfiles placed in free blocks.
#include "img_varnok/IMG_ImageDescriptor.h"

#include "img_varnok/IMG_Exception.h"

#include <algorithm>
#include <set>

namespace
{
const char* const unit = "IMG_ImageDescriptor";

const uint32_t sectorSize = 512;
const uint32_t maxTotalBlocks = 0xFFFF;
const uint32_t largestExponent = 15;
// The largest block that the largest-block mode moves to: 512 KiB.
const uint32_t largestBlockModeExponent = 10;

uint32_t CeilDiv(uint32_t value, uint32_t divisor)
{
    return value / divisor + (value % divisor != 0);
}

uint32_t EntriesFor(uint32_t blocks)
{
    return CeilDiv(blocks, IMG_FileDescriptor::BlocksPerEntry);
}

// Blocks of size 2^(9 + exponent) that a class's capacity holds, as a header can state them.
uint32_t CapacityInBlocks(int sizeClass, uint32_t exponent)
{
    const IMG_BootRecord::Geometry& g = IMG_BootRecord::GetClassGeometry(sizeClass);
    uint32_t blocks = (static_cast<uint32_t>(g.totalBlocks) << g.blockExponent) >> exponent;
    if (sizeClass == IMG_BootRecord::ClassCount - 1)
        --blocks;
    return std::min(blocks, maxTotalBlocks);
}
}

uint32_t IMG_ImageDescriptor::BlocksOf(uint32_t size) const
{
    return CeilDiv(size, GetBlockSize());
}

IMG_ImageDescriptor::BlockCount IMG_ImageDescriptor::CountBlocks(uint32_t blockSize,
                                                                 const std::vector<IMG_FileDescriptorPtr>& list) const
{
    uint32_t data = 0, entries = 0;
    for (const IMG_FileDescriptorPtr& file : list)
    {
        const uint32_t blocks = CeilDiv(file->GetSize(), blockSize);
        data += blocks;
        entries += EntriesFor(blocks);
    }
    // The header and the sectors before the directory count as entry-sized slots.
    entries += GetDirectoryStart();
    const uint32_t areaSectors = CeilDiv(entries, std::max(1u, blockSize / sectorSize));
    const uint32_t extra = areaSectors / IMG_FileDescriptor::BlocksPerEntry;
    // Room for the directory's own set.
    entries += extra + 1 + (extra != 0);
    const uint64_t areaBytes = static_cast<uint64_t>(entries) * sectorSize;
    const uint32_t areaBlocks = static_cast<uint32_t>(areaBytes / blockSize + (areaBytes % blockSize != 0));
    return BlockCount{data + areaBlocks, areaBlocks};
}

uint32_t IMG_ImageDescriptor::ChooseGeometry(const std::vector<IMG_FileDescriptorPtr>& list, int mode, int sizeClass)
{
    // The smallest image that fits; ties keep the lower class, then the smaller block.
    struct Choice
    {
        int sizeClass;
        uint32_t exponent, totalBlocks, areaBlocks;
        uint64_t bytes;
    };
    bool found = false;
    Choice best = {};
    const int firstClass = mode == KeepClass ? sizeClass : 0;
    const int lastClass = mode == KeepClass ? sizeClass : IMG_BootRecord::ClassCount - 1;
    for (int c = firstClass; c <= lastClass; ++c)
    {
        for (uint32_t j = 0; j <= largestExponent; ++j)
        {
            const uint32_t blockSize = sectorSize << j;
            const BlockCount count = CountBlocks(blockSize, list);
            const uint32_t capacity = CapacityInBlocks(c, j);
            const uint64_t bytes = static_cast<uint64_t>(count.needed) * blockSize;
            if (count.needed <= capacity && (!found || bytes < best.bytes))
            {
                best = Choice{c, j, capacity, count.areaBlocks, bytes};
                found = true;
            }
        }
    }
    if (!found)
        throw IMG_Exception(unit, 747, IMG_Exception::NotEnoughBlocks);
    header->ChangeSizeClass(best.sizeClass);
    header->SetBlockExponent(static_cast<uint8_t>(best.exponent));
    header->SetTotalBlocks(static_cast<uint16_t>(best.totalBlocks));
    if (mode != LargestBlock)
        return best.areaBlocks;

    // The largest block of at most 512 KiB that the chosen class still fits.
    const uint64_t sectors = static_cast<uint64_t>(best.totalBlocks) << best.exponent;
    for (uint32_t j = largestBlockModeExponent; j > best.exponent; --j)
    {
        const BlockCount count = CountBlocks(sectorSize << j, list);
        const uint32_t capacity = static_cast<uint32_t>(std::min<uint64_t>(sectors >> j, maxTotalBlocks));
        if (count.needed <= capacity)
        {
            header->SetBlockExponent(static_cast<uint8_t>(j));
            header->SetTotalBlocks(static_cast<uint16_t>(capacity));
            return count.areaBlocks;
        }
    }
    return best.areaBlocks;
}

void IMG_ImageDescriptor::Relayout(int mode, int sizeClass)
{
    std::vector<IMG_FileDescriptorPtr> list;
    GetFiles(list, false);
    LayOut(list, mode, sizeClass);
}

void IMG_ImageDescriptor::LayOut(const std::vector<IMG_FileDescriptorPtr>& list, int mode, int sizeClass)
{
    IMG_RaiseOutOfMemory(unit, __LINE__, [&] {
        IMG_ImageDescriptor next;
        CopyModelTo(next);
        next.PlaceAnew(list, mode, sizeClass);
        std::set<const IMG_FileDescriptor*> own;
        for (const IMG_FileDescriptorPtr& file : files)
            own.insert(file.Get());
        // The placed copies follow the directory's own set in list order.
        for (size_t i = 0; i < list.size(); ++i)
        {
            if (own.count(list[i].Get()) == 0)
                continue;
            const IMG_FileDescriptorPtr& placed = next.files[i + 1];
            placed->Rename(list[i]->GetName().c_str());
            placed->SetFileFlag(list[i]->GetFileFlag());
        }
        TakeModelOf(next);
    });
}

void IMG_ImageDescriptor::AddFiles(const std::vector<IMG_FileDescriptorPtr>& sources)
{
    IMG_RaiseOutOfMemory(unit, __LINE__, [&] {
        IMG_ImageDescriptor next;
        CopyModelTo(next);
        for (const IMG_FileDescriptorPtr& source : sources)
            next.AddFile(source);
        TakeModelOf(next);
    });
}

void IMG_ImageDescriptor::CopyModelTo(IMG_ImageDescriptor& next) const
{
    next.imageFileName = imageFileName;
    next.entriesTotal = entriesTotal;
    next.entriesUsed = entriesUsed;
    next.dataSum = dataSum;
    next.truncated = truncated;
    next.scrambled = scrambled;
    next.noChecksum = noChecksum;
    *next.header = *header;
    next.allocation = allocation;
    next.files = files;
}

// The header object stays the one that handles share.
void IMG_ImageDescriptor::TakeModelOf(IMG_ImageDescriptor& next) noexcept
{
    *header = std::move(*next.header);
    allocation = std::move(next.allocation);
    files.swap(next.files);
    entriesTotal = next.entriesTotal;
    entriesUsed = next.entriesUsed;
    dataSum = next.dataSum;
}

void IMG_ImageDescriptor::PlaceAnew(const std::vector<IMG_FileDescriptorPtr>& list, int mode, int sizeClass)
{
    if (sizeClass == CurrentClass)
        sizeClass = GetSizeClass();
    const uint32_t areaShift = header->GetBlockExponent() + 7u;
    uint32_t areaBlocks = areaShift < 32 ? header->GetCapacity() >> areaShift : 0;
    if (list.empty())
    {
        header->ChangeSizeClass(sizeClass);
        // As in the class search, the image's bytes stay within 32 bits.
        const uint32_t capacity = CapacityInBlocks(sizeClass, header->GetBlockExponent());
        if (GetTotalBlocks() > capacity)
            header->SetTotalBlocks(static_cast<uint16_t>(capacity));
        // Never smaller than the area that holds the directory's own set at
        // this block size: a block as large as the class allows would leave none.
        areaBlocks = std::max(areaBlocks, CountBlocks(GetBlockSize(), list).areaBlocks);
    }
    else
    {
        areaBlocks = ChooseGeometry(list, mode, sizeClass);
    }

    files.clear();
    entriesTotal = 0;
    entriesUsed = 0;
    dataSum = 0;
    const uint32_t blockSize = GetBlockSize();
    const std::vector<IMG_EntryPtr> directorySet = IMG_FileDescriptor::MakeDirectoryEntries(areaBlocks, blockSize);
    files.push_back(
        IMG_FileDescriptorPtr(new IMG_FileDescriptor(imageFileName.c_str(), blockSize, scrambled != 0, directorySet)));
    entriesTotal = (areaBlocks << header->GetBlockExponent()) - GetDirectoryStart();
    entriesUsed = EntriesFor(areaBlocks);
    allocation.Init(GetTotalBlocks(), areaBlocks);
    for (uint32_t block = 0; block < areaBlocks; ++block)
        allocation.MarkUsed(block);
    // The data always comes from the file or image it was first read from.
    for (const IMG_FileDescriptorPtr& file : list)
        AddFile(file->GetSource() ? file->GetSource() : file);
}

IMG_FileDescriptorPtr IMG_ImageDescriptor::AddFile(const IMG_FileDescriptorPtr& source)
{
    const uint32_t blocks = BlocksOf(source->GetSize());
    entriesUsed += EntriesFor(blocks);
    std::vector<uint32_t> taken;
    allocation.Allocate(blocks, taken);
    IMG_FileDescriptorPtr placed(new IMG_FileDescriptor(imageFileName.c_str(), GetBlockSize(), source, taken));
    files.push_back(placed);
    return placed;
}
