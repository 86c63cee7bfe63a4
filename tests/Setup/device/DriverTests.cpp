// Tests of the USB driver installation: the driver table of both families on 32-bit and
// 64-bit Windows, the copy decision and the copy, the choice of rows against the
// system's drivers, SetupAPI's answers, stale OEM INFs, the reinstall marks on real
// devices of the test prefix, the read-only checks, the test-mode questions and the
// device tree listing. Nothing is installed: the recording stand-in answers for the system.
#include "tests/Setup/device/DeviceTestSupport.h"
#include "tests/Setup/device/RecordingDriverSystem.h"
#include "tests/Setup/device/SimulatedUnit.h"

#include "Setup/device/DriverInfo.h"
#include "framework/CTestHook.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

using setup_test::CapturedDiagnostics;
using setup_test::FakeWindowsVersion;
using setup_test::ReadBytes;
using setup_test::WriteBytes;

namespace {

const wchar_t kReinstallFailed[] = L"UpdateDriverForPlugAndPlayDevices returned Error in CInstallActions::ReinstallDriver\n";
const wchar_t kPreinstallFailed[] = L"bPreinstalled returned Error in CInstallActions::ReinstallDriver\n";
const DWORD kNoSuchDevice = 0xE000020B;

// While it lives, IsWow64 gives the answer.
class FakeWow64
{
public:
    explicit FakeWow64(bool wow64)
    {
        s_answer = wow64;
        CInstallActions::SetWow64QueryForTest(Query);
    }
    ~FakeWow64() { CInstallActions::SetWow64QueryForTest(nullptr); }

private:
    static BOOL WINAPI Query(HANDLE, PBOOL wow64)
    {
        *wow64 = s_answer;
        return TRUE;
    }
    static bool s_answer;
};
bool FakeWow64::s_answer = false;

// Every file of a family's rows in a folder: sys files of that version, INF and catalogue texts.
void Populate(const CString& base, int family, bool platform, WORD minor, int secondsFromNow = -1000)
{
    CDriverInfo info(base, family, platform);
    for (int i = 0; i < info.GetRowCount(); ++i) {
        const CDriverFile& row = info.GetRow(i);
        WriteDriverFile(row.GetSysFolder() + row.GetSysName(), 1, minor, secondsFromNow);
        if (!row.GetInfName().IsEmpty()) {
            WriteBytes(row.GetInfFolder() + row.GetInfName(), "; " + row.GetInfName().ToAnsi() + "\r\n");
            SetFileTime(row.GetInfFolder() + row.GetInfName(), secondsFromNow);
        }
        if (row.HasCatalog()) {
            WriteBytes(row.GetCatFolder() + row.GetCatName(), "catalogue");
            SetFileTime(row.GetCatFolder() + row.GetCatName(), secondsFromNow);
        }
    }
}

std::vector<std::wstring> HardwareIds(const RecordingDriverSystem& system)
{
    std::vector<std::wstring> ids;
    for (const auto& update : system.updates)
        ids.push_back(update.hardwareId);
    return ids;
}

class Drivers : public ::testing::Test
{
protected:
    CString Installed(const wchar_t* relative) const { return system.installedFolder + L"\\" + relative; }
    CString Setup(const wchar_t* relative) const { return system.setupFolder + L"\\" + relative; }

    FakeWow64 m_wow64{false};
    FakeWindowsVersion m_windows7{VER_PLATFORM_WIN32_NT, 6, 1, 1};
    RecordingDriverSystem system;
};

TEST(DriverTable, GpsFamilyOn32BitWindowsHasFiveRowsFromI386)
{
    FakeWow64 wow64(false);
    CDriverInfo info(L"C:\\base", CDriverInfo::kGpsFamily, true);
    EXPECT_EQ(info.GetFamilyFolder(), L"C:\\base\\");
    EXPECT_EQ(info.GetPlatformFolder(), L"C:\\base\\I386\\");
    EXPECT_EQ(info.GetInterfaceGuid(), L"A12A4C5A-E1A3-4151-9927-7F724CA5DC92");
    ASSERT_EQ(info.GetRowCount(), 5);
    const CDriverFile& unit = info.GetRow(0);
    EXPECT_EQ(unit.GetSysName(), L"zelqusb.sys");
    EXPECT_EQ(unit.GetSysFolder(), L"C:\\base\\I386\\");
    EXPECT_EQ(unit.GetInfName(), L"zelqusb.inf");
    EXPECT_EQ(unit.GetInfFolder(), L"C:\\base\\");
    EXPECT_EQ(unit.GetCatFolder(), L"C:\\base\\");
    EXPECT_EQ(unit.GetHardwareId(), L"USB\\VID_5EED&PID_0003");
    EXPECT_FALSE(unit.GetDescription().IsEmpty());
    const CDriverFile& generic = info.GetRow(1);
    EXPECT_EQ(generic.GetSysName(), L"zelqgen.sys");
    EXPECT_TRUE(generic.GetInfName().IsEmpty() && generic.GetInfFolder().IsEmpty() && !generic.HasCatalog() &&
                generic.GetHardwareId().IsEmpty() && generic.GetDescription().IsEmpty());
    // The two high-speed programmers share one INF and catalogue.
    EXPECT_EQ(info.GetRow(2).GetInfName(), L"zelq0200.inf");
    EXPECT_EQ(info.GetRow(3).GetInfName(), L"zelq0400.inf");
    EXPECT_EQ(info.GetRow(4).GetSysName(), L"zelq1200.sys");
    EXPECT_EQ(info.GetRow(4).GetInfName(), L"zelq0400.inf");
    EXPECT_EQ(info.GetRow(4).GetCatName(), L"zelq0400.cat");
    EXPECT_EQ(info.GetRow(4).GetInfFolder(), L"C:\\base\\I386\\");
    EXPECT_EQ(info.GetRow(4).GetHardwareId(), L"USB\\VID_5EED&PID_1200");
}

TEST(DriverTable, GpsFamilyOn64BitWindowsHasTheTwoUnitRowsFromAmd64)
{
    FakeWow64 wow64(true);
    CDriverInfo info(L"D:\\drivers", CDriverInfo::kGpsFamily, true);
    ASSERT_EQ(info.GetRowCount(), 2);
    EXPECT_EQ(info.GetRow(0).GetSysFolder(), L"D:\\drivers\\Amd64\\");
    EXPECT_EQ(info.GetRow(1).GetSysName(), L"zelqgen.sys");
}

TEST(DriverTable, AviationFamilyAndOtherFamiliesAndTheSystemLayout)
{
    FakeWow64 wow64(false);
    CDriverInfo aviation(L"C:\\base", CDriverInfo::kAviationFamily, false);
    EXPECT_EQ(aviation.GetInterfaceGuid(), L"8E0001C5-B221-438A-B88F-705405F63A4E");
    ASSERT_EQ(aviation.GetRowCount(), 2);
    EXPECT_EQ(aviation.GetRow(0).GetSysName(), L"zelq0300.sys");
    EXPECT_EQ(aviation.GetRow(1).GetSysName(), L"zelq1300.sys");
    EXPECT_EQ(aviation.GetRow(1).GetInfName(), L"zelq0300.inf");
    EXPECT_EQ(aviation.GetRow(1).GetHardwareId(), L"USB\\VID_5EED&PID_1300");
    // Without the platform flag the sys files lie in the family folder itself.
    EXPECT_EQ(aviation.GetRow(0).GetSysFolder(), L"C:\\base\\");

    CDriverInfo none(L"C:\\base", 2, true);
    EXPECT_EQ(none.GetRowCount(), 0);
    EXPECT_FALSE(none.AnyPresent());
    EXPECT_FALSE(none.AllPresent());

    // Folder texts stay within MAX_PATH.
    CDriverInfo deep(CString(L'x', 300), CDriverInfo::kGpsFamily, true);
    EXPECT_EQ(deep.GetFamilyFolder().GetLength(), MAX_PATH);
    EXPECT_LE(deep.GetPlatformFolder().GetLength(), MAX_PATH);
}

TEST(DriverTable, VersionsAreReadFromTheSysFilesAndPresenceIsKept)
{
    FakeWow64 wow64(false);
    setup_test::TempFolder folder;
    CDriverInfo empty(folder.Path(), CDriverInfo::kAviationFamily, true);
    EXPECT_FALSE(empty.AnyPresent());
    WriteDriverFile(folder / L"I386\\zelq0300.sys", 3, 7);
    CDriverInfo info(folder.Path(), CDriverInfo::kAviationFamily, true);
    EXPECT_EQ(info.GetRow(0).GetVersion(), 0x00030007u);
    EXPECT_TRUE(info.AnyPresent());
    EXPECT_FALSE(info.AllPresent());
    WriteDriverFile(folder / L"I386\\zelq1300.sys", 3, 8);
    info.ResolveDriverFiles();
    EXPECT_TRUE(info.AllPresent());
    DeleteFileW(folder / L"I386\\zelq0300.sys");
    info.ResolveDriverFiles();
    EXPECT_EQ(info.GetRow(0).GetVersion(), 0u);
    EXPECT_TRUE(info.GetRow(0).IsPresent());
}

TEST(DriverFolders, TheRealFoldersAreBuiltFromTheSystemsOwn)
{
    CDriverSystem& real = CDriverSystem::Current();
    EXPECT_EQ(real.SetupDriversFolder(), CInstallActions::GetModuleDirectory() + L"USB_Drivers");
    EXPECT_EQ(real.InstalledDriversFolder(), CInstallActions::GetSystemDrive() + L"\\Quorel\\USB_Drivers");
    EXPECT_EQ(real.SystemDriversFolder(), CInstallActions::GetSystemDirectoryPath() + L"\\Drivers");
    EXPECT_EQ(real.InfFolder(), CInstallActions::GetWindowsDirectoryPath() + L"\\Inf\\");
}

TEST_F(Drivers, WithoutAnInstalledCopyTheWholeFamilyIsCopiedAndInstalled)
{
    Populate(system.setupFolder, CDriverInfo::kGpsFamily, true, 5);
    EXPECT_TRUE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kGpsFamily));
    for (const wchar_t* file : {L"I386\\zelqusb.sys", L"zelqusb.inf", L"zelqusb.cat", L"I386\\zelqgen.sys",
                                L"I386\\zelq0200.sys", L"I386\\zelq0200.inf", L"I386\\zelq0200.cat",
                                L"I386\\zelq0400.sys", L"I386\\zelq0400.inf", L"I386\\zelq1200.sys"})
        EXPECT_TRUE(PathFileExistsW(Installed(file))) << CString(file).ToAnsi();
    EXPECT_EQ(CInstallActions::GetFileVersionMS(Installed(L"I386\\zelqusb.sys")), 0x00010005u);

    // The row without a device is copied but not installed.
    EXPECT_EQ(HardwareIds(system), (std::vector<std::wstring>{L"USB\\VID_5EED&PID_0003", L"USB\\VID_5EED&PID_0200",
                                                              L"USB\\VID_5EED&PID_0400", L"USB\\VID_5EED&PID_1200"}));
    EXPECT_EQ(system.updates[0].inf, std::wstring(Installed(L"zelqusb.inf")));
    EXPECT_EQ(system.updates[3].inf, std::wstring(Installed(L"I386\\zelq0400.inf")));
    EXPECT_TRUE(system.preinstalls.empty());
    EXPECT_TRUE(system.uninstalls.empty());
}

TEST_F(Drivers, ACompleteInstalledCopyIsNotCopiedAgainButStillInstalled)
{
    Populate(system.setupFolder, CDriverInfo::kAviationFamily, true, 5);
    ASSERT_TRUE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kAviationFamily));
    WriteBytes(Installed(L"I386\\zelq0300.inf"), "installed");
    SetFileTime(Installed(L"I386\\zelq0300.inf"), 100);
    system.updates.clear();
    EXPECT_TRUE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kAviationFamily));
    EXPECT_EQ(ReadBytes(Installed(L"I386\\zelq0300.inf")), "installed");
    EXPECT_EQ(system.updates.size(), 2u);

    // A setup file changed later than the installed copy brings the whole family again.
    SetFileTime(Setup(L"I386\\zelq0300.cat"), 200);
    EXPECT_TRUE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kAviationFamily));
    EXPECT_NE(ReadBytes(Installed(L"I386\\zelq0300.inf")), "installed");
}

TEST_F(Drivers, AnOlderInstalledVersionIsReplacedEvenWhenReadOnlyAndKeptWhenTheCopyFails)
{
    Populate(system.setupFolder, CDriverInfo::kAviationFamily, true, 5, -1000);
    Populate(system.installedFolder, CDriverInfo::kAviationFamily, true, 4, 0);
    SetFileAttributesW(Installed(L"I386\\zelq1300.sys"), FILE_ATTRIBUTE_READONLY);
    // A read-only file of a driver's name directly in the installed folder is removed.
    WriteBytes(Installed(L"zelq0300.sys"), "stray");
    SetFileAttributesW(Installed(L"zelq0300.sys"), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kAviationFamily));
    EXPECT_EQ(CInstallActions::GetFileVersionMS(Installed(L"I386\\zelq0300.sys")), 0x00010005u);
    EXPECT_EQ(CInstallActions::GetFileVersionMS(Installed(L"I386\\zelq1300.sys")), 0x00010005u);
    EXPECT_FALSE(PathFileExistsW(Installed(L"zelq0300.sys")));

    // A setup file that cannot be copied (held open by another) leaves the installed copy.
    WriteDriverFile(Setup(L"I386\\zelq0300.sys"), 1, 6, -500);
    HANDLE held = CreateFileW(Setup(L"I386\\zelq1300.sys"), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kAviationFamily));
    CloseHandle(held);
    EXPECT_EQ(CInstallActions::GetFileVersionMS(Installed(L"I386\\zelq0300.sys")), 0x00010006u);
    EXPECT_EQ(CInstallActions::GetFileVersionMS(Installed(L"I386\\zelq1300.sys")), 0x00010005u);
}

TEST_F(Drivers, ANewerSystemDriverKeepsItsRowOut)
{
    Populate(system.setupFolder, CDriverInfo::kAviationFamily, true, 5);
    WriteDriverFile(system.systemFolder + L"\\zelq0300.sys", 2, 0);
    WriteDriverFile(system.systemFolder + L"\\zelq1300.sys", 1, 5);  // equal: installed again
    EXPECT_TRUE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kAviationFamily));
    EXPECT_EQ(HardwareIds(system), std::vector<std::wstring>{L"USB\\VID_5EED&PID_1300"});
}

TEST_F(Drivers, On64BitWindowsTheUnitDriverComesFromAmd64)
{
    FakeWow64 wow64(true);
    Populate(system.setupFolder, CDriverInfo::kGpsFamily, true, 5);
    EXPECT_TRUE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kGpsFamily));
    EXPECT_TRUE(PathFileExistsW(Installed(L"Amd64\\zelqusb.sys")));
    EXPECT_TRUE(PathFileExistsW(Installed(L"Amd64\\zelqgen.sys")));
    EXPECT_FALSE(PathFileExistsW(Installed(L"I386")));
    EXPECT_EQ(HardwareIds(system), std::vector<std::wstring>{L"USB\\VID_5EED&PID_0003"});
}

TEST_F(Drivers, EveryRowIsTriedAndOneFailureFailsTheUpdate)
{
    system.updateResult = FALSE;
    system.updateError = ERROR_FILE_NOT_FOUND;
    CapturedDiagnostics diagnostics;
    EXPECT_FALSE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kGpsFamily));
    EXPECT_EQ(system.updates.size(), 4u);
    EXPECT_TRUE(system.preinstalls.empty());
    EXPECT_NE(diagnostics.Text().find(kReinstallFailed), std::wstring::npos);
}

TEST_F(Drivers, SetupApiAnswersOfTheReinstall)
{
    CDriverFile row(L"a.sys", L"C:\\d\\", L"a.inf", L"C:\\d\\", L"", L"", L"USB\\VID_5EED&PID_0003", L"Unit");
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    ASSERT_EQ(system.updates.size(), 1u);
    EXPECT_EQ(system.updates[0].inf, L"C:\\d\\a.inf");
    EXPECT_EQ(system.updates[0].hardwareId, L"USB\\VID_5EED&PID_0003");

    system.updateResult = FALSE;
    system.updateError = 0;
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    EXPECT_TRUE(system.preinstalls.empty());

    CapturedDiagnostics diagnostics;
    system.updateError = ERROR_INVALID_FLAGS;
    EXPECT_FALSE(CInstallActions::ReinstallDriver(row));
    EXPECT_EQ(diagnostics.Text(), kReinstallFailed);
    EXPECT_TRUE(system.preinstalls.empty());

    // No device takes it now: it is pre-installed.
    system.updateError = kNoSuchDevice;
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    EXPECT_EQ(system.preinstalls, std::vector<std::wstring>{L"C:\\d\\a.inf"});
    system.updateError = 0xE0000235;
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    EXPECT_NE(diagnostics.Text().find(L"Running in 64-bit environment"), std::wstring::npos);
    system.copyOemResult = FALSE;
    EXPECT_FALSE(CInstallActions::ReinstallDriver(row));
    EXPECT_NE(diagnostics.Text().find(kPreinstallFailed), std::wstring::npos);

    // A row without a device asks SetupAPI nothing.
    system.updates.clear();
    EXPECT_TRUE(CInstallActions::ReinstallDriver(CDriverFile(L"g.sys", L"C:\\d\\", L"", L"", L"", L"", L"", L"")));
    EXPECT_TRUE(system.updates.empty());
}

// The description of a real device of the test prefix that is not marked for reinstall.
CString UnmarkedDeviceDescription()
{
    CString found;
    HDEVINFO list = SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    for (DWORD i = 0; found.IsEmpty() && SetupDiEnumDeviceInfo(list, i, &device); ++i) {
        wchar_t text[300] = L"";
        DWORD flags = 0;
        if (SetupDiGetDeviceRegistryPropertyW(list, &device, SPDRP_DEVICEDESC, nullptr,
                                              reinterpret_cast<BYTE*>(text), sizeof(text) - 2, nullptr) &&
            SetupDiGetDeviceRegistryPropertyW(list, &device, SPDRP_CONFIGFLAGS, nullptr,
                                              reinterpret_cast<BYTE*>(&flags), sizeof(flags), nullptr) &&
            !(flags & 0x20) && text[0])
            found = text;
    }
    SetupDiDestroyDeviceInfoList(list);
    return found;
}

TEST_F(Drivers, PreinstalledDevicesAreMarkedForReinstallOnlyAfterTheMarkWasSet)
{
    CString description = UnmarkedDeviceDescription();
    if (description.IsEmpty())
        GTEST_SKIP() << "the test prefix has no device without the reinstall mark";
    CDriverFile row(L"a.sys", L"C:\\d\\", L"a.inf", L"C:\\d\\", L"", L"", L"USB\\VID_5EED&PID_0003", description);

    ASSERT_TRUE(CInstallActions::InstallUsbDrivers(false));
    system.updateResult = FALSE;
    system.updateError = kNoSuchDevice;
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    EXPECT_TRUE(system.markings.empty());

    system.updateResult = TRUE;
    ASSERT_TRUE(CInstallActions::InstallUsbDrivers(true));
    system.updateResult = FALSE;
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    ASSERT_FALSE(system.markings.empty());
    for (const auto& marking : system.markings) {
        EXPECT_EQ(marking.description.compare(0, description.GetLength(), description.GetString()), 0);
        EXPECT_TRUE(marking.flags & 0x20);
    }
    // The mark is added to the flags read; flags that cannot be read, or that carry the
    // mark already, are not written.
    system.configFlagsRead = RecordingDriverSystem::ConfigFlags::Given;
    system.givenConfigFlags = 0x401;
    system.markings.clear();
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    ASSERT_FALSE(system.markings.empty());
    for (const auto& marking : system.markings)
        EXPECT_EQ(marking.flags, 0x421u);
    system.givenConfigFlags = 0x24;
    system.markings.clear();
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    EXPECT_TRUE(system.markings.empty());
    system.configFlagsRead = RecordingDriverSystem::ConfigFlags::Unreadable;
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    EXPECT_TRUE(system.markings.empty());

    // A successful update returns before any marking.
    system.configFlagsRead = RecordingDriverSystem::ConfigFlags::Real;
    system.updateResult = TRUE;
    EXPECT_TRUE(CInstallActions::ReinstallDriver(row));
    EXPECT_TRUE(system.markings.empty());
    CInstallActions::InstallUsbDrivers(false);
}

class StaleInfs : public Drivers
{
protected:
    StaleInfs()
    {
        WriteBytes(system.infFolder + L"oem1.inf", "; zelqusb.inf for the unit\r\n[Version]\r\n");
        WriteBytes(system.infFolder + L"oem2.inf", "; another maker's zelq driver\r\n");
        WriteBytes(system.infFolder + L"OEM3.INF", std::string("\xFF\xFE;\0 \0z\0e\0l\0q\0u\0s\0b\0\r\0\n\0", 22));
        WriteBytes(system.infFolder + L"oem4.inf", "");
        WriteBytes(system.infFolder + L"other.inf", "; zelqusb.inf\r\n");
        SetFileAttributesW(system.infFolder + L"oem1.inf", FILE_ATTRIBUTE_READONLY);
    }
    CDriverFile UnitRow() const
    {
        return CDriverFile(L"zelqusb.sys", L"", L"zelqusb.inf", L"", L"", L"", L"USB\\VID_5EED&PID_0003", L"Unit");
    }
};

TEST_F(StaleInfs, OemInfsNamingThePackageAreRemoved)
{
    system.uninstallResult = FALSE;
    EXPECT_FALSE(CInstallActions::UninstallStaleOemInfs(UnitRow()));  // the last removal failed
    std::vector<std::wstring> removed = system.uninstalls;
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, (std::vector<std::wstring>{L"OEM3.INF", L"oem1.INF"}));
    EXPECT_FALSE(GetFileAttributesW(system.infFolder + L"oem1.inf") & FILE_ATTRIBUTE_READONLY);

    system.uninstallResult = TRUE;
    EXPECT_TRUE(CInstallActions::UninstallStaleOemInfs(UnitRow()));
    // Without an INF name, or without a match, nothing is removed.
    system.uninstalls.clear();
    EXPECT_FALSE(CInstallActions::UninstallStaleOemInfs(CDriverFile()));
    EXPECT_FALSE(CInstallActions::UninstallStaleOemInfs(
        CDriverFile(L"x.sys", L"", L".inf", L"", L"", L"", L"", L"x")));
    EXPECT_FALSE(CInstallActions::UninstallStaleOemInfs(
        CDriverFile(L"x.sys", L"", L"zelq9999.inf", L"", L"", L"", L"", L"x")));
    EXPECT_TRUE(system.uninstalls.empty());
}

TEST_F(StaleInfs, RemovedOnlyOnWindowsXpAndServer2003)
{
    struct Case { DWORD major, minor; WORD servicePack; bool removes; };
    for (Case c : {Case{5, 0, 4, false}, Case{5, 1, 2, true}, Case{5, 2, 0, true}, Case{6, 0, 0, false},
                   Case{6, 1, 1, false}}) {
        FakeWindowsVersion windows(VER_PLATFORM_WIN32_NT, c.major, c.minor, c.servicePack);
        system.uninstalls.clear();
        EXPECT_TRUE(CInstallActions::UpdateUsbDrivers(CDriverInfo::kGpsFamily));
        EXPECT_EQ(!system.uninstalls.empty(), c.removes) << c.major << "." << c.minor;
    }
}

TEST_F(Drivers, InstallBeforeWindows2000Fails)
{
    FakeWindowsVersion nt4(VER_PLATFORM_WIN32_NT, 4, 0, 6);
    EXPECT_FALSE(CInstallActions::InstallUsbDrivers(false));
    EXPECT_FALSE(CInstallActions::InstallAviationUsbDrivers());
    EXPECT_TRUE(system.updates.empty());
    FakeWindowsVersion windows2000(VER_PLATFORM_WIN32_NT, 5, 0, 4);
    EXPECT_TRUE(CInstallActions::InstallAviationUsbDrivers());
    EXPECT_EQ(HardwareIds(system), (std::vector<std::wstring>{L"USB\\VID_5EED&PID_0300", L"USB\\VID_5EED&PID_1300"}));
}

TEST_F(Drivers, DriversAreCurrentWhenNoSetupFileIsNewer)
{
    Populate(system.setupFolder, CDriverInfo::kAviationFamily, true, 5);
    EXPECT_FALSE(CInstallActions::AreUsbDriversCurrent(CDriverInfo::kAviationFamily));  // nothing installed
    Populate(system.installedFolder, CDriverInfo::kAviationFamily, true, 5);
    EXPECT_FALSE(CInstallActions::AreUsbDriversCurrent(CDriverInfo::kAviationFamily));  // none in the system
    Populate(system.systemFolder, CDriverInfo::kAviationFamily, false, 6);
    EXPECT_TRUE(CInstallActions::AreUsbDriversCurrent(CDriverInfo::kAviationFamily));
    WriteDriverFile(Setup(L"I386\\zelq1300.sys"), 1, 6);  // newer than the installed copy
    EXPECT_FALSE(CInstallActions::AreUsbDriversCurrent(CDriverInfo::kAviationFamily));
    WriteDriverFile(Installed(L"I386\\zelq1300.sys"), 1, 6);
    EXPECT_TRUE(CInstallActions::AreUsbDriversCurrent(CDriverInfo::kAviationFamily));
    WriteDriverFile(Setup(L"I386\\zelq1300.sys"), 1, 7);  // newer than the system's too
    EXPECT_FALSE(CInstallActions::AreUsbDriversCurrent(CDriverInfo::kAviationFamily));
    EXPECT_FALSE(CInstallActions::AreUsbDriversCurrent(CDriverInfo::kGpsFamily));
}

TEST(DriverChecks, InterfaceRegisteredAndUnitsPluggedIn)
{
    // The real device calls of the test prefix find nothing.
    EXPECT_FALSE(CInstallActions::IsUsbInterfaceRegistered(1));
    EXPECT_FALSE(CInstallActions::IsUnitPluggedIn());
    EXPECT_FALSE(CInstallActions::ProbeAviationCardProgrammer());

    SimulatedUnit unit;
    unit.presentInterfaces = 0;  // registered, but not plugged in
    EXPECT_TRUE(CInstallActions::IsUsbInterfaceRegistered(1));
    EXPECT_EQ(unit.LastListFlags(), static_cast<DWORD>(DIGCF_DEVICEINTERFACE));
    EXPECT_FALSE(CInstallActions::IsUsbInterfaceRegistered(0));
    EXPECT_FALSE(CInstallActions::IsUnitPluggedIn());
    unit.cardProgrammerPort = 0;
    EXPECT_TRUE(CInstallActions::IsUnitPluggedIn());
    unit.aviationProgrammerPort = 9;
    EXPECT_TRUE(CInstallActions::ProbeAviationCardProgrammer());
    unit.cardProgrammerPort = -1;
    unit.presentInterfaces = 1;
    EXPECT_TRUE(CInstallActions::IsUnitPluggedIn());
    EXPECT_EQ(unit.OpenLists(), 0);
    EXPECT_EQ(unit.OpenPorts(), 0);
}

TEST_F(Drivers, InTestModeEachOperationAsksAndTouchesNothing)
{
    Populate(system.setupFolder, CDriverInfo::kGpsFamily, true, 5);
    TestModeOn testMode;
    CTestHook hook;
    struct Case { std::function<bool()> operation; const wchar_t* question; };
    std::vector<Case> cases = {
        {[] { return CInstallActions::InstallUsbDrivers(true); }, L"Did USB driver install succeed?"},
        {[] { return CInstallActions::InstallAviationUsbDrivers(); }, L"Did USB aviation driver install succeed?"},
        {[] { return CInstallActions::AreUsbDriversCurrent(1); }, L"Are USB drivers at \\USB_Drivers current?"},
        {[] { return CInstallActions::IsUsbInterfaceRegistered(0); }, L"Are USB drivers at \\USB_Drivers current?"},
        {[] { return CInstallActions::IsUnitPluggedIn(); }, L"Is GPS unit plugged in?"},
        {[] { return CInstallActions::ProbeAviationCardProgrammer(); }, L"Is unit plugged in?"}};
    for (const Case& c : cases) {
        hook.AnswerMessageBox(IDYES);
        EXPECT_TRUE(c.operation()) << CString(c.question).ToAnsi();
        hook.AnswerMessageBox(IDNO);
        EXPECT_FALSE(c.operation()) << CString(c.question).ToAnsi();
    }
    ASSERT_EQ(hook.Log().size(), 2 * cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(hook.Log()[2 * i].text, cases[i].question);
        EXPECT_EQ(hook.Log()[2 * i].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    }
    EXPECT_EQ(hook.Unanswered(), 0u);
    EXPECT_TRUE(system.updates.empty());
    EXPECT_FALSE(PathFileExistsW(system.installedFolder));
}

TEST(DeviceTree, NodesAreListedChildrenFirstWhenTheirClassHasAnImage)
{
    const wchar_t* shown = L"{4D36E97D-E325-11CE-BFC1-08002BE10318}";
    const wchar_t* hidden = L"{36FC9E60-C465-11CF-8056-444553540000}";
    RecordingDriverSystem system;
    system.classesWithImage = {shown};
    system.nodes = {{0, shown, L"Computer", L"PC"},
                    {1, shown, L"", L"USB Root Hub"},
                    {2, shown, L"", L""},
                    {1, hidden, L"Hidden hub", L""},
                    {0, shown, L"Second", L""},
                    {4, shown, L"", L"Under the hidden hub"},
                    {5, L"not a class", L"Broken", L""}};
    CapturedDiagnostics diagnostics;
    EXPECT_TRUE(CInstallActions::DumpDeviceTree());
    EXPECT_EQ(diagnostics.Text(), L"Computer\nUSB Root Hub\nUnknown Device\nUnder the hidden hub\nSecond\n");
    wchar_t computer[258] = L"";
    DWORD length = 258;
    GetComputerNameW(computer, &length);
    EXPECT_EQ(system.machineName, std::wstring(L"\\\\") + computer);
    EXPECT_FALSE(system.connected);
}

TEST(DeviceTree, AFailedConnectionIsShownInAMessageBox)
{
    // Wine's Configuration Manager refuses every machine connection.
    CTestHook hook;
    hook.AnswerMessageBox(IDOK);
    CapturedDiagnostics diagnostics;
    EXPECT_FALSE(CInstallActions::DumpDeviceTree());
    EXPECT_TRUE(diagnostics.Text().empty());
    ASSERT_EQ(hook.Log().size(), 1u);
    EXPECT_EQ(hook.Log()[0].caption, L"Error");
    EXPECT_EQ(hook.Log()[0].text.Left(31), L"Machine Connection failed, cr= ");

    RecordingDriverSystem system;
    system.connectResult = CR_ACCESS_DENIED;
    hook.AnswerMessageBox(IDOK);
    EXPECT_FALSE(CInstallActions::DumpDeviceTree());
    ASSERT_EQ(hook.Log().size(), 2u);
    EXPECT_EQ(hook.Log()[1].text, L"Machine Connection failed, cr= 33(hex)\n");
}

}  // namespace
