// CInstallActions: the install checks (test mode, another setup running, administrator
// rights, network install, pending Plug-and-Play installs), the msiexec runs and
// touching a file.
#include "Setup/actions/InstallActions.h"

#include "Setup/actions/RegKeyHandle.h"
#include "framework/Globals.h"

#include <sys/utime.h>

namespace {

const wchar_t kTestModeKey[] = L"SOFTWARE\\Quorel\\TestModeKey";
const wchar_t kNetworkKey[] = L"SOFTWARE\\Quorel\\Valdorix (Network)";
const wchar_t kProductsKey[] = L"Software\\Quorel\\Valdorix\\Products";
const wchar_t kMsiSetupMutex[] = L"_MSISETUP_{2956EBA1-9B5A-4679-8618-357136DA66CA}";
const DWORD kRebootRequired = 3010;

std::vector<CString> g_makerServers;

int RunMsiexec(const CString& command)
{
    DWORD exitCode = 0;
    if (!CInstallActions::RunProgram(command, true, exitCode))
        return 0;
    return exitCode == kRebootRequired ? 2 : 1;
}

}  // namespace

bool CInstallActions::IsTestMode()
{
    CRegKeyHandle key;
    return key.Open(HKEY_LOCAL_MACHINE, kTestModeKey, KEY_READ) == ERROR_SUCCESS;
}

bool CInstallActions::AskTesterInTestMode(const wchar_t* question, bool& answer)
{
    if (!IsTestMode())
        return false;
    answer = AfxMessageBox(question, MB_YESNO) == IDYES;
    return true;
}

CString CInstallActions::MsiInstallCommand(const CString& package, const CString& properties, bool silent)
{
    CString command;
    command.Format(L"%s \"%s\" %s", silent ? L"msiexec /qn /i" : L"msiexec /i", package.GetString(),
                   properties.GetString());
    return command;
}

CString CInstallActions::MsiUninstallCommand(const CString& package, bool silent)
{
    CString command;
    command.Format(L"%s \"%s\"", silent ? L"msiexec /q /x" : L"msiexec /x", package.GetString());
    return command;
}

int CInstallActions::InstallMsi(const CString& package, const CString& properties, bool silent)
{
    return RunMsiexec(MsiInstallCommand(package, properties, silent));
}

int CInstallActions::UninstallMsi(const CString& package, bool silent)
{
    return RunMsiexec(MsiUninstallCommand(package, silent));
}

bool CInstallActions::IsOtherSetupRunning()
{
    CString name(kMsiSetupMutex);
    if (GetWindowsVersion() >= kWin2000)
        name = L"Global\\" + name;
    // The handle stays open: from here on this installer holds the mutex too.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    return !mutex || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CInstallActions::IsNetworkInstall()
{
    CRegKeyHandle key;
    if (key.Open(HKEY_LOCAL_MACHINE, kNetworkKey, KEY_READ) == ERROR_SUCCESS)
        return true;
    CString folder;
    ReadRegistryString(HKEY_LOCAL_MACHINE, kProductsKey, L"InstallDir", folder);
    folder.MakeUpper();
    for (const CString& server : g_makerServers)
        if (!server.IsEmpty() && folder.Left(server.GetLength()).CompareNoCase(server) == 0)
            return true;
    return false;
}

void CInstallActions::SetMakerServers(const std::vector<CString>& uncPrefixes)
{
    g_makerServers = uncPrefixes;
}

bool CInstallActions::ArePnpInstallsPending()
{
    if (GetWindowsVersion() <= kNT4)
        return false;
    HMODULE setupapi = GetModuleHandleW(L"setupapi.dll");
    if (!setupapi)
        return false;
    using WaitCall = DWORD (WINAPI*)(DWORD);
    auto waitNoPending = reinterpret_cast<WaitCall>(
        reinterpret_cast<void*>(GetProcAddress(setupapi, "CMP_WaitNoPendingInstallEvents")));
    return waitNoPending && waitNoPending(0) == WAIT_TIMEOUT;
}

bool CInstallActions::TouchFile(const CString& path)
{
    return _wutime(path, nullptr) == 0;
}
