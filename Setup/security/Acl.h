// CAcl: owns one access list allocated with LocalAlloc.
#pragma once

#include <windows.h>
#include <accctrl.h>

class CAcl
{
public:
    CAcl() = default;
    virtual ~CAcl();
    CAcl(const CAcl&) = delete;
    CAcl& operator=(const CAcl&) = delete;

    // A fresh, empty list of the given size in bytes.
    BOOL Initialize(DWORD bytes);
    // Merges the entries into the current list (none: a list of exactly these entries);
    // the Windows error code, 0 on success.
    DWORD SetEntries(ULONG count, EXPLICIT_ACCESS_W* entries);

    PACL Get() const { return m_acl; }

private:
    void Free();

    PACL m_acl = nullptr;
};
