// A stand-in for the system's side of driver installation. While it lives the driver code
// works in folders of the test's own (setup, installed, system drivers, INF), and what
// would install, pre-install or remove a driver package or mark a device for reinstall is
// recorded and answered as the test asks, never done. It also holds a small device tree
// for the Configuration Manager's calls, which Wine does not offer.
#pragma once

#include "tests/Setup/actions/SetupTestSupport.h"

#include "Setup/device/DriverSystem.h"

#include <set>
#include <string>
#include <vector>

class RecordingDriverSystem : public CDriverSystem
{
public:
    RecordingDriverSystem();
    ~RecordingDriverSystem() override;

    // The folders, all inside one temporary folder.
    CString setupFolder, installedFolder, systemFolder, infFolder;

    // The answers: the update's result and its last error, the pre-install's and the removal's.
    BOOL updateResult = TRUE;
    DWORD updateError = 0;
    BOOL copyOemResult = TRUE;
    BOOL uninstallResult = TRUE;
    // The devices' configuration flags as read: the real ones, unreadable, or these.
    enum class ConfigFlags { Real, Unreadable, Given };
    ConfigFlags configFlagsRead = ConfigFlags::Real;
    DWORD givenConfigFlags = 0;

    // What was asked.
    struct Update { std::wstring hardwareId, inf; };
    std::vector<Update> updates;
    std::vector<std::wstring> preinstalls;
    std::vector<std::wstring> uninstalls;
    struct Marking { std::wstring description; DWORD flags; };
    std::vector<Marking> markings;

    // The device tree: nodes 1, 2, ... with their parent (0 for the root's children).
    struct Node { DEVINST parent; std::wstring classGuid, friendlyName, description; };
    std::vector<Node> nodes;
    std::set<std::wstring> classesWithImage;
    CONFIGRET connectResult = CR_SUCCESS;
    std::wstring machineName;
    bool connected = false;

    CString SetupDriversFolder() override { return setupFolder; }
    CString InstalledDriversFolder() override { return installedFolder; }
    CString SystemDriversFolder() override { return systemFolder; }
    CString InfFolder() override { return infFolder; }
    BOOL UpdatePlugAndPlayDriver(const wchar_t* hardwareId, const wchar_t* infPath) override;
    BOOL CopyOemInf(const wchar_t* infPath, wchar_t* destination, DWORD destinationSize) override;
    BOOL UninstallOemInf(const wchar_t* infFileName) override;
    BOOL GetDeviceRegistryProperty(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property, BYTE* bytes, DWORD size,
                                   DWORD* required) override;
    BOOL SetDeviceRegistryProperty(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property, const BYTE* bytes,
                                   DWORD size) override;
    CONFIGRET ConnectMachine(const wchar_t* machineName, HMACHINE* machine) override;
    CONFIGRET DisconnectMachine(HMACHINE machine) override;
    CONFIGRET LocateRootNode(DEVINST* root, HMACHINE machine) override;
    CONFIGRET GetChild(DEVINST* child, DEVINST node, HMACHINE machine) override;
    CONFIGRET GetSibling(DEVINST* sibling, DEVINST node, HMACHINE machine) override;
    CONFIGRET GetNodeProperty(DEVINST node, ULONG property, wchar_t* buffer, ULONG* bytes,
                              HMACHINE machine) override;
    BOOL GetClassImageList(SP_CLASSIMAGELIST_DATA* images) override;
    BOOL GetClassImageIndex(SP_CLASSIMAGELIST_DATA* images, const GUID* classGuid, int* index) override;
    BOOL DestroyClassImageList(SP_CLASSIMAGELIST_DATA* images) override;

private:
    setup_test::TempFolder m_root;
};

// Writes a file that carries a version resource of the given version (major.minor),
// changed by seconds from now; a copy of the driver stub built beside the tests.
void WriteDriverFile(const CString& path, WORD major, WORD minor, int secondsFromNow = 0);
// Sets a file's modification time to seconds from now.
void SetFileTime(const CString& path, int secondsFromNow);
