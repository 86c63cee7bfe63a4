// The bootstrap: the Windows Installer version by Windows version and by msiexec's own
// version, the browser version, the run of the Windows Installer redistributable and
// the restart it asks for, and the restart itself through the recorders.
#include "Setup/wizard/Bootstrap.h"

#include "tests/Setup/actions/SetupTestSupport.h"
#include "tests/Setup/wizard/BootstrapTestSupport.h"
#include "tests/Setup/wizard/RestartRecorder.h"

#include <gtest/gtest.h>

using namespace pages_test;

namespace {

const DWORD kVersion2_0 = MAKELONG(0, 2);

class Bootstrap : public ::testing::Test
{
protected:
    void SetUp() override { ClearRestartLog(); }

    MachineRegistry machine;
    setup_test::TempFolder folder;
};

}  // namespace

TEST_F(Bootstrap, WithoutAReadableMsiexecTheVersionFollowsTheWindowsVersion)
{
    const DWORD expected[14] = { 0, 0, 0, MAKELONG(2, 1), 0, MAKELONG(1, 1), kVersion2_0, kVersion2_0,
                                 kVersion2_0, kVersion2_0, kVersion2_0, kVersion2_0, kVersion2_0, kVersion2_0 };
    for (int code = 0; code < 14; ++code) {
        WindowsOfCode windows(code);
        CBootstrap bootstrap;
        EXPECT_EQ(code, bootstrap.GetWindowsVersionCode());
        EXPECT_EQ(expected[code], bootstrap.GetInstallerVersion()) << code;
        EXPECT_FALSE(bootstrap.IsRebootNeeded());
    }
    // A Windows Installer folder without msiexec gives the same defaults.
    machine.SetInstallerLocation(folder.Path());
    WindowsOfCode windows(CInstallActions::kWin2000);
    EXPECT_EQ((DWORD)MAKELONG(1, 1), CBootstrap().GetInstallerVersion());
}

TEST_F(Bootstrap, MsiexecInTheWindowsInstallerFolderGivesTheVersion)
{
    machine.SetInstallerLocation(folder.Path());
    CString msiexec = folder / L"msiexec.exe";
    for (const CString& source : { LanguageLibraryPath(), StandInPath() }) {
        CopyFileW(source, msiexec, FALSE);
        // Wine reports its own msiexec's version for every file of that name.
        DWORD reported = CInstallActions::GetFileVersionMS(msiexec);
        ASSERT_NE(0u, reported);
        for (int code : { CInstallActions::kWin98, CInstallActions::kWin2000, CInstallActions::kXPSP2 }) {
            WindowsOfCode windows(code);
            EXPECT_EQ(reported, CBootstrap().GetInstallerVersion()) << code;
        }
    }
    // Win32s is not probed at all.
    WindowsOfCode windows(CInstallActions::kWin32s);
    EXPECT_EQ(0u, CBootstrap().GetInstallerVersion());
}

TEST_F(Bootstrap, TheBrowserVersionIsTheRegistrysTextOrZero)
{
    EXPECT_EQ(CString(L"0"), CBootstrap::GetIEVersion());
    machine.SetBrowserVersion(L"6.0.2900.2180");
    EXPECT_EQ(CString(L"6.0.2900.2180"), CBootstrap().GetBrowserVersion());
}

TEST_F(Bootstrap, OnThisMachineTheInstalledWindowsInstallerIsRecentEnough)
{
    machine.Restore();   // the machine's own registry, read only
    CBootstrap bootstrap;
    EXPECT_GE(HIWORD(bootstrap.GetInstallerVersion()), 2);
    Redistributable redistributable(0);
    bootstrap.UpdateWindowsInstaller();
    EXPECT_FALSE(redistributable.Ran());
    EXPECT_FALSE(bootstrap.IsRebootNeeded());
}

TEST_F(Bootstrap, AnOldWindowsInstallerIsUpdatedAndItsSuccessAsksForARestart)
{
    WindowsOfCode windows(CInstallActions::kWin2000);
    for (DWORD exitCode : { 0ul, 3010ul }) {
        Redistributable redistributable(exitCode);
        CBootstrap bootstrap;
        bootstrap.UpdateWindowsInstaller();
        ASSERT_TRUE(redistributable.Ran());
        EXPECT_EQ(L"\"" + ProgramDirectory() + L"bin\\Msi\\2.0\\InstMsiW.exe\" /c:\"msiinst /delayreboot\"",
                  redistributable.CommandLine());
        EXPECT_TRUE(bootstrap.IsRebootNeeded()) << exitCode;
        EXPECT_EQ((DWORD)MAKELONG(1, 1), bootstrap.GetInstallerVersion());   // not read again
    }
    for (DWORD exitCode : { 1603ul, 1ul }) {
        Redistributable redistributable(exitCode);
        CBootstrap bootstrap;
        bootstrap.UpdateWindowsInstaller();
        EXPECT_TRUE(redistributable.Ran());
        EXPECT_FALSE(bootstrap.IsRebootNeeded()) << exitCode;
    }
}

TEST_F(Bootstrap, TheWindows9xFamilyRunsTheAnsiRedistributable)
{
    for (int code : { CInstallActions::kWin95, CInstallActions::kWin98, CInstallActions::kWinMe }) {
        WindowsOfCode windows(code);
        Redistributable redistributable(3010);
        CBootstrap bootstrap;
        bootstrap.UpdateWindowsInstaller();
        EXPECT_EQ(L"\"" + ProgramDirectory() + L"bin\\Msi\\2.0\\InstMsiA.exe\" /c:\"msiinst /delayreboot\"",
                  redistributable.CommandLine())
            << code;
        EXPECT_TRUE(bootstrap.IsRebootNeeded());
    }
}

TEST_F(Bootstrap, ARecentWindowsInstallerOrAMissingRedistributableRunsNothing)
{
    for (int code : { CInstallActions::kXPSP2, CInstallActions::kXPSP3, CInstallActions::kVista,
                      CInstallActions::kWin7 }) {
        WindowsOfCode windows(code);
        Redistributable redistributable(3010);
        CBootstrap bootstrap;
        bootstrap.UpdateWindowsInstaller();
        EXPECT_FALSE(redistributable.Ran()) << code;
        EXPECT_FALSE(bootstrap.IsRebootNeeded());
    }
    // An XP whose msiexec is still 1.20 is updated (where the platform reports that version).
    machine.SetInstallerLocation(folder.Path());
    CopyFileW(LanguageLibraryPath(), folder / L"msiexec.exe", FALSE);
    if (CInstallActions::GetFileVersionMS(folder / L"msiexec.exe") == (DWORD)MAKELONG(20, 1)) {
        WindowsOfCode windows(CInstallActions::kXPSP2);
        Redistributable redistributable(0);
        CBootstrap bootstrap;
        bootstrap.UpdateWindowsInstaller();
        EXPECT_TRUE(redistributable.Ran());
        EXPECT_TRUE(bootstrap.IsRebootNeeded());
    }
    // Without the redistributable beside Setup nothing happens and nothing is said.
    WindowsOfCode windows(CInstallActions::kNT4);
    CBootstrap bootstrap;
    bootstrap.UpdateWindowsInstaller();
    EXPECT_FALSE(bootstrap.IsRebootNeeded());
}

TEST_F(Bootstrap, TheRestartEnablesTheShutdownPrivilegeOnTheNtFamily)
{
    LUID shutdown = {};
    ASSERT_TRUE(LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &shutdown));
    for (int code : { CInstallActions::kNT4, CInstallActions::kXPSP2, CInstallActions::kWin7 }) {
        ClearRestartLog();
        WindowsOfCode windows(code);
        CBootstrap bootstrap;
        EXPECT_TRUE(bootstrap.Reboot());
        const RestartLog& log = Restarts();
        EXPECT_EQ(1, log.adjustments);
        EXPECT_FALSE(log.disableAll);
        EXPECT_EQ(1u, log.privilegeCount);
        EXPECT_EQ(shutdown.LowPart, log.privilege.LowPart);
        EXPECT_EQ(shutdown.HighPart, log.privilege.HighPart);
        EXPECT_EQ((DWORD)SE_PRIVILEGE_ENABLED, log.attributes);
        EXPECT_EQ(1, log.restarts);
        EXPECT_EQ((UINT)EWX_REBOOT, log.flags);
        EXPECT_EQ(0u, log.reason);
    }
}

TEST_F(Bootstrap, WithoutTheShutdownPrivilegeThereIsNoRestart)
{
    WindowsOfCode windows(CInstallActions::kXPSP3);
    SetPrivilegeAdjustmentError(ERROR_NOT_ALL_ASSIGNED);
    CBootstrap bootstrap;
    EXPECT_FALSE(bootstrap.Reboot());
    EXPECT_EQ(1, Restarts().adjustments);
    EXPECT_EQ(0, Restarts().restarts);
}

TEST_F(Bootstrap, Windows9xRestartsWithoutPrivileges)
{
    for (int code : { CInstallActions::kWin32s, CInstallActions::kWin95, CInstallActions::kWinMe }) {
        ClearRestartLog();
        WindowsOfCode windows(code);
        CBootstrap bootstrap;
        EXPECT_TRUE(bootstrap.Reboot());
        EXPECT_EQ(0, Restarts().adjustments);
        EXPECT_EQ(1, Restarts().restarts);
        EXPECT_EQ((UINT)EWX_REBOOT, Restarts().flags);
    }
}
