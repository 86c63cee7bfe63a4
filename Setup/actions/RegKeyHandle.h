// CRegKeyHandle: an opened registry key, closed when it ends.
#pragma once

#include <windows.h>

class CRegKeyHandle
{
public:
    CRegKeyHandle() = default;
    ~CRegKeyHandle() { Close(); }
    CRegKeyHandle(const CRegKeyHandle&) = delete;
    CRegKeyHandle& operator=(const CRegKeyHandle&) = delete;

    LONG Open(HKEY root, const wchar_t* path, REGSAM access, DWORD options = 0)
    {
        Close();
        return RegOpenKeyExW(root, path, options, access, &m_key);
    }
    void Close()
    {
        if (m_key)
            RegCloseKey(m_key);
        m_key = nullptr;
    }
    HKEY get() const { return m_key; }
    HKEY* receive() { Close(); return &m_key; }

private:
    HKEY m_key = nullptr;
};
