// IMG_FileIO: opening, reading, copying and writing image files through Win32.
#include "img_varnok/IMG_FileIO.h"

#include "img_varnok/IMG_BootRecord.h"
#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_FileBuffer.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace
{
const char* const unit = "IMG_FileIO";
const uint32_t sectorSize = 512;
const uint32_t wholeFilePiece = 1024;
const uint32_t zeroChunk = 64 * 1024;

void Raise(int line, int code)
{
    throw IMG_Exception(unit, line, code, GetLastError());
}

HANDLE Open(const char* path, DWORD access, DWORD disposition, DWORD flags, int failLine)
{
    HANDLE handle = CreateFileA(path, access, FILE_SHARE_READ, nullptr, disposition, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        Raise(failLine, IMG_Exception::OpenFailed);
    return handle;
}

void Close(HANDLE& handle)
{
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}

// Offsets are unsigned 32-bit: the high part is always 0.
void Seek(HANDLE handle, uint32_t offset, int line)
{
    LONG high = 0;
    SetLastError(NO_ERROR);
    const DWORD low =
        IMG_FileIO::windowsCalls.setFilePointer(handle, static_cast<LONG>(offset), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        Raise(line, IMG_Exception::SeekFailed);
}

uint32_t Read(HANDLE handle, uint8_t* bytes, uint32_t count, int line)
{
    DWORD done = 0;
    if (count == 0)
        return 0;
    if (!IMG_FileIO::windowsCalls.readFile(handle, bytes, count, &done, nullptr))
        Raise(line, IMG_Exception::ReadFailed);
    return done;
}

void Write(HANDLE handle, const uint8_t* bytes, uint32_t count, int line)
{
    DWORD done = 0;
    if (count == 0)
        return;
    if (!IMG_FileIO::windowsCalls.writeFile(handle, bytes, count, &done, nullptr) || done != count)
        Raise(line, IMG_Exception::WriteFailed);
}

// Writes the bytes, scrambled first when asked.
void WriteInForm(HANDLE handle, std::vector<uint8_t> bytes, bool scramble, int line)
{
    const uint32_t count = static_cast<uint32_t>(bytes.size());
    if (scramble)
        IMG_FileBuffer::Xor(bytes.data(), count);
    Write(handle, bytes.data(), count, line);
}

// Writes count zero bytes, in their scrambled form when asked.
void WriteZeros(HANDLE handle, uint64_t count, bool scramble, int line)
{
    std::vector<uint8_t> zeros(static_cast<size_t>(std::min<uint64_t>(count, zeroChunk)),
                               scramble ? IMG_FileBuffer::ScrambleByte : 0);
    for (uint64_t left = count; left > 0;)
    {
        const uint32_t piece = static_cast<uint32_t>(std::min<uint64_t>(left, zeros.size()));
        Write(handle, zeros.data(), piece, line);
        left -= piece;
    }
}
}

IMG_FileIO::WindowsCalls IMG_FileIO::windowsCalls = {GetFileSizeEx, SetFilePointer, ReadFile, WriteFile};

IMG_FileIO::IMG_FileIO()
    : readBlocksPerBatch(0), writeBlocksPerBatch(0), readBlockSize(0), writeBlockSize(0), writeScrambled(0),
      readScrambled(0), readHandle(INVALID_HANDLE_VALUE), writeHandle(INVALID_HANDLE_VALUE)
{
}

IMG_FileIO::~IMG_FileIO()
{
    Close(readHandle);
    Close(writeHandle);
}

void IMG_FileIO::CloseRead()
{
    Close(readHandle);
    readScrambled = 0;
    readBlocksPerBatch = 0;
    readBlockSize = 0;
}

void IMG_FileIO::CloseWrite()
{
    Close(writeHandle);
    writeScrambled = 0;
    writeBlocksPerBatch = 0;
    writeBlockSize = 0;
}

void IMG_FileIO::OpenForRead(const char* path, uint32_t blockSize, bool scrambled)
{
    if (!path)
        throw IMG_Exception(unit, 388, IMG_Exception::NullPointer);
    // A file that does not open leaves the previous read side as it was.
    const HANDLE opened = Open(path, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_RANDOM_ACCESS, 405);
    CloseRead();
    readHandle = opened;
    readPath = path;
    readBlockSize = blockSize;
    readScrambled = scrambled;
    ComputeBatch();
}

void IMG_FileIO::OpenImageForWrite(const char* path, uint32_t blockSize, bool scrambled)
{
    if (!path)
        throw IMG_Exception(unit, 426, IMG_Exception::NullPointer);
    CloseWrite();
    writeHandle = Open(path, GENERIC_WRITE, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, 442);
    writeBlockSize = blockSize;
    writeScrambled = scrambled;
    ComputeBatch();
}

void IMG_FileIO::OpenForWrite(const char* path)
{
    if (!path)
        throw IMG_Exception(unit, 279, IMG_Exception::NullPointer);
    CloseWrite();
    writeHandle = Open(path, GENERIC_WRITE, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 295);
}

// A batch spans the least common multiple of the two block sizes.
void IMG_FileIO::ComputeBatch()
{
    if (readBlockSize == 0 || writeBlockSize == 0)
        return;
    const uint32_t common = std::gcd(readBlockSize, writeBlockSize);
    readBlocksPerBatch = writeBlockSize / common;
    writeBlocksPerBatch = readBlockSize / common;
}

uint32_t IMG_FileIO::GetFileSize()
{
    LARGE_INTEGER size;
    if (!windowsCalls.getFileSizeEx(readHandle, &size))
        Raise(362, IMG_Exception::FileSizeUnknown);
    if (size.QuadPart >= 0x100000000LL || size.QuadPart < 0)
        throw IMG_Exception(unit, 367, IMG_Exception::FileSizeUnknown);
    return static_cast<uint32_t>(size.QuadPart);
}

uint32_t IMG_FileIO::ReadAt(IMG_FileBuffer& buffer, uint32_t offset)
{
    buffer.Clear();
    Seek(readHandle, offset, 465);
    const uint32_t done = Read(readHandle, buffer.GetData(), buffer.GetSize(), 469);
    // Only the bytes found are unscrambled: the rest stays zero.
    if (readScrambled)
        IMG_FileBuffer::Xor(buffer.GetData(), done);
    return done;
}

uint32_t IMG_FileIO::ReadWholeFile(IMG_FileBuffer& buffer)
{
    Seek(readHandle, 0, 493);
    uint32_t done = 0;
    while (done < buffer.GetSize())
    {
        const uint32_t piece = Read(readHandle, buffer.GetData() + done,
                                    std::min(wholeFilePiece, buffer.GetSize() - done), 509);
        if (piece == 0)
            break;
        done += piece;
    }
    if (readScrambled)
        IMG_FileBuffer::Xor(buffer.GetData(), done);
    return done;
}

void IMG_FileIO::ReadSubfile(const IMG_FileDescriptor& descriptor, IMG_FileBuffer& buffer)
{
    buffer.Clear();
    const uint32_t blockSize = descriptor.GetBlockSize();
    std::vector<uint32_t> blocks;
    descriptor.GetBlocks(blocks);
    uint32_t done = 0;
    for (size_t i = 0; i < blocks.size() && done < buffer.GetSize(); ++i)
    {
        Seek(readHandle, blocks[i] * blockSize, 554);
        const uint32_t piece = std::min(blockSize, buffer.GetSize() - done);
        Read(readHandle, buffer.GetData() + done, piece, 564);
        done += piece;
    }
    if (readScrambled)
        buffer.Xor();
}

void IMG_FileIO::ExtractSubfile(const IMG_FileDescriptor& descriptor)
{
    const uint32_t blockSize = descriptor.GetBlockSize();
    const uint32_t size = descriptor.GetSize();
    std::vector<uint32_t> blocks;
    descriptor.GetBlocks(blocks);
    IMG_FileBuffer buffer(blockSize);
    uint32_t written = 0;
    for (size_t i = 0; i < blocks.size() && written < size; ++i)
    {
        buffer.Clear();
        Seek(readHandle, blocks[i] * blockSize, 605);
        Read(readHandle, buffer.GetData(), blockSize, 611);
        if (readScrambled)
            buffer.Xor();
        const uint32_t piece = std::min(blockSize, size - written);
        Write(writeHandle, buffer.GetData(), piece, 623);
        written += piece;
    }
}

uint32_t IMG_FileIO::CopyFileBlocks(const IMG_FileDescriptor& source, const IMG_FileDescriptor& target)
{
    if (target.IsFromDiskFile())
        return 0;
    std::vector<uint32_t> targetBlocks;
    target.GetBlocks(targetBlocks);
    if (source.IsFromDiskFile())
        return CopyFromDiskFile(targetBlocks);
    std::vector<uint32_t> sourceBlocks;
    source.GetBlocks(sourceBlocks);
    return CopyFromImage(sourceBlocks, targetBlocks);
}

// One target block at a time, read on from the disk file's current position.
uint32_t IMG_FileIO::CopyFromDiskFile(const std::vector<uint32_t>& targetBlocks)
{
    if (writeBlockSize == 0)
        throw IMG_Exception(unit, __LINE__, IMG_Exception::AssertionFailed);
    IMG_FileBuffer buffer(writeBlockSize);
    uint32_t sum = 0;
    for (uint32_t block : targetBlocks)
    {
        buffer.Clear();
        Read(readHandle, buffer.GetData(), writeBlockSize, 238);
        if (writeScrambled)
            buffer.Xor();
        Seek(writeHandle, block * writeBlockSize, 248);
        Write(writeHandle, buffer.GetData(), writeBlockSize, 253);
        sum += IMG_ByteSum(buffer.GetData(), writeBlockSize);
    }
    return sum;
}

// Whole batches: readBlocksPerBatch source blocks fill writeBlocksPerBatch target blocks.
uint32_t IMG_FileIO::CopyFromImage(const std::vector<uint32_t>& sourceBlocks,
                                   const std::vector<uint32_t>& targetBlocks)
{
    if (readBlocksPerBatch == 0 || writeBlocksPerBatch == 0)
        throw IMG_Exception(unit, __LINE__, IMG_Exception::AssertionFailed);
    IMG_FileBuffer buffer(writeBlocksPerBatch * writeBlockSize);
    const bool xorBatch = (readScrambled != 0) != (writeScrambled != 0);
    uint32_t sum = 0;
    size_t nextSource = 0, nextTarget = 0;
    while (nextSource < sourceBlocks.size() && nextTarget < targetBlocks.size())
    {
        buffer.Clear();
        for (uint32_t i = 0; i < readBlocksPerBatch && nextSource < sourceBlocks.size(); ++i, ++nextSource)
        {
            Seek(readHandle, sourceBlocks[nextSource] * readBlockSize, 178);
            Read(readHandle, buffer.GetData() + i * readBlockSize, readBlockSize, 183);
        }
        if (xorBatch)
            buffer.Xor();
        for (uint32_t i = 0; i < writeBlocksPerBatch && nextTarget < targetBlocks.size(); ++i, ++nextTarget)
        {
            const uint8_t* bytes = buffer.GetData() + i * writeBlockSize;
            Seek(writeHandle, targetBlocks[nextTarget] * writeBlockSize, 208);
            Write(writeHandle, bytes, writeBlockSize, 213);
            sum += IMG_ByteSum(bytes, writeBlockSize);
        }
    }
    return sum;
}

void IMG_FileIO::FillBlocks(const std::vector<uint32_t>& blocks)
{
    IMG_FileBuffer buffer(writeBlockSize);
    if (writeScrambled)
        buffer.Xor();
    for (uint32_t block : blocks)
    {
        Seek(writeHandle, block * writeBlockSize, 325);
        Write(writeHandle, buffer.GetData(), writeBlockSize, 330);
    }
}

void IMG_FileIO::WriteImage(const IMG_BootRecord& header, uint32_t entriesTotal,
                            const std::vector<IMG_FileDescriptorPtr>& files)
{
    const uint32_t directoryStart = header.GetDirectoryStart();
    Seek(writeHandle, directoryStart * sectorSize, 645);
    std::vector<uint8_t> directory;
    for (const IMG_FileDescriptorPtr& file : files)
    {
        std::vector<IMG_EntryPtr> entries;
        file->GetEntries(entries);
        for (const IMG_EntryPtr& entry : entries)
            directory.insert(directory.end(), entry.Get(), entry.Get() + IMG_FileDescriptor::EntrySize);
    }
    const uint64_t entriesWritten = directory.size() / IMG_FileDescriptor::EntrySize;
    WriteInForm(writeHandle, std::move(directory), writeScrambled, 669);
    if (entriesWritten < entriesTotal)
    {
        const uint64_t zeroEntries = entriesTotal - entriesWritten;
        WriteZeros(writeHandle, zeroEntries * IMG_FileDescriptor::EntrySize, writeScrambled, 684);
    }
    Seek(writeHandle, 0, 689);
    std::vector<uint8_t> sector(header.GetBytes(), header.GetBytes() + sectorSize);
    WriteInForm(writeHandle, std::move(sector), writeScrambled, 698);
    // The sectors between the header and the directory.
    const uint32_t zeroSectors = directoryStart > 0 ? directoryStart - 1 : 0;
    WriteZeros(writeHandle, static_cast<uint64_t>(zeroSectors) * sectorSize, writeScrambled, 710);
}
