// CInstallActions: read-only checks of the USB drivers and devices: are the drivers
// current, is the units' device interface registered, is a unit or an aviation data-card
// programmer plugged in, and the device tree listed on the debugger output.
#include "Setup/actions/InstallActions.h"

#include "Setup/device/DeviceProtocol.h"
#include "Setup/device/DriverInfo.h"
#include "Setup/device/DriverSystem.h"

#include <objbase.h>

namespace {

void ListDeviceNodes(CDriverSystem& system, DEVINST node, HMACHINE machine, SP_CLASSIMAGELIST_DATA& images);

// The node's name as the device tree shows it: its friendly name, else its description.
CString NodeName(CDriverSystem& system, DEVINST node, HMACHINE machine)
{
    for (ULONG property : {CM_DRP_FRIENDLYNAME, CM_DRP_DEVICEDESC}) {
        wchar_t name[460] = L"";
        ULONG bytes = sizeof(name);
        if (system.GetNodeProperty(node, property, name, &bytes, machine) == CR_SUCCESS)
            return CString(name);
    }
    return CString(L"Unknown Device");
}

// Lists a node, then its children, then its following siblings with theirs.
void ListDeviceNodes(CDriverSystem& system, DEVINST node, HMACHINE machine, SP_CLASSIMAGELIST_DATA& images)
{
    for (DEVINST current = node;;) {
        wchar_t classText[39] = L"";
        ULONG bytes = sizeof(classText);
        GUID classGuid;
        int image = 0;
        if (system.GetNodeProperty(current, CM_DRP_CLASSGUID, classText, &bytes, machine) == CR_SUCCESS &&
            CLSIDFromString(classText, &classGuid) == NOERROR &&
            system.GetClassImageIndex(&images, &classGuid, &image))
            CInstallActions::Trace(NodeName(system, current, machine) + L"\n");
        DEVINST child = 0;
        if (system.GetChild(&child, current, machine) == CR_SUCCESS)
            ListDeviceNodes(system, child, machine, images);
        DEVINST sibling = 0;
        if (system.GetSibling(&sibling, current, machine) != CR_SUCCESS)
            return;
        current = sibling;
    }
}

}  // namespace

bool CInstallActions::AreUsbDriversCurrent(int family)
{
    bool answer = false;
    if (AskTesterInTestMode(kAskUsbDriversCurrent, answer))
        return answer;
    CDriverSystem& system = CDriverSystem::Current();
    CDriverInfo setup(system.SetupDriversFolder(), family, true);
    CDriverInfo installed(system.InstalledDriversFolder(), family, true);
    CDriverInfo drivers(system.SystemDriversFolder(), family, false);
    for (int i = 0; i < setup.GetRowCount(); ++i) {
        const CDriverFile& ours = setup.GetRow(i);
        if (!drivers.GetRow(i).IsPresent() || !installed.GetRow(i).IsPresent() ||
            ours.GetVersion() > drivers.GetRow(i).GetVersion() || ours.GetVersion() > installed.GetRow(i).GetVersion())
            return false;
    }
    return true;
}

bool CInstallActions::IsUsbInterfaceRegistered(int look)
{
    bool answer = false;
    if (AskTesterInTestMode(kAskUsbDriversCurrent, answer))
        return answer;
    // Registered means listed, whether a unit is plugged in or not.
    return look == 1 && CDeviceProtocol::HasDeviceInterface(DIGCF_DEVICEINTERFACE);
}

bool CInstallActions::IsUnitPluggedIn()
{
    return CDeviceProtocol::IsUnitConnected();
}

bool CInstallActions::ProbeAviationCardProgrammer()
{
    return CDeviceProtocol::ProbeAviationCardProgrammer();
}

bool CInstallActions::DumpDeviceTree()
{
    CDriverSystem& system = CDriverSystem::Current();
    wchar_t computer[258] = L"";
    DWORD length = 258;
    GetComputerNameW(computer, &length);
    CString machineName = CString(L"\\\\") + computer;
    HMACHINE machine = nullptr;
    CONFIGRET result = system.ConnectMachine(machineName, &machine);
    if (result != CR_SUCCESS) {
        CString text;
        text.Format(L"Machine Connection failed, cr= %lx(hex)\n", static_cast<unsigned long>(result));
        MessageBoxW(nullptr, text, L"Error", MB_ICONERROR);
        return false;
    }
    SP_CLASSIMAGELIST_DATA images = {};
    images.cbSize = sizeof(images);
    bool haveImages = system.GetClassImageList(&images) != FALSE;
    DEVINST root = 0, child = 0;
    if (system.LocateRootNode(&root, machine) == CR_SUCCESS && system.GetChild(&child, root, machine) == CR_SUCCESS)
        ListDeviceNodes(system, child, machine, images);
    if (haveImages)
        system.DestroyClassImageList(&images);
    system.DisconnectMachine(machine);
    return true;
}
