// IMG_AllocationTable: marking, releasing and the two-pass allocation.
#include "img_varnok/IMG_AllocationTable.h"

#include "img_varnok/IMG_Exception.h"

namespace
{
const char* const unit = "IMG_AllocationTable";
}

void IMG_AllocationTable::Init(uint32_t newTotal, uint32_t newFirstUsable)
{
    bits.assign(newTotal / 8 + (newTotal % 8 != 0), 0);
    total = newTotal;
    firstUsable = newFirstUsable;
    used = 0;
}

bool IMG_AllocationTable::IsFree(uint32_t block) const
{
    if (block >= total || bits.empty())
        throw IMG_Exception(unit, 135, IMG_Exception::BlockOutOfRange);
    return !IsSet(block);
}

void IMG_AllocationTable::MarkUsed(uint32_t block)
{
    if (block >= total || bits.empty())
        throw IMG_Exception(unit, 194, IMG_Exception::BlockOutOfRange);
    if (IsSet(block))
        throw IMG_Exception(unit, 207, IMG_Exception::BlockInUse);
    bits[block / 8] |= static_cast<uint8_t>(0x80 >> block % 8);
    ++used;
}

void IMG_AllocationTable::Release(uint32_t block)
{
    if (block >= total || bits.empty())
        throw IMG_Exception(unit, 160, IMG_Exception::BlockOutOfRange);
    if (!IsSet(block))
        throw IMG_Exception(unit, 173, IMG_Exception::BlockNotInUse);
    bits[block / 8] &= static_cast<uint8_t>(~(0x80 >> block % 8));
    --used;
}

void IMG_AllocationTable::Allocate(uint32_t count, std::vector<uint32_t>& blocks)
{
    if (count > total - used)
        throw IMG_Exception(unit, 231, IMG_Exception::NotEnoughBlocks);
    uint32_t taken = 0;
    auto takeIfFree = [&](uint32_t k) {
        if (!IsSet(k))
        {
            MarkUsed(k);
            blocks.push_back(k);
            ++taken;
        }
    };
    for (uint32_t k = used; k < total && taken < count; ++k)
        takeIfFree(k);
    for (uint32_t k = used; k-- > firstUsable && taken < count;)
        takeIfFree(k);
}

void IMG_AllocationTable::GetFreeBlocks(std::vector<uint32_t>& blocks) const
{
    for (uint32_t k = firstUsable; k < total; ++k)
        if (!IsSet(k))
            blocks.push_back(k);
}
