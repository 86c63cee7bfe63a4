// IMG_Bytes: the byte sum, four bytes at a time.
#include "img_varnok/IMG_Bytes.h"

#include <algorithm>
#include <cstring>

uint32_t IMG_ByteSum(const uint8_t* bytes, uint32_t count)
{
    // Two 16-bit lanes of a word gather the even and the odd bytes of each
    // four; 128 words add at most 128 * 510 to a lane, which still fits.
    uint32_t sum = 0;
    uint32_t at = 0;
    while (count - at >= 4)
    {
        uint32_t words = std::min<uint32_t>((count - at) / 4, 128);
        uint32_t lanes = 0;
        for (uint32_t i = 0; i < words; ++i, at += 4)
        {
            uint32_t word;
            std::memcpy(&word, bytes + at, 4);
            lanes += (word & 0x00FF00FF) + (word >> 8 & 0x00FF00FF);
        }
        sum += (lanes & 0xFFFF) + (lanes >> 16);
    }
    for (; at < count; ++at)
        sum += bytes[at];
    return sum;
}
