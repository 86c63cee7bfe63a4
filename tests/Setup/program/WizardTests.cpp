// The whole wizard run from Setup.exe, started as a child process from a copy of the
// installer's medium that the build lays out, and driven from outside with messages to
// its pages: the packages end up installed in the test prefix with their registry
// values, the maker's keys open to the user, the editor started at the end, and a
// running "Taviro.exe" (a stand-in) ended at start. Libraries that somebody put beside
// Setup.exe in the copy never run: a msi.dll that Wine is told to prefer, as Windows
// would, and the language library of the system's language, which the medium does not
// ship (ctest runs this program on a German Windows with an English-speaking user).
// Without a language library that holds its pages, Setup names the file it needs and
// ends with an error.
#include "tests/Setup/program/SetupProgramTestSupport.h"

#include "Setup/actions/ProcessFinder.h"
#include "Setup/wizard/SetupApp.h"
#include "Setup/wizard/SetupResource.h"

#include <gtest/gtest.h>
#include <msi.h>

using namespace setup_program_test;
using setup_test::TempFolder;

namespace {

const wchar_t* const kEditorProduct = L"{82436DDC-404B-41EE-9A3C-D5A254975809}";

// The installer's medium that the build lays out, with everything Setup looks for
// beside itself.
class Medium
{
public:
    Medium()
    {
        CString relative = setup_test::ProgramFolder() + L"\\" + MEDIUM_FOLDER;
        relative.Replace(L'/', L'\\');
        wchar_t full[MAX_PATH] = {};
        GetFullPathNameW(relative, MAX_PATH, full, nullptr);
        m_folder = full;
    }
    bool Complete() const
    {
        for (const wchar_t* name : {L"Setup.exe", L"SetupENU.dll", L"SetupLOC.dll", L"License.txt", L"Pellorin.msi",
                                    L"USB_Drivers\\USB_32.msi", L"USB_Drivers\\USB_64.msi"}) {
            DWORD attributes = GetFileAttributesW(m_folder + L"\\" + name);
            if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
                return false;
        }
        return true;
    }
    const CString& Folder() const { return m_folder; }

private:
    CString m_folder;
};

// A copy of the medium in a folder of the test's own, with stand-ins for libraries that
// somebody put beside Setup.exe; each leaves a mark beside itself when its code runs.
class MediumCopy
{
public:
    explicit MediumCopy(const Medium& medium) { CInstallActions::CopyFolder(medium.Folder(), m_folder.Path()); }
    void Remove(const wchar_t* name) const { DeleteFileW(m_folder / name); }
    void AddStandIn(const wchar_t* name, const wchar_t* as = nullptr) const
    {
        CopyFileW(BesideProgram(L"stand_ins\\") + name, m_folder / (as ? as : name), FALSE);
    }
    CString operator/(const wchar_t* name) const { return m_folder / name; }
    CString Program() const { return m_folder / L"Setup.exe"; }
    // The names of the stand-ins whose code ran, each followed by a space.
    CString StandInsThatRan() const
    {
        CString names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(m_folder / L"*.ran", &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            names += CString(found.cFileName) + L" ";
        while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

private:
    TempFolder m_folder;
};

// While it lives, Wine takes a library of that name for Setup.exe from its search path,
// which begins with Setup's own folder, before its own: what Windows does for every
// library that is not one of its known DLLs.
class SearchPathFirst
{
public:
    explicit SearchPathFirst(const wchar_t* library) : m_key(HKEY_CURRENT_USER, kOverrides), m_library(library)
    {
        const wchar_t order[] = L"native,builtin";
        RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, library, REG_SZ, order, sizeof(order));
    }
    ~SearchPathFirst() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverrides, m_library); }

private:
    static constexpr const wchar_t* kOverrides = L"Software\\Wine\\AppDefaults\\Setup.exe\\DllOverrides";
    CreatedKey m_key;
    const wchar_t* m_library;
};

// A Setup.exe that the test started; ended at the end if it still runs.
class SetupProcess
{
public:
    explicit SetupProcess(const CString& program)
    {
        m_process = setup_test::StartProcess(L"\"" + program + L"\"");
    }
    ~SetupProcess()
    {
        if (!m_process.hProcess)
            return;
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 1);   // our own child, left over by a failure
        WaitForSingleObject(m_process.hProcess, 10000);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
    bool Started() const { return m_process.hProcess != nullptr; }

    // The visible top-level window of this process that holds a control of that id.
    HWND PageWith(int id) const { return FindOwnWindow(id); }
    HWND WaitForPageWith(int id, DWORD timeoutMs) const
    {
        DWORD start = GetTickCount();
        HWND page = nullptr;
        while (!(page = PageWith(id)) && GetTickCount() - start < timeoutMs && Running())
            Sleep(100);
        return page;
    }
    bool Running() const { return WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT; }
    // Waits for the end; the exit code, or -1 when it still runs.
    int WaitForExit(DWORD timeoutMs) const
    {
        if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD exitCode = 0;
        GetExitCodeProcess(m_process.hProcess, &exitCode);
        return static_cast<int>(exitCode);
    }
    // The message box that this process shows, or null.
    HWND MessageBoxWindow() const { return FindOwnWindow(0); }

private:
    struct Search
    {
        DWORD process;
        int id;   // 0: a message box
        HWND found;
    };

    static BOOL CALLBACK Matches(HWND window, LPARAM data)
    {
        Search& search = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search.process || !IsWindowVisible(window))
            return TRUE;
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        bool page = GetDlgItem(window, IDC_NEXT) || GetDlgItem(window, IDC_EULA_NEXT) || GetDlgItem(window, IDC_FINISH) ||
                    GetDlgItem(window, IDC_INSTALL_HEADING);
        bool match = search.id ? GetDlgItem(window, search.id) != nullptr
                               : lstrcmpW(className, L"#32770") == 0 && !page;
        if (match)
            search.found = window;
        return !match;
    }

    HWND FindOwnWindow(int id) const
    {
        Search search = {m_process.dwProcessId, id, nullptr};
        EnumWindows(Matches, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION m_process = {};
};

void ClickItem(HWND page, int id)
{
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

// A double click with the mouse on the middle of a page's item, the second click 150 ms
// after the first: where the next pages have their own items.
void DoubleClickWithTheMouse(HWND page, int id)
{
    ClickWithTheMouse(GetDlgItem(page, id));
    Sleep(150);
    ClickWithTheMouse(GetDlgItem(page, id));
}

// A stand-in program of the test's own under a given name, started with a window.
class StandIn
{
public:
    explicit StandIn(const wchar_t* name)
    {
        m_path = m_folder / name;
        CopyFileW(BesideProgram(L"setup_test_helper.exe"), m_path, FALSE);
    }
    ~StandIn()
    {
        if (m_process.hProcess) {
            if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(m_process.hProcess, 1);
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
    }
    const CString& Path() const { return m_path; }
    bool StartWithWindow()
    {
        CString eventName;
        eventName.Format(L"SetupWizardStandIn_%lu", GetCurrentProcessId());
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName);
        m_process = setup_test::StartProcess(L"\"" + m_path + L"\" window close " + eventName);
        bool shown = m_process.hProcess && WaitForSingleObject(ready, 30000) == WAIT_OBJECT_0;
        CloseHandle(ready);
        return shown;
    }
    int ExitCode(DWORD timeoutMs) const
    {
        DWORD exitCode = 0;
        if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return -1;
        GetExitCodeProcess(m_process.hProcess, &exitCode);
        return static_cast<int>(exitCode);
    }

private:
    TempFolder m_folder;
    CString m_path;
    PROCESS_INFORMATION m_process = {};
};

// Whether a program of that name runs or starts within the time; when it runs, it is
// asked to close and, failing that, ended (it is Setup's child, so the test's own).
bool StartsAndIsClosed(const char* name, DWORD withinMs)
{
    DWORD start = GetTickCount();
    do {
        DWORD id = 0;
        if (HANDLE process = CProcessFinder().OpenByName(name, id)) {
            CloseHandle(process);
            CInstallActions::CloseRunningProgram(CString(name));
            return true;
        }
        Sleep(50);
    } while (GetTickCount() - start < withinMs);
    return false;
}

class Wizard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UninstallTestPackages();
        ASSERT_TRUE(m_medium.Complete());
    }
    void TearDown() override { UninstallTestPackages(); }

    Medium m_medium;
};

TEST_F(Wizard, InstallsBothPackagesOpensTheKeysAndStartsTheEditor)
{
    StandIn taviro(L"Taviro.exe");
    ASSERT_TRUE(taviro.StartWithWindow());

    MediumCopy medium(m_medium);
    medium.AddStandIn(L"msi.dll");
    SearchPathFirst msiBesideSetup(L"msi");
    SetupProcess setup(medium.Program());
    ASSERT_TRUE(setup.Started());
    HWND welcome = setup.WaitForPageWith(IDC_WELCOME_HEADING, 60000);
    ASSERT_NE(nullptr, welcome);
    EXPECT_EQ(3, taviro.ExitCode(0));   // asked to close before the first page showed
    wchar_t title[64] = {};
    GetWindowTextW(welcome, title, 64);
    EXPECT_EQ(Text(IDS_TITLE), CString(title));

    ClickItem(welcome, IDC_NEXT);
    HWND licence = setup.WaitForPageWith(IDC_EULA_AGREE, 20000);
    ASSERT_NE(nullptr, licence);
    EXPECT_GT(SendMessageW(GetDlgItem(licence, IDC_EULA_EDIT), WM_GETTEXTLENGTH, 0, 0), 100);
    // Posted, the tick is taken by Setup's own loop once the page change is over, so
    // the clicks that follow are not among the input that the change discards.
    PostMessageW(GetDlgItem(licence, IDC_EULA_AGREE), BM_CLICK, 0, 0);
    HWND next = GetDlgItem(licence, IDC_EULA_NEXT);
    for (int i = 0; i < 400 && !IsWindowEnabled(next); ++i)
        Sleep(50);
    ASSERT_TRUE(IsWindowEnabled(next));
    // A double click on Next: its second click lands where the installation page has
    // Cancel and the finish page Finish, and is for neither.
    DoubleClickWithTheMouse(licence, IDC_EULA_NEXT);

    HWND finish = setup.WaitForPageWith(IDC_FINISH, 180000);
    EXPECT_EQ(CString(), medium.StandInsThatRan());
    ASSERT_NE(nullptr, finish) << "no finish page; a message box: " << (setup.MessageBoxWindow() != nullptr);
    EXPECT_EQ(-1, setup.WaitForExit(1000)) << "the finish page did not wait for Finish";
    // The page shows before its hook ticks the launch box and opens the keys; Setup
    // answers between them only once the hook is done.
    HWND launchBox = GetDlgItem(finish, IDC_LAUNCH_EDITOR);
    LRESULT launch = SendMessageW(launchBox, BM_GETCHECK, 0, 0);
    for (int i = 0; i < 100 && launch != BST_CHECKED; ++i) {
        Sleep(100);
        launch = SendMessageW(launchBox, BM_GETCHECK, 0, 0);
    }
    EXPECT_EQ(BST_CHECKED, launch);

    // The editor's package with its values, the driver package.
    EXPECT_EQ(INSTALLSTATE_DEFAULT, MsiQueryProductStateW(kEditorProduct));
    EXPECT_EQ(INSTALLSTATE_DEFAULT, MsiQueryProductStateW(CInstallActions::IsWow64()
                                                              ? L"{15352CDF-250F-4161-9D1A-8B41C7FEC6DF}"
                                                              : L"{E1DDCBD1-3FC3-4AF7-952E-357F1CC0375F}"));
    CString installPath, installDir;
    EXPECT_TRUE(CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE, kApplicationsKey, L"InstallPath", installPath));
    EXPECT_TRUE(CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE, kEditorKey, L"InstallDir", installDir));
    EXPECT_EQ(installDir + L"KIV.exe", installPath);
    EXPECT_EQ(1, installDir.Find(L":\\"));

    // The maker's keys: full access for administrators, reading and setting values for
    // everyone.
    HKEY settings = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\Pellorin\\Settings", 0,
                                           READ_CONTROL, &settings));
    BYTE buffer[1024];
    DWORD size = sizeof(buffer);
    BOOL present = FALSE, defaulted = FALSE;
    PACL acl = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegGetKeySecurity(settings, DACL_SECURITY_INFORMATION, buffer, &size));
    RegCloseKey(settings);
    ASSERT_TRUE(GetSecurityDescriptorDacl(buffer, &present, &acl, &defaulted) && acl);
    ASSERT_EQ(2, acl->AceCount);
    const DWORD masks[] = {KEY_ALL_ACCESS, KEY_READ | KEY_SET_VALUE};
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        ASSERT_TRUE(GetAce(acl, i, reinterpret_cast<void**>(&ace)));
        EXPECT_EQ(masks[i], ace->Mask) << i;
    }

    // The editor starts at Finish: the one that Windows Installer installed.
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(installPath));
    ClickItem(finish, IDC_FINISH);
    EXPECT_EQ(0, setup.WaitForExit(30000));
    EXPECT_TRUE(StartsAndIsClosed("KIV.exe", 20000));
}

TEST_F(Wizard, ASecondCopyEndsAtOnceAndCancelOnTheLicencePageEndsTheFirst)
{
    // Setup finds only the language library of the system's language beside itself, a
    // stand-in with Setup's resources: it shows its pages from there, running none of
    // its code.
    ASSERT_EQ(LANG_GERMAN, PRIMARYLANGID(GetSystemDefaultUILanguage()))
        << "ctest runs this test on a German Windows: the host needs the locale de_DE.UTF-8";
    MediumCopy medium(m_medium);
    medium.Remove(L"SetupENU.dll");
    medium.Remove(L"SetupLOC.dll");
    medium.AddStandIn(L"SetupDEU.dll");

    SetupProcess first(medium.Program());
    HWND welcome = first.WaitForPageWith(IDC_WELCOME_HEADING, 60000);
    EXPECT_EQ(CString(), medium.StandInsThatRan());
    ASSERT_NE(nullptr, welcome);

    SetupProcess second(medium.Program());
    EXPECT_EQ(0, second.WaitForExit(30000));
    EXPECT_EQ(nullptr, second.PageWith(IDC_WELCOME_HEADING));

    ClickItem(welcome, IDC_NEXT);
    HWND licence = first.WaitForPageWith(IDC_EULA_AGREE, 20000);
    ASSERT_NE(nullptr, licence);
    ClickItem(licence, IDC_CANCEL);
    HWND box = nullptr;
    for (int i = 0; i < 200 && !(box = first.MessageBoxWindow()); ++i)
        Sleep(100);
    ASSERT_NE(nullptr, box);
    // The question belongs to the page that asks it and blocks it until answered.
    EXPECT_EQ(licence, GetWindow(box, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(licence));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0, first.WaitForExit(30000));
    EXPECT_NE(INSTALLSTATE_DEFAULT, MsiQueryProductStateW(kEditorProduct));
}

TEST_F(Wizard, WithoutALanguageLibraryWithItsPagesSetupNamesTheFileAndEndsWithAnError)
{
    MediumCopy medium(m_medium);
    medium.Remove(L"SetupENU.dll");
    medium.Remove(L"SetupLOC.dll");
    // First neither library is there; then the user's one is damaged (no library at all)
    // and the one of any language is a library without Setup's pages and texts.
    for (bool damaged : {false, true}) {
        if (damaged) {
            setup_test::WriteBytes(medium / L"SetupENU.dll", "MZ cut short");
            medium.AddStandIn(L"msi.dll", L"SetupLOC.dll");
        }
        SetupProcess setup(medium.Program());
        ASSERT_TRUE(setup.Started());
        HWND box = nullptr;
        for (int i = 0; i < 600 && setup.Running() && !(box = setup.MessageBoxWindow()); ++i)
            Sleep(100);
        ASSERT_NE(nullptr, box) << "no message; damaged: " << damaged;
        wchar_t text[1024] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 1024);
        EXPECT_NE(-1, CString(text).Find(medium / L"SetupLOC.dll")) << CString(text).ToAnsi();
        EXPECT_EQ(nullptr, setup.PageWith(IDC_WELCOME_HEADING));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(CSetupApp::kExitWithoutLanguageLibrary, setup.WaitForExit(30000));
    }
    EXPECT_EQ(CString(), medium.StandInsThatRan());
}

}  // namespace
