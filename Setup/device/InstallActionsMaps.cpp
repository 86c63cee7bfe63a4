// CInstallActions: the maps preloaded on a unit, asked of the unit over USB or read from
// its device description file on a removable drive or in the PC device folder, and the
// description of a map image read with the disk-image library.
#include "Setup/actions/InstallActions.h"

#include "Setup/device/DeviceProtocol.h"
#include "Setup/device/DeviceStorage.h"
#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_VarnokDiskImage.h"

#include <cmath>

namespace {

// The map product records of the preloaded maps.
const BYTE kPreloadedRecords[] = {49, 77};

// "B.E", and "B1.E" to "B9.E" for the numbers 1 to 9.
CString MapFileName(const CString& base, int number, const CString& extension)
{
    CString name;
    if (number == 0)
        name.Format(L"%s.%s", base.GetString(), extension.GetString());
    else
        name.Format(L"%s%d.%s", base.GetString(), number, extension.GetString());
    return name;
}

// The base name and the extension of the preloaded maps in a description file.
bool PreloadedMapNames(const CString& xml, const wchar_t* extensionParent, CString& base, CString& extension)
{
    return CInstallActions::GetXmlElementValue(xml, L"PreProgrammedMaps", L"BaseName", base) &&
           CInstallActions::GetXmlElementValue(xml, extensionParent, L"FileExtension", extension);
}

bool PartsOverUsb(DWORD unitId, std::vector<CString>& parts)
{
    DWORD id = 0;
    if (!CDeviceProtocol::IsUnitConnected() || !CDeviceProtocol::GetUnitId(id) || id != unitId)
        return false;
    for (BYTE record : kPreloadedRecords) {
        CString partNumber, productText;
        if (CDeviceProtocol::GetMapProductRecord(record, partNumber, productText))
            parts.push_back(productText);
    }
    return true;
}

}  // namespace

bool CInstallActions::GetPreloadedMapParts(DWORD unitId, std::vector<CString>& parts)
{
    parts.clear();
    if (PartsOverUsb(unitId, parts))
        return true;

    // The unit's own description file: every listed map counts.
    int driveId = 0;
    if (CDeviceStorage::HasDeviceDrive() && CDeviceStorage::GetDeviceUnitId(driveId) &&
        static_cast<DWORD>(driveId) == unitId) {
        CString xml, base, extension;
        if (!CDeviceStorage::ReadDeviceXml(xml) || !PreloadedMapNames(xml, L"BaseMaps", base, extension))
            return false;
        for (int number = 0; number <= 9; ++number) {
            CString partNumber;
            if (CDeviceStorage::FindPartNumberForFile(xml, MapFileName(base, number, extension), partNumber))
                parts.push_back(partNumber);
        }
        return !parts.empty();
    }

    // The PC device folder's file: the maps up to the first one not listed.
    DWORD pcId = 0;
    if (!CDeviceStorage::HasPcDevice() || !CDeviceStorage::GetPcDeviceUnitId(pcId) || pcId != unitId)
        return false;
    CString xml, base, extension;
    if (!CDeviceStorage::ReadPcDeviceXml(xml) || !PreloadedMapNames(xml, L"PreProgrammedMaps", base, extension))
        return false;
    for (int number = 0; number <= 9; ++number) {
        CString partNumber;
        if (!CDeviceStorage::FindPartNumberForFile(xml, MapFileName(base, number, extension), partNumber)) {
            if (number == 0)
                return false;
            break;
        }
        parts.push_back(partNumber);
    }
    return true;
}

bool CInstallActions::ReadImageDescription(const CString& imagePath, CString& description, int& version,
                                           CString& name)
{
    try {
        IMG_VarnokDiskImage image;
        image.SetReservedFlag(true);
        image.Open(imagePath.ToAnsi().c_str());
        description = CString(image.GetDescription().c_str()).Trim();
        name = CString(image.GetName().c_str()).Trim();
        // Rounded: the stored hundredths of 3.10 come back as a float just below 3.1.
        version = static_cast<int>(std::floor(image.GetVersion() * 100.0 + 0.5));
        return true;
    } catch (const std::exception& e) {
        // The library's own errors, and any other an unreadable image raises.
        Trace(CString(e.what()));
        return false;
    }
}
