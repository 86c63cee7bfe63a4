// CDriveEnumerator: the logical drives (see DriveEnumerator.h).
#include "Setup/actions/DriveEnumerator.h"

DWORD CDriveEnumerator::GetLogicalDriveMask() const
{
    return ::GetLogicalDrives();
}

UINT CDriveEnumerator::GetDriveType(const CString& root) const
{
    return ::GetDriveTypeW(root);
}

int CDriveEnumerator::GetDriveRoots(std::vector<CString>& roots) const
{
    // Asked with a buffer too small, Windows answers the length the list needs with its
    // closing zero (26 roots need 105); a drive may come between the two calls.
    std::vector<wchar_t> buffer(1, L'\0');
    DWORD length = s_driveStrings(0, buffer.data());
    while (length >= buffer.size()) {
        buffer.assign(length + 1, L'\0');
        length = s_driveStrings(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (length == 0)
        return static_cast<int>(roots.size());
    for (const wchar_t* root = buffer.data(); *root; root += wcslen(root) + 1)
        roots.push_back(CString(root));
    return static_cast<int>(roots.size());
}

BOOL CDriveEnumerator::GetVolumeInfo(const CString& root, CString& volumeName, DWORD& serial,
                                     DWORD& maxComponentLength, DWORD& fileSystemFlags,
                                     CString& fileSystemName) const
{
    BOOL result = GetVolumeInformationW(root, volumeName.GetBuffer(256), 256, &serial, &maxComponentLength,
                                        &fileSystemFlags, fileSystemName.GetBuffer(256), 256);
    volumeName.ReleaseBuffer();
    fileSystemName.ReleaseBuffer();
    if (result && s_flagsFilter)
        s_flagsFilter(root, fileSystemFlags);
    return result;
}

bool CDriveEnumerator::KeepsAccessLists(const CString& root) const
{
    CString volumeName, fileSystemName;
    DWORD serial = 0, maxComponentLength = 0, flags = 0;
    return GetVolumeInfo(root, volumeName, serial, maxComponentLength, flags, fileSystemName) &&
           (flags & FILE_PERSISTENT_ACLS);
}
