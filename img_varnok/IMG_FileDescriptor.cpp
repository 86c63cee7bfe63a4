// IMG_FileDescriptor: directory entries, the name rule and the block lists.
#include "img_varnok/IMG_FileDescriptor.h"

#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_FileIO.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace
{
const char* const unit = "IMG_FileDescriptor";

// Entry offsets.
const int inUse = 0x00, entryName = 0x01, entryType = 0x09, entrySize = 0x0C;
const int flags = 0x10, partNumber = 0x11, blockList = 0x20;
const uint8_t directoryFlag = 0x01, fileFlag = 0x02;
const size_t nameLength = 8, typeLength = 3;

// As the format "%-N.Ns" prints the text: at most width characters, space padded.
std::string Padded(const char* text, size_t width)
{
    std::string result(text, strnlen(text, width));
    result.resize(width, ' ');
    return result;
}

// The disk path's file name and extension, upper case, with every character
// other than letters, digits, '_', ' ' and '.' turned into '_'.
void ApplyNameRule(const char* path, std::string& name, std::string& type)
{
    if (!path)
        throw IMG_Exception(unit, 367, IMG_Exception::NullPointer);
    std::string file(path);
    file.erase(0, file.find_last_of("\\/:") + 1);
    const size_t point = file.rfind('.');
    std::string extension = point == std::string::npos ? std::string() : file.substr(point + 1);
    file.erase(std::min(point, file.size()));
    for (std::string* part : {&file, &extension})
    {
        for (char& c : *part)
        {
            const unsigned char u = static_cast<unsigned char>(c);
            c = u < 0x80 && (std::isalnum(u) || c == '_' || c == ' ' || c == '.')
                    ? static_cast<char>(std::toupper(u)) : '_';
        }
    }
    name = Padded(file.c_str(), nameLength);
    type = Padded(extension.c_str(), typeLength);
}

// Entries for the blocks (at least one): in use, named, numbered, the rest of the slots 0xFFFF.
std::vector<IMG_EntryPtr> MakeEntries(const std::string& name, const std::string& type,
                                      const std::vector<uint32_t>& blocks)
{
    const size_t count = blocks.empty() ? 1 : (blocks.size() + IMG_FileDescriptor::BlocksPerEntry - 1) /
                                                  IMG_FileDescriptor::BlocksPerEntry;
    std::vector<IMG_EntryPtr> entries;
    for (size_t part = 0; part < count; ++part)
    {
        IMG_EntryPtr entry = IMG_FileDescriptor::NewEntry();
        uint8_t* bytes = entry.Get();
        bytes[inUse] = 1;
        std::memcpy(bytes + entryName, Padded(name.c_str(), nameLength).data(), nameLength);
        std::memcpy(bytes + entryType, Padded(type.c_str(), typeLength).data(), typeLength);
        bytes[partNumber] = static_cast<uint8_t>(part);
        for (uint32_t slot = 0; slot < IMG_FileDescriptor::BlocksPerEntry; ++slot)
        {
            const size_t index = part * IMG_FileDescriptor::BlocksPerEntry + slot;
            const uint16_t block = index < blocks.size() ? static_cast<uint16_t>(blocks[index])
                                                         : IMG_FileDescriptor::NoBlock;
            IMG_PutU16(bytes + blockList + 2 * slot, block);
        }
        entries.push_back(entry);
    }
    return entries;
}
}

IMG_FileDescriptor::IMG_FileDescriptor(const char* path, uint32_t blockSize, bool scrambled,
                                       const std::vector<IMG_EntryPtr>& entries)
    : imagePath(path ? path : ""), fromDiskFile(0), blockSize(blockSize), scrambled(scrambled),
      entries(entries)
{
    const bool missingEntry = std::any_of(entries.begin(), entries.end(), [](const IMG_EntryPtr& e) { return !e; });
    if (!path || blockSize == 0 || entries.empty() || missingEntry)
        throw IMG_Exception(unit, 50, IMG_Exception::InvalidFileObject);
    const char* first = reinterpret_cast<const char*>(entries.front().Get());
    SetNames(Padded(first + entryName, nameLength), Padded(first + entryType, typeLength));
}

IMG_FileDescriptor::IMG_FileDescriptor(const char* path, uint32_t blockSize, const IMG_FileDescriptorPtr& source,
                                       const std::vector<uint32_t>& blocks)
    : imagePath(path ? path : ""), fromDiskFile(0), blockSize(blockSize), scrambled(0), source(source)
{
    if (!path || blockSize == 0 || blocks.empty() || !source)
        throw IMG_Exception(unit, 89, IMG_Exception::InvalidFileObject);
    SetNames(source->name, source->type);
    scrambled = source->scrambled;
    entries = MakeEntries(name, type, blocks);
    IMG_PutU32(entries.front().Get() + entrySize, source->GetSize());
}

IMG_FileDescriptor::IMG_FileDescriptor(const char* diskPath)
    : fromDiskFile(1), blockSize(0), scrambled(0)
{
    std::string diskName, diskType;
    ApplyNameRule(diskPath, diskName, diskType);
    IMG_FileIO file;
    file.OpenForRead(diskPath, 0, false);
    const uint32_t size = file.GetFileSize();
    if (size == 0)
        throw IMG_Exception(unit, 202, IMG_Exception::ZeroFileSize);
    imagePath = diskPath;
    SetNames(diskName, diskType);
    entries = MakeEntries(name, type, std::vector<uint32_t>());
    IMG_PutU32(entries.front().Get() + entrySize, size);
}

IMG_EntryPtr IMG_FileDescriptor::NewEntry()
{
    return IMG_EntryPtr(new uint8_t[EntrySize]());
}

std::vector<IMG_EntryPtr> IMG_FileDescriptor::MakeDirectoryEntries(uint32_t areaBlocks, uint32_t blockSize)
{
    std::vector<uint32_t> blocks;
    for (uint32_t k = 0; k < areaBlocks; ++k)
        blocks.push_back(k);
    std::vector<IMG_EntryPtr> entries = MakeEntries(std::string(), std::string(), blocks);
    uint8_t* first = entries.front().Get();
    first[flags] = directoryFlag | fileFlag;
    IMG_PutU32(first + entrySize, areaBlocks * blockSize);
    return entries;
}

std::string IMG_FileDescriptor::MakeFullName(const char* path)
{
    if (!path)
        throw IMG_Exception(unit, 319, IMG_Exception::NullPointer);
    std::string diskName, diskType;
    ApplyNameRule(path, diskName, diskType);
    return diskName + "." + diskType;
}

void IMG_FileDescriptor::SetNames(const std::string& newName, const std::string& newType)
{
    name = Padded(newName.c_str(), nameLength);
    type = Padded(newType.c_str(), typeLength);
    fullName = name + "." + type;
}

void IMG_FileDescriptor::GetBlocks(std::vector<uint32_t>& blocks) const
{
    for (const IMG_EntryPtr& entry : entries)
    {
        for (uint32_t slot = 0; slot < BlocksPerEntry; ++slot)
        {
            const uint16_t block = IMG_GetU16(entry.Get() + blockList + 2 * slot);
            if (block == NoBlock)
                return;
            blocks.push_back(block);
        }
    }
}

void IMG_FileDescriptor::GetEntries(std::vector<IMG_EntryPtr>& list) const
{
    list.insert(list.end(), entries.begin(), entries.end());
}

const uint8_t* IMG_FileDescriptor::FirstEntry(int line) const
{
    if (entries.empty())
        throw IMG_Exception(unit, line, IMG_Exception::InvalidFileObject);
    return entries.front().Get();
}

uint32_t IMG_FileDescriptor::GetSize() const
{
    return IMG_GetU32(FirstEntry(116) + entrySize);
}

bool IMG_FileDescriptor::IsDirectoryFile() const
{
    return FirstEntry(159)[flags] & directoryFlag;
}

bool IMG_FileDescriptor::GetFileFlag() const
{
    return FirstEntry(175)[flags] & fileFlag;
}

void IMG_FileDescriptor::SetFileFlag(bool flag)
{
    uint8_t* first = const_cast<uint8_t*>(FirstEntry(189));
    first[flags] = static_cast<uint8_t>(flag ? first[flags] | fileFlag : first[flags] & ~fileFlag);
}

void IMG_FileDescriptor::Rename(const char* text)
{
    if (!text)
        throw IMG_Exception(unit, 279, IMG_Exception::NullPointer);
    const std::string newName = Padded(text, nameLength);
    for (const IMG_EntryPtr& entry : entries)
        std::memcpy(entry.Get() + entryName, newName.data(), nameLength);
    SetNames(newName, type);
}
