// Tests of the install checks: the msiexec runs (against the stand-in msiexec beside the
// tests), the setup mutex, administrator rights, network installs, pending Plug-and-Play
// installs, the test mode and touching files. Machine-wide keys are made only inside the
// test prefix and removed again.
#include "tests/Setup/actions/SetupTestSupport.h"

#include "framework/CTestHook.h"
#include "framework/Globals.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using setup_test::FakeWindowsVersion;
using setup_test::ReadBytes;
using setup_test::TempFolder;
using setup_test::TestKey;
using setup_test::WriteBytes;

namespace {

TEST(MsiCommands, Texts)
{
    EXPECT_EQ(CInstallActions::MsiInstallCommand(L"C:\\bin\\Kiv.msi", L"TARGETDIR=C:\\ REBOOT=ReallySuppress", true),
              L"msiexec /qn /i \"C:\\bin\\Kiv.msi\" TARGETDIR=C:\\ REBOOT=ReallySuppress");
    EXPECT_EQ(CInstallActions::MsiInstallCommand(L"Kiv.msi", L"", false), L"msiexec /i \"Kiv.msi\" ");
    EXPECT_EQ(CInstallActions::MsiUninstallCommand(L"{1234}", true), L"msiexec /q /x \"{1234}\"");
    EXPECT_EQ(CInstallActions::MsiUninstallCommand(L"Kiv.msi", false), L"msiexec /x \"Kiv.msi\"");
}

// Runs the stand-in msiexec with the given exit code and records the command it got.
class MsiRuns : public ::testing::Test
{
protected:
    MsiRuns() { SetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_LOG", m_log); }
    ~MsiRuns() override
    {
        SetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_LOG", nullptr);
        SetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_EXIT", nullptr);
    }
    void ExitWith(const wchar_t* code) { SetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_EXIT", code); }
    std::wstring Command() const
    {
        std::string bytes = ReadBytes(m_log);
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    }

    FakeWindowsVersion m_xp{VER_PLATFORM_WIN32_NT, 5, 1, 3};
    TempFolder m_folder;
    CString m_log = m_folder / L"msiexec.log";
};

TEST_F(MsiRuns, RestartRequiredGivesTwo)
{
    ExitWith(L"3010");
    EXPECT_EQ(CInstallActions::InstallMsi(L"C:\\bin\\Kiv.msi", L"TARGETDIR=D:\\", true), 2);
    EXPECT_EQ(Command(), L"msiexec /qn /i \"C:\\bin\\Kiv.msi\" TARGETDIR=D:\\");
}

TEST_F(MsiRuns, AnyOtherExitCodeGivesOne)
{
    ExitWith(L"1603");
    EXPECT_EQ(CInstallActions::InstallMsi(L"Kiv.msi", L"", false), 1);
    EXPECT_EQ(Command(), L"msiexec /i \"Kiv.msi\" ");
    ExitWith(L"0");
    EXPECT_EQ(CInstallActions::UninstallMsi(L"{ABCD}", true), 1);
    EXPECT_EQ(Command(), L"msiexec /q /x \"{ABCD}\"");
    ExitWith(L"3010");
    EXPECT_EQ(CInstallActions::UninstallMsi(L"Kiv.msi", false), 2);
    EXPECT_EQ(Command(), L"msiexec /x \"Kiv.msi\"");
}

TEST(SetupMutex, HeldFromTheFirstCheckOn)
{
    // No Windows Installer setup runs in the test prefix.
    EXPECT_FALSE(CInstallActions::IsOtherSetupRunning());
    EXPECT_TRUE(CInstallActions::IsOtherSetupRunning());
    HANDLE global = OpenMutexW(SYNCHRONIZE, FALSE, L"Global\\_MSISETUP_{2956EBA1-9B5A-4679-8618-357136DA66CA}");
    EXPECT_NE(global, nullptr);
    CloseHandle(global);

    // Before Windows 2000 the name lives in the session's own name space.
    FakeWindowsVersion nt4(VER_PLATFORM_WIN32_NT, 4, 0, 6);
    EXPECT_FALSE(CInstallActions::IsOtherSetupRunning());
    HANDLE local = OpenMutexW(SYNCHRONIZE, FALSE, L"_MSISETUP_{2956EBA1-9B5A-4679-8618-357136DA66CA}");
    EXPECT_NE(local, nullptr);
    CloseHandle(local);
}

TEST(Administrator, ThePrefixUserIsAnAdministrator)
{
    EXPECT_TRUE(CInstallActions::IsAdministrator());
    FakeWindowsVersion win98(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0);
    EXPECT_TRUE(CInstallActions::IsAdministrator());
}

TEST(Administrator, ATokenWithoutTheAdministratorsGroupIsNot)
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                         0, 0, &administrators));
    HANDLE process = nullptr, restricted = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &process));
    SID_AND_ATTRIBUTES deny = {administrators, 0};
    bool made = CreateRestrictedToken(process, 0, 1, &deny, 0, nullptr, 0, nullptr, &restricted);
    CloseHandle(process);
    FreeSid(administrators);
    if (!made)
        GTEST_SKIP() << "restricted tokens are not available here";
    HANDLE impersonation = nullptr;
    ASSERT_TRUE(DuplicateToken(restricted, SecurityImpersonation, &impersonation));
    CloseHandle(restricted);
    ASSERT_TRUE(SetThreadToken(nullptr, impersonation));
    bool administrator = CInstallActions::IsAdministrator();
    RevertToSelf();
    CloseHandle(impersonation);
    if (administrator)
        GTEST_SKIP() << "this platform ignores deny-only groups in access checks";
    EXPECT_FALSE(administrator);
}

// Keys under HKEY_LOCAL_MACHINE\SOFTWARE\Quorel, made in the test prefix and removed
// again; the maker's key itself is removed only when this test made it and it is empty.
class MakerKeys : public ::testing::Test
{
protected:
    MakerKeys()
    {
        HKEY key = nullptr;
        DWORD disposition = 0;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorel", 0, nullptr, 0, KEY_READ, nullptr, &key, &disposition);
        RegCloseKey(key);
        m_madeMakerKey = disposition == REG_CREATED_NEW_KEY;
    }
    ~MakerKeys() override
    {
        if (m_madeMakerKey)
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorel");
    }
    bool m_madeMakerKey = false;
};

TEST_F(MakerKeys, NetworkInstallByKeyOrByServerFolder)
{
    CInstallActions::SetMakerServers({});
    EXPECT_FALSE(CInstallActions::IsNetworkInstall());
    {
        TestKey network(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorel\\Valdorix (Network)");
        EXPECT_TRUE(CInstallActions::IsNetworkInstall());
    }
    {
        TestKey product(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorel\\Valdorix");
        TestKey products(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorel\\Valdorix\\Products");
        CInstallActions::WriteRegistryString(HKEY_LOCAL_MACHINE, products.Path(), L"InstallDir",
                                             L"\\\\mapserver\\maps\\valdorix");
        EXPECT_FALSE(CInstallActions::IsNetworkInstall());  // no servers configured
        CInstallActions::SetMakerServers({L"\\\\MapServer"});
        EXPECT_TRUE(CInstallActions::IsNetworkInstall());
        CInstallActions::SetMakerServers({L"\\\\other"});
        EXPECT_FALSE(CInstallActions::IsNetworkInstall());
    }
    CInstallActions::SetMakerServers({});
}

TEST_F(MakerKeys, TestModeAsksTheTesterInsteadOfProbing)
{
    CTestHook hook;
    bool answer = false;
    EXPECT_FALSE(CInstallActions::IsTestMode());
    EXPECT_FALSE(CInstallActions::AskTesterInTestMode(CInstallActions::kAskGpsUnitPluggedIn, answer));
    EXPECT_TRUE(hook.Log().empty());
    {
        TestKey testMode(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorel\\TestModeKey");
        EXPECT_TRUE(CInstallActions::IsTestMode());
        hook.AnswerMessageBox(IDYES);
        EXPECT_TRUE(CInstallActions::AskTesterInTestMode(CInstallActions::kAskGpsUnitPluggedIn, answer));
        EXPECT_TRUE(answer);
        hook.AnswerMessageBox(IDNO);
        EXPECT_TRUE(CInstallActions::AskTesterInTestMode(CInstallActions::kAskUnitPluggedIn, answer));
        EXPECT_FALSE(answer);
    }
    ASSERT_EQ(hook.Log().size(), 2u);
    EXPECT_EQ(hook.Log()[0].text, L"Is GPS unit plugged in?");
    EXPECT_EQ(hook.Log()[0].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(hook.Log()[0].caption, AfxGetAppName());
    EXPECT_EQ(hook.Log()[1].text, L"Is unit plugged in?");
    EXPECT_EQ(hook.Unanswered(), 0u);
    EXPECT_FALSE(CInstallActions::IsTestMode());
}

TEST(PnpInstalls, AskedOnlyWhenTheDeviceInstallerIsLoaded)
{
    ASSERT_EQ(GetModuleHandleW(L"setupapi.dll"), nullptr);
    EXPECT_FALSE(CInstallActions::ArePnpInstallsPending());
    HMODULE setupapi = LoadLibraryW(L"setupapi.dll");
    ASSERT_NE(setupapi, nullptr);
    // Nothing is being installed in the test prefix.
    EXPECT_FALSE(CInstallActions::ArePnpInstallsPending());
    {
        FakeWindowsVersion nt4(VER_PLATFORM_WIN32_NT, 4, 0, 6);
        EXPECT_FALSE(CInstallActions::ArePnpInstallsPending());
    }
    FreeLibrary(setupapi);
}

TEST(Touch, SetsTheTimesToNow)
{
    TempFolder folder;
    CString path = folder / L"old.txt";
    WriteBytes(path, "x");
    HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME old = {0, 0x01000000};
    SetFileTime(file, nullptr, &old, &old);
    CloseHandle(file);

    EXPECT_TRUE(CInstallActions::TouchFile(path));
    struct _stat info;
    ASSERT_EQ(_wstat(path, &info), 0);
    EXPECT_GT(info.st_mtime, time(nullptr) - 600);
    EXPECT_FALSE(CInstallActions::TouchFile(folder / L"missing.txt"));
}

}  // namespace
