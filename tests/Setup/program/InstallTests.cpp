// Tests of the installation page: its handler of Windows Installer's messages fed with
// crafted messages, the choice of the target drive and the packages, the results that
// count as installed, Cancel, and real installations of the test packages in the test
// prefix (removed again).
#include "tests/Setup/program/SetupProgramTestSupport.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/actions/DriveEnumerator.h"
#include "Setup/actions/FindFile.h"
#include "Setup/installation/InstallMSIProgressDlg.h"
#include "Setup/installation/MsiLibrary.h"
#include "Setup/installation/MsiUiHandler.h"
#include "Setup/security/FolderSecurity.h"
#include "Setup/wizard/SetupApp.h"
#include "Setup/wizard/SetupResource.h"

#include <gtest/gtest.h>
#include <msi.h>
#include <shlobj.h>

#include <climits>
#include <map>
#include <vector>

using namespace setup_program_test;

namespace {

bool Exists(const CString& path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

class InstallPage : public SharedAppTest
{
protected:
    void SetUp() override
    {
        SharedAppTest::SetUp();
        m_page = static_cast<CInstallMSIProgressDlg*>(Page(CSetupApp::kInstall));
        MsiUiState().total = 0;
        MsiUiState().cancelRequested = 0;
    }

    int Send(UINT type, const wchar_t* text) { return MsiUiHandler(nullptr, type, text); }
    CString Action() const { return CInstallMSIProgressDlg::ActionItem().GetText(); }
    CString Percent() const { return CInstallMSIProgressDlg::PercentItem().GetText(); }
    int BarPosition() const { return static_cast<int>(CInstallMSIProgressDlg::ProgressBar().SendMessage(PBM_GETPOS)); }
    static CString FinishHeading()
    {
        CWnd* heading = Page(CSetupApp::kFinish)->GetDlgItem(IDC_FINISH_HEADING);
        return static_cast<CBrowserMenuItem*>(CWnd::FromHandlePermanent(heading->m_hWnd))->GetText();
    }

    CInstallMSIProgressDlg* m_page = nullptr;
};

TEST_F(InstallPage, TheHandlerAnswersEachKindOfMessage)
{
    EXPECT_EQ(0, Send(INSTALLMESSAGE_INITIALIZE, nullptr));
    EXPECT_EQ(IDOK, Send(INSTALLMESSAGE_INFO, L"Action start"));
    EXPECT_EQ(IDOK, Send(INSTALLMESSAGE_INITIALIZE, L""));
    EXPECT_EQ(IDOK, Send(INSTALLMESSAGE_TERMINATE, L""));
    EXPECT_EQ(IDOK, Send(INSTALLMESSAGE_SHOWDIALOG, L"x"));
    EXPECT_EQ(0, Send(INSTALLMESSAGE_RESOLVESOURCE, L"x"));
    EXPECT_EQ(0, Send(INSTALLMESSAGE_FILESINUSE, L"x"));
    EXPECT_EQ(0, Send(0x0F000000, L"x"));
    EXPECT_EQ(IDOK, Send(INSTALLMESSAGE_PROGRESS, L"nonsense"));
}

TEST_F(InstallPage, ErrorsAndWarningsBecomeMessageBoxesWhoseAnswerGoesBack)
{
    CTestHook hook;
    hook.AnswerMessageBox(IDRETRY);
    hook.AnswerMessageBox(IDNO);
    hook.AnswerMessageBox(IDOK);
    hook.AnswerMessageBox(IDOK);
    hook.AnswerMessageBox(IDCANCEL);
    EXPECT_EQ(IDRETRY, Send(INSTALLMESSAGE_ERROR | MB_RETRYCANCEL | MB_ICONERROR, L"Disk not ready"));
    EXPECT_EQ(IDNO, Send(INSTALLMESSAGE_WARNING | MB_YESNO | MB_ICONWARNING, L"Go on?"));
    EXPECT_EQ(IDOK, Send(INSTALLMESSAGE_FATALEXIT | MB_OK, L"Stopped"));
    EXPECT_EQ(IDOK, Send(INSTALLMESSAGE_USER | MB_OK, L"Note"));
    EXPECT_EQ(IDCANCEL, Send(INSTALLMESSAGE_OUTOFDISKSPACE | MB_OKCANCEL, L"Full"));
    ASSERT_EQ(5u, hook.Log().size());
    const wchar_t* captions[] = {L"Error", L"Warning", L"FatalError", L"User", L"Error"};
    const wchar_t* texts[] = {L"Disk not ready", L"Go on?", L"Stopped", L"Note", L"Full"};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(CString(captions[i]), hook.Log()[i].caption);
        EXPECT_EQ(CString(texts[i]), hook.Log()[i].text);
    }
    EXPECT_EQ(0u, hook.Unanswered());
}

TEST_F(InstallPage, ActionStartsAndActionDataBecomeTheActionText)
{
    Send(INSTALLMESSAGE_ACTIONSTART, L"Action 10:15:30: InstallFiles. Copying new files");
    EXPECT_EQ(CString(L"Copying new files..."), Action());

    // Before the first progress reset action data changes nothing.
    Send(INSTALLMESSAGE_ACTIONDATA, L"File: readme.txt,  Directory: C:\\Program Files\\, Size: 1024");
    EXPECT_EQ(CString(L"Copying new files..."), Action());

    Send(INSTALLMESSAGE_PROGRESS, L"1: 0 2: 1000 3: 0 4: 0 ");
    Send(INSTALLMESSAGE_ACTIONDATA, L"File: readme.txt,  Directory: C:\\Program Files\\, Size: 1024");
    CString expected;
    expected.Format(Text(IDS_COPYING_FILE).GetString(), L"readme.txt");
    EXPECT_EQ(expected + L"...", Action());
    Send(INSTALLMESSAGE_ACTIONDATA, L"Key: HKEY_LOCAL_MACHINE\\Software\\Quorel, Name: X, Value: 1");
    EXPECT_EQ(Text(IDS_REGISTRY_ACTION) + L"...", Action());
}

TEST_F(InstallPage, ProgressMovesTheBarAndThePercentage)
{
    Send(INSTALLMESSAGE_PROGRESS, L"1: 0 2: 1000 3: 0 4: 0 ");
    EXPECT_EQ(0, MsiUiState().position);
    Send(INSTALLMESSAGE_PROGRESS, L"1: 2 2: 250 3: 0 4: 0 ");
    EXPECT_EQ(25, BarPosition());
    EXPECT_EQ(CString(L"25%"), Percent());
    PBRANGE range = {};
    CInstallMSIProgressDlg::ProgressBar().SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(0, range.iLow);
    EXPECT_EQ(100, range.iHigh);
    Send(INSTALLMESSAGE_PROGRESS, L"1: 2 2: 2000 ");   // beyond the total
    EXPECT_EQ(100, BarPosition());
    EXPECT_EQ(CString(L"100%"), Percent());
    Send(INSTALLMESSAGE_PROGRESS, L"1: 1 2: 5 3: 1 ");   // action info: nothing visible
    EXPECT_EQ(CString(L"100%"), Percent());
}

TEST_F(InstallPage, StepsBeyondTheIntegerRangeStayAtTheirEnd)
{
    Send(INSTALLMESSAGE_PROGRESS, L"1: 0 2: 1000 3: 0 ");
    for (int i = 0; i < 2; ++i)   // twice the int range: a wrapped sum would show the other end
        Send(INSTALLMESSAGE_PROGRESS, L"1: 2 2: 2147483647 ");
    EXPECT_EQ(INT_MAX, MsiUiState().position);
    EXPECT_EQ(CString(L"100%"), Percent());
    Send(INSTALLMESSAGE_PROGRESS, L"1: 0 2: 400 3: 1 ");
    for (int i = 0; i < 2; ++i)
        Send(INSTALLMESSAGE_PROGRESS, L"1: 2 2: 2147483647 ");
    EXPECT_EQ(INT_MIN, MsiUiState().position);
    EXPECT_EQ(CString(L"0%"), Percent());
}

TEST_F(InstallPage, ARollbackRunsTheBarBackAndShowsTheRollbackText)
{
    Send(INSTALLMESSAGE_PROGRESS, L"1: 0 2: 400 3: 1 4: 0 ");
    EXPECT_FALSE(MsiUiState().forward);
    EXPECT_EQ(400, MsiUiState().position);
    Send(INSTALLMESSAGE_PROGRESS, L"1: 2 2: 100 ");
    EXPECT_EQ(CString(L"75%"), Percent());
    Send(INSTALLMESSAGE_ACTIONDATA, L"File: readme.txt, Size: 1");
    EXPECT_EQ(Text(IDS_ROLLBACK) + L"...", Action());
    Send(INSTALLMESSAGE_PROGRESS, L"1: 2 2: 1000 ");   // below 0
    EXPECT_EQ(CString(L"0%"), Percent());
    EXPECT_EQ(0, BarPosition());
}

TEST_F(InstallPage, CommonDataSetsTheLanguageAndShowsOrHidesTheBarAndCancel)
{
    Send(INSTALLMESSAGE_COMMONDATA, L"1: 0 2: 1031 3: 0 ");
    EXPECT_EQ(1031, MsiUiState().language);
    CWnd* cancel = m_page->GetDlgItem(IDC_INSTALL_CANCEL);
    Send(INSTALLMESSAGE_COMMONDATA, L"1: 2 2: 1 ");
    EXPECT_TRUE(cancel->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(CInstallMSIProgressDlg::ProgressBar().GetStyle() & WS_VISIBLE);
    Send(INSTALLMESSAGE_COMMONDATA, L"1: 2 2: 0 ");
    EXPECT_FALSE(cancel->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(CInstallMSIProgressDlg::ProgressBar().GetStyle() & WS_VISIBLE);
}

TEST_F(InstallPage, ConfirmingCancelMakesTheNextProgressAnswerCancel)
{
    Send(INSTALLMESSAGE_PROGRESS, L"1: 0 2: 100 3: 0 ");
    CTestHook hook;
    hook.AnswerMessageBox(IDNO);
    hook.AnswerMessageBox(IDYES);
    Click(m_page, IDC_INSTALL_CANCEL);
    EXPECT_EQ(0, MsiUiState().cancelRequested);
    EXPECT_EQ(IDOK, Send(INSTALLMESSAGE_PROGRESS, L"1: 2 2: 10 "));
    Click(m_page, IDC_INSTALL_CANCEL);
    EXPECT_EQ(IDCANCEL, Send(INSTALLMESSAGE_PROGRESS, L"1: 2 2: 10 "));
    EXPECT_EQ(IDCANCEL, Send(INSTALLMESSAGE_PROGRESS, L"garbage"));
    EXPECT_EQ(IDOK, Send(INSTALLMESSAGE_ACTIONSTART, L"Action 1: A. B"));
    ASSERT_EQ(2u, hook.Log().size());
    EXPECT_EQ(Text(IDS_CANCEL_QUESTION), hook.Log()[1].text);
    EXPECT_EQ(CString(L"Quorel Kestovar"), hook.Log()[1].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), hook.Log()[1].style & 0xFF);
}

// The free space of each drive root in MiB, as the test wants it.
std::map<std::string, int> g_freeMB;

BOOL WINAPI FakeFreeSpace(LPCSTR root, PULARGE_INTEGER callerFree, PULARGE_INTEGER total, PULARGE_INTEGER totalFree)
{
    auto found = g_freeMB.find(root);
    ULONGLONG bytes = found == g_freeMB.end() ? 0 : static_cast<ULONGLONG>(found->second) * 1048576;
    if (callerFree)
        callerFree->QuadPart = bytes;
    if (total)
        total->QuadPart = bytes;
    if (totalFree)
        totalFree->QuadPart = bytes;
    return TRUE;
}

std::vector<CString> FixedRoots()
{
    std::vector<CString> roots, fixed;
    CDriveEnumerator().GetDriveRoots(roots);
    for (const CString& root : roots) {
        if (GetDriveTypeW(root) == DRIVE_FIXED)
            fixed.push_back(root);
    }
    return fixed;
}

// While it lives, the fixed drives report the free space given in order (others 0).
class FreeSpace
{
public:
    explicit FreeSpace(std::vector<int> megabytes)
    {
        g_freeMB.clear();
        std::vector<CString> fixed = FixedRoots();
        for (size_t i = 0; i < fixed.size() && i < megabytes.size(); ++i)
            g_freeMB[fixed[i].ToAnsi()] = megabytes[i];
        CInstallActions::SetFreeSpaceQueriesForTest(true, FakeFreeSpace, nullptr);
    }
    ~FreeSpace() { CInstallActions::SetFreeSpaceQueriesForTest(false, nullptr, nullptr); }
};

CString PropertiesFor(const CString& root)
{
    return L"TARGETDIR=\"" + root + L"\" LANG=" + Text(IDS_MSI_LANGUAGE);
}

// While it lives, the fixed drives whose roots are listed report a file system without
// access lists (FAT, exFAT).
class WithoutAccessLists
{
public:
    explicit WithoutAccessLists(std::vector<CString> roots)
    {
        s_roots = std::move(roots);
        CDriveEnumerator::SetFileSystemFlagsFilterForTest([](const CString& root, DWORD& flags) {
            for (const CString& listed : s_roots)
                if (listed.CompareNoCase(root) == 0)
                    flags &= ~FILE_PERSISTENT_ACLS;
        });
    }
    ~WithoutAccessLists() { CDriveEnumerator::SetFileSystemFlagsFilterForTest(nullptr); }

private:
    inline static std::vector<CString> s_roots;
};

TEST(TargetDrive, TheFirstFixedDriveWith50MiBFreeAndAccessListsIsTheTarget)
{
    UseLanguageLibrary();
    std::vector<CString> fixed = FixedRoots();
    ASSERT_FALSE(fixed.empty());
    {
        FreeSpace space({50, 60});
        EXPECT_EQ(fixed[0], CInstallMSIProgressDlg::TargetRoot());
        EXPECT_EQ(PropertiesFor(fixed[0]), CInstallMSIProgressDlg::TargetProperties(fixed[0]));
    }
    {
        FreeSpace space({49, 49});
        EXPECT_EQ(CString(), CInstallMSIProgressDlg::TargetRoot());
        EXPECT_EQ(CString(), CInstallMSIProgressDlg::TargetProperties(CString()));
    }
    {
        FreeSpace space({100, 100});
        WithoutAccessLists fat(fixed);
        EXPECT_EQ(CString(), CInstallMSIProgressDlg::TargetRoot());
    }
    {
        // Every letter in use (many mapped network drives): the fixed drive is still found.
        FreeSpace space({100});
        setup_test::EveryDriveLetter everyLetter;
        EXPECT_EQ(fixed[0], CInstallMSIProgressDlg::TargetRoot());
    }
    if (fixed.size() < 2)
        GTEST_SKIP() << "this system has one fixed drive";
    {
        FreeSpace space({40, 60});
        EXPECT_EQ(fixed[1], CInstallMSIProgressDlg::TargetRoot());
    }
    FreeSpace space({100, 100});
    WithoutAccessLists fat({fixed[0]});
    EXPECT_EQ(fixed[1], CInstallMSIProgressDlg::TargetRoot());
}

TEST(TargetDrive, TheEarlierProductsFolderIsMadeOnlyOnALocalFixedDrive)
{
    UseLanguageLibrary();
    setup_test::TempFolder folder;
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path()));
    CreatedKey key(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\Kestovar");
    FreeSpace space({100});
    auto plant = [](const CString& value) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\Kestovar", L"InstallDir", REG_SZ, value.GetString(),
                        static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t)));
        CInstallMSIProgressDlg::TargetProperties(CInstallMSIProgressDlg::TargetRoot());
    };
    // Relative to Setup's current folder, and to the current folder of its drive.
    plant(L"relative");
    plant(folder.Path().Left(2) + L"driveRelative");
    SetCurrentDirectoryW(current);
    for (const wchar_t* name : {L"relative", L"driveRelative"})
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder / name)) << name;
    plant(folder / L"made");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder / L"made"));
}

TEST(Packages, TheEditorsPackageComesFromTheMediumOrFromBesideSetup)
{
    UseLanguageLibrary();
    EXPECT_EQ(CString(L"E:\\bin\\Pellorin.msi"), CInstallMSIProgressDlg::MainPackagePath(L"Setup.exe E:\\"));
    EXPECT_EQ(BesideProgram(L"Pellorin.msi"), CInstallMSIProgressDlg::MainPackagePath(L"\"C:\\S\\Setup.exe\""));
    EXPECT_EQ(BesideProgram(CInstallActions::IsWow64() ? L"USB_Drivers\\USB_64.msi" : L"USB_Drivers\\USB_32.msi"),
              CInstallMSIProgressDlg::DriverPackagePath());
}

// Windows Installer replaced: the installs asked for, answered with the given results.
struct Install
{
    CString package;
    CString commandLine;
};
std::vector<Install> g_installs;
std::vector<UINT> g_results;

UINT WINAPI FakeInstall(const wchar_t* package, const wchar_t* commandLine)
{
    g_installs.push_back({package, commandLine});
    UINT result = g_results.empty() ? ERROR_SUCCESS : g_results.front();
    if (!g_results.empty())
        g_results.erase(g_results.begin());
    return result;
}

class FakeInstaller
{
public:
    explicit FakeInstaller(std::vector<UINT> results)
    {
        g_installs.clear();
        g_results = std::move(results);
        CMsiLibrary::SetInstallProductForTest(FakeInstall);
    }
    ~FakeInstaller() { CMsiLibrary::SetInstallProductForTest(nullptr); }
};

TEST_F(InstallPage, TheDriverPackageGoesFirstAndOnlyTheEditorsResultCounts)
{
    FreeSpace space({100});
    struct Case { UINT driver, editor; bool installed; };
    for (Case c : {Case{0, 0, true}, Case{1603, 0, true}, Case{0, ERROR_SUCCESS_REBOOT_INITIATED, true},
                   Case{0, ERROR_SUCCESS_REBOOT_REQUIRED, true}, Case{0, ERROR_INSTALL_FAILURE, false},
                   Case{0, ERROR_INSTALL_USEREXIT, false}, Case{0, ERROR_INSTALL_PACKAGE_OPEN_FAILED, false}}) {
        FakeInstaller installer({c.driver, c.editor});
        EXPECT_EQ(c.installed, m_page->InstallPackages()) << c.editor;
        EXPECT_EQ(c.installed, CInstallMSIProgressDlg::LastInstallSucceeded());
        ASSERT_EQ(2u, g_installs.size());
        EXPECT_EQ(CInstallMSIProgressDlg::DriverPackagePath(), g_installs[0].package);
        EXPECT_EQ(CString(), g_installs[0].commandLine);
        EXPECT_EQ(BesideProgram(L"Pellorin.msi"), g_installs[1].package);
        EXPECT_EQ(PropertiesFor(FixedRoots()[0]), g_installs[1].commandLine);
    }
    // Afterwards the page shows neither Cancel nor the bar, and no action.
    EXPECT_FALSE(m_page->GetDlgItem(IDC_INSTALL_CANCEL)->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(CInstallMSIProgressDlg::ProgressBar().GetStyle() & WS_VISIBLE);
    EXPECT_EQ(CString(), Action());
    CBrowserMenuItem* status = static_cast<CBrowserMenuItem*>(
        CWnd::FromHandlePermanent(m_page->GetDlgItem(IDC_INSTALL_STATUS)->m_hWnd));
    EXPECT_EQ(Text(IDS_INSTALL_STATUS), status->GetText());
    EXPECT_FALSE(TakeQuitMessage());
}

TEST_F(InstallPage, AMissingPackageIsNamedToTheUserAndNotInstalled)
{
    FreeSpace space({100});
    // The driver's folder missing: the editor installs all the same, and the user is not
    // told that the driver is needed for it.
    struct Case { CString away, missing; UINT text; };
    for (const Case& c : {Case{BesideProgram(L"USB_Drivers"), CInstallMSIProgressDlg::DriverPackagePath(),
                               IDS_DRIVER_PACKAGE_MISSING},
                          Case{BesideProgram(L"Pellorin.msi"), BesideProgram(L"Pellorin.msi"), IDS_PACKAGE_MISSING}}) {
        MovedAway away(c.away);
        ASSERT_FALSE(Exists(c.missing));
        FakeInstaller installer({});
        CTestHook hook;
        hook.AnswerMessageBox(IDOK);
        EXPECT_EQ(c.text == IDS_DRIVER_PACKAGE_MISSING, m_page->InstallPackages());
        ASSERT_EQ(1u, hook.Log().size());
        CString expected;
        expected.Format(Text(c.text).GetString(), c.missing.GetString());
        EXPECT_EQ(expected, hook.Log()[0].text);
        ASSERT_EQ(1u, g_installs.size());   // the other package only
        EXPECT_NE(c.missing, g_installs[0].package);
    }
}

TEST_F(InstallPage, WithoutADriveWith50MiBFreeAndAccessListsNothingIsInstalledAndSetupEnds)
{
    // Shown as Next shows it: the page's hook then still shows the finish page, and the
    // quit message outlives that page change.
    for (bool roomButNoAccessLists : {false, true}) {
        FreeSpace space(roomButNoAccessLists ? std::vector<int>{100, 100, 100} : std::vector<int>{10, 20, 30});
        WithoutAccessLists fat(roomButNoAccessLists ? FixedRoots() : std::vector<CString>{});
        FakeInstaller installer({});
        CTestHook hook;
        hook.AnswerMessageBox(IDOK);
        App().App().GetController()->ShowPage(CSetupApp::kInstall);
        EXPECT_FALSE(CInstallMSIProgressDlg::LastInstallSucceeded());
        EXPECT_TRUE(g_installs.empty());
        ASSERT_EQ(1u, hook.Log().size());
        EXPECT_EQ(Text(IDS_NO_DRIVE_SPACE), hook.Log()[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), hook.Log()[0].style & 0xFF);
        EXPECT_EQ(CSetupApp::kFinish, App().VisiblePage());
        EXPECT_TRUE(TakeQuitMessage());
    }
    EXPECT_EQ(0, CountedRestarts::Count());

    // The message, really shown, belongs to the page and keeps it from taking clicks
    // until it is answered.
    FreeSpace space({10});
    BoxAnswerer answerer(m_page, IDOK);
    App().App().GetController()->ShowPage(CSetupApp::kInstall);
    answerer.Wait();
    EXPECT_EQ(m_page->m_hWnd, answerer.Owner());
    EXPECT_FALSE(answerer.PageWasEnabled());
    EXPECT_TRUE(m_page->IsWindowEnabled());
    EXPECT_TRUE(TakeQuitMessage());
    UninstallTestPackages();
}

// The owner and access list each target folder reports, as SDDL texts shaped as Windows
// makes them; a folder not listed reports none.
std::map<CString, CString> g_folderSddl;
bool g_makerFolderIsLink = false;

CString FolderSddl(const CString& folder)
{
    auto found = g_folderSddl.find(folder);
    return found == g_folderSddl.end() ? CString() : found->second;
}

// Folders made at a drive root inherit the root's list: full access for administrators
// and SYSTEM, reading for users, and change rights for every signed-in user.
const wchar_t kInheritedFromRoot[] =
    L"D:AI(A;ID;FA;;;BA)(A;OICIIOID;GA;;;BA)(A;ID;FA;;;SY)(A;OICIIOID;GA;;;SY)(A;OICIID;0x1200a9;;;BU)"
    L"(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)";
const wchar_t kOrdinaryUser[] = L"S-1-5-21-1004336348-1177238915-682003330-1001";

TEST_F(InstallPage, TheEditorsPackageIsNotRunIntoAFolderThatAnotherAccountControls)
{
    FreeSpace space({100});
    const CString maker = FixedRoots()[0] + L"Quorel";
    const CString program = maker + L"\\Pellorin";
    RemoveDirectoryW(program);
    RemoveDirectoryW(maker);
    ASSERT_FALSE(Exists(maker));
    CFolderSecurity::SetQueryForTest(FolderSddl);
    CFindFile::SetFilterForTest([](WIN32_FIND_DATAW& data) {
        if (g_makerFolderIsLink && lstrcmpiW(data.cFileName, L"Quorel") == 0) {
            data.dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
            data.dwReserved0 = IO_REPARSE_TAG_MOUNT_POINT;
        }
    });
    const CString madeByUser = CString(L"O:") + kOrdinaryUser + kInheritedFromRoot;
    const CString madeByAdministrator = CString(L"O:BA") + kInheritedFromRoot;
    const CString lockedByThePackage = L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;WD)(A;OICI;FA;;;SY)";
    struct Case
    {
        CString makerSddl;     // empty: the folder is not there
        CString programSddl;   // empty: the folder is not there
        UINT refusal;          // 0: the package runs
        const CString* refused;
        bool makerIsLink = false;
    };
    const Case cases[] = {
        {L"", L"", 0, nullptr},
        {madeByUser, L"", IDS_FOLDER_OTHER_OWNER, &maker},
        {madeByAdministrator, L"", 0, nullptr},
        {madeByAdministrator, madeByAdministrator, IDS_FOLDER_OPEN_TO_OTHERS, &program},
        {madeByAdministrator, CString(L"O:") + kOrdinaryUser + L"D:P(A;OICI;FA;;;BA)", IDS_FOLDER_OTHER_OWNER,
         &program},
        {lockedByThePackage, lockedByThePackage, 0, nullptr},
        {L"O:SYD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)", L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;WD)(A;;FA;;;WD)",
         IDS_FOLDER_OPEN_TO_OTHERS, &program},
        // Change rights that only what is made inside inherits; the right to add files
        // alone; no access list at all, which lets everyone do everything (Wine reads
        // "D:NO_ACCESS_CONTROL" as an empty list, which lets nobody in).
        {lockedByThePackage, L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICIIO;0x1301bf;;;BU)",
         IDS_FOLDER_OPEN_TO_OTHERS, &program},
        {lockedByThePackage, L"O:BAD:P(A;OICI;FA;;;BA)(A;;0x2;;;BU)", IDS_FOLDER_OPEN_TO_OTHERS, &program},
        {lockedByThePackage, L"O:BA", IDS_FOLDER_OPEN_TO_OTHERS, &program},
        {L"not a descriptor", L"", IDS_FOLDER_UNREADABLE, &maker},
        {lockedByThePackage, L"", IDS_FOLDER_IS_LINK, &maker, true},   // whoever owns it
    };
    for (const Case& c : cases) {
        g_folderSddl.clear();
        g_makerFolderIsLink = c.makerIsLink;
        if (!c.makerSddl.IsEmpty()) {
            CreateDirectoryW(maker, nullptr);
            g_folderSddl[maker] = c.makerSddl;
        }
        if (!c.programSddl.IsEmpty()) {
            CreateDirectoryW(program, nullptr);
            g_folderSddl[program] = c.programSddl;
        }
        FakeInstaller installer({0, 0});
        CTestHook hook;
        hook.AnswerMessageBox(IDOK);
        bool installed = m_page->InstallPackages();
        RemoveDirectoryW(program);
        RemoveDirectoryW(maker);
        EXPECT_EQ(c.refusal == 0, installed) << c.makerSddl.ToAnsi() << " " << c.programSddl.ToAnsi();
        if (c.refusal == 0) {
            EXPECT_EQ(2u, g_installs.size());
            EXPECT_TRUE(hook.Log().empty());
            continue;
        }
        // Only the driver package ran; the user is told which folder, why and what to do.
        ASSERT_EQ(1u, g_installs.size()) << c.makerSddl.ToAnsi();
        EXPECT_EQ(CInstallMSIProgressDlg::DriverPackagePath(), g_installs[0].package);
        ASSERT_EQ(1u, hook.Log().size());
        CString expected;
        expected.Format(Text(IDS_FOLDER_REFUSED).GetString(), c.refused->GetString(), Text(c.refusal).GetString());
        EXPECT_EQ(expected, hook.Log()[0].text);
        EXPECT_FALSE(TakeQuitMessage());   // the finish page follows and reports the failure
    }
    CFindFile::SetFilterForTest(nullptr);
    CFolderSecurity::SetQueryForTest(nullptr);
}

TEST_F(InstallPage, ShowingThePageInstallsAndThenShowsTheFinishPageWithTheOutcome)
{
    FreeSpace space({100});
    CWnd* finish = Page(CSetupApp::kFinish);
    // A package that reports success but places no editor installed nothing either.
    for (UINT result : {ERROR_INSTALL_FAILURE, ERROR_SUCCESS}) {
        FakeInstaller installer({0, result});
        App().App().GetController()->ShowPage(CSetupApp::kInstall);
        EXPECT_EQ(CSetupApp::kFinish, App().VisiblePage());
        EXPECT_EQ(Text(IDS_FINISH_FAILED_HEADING), FinishHeading()) << result;
        // Only an installed editor is offered to start.
        EXPECT_EQ(BST_UNCHECKED, finish->IsDlgButtonChecked(IDC_LAUNCH_EDITOR));
        EXPECT_FALSE(finish->GetDlgItem(IDC_LAUNCH_EDITOR)->IsWindowEnabled());
    }
    UninstallTestPackages();
}

void PostClick(CWnd* item)
{
    item->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    item->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

TEST_F(InstallPage, ClicksMadeBeforeAPageIsShownNeverActOnIt)
{
    FreeSpace space({100});
    FakeInstaller installer({0, 0});
    CWnd* licence = Page(CSetupApp::kLicence);
    Show(CSetupApp::kLicence);
    if (!licence->IsDlgButtonChecked(IDC_EULA_AGREE))
        Click(licence, IDC_EULA_AGREE);
    CTestHook hook;
    // A double click on Next: the second click waits while Next installs, and where it
    // was made lie the installation page's Cancel and the finish page's Finish.
    DWORD beforeNext = GetTickCount();
    PostClick(licence->GetDlgItem(IDC_EULA_NEXT));
    PostClick(Page(CSetupApp::kInstall)->GetDlgItem(IDC_INSTALL_CANCEL));
    PostClick(Page(CSetupApp::kFinish)->GetDlgItem(IDC_FINISH));
    EXPECT_TRUE(Pump(200));   // no quit message
    EXPECT_EQ(CSetupApp::kFinish, App().VisiblePage());
    EXPECT_EQ(2u, g_installs.size());
    EXPECT_TRUE(hook.Log().empty());   // no cancel question

    // A mouse click made before the finish page appeared, which reaches Setup only now,
    // is not for it either; one made on the page is.
    HWND finish = Page(CSetupApp::kFinish)->GetDlgItem(IDC_FINISH)->m_hWnd;
    ClickWithTheMouse(finish, beforeNext - 1000);   // made a second before Next
    EXPECT_TRUE(Pump(200));

    // With the mouse: Next on the welcome page, then 300 ms later the agree box far from
    // it, which is the user's own click; Next on the licence page, then 400 ms later the
    // second press of a double click, where Finish lies once the installation is over,
    // which is not. The presses are dated ahead, as far apart as the user makes them, so
    // that each comes after the page change before it however slowly this machine works.
    Click(licence, IDC_EULA_AGREE);   // untick
    ASSERT_FALSE(licence->GetDlgItem(IDC_EULA_NEXT)->IsWindowEnabled());
    Show(CSetupApp::kWelcome);
    DWORD at = GetTickCount() + 10000;
    ClickWithTheMouse(Page(CSetupApp::kWelcome)->GetDlgItem(IDC_NEXT)->m_hWnd, at);
    ASSERT_TRUE(PumpUntil([] { return App().VisiblePage() == CSetupApp::kLicence; }));
    ClickWithTheMouse(licence->GetDlgItem(IDC_EULA_AGREE)->m_hWnd, at + 300);
    ASSERT_TRUE(PumpUntil([licence] { return licence->GetDlgItem(IDC_EULA_NEXT)->IsWindowEnabled(); }));
    ClickWithTheMouse(licence->GetDlgItem(IDC_EULA_NEXT)->m_hWnd, at + 1000);
    ASSERT_TRUE(PumpUntil([] { return App().VisiblePage() == CSetupApp::kFinish; }));
    EXPECT_EQ(4u, g_installs.size());
    ClickWithTheMouse(finish, at + 1400);
    EXPECT_TRUE(Pump(200));   // the finish page waits
    Sleep(GetDoubleClickTime());   // not the second click of a double click on Next
    ClickWithTheMouse(finish);
    EXPECT_FALSE(Pump(200));   // the quit message
    UninstallTestPackages();
}

TEST_F(InstallPage, TheCopyProgressShowsStatesAndPercentagesWithinOneTo100)
{
    EXPECT_EQ(50, m_page->SetProgressState(50, 2));
    EXPECT_EQ(Text(IDS_STATE_2), Action());
    EXPECT_EQ(CString(L"50%"), Percent());
    EXPECT_EQ(50, BarPosition());
    m_page->SetProgressState(0, 13);
    EXPECT_EQ(Text(IDS_STATE_10), Action());
    EXPECT_EQ(CString(L"1%"), Percent());
    m_page->SetProgressState(250, 17);   // no such state: the text stays
    EXPECT_EQ(Text(IDS_STATE_10), Action());
    EXPECT_EQ(CString(L"100%"), Percent());

    m_page->ResetProgress();   // nothing announced: copying shows no share and divides by nothing
    m_page->OnCopyProgress(4096);
    EXPECT_EQ(CString(L"100%"), Percent());
    m_page->ResetProgress(1000);
    m_page->CopyProgressCallback()(250);
    EXPECT_EQ(CString(L"25%"), Percent());
}

// Real installations of the test packages with Windows Installer, in the test prefix.
class RealInstall : public InstallPage
{
protected:
    void SetUp() override
    {
        UninstallTestPackages();
        InstallPage::SetUp();
    }
    void TearDown() override { UninstallTestPackages(); }
};

CString RegistryText(const wchar_t* path, const wchar_t* name)
{
    CString text;
    CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE, path, name, text);
    return text;
}

bool KeyExists(const wchar_t* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The editor's shortcut in the machine's or the user's Start menu; empty when none is.
CString StartMenuShortcut()
{
    for (int folder : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)) &&
            Exists(CString(path) + L"\\Pellorin.lnk"))
            return CString(path) + L"\\Pellorin.lnk";
    }
    return CString();
}

TEST_F(RealInstall, BothPackagesAreInstalledWithTheHandlerFollowingAndTheEditorGoesWithoutATrace)
{
    CString root = FixedRoots()[0];
    bool makerFolderBefore = Exists(root + L"Quorel");
    bool makerKeyBefore = KeyExists(L"Software\\Quorel");
    CTestHook hook;   // Windows Installer asks nothing of a sound install
    ASSERT_TRUE(m_page->InstallPackages());
    EXPECT_TRUE(hook.Log().empty());

    EXPECT_EQ(root + L"Quorel\\Pellorin\\KIV.exe", RegistryText(kApplicationsKey, L"InstallPath"));
    EXPECT_EQ(root + L"Quorel\\Pellorin\\", RegistryText(kEditorKey, L"InstallDir"));
    HKEY settings = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\Pellorin\\Settings", 0, KEY_READ,
                                           &settings));
    RegCloseKey(settings);
    const wchar_t* driver = CInstallActions::IsWow64() ? L"{15352CDF-250F-4161-9D1A-8B41C7FEC6DF}"
                                                       : L"{E1DDCBD1-3FC3-4AF7-952E-357F1CC0375F}";
    EXPECT_EQ(INSTALLSTATE_DEFAULT, MsiQueryProductStateW(driver));
    EXPECT_EQ(INSTALLSTATE_DEFAULT, MsiQueryProductStateW(L"{82436DDC-404B-41EE-9A3C-D5A254975809}"));

    EXPECT_FALSE(StartMenuShortcut().IsEmpty());

    // The handler followed: the language, the progress totals.
    EXPECT_EQ(1033, MsiUiState().language);
    EXPECT_GT(MsiUiState().total, 0);
    EXPECT_TRUE(MsiUiState().forward);

    // The finish page reports the editor installed and opens the maker's keys; removing
    // the editor then still takes away what its package made, and the parents left empty.
    Show(CSetupApp::kFinish);
    EXPECT_EQ(Text(IDS_FINISH_HEADING), FinishHeading());
    EXPECT_EQ(BST_CHECKED, Page(CSetupApp::kFinish)->IsDlgButtonChecked(IDC_LAUNCH_EDITOR));
    MsiSetExternalUIW(nullptr, 0, nullptr);
    ASSERT_EQ(static_cast<UINT>(ERROR_SUCCESS),
              MsiConfigureProductW(L"{82436DDC-404B-41EE-9A3C-D5A254975809}", INSTALLLEVEL_DEFAULT,
                                   INSTALLSTATE_ABSENT));
    EXPECT_EQ(CString(), StartMenuShortcut());
    EXPECT_FALSE(Exists(root + L"Quorel\\Pellorin"));
    EXPECT_EQ(makerFolderBefore, Exists(root + L"Quorel"));
    EXPECT_FALSE(KeyExists(kEditorKey));
    EXPECT_FALSE(KeyExists(kApplicationsKey));
    EXPECT_FALSE(KeyExists(L"Software\\Quorel\\Applications"));
    EXPECT_EQ(makerKeyBefore, KeyExists(L"Software\\Quorel"));

    // A later install and its finish page work as before.
    ASSERT_TRUE(m_page->InstallPackages());
    Show(CSetupApp::kFinish);
    EXPECT_EQ(root + L"Quorel\\Pellorin\\", RegistryText(kEditorKey, L"InstallDir"));
}

TEST_F(RealInstall, CancelIsServedWhileWindowsInstallerRunsAndAnswersItsProgress)
{
    CTestHook hook;
    hook.AnswerMessageBox(IDYES);
    // The click waits in the queue until the handler lets the page serve its messages,
    // which it does from the first message of the driver package on.
    m_page->GetDlgItem(IDC_INSTALL_CANCEL)->ShowWindow(SW_SHOW);
    m_page->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_INSTALL_CANCEL, STN_CLICKED),
                        reinterpret_cast<LPARAM>(m_page->GetDlgItem(IDC_INSTALL_CANCEL)->m_hWnd));
    Sleep(600);   // the pump serves messages at most every half second: let the last one lie behind
    bool installed = m_page->InstallPackages();
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ(Text(IDS_CANCEL_QUESTION), hook.Log()[0].text);
    EXPECT_EQ(1, MsiUiState().cancelRequested);
    EXPECT_EQ(IDCANCEL, MsiUiHandler(nullptr, INSTALLMESSAGE_PROGRESS, L"1: 2 2: 1 "));
    // Windows Installer stops and rolls back at that answer; Wine's goes on regardless.
    if (!installed) {
        EXPECT_NE(INSTALLSTATE_DEFAULT, MsiQueryProductStateW(L"{82436DDC-404B-41EE-9A3C-D5A254975809}"));
        EXPECT_EQ(CString(), RegistryText(kApplicationsKey, L"InstallPath"));
    }
}

}  // namespace
