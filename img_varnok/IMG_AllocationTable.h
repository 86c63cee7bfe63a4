// IMG_AllocationTable: the in-memory bitmap of used blocks from which new
// subfiles take their blocks.
#pragma once

#include <cstdint>
#include <vector>

class IMG_AllocationTable
{
public:
    IMG_AllocationTable() : total(0), firstUsable(0), used(0) {}
    virtual ~IMG_AllocationTable() = default;
    IMG_AllocationTable(const IMG_AllocationTable&) = default;
    IMG_AllocationTable& operator=(const IMG_AllocationTable&) = default;
    // Moving never fails: a layout built aside is taken over with it.
    IMG_AllocationTable(IMG_AllocationTable&&) noexcept = default;
    IMG_AllocationTable& operator=(IMG_AllocationTable&&) noexcept = default;

    // All blocks free; blocks below firstUsable are never given out.
    void Init(uint32_t total, uint32_t firstUsable);
    bool IsFree(uint32_t block) const;
    void MarkUsed(uint32_t block);
    void Release(uint32_t block);
    // Takes count free blocks, appending them to blocks: upward from the used count, then downward.
    void Allocate(uint32_t count, std::vector<uint32_t>& blocks);
    void GetFreeBlocks(std::vector<uint32_t>& blocks) const;

    uint32_t GetTotal() const { return total; }
    uint32_t GetUsedCount() const { return used; }
    uint32_t GetFreeCount() const { return total - used; }

private:
    bool IsSet(uint32_t block) const { return bits[block / 8] & 0x80 >> block % 8; }

    uint32_t total;
    uint32_t firstUsable;
    uint32_t used;
    std::vector<uint8_t> bits;  // block k is bit (7 - k mod 8) of byte k / 8; set means used
};
