// An open Windows file. A file opened for writing is flushed before it is
// closed; every failed call throws win::FileError_t.
#pragma once

#include "foundation/win/WIN_Handle.h"

#include <windows.h>

#include <string>

namespace win {

class File_t {
public:
    File_t(const std::string& path, DWORD access, DWORD disposition, DWORD flagsAndAttributes,
           DWORD shareMode, SECURITY_ATTRIBUTES* security = nullptr, HANDLE templateFile = nullptr);
    File_t(const std::wstring& path, DWORD access, DWORD disposition, DWORD flagsAndAttributes,
           DWORD shareMode, SECURITY_ATTRIBUTES* security = nullptr, HANDLE templateFile = nullptr);
    // Closes the file; a failure there is swallowed, and the handle is closed all the same.
    ~File_t();

    HANDLE GetHandle() const { return handle.Get(); }
    DWORD GetSize() const;
    // Both return the count of bytes moved; Read gives 0 at the end of the file.
    DWORD Write(const void* bytes, DWORD count);
    DWORD Read(void* buffer, DWORD count);
    void Flush();
    // Flushes a file opened for writing, then closes it. A failed flush
    // throws before the handle is closed.
    void Close();

private:
    // Takes the handle of a just opened file; FileError_t at errorLine when there is none.
    File_t(HANDLE opened, DWORD access, int errorLine);

    bool IsWritable() const { return (access & GENERIC_WRITE) != 0; }

    Handle_t handle;
    DWORD access;
};

} // namespace win
