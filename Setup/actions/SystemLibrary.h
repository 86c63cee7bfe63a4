// CSystemLibrary: a library of Windows that Setup loads itself, always from the system
// folder by its full path. A bare name would be looked for beside Setup.exe first, where
// anybody may have put a library of that name (a download folder, say); the libraries it
// needs in turn are looked for in the system folder too. Freed at the end.
#pragma once

#include <windows.h>

class CSystemLibrary
{
public:
    // fileName: the library's file name in the system folder ("msi.dll").
    explicit CSystemLibrary(const wchar_t* fileName);
    ~CSystemLibrary();
    CSystemLibrary(const CSystemLibrary&) = delete;
    CSystemLibrary& operator=(const CSystemLibrary&) = delete;

    // The entry of that name (or MAKEINTRESOURCEA ordinal) as a function pointer; null
    // when the library or the entry is missing.
    template <class Function>
    Function Entry(const char* name) const
    {
        return reinterpret_cast<Function>(EntryAddress(name));
    }

private:
    void* EntryAddress(const char* name) const;

    HMODULE m_module;
};
