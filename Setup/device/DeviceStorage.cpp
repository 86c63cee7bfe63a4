// CDeviceStorage: device description files and map image descriptions (see DeviceStorage.h).
#include "Setup/device/DeviceStorage.h"

#include "Setup/actions/DriveEnumerator.h"
#include "Setup/actions/InstallActions.h"
#include "Setup/device/MapRecord.h"
#include "framework/CFileFind.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cwchar>

namespace {

const wchar_t kDeviceFile[] = L"QuorelDevice.xml";
const wchar_t kDeviceFolder[] = L"Quorel\\";

std::function<std::vector<CDeviceStorage::Drive>()> g_testDrives;

// Calls visit with the text of each element of that name in turn, until it returns true.
bool ForEachElement(const CString& text, const wchar_t* tag, const std::function<bool(const CString&)>& visit)
{
    for (int from = 0;;) {
        CString value;
        int at = CInstallActions::GetXmlTagValue(text.Mid(from), tag, value);
        if (at == 0)
            return false;
        if (visit(value))
            return true;
        from += at + value.GetLength();
    }
}

// Walks the update files: the first whose key element equals the value gives its other element.
bool FindInUpdateFiles(const CString& xml, const CString& value, const wchar_t* keyTag, const wchar_t* resultTag,
                       CString& result)
{
    result.Empty();
    if (value.IsEmpty() || value.Find(L"None") >= 0)
        return false;
    return ForEachElement(xml, L"UpdateFile", [&](const CString& element) {
        CString key;
        CInstallActions::GetXmlTagValue(element, keyTag, key);
        if (key.CompareNoCase(value) != 0)
            return false;
        CInstallActions::GetXmlTagValue(element, resultTag, result);
        return true;
    });
}

// The first Id element's text as a decimal number; false when it has no digits.
bool ReadIdText(const CString& xml, CString& digits)
{
    CString value;
    if (CInstallActions::GetXmlTagValue(xml, L"Id", value) == 0)
        return false;
    digits = value.Trim();
    return !digits.IsEmpty();
}

}  // namespace

void CDeviceStorage::SetDrivesForTest(std::function<std::vector<Drive>()> drives)
{
    g_testDrives = std::move(drives);
}

std::vector<CDeviceStorage::Drive> CDeviceStorage::Drives()
{
    if (g_testDrives)
        return g_testDrives();
    CDriveEnumerator enumerator;
    std::vector<CString> roots;
    enumerator.GetDriveRoots(roots);
    std::vector<Drive> drives;
    for (const CString& root : roots)
        drives.push_back({root, enumerator.GetDriveType(root)});
    return drives;
}

bool CDeviceStorage::FindDeviceFolders(std::vector<CString>& folders, bool all)
{
    // No "insert a disk" box for an empty drive while the drives are looked at.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    for (const Drive& drive : Drives()) {
        if (drive.type != DRIVE_REMOVABLE)
            continue;
        CFileFind find;
        if (find.FindFile(drive.root + kDeviceFolder + kDeviceFile)) {
            folders.push_back(drive.root + kDeviceFolder);
            if (!all)
                break;
        }
    }
    SetErrorMode(0);
    return !folders.empty();
}

bool CDeviceStorage::FindDeviceFolder(CString& folder)
{
    std::vector<CString> folders;
    folder.Empty();
    if (!FindDeviceFolders(folders, false))
        return false;
    folder = folders.front();
    return true;
}

int CDeviceStorage::CountDeviceDrives()
{
    std::vector<CString> folders;
    FindDeviceFolders(folders, true);
    return static_cast<int>(folders.size());
}

bool CDeviceStorage::GetPathRoot(CString& root)
{
    if (!FindDeviceFolder(root))
        return false;
    PathStripToRootW(root.GetBuffer(MAX_PATH));
    root.ReleaseBuffer();
    return true;
}

bool CDeviceStorage::FindDeviceXml(CString& path)
{
    if (!FindDeviceFolder(path))
        return false;
    path += kDeviceFile;
    return true;
}

CString CDeviceStorage::PcDeviceFolder()
{
    CString folder;
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &list))) {
        if (SHGetPathFromIDListW(list, folder.GetBuffer(MAX_PATH)))
            folder.ReleaseBuffer();
        else
            folder.ReleaseBuffer(0);
        CoTaskMemFree(list);
    }
    return folder + L"\\QUOREL\\Devices\\Sorvane\\";
}

bool CDeviceStorage::FindPcDeviceXml(CString& path)
{
    path = PcDeviceFolder() + kDeviceFile;
    CString text;
    return CInstallActions::ReadTextFile(path, text);
}

bool CDeviceStorage::ReadDeviceXml(CString& text)
{
    text.Empty();
    CString path;
    return FindDeviceXml(path) && CInstallActions::ReadTextFile(path, text);
}

bool CDeviceStorage::ReadPcDeviceXml(CString& text)
{
    text.Empty();
    CString path;
    return FindPcDeviceXml(path) && CInstallActions::ReadTextFile(path, text);
}

bool CDeviceStorage::HasDeviceDrive()
{
    CString path;
    return FindDeviceXml(path);
}

bool CDeviceStorage::HasPcDevice()
{
    CString path;
    return FindPcDeviceXml(path);
}

bool CDeviceStorage::GetDeviceUnitId(int& id)
{
    id = 0;
    CString xml, digits;
    if (!ReadDeviceXml(xml) || !ReadIdText(xml, digits))
        return false;
    wchar_t* end = nullptr;
    long value = wcstol(digits, &end, 10);
    if (end == digits.GetString())
        return false;
    id = static_cast<int>(value);
    return true;
}

bool CDeviceStorage::GetPcDeviceUnitId(DWORD& id)
{
    id = 0;
    CString xml, digits;
    if (!ReadPcDeviceXml(xml) || !ReadIdText(xml, digits))
        return false;
    wchar_t* end = nullptr;
    unsigned long value = wcstoul(digits, &end, 10);
    if (end == digits.GetString() || value == 0xFFFFFFFFul)
        return false;
    id = value;
    return true;
}

bool CDeviceStorage::FindDataTypeName()
{
    CString xml;
    if (!ReadDeviceXml(xml))
        return false;
    return ForEachElement(xml, L"DataType", [](const CString& element) {
        CString name;
        CInstallActions::GetXmlTagValue(element, L"Name", name);
        return name.CompareNoCase(L"ASR") == 0;
    });
}

bool CDeviceStorage::FindPartNumberForFile(const CString& xml, const CString& fileName, CString& partNumber)
{
    return FindInUpdateFiles(xml, fileName, L"FileName", L"PartNumber", partNumber);
}

bool CDeviceStorage::FindFileForPartNumber(const CString& partNumber, const CString& xml, CString& fileName)
{
    return FindInUpdateFiles(xml, partNumber, L"PartNumber", L"FileName", fileName);
}

bool CDeviceStorage::GetMapImageInfo(const CString& imagePath, CString& name, CString& description, int& version)
{
    CMapRecord record;
    if (CInstallActions::ReadImageDescription(imagePath, description, version, name)) {
        record.Set(imagePath.ToAnsi(), name.ToAnsi(), description.ToAnsi(), version);
        record.Write();
        return true;
    }
    record.SetFile(imagePath.ToAnsi());
    if (!record.Read())
        return false;
    name = CString(record.GetName().c_str());
    description = CString(record.GetDescription().c_str());
    version = record.GetVersion();
    return true;
}

bool CDeviceStorage::IsMapImageOutdated(const CString& reference, const CString& candidate, CString& name,
                                        CString& description, int& version)
{
    if (!GetMapImageInfo(candidate, name, description, version))
        return false;
    CString referenceName, referenceDescription;
    int referenceVersion = 0;
    if (!CInstallActions::ReadImageDescription(reference, referenceDescription, referenceVersion, referenceName))
        return false;
    if (name.Left(5) != referenceName.Left(5) || version >= referenceVersion)
        return false;
    // An outdated image loses its checksum file.
    int length = candidate.GetLength();
    if (candidate.Right(4).CompareNoCase(L".img") == 0)
        DeleteFileW(candidate.Left(length - 4) + L".sum");
    return true;
}

bool CDeviceStorage::CheckMapImage(const CString& reference, const CString& candidate)
{
    CString name, description;
    int version = 0;
    return IsMapImageOutdated(reference, candidate, name, description, version);
}

bool CDeviceStorage::RemoveMapRecord(const CString& imagePath)
{
    CMapRecord record;
    record.SetFile(imagePath.ToAnsi());
    return record.Remove();
}
