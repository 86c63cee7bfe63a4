// Helpers of the disk-image library's tests.
#include "tests/img_varnok/ImgTestSupport.h"

#include "img_varnok/IMG_FileBuffer.h"
#include "img_varnok/IMG_FileIO.h"

#include <fstream>
#include <iterator>

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int serial = 0;
    folder = std::string(base) + "img_test_" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(++serial);
    CreateDirectoryA(folder.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
            DeleteFileA(Path(found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<uint8_t> Pattern(size_t count, uint32_t seed)
{
    std::vector<uint8_t> bytes(count);
    uint32_t state = seed * 2654435761u + 1;
    for (uint8_t& b : bytes)
    {
        state = state * 1103515245u + 12345u;
        b = static_cast<uint8_t>(state >> 16);
    }
    return bytes;
}

uint32_t SumOf(const std::vector<uint8_t>& bytes)
{
    uint32_t sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    return sum;
}

std::vector<uint8_t> Xored(std::vector<uint8_t> bytes)
{
    for (uint8_t& b : bytes)
        b ^= IMG_FileBuffer::ScrambleByte;
    return bytes;
}

namespace
{
IMG_FileIO::WindowsCalls original;  // the real calls, kept while one is replaced
int callsLeft = 0;
DWORD failure = 0;

// True when this call is the one to fail; its error is then set.
bool FailsNow()
{
    if (--callsLeft != 0)
        return false;
    SetLastError(failure);
    return true;
}

BOOL WINAPI FailingSize(HANDLE file, PLARGE_INTEGER size)
{
    return FailsNow() ? FALSE : original.getFileSizeEx(file, size);
}

DWORD WINAPI FailingSeek(HANDLE file, LONG low, PLONG high, DWORD method)
{
    return FailsNow() ? INVALID_SET_FILE_POINTER : original.setFilePointer(file, low, high, method);
}

BOOL WINAPI FailingRead(HANDLE file, LPVOID bytes, DWORD count, LPDWORD done, LPOVERLAPPED overlapped)
{
    return FailsNow() ? FALSE : original.readFile(file, bytes, count, done, overlapped);
}

BOOL WINAPI FailingWrite(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD done, LPOVERLAPPED overlapped)
{
    return FailsNow() ? FALSE : original.writeFile(file, bytes, count, done, overlapped);
}
}

FailingCall::FailingCall(Which which, int nth, DWORD error)
{
    callsLeft = nth;
    failure = error;
    original = IMG_FileIO::windowsCalls;
    IMG_FileIO::WindowsCalls& calls = IMG_FileIO::windowsCalls;
    switch (which)
    {
    case Size: calls.getFileSizeEx = FailingSize; break;
    case Seek: calls.setFilePointer = FailingSeek; break;
    case Read: calls.readFile = FailingRead; break;
    case Write: calls.writeFile = FailingWrite; break;
    }
}

FailingCall::~FailingCall()
{
    IMG_FileIO::windowsCalls = original;
}
