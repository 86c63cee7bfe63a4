// IMG_VarnokDiskImage: writing the image (in place or through a temporary
// file), the fit test for appending, the checksum update and the block cache.
#include "img_varnok/IMG_VarnokDiskImage.h"

#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_FileIO.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <set>

namespace
{
const char* const unit = "IMG_VarnokDiskImage";

const uint32_t sectorSize = 512;
const size_t cacheLimit = 100;
const size_t cacheEviction = 20;

// Header bytes outside the checksum: the check byte and the checksum itself.
const uint32_t checkByteAt = 0x0F, checksumAt = 0x24, checksumSize = 4;
const uint32_t signatureAt = 0x10, signatureSize = 6;

uint32_t CeilDiv(uint32_t value, uint32_t divisor)
{
    return value / divisor + (value % divisor != 0);
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

bool SameFile(const std::string& a, const std::string& b)
{
    return _stricmp(FullPath(a).c_str(), FullPath(b).c_str()) == 0;
}

// Deletes a file that may not exist; any other failure raises code 34.
void DeleteIfPresent(const std::string& path, int line)
{
    if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        throw IMG_Exception(unit, line, IMG_Exception::DeleteFailed, GetLastError());
}

void SendProgress(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window)
        SendMessageW(window, message, wParam, lParam);
}
}

// Appending in place writes the new subfiles' data into free blocks, then the
// directory and the header. A write that lays the image out anew builds it in
// the image file name plus ".tmp", which then replaces the image file.
void IMG_VarnokDiskImage::Write(HWND progressWindow)
{
    RequireLoaded();
    // The copy moves the read side to the subfiles' sources: a write that
    // fails puts it back on the file it read before.
    const std::string readPath = file->GetReadPath();
    const bool readScrambled = file->IsReadScrambled();
    try
    {
        IMG_RaiseOutOfMemory(unit, __LINE__, [&] { WriteModel(progressWindow); });
    }
    catch (...)
    {
        file->CloseRead();
        try
        {
            if (!readPath.empty())
                file->OpenForRead(readPath.c_str(), 0, readScrambled);
        }
        catch (const IMG_Exception&)
        {
            // The write's own failure is the one to report.
        }
        throw;
    }
}

// Part of a model, left by an Open that failed, is never written.
void IMG_VarnokDiskImage::RequireLoaded() const
{
    if (openFailed)
        throw IMG_Exception(unit, __LINE__, IMG_Exception::NoImageLoaded);
}

void IMG_VarnokDiskImage::WriteModel(HWND progressWindow)
{
    // The new layout comes first: when it raises, nothing has changed yet.
    // A write never deletes or overwrites a file that it still copies data
    // from, and a checksum that cannot be trusted cannot be updated for the
    // new data alone.
    const bool readsFromImageFile = ReadsFromImageFile();
    if (!relayoutDone && (readsFromImageFile || descriptor->IsNoChecksum()))
        RelayOut();
    if (readsFromImageFile)
        deleteTargetFirst = 0;
    // From here the image file may change, whether the write succeeds or not.
    file->CloseRead();
    ClearCache();
    const std::string imagePath = descriptor->GetImageFileName();
    if (deleteTargetFirst)
        DeleteIfPresent(imagePath, 1583);
    descriptor->StampDate();
    const bool throughTemporaryFile = relayoutDone != 0;
    const std::string target = throughTemporaryFile ? imagePath + ".tmp" : imagePath;
    // What a failed write left there must not show through the new image.
    if (throughTemporaryFile)
        DeleteIfPresent(target, __LINE__);

    WriteSideCloser closer(*file);
    file->OpenImageForWrite(target.c_str(), GetBlockSize(), scrambleOnWrite != 0);
    std::vector<IMG_FileDescriptorPtr> files;
    descriptor->GetFiles(files, true);
    const LPARAM lastStep = static_cast<LPARAM>(files.size() - 1);
    SendProgress(progressWindow, PBM_SETRANGE, 0, lastStep << 16);
    SendProgress(progressWindow, PBM_SETPOS, 0, 0);
    uint32_t copiedSum = 0, value87 = 0;
    CopySubfiles(files, progressWindow, copiedSum, value87);
    file->CloseRead();
    descriptor->GetHeader()->SetValue87(value87);
    const uint32_t dataSumBefore = descriptor->GetDataSum();
    descriptor->SetChecksum(dataSumBefore + copiedSum);
    try
    {
        if (!throughTemporaryFile)
            MarkWriteUnfinished();
        file->WriteImage(*descriptor->GetHeader(), descriptor->GetEntriesTotal(), files);
        if (!truncated)
        {
            std::vector<uint32_t> freeBlocks;
            descriptor->GetAllocation().GetFreeBlocks(freeBlocks);
            file->FillBlocks(freeBlocks);
        }
        file->CloseWrite();
        // Replaced in one step: the previous image stays whole until then.
        if (throughTemporaryFile && !MoveFileExA(target.c_str(), imagePath.c_str(), MOVEFILE_REPLACE_EXISTING))
            throw IMG_Exception(unit, 1712, IMG_Exception::RenameFailed, GetLastError());
    }
    catch (...)
    {
        // A retry copies the same data again and must not count it twice.
        descriptor->SetChecksum(dataSumBefore);
        throw;
    }

    deleteTargetFirst = 0;
    relayoutDone = 0;
    file->OpenForRead(imagePath.c_str(), 0, false);
    descriptor->Load(*file);
    // Later appends keep the form the image now has.
    scrambleOnWrite = descriptor->IsScrambled();
}

// Copies every subfile that has a source into its blocks, adding the bytes
// written to the sum; finds the first map-entry sector on the way.
void IMG_VarnokDiskImage::CopySubfiles(const std::vector<IMG_FileDescriptorPtr>& files, HWND progressWindow,
                                       uint32_t& sum, uint32_t& value87)
{
    const uint32_t directoryStart = descriptor->GetDirectoryStart();
    uint32_t entriesBefore = 0;
    std::set<std::string> copied;
    for (const IMG_FileDescriptorPtr& target : files)
    {
        if (value87 == 0)
        {
            if (_stricmp(target->GetType().c_str(), "MPS") != 0)
                entriesBefore += target->GetEntryCount();
            else
                value87 = directoryStart + entriesBefore;
        }
        const IMG_FileDescriptorPtr& source = target->GetSource();
        if (!source)
            continue;
        if (_stricmp(source->GetImagePath().c_str(), file->GetReadPath().c_str()) != 0)
        {
            file->CloseRead();
            file->OpenForRead(source->GetImagePath().c_str(), source->GetBlockSize(), source->IsScrambled());
        }
        if (!copied.insert(Upper(source->GetFullName())).second)
            throw IMG_Exception(unit, 1662, IMG_Exception::DuplicateFile);
        sum += file->CopyFileBlocks(*source, *target);
        SendProgress(progressWindow, PBM_DELTAPOS, 1, 0);
    }
}

// Until the directory and the header are complete, the header sector carries
// no signature: a write that fails there leaves an image that no longer opens
// (code 4) rather than one whose directory is half old and half new.
void IMG_VarnokDiskImage::MarkWriteUnfinished()
{
    IMG_FileBuffer sector(sectorSize);
    descriptor->GetHeader()->CopyTo(sector);
    std::memset(sector.GetData() + signatureAt, 0, signatureSize);
    IMG_BootRecord unfinished;
    unfinished.Parse(sector);
    file->WriteImage(unfinished, 0, std::vector<IMG_FileDescriptorPtr>());
}

bool IMG_VarnokDiskImage::ReadsFromImageFile() const
{
    std::vector<IMG_FileDescriptorPtr> files;
    descriptor->GetFiles(files, true);
    const std::string imagePath = descriptor->GetImageFileName();
    return std::any_of(files.begin(), files.end(), [&](const IMG_FileDescriptorPtr& f) {
        return f->GetSource() && SameFile(f->GetSource()->GetImagePath(), imagePath);
    });
}

bool IMG_VarnokDiskImage::FitsCurrentLayout(const std::vector<IMG_FileDescriptorPtr>& incoming)
{
    const uint32_t blockSize = GetBlockSize();
    const uint32_t directoryStart = descriptor->GetDirectoryStart();
    uint32_t data = 0, entries = 0;
    for (const IMG_FileDescriptorPtr& subfile : Subfiles())
    {
        data += CeilDiv(subfile->GetSize(), blockSize);
        entries += subfile->GetEntryCount();
    }
    for (const IMG_FileDescriptorPtr& added : incoming)
    {
        const uint32_t blocks = CeilDiv(added->GetSize(), blockSize);
        data += blocks;
        entries += CeilDiv(blocks, IMG_FileDescriptor::BlocksPerEntry);
    }
    // The free space is compared with all the data, old and new.
    if (descriptor->GetFreeBytes() < static_cast<uint64_t>(data) * blockSize)
        return false;
    const uint32_t areaSectors = CeilDiv(directoryStart + entries, std::max(1u, blockSize / sectorSize));
    const uint32_t extra = areaSectors / IMG_FileDescriptor::BlocksPerEntry;
    const uint32_t needed = entries + extra + 1 + (extra != 0);
    const uint64_t areaBytes = static_cast<uint64_t>(directoryStart + needed) * sectorSize;
    const uint64_t areaBlocks = areaBytes / blockSize + (areaBytes % blockSize != 0);
    return descriptor->GetTotalBlocks() >= data + areaBlocks && descriptor->GetEntriesTotal() >= needed;
}

// The stored checksum becomes the sum of every byte of the image file as read
// (unscrambled), except the check byte and the checksum's own bytes.
void IMG_VarnokDiskImage::UpdateChecksum()
{
    const uint32_t size = file->GetFileSize();
    const uint32_t blockSize = GetBlockSize();
    uint32_t sum = 0;
    IMG_FileBuffer block(std::min(size, blockSize));
    for (uint32_t offset = 0; offset < size; offset += blockSize)
    {
        // The last piece is shorter.
        IMG_FileBuffer piece(block.GetData(), std::min(blockSize, size - offset));
        file->ReadAt(piece, offset);
        sum += IMG_ByteSum(piece.GetData(), piece.GetSize());
    }
    IMG_FileBuffer head(checksumAt + checksumSize);
    file->ReadAt(head, 0);
    sum -= head.GetData()[checkByteAt] + IMG_ByteSum(head.GetData() + checksumAt, checksumSize);
    descriptor->SetChecksum(sum - descriptor->ComputeChecksum());
}

void IMG_VarnokDiskImage::ReadCached(uint32_t block, uint32_t offset, uint8_t* destination, uint32_t count)
{
    const uint32_t blockSize = GetBlockSize();
    auto cached = blockCache.find(block);
    // A copy never reaches past the block's buffer, whatever its size.
    const uint32_t size = cached == blockCache.end() ? blockSize : cached->second->GetSize();
    if (offset > size || count > size - offset)
        throw IMG_Exception(unit, __LINE__, IMG_Exception::ReadPastEnd);
    if (cached == blockCache.end())
    {
        IMG_CountedPtr<IMG_FileBuffer> bytes(new IMG_FileBuffer(blockSize));
        file->ReadAt(*bytes, block * blockSize);
        cached = blockCache.emplace(block, bytes).first;
        cacheOrder.push_back(block);
    }
    std::memcpy(destination, cached->second->GetData() + offset, count);
    if (cacheOrder.size() > cacheLimit)
    {
        for (size_t i = 0; i < cacheEviction; ++i)
        {
            blockCache.erase(cacheOrder.front());
            cacheOrder.pop_front();
        }
    }
}

// Cached blocks and the block lists of subfiles handed out without their
// bytes are of one state of the image file: they are dropped together.
void IMG_VarnokDiskImage::ClearCache()
{
    blockCache.clear();
    cacheOrder.clear();
    ++generation;
}
