// IMG_FileBuffer: the byte buffer of all file traffic, owned or wrapping the
// caller's memory, and the scrambling applied to it.
#pragma once

#include <cstdint>

class IMG_FileBuffer
{
public:
    // A scrambled image has every byte XORed with this one constant.
    static constexpr uint8_t ScrambleByte = 0x3C;

    // Owns size new cleared bytes.
    explicit IMG_FileBuffer(uint32_t size);
    // Wraps the caller's memory without owning it, and clears it.
    IMG_FileBuffer(uint8_t* memory, uint32_t size);
    virtual ~IMG_FileBuffer();

    IMG_FileBuffer(const IMG_FileBuffer&) = delete;
    IMG_FileBuffer& operator=(const IMG_FileBuffer&) = delete;

    void Clear();
    uint32_t GetSize() const { return size; }
    uint8_t* GetData() const { return data; }
    // Hands the bytes (made with new[]) to the caller, who frees them.
    uint8_t* Release();

    // Scrambles or unscrambles the whole buffer (the same operation).
    void Xor() { Xor(data, size); }
    // The same on the first count bytes of any memory.
    static void Xor(uint8_t* bytes, uint32_t count);

private:
    bool owns;
    uint32_t size;
    uint8_t* data;
};
