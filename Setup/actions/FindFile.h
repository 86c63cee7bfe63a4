// CFindFile: one folder search (FindFirstFileW / FindNextFileW) with its handle
// closed when it ends.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CFindFile
{
public:
    explicit CFindFile(const CString& pattern) : m_handle(FindFirstFileW(pattern, &m_data)) { Report(Found()); }
    ~CFindFile() { if (Found()) FindClose(m_handle); }
    CFindFile(const CFindFile&) = delete;
    CFindFile& operator=(const CFindFile&) = delete;

    // Whether the search found a first entry.
    bool Found() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Moves to the next entry; false with ERROR_NO_MORE_FILES at the end.
    bool Next() { return Report(FindNextFileW(m_handle, &m_data) != FALSE); }

    const WIN32_FIND_DATAW& Data() const { return m_data; }
    const wchar_t* Name() const { return m_data.cFileName; }
    bool IsFolder() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // A junction or symbolic link: an entry that stands for another one elsewhere.
    bool IsLink() const
    {
        return (m_data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
               IsReparseTagNameSurrogate(m_data.dwReserved0);
    }

    // Test seam: every entry found passes through this before it is reported; null for none.
    using Filter = void (*)(WIN32_FIND_DATAW& data);
    static void SetFilterForTest(Filter filter) { s_filter = filter; }

private:
    bool Report(bool found)
    {
        if (found && s_filter)
            s_filter(m_data);
        return found;
    }

    WIN32_FIND_DATAW m_data = {};
    HANDLE m_handle;
    inline static Filter s_filter = nullptr;
};
