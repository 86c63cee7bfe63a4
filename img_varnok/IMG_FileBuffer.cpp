// IMG_FileBuffer: allocation, clearing and the four-bytes-at-a-time scrambling.
#include "img_varnok/IMG_FileBuffer.h"

#include "img_varnok/IMG_Exception.h"

#include <cstring>
#include <new>

IMG_FileBuffer::IMG_FileBuffer(uint32_t size) : owns(true), size(size), data(nullptr)
{
    // A block size read from a damaged image can ask for more than there is.
    try
    {
        data = new uint8_t[size]();
    }
    catch (const std::bad_alloc&)
    {
        throw IMG_Exception("IMG_FileBuffer", __LINE__, IMG_Exception::OutOfMemory);
    }
}

IMG_FileBuffer::IMG_FileBuffer(uint8_t* memory, uint32_t size) : owns(false), size(size), data(memory)
{
    Clear();
}

IMG_FileBuffer::~IMG_FileBuffer()
{
    if (owns)
        delete[] data;
}

void IMG_FileBuffer::Clear()
{
    if (size)
        std::memset(data, 0, size);
}

uint8_t* IMG_FileBuffer::Release()
{
    owns = false;
    return data;
}

void IMG_FileBuffer::Xor(uint8_t* bytes, uint32_t count)
{
    const uint32_t key = ScrambleByte * 0x01010101u;
    uint32_t words = count / 4;
    for (uint32_t i = 0; i < words; ++i)
    {
        uint32_t word;
        std::memcpy(&word, bytes + 4 * i, 4);
        word ^= key;
        std::memcpy(bytes + 4 * i, &word, 4);
    }
    for (uint32_t i = 4 * words; i < count; ++i)
        bytes[i] ^= ScrambleByte;
}
