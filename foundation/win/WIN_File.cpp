// Opening, reading, writing, flushing and closing a Windows file.
#include "foundation/win/WIN_File.h"

#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_Exception.h"

namespace win {

namespace {
const char thisFile[] = "WIN_File";
}

File_t::File_t(const std::string& path, DWORD access, DWORD disposition, DWORD flagsAndAttributes,
               DWORD shareMode, SECURITY_ATTRIBUTES* security, HANDLE templateFile)
    : File_t(::CreateFileA(path.c_str(), access, shareMode, security, disposition,
                           flagsAndAttributes, templateFile), access, 35)
{
}

File_t::File_t(const std::wstring& path, DWORD access, DWORD disposition, DWORD flagsAndAttributes,
               DWORD shareMode, SECURITY_ATTRIBUTES* security, HANDLE templateFile)
    : File_t(::CreateFileW(path.c_str(), access, shareMode, security, disposition,
                           flagsAndAttributes, templateFile), access, 60)
{
}

File_t::File_t(HANDLE opened, DWORD access, int errorLine) : handle(opened), access(access)
{
    if (handle.IsEmpty())
        throw FileError_t(thisFile, errorLine);
}

File_t::~File_t()
{
    try {
        Close();
    } catch (...) {
    }
}

DWORD File_t::GetSize() const
{
    const DWORD size = ::GetFileSize(handle.Get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        throw FileError_t(thisFile, 90);
    return size;
}

DWORD File_t::Write(const void* bytes, DWORD count)
{
    if (!IsWritable())
        throw glo::Assert_t(thisFile, 105);
    DWORD written = 0;
    if (!::WriteFile(handle.Get(), bytes, count, &written, nullptr))
        throw FileError_t(thisFile, 118);
    return written;
}

DWORD File_t::Read(void* buffer, DWORD count)
{
    DWORD read = 0;
    if (!::ReadFile(handle.Get(), buffer, count, &read, nullptr))
        throw FileError_t(thisFile, 144);
    return read;
}

void File_t::Flush()
{
    if (!IsWritable())
        throw glo::Assert_t(thisFile, 110);
    if (!::FlushFileBuffers(handle.Get()))
        throw FileError_t(thisFile, 114);
}

void File_t::Close()
{
    if (handle.IsEmpty())
        return;
    if (IsWritable())
        Flush();
    handle.Close();
}

} // namespace win
