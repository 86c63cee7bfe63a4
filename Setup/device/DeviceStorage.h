// CDeviceStorage: the mass-storage side of the device support. A unit shows up as a
// removable drive with the device description file "Quorel\QuorelDevice.xml"; the maker's
// PC navigation software keeps one in its device folder under the application data. The
// file is read whole and searched with the tag lookups: the unit id, data types and the
// update files with their part numbers. Map images are described by the disk-image
// library, or by the scrambled record beside them when they cannot be opened.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <functional>
#include <vector>

class CDeviceStorage
{
public:
    CDeviceStorage() = delete;

    // The unit's device folder ("E:\Quorel\") on the first removable drive holding the file.
    static bool FindDeviceFolder(CString& folder);
    static int CountDeviceDrives();
    static bool GetPathRoot(CString& root);
    static bool FindDeviceXml(CString& path);
    static bool FindPcDeviceXml(CString& path);
    static bool ReadDeviceXml(CString& text);
    static bool ReadPcDeviceXml(CString& text);
    static bool HasDeviceDrive();
    static bool HasPcDevice();

    static bool GetDeviceUnitId(int& id);
    static bool GetPcDeviceUnitId(DWORD& id);
    static bool FindDataTypeName();
    static bool FindPartNumberForFile(const CString& xml, const CString& fileName, CString& partNumber);
    static bool FindFileForPartNumber(const CString& partNumber, const CString& xml, CString& fileName);

    static bool GetMapImageInfo(const CString& imagePath, CString& name, CString& description, int& version);
    static bool IsMapImageOutdated(const CString& reference, const CString& candidate, CString& name,
                                   CString& description, int& version);
    static bool CheckMapImage(const CString& reference, const CString& candidate);
    static bool RemoveMapRecord(const CString& imagePath);

    // A drive as the search sees it.
    struct Drive
    {
        CString root;  // "E:\"
        UINT type;     // DRIVE_REMOVABLE, DRIVE_FIXED, ...
    };
    // A test's list of drives in place of the system's; null restores the system's.
    static void SetDrivesForTest(std::function<std::vector<Drive>()> drives);

private:
    static std::vector<Drive> Drives();
    static bool FindDeviceFolders(std::vector<CString>& folders, bool all);
    static CString PcDeviceFolder();
};
