// IMG_VarnokDiskImage: opening an image, its queries, and the changes to its
// subfiles and header that the next write stores.
#include "img_varnok/IMG_VarnokDiskImage.h"

#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_FileIO.h"

#include <algorithm>
#include <cstring>

namespace
{
const char* const unit = "IMG_VarnokDiskImage";

// A disk file reads as an image of blocks of this size numbered from 0.
const uint32_t diskFileBlockSize = 128 * 1024;

void Require(const void* argument, int line)
{
    if (!argument)
        throw IMG_Exception(unit, line, IMG_Exception::NullPointer);
}

bool SameName(const std::string& a, const std::string& b)
{
    return _stricmp(a.c_str(), b.c_str()) == 0;
}

// Drops the first subfile of that full name from the list; returns whether there was one.
bool DropFirstNamed(std::vector<IMG_FileDescriptorPtr>& list, const std::string& fullName)
{
    auto found = std::find_if(list.begin(), list.end(),
                              [&](const IMG_FileDescriptorPtr& f) { return SameName(f->GetFullName(), fullName); });
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The descriptor whose bytes a subfile holds: its source until it is written.
IMG_FileDescriptorPtr DataOf(const IMG_FileDescriptorPtr& subfile)
{
    return subfile->GetSource() ? subfile->GetSource() : subfile;
}

// A plain disk file seen as a subfile in consecutive blocks from block 0.
IMG_FileDescriptor DiskFileAsBlocks(const IMG_FileDescriptorPtr& diskFile)
{
    const uint32_t size = diskFile->GetSize();
    std::vector<uint32_t> blocks(size / diskFileBlockSize + (size % diskFileBlockSize != 0));
    for (uint32_t k = 0; k < blocks.size(); ++k)
        blocks[k] = k;
    return IMG_FileDescriptor(diskFile->GetImagePath().c_str(), diskFileBlockSize, diskFile, blocks);
}
}

IMG_VarnokDiskImage::IMG_VarnokDiskImage()
    : deleteTargetFirst(0), scrambleOnWrite(0), relayoutDone(0), truncated(0),
      descriptor(new IMG_ImageDescriptor()), layoutMode(IMG_ImageDescriptor::SearchClasses),
      file(new IMG_FileIO()), cachedBlocks(*this), openFailed(0), generation(0)
{
}

IMG_VarnokDiskImage::IMG_VarnokDiskImage(const char* path) : IMG_VarnokDiskImage()
{
    if (path)
        Open(path);
}

IMG_VarnokDiskImage::~IMG_VarnokDiskImage()
{
    file->CloseRead();
}

void IMG_VarnokDiskImage::AddFile(const char* path)
{
    Require(path, 380);
    AddFiles({path});
}

void IMG_VarnokDiskImage::AddFiles(const std::vector<std::string>& paths)
{
    std::vector<IMG_FileDescriptorPtr> existing = Subfiles();
    std::vector<IMG_FileDescriptorPtr> incoming;
    bool replacing = false;
    for (const std::string& path : paths)
    {
        IMG_FileDescriptorPtr added(new IMG_FileDescriptor(path.c_str()));
        incoming.push_back(added);
        replacing = DropFirstNamed(existing, added->GetFullName()) || replacing;
    }
    AddIncoming(existing, incoming, replacing);
}

void IMG_VarnokDiskImage::AddImage(const char* path)
{
    Require(path, 464);
    AddImages({path});
}

// A later image's subfile wins over an earlier one's of the same name.
void IMG_VarnokDiskImage::AddImages(const std::vector<std::string>& paths)
{
    std::vector<IMG_FileDescriptorPtr> existing = Subfiles();
    std::vector<IMG_FileDescriptorPtr> incoming;
    bool replacing = false;
    for (const std::string& path : paths)
    {
        IMG_FileIO reader;
        reader.OpenForRead(path.c_str(), 0, false);
        IMG_ImageDescriptor image;
        image.SetImageFileName(path.c_str());
        image.Load(reader);
        reader.CloseRead();
        std::vector<IMG_FileDescriptorPtr> subfiles;
        image.GetFiles(subfiles, false);
        for (const IMG_FileDescriptorPtr& subfile : subfiles)
        {
            while (DropFirstNamed(incoming, subfile->GetFullName()))
            {
            }
            incoming.push_back(subfile);
            replacing = DropFirstNamed(existing, subfile->GetFullName()) || replacing;
        }
    }
    AddIncoming(existing, incoming, replacing);
}

// New subfiles go into free space of the current layout when they fit there
// and nothing is replaced; else the image is laid out anew.
void IMG_VarnokDiskImage::AddIncoming(std::vector<IMG_FileDescriptorPtr>& existing,
                                      const std::vector<IMG_FileDescriptorPtr>& incoming, bool replacing)
{
    if (relayoutDone || replacing || !FitsCurrentLayout(incoming))
    {
        existing.insert(existing.end(), incoming.begin(), incoming.end());
        LayOut(existing, layoutMode, IMG_ImageDescriptor::CurrentClass);
        return;
    }
    descriptor->AddFiles(incoming);
}

void IMG_VarnokDiskImage::Save(bool scramble, HWND progressWindow)
{
    RequireLoaded();
    if (scramble != descriptor->IsScrambled() || (truncated != 0) != descriptor->IsTruncated())
        RelayOut();
    scrambleOnWrite = scramble;
    Write(progressWindow);
}

void IMG_VarnokDiskImage::SetImageFileName(const char* path, bool truncate)
{
    RelayOutFor(path);
    truncated = truncate;
    deleteTargetFirst = 1;
}

void IMG_VarnokDiskImage::RemoveFile(const char* name)
{
    Require(name, 628);
    RemoveFiles({name});
}

void IMG_VarnokDiskImage::RemoveFiles(const std::vector<std::string>& names)
{
    std::vector<IMG_FileDescriptorPtr> remaining = Subfiles();
    bool removed = false;
    for (const std::string& name : names)
        removed = DropFirstNamed(remaining, IMG_FileDescriptor::MakeFullName(name.c_str())) || removed;
    if (!removed)
        return;
    LayOut(remaining, layoutMode, IMG_ImageDescriptor::CurrentClass);
}

// Reads the bytes from wherever the subfile holds them until it is written:
// the image, another image or a disk file.
void IMG_VarnokDiskImage::ExtractFile(const char* name, const char* outputPath)
{
    Require(name && outputPath ? name : nullptr, 695);
    const IMG_FileDescriptorPtr found = FindSubfile(name);
    if (!found)
        return;
    const IMG_FileDescriptorPtr data = DataOf(found);
    IMG_FileIO spare;
    if (data->IsFromDiskFile())
    {
        spare.OpenForRead(data->GetImagePath().c_str(), diskFileBlockSize, false);
        spare.OpenForWrite(outputPath);
        spare.ExtractSubfile(DiskFileAsBlocks(data));
        return;
    }
    IMG_FileIO& reader = ReaderFor(*data, spare);
    WriteSideCloser closer(reader);
    reader.OpenForWrite(outputPath);
    reader.ExtractSubfile(*data);
}

uint32_t IMG_VarnokDiskImage::GetBlockSize()
{
    return descriptor->GetBlockSize();
}

int IMG_VarnokDiskImage::GetFileNames(std::vector<std::string>& names)
{
    for (const IMG_FileDescriptorPtr& subfile : Subfiles())
        names.push_back(subfile->GetFullName());
    return static_cast<int>(names.size());
}

void IMG_VarnokDiskImage::GetDate22(int* month, int* day, int* year)
{
    Require(month && day && year ? month : nullptr, 771);
    descriptor->GetDate22(*month, *day, *year);
}

uint32_t IMG_VarnokDiskImage::GetImageSize()
{
    return descriptor->GetUsedBytes();
}

int IMG_VarnokDiskImage::GetFileInfo(std::vector<FileInfo>& list, bool withBlocks)
{
    std::vector<IMG_FileDescriptorPtr> all;
    descriptor->GetFiles(all, true);
    for (const IMG_FileDescriptorPtr& f : all)
    {
        FileInfo info{f->GetFullName(), f->IsDirectoryFile(), f->GetFileFlag(), f->GetSize(), {}};
        if (withBlocks)
            f->GetBlocks(info.blocks);
        list.push_back(info);
    }
    return static_cast<int>(list.size());
}

std::string IMG_VarnokDiskImage::GetImageFileName()
{
    return descriptor->GetImageFileName();
}

uint32_t IMG_VarnokDiskImage::GetCreationTime()
{
    return descriptor->GetCreationTime();
}

double IMG_VarnokDiskImage::GetFormatVersion()
{
    return descriptor->GetFormatVersion();
}

uint32_t IMG_VarnokDiskImage::GetHeaderValue87()
{
    return descriptor->GetValue87();
}

int IMG_VarnokDiskImage::GetSizeClass()
{
    return descriptor->GetSizeClass();
}

std::string IMG_VarnokDiskImage::GetName()
{
    return descriptor->GetName();
}

void IMG_VarnokDiskImage::GetDate20(int* month, int* day, int* year)
{
    Require(month && day && year ? month : nullptr, 995);
    descriptor->GetDate20(*month, *day, *year);
}

float IMG_VarnokDiskImage::GetVersion()
{
    return descriptor->GetVersion();
}

std::string IMG_VarnokDiskImage::GetDescription()
{
    return descriptor->GetDescription();
}

void IMG_VarnokDiskImage::GetSpace(uint32_t& total, uint32_t& used, uint32_t& free)
{
    total = descriptor->GetTotalBytes();
    free = descriptor->GetFreeBytes();
    used = total - free;
}

bool IMG_VarnokDiskImage::HasFile(const char* type)
{
    Require(type, 1060);
    std::string wanted(type);
    wanted.erase(std::remove(wanted.begin(), wanted.end(), '.'), wanted.end());
    const std::vector<IMG_FileDescriptorPtr> subfiles = Subfiles();
    return std::any_of(subfiles.begin(), subfiles.end(),
                       [&](const IMG_FileDescriptorPtr& f) { return SameName(f->GetType(), wanted); });
}

bool IMG_VarnokDiskImage::IsDsdSignature()
{
    return descriptor->IsDsdSignature();
}

bool IMG_VarnokDiskImage::IsScrambled()
{
    return descriptor->IsScrambled();
}

bool IMG_VarnokDiskImage::IsTruncated()
{
    return truncated != 0;
}

bool IMG_VarnokDiskImage::GetHeaderFlag()
{
    return descriptor->GetHeaderFlag();
}

// The mode is kept only when the image could be laid out in it.
void IMG_VarnokDiskImage::SetBestFitLayout()
{
    LayOut(Subfiles(), IMG_ImageDescriptor::LargestBlock, IMG_ImageDescriptor::CurrentClass);
    layoutMode = IMG_ImageDescriptor::LargestBlock;
}

void IMG_VarnokDiskImage::SetAutoSize(bool autoSize)
{
    const int mode = autoSize ? IMG_ImageDescriptor::SearchClasses : IMG_ImageDescriptor::KeepClass;
    LayOut(Subfiles(), mode, IMG_ImageDescriptor::CurrentClass);
    layoutMode = mode;
}

void IMG_VarnokDiskImage::RenameFile(const char* oldName, const char* newName)
{
    Require(oldName && newName ? oldName : nullptr, 1202);
    for (const IMG_FileDescriptorPtr& subfile : Subfiles())
        if (SameName(Trimmed(subfile->GetFullName()), oldName))
            subfile->Rename(newName);
}

void IMG_VarnokDiskImage::SetDsdSignature(bool dsd)
{
    descriptor->SetSignature(dsd);
}

void IMG_VarnokDiskImage::SetDate22(int month, int day, int year)
{
    descriptor->SetDate22(month, day, year);
}

void IMG_VarnokDiskImage::SetFileFlag(const char* name, bool flag)
{
    Require(name, 1263);
    if (const IMG_FileDescriptorPtr found = FindSubfile(name))
        found->SetFileFlag(flag);
}

bool IMG_VarnokDiskImage::Open(const char* path)
{
    return Open(path, 0, 0);
}

// The loaded model replaces any changes not yet written, so no layout is pending.
// A file that does not open changes nothing. Once it has opened, and until the
// model has loaded, the object holds no image that a write could store: only
// part of a model, named after a file that may be no image at all.
bool IMG_VarnokDiskImage::Open(const char* path, int, int)
{
    // Blocks of the previous image are no blocks of this one, whatever step fails.
    ClearCache();
    file->OpenForRead(path, 0, false);
    openFailed = 1;
    descriptor->SetImageFileName(path);
    relayoutDone = 0;
    deleteTargetFirst = 0;
    descriptor->Load(*file);
    scrambleOnWrite = descriptor->IsScrambled();
    truncated = descriptor->IsTruncated();
    openFailed = 0;
    return truncated != 0;
}

void IMG_VarnokDiskImage::SetSizeClass(int sizeClass)
{
    LayOut(Subfiles(), IMG_ImageDescriptor::KeepClass, sizeClass);
}

void IMG_VarnokDiskImage::SetName(const char* text)
{
    descriptor->SetName(text);
}

void IMG_VarnokDiskImage::SetDate20(int month, int day, int year)
{
    descriptor->SetDate20(month, day, year);
}

void IMG_VarnokDiskImage::SetTruncated(bool truncate)
{
    truncated = truncate;
}

void IMG_VarnokDiskImage::SetHeaderFlag(bool flag)
{
    descriptor->SetHeaderFlag(flag);
}

void IMG_VarnokDiskImage::SetVersion(float version)
{
    descriptor->SetVersion(version);
}

void IMG_VarnokDiskImage::SetDescription(const char* text)
{
    descriptor->SetDescription(text);
}

void IMG_VarnokDiskImage::SetReservedFlag(bool)
{
}

void IMG_VarnokDiskImage::SaveAs(bool truncate, bool scramble, const char* path, HWND progressWindow)
{
    RequireLoaded();
    if (relayoutDone)
        descriptor->SetImageFileName(path);
    else
    {
        RelayOutFor(path);
        relayoutDone = 1;
    }
    truncated = truncate;
    scrambleOnWrite = scramble;
    Write(progressWindow);
}

// Subfiles not yet written are read from their own source, and handed out
// with their bytes; the image's own subfiles can also be read block by block.
IMG_CountedPtr<IMG_ImageFile> IMG_VarnokDiskImage::FindFile(const char* name, bool readBytes)
{
    Require(name, 844);
    const IMG_FileDescriptorPtr found = FindSubfile(name);
    if (!found)
        return IMG_CountedPtr<IMG_ImageFile>();
    const IMG_FileDescriptorPtr data = DataOf(found);
    if (data->IsFromDiskFile())
        return IMG_CountedPtr<IMG_ImageFile>();
    if (!readBytes && !found->GetSource() && file->IsOpen())
    {
        std::vector<uint32_t> blocks;
        data->GetBlocks(blocks);
        return IMG_CountedPtr<IMG_ImageFile>(
            new IMG_ImageFile(&cachedBlocks, blocks, data->GetFullName(), data->GetSize(), data->IsDirectoryFile()));
    }
    IMG_FileBuffer bytes(data->GetSize());
    IMG_FileIO reader;
    ReaderFor(*data, reader).ReadSubfile(*data, bytes);
    const uint32_t size = bytes.GetSize();
    return IMG_CountedPtr<IMG_ImageFile>(new IMG_ImageFile(size, bytes.Release(), data->GetFullName(),
                                                           data->GetFileFlag()));
}

void IMG_VarnokDiskImage::RelayOut()
{
    LayOut(Subfiles(), layoutMode, IMG_ImageDescriptor::CurrentClass);
}

// Cached blocks are of the block size they were read with: a new layout drops them.
void IMG_VarnokDiskImage::LayOut(const std::vector<IMG_FileDescriptorPtr>& list, int mode, int sizeClass)
{
    descriptor->LayOut(list, mode, sizeClass);
    ClearCache();
    relayoutDone = 1;
}

// Lays the subfiles out for the image file at path; a layout that raises keeps the previous name.
void IMG_VarnokDiskImage::RelayOutFor(const char* path)
{
    const std::string previous = descriptor->GetImageFileName();
    descriptor->SetImageFileName(path);
    try
    {
        descriptor->Relayout(layoutMode, IMG_ImageDescriptor::CurrentClass);
    }
    catch (...)
    {
        descriptor->SetImageFileName(previous.c_str());
        throw;
    }
    ClearCache();
}

std::vector<IMG_FileDescriptorPtr> IMG_VarnokDiskImage::Subfiles() const
{
    std::vector<IMG_FileDescriptorPtr> list;
    descriptor->GetFiles(list, false);
    return list;
}

IMG_FileDescriptorPtr IMG_VarnokDiskImage::FindSubfile(const char* name) const
{
    const std::string fullName = IMG_FileDescriptor::MakeFullName(name);
    for (const IMG_FileDescriptorPtr& subfile : Subfiles())
        if (SameName(subfile->GetFullName(), fullName))
            return subfile;
    return IMG_FileDescriptorPtr();
}

// The image's own read side when it is open on the image that holds the
// data, else the spare reader opened on that image.
IMG_FileIO& IMG_VarnokDiskImage::ReaderFor(const IMG_FileDescriptor& data, IMG_FileIO& spare)
{
    if (file->IsOpen() && SameName(file->GetReadPath(), data.GetImagePath()))
        return *file;
    spare.OpenForRead(data.GetImagePath().c_str(), data.GetBlockSize(), data.IsScrambled());
    return spare;
}

IMG_VarnokDiskImage::WriteSideCloser::~WriteSideCloser()
{
    io.CloseWrite();
}
