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
    // Whether the drive's file system keeps access lists (FAT and exFAT do not), so
    // that the locks an installation sets on its folders hold.
    bool KeepsAccessLists(const CString& root) const;

    // Test seam: every volume's file-system flags pass through this before they are
    // reported; null for none.
    using FlagsFilter = void (*)(const CString& root, DWORD& fileSystemFlags);
    static void SetFileSystemFlagsFilterForTest(FlagsFilter filter) { s_flagsFilter = filter; }

    // Test seam: the call that lists the drive roots (GetLogicalDriveStringsW); null
    // for the system's.
    using DriveStringsCall = DWORD(WINAPI*)(DWORD length, LPWSTR buffer);
    static void SetDriveStringsForTest(DriveStringsCall call)
    {
        s_driveStrings = call ? call : GetLogicalDriveStringsW;
    }

private:
    inline static FlagsFilter s_flagsFilter = nullptr;
    inline static DriveStringsCall s_driveStrings = GetLogicalDriveStringsW;
};
