// CFindFile: one folder search (FindFirstFileW / FindNextFileW) with its handle
// closed when it ends.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CFindFile
{
public:
    explicit CFindFile(const CString& pattern) : m_handle(FindFirstFileW(pattern, &m_data)) {}
    ~CFindFile() { if (Found()) FindClose(m_handle); }
    CFindFile(const CFindFile&) = delete;
    CFindFile& operator=(const CFindFile&) = delete;

    // Whether the search found a first entry.
    bool Found() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Moves to the next entry; false with ERROR_NO_MORE_FILES at the end.
    bool Next() { return FindNextFileW(m_handle, &m_data) != FALSE; }

    const WIN32_FIND_DATAW& Data() const { return m_data; }
    const wchar_t* Name() const { return m_data.cFileName; }
    bool IsFolder() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

private:
    WIN32_FIND_DATAW m_data = {};
    HANDLE m_handle;
};
