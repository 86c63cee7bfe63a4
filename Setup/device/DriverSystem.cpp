// CDriverSystem: the real folders and Windows calls (see DriverSystem.h).
#include "Setup/device/DriverSystem.h"

#include "Setup/actions/InstallActions.h"
#include "Setup/actions/SystemLibrary.h"

#include <newdev.h>

namespace {
CDriverSystem g_real;
CDriverSystem* g_current = &g_real;
}  // namespace

CDriverSystem& CDriverSystem::Current()
{
    return *g_current;
}

void CDriverSystem::SetForTest(CDriverSystem* system)
{
    g_current = system ? system : &g_real;
}

CString CDriverSystem::SetupDriversFolder()
{
    return CInstallActions::GetModuleDirectory() + L"USB_Drivers";
}

CString CDriverSystem::InstalledDriversFolder()
{
    return CInstallActions::GetSystemDrive() + L"\\Quorel\\USB_Drivers";
}

CString CDriverSystem::SystemDriversFolder()
{
    return CInstallActions::GetSystemDirectoryPath() + L"\\Drivers";
}

CString CDriverSystem::InfFolder()
{
    CString folder;
    folder.Format(L"%s\\Inf\\", CInstallActions::GetWindowsDirectoryPath().GetString());
    return folder;
}

BOOL CDriverSystem::UpdatePlugAndPlayDriver(const wchar_t* hardwareId, const wchar_t* infPath)
{
    CSystemLibrary newdev(L"newdev.dll");
    auto update = newdev.Entry<decltype(&UpdateDriverForPlugAndPlayDevicesW)>("UpdateDriverForPlugAndPlayDevicesW");
    if (!update) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return update(nullptr, hardwareId, infPath, 0, nullptr);
}

BOOL CDriverSystem::CopyOemInf(const wchar_t* infPath, wchar_t* destination, DWORD destinationSize)
{
    return SetupCopyOEMInfW(infPath, nullptr, SPOST_PATH, 0, destination, destinationSize, nullptr, nullptr);
}

BOOL CDriverSystem::UninstallOemInf(const wchar_t* infFileName)
{
    return SetupUninstallOEMInfW(infFileName, SUOI_FORCEDELETE, nullptr);
}

BOOL CDriverSystem::GetDeviceRegistryProperty(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property, BYTE* bytes,
                                              DWORD size, DWORD* required)
{
    return SetupDiGetDeviceRegistryPropertyW(list, device, property, nullptr, bytes, size, required);
}

BOOL CDriverSystem::SetDeviceRegistryProperty(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property,
                                              const BYTE* bytes, DWORD size)
{
    return SetupDiSetDeviceRegistryPropertyW(list, device, property, bytes, size);
}

CONFIGRET CDriverSystem::ConnectMachine(const wchar_t* machineName, HMACHINE* machine)
{
    return CM_Connect_MachineW(machineName, machine);
}

CONFIGRET CDriverSystem::DisconnectMachine(HMACHINE machine)
{
    return CM_Disconnect_Machine(machine);
}

CONFIGRET CDriverSystem::LocateRootNode(DEVINST* root, HMACHINE machine)
{
    return CM_Locate_DevNode_ExW(root, nullptr, CM_LOCATE_DEVNODE_NORMAL, machine);
}

CONFIGRET CDriverSystem::GetChild(DEVINST* child, DEVINST node, HMACHINE machine)
{
    return CM_Get_Child_Ex(child, node, 0, machine);
}

CONFIGRET CDriverSystem::GetSibling(DEVINST* sibling, DEVINST node, HMACHINE machine)
{
    return CM_Get_Sibling_Ex(sibling, node, 0, machine);
}

CONFIGRET CDriverSystem::GetNodeProperty(DEVINST node, ULONG property, wchar_t* buffer, ULONG* bytes,
                                         HMACHINE machine)
{
    return CM_Get_DevNode_Registry_Property_ExW(node, property, nullptr, buffer, bytes, 0, machine);
}

BOOL CDriverSystem::GetClassImageList(SP_CLASSIMAGELIST_DATA* images)
{
    return SetupDiGetClassImageList(images);
}

BOOL CDriverSystem::GetClassImageIndex(SP_CLASSIMAGELIST_DATA* images, const GUID* classGuid, int* index)
{
    return SetupDiGetClassImageIndex(images, classGuid, index);
}

BOOL CDriverSystem::DestroyClassImageList(SP_CLASSIMAGELIST_DATA* images)
{
    return SetupDiDestroyClassImageList(images);
}
