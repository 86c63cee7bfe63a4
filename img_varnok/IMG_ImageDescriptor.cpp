// IMG_ImageDescriptor: construction, loading an image's model, the checksum
// and the space queries.
#include "img_varnok/IMG_ImageDescriptor.h"

#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_FileBuffer.h"
#include "img_varnok/IMG_FileIO.h"

#include <algorithm>
#include <cstring>

namespace
{
const char* const unit = "IMG_ImageDescriptor";

const uint32_t sectorSize = 512;
const uint32_t entrySize = IMG_FileDescriptor::EntrySize;
// Directory entries are read this many at a time.
const uint32_t entriesPerRead = 64;

// Header bytes read as stored.
const int signatureAt = 0x10, sectorExponentAt = 0x61, formatWholeAt = 0x85, formatHundredthsAt = 0x86;
// Entry fields.
const int inUseAt = 0x00, sizeAt = 0x0C, partAt = 0x11, blocksAt = 0x20;

bool HasSignature(const uint8_t* sector)
{
    return std::memcmp(sector + signatureAt, "DSKIMG", 6) == 0 ||
           std::memcmp(sector + signatureAt, "DSDIMG", 6) == 0;
}

// value << exponent in 32 bits; a count the processor would take modulo 32 is taken so here.
uint32_t Shifted(uint32_t value, uint32_t exponent)
{
    return value << (exponent & 31);
}
}

IMG_ImageDescriptor::IMG_ImageDescriptor()
    : entriesTotal(0), entriesUsed(0), dataSum(0), truncated(0), scrambled(0), noChecksum(0),
      header(new IMG_BootRecord())
{
}

IMG_ImageDescriptor::IMG_ImageDescriptor(const IMG_ImageDescriptor& other)
    : imageFileName(other.imageFileName), entriesTotal(0), entriesUsed(0), dataSum(0), truncated(other.truncated),
      scrambled(other.scrambled), noChecksum(other.noChecksum), header(new IMG_BootRecord(other.GetSizeClass()))
{
    const IMG_BootRecord& from = *other.header;
    header->SetSignature(from.IsDsdSignature());
    header->SetName(from.GetName().c_str());
    header->SetHeaderFlag(from.GetHeaderFlag());
    header->SetVersion(from.GetVersion());
    header->SetDescription(from.GetDescription().c_str());
    int month, day, year;
    from.GetDate20(month, day, year);
    header->SetDate20(month, day, year);
    from.GetDate22(month, day, year);
    header->SetDate22(month, day, year);
}

void IMG_ImageDescriptor::SetImageFileName(const char* path)
{
    if (!path)
        throw IMG_Exception(unit, 557, IMG_Exception::NullPointer);
    imageFileName = path;
}

void IMG_ImageDescriptor::Load(IMG_FileIO& file)
{
    if (imageFileName.empty())
        throw IMG_Exception(unit, 366, IMG_Exception::NoImageName);
    IMG_RaiseOutOfMemory(unit, __LINE__, [&] { LoadFrom(file); });
}

void IMG_ImageDescriptor::LoadFrom(IMG_FileIO& file)
{
    entriesTotal = 0;
    entriesUsed = 0;
    truncated = 0;
    scrambled = 0;
    header->Reset();
    allocation.Init(0, 0);
    files.clear();

    // A header that shows no signature may be scrambled: then so is the whole file.
    IMG_FileBuffer sector(sectorSize);
    file.ReadAt(sector, 0);
    if (!HasSignature(sector.GetData()))
    {
        sector.Xor();
        if (!HasSignature(sector.GetData()))
            throw IMG_Exception(unit, 394, IMG_Exception::InvalidHeader);
        scrambled = 1;
        file.SetReadScrambled();
    }
    header->Parse(sector);
    const uint32_t fileSize = file.GetFileSize();
    ReadDirectory(file, fileSize);

    // A checksum of 0, or one stored by formats 3.01 and 3.02, cannot be trusted.
    const uint8_t* bytes = header->GetBytes();
    const uint32_t checksum = header->GetChecksum();
    const uint8_t hundredths = bytes[formatHundredthsAt];
    const bool olderFormat = bytes[formatWholeAt] == 3 && (hundredths == 1 || hundredths == 2);
    if (checksum == 0 || olderFormat)
        noChecksum = 1;
    else
        dataSum = checksum - ComputeChecksum();
    truncated = fileSize < static_cast<uint64_t>(GetBlockSize()) * GetTotalBlocks();
}

// The directory's own set comes first and sizes the header-and-directory area;
// every following entry in use joins the subfile its part number continues.
void IMG_ImageDescriptor::ReadDirectory(IMG_FileIO& file, uint32_t fileSize)
{
    const uint32_t blockSize = GetBlockSize();
    const uint32_t start = GetDirectoryStart() * sectorSize;
    std::vector<IMG_EntryPtr> group;
    auto take = [&](const uint8_t* bytes) {
        IMG_EntryPtr entry = IMG_FileDescriptor::NewEntry();
        std::memcpy(entry.Get(), bytes, entrySize);
        for (uint32_t slot = 0; slot < IMG_FileDescriptor::BlocksPerEntry; ++slot)
        {
            const uint16_t block = IMG_GetU16(bytes + blocksAt + 2 * slot);
            if (block == IMG_FileDescriptor::NoBlock)
                break;
            allocation.MarkUsed(block);
        }
        ++entriesUsed;
        group.push_back(entry);
    };
    auto closeGroup = [&] {
        files.push_back(IMG_FileDescriptorPtr(new IMG_FileDescriptor(imageFileName.c_str(), blockSize,
                                                                     scrambled != 0, group)));
        group.clear();
    };

    IMG_FileBuffer first(entrySize);
    file.ReadAt(first, start);
    const uint32_t areaSize = IMG_GetU32(first.GetData() + sizeAt);
    const uint32_t areaBlocks = areaSize / blockSize + (areaSize % blockSize != 0);
    // Nothing is read or kept for a directory that this header cannot hold.
    CheckGeometry(areaBlocks);
    entriesTotal = Shifted(areaBlocks, header->GetBlockExponent()) - GetDirectoryStart();
    allocation.Init(GetTotalBlocks(), areaBlocks);
    take(first.GetData());

    uint64_t offset = start + static_cast<uint64_t>(entrySize);
    for (uint32_t i = 1; i < entriesTotal && offset < fileSize;)
    {
        const uint64_t inFile = (fileSize - offset + entrySize - 1) / entrySize;
        const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>({entriesPerRead, entriesTotal - i, inFile}));
        IMG_FileBuffer entries(count * entrySize);
        file.ReadAt(entries, static_cast<uint32_t>(offset));
        for (uint32_t k = 0; k < count; ++k)
        {
            const uint8_t* bytes = entries.GetData() + k * entrySize;
            if (bytes[inUseAt] != 1)
                continue;
            // Each entry of a sound directory lists blocks of its own: more
            // entries in use than the image has blocks are no directory of it.
            if (entriesUsed >= GetTotalBlocks())
                throw IMG_Exception(unit, __LINE__, IMG_Exception::InvalidHeader);
            if (bytes[partAt] == 0)
                closeGroup();
            take(bytes);
        }
        i += count;
        offset += static_cast<uint64_t>(count) * entrySize;
    }
    closeGroup();
}

// What the writer relies on: 512-byte sectors, a block size a layout can have,
// an image of fewer than 4 GiB, a directory after the header sector, and a
// header-and-directory area inside the image that holds the directory.
void IMG_ImageDescriptor::CheckGeometry(uint32_t areaBlocks) const
{
    const uint32_t exponent = header->GetBlockExponent();
    const uint32_t start = GetDirectoryStart();
    if (header->GetBytes()[sectorExponentAt] != 9 || exponent > 15 || start == 0 ||
        (static_cast<uint64_t>(GetTotalBlocks()) << exponent) * sectorSize > UINT32_MAX || areaBlocks == 0 ||
        areaBlocks > GetTotalBlocks() || (static_cast<uint64_t>(areaBlocks) << exponent) <= start)
        throw IMG_Exception(unit, __LINE__, IMG_Exception::InvalidHeader);
}

void IMG_ImageDescriptor::GetFiles(std::vector<IMG_FileDescriptorPtr>& list, bool all) const
{
    for (const IMG_FileDescriptorPtr& file : files)
        if (all || !file->IsDirectoryFile())
            list.push_back(file);
}

uint32_t IMG_ImageDescriptor::ComputeChecksum() const
{
    uint32_t sum = header->GetChecksumSum();
    for (const IMG_FileDescriptorPtr& file : files)
    {
        std::vector<IMG_EntryPtr> entries;
        file->GetEntries(entries);
        for (const IMG_EntryPtr& entry : entries)
            sum += IMG_ByteSum(entry.Get(), entrySize);
    }
    return sum;
}

void IMG_ImageDescriptor::SetChecksum(uint32_t newDataSum)
{
    header->SetFormatMarker();
    header->StoreChecksum(ComputeChecksum() + newDataSum);
    dataSum = newDataSum;
    noChecksum = 0;
}

uint32_t IMG_ImageDescriptor::GetUsedBytes() const
{
    return allocation.GetUsedCount() * GetBlockSize();
}

uint32_t IMG_ImageDescriptor::GetTotalBytes() const
{
    return allocation.GetTotal() * GetBlockSize();
}

uint32_t IMG_ImageDescriptor::GetFreeBytes() const
{
    return allocation.GetFreeCount() * GetBlockSize();
}
