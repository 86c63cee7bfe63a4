// A file on disk through the system's own calls.
#include "editor/file/DiskFile.h"

#include <windows.h>

namespace app {

namespace {

DiskFault_t diskFault = nullptr;

// True when the test seam makes this call fail; the last error is then its code.
bool Faulted(DiskCall_t call)
{
    const unsigned long code = diskFault ? diskFault(call) : 0;
    if (code)
        SetLastError(code);
    return code != 0;
}

} // namespace

bool DiskFile_t::Open(const std::string& path, Mode_t mode)
{
    if (handle)
        return false;
    const DWORD access = mode == ToRead ? GENERIC_READ : mode == ToWrite ? GENERIC_WRITE : GENERIC_READ | GENERIC_WRITE;
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;   // as the runtime's file streams share
    const DWORD creation = mode == ToWrite ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // A device would wait for its bytes for ever (AUX, a port) or have none (NUL).
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        SetLastError(ERROR_BAD_FILE_TYPE);
        return false;
    }
    handle = file;
    return true;
}

bool DiskFile_t::Read(char* bytes, std::size_t size, std::size_t& read)
{
    read = 0;
    DWORD done = 0;
    if (!handle || Faulted(DiskCall_t::Read) || !ReadFile(handle, bytes, size, &done, nullptr))
        return false;
    read = done;
    return true;
}

bool DiskFile_t::IsTooLarge() const
{
    LARGE_INTEGER size;
    return handle && GetFileSizeEx(handle, &size) && static_cast<unsigned long long>(size.QuadPart) > largestFile;
}

bool DiskFile_t::ReadToEnd(std::vector<char>& bytes)
{
    if (IsTooLarge()) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        return false;
    }
    LARGE_INTEGER size, position{};
    if (handle && GetFileSizeEx(handle, &size) && SetFilePointerEx(handle, position, &position, FILE_CURRENT) &&
        size.QuadPart > position.QuadPart)
        bytes.reserve(bytes.size() + static_cast<std::size_t>(size.QuadPart - position.QuadPart) + 1);
    std::size_t read;
    do {
        // One read takes what the file held when it was measured, the next finds its end.
        const std::size_t used = bytes.size();
        const std::size_t room = bytes.capacity() > used ? bytes.capacity() - used : 64 * 1024;
        bytes.resize(used + room);
        const bool ok = Read(&bytes[used], room, read);
        bytes.resize(used + read);
        if (!ok)
            return false;
    } while (read > 0);
    return true;
}

bool DiskFile_t::Write(const char* bytes, std::size_t size)
{
    DWORD written = 0;
    if (!handle || Faulted(DiskCall_t::Write) || !WriteFile(handle, bytes, size, &written, nullptr))
        return false;
    if (written == size)
        return true;
    SetLastError(ERROR_DISK_FULL);
    return false;
}

bool DiskFile_t::Flush()
{
    return handle && !Faulted(DiskCall_t::Flush) && FlushFileBuffers(handle);
}

bool DiskFile_t::Close()
{
    if (!handle)
        return false;
    const bool closed = CloseHandle(handle);
    handle = nullptr;
    return closed;
}

void SetDiskFault(DiskFault_t fault)
{
    diskFault = fault;
}

} // namespace app
