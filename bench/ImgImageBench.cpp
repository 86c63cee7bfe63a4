// Times of the disk-image object on an image of 64 MiB: building and writing
// it from 200 disk files, opening it again, appending one file, summing it
// again; and appending in place to an image less than half full. Next to
// them, plain copies of the same bytes on the same machine.
//
//   img_image_bench [runs]      (default 3; the best run counts)
#include "bench/BenchClock.h"
#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_VarnokDiskImage.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{
const int fileCount = 200;
// 200 files of 307.2 KiB: 60 MiB of data, laid out as an image of class 8 (64 MiB).
const uint32_t fullFileSize = 314572;
// 200 files of 150 KiB: 30 MiB, less than half of an empty class-8 image, so appends go in place.
const uint32_t halfFileSize = 153600;
const int imageClass = 8;

int runs = 3;
std::string folder;

std::string Path(const std::string& name)
{
    return folder + "\\" + name;
}

// The best time of the runs; prepare runs untimed before each.
double Best(const std::function<void()>& prepare, const std::function<void()>& timed)
{
    double best = 1e9;
    for (int run = 0; run < runs; ++run)
    {
        prepare();
        const double start = Seconds();
        timed();
        best = std::min(best, Seconds() - start);
    }
    return best;
}

void Report(const char* what, double seconds, uint64_t bytes)
{
    std::printf("%-58s %8.3f s %9.1f MB/s\n", what, seconds, bytes / 1e6 / seconds);
}

void WriteFileBytes(const std::string& path, uint32_t size, uint32_t seed)
{
    std::vector<uint8_t> data(size);
    uint32_t state = seed * 2654435761u + 1;
    for (uint8_t& b : data)
        b = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 16);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done;
    WriteFile(file, data.data(), size, &done, nullptr);
    CloseHandle(file);
}

std::vector<std::string> MakeDiskFiles(const std::string& prefix, uint32_t size)
{
    std::vector<std::string> paths;
    for (int i = 0; i < fileCount; ++i)
    {
        paths.push_back(Path(prefix + std::to_string(i) + ".bin"));
        WriteFileBytes(paths.back(), size, i);
    }
    return paths;
}

uint64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

void Remove(const std::string& path)
{
    DeleteFileA(path.c_str());
}

// An empty image of the class: its free blocks all written as zeros.
void MakeEmptyImage(const std::string& path)
{
    IMG_VarnokDiskImage image;
    image.SetSizeClass(imageClass);
    image.SaveAs(false, false, path.c_str(), nullptr);
}

void BenchFullImage()
{
    const std::vector<std::string> paths = MakeDiskFiles("full", fullFileSize);
    const uint64_t data = static_cast<uint64_t>(fileCount) * fullFileSize;
    const std::string image = Path("full.img"), copy = Path("copy.img");
    const std::string extra = Path("extra.bin");
    WriteFileBytes(extra, fullFileSize, 999);

    const double build = Best([&] { Remove(image); }, [&] {
        IMG_VarnokDiskImage built;
        built.AddFiles(paths);
        built.SaveAs(false, false, image.c_str(), nullptr);
    });
    const uint64_t imageBytes = FileSize(image);
    IMG_VarnokDiskImage opened(image.c_str());
    std::printf("image of %d files, %.1f MiB of data: class %d, %u-byte blocks, file of %.1f MiB\n\n", fileCount,
                data / 1048576.0, opened.GetSizeClass(), opened.GetBlockSize(), imageBytes / 1048576.0);
    Report("build and write the image from the 200 disk files", build, imageBytes);
    Report("open it again", Best([] {}, [&] { IMG_VarnokDiskImage again(image.c_str()); }), imageBytes);

    // More than half full: the appended file does not fit the layout, the image is written anew.
    const double append = Best([&] { CopyFileA(image.c_str(), copy.c_str(), FALSE); }, [&] {
        IMG_VarnokDiskImage appended(copy.c_str());
        appended.AddFile(extra.c_str());
        appended.Save(false, nullptr);
    });
    Report("append one 307 KiB file (new layout, whole image rewritten)", append, FileSize(copy));
    Report("UpdateChecksum", Best([] {}, [&] { opened.UpdateChecksum(); }), imageBytes);

    Report("plain copy: CopyFileA of the image file", Best([&] { Remove(copy); }, [&] {
               CopyFileA(image.c_str(), copy.c_str(), FALSE);
           }), imageBytes);
    Report("plain copy: CopyFileA of the 200 disk files", Best([] {}, [&] {
               for (size_t i = 0; i < paths.size(); ++i)
                   CopyFileA(paths[i].c_str(), Path("copied" + std::to_string(i)).c_str(), FALSE);
           }), data);
    for (size_t i = 0; i < paths.size(); ++i)
    {
        Remove(paths[i]);
        Remove(Path("copied" + std::to_string(i)));
    }
    for (const std::string& path : {image, copy, extra})
        Remove(path);
}

void BenchAppendInPlace()
{
    const std::vector<std::string> paths = MakeDiskFiles("half", halfFileSize);
    const uint64_t data = static_cast<uint64_t>(fileCount) * halfFileSize;
    const std::string empty = Path("empty.img"), image = Path("half.img"), extra = Path("extra.bin");
    WriteFileBytes(extra, halfFileSize, 999);
    MakeEmptyImage(empty);
    std::printf("\nempty image of class %d, %.1f MiB; 200 files of %.1f MiB in all appended in place\n\n", imageClass,
                FileSize(empty) / 1048576.0, data / 1048576.0);

    Report("append the 200 disk files in place", Best([&] { CopyFileA(empty.c_str(), image.c_str(), FALSE); }, [&] {
               IMG_VarnokDiskImage appended(image.c_str());
               appended.AddFiles(paths);
               appended.Save(false, nullptr);
           }), data);
    const std::string copy = Path("half_copy.img");
    Report("append one 150 KiB file in place", Best([&] { CopyFileA(image.c_str(), copy.c_str(), FALSE); }, [&] {
               IMG_VarnokDiskImage appended(copy.c_str());
               appended.AddFile(extra.c_str());
               appended.Save(false, nullptr);
           }), halfFileSize);
    for (const std::string& path : paths)
        Remove(path);
    for (const std::string& path : {empty, image, copy, extra})
        Remove(path);
}
}

int main(int argc, char** argv)
{
    runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : runs;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "img_image_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    std::printf("best of %d runs; MB/s counts 10^6 bytes of the image (or of the data) per second\n\n", runs);
    try
    {
        BenchFullImage();
        BenchAppendInPlace();
    }
    catch (const IMG_Exception& e)
    {
        std::printf("failed: %s (%s %d)\n", e.GetDisplayText().c_str(), e.GetFile(), e.GetLine());
    }
    RemoveDirectoryA(folder.c_str());
    return 0;
}
