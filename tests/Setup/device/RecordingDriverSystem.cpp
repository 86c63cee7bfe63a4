// The recording stand-in for driver installation (see RecordingDriverSystem.h).
#include "tests/Setup/device/RecordingDriverSystem.h"

#include <objbase.h>

#include <cstring>

RecordingDriverSystem::RecordingDriverSystem()
{
    setupFolder = m_root / L"setup\\USB_Drivers";
    installedFolder = m_root / L"Quorel\\USB_Drivers";
    systemFolder = m_root / L"system32\\Drivers";
    infFolder = m_root / L"Windows\\Inf\\";
    for (const CString& folder : {setupFolder, systemFolder, infFolder})
        CInstallActions::CreateDirectoryRecursive(folder.Right(1) == L"\\" ? folder.Left(folder.GetLength() - 1) : folder,
                                                  4);
    CDriverSystem::SetForTest(this);
}

RecordingDriverSystem::~RecordingDriverSystem()
{
    CDriverSystem::SetForTest(nullptr);
}

BOOL RecordingDriverSystem::UpdatePlugAndPlayDriver(const wchar_t* hardwareId, const wchar_t* infPath)
{
    updates.push_back({hardwareId, infPath});
    SetLastError(updateError);
    return updateResult;
}

BOOL RecordingDriverSystem::CopyOemInf(const wchar_t* infPath, wchar_t* destination, DWORD destinationSize)
{
    preinstalls.push_back(infPath);
    if (copyOemResult && destinationSize > 0)
        wcsncpy(destination, L"C:\\windows\\inf\\oem7.inf", destinationSize - 1);
    return copyOemResult;
}

BOOL RecordingDriverSystem::UninstallOemInf(const wchar_t* infFileName)
{
    uninstalls.push_back(infFileName);
    return uninstallResult;
}

BOOL RecordingDriverSystem::GetDeviceRegistryProperty(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property,
                                                      BYTE* bytes, DWORD size, DWORD* required)
{
    if (property != SPDRP_CONFIGFLAGS || configFlagsRead == ConfigFlags::Real)
        return CDriverSystem::GetDeviceRegistryProperty(list, device, property, bytes, size, required);
    if (configFlagsRead == ConfigFlags::Unreadable || size < sizeof(DWORD)) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    memcpy(bytes, &givenConfigFlags, sizeof(DWORD));
    return TRUE;
}

BOOL RecordingDriverSystem::SetDeviceRegistryProperty(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property,
                                                      const BYTE* bytes, DWORD size)
{
    wchar_t description[512] = L"";
    SetupDiGetDeviceRegistryPropertyW(list, device, SPDRP_DEVICEDESC, nullptr, reinterpret_cast<BYTE*>(description),
                                      sizeof(description) - sizeof(wchar_t), nullptr);
    DWORD flags = 0;
    if (property == SPDRP_CONFIGFLAGS && size == sizeof(flags))
        memcpy(&flags, bytes, sizeof(flags));
    markings.push_back({description, flags});
    return TRUE;
}

CONFIGRET RecordingDriverSystem::ConnectMachine(const wchar_t* name, HMACHINE* machine)
{
    machineName = name;
    if (connectResult != CR_SUCCESS)
        return connectResult;
    connected = true;
    *machine = reinterpret_cast<HMACHINE>(this);
    return CR_SUCCESS;
}

CONFIGRET RecordingDriverSystem::DisconnectMachine(HMACHINE)
{
    connected = false;
    return CR_SUCCESS;
}

CONFIGRET RecordingDriverSystem::LocateRootNode(DEVINST* root, HMACHINE)
{
    *root = 0;
    return CR_SUCCESS;
}

CONFIGRET RecordingDriverSystem::GetChild(DEVINST* child, DEVINST node, HMACHINE)
{
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].parent == node) {
            *child = static_cast<DEVINST>(i + 1);
            return CR_SUCCESS;
        }
    }
    return CR_NO_SUCH_DEVNODE;
}

CONFIGRET RecordingDriverSystem::GetSibling(DEVINST* sibling, DEVINST node, HMACHINE)
{
    if (node == 0 || node > nodes.size())
        return CR_INVALID_DEVNODE;
    for (size_t i = node; i < nodes.size(); ++i) {
        if (nodes[i].parent == nodes[node - 1].parent) {
            *sibling = static_cast<DEVINST>(i + 1);
            return CR_SUCCESS;
        }
    }
    return CR_NO_SUCH_DEVNODE;
}

CONFIGRET RecordingDriverSystem::GetNodeProperty(DEVINST node, ULONG property, wchar_t* buffer, ULONG* bytes,
                                                 HMACHINE)
{
    if (node == 0 || node > nodes.size())
        return CR_INVALID_DEVNODE;
    const Node& found = nodes[node - 1];
    const std::wstring& text = property == CM_DRP_CLASSGUID      ? found.classGuid
                               : property == CM_DRP_FRIENDLYNAME ? found.friendlyName
                                                                 : found.description;
    if (text.empty())
        return CR_NO_SUCH_VALUE;
    ULONG needed = static_cast<ULONG>((text.size() + 1) * sizeof(wchar_t));
    if (*bytes < needed) {
        *bytes = needed;
        return CR_BUFFER_SMALL;
    }
    memcpy(buffer, text.c_str(), needed);
    *bytes = needed;
    return CR_SUCCESS;
}

BOOL RecordingDriverSystem::GetClassImageList(SP_CLASSIMAGELIST_DATA* images)
{
    images->ImageList = reinterpret_cast<HIMAGELIST>(this);
    return TRUE;
}

BOOL RecordingDriverSystem::GetClassImageIndex(SP_CLASSIMAGELIST_DATA*, const GUID* classGuid, int* index)
{
    wchar_t text[40] = L"";
    StringFromGUID2(*classGuid, text, 40);
    *index = 1;
    return classesWithImage.count(text) ? TRUE : FALSE;
}

BOOL RecordingDriverSystem::DestroyClassImageList(SP_CLASSIMAGELIST_DATA* images)
{
    images->ImageList = nullptr;
    return TRUE;
}

void WriteDriverFile(const CString& path, WORD major, WORD minor, int secondsFromNow)
{
    std::string bytes = setup_test::ReadBytes(setup_test::HelperPath(L"driver_stub.exe"));
    // The fixed version record follows its signature 0xFEEF04BD: structure version, then
    // the file version's high and low double words.
    const char signature[] = {'\xBD', '\x04', '\xEF', '\xFE'};
    size_t at = bytes.find(std::string(signature, 4));
    if (at != std::string::npos && at + 16 <= bytes.size()) {
        DWORD version = static_cast<DWORD>(major) << 16 | minor;
        memcpy(&bytes[at + 8], &version, sizeof(version));
    }
    CInstallActions::CreateDirectoryRecursive(path.Left(path.ReverseFind(L'\\')), 6);
    setup_test::WriteBytes(path, bytes);
    SetFileTime(path, secondsFromNow);
}

void SetFileTime(const CString& path, int secondsFromNow)
{
    HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart += static_cast<LONGLONG>(secondsFromNow) * 10000000;
    FILETIME changed = {time.LowPart, time.HighPart};
    ::SetFileTime(file, nullptr, nullptr, &changed);
    CloseHandle(file);
}
