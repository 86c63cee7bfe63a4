// Copy throughput of the disk-image library's block copy (disk file into an
// image, image into image, plain and scrambled, small and large blocks) next
// to a plain copy of the same bytes on the same machine.
//
//   img_copy_bench [MiB]      (default 32)
#include "bench/BenchClock.h"
#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_FileDescriptor.h"
#include "img_varnok/IMG_FileIO.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{
const int runs = 5;

std::string folder;

std::string Path(const char* name)
{
    return folder + "\\" + name;
}

// The best throughput of a few runs, in MB (10^6 bytes) per second; before each run the targets go.
double Throughput(uint32_t bytes, const std::function<void()>& copy)
{
    double best = 0;
    for (int run = 0; run < runs; ++run)
    {
        DeleteFileA(Path("second.img").c_str());
        DeleteFileA(Path("copy.bin").c_str());
        const double start = Seconds();
        copy();
        const double elapsed = Seconds() - start;
        best = std::max(best, bytes / 1e6 / elapsed);
    }
    return best;
}

void MakeDiskFile(uint32_t bytes)
{
    std::vector<uint8_t> data(1 << 20);
    uint32_t state = 12345;
    for (uint8_t& b : data)
        b = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 16);
    HANDLE file = CreateFileA(Path("data.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done;
    for (uint32_t left = bytes; left > 0; left -= std::min<uint32_t>(left, data.size()))
        WriteFile(file, data.data(), std::min<uint32_t>(left, data.size()), &done, nullptr);
    CloseHandle(file);
}

// A subfile of the disk file's size in consecutive blocks of an image.
IMG_FileDescriptorPtr Placed(const std::string& image, uint32_t blockSize, const IMG_FileDescriptorPtr& disk,
                             bool scrambled)
{
    std::vector<uint32_t> blocks;
    for (uint32_t k = 0; k < (disk->GetSize() + blockSize - 1) / blockSize; ++k)
        blocks.push_back(1 + k);
    IMG_FileDescriptor placed(image.c_str(), blockSize, disk, blocks);
    std::vector<IMG_EntryPtr> entries;
    placed.GetEntries(entries);
    return IMG_FileDescriptorPtr(new IMG_FileDescriptor(image.c_str(), blockSize, scrambled, entries));
}

void CopyBlocks(const IMG_FileDescriptor& source, const IMG_FileDescriptor& target, uint32_t readBlockSize,
                uint32_t writeBlockSize, bool scrambled)
{
    IMG_FileIO io;
    io.OpenForRead(source.GetImagePath().c_str(), readBlockSize, source.IsScrambled());
    io.OpenImageForWrite(target.GetImagePath().c_str(), writeBlockSize, scrambled);
    io.CopyFileBlocks(source, target);
}

void PlainReadWrite(uint32_t bufferSize)
{
    std::vector<uint8_t> buffer(bufferSize);
    HANDLE in =
        CreateFileA(Path("data.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileA(Path("copy.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0, written;
    while (ReadFile(in, buffer.data(), bufferSize, &done, nullptr) && done > 0)
        WriteFile(out, buffer.data(), done, &written, nullptr);
    CloseHandle(in);
    CloseHandle(out);
}
}

int main(int argc, char** argv)
{
    const uint32_t mib = argc > 1 ? std::max(1, std::atoi(argv[1])) : 32;
    const uint32_t bytes = mib << 20;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "img_copy_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    MakeDiskFile(bytes);

    try
    {
        IMG_FileDescriptorPtr disk(new IMG_FileDescriptor(Path("data.bin").c_str()));
        std::printf("%u MiB per copy, best of %d runs, MB/s (10^6 bytes per second)\n\n", mib, runs);
        std::printf("%-44s %10s %10s\n", "copy", "2 KiB", "512 KiB");
        const uint32_t blockSizes[] = {2048, 512 * 1024};
        struct Row
        {
            const char* name;
            bool fromDisk;
            bool sourceScrambled;
            bool targetScrambled;
        };
        const Row rows[] = {
            {"CopyFileBlocks disk file -> image", true, false, false},
            {"CopyFileBlocks disk file -> scrambled image", true, false, true},
            {"CopyFileBlocks image -> image", false, false, false},
            {"CopyFileBlocks image -> scrambled image", false, false, true},
            {"CopyFileBlocks scrambled -> scrambled image", false, true, true},
        };
        for (const Row& row : rows)
        {
            std::printf("%-44s", row.name);
            for (uint32_t blockSize : blockSizes)
            {
                // The source image of an image copy is made once, outside the timing.
                IMG_FileDescriptorPtr first = Placed(Path("first.img"), blockSize, disk, row.sourceScrambled);
                if (!row.fromDisk)
                {
                    DeleteFileA(Path("first.img").c_str());
                    CopyBlocks(*disk, *first, 0, blockSize, row.sourceScrambled);
                }
                IMG_FileDescriptorPtr second = Placed(Path("second.img"), blockSize, disk, row.targetScrambled);
                const IMG_FileDescriptor& source = row.fromDisk ? *disk : *first;
                const uint32_t readBlockSize = row.fromDisk ? 0 : blockSize;
                std::printf(" %10.1f", Throughput(bytes, [&] {
                    CopyBlocks(source, *second, readBlockSize, blockSize, row.targetScrambled);
                }));
            }
            std::printf("\n");
        }
        std::printf("%-44s %10.1f\n", "plain copy, CopyFileA",
                    Throughput(bytes, [] { CopyFileA(Path("data.bin").c_str(), Path("copy.bin").c_str(), FALSE); }));
        std::printf("%-44s %10.1f\n", "plain copy, ReadFile/WriteFile of 512 KiB",
                    Throughput(bytes, [] { PlainReadWrite(512 * 1024); }));
        std::printf("%-44s %10.1f\n", "plain copy, ReadFile/WriteFile of 2 KiB",
                    Throughput(bytes, [] { PlainReadWrite(2048); }));
    }
    catch (const IMG_Exception& e)
    {
        std::printf("failed: %s (%s %d)\n", e.GetDisplayText().c_str(), e.GetFile(), e.GetLine());
    }
    for (const char* name : {"data.bin", "first.img", "second.img", "copy.bin"})
        DeleteFileA(Path(name).c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
