// Helpers of the disk-image object's tests: disk files with known bytes,
// images built from them, and what an image file holds.
#pragma once

#include "tests/img_varnok/ImgTestSupport.h"

#include "img_varnok/IMG_VarnokDiskImage.h"

#include <functional>
#include <map>

// Disk files in a temporary folder, remembered by the full name they get in an image.
class ImageFiles
{
public:
    // A disk file of size pattern bytes; returns its path.
    std::string Disk(const std::string& name, size_t size, uint32_t seed = 1);
    // An image of the disk files, written to name in the folder; returns its path.
    std::string Build(const std::string& name, const std::vector<std::string>& paths, bool scramble = false);
    // An empty image of class 4 in 2 KiB blocks, with room to append in place.
    std::string Empty(const std::string& name);
    // Every subfile of the image extracts to the bytes of the disk file of its name.
    ::testing::AssertionResult HoldsItsFiles(IMG_VarnokDiskImage& image);
    std::string Path(const std::string& name) const { return folder.Path(name); }

    std::map<std::string, std::vector<uint8_t>> contents;  // by full name

private:
    TempFolder folder;
};

// The byte sum of a whole file.
uint32_t FileSum(const std::string& path);
// The checksum stored in an image file's (unscrambled) header.
uint32_t StoredChecksum(const std::string& path);
// The file system's identity of a file: the same while a file is rewritten in place.
uint64_t FileIdentity(const std::string& path);
bool FileExists(const std::string& path);
// The code of the IMG_Exception that the call raises; -1 when it raises none.
int RaisedCode(const std::function<void()>& call);
// The data sum that an image file's header and directory imply.
uint32_t DataSumOf(const std::string& path);
