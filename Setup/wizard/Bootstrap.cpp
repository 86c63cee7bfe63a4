// CBootstrap: the Windows, Windows Installer and browser versions, the Windows
// Installer update, and the restart of Windows.
#include "Setup/wizard/Bootstrap.h"

#include "Setup/actions/InstallActions.h"

namespace {

CBootstrap::AdjustPrivilegesCall g_adjustPrivileges = nullptr;
CBootstrap::ExitWindowsCall g_exitWindows = nullptr;

BOOL AdjustPrivileges(HANDLE token, TOKEN_PRIVILEGES& privileges)
{
    return g_adjustPrivileges ? g_adjustPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr)
                              : AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
}

BOOL RequestRestart(UINT flags)
{
    return g_exitWindows ? g_exitWindows(flags, 0) : ExitWindowsEx(flags, 0);
}

const DWORD kVersion2_0 = MAKELONG(0, 2);

// The Windows Installer version to assume when msiexec cannot be asked.
DWORD DefaultMsiVersion(int windowsVersion)
{
    switch (windowsVersion) {
    case CInstallActions::kWin95:
    case CInstallActions::kWin98:
    case CInstallActions::kNT4:
        return 0;
    case CInstallActions::kWinMe:
        return MAKELONG(2, 1);
    case CInstallActions::kWin2000:
        return MAKELONG(1, 1);
    default:
        return kVersion2_0;
    }
}

}  // namespace

void CBootstrap::SetRestartCallsForTest(AdjustPrivilegesCall adjust, ExitWindowsCall exitWindows)
{
    g_adjustPrivileges = adjust;
    g_exitWindows = exitWindows;
}

CBootstrap::CBootstrap()
    : m_windowsVersion(CInstallActions::GetWindowsVersion()), m_installerVersion(GetMsiVersion()),
      m_browserVersion(GetIEVersion())
{
}

CBootstrap::~CBootstrap() = default;

DWORD CBootstrap::GetMsiVersion() const
{
    if (m_windowsVersion == CInstallActions::kWin32s)
        return 0;
    DWORD fallback = DefaultMsiVersion(m_windowsVersion);
    CString folder;
    if (!CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE,
                                             L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer",
                                             L"InstallerLocation", folder))
        return fallback;
    // A version of 0.0 is no version: the file carries none that can be read.
    DWORD version = CInstallActions::GetFileVersionMS(folder + L"\\msiexec.exe");
    return version ? version : fallback;
}

CString CBootstrap::GetIEVersion()
{
    CString version;
    if (!CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer",
                                             L"Version", version))
        version = L"0";
    return version;
}

CString CBootstrap::InstallerUpdateCommand() const
{
    // The program path is quoted: Setup's folder may hold blanks.
    CString program = CInstallActions::GetModuleDirectory() + L"bin\\Msi\\2.0" +
                      (m_windowsVersion >= CInstallActions::kNT4 ? L"\\InstMsiW.exe" : L"\\InstMsiA.exe");
    return L"\"" + program + L"\" /c:\"msiinst /delayreboot\"";
}

void CBootstrap::UpdateWindowsInstaller()
{
    if (HIWORD(m_installerVersion) >= 2)
        return;
    DWORD exitCode = 0;
    if (CInstallActions::RunProgram(InstallerUpdateCommand(), true, exitCode) &&
        (exitCode == ERROR_SUCCESS || exitCode == ERROR_SUCCESS_REBOOT_REQUIRED))
        m_bRebootNeeded = true;
}

bool CBootstrap::Reboot()
{
    if (m_windowsVersion < CInstallActions::kNT4) {
        RequestRestart(EWX_REBOOT);
        return true;
    }
    HANDLE token = nullptr;
    try {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
            return false;
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
        AdjustPrivileges(token, privileges);
        // Also set when the privilege is not held (ERROR_NOT_ALL_ASSIGNED).
        bool granted = GetLastError() == ERROR_SUCCESS;
        CloseHandle(token);
        token = nullptr;
        if (!granted)
            return false;
        RequestRestart(EWX_REBOOT);
        return true;
    } catch (...) {
        if (token)
            CloseHandle(token);
        return false;
    }
}
