// IMG_ImageFile: a subfile's bytes from memory or, piece by piece, from its image.
#include "img_varnok/IMG_ImageFile.h"

#include "img_varnok/IMG_BlockSource.h"
#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_FileBuffer.h"
#include "img_varnok/IMG_FileIO.h"

#include <algorithm>
#include <cctype>
#include <cstring>

IMG_ImageFile::IMG_ImageFile(uint32_t size, uint8_t* bytes, const std::string& name, uint8_t flag)
    : size(size), data(bytes), name(name), flag(flag), blockSize(0), scrambled(0), image(nullptr), generation(0)
{
    for (char& c : this->name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

IMG_ImageFile::IMG_ImageFile(const char* path)
    : size(0), flag(0), blockSize(0), scrambled(0), image(nullptr), generation(0)
{
    IMG_FileIO file;
    file.OpenForRead(path, 0, false);
    IMG_FileBuffer buffer(file.GetFileSize());
    file.ReadWholeFile(buffer);
    size = buffer.GetSize();
    data.reset(buffer.Release());
    name = path;
}

IMG_ImageFile::IMG_ImageFile(IMG_BlockSource* image, const std::vector<uint32_t>& blocks,
                             const std::string& name, uint32_t size, uint8_t flag)
    : size(size), name(name), flag(flag), blockSize(0), scrambled(0), blocks(blocks), image(image), generation(0)
{
    if (!image)
        throw IMG_Exception("IMG_ImageFile", __LINE__, IMG_Exception::NullPointer);
    imagePath = image->GetImageFileName();
    blockSize = image->GetBlockSize();
    scrambled = image->IsScrambled();
    generation = image->GetGeneration();
}

uint32_t IMG_ImageFile::ReadAt(uint8_t* destination, uint32_t offset, uint32_t count)
{
    if (data || !image)
    {
        const uint32_t piece = offset < size ? std::min(count, size - offset) : 0;
        if (piece)
            std::memcpy(destination, data.get() + offset, piece);
        return piece;
    }
    // The blocks may now hold other bytes, or be of another size.
    if (image->GetGeneration() != generation)
        throw IMG_Exception("IMG_ImageFile", __LINE__, IMG_Exception::InvalidFileObject);
    if (blockSize == 0 || offset / blockSize >= blocks.size())
        throw IMG_Exception("IMG_ImageFile", 198, IMG_Exception::ReadPastEnd);
    if (count == 0)
        return 0;
    const uint32_t first = offset / blockSize;
    const uint32_t last = std::min<uint64_t>((static_cast<uint64_t>(offset) + count - 1) / blockSize,
                                             blocks.size() - 1);
    uint32_t done = 0;
    for (uint32_t i = first; i <= last && done < count; ++i)
    {
        const uint32_t from = i == first ? offset % blockSize : 0;
        const uint32_t piece = std::min(blockSize - from, count - done);
        image->ReadCached(blocks[i], from, destination + done, piece);
        done += piece;
    }
    return done;
}
