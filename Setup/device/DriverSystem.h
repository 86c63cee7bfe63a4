// CDriverSystem: the system's side of driver installation as the installer's driver code
// meets it: the folders an update works in, the calls that install, pre-install and remove
// driver packages or mark devices for reinstall, and the Configuration Manager's device
// tree with the class images. Each member makes exactly its Windows call or builds its
// folder text; a test puts a recording stand-in in their place.
#pragma once

#include "framework/CString.h"

#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>

class CDriverSystem
{
public:
    virtual ~CDriverSystem() = default;

    // The folder beside the setup program: GetModuleDirectory() + "USB_Drivers".
    virtual CString SetupDriversFolder();
    // The installed copy: GetSystemDrive() + "\Quorel\USB_Drivers".
    virtual CString InstalledDriversFolder();
    // GetSystemDirectoryPath() + "\Drivers".
    virtual CString SystemDriversFolder();
    // "%s\Inf\" of GetWindowsDirectoryPath().
    virtual CString InfFolder();

    // UpdateDriverForPlugAndPlayDevicesW(no window, hardware id, INF, no flags, no reboot flag),
    // from newdev.dll of the system folder; FALSE with ERROR_PROC_NOT_FOUND without it.
    virtual BOOL UpdatePlugAndPlayDriver(const wchar_t* hardwareId, const wchar_t* infPath);
    // SetupCopyOEMInfW from a path, no copy style, without the optional outputs.
    virtual BOOL CopyOemInf(const wchar_t* infPath, wchar_t* destination, DWORD destinationSize);
    // SetupUninstallOEMInfW with SUOI_FORCEDELETE.
    virtual BOOL UninstallOemInf(const wchar_t* infFileName);
    // SetupDiGetDeviceRegistryPropertyW without the data type.
    virtual BOOL GetDeviceRegistryProperty(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property, BYTE* bytes,
                                           DWORD size, DWORD* required);
    virtual BOOL SetDeviceRegistryProperty(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property,
                                           const BYTE* bytes, DWORD size);

    // The device tree of a machine.
    virtual CONFIGRET ConnectMachine(const wchar_t* machineName, HMACHINE* machine);
    virtual CONFIGRET DisconnectMachine(HMACHINE machine);
    virtual CONFIGRET LocateRootNode(DEVINST* root, HMACHINE machine);
    virtual CONFIGRET GetChild(DEVINST* child, DEVINST node, HMACHINE machine);
    virtual CONFIGRET GetSibling(DEVINST* sibling, DEVINST node, HMACHINE machine);
    virtual CONFIGRET GetNodeProperty(DEVINST node, ULONG property, wchar_t* buffer, ULONG* bytes,
                                      HMACHINE machine);
    virtual BOOL GetClassImageList(SP_CLASSIMAGELIST_DATA* images);
    virtual BOOL GetClassImageIndex(SP_CLASSIMAGELIST_DATA* images, const GUID* classGuid, int* index);
    virtual BOOL DestroyClassImageList(SP_CLASSIMAGELIST_DATA* images);

    // The calls in force: the real ones unless a test has put others in place.
    static CDriverSystem& Current();
    // A test's stand-in; null restores the real calls.
    static void SetForTest(CDriverSystem* system);
};
