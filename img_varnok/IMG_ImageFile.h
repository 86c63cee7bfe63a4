// IMG_ImageFile: one subfile handed to a caller, either with its bytes in
// memory or backed by the image that holds its blocks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IMG_BlockSource;

class IMG_ImageFile
{
public:
    // Takes over bytes made with new[] (as IMG_FileBuffer::Release hands them out).
    IMG_ImageFile(uint32_t size, uint8_t* bytes, const std::string& name, uint8_t flag);
    // Reads a whole disk file into memory.
    explicit IMG_ImageFile(const char* path);
    // Reads through the image, block by block, when asked; refused (code 32)
    // once the image's blocks have changed since.
    IMG_ImageFile(IMG_BlockSource* image, const std::vector<uint32_t>& blocks, const std::string& name,
                  uint32_t size, uint8_t flag);
    virtual ~IMG_ImageFile() = default;

    IMG_ImageFile(const IMG_ImageFile&) = delete;
    IMG_ImageFile& operator=(const IMG_ImageFile&) = delete;

    uint32_t GetSize() const { return size; }
    const uint8_t* GetData() const { return data.get(); }
    const std::string& GetName() const { return name; }
    uint8_t GetFlag() const { return flag; }
    // Copies up to count bytes from offset; returns how many.
    uint32_t ReadAt(uint8_t* destination, uint32_t offset, uint32_t count);

private:
    uint32_t size;
    std::unique_ptr<uint8_t[]> data;
    std::string name;
    uint8_t flag;
    std::string imagePath;
    uint32_t blockSize;
    uint8_t scrambled;
    std::vector<uint32_t> blocks;
    IMG_BlockSource* image;
    uint32_t generation;
};
