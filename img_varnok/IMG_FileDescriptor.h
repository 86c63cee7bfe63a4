// IMG_FileDescriptor: one subfile of an image, its 512-byte directory entries
// with their block lists, and where its bytes are read from.
#pragma once

#include "img_varnok/IMG_CountedPtr.h"

#include <cstdint>
#include <string>
#include <vector>

// A 512-byte directory entry.
typedef IMG_CountedPtr<uint8_t, IMG_FreeMemory<uint8_t>> IMG_EntryPtr;

class IMG_FileDescriptor;
typedef IMG_CountedPtr<IMG_FileDescriptor> IMG_FileDescriptorPtr;

class IMG_FileDescriptor
{
public:
    static constexpr uint32_t EntrySize = 512;
    static constexpr uint32_t BlocksPerEntry = 240;
    static constexpr uint16_t NoBlock = 0xFFFF;

    // A subfile from entries read from an image (part 0 first).
    IMG_FileDescriptor(const char* imagePath, uint32_t blockSize, bool scrambled,
                       const std::vector<IMG_EntryPtr>& entries);
    // A copy of source placed in the given blocks of the image at imagePath.
    IMG_FileDescriptor(const char* imagePath, uint32_t blockSize, const IMG_FileDescriptorPtr& source,
                       const std::vector<uint32_t>& blocks);
    // A plain disk file, named by the name rule, without blocks yet.
    explicit IMG_FileDescriptor(const char* diskPath);
    virtual ~IMG_FileDescriptor() = default;

    // 512 zero bytes.
    static IMG_EntryPtr NewEntry();
    // The directory's own set: the entries of a header-and-directory area of areaBlocks blocks.
    static std::vector<IMG_EntryPtr> MakeDirectoryEntries(uint32_t areaBlocks, uint32_t blockSize);
    // The full name that a disk file of this path gets ("NAME    .TYP").
    static std::string MakeFullName(const char* path);

    void GetBlocks(std::vector<uint32_t>& blocks) const;
    void GetEntries(std::vector<IMG_EntryPtr>& list) const;
    uint32_t GetEntryCount() const { return static_cast<uint32_t>(entries.size()); }
    uint32_t GetSize() const;
    bool IsDirectoryFile() const;
    bool GetFileFlag() const;
    void SetFileFlag(bool flag);
    // Sets the name part (8 characters, space padded, as given) in every entry.
    void Rename(const char* text);

    const std::string& GetName() const { return name; }
    const std::string& GetType() const { return type; }
    const std::string& GetFullName() const { return fullName; }
    const std::string& GetImagePath() const { return imagePath; }
    bool IsFromDiskFile() const { return fromDiskFile != 0; }
    uint32_t GetBlockSize() const { return blockSize; }
    bool IsScrambled() const { return scrambled != 0; }
    const IMG_FileDescriptorPtr& GetSource() const { return source; }

private:
    const uint8_t* FirstEntry(int line) const;
    void SetNames(const std::string& newName, const std::string& newType);

    std::string name;
    std::string type;
    std::string fullName;
    std::string imagePath;
    int32_t fromDiskFile;
    uint32_t blockSize;
    uint8_t scrambled;
    std::vector<IMG_EntryPtr> entries;
    IMG_FileDescriptorPtr source;
};
