// IMG_BlockSource: what a subfile handed out without its bytes needs of the
// image that holds it; the disk-image object provides it.
#pragma once

#include <cstdint>
#include <string>

class IMG_BlockSource
{
public:
    virtual ~IMG_BlockSource() = default;

    virtual std::string GetImageFileName() = 0;
    virtual uint32_t GetBlockSize() = 0;
    virtual bool IsScrambled() = 0;
    // Changes whenever block numbers handed out before may name other bytes:
    // a new layout, an Open, a write.
    virtual uint32_t GetGeneration() = 0;
    // Copies count unscrambled bytes from offset within the block to destination.
    virtual void ReadCached(uint32_t block, uint32_t offset, uint8_t* destination, uint32_t count) = 0;
};
