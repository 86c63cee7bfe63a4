// CInstallActions: USB driver installation. The driver files beside the setup program are
// copied to the installed folder on the system drive when they are newer, and every row
// not older than the system's own driver is installed or pre-installed through SetupAPI,
// after stale copies of its package were removed from the INF folder on Windows XP and
// Server 2003.
#include "Setup/actions/InstallActions.h"

#include "Setup/device/DriverInfo.h"
#include "Setup/device/DriverSystem.h"
#include "Setup/actions/FindFile.h"

#include <io.h>
#include <share.h>
#include <shlwapi.h>
#include <sys/stat.h>

#include <cstdio>
#include <vector>

namespace {

const DWORD kErrorInWow64 = 0xE0000235;
const DWORD kConfigFlagReinstall = 0x20;
const int kOemInfNameRoom = 520;

// Set by InstallUsbDrivers for the rest of the process: pre-installed devices are marked
// for reinstall.
bool g_reinstallMark = false;

// Whether the installed copy of a file must be refreshed: it is missing, or the setup's
// file was changed later.
bool NeedsCopy(const CString& setupPath, const CString& installedPath)
{
    struct _stat64 installed, setup;
    if (_wstat64(installedPath, &installed) != 0)
        return true;
    return _wstat64(setupPath, &setup) == 0 && setup.st_mtime > installed.st_mtime;
}

bool CopyAsked(const CDriverInfo& setup, const CDriverInfo& installed)
{
    for (int i = 0; i < setup.GetRowCount(); ++i) {
        const CDriverFile& from = setup.GetRow(i);
        const CDriverFile& to = installed.GetRow(i);
        if (NeedsCopy(from.GetSysFolder() + L"\\" + from.GetSysName(), to.GetSysFolder() + L"\\" + to.GetSysName()))
            return true;
        if (!from.GetInfName().IsEmpty() &&
            NeedsCopy(from.GetInfFolder() + L"\\" + from.GetInfName(), to.GetInfFolder() + L"\\" + to.GetInfName()))
            return true;
        if (from.HasCatalog() &&
            NeedsCopy(from.GetCatFolder() + from.GetCatName(), to.GetCatFolder() + to.GetCatName()))
            return true;
        if (to.GetVersion() < from.GetVersion())
            return true;
    }
    return false;
}

// Copies one file of a row from the setup's folder over the installed copy. The file of
// that name directly in the installed folder is removed first (also a read-only one); a
// copy in a platform folder below it is only overwritten, so a copy that fails keeps it.
void RefreshFile(const CString& name, const CString& setupFolder, const CString& rowFolder,
                 const CString& installedFolder)
{
    if (name.IsEmpty())
        return;
    CString target = installedFolder + L"\\" + name;
    SetFileAttributesW(target, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(target);
    CInstallActions::CopyFolder(setupFolder, rowFolder, name);
}

void CopyDriverFiles(const CDriverInfo& setup, const CDriverInfo& installed, const CString& installedFolder)
{
    for (int i = 0; i < installed.GetRowCount(); ++i) {
        const CDriverFile& from = setup.GetRow(i);
        const CDriverFile& to = installed.GetRow(i);
        RefreshFile(from.GetSysName(), from.GetSysFolder(), to.GetSysFolder(), installedFolder);
        if (to.HasCatalog())
            RefreshFile(from.GetCatName(), from.GetCatFolder(), to.GetCatFolder(), installedFolder);
        RefreshFile(from.GetInfName(), from.GetInfFolder(), to.GetInfFolder(), installedFolder);
    }
}

// A device's description, read into a zero-filled buffer that grows as the call asks.
CString DeviceDescription(HDEVINFO list, SP_DEVINFO_DATA& device)
{
    CString text;
    DWORD size = 0;
    HLOCAL buffer = nullptr;
    while (!CDriverSystem::Current().GetDeviceRegistryProperty(list, &device, SPDRP_DEVICEDESC,
                                                               static_cast<BYTE*>(buffer), size, &size)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
            break;
        if (buffer)
            LocalFree(buffer);
        // One character more than asked keeps the text terminated.
        buffer = LocalAlloc(LPTR, size + sizeof(wchar_t));
        if (!buffer)
            return text;
    }
    if (buffer) {
        text = static_cast<const wchar_t*>(buffer);
        LocalFree(buffer);
    }
    return text;
}

// Marks every device whose description begins with the text for reinstall, keeping its
// other configuration flags; a device whose flags cannot be read is left alone.
bool MarkDevicesForReinstall(const CString& description)
{
    CDriverSystem& system = CDriverSystem::Current();
    HDEVINFO list = SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
    if (list == INVALID_HANDLE_VALUE)
        return false;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(list, index, &device); ++index) {
        if (StrCmpNW(DeviceDescription(list, device), description, description.GetLength()) != 0)
            continue;
        DWORD flags = 0;
        if (!system.GetDeviceRegistryProperty(list, &device, SPDRP_CONFIGFLAGS, reinterpret_cast<BYTE*>(&flags),
                                              sizeof(flags), nullptr))
            continue;
        if (!(flags & kConfigFlagReinstall)) {
            flags |= kConfigFlagReinstall;
            system.SetDeviceRegistryProperty(list, &device, SPDRP_CONFIGFLAGS, reinterpret_cast<const BYTE*>(&flags),
                                             sizeof(flags));
        }
    }
    SetupDiDestroyDeviceInfoList(list);
    return true;
}

// The first line of a text file in UTF-16LE or the ANSI code page; empty when it cannot be read.
CString FirstLine(const CString& path)
{
    FILE* file = _wfsopen(path, L"rb", _SH_DENYWR);
    if (!file)
        return CString();
    char bytes[1024] = {};
    size_t count = fread(bytes, 1, sizeof(bytes) - 2, file);
    fclose(file);
    CString text;
    if (count >= 2 && static_cast<BYTE>(bytes[0]) == 0xFF && static_cast<BYTE>(bytes[1]) == 0xFE)
        text = CString(reinterpret_cast<const wchar_t*>(bytes + 2), static_cast<int>((count - 2) / 2));
    else
        text = CString(bytes);
    return text.SpanExcluding(L"\r\n");
}

}  // namespace

bool CInstallActions::InstallUsbDrivers(bool markReinstall)
{
    bool answer = false;
    if (AskTesterInTestMode(kAskUsbDriverInstalled, answer))
        return answer;
    IsUsbInterfaceRegistered(1);
    g_reinstallMark = markReinstall;
    if (GetWindowsVersion() < kWin2000)
        return false;
    return UpdateUsbDrivers(CDriverInfo::kGpsFamily);
}

bool CInstallActions::InstallAviationUsbDrivers()
{
    bool answer = false;
    if (AskTesterInTestMode(kAskAviationDriverInstalled, answer))
        return answer;
    if (GetWindowsVersion() < kWin2000)
        return false;
    return UpdateUsbDrivers(CDriverInfo::kAviationFamily);
}

bool CInstallActions::UpdateUsbDrivers(int family)
{
    CDriverSystem& system = CDriverSystem::Current();
    CString installedFolder = system.InstalledDriversFolder();
    CDriverInfo setup(system.SetupDriversFolder(), family, true);
    CDriverInfo installed(installedFolder, family, true);
    CDriverInfo drivers(system.SystemDriversFolder(), family, false);

    if (CopyAsked(setup, installed)) {
        CreateDirectoryRecursive(installedFolder, 10);
        CopyDriverFiles(setup, installed, installedFolder);
        installed.ResolveDriverFiles();
    }

    // A system driver newer than the installed copy keeps its row out.
    std::vector<CDriverFile> rows;
    for (int i = 0; i < installed.GetRowCount(); ++i)
        if (installed.GetRow(i).GetVersion() >= drivers.GetRow(i).GetVersion())
            rows.push_back(installed.GetRow(i));

    bool result = true;
    for (const CDriverFile& row : rows) {
        int version = GetWindowsVersion();
        if (version > kWin2000 && version < kVista)
            UninstallStaleOemInfs(row);
        bool ok = ReinstallDriver(row);
        result = result && ok;
    }
    return result;
}

bool CInstallActions::ReinstallDriver(CDriverFile row)
{
    // A row without a device (only a file to keep) needs no installation.
    if (row.GetDescription().IsEmpty())
        return true;
    CDriverSystem& system = CDriverSystem::Current();
    CString inf = row.GetInfFolder() + row.GetInfName();
    if (system.UpdatePlugAndPlayDriver(row.GetHardwareId(), inf))
        return true;
    DWORD error = GetLastError();
    if (error == ERROR_SUCCESS)
        return true;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_INVALID_FLAGS) {
        Trace(L"UpdateDriverForPlugAndPlayDevices returned Error in CInstallActions::ReinstallDriver\n");
        return false;
    }
    if (error == kErrorInWow64)
        Trace(L"Running in 64-bit environment");

    // No device takes the driver now: it is pre-installed for the next one plugged in.
    wchar_t destination[kOemInfNameRoom] = L"";
    if (!system.CopyOemInf(inf, destination, kOemInfNameRoom)) {
        Trace(L"bPreinstalled returned Error in CInstallActions::ReinstallDriver\n");
        return false;
    }
    if (g_reinstallMark && !MarkDevicesForReinstall(row.GetDescription()))
        return false;
    return true;
}

bool CInstallActions::UninstallStaleOemInfs(CDriverFile row)
{
    // The package's name without ".inf"; without one nothing is stale.
    CString infName = row.GetInfName();
    if (infName.GetLength() <= 4)
        return false;
    CString base = infName.Left(infName.GetLength() - 4);

    CDriverSystem& system = CDriverSystem::Current();
    CString infFolder = system.InfFolder();
    std::vector<CString> stale;
    {
        CFindFile find(infFolder + L"Oem*.Inf");
        if (find.Found()) {
            do {
                CString name = find.Name();
                if (!find.IsFolder() && FirstLine(infFolder + name).Find(base) >= 0)
                    stale.push_back(name.Left(name.GetLength() - 4));
            } while (find.Next());
        }
    }

    BOOL last = FALSE;
    for (const CString& name : stale) {
        CString file = name + L".INF";
        _chmod((infFolder + file).ToAnsi().c_str(), _S_IWRITE);
        last = system.UninstallOemInf(file);
    }
    return last != FALSE;
}
