// IMG_Bytes: little-endian fields in byte buffers, and the byte sum of a buffer.
#pragma once

#include <cstdint>

inline uint16_t IMG_GetU16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

inline uint32_t IMG_GetU32(const uint8_t* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

inline void IMG_PutU16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

inline void IMG_PutU32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(value >> 8 * i);
}

// The unsigned 32-bit sum of every byte.
uint32_t IMG_ByteSum(const uint8_t* bytes, uint32_t count);
