// Helpers of the disk-image object's tests.
#include "tests/img_varnok/ImageTestSupport.h"

#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_FileDescriptor.h"
#include "img_varnok/IMG_FileIO.h"
#include "img_varnok/IMG_ImageDescriptor.h"

std::string ImageFiles::Disk(const std::string& name, size_t size, uint32_t seed)
{
    const std::string path = folder.Path(name);
    const std::vector<uint8_t> bytes = Pattern(size, seed);
    WriteBytes(path, bytes);
    contents[IMG_FileDescriptor::MakeFullName(path.c_str())] = bytes;
    return path;
}

std::string ImageFiles::Empty(const std::string& name)
{
    const std::string path = folder.Path(name);
    IMG_VarnokDiskImage image;
    image.SetImageFileName(path.c_str(), false);
    image.Write(nullptr);
    return path;
}

std::string ImageFiles::Build(const std::string& name, const std::vector<std::string>& paths, bool scramble)
{
    const std::string path = folder.Path(name);
    IMG_VarnokDiskImage image;
    image.AddFiles(paths);
    image.SaveAs(false, scramble, path.c_str(), nullptr);
    return path;
}

::testing::AssertionResult ImageFiles::HoldsItsFiles(IMG_VarnokDiskImage& image)
{
    std::vector<std::string> names;
    image.GetFileNames(names);
    for (const std::string& name : names)
    {
        const std::string out = folder.Path("extracted.bin");
        image.ExtractFile(name.c_str(), out.c_str());
        if (ReadBytes(out) != contents[name])
            return ::testing::AssertionFailure() << name << " extracts other bytes";
    }
    return ::testing::AssertionSuccess();
}

uint32_t FileSum(const std::string& path)
{
    return SumOf(ReadBytes(path));
}

uint32_t StoredChecksum(const std::string& path)
{
    std::vector<uint8_t> bytes = ReadBytes(path);
    bytes.resize(512);
    if (bytes[0x10] != 'D')
        bytes = Xored(bytes);
    return IMG_GetU32(bytes.data() + 0x24);
}

uint64_t FileIdentity(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info = {};
    GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return static_cast<uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int RaisedCode(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (const IMG_Exception& e)
    {
        return e.GetCode();
    }
    return -1;
}

uint32_t DataSumOf(const std::string& path)
{
    IMG_FileIO io;
    io.OpenForRead(path.c_str(), 0, false);
    IMG_ImageDescriptor model;
    model.SetImageFileName(path.c_str());
    model.Load(io);
    return model.GetDataSum();
}
