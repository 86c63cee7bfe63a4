// IMG_VarnokDiskImage: the disk-image library's public object. Opens an image
// file or starts an empty one, lists, adds, removes, renames and extracts its
// subfiles, changes its header, and writes it back: in place when subfiles are
// only appended, else through a temporary file that then replaces the image.
#pragma once

#include "img_varnok/IMG_BlockSource.h"
#include "img_varnok/IMG_CountedPtr.h"
#include "img_varnok/IMG_FileBuffer.h"
#include "img_varnok/IMG_FileDescriptor.h"
#include "img_varnok/IMG_ImageDescriptor.h"
#include "img_varnok/IMG_ImageFile.h"

#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

class IMG_FileIO;

class IMG_VarnokDiskImage
{
public:
    // One subfile as GetFileInfo reports it.
    struct FileInfo
    {
        std::string name;  // the full name, "NAME    .TYP"
        bool isDirectory;  // the directory's own set
        bool flag;
        uint32_t size;
        std::vector<uint32_t> blocks;  // only when asked for
    };

    IMG_VarnokDiskImage();
    // Opens the image at path when one is given.
    explicit IMG_VarnokDiskImage(const char* path);
    virtual ~IMG_VarnokDiskImage();

    IMG_VarnokDiskImage(const IMG_VarnokDiskImage&) = delete;
    IMG_VarnokDiskImage& operator=(const IMG_VarnokDiskImage&) = delete;

    static double GetLibraryVersion() { return 3.05; }

    // The operations in the order of their table slots.
    virtual void AddFile(const char* path);
    virtual void AddFiles(const std::vector<std::string>& paths);
    virtual void AddImage(const char* path);
    virtual void AddImages(const std::vector<std::string>& paths);
    virtual void Save(bool scramble, HWND progressWindow);
    // Writes the image to path next time, laid out anew.
    virtual void SetImageFileName(const char* path, bool truncated);
    virtual void RemoveFile(const char* name);
    virtual void RemoveFiles(const std::vector<std::string>& names);
    virtual void ExtractFile(const char* name, const char* outputPath);
    virtual uint32_t GetBlockSize();
    virtual int GetFileNames(std::vector<std::string>& names);
    virtual void GetDate22(int* month, int* day, int* year);
    virtual uint32_t GetImageSize();
    virtual int GetFileInfo(std::vector<FileInfo>& list, bool withBlocks);
    virtual std::string GetImageFileName();
    virtual uint32_t GetCreationTime();
    virtual double GetFormatVersion();
    virtual uint32_t GetHeaderValue87();
    virtual int GetSizeClass();
    virtual std::string GetName();
    virtual void GetDate20(int* month, int* day, int* year);
    virtual float GetVersion();
    virtual std::string GetDescription();
    virtual void GetSpace(uint32_t& total, uint32_t& used, uint32_t& free);
    // Whether some subfile has the type (points in the text are ignored).
    virtual bool HasFile(const char* type);
    virtual bool IsDsdSignature();
    virtual bool IsScrambled();
    virtual bool IsTruncated();
    virtual bool GetHeaderFlag();
    virtual void SetBestFitLayout();
    virtual void SetAutoSize(bool autoSize);
    // oldName is a full name as listed, "NAME    .TYP"; it is not converted.
    virtual void RenameFile(const char* oldName, const char* newName);
    virtual void SetDsdSignature(bool dsd);
    virtual void SetDate22(int month, int day, int year);
    virtual void SetFileFlag(const char* name, bool flag);
    // Returns whether the image file is shorter than its blocks. An Open whose
    // file does not open leaves the object as it was; after one that fails
    // later, every write raises code 20 until an Open succeeds.
    virtual bool Open(const char* path);
    virtual bool Open(const char* path, int unused1, int unused2);
    virtual void SetSizeClass(int sizeClass);
    virtual void SetName(const char* text);
    virtual void SetDate20(int month, int day, int year);
    virtual void SetTruncated(bool truncated);
    virtual void SetHeaderFlag(bool flag);
    virtual void SetVersion(float version);
    virtual void SetDescription(const char* text);
    virtual void SetReservedFlag(bool flag);
    // Sums the written image file again and keeps the result as the checksum.
    virtual void UpdateChecksum();
    virtual void SaveAs(bool truncated, bool scramble, const char* path, HWND progressWindow);

    // Writes the model to the image file; progress-bar messages go to the window when there is one.
    void Write(HWND progressWindow);
    // The subfile of that name, with its bytes read or read when asked; none when there is no such subfile.
    IMG_CountedPtr<IMG_ImageFile> FindFile(const char* name, bool readBytes);
    // Copies count unscrambled bytes from offset within a block of the open image.
    void ReadCached(uint32_t block, uint32_t offset, uint8_t* destination, uint32_t count);
    // Whether the new subfiles fit into free blocks and directory entries of the current layout.
    bool FitsCurrentLayout(const std::vector<IMG_FileDescriptorPtr>& incoming);

private:
    // Lends the image's blocks to the subfiles it hands out without their bytes.
    class CachedBlocks : public IMG_BlockSource
    {
    public:
        explicit CachedBlocks(IMG_VarnokDiskImage& image) : image(image) {}
        std::string GetImageFileName() override { return image.GetImageFileName(); }
        uint32_t GetBlockSize() override { return image.GetBlockSize(); }
        bool IsScrambled() override { return image.IsScrambled(); }
        uint32_t GetGeneration() override { return image.generation; }
        void ReadCached(uint32_t block, uint32_t offset, uint8_t* destination, uint32_t count) override
        {
            image.ReadCached(block, offset, destination, count);
        }

    private:
        IMG_VarnokDiskImage& image;
    };

    // Closes a file object's write side when it goes out of scope.
    class WriteSideCloser
    {
    public:
        explicit WriteSideCloser(IMG_FileIO& io) : io(io) {}
        ~WriteSideCloser();

    private:
        IMG_FileIO& io;
    };

    void WriteModel(HWND progressWindow);
    void RequireLoaded() const;
    void RelayOut();
    void LayOut(const std::vector<IMG_FileDescriptorPtr>& list, int mode, int sizeClass);
    void RelayOutFor(const char* path);
    void AddIncoming(std::vector<IMG_FileDescriptorPtr>& existing, const std::vector<IMG_FileDescriptorPtr>& incoming,
                     bool replacing);
    std::vector<IMG_FileDescriptorPtr> Subfiles() const;
    IMG_FileDescriptorPtr FindSubfile(const char* name) const;
    IMG_FileIO& ReaderFor(const IMG_FileDescriptor& data, IMG_FileIO& spare);
    bool ReadsFromImageFile() const;
    void ClearCache();
    void CopySubfiles(const std::vector<IMG_FileDescriptorPtr>& files, HWND progressWindow, uint32_t& dataSum,
                      uint32_t& value87);
    void MarkWriteUnfinished();

    uint8_t deleteTargetFirst;
    uint8_t scrambleOnWrite;
    uint8_t relayoutDone;
    uint8_t truncated;
    IMG_CountedPtr<IMG_ImageDescriptor> descriptor;
    int32_t layoutMode;
    IMG_CountedPtr<IMG_FileIO> file;
    std::map<uint32_t, IMG_CountedPtr<IMG_FileBuffer>> blockCache;
    std::deque<uint32_t> cacheOrder;
    CachedBlocks cachedBlocks;
    // The last Open failed once its file had opened: the model is partial and
    // is never written.
    uint8_t openFailed;
    // Counts the emptyings of the cache: subfiles handed out without their
    // bytes read only while it stays the same.
    uint32_t generation;
};
