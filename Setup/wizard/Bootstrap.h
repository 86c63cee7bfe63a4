// CBootstrap: what the installer needs to know of the system before its pages exist,
// gathered once at start-up: the Windows version code, the Windows Installer version
// and the Internet Explorer version. It brings Windows Installer up to version 2.0 by
// running the redistributable beside Setup, and then asks for the restart of Windows,
// which it also performs.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CBootstrap
{
public:
    CBootstrap();
    virtual ~CBootstrap();
    CBootstrap(const CBootstrap&) = delete;
    CBootstrap& operator=(const CBootstrap&) = delete;

    int GetWindowsVersionCode() const { return m_windowsVersion; }
    // Major version in the high word, minor in the low word.
    DWORD GetInstallerVersion() const { return m_installerVersion; }
    const CString& GetBrowserVersion() const { return m_browserVersion; }
    bool IsRebootNeeded() const { return m_bRebootNeeded; }

    // The probes: msiexec's file version in the Windows Installer folder (a default by
    // the Windows version when it cannot be read), and the browser's version text ("0").
    DWORD GetMsiVersion() const;
    static CString GetIEVersion();
    // Runs the Windows Installer 2.0 redistributable and waits for it when the installed
    // version is older; its success asks for a restart.
    void UpdateWindowsInstaller();
    // Asks Windows to restart; true when asked.
    bool Reboot();

    // The program path and switches of the Windows Installer 2.0 redistributable.
    CString InstallerUpdateCommand() const;

    // Test seam: the two calls that restart Windows, the privilege adjustment and the
    // restart itself; null restores the real ones.
    using AdjustPrivilegesCall = BOOL (WINAPI*)(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState,
                                               DWORD length, PTOKEN_PRIVILEGES previousState, PDWORD returnLength);
    using ExitWindowsCall = BOOL (WINAPI*)(UINT flags, DWORD reason);
    static void SetRestartCallsForTest(AdjustPrivilegesCall adjust, ExitWindowsCall exitWindows);

private:
    int m_windowsVersion;
    DWORD m_installerVersion;
    CString m_browserVersion;
    bool m_bRebootNeeded = false;
};
