// CDriveEnumerator: the logical drives, their types and volume information.
#pragma once

#include "framework/CString.h"

#include <windows.h>
#include <vector>

class CDriveEnumerator
{
public:
    DWORD GetLogicalDriveMask() const;
    UINT GetDriveType(const CString& root) const;
    // Appends the roots ("C:\") in the system's order; returns the list's count.
    int GetDriveRoots(std::vector<CString>& roots) const;
    BOOL GetVolumeInfo(const CString& root, CString& volumeName, DWORD& serial,
                       DWORD& maxComponentLength, DWORD& fileSystemFlags, CString& fileSystemName) const;
};
