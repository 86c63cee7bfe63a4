// IMG_ImageDescriptor: the in-memory model of one image: its header, its
// subfiles with their directory entries, the bitmap of used blocks, and the
// counters and flags a writer needs. Loads the model from an image file, lays
// an image out anew for a set of subfiles, and keeps the checksum.
#pragma once

#include "img_varnok/IMG_AllocationTable.h"
#include "img_varnok/IMG_BootRecord.h"
#include "img_varnok/IMG_CountedPtr.h"
#include "img_varnok/IMG_FileDescriptor.h"

#include <cstdint>
#include <string>
#include <vector>

class IMG_FileIO;

class IMG_ImageDescriptor
{
public:
    // The size class argument of a layout that keeps the current class.
    static constexpr int CurrentClass = 15;

    // Layout modes: keep the given class, search all classes, search all
    // classes and then take the largest block of at most 512 KiB that fits.
    enum LayoutMode { KeepClass = 0, SearchClasses = 1, LargestBlock = 2 };

    // Blocks a layout needs: the data blocks plus the header-and-directory area.
    struct BlockCount
    {
        uint32_t needed;
        uint32_t areaBlocks;
    };

    IMG_ImageDescriptor();
    // The other's file name, flags and header texts, versions and dates in a
    // fresh header of its class; no directory.
    IMG_ImageDescriptor(const IMG_ImageDescriptor& other);
    IMG_ImageDescriptor& operator=(const IMG_ImageDescriptor&) = delete;
    virtual ~IMG_ImageDescriptor() = default;

    void SetImageFileName(const char* path);
    const std::string& GetImageFileName() const { return imageFileName; }

    // Reads the model from the image open on the file object's read side.
    void Load(IMG_FileIO& file);

    void GetFiles(std::vector<IMG_FileDescriptorPtr>& list, bool all) const;
    // Lays the current subfiles out anew.
    void Relayout(int mode, int sizeClass);
    // Rebuilds the directory and bitmap for the subfiles; their data is copied
    // from where it was first read, and subfiles of this model keep the name
    // and flag set on them. All or nothing: when it raises, the model is as before.
    void LayOut(const std::vector<IMG_FileDescriptorPtr>& list, int mode, int sizeClass);
    // Places a subfile that copies source in free blocks of the current layout.
    IMG_FileDescriptorPtr AddFile(const IMG_FileDescriptorPtr& source);
    // Places a copy of every source, or of none when one cannot be placed.
    void AddFiles(const std::vector<IMG_FileDescriptorPtr>& sources);
    BlockCount CountBlocks(uint32_t blockSize, const std::vector<IMG_FileDescriptorPtr>& list) const;
    // Picks size class, block size and total blocks for the subfiles; returns the area blocks.
    uint32_t ChooseGeometry(const std::vector<IMG_FileDescriptorPtr>& list, int mode, int sizeClass);

    // The header (without its checksum bytes) and every directory entry, summed.
    uint32_t ComputeChecksum() const;
    // Stores the checksum for data blocks that sum to dataSum.
    void SetChecksum(uint32_t dataSum);
    uint32_t GetDataSum() const { return dataSum; }

    uint32_t GetUsedBytes() const;
    uint32_t GetTotalBytes() const;
    uint32_t GetFreeBytes() const;

    IMG_CountedPtr<IMG_BootRecord> GetHeader() const { return header; }
    bool IsTruncated() const { return truncated != 0; }
    bool IsScrambled() const { return scrambled != 0; }
    bool IsNoChecksum() const { return noChecksum != 0; }
    uint32_t GetEntriesTotal() const { return entriesTotal; }
    uint32_t GetEntriesUsed() const { return entriesUsed; }
    const IMG_AllocationTable& GetAllocation() const { return allocation; }

    // The header's fields.
    uint32_t GetCreationTime() const { return header->GetCreationTime(); }
    double GetFormatVersion() const { return header->GetFormatVersion(); }
    uint32_t GetValue87() const { return header->GetValue87(); }
    int GetSizeClass() const { return header->GetSizeClass(); }
    const std::string& GetName() const { return header->GetName(); }
    void GetDate20(int& month, int& day, int& year) const { header->GetDate20(month, day, year); }
    void GetDate22(int& month, int& day, int& year) const { header->GetDate22(month, day, year); }
    float GetVersion() const { return header->GetVersion(); }
    const std::string& GetDescription() const { return header->GetDescription(); }
    bool IsDsdSignature() const { return header->IsDsdSignature(); }
    bool GetHeaderFlag() const { return header->GetHeaderFlag(); }
    void SetSignature(bool dsd) { header->SetSignature(dsd); }
    void SetDate20(int month, int day, int year) { header->SetDate20(month, day, year); }
    void SetDate22(int month, int day, int year) { header->SetDate22(month, day, year); }
    void SetName(const char* text) { header->SetName(text); }
    void SetHeaderFlag(bool flag) { header->SetHeaderFlag(flag); }
    void SetVersion(float version) { header->SetVersion(version); }
    void SetDescription(const char* text) { header->SetDescription(text); }
    void StampDate() { header->StampDate(); }
    uint32_t GetBlockSize() const { return header->GetBlockSize(); }
    uint32_t GetDirectoryStart() const { return header->GetDirectoryStart(); }
    uint16_t GetTotalBlocks() const { return header->GetTotalBlocks(); }

private:
    // A change is built on a copy of the model, which is taken over only when complete.
    void CopyModelTo(IMG_ImageDescriptor& next) const;
    void TakeModelOf(IMG_ImageDescriptor& next) noexcept;
    void PlaceAnew(const std::vector<IMG_FileDescriptorPtr>& list, int mode, int sizeClass);
    void LoadFrom(IMG_FileIO& file);
    void ReadDirectory(IMG_FileIO& file, uint32_t fileSize);
    void CheckGeometry(uint32_t areaBlocks) const;
    uint32_t BlocksOf(uint32_t size) const;

    std::string imageFileName;
    uint32_t entriesTotal;
    uint32_t entriesUsed;
    uint32_t dataSum;
    uint8_t truncated;
    uint8_t scrambled;
    uint8_t noChecksum;
    IMG_CountedPtr<IMG_BootRecord> header;
    IMG_AllocationTable allocation;
    std::vector<IMG_FileDescriptorPtr> files;
};
