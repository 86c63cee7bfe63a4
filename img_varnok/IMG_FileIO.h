// IMG_FileIO: all byte traffic of one open image: a read side (an image or a
// plain disk file) and a write side (an image or an extracted file), moving
// subfile data in whole-block batches and scrambling on the way in and out.
#pragma once

#include "img_varnok/IMG_FileDescriptor.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class IMG_BootRecord;
class IMG_FileBuffer;

class IMG_FileIO
{
public:
    IMG_FileIO();
    ~IMG_FileIO();

    IMG_FileIO(const IMG_FileIO&) = delete;
    IMG_FileIO& operator=(const IMG_FileIO&) = delete;

    void CloseRead();
    void CloseWrite();
    // blockSize 0 for a plain disk file.
    void OpenForRead(const char* path, uint32_t blockSize, bool scrambled);
    // Opens or creates an image without shortening it.
    void OpenImageForWrite(const char* path, uint32_t blockSize, bool scrambled);
    // Creates the output file of an extracted subfile.
    void OpenForWrite(const char* path);
    bool IsOpen() const { return readHandle != INVALID_HANDLE_VALUE; }
    void SetReadScrambled() { readScrambled = 1; }
    bool IsReadScrambled() const { return readScrambled != 0; }
    // The path open for reading; empty when the read side is closed.
    std::string GetReadPath() const { return IsOpen() ? readPath : std::string(); }

    // Size of the read file; 4 GiB or more: code 33.
    uint32_t GetFileSize();
    // Fills the buffer from offset of the read file (zeros past its end); returns the bytes read.
    uint32_t ReadAt(IMG_FileBuffer& buffer, uint32_t offset);
    // Fills the buffer from the start of the read file; returns the bytes read.
    uint32_t ReadWholeFile(IMG_FileBuffer& buffer);
    // Fills the buffer with the subfile's bytes from its blocks.
    void ReadSubfile(const IMG_FileDescriptor& descriptor, IMG_FileBuffer& buffer);
    // Writes the subfile's bytes, read from its blocks, to the write side.
    void ExtractSubfile(const IMG_FileDescriptor& descriptor);
    // Copies the source's data into the target's blocks; returns the byte sum written.
    uint32_t CopyFileBlocks(const IMG_FileDescriptor& source, const IMG_FileDescriptor& target);
    // Writes zero blocks.
    void FillBlocks(const std::vector<uint32_t>& blocks);
    // Writes the header, the zero sectors and the directory.
    void WriteImage(const IMG_BootRecord& header, uint32_t entriesTotal,
                    const std::vector<IMG_FileDescriptorPtr>& files);

    uint32_t GetReadBlocksPerBatch() const { return readBlocksPerBatch; }
    uint32_t GetWriteBlocksPerBatch() const { return writeBlocksPerBatch; }

    // The Windows file calls made here; tests replace one to make it fail, or to
    // stand for a file too large to create.
    struct WindowsCalls
    {
        BOOL (WINAPI* getFileSizeEx)(HANDLE, PLARGE_INTEGER);
        DWORD (WINAPI* setFilePointer)(HANDLE, LONG, PLONG, DWORD);
        BOOL (WINAPI* readFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
        BOOL (WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    };
    static WindowsCalls windowsCalls;

private:
    void ComputeBatch();
    uint32_t CopyFromDiskFile(const std::vector<uint32_t>& targetBlocks);
    uint32_t CopyFromImage(const std::vector<uint32_t>& sourceBlocks, const std::vector<uint32_t>& targetBlocks);

    uint32_t readBlocksPerBatch;
    uint32_t writeBlocksPerBatch;
    uint32_t readBlockSize;
    uint32_t writeBlockSize;
    uint8_t writeScrambled;
    uint8_t readScrambled;
    HANDLE readHandle;
    HANDLE writeHandle;
    std::string readPath;
};
