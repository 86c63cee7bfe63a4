// Tests of the welcome, licence, finish, .NET Framework and Windows Installer pages in
// real windows, driven with messages: moving on, the licence and its agree box, Cancel,
// Enter and Esc, the access grants and the start of the editor (a stand-in).
#include "tests/Setup/program/SetupProgramTestSupport.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/wizard/BrowserMenuItem.h"
#include "Setup/pages/FinishDlg.h"
#include "Setup/pages/GenericDlg.h"
#include "Setup/pages/NETFrameworkDlg.h"
#include "Setup/pages/MSInstallDlg.h"
#include "Setup/installation/MsiLibrary.h"
#include "Setup/actions/ProcessFinder.h"
#include "Setup/wizard/SetupApp.h"
#include "Setup/wizard/SetupResource.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <vector>

using namespace setup_program_test;
using setup_test::TempFolder;

namespace {

class Pages : public SharedAppTest
{
protected:
    static bool ItemEnabled(int page, int id) { return Page(page)->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
};

TEST_F(Pages, NextOnTheWelcomePageShowsTheLicence)
{
    Show(CSetupApp::kWelcome);
    Click(Page(CSetupApp::kWelcome), IDC_NEXT);
    EXPECT_EQ(CSetupApp::kLicence, App().VisiblePage());
    EXPECT_FALSE(TakeQuitMessage());
}

TEST_F(Pages, TheAgreeBoxTogglesNextAndADisabledNextDoesNothing)
{
    Show(CSetupApp::kLicence);
    CWnd* licence = Page(CSetupApp::kLicence);
    if (licence->IsDlgButtonChecked(IDC_EULA_AGREE))
        Click(licence, IDC_EULA_AGREE);
    EXPECT_FALSE(ItemEnabled(CSetupApp::kLicence, IDC_EULA_NEXT));
    Click(licence, IDC_EULA_NEXT);
    EXPECT_EQ(CSetupApp::kLicence, App().VisiblePage());

    Click(licence, IDC_EULA_AGREE);
    EXPECT_EQ(BST_CHECKED, licence->IsDlgButtonChecked(IDC_EULA_AGREE));
    EXPECT_TRUE(ItemEnabled(CSetupApp::kLicence, IDC_EULA_NEXT));
    Click(licence, IDC_EULA_AGREE);
    EXPECT_FALSE(ItemEnabled(CSetupApp::kLicence, IDC_EULA_NEXT));
    Click(licence, IDC_EULA_NEXT);
    EXPECT_EQ(CSetupApp::kLicence, App().VisiblePage());
}

TEST_F(Pages, TheLicenceFileBesideSetupIsShownFromItsTop)
{
    CString expected;
    ASSERT_TRUE(CInstallActions::ReadTextFile(BesideProgram(L"License.txt"), expected));
    Show(CSetupApp::kLicence);
    CWnd* edit = Page(CSetupApp::kLicence)->GetDlgItem(IDC_EULA_EDIT);
    CString shown;
    edit->GetWindowText(shown);
    EXPECT_EQ(expected, shown);
    EXPECT_EQ(0, edit->SendMessage(EM_GETFIRSTVISIBLELINE));
    // Taking the focus selects nothing.
    edit->SetFocus();
    Pump();
    DWORD start = 0, end = 0;
    edit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
}

TEST(Licence, AMissingTooLargeOrUnreadableLicenceLeavesTheBoxEmptyAndTheWizardGoesOn)
{
    CString licence = BesideProgram(L"License.txt");
    MovedAway away(licence);
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(licence));
    enum Fault { kMissing, kOver16MiB, kNoMemory };
    for (Fault fault : {kMissing, kOver16MiB, kNoMemory}) {
        if (fault == kOver16MiB)
            setup_test::WriteBytesPadded(licence, "Licence", 16 * 1024 * 1024 + 1);
        if (fault == kNoMemory)
            ASSERT_TRUE(CopyFileW(away.AwayPath(), licence, FALSE));
        std::unique_ptr<setup_test::NoMemoryForTextFiles> noMemory(
            fault == kNoMemory ? new setup_test::NoMemoryForTextFiles : nullptr);
        StartedApp app;
        ASSERT_TRUE(app.Start()) << fault;
        CWnd* page = app.Page(CSetupApp::kLicence);
        EXPECT_EQ(0, page->GetDlgItem(IDC_EULA_EDIT)->GetWindowTextLength()) << fault;
        Click(page, IDC_EULA_AGREE);
        EXPECT_TRUE(page->GetDlgItem(IDC_EULA_NEXT)->IsWindowEnabled()) << fault;
    }
}

TEST(Licence, CancelAndOkRestartWindowsWhenThatWasAskedFor)
{
    StartedApp app;
    ASSERT_TRUE(app.Start());
    app.App().GetController()->SetRebootOnFinish();
    app.App().GetController()->ShowPage(CSetupApp::kLicence);
    CTestHook hook;
    hook.AnswerMessageBox(IDOK);
    Click(app.Page(CSetupApp::kLicence), IDC_CANCEL);
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(1, CountedRestarts::Count());
}

TEST_F(Pages, CancelOnTheLicencePageAsksAndEndsSetupOnlyOnOk)
{
    Show(CSetupApp::kLicence);
    {
        CTestHook hook;
        hook.AnswerMessageBox(IDCANCEL);
        Click(Page(CSetupApp::kLicence), IDC_CANCEL);
        ASSERT_EQ(1u, hook.Log().size());
        EXPECT_EQ(Text(IDS_EULA_CANCEL_QUESTION), hook.Log()[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), hook.Log()[0].style & 0xFF);
        EXPECT_EQ(CSetupApp::kLicence, App().VisiblePage());
        EXPECT_FALSE(TakeQuitMessage());
    }
    {
        // The question, really shown, belongs to the page and keeps it from taking
        // clicks (the agree box, Next) until it is answered.
        BoxAnswerer answerer(Page(CSetupApp::kLicence), IDCANCEL);
        Click(Page(CSetupApp::kLicence), IDC_CANCEL);
        answerer.Wait();
        EXPECT_EQ(Page(CSetupApp::kLicence)->m_hWnd, answerer.Owner());
        EXPECT_FALSE(answerer.PageWasEnabled());
        EXPECT_TRUE(Page(CSetupApp::kLicence)->IsWindowEnabled());
        EXPECT_FALSE(TakeQuitMessage());
    }
    CTestHook hook;
    hook.AnswerMessageBox(IDOK);
    Click(Page(CSetupApp::kLicence), IDC_CANCEL);
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(0, CountedRestarts::Count());
}

TEST_F(Pages, EnterAndEscDoNothingOnAnyPage)
{
    for (int number : {CSetupApp::kWelcome, CSetupApp::kLicence, CSetupApp::kFinish, CSetupApp::kNetFramework,
                       CSetupApp::kMsiUpdate}) {
        if (number == CSetupApp::kFinish)
            Show(number);   // the finish page grants access to the test prefix's keys
        else
            App().App().GetController()->ShowPage(number);
        CWnd* page = Page(number);
        for (UINT key : {VK_RETURN, VK_ESCAPE}) {
            page->PostMessage(WM_KEYDOWN, key, 0);
            page->PostMessage(WM_KEYUP, key, 0);
        }
        page->PostMessage(WM_COMMAND, IDOK);
        page->PostMessage(WM_COMMAND, IDCANCEL);
        page->PostMessage(WM_CLOSE);
        EXPECT_TRUE(Pump(100)) << "page " << number;
        EXPECT_EQ(number, App().VisiblePage());
    }
    UninstallTestPackages();
}

// The access list of a key as "SID mask flags" entries.
std::vector<std::wstring> KeyAccess(HKEY root, const wchar_t* path)
{
    std::vector<std::wstring> entries;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, READ_CONTROL, &key) != ERROR_SUCCESS)
        return entries;
    DWORD size = 4096;
    std::vector<BYTE> buffer(size);
    BOOL present = FALSE, defaulted = FALSE;
    PACL acl = nullptr;
    if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, buffer.data(), &size) == ERROR_SUCCESS &&
        GetSecurityDescriptorDacl(buffer.data(), &present, &acl, &defaulted) && acl) {
        for (DWORD i = 0; i < acl->AceCount; ++i) {
            ACCESS_ALLOWED_ACE* ace = nullptr;
            wchar_t* sid = nullptr;
            if (GetAce(acl, i, reinterpret_cast<void**>(&ace)) && ConvertSidToStringSidW(&ace->SidStart, &sid)) {
                wchar_t entry[128];
                swprintf(entry, 128, L"%ls %lx %x", sid, ace->Mask, ace->Header.AceFlags);
                entries.push_back(entry);
                LocalFree(sid);
            }
        }
    }
    RegCloseKey(key);
    return entries;
}

std::wstring CurrentUserSid()
{
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE buffer[256];
    DWORD size = 0;
    std::wstring result;
    wchar_t* sid = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) {
        result = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return result;
}

void CreateKey(HKEY root, const wchar_t* path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

TEST_F(Pages, TheFinishPageOffersNoEditorThatIsNotThereAndOpensTheMakersKeys)
{
    CreatedKey settings(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\Pellorin\\Settings");
    CreatedKey recent(HKEY_CURRENT_USER, L"Software\\Quorel\\Pellorin\\Recent");
    CWnd* finish = Page(CSetupApp::kFinish);
    finish->CheckDlgButton(IDC_LAUNCH_EDITOR, BST_CHECKED);
    // The package reports success but placed no editor (a maintenance run over a folder
    // deleted by hand): the page says the installation failed and offers nothing to start.
    ShowFinishAfterInstall(ERROR_SUCCESS);
    CWnd* heading = CWnd::FromHandlePermanent(finish->GetDlgItem(IDC_FINISH_HEADING)->m_hWnd);
    EXPECT_EQ(Text(IDS_FINISH_FAILED_HEADING), static_cast<CBrowserMenuItem*>(heading)->GetText());
    EXPECT_EQ(BST_UNCHECKED, finish->IsDlgButtonChecked(IDC_LAUNCH_EDITOR));
    EXPECT_FALSE(ItemEnabled(CSetupApp::kFinish, IDC_LAUNCH_EDITOR));

    // Full access for administrators; on the machine's keys everyone reads and sets
    // values only, on the user's own the user has full access.
    const std::wstring inherited = L" f003f 3";
    std::vector<std::wstring> machine = {L"S-1-5-32-544" + inherited, L"S-1-1-0 2001b 3"};
    EXPECT_EQ(machine, KeyAccess(HKEY_LOCAL_MACHINE, L"Software\\Quorel"));
    EXPECT_EQ(machine, KeyAccess(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\Pellorin\\Settings"));
    std::vector<std::wstring> user = {L"S-1-5-32-544" + inherited, CurrentUserSid() + inherited};
    EXPECT_EQ(user, KeyAccess(HKEY_CURRENT_USER, L"Software\\Quorel"));
    EXPECT_EQ(user, KeyAccess(HKEY_CURRENT_USER, L"Software\\Quorel\\Pellorin\\Recent"));

}

// A stand-in editor: the test helper under the name KIV.exe, which runs for 2 s.
class StandInEditor
{
public:
    StandInEditor()
    {
        CopyFileW(BesideProgram(L"setup_test_helper.exe"), m_folder / L"KIV.exe", FALSE);
    }
    ~StandInEditor() { UninstallTestPackages(); }
    CString Folder() const { return m_folder.Path() + L"\\"; }

    // Whether a program named KIV.exe runs now or starts within the time; ends it.
    static bool Started(DWORD withinMs)
    {
        DWORD start = GetTickCount();
        do {
            CProcessFinder finder;
            DWORD id = 0;
            if (HANDLE process = finder.OpenByName("KIV.exe", id)) {
                WaitForSingleObject(process, 10000);   // the stand-in ends by itself
                CloseHandle(process);
                return true;
            }
            Sleep(50);
        } while (GetTickCount() - start < withinMs);
        return false;
    }

private:
    TempFolder m_folder;
};

void WriteValue(const wchar_t* path, const wchar_t* name, const CString& value)
{
    CreateKey(HKEY_LOCAL_MACHINE, path);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, path, name, REG_SZ, value.GetString(),
                    static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t)));
}

// While it lives, Windows Installer reports the editor's file at the path given last;
// the product and component asked for are kept.
class ReportedEditor
{
public:
    ReportedEditor() { CMsiLibrary::SetComponentPathForTest(Report); }
    ~ReportedEditor() { CMsiLibrary::SetComponentPathForTest(nullptr); }
    void At(const CString& path) { s_path = path; }
    static CString s_path, s_product, s_component;

private:
    static INSTALLSTATE WINAPI Report(const wchar_t* product, const wchar_t* component, wchar_t* path, DWORD* length)
    {
        s_product = product;
        s_component = component;
        wcsncpy(path, s_path, *length);
        return INSTALLSTATE_LOCAL;
    }
};
CString ReportedEditor::s_path, ReportedEditor::s_product, ReportedEditor::s_component;

TEST_F(Pages, FinishStartsOnlyTheEditorThatWindowsInstallerInstalled)
{
    StandInEditor installed, planted;
    UninstallTestPackages();
    ReportedEditor reported;
    reported.At(installed.Folder() + L"KIV.exe");
    // A program planted in the editor's keys, which every user may write: never started.
    WriteValue(kApplicationsKey, L"InstallPath", planted.Folder() + L"KIV.exe");
    EXPECT_EQ(CString(), CFinishDlg::EditorPath());
    EXPECT_EQ(CString(L"{82436DDC-404B-41EE-9A3C-D5A254975809}"), ReportedEditor::s_product);
    EXPECT_EQ(CString(L"{098E09AF-1EEB-4509-AC65-ED27AF275D80}"), ReportedEditor::s_component);
    ShowFinishAfterInstall(ERROR_SUCCESS);
    Click(Page(CSetupApp::kFinish), IDC_FINISH);
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_FALSE(StandInEditor::Started(3000));

    // The installed editor, found through its folder (in other letter case).
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kApplicationsKey);
    CString folder = installed.Folder();
    folder.MakeUpper();
    WriteValue(kEditorKey, L"InstallDir", folder);
    EXPECT_EQ(installed.Folder() + L"KIV.exe", CFinishDlg::EditorPath());
    reported.At(installed.Folder() + L"gone\\KIV.exe");   // reported, but no such file
    WriteValue(kEditorKey, L"InstallDir", installed.Folder() + L"gone\\");
    EXPECT_EQ(CString(), CFinishDlg::EditorPath());

    reported.At(installed.Folder() + L"KIV.exe");
    WriteValue(kEditorKey, L"InstallDir", folder);
    ShowFinishAfterInstall(ERROR_SUCCESS);
    Click(Page(CSetupApp::kFinish), IDC_FINISH);
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_TRUE(StandInEditor::Started(10000));
    EXPECT_EQ(0, CountedRestarts::Count());
}

TEST_F(Pages, FinishWithTheLaunchBoxUntickedStartsNothing)
{
    StandInEditor editor;
    ReportedEditor reported;
    reported.At(editor.Folder() + L"KIV.exe");
    WriteValue(kApplicationsKey, L"InstallPath", editor.Folder() + L"KIV.exe");
    ShowFinishAfterInstall(ERROR_SUCCESS);
    Click(Page(CSetupApp::kFinish), IDC_LAUNCH_EDITOR);
    EXPECT_EQ(BST_UNCHECKED, Page(CSetupApp::kFinish)->IsDlgButtonChecked(IDC_LAUNCH_EDITOR));
    Click(Page(CSetupApp::kFinish), IDC_FINISH);
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_FALSE(static_cast<CFinishDlg*>(Page(CSetupApp::kFinish))->GetLaunchFlag());
    EXPECT_FALSE(StandInEditor::Started(2000));
}

TEST_F(Pages, TheFinishPageHoverTextsGoToItsStatusLine)
{
    Show(CSetupApp::kFinish);
    CWnd* finish = Page(CSetupApp::kFinish);
    CWnd* item = finish->GetDlgItem(IDC_FINISH);
    LPARAM atText = MAKELPARAM(2, 2);
    item->SendMessage(WM_MOUSEMOVE, 0, atText);   // starts tracking
    item->SendMessage(WM_MOUSEMOVE, 0, atText);
    CBrowserMenuItem* line = static_cast<CBrowserMenuItem*>(CWnd::FromHandlePermanent(
        finish->GetDlgItem(IDC_STATUS_LINE)->m_hWnd));
    ASSERT_NE(nullptr, line);
    EXPECT_EQ(Text(IDS_FINISH_HOVER), line->GetText());
    item->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(CString(), line->GetText());
    UninstallTestPackages();
}

// A program of the distribution medium beside the test program, a stand-in that ends at once.
class MediumProgram
{
public:
    MediumProgram(const wchar_t* folder, const wchar_t* name) : m_folder(BesideProgram(folder))
    {
        CreateDirectoryW(m_folder, nullptr);
        m_path = m_folder + L"\\" + name;
        CopyFileW(BesideProgram(L"setup_test_helper.exe"), m_path, FALSE);
    }
    ~MediumProgram()
    {
        DeleteFileW(m_path);
        RemoveDirectoryW(m_folder);
    }
    const CString& Path() const { return m_path; }

private:
    CString m_folder;
    CString m_path;
};

TEST_F(Pages, TheNetFrameworkPageRunsItsSetupAndShowsTheLicence)
{
    MediumProgram program(L"NET", L"dotnetfx35setup.exe");
    EXPECT_EQ(program.Path(), CNETFrameworkDlg::SetupProgramPath(L"\"C:\\x\\Setup.exe\""));
    EXPECT_EQ(CString(L"E:\\NET\\dotnetfx35setup.exe"), CNETFrameworkDlg::SetupProgramPath(L"Setup.exe E:\\"));
    Show(CSetupApp::kNetFramework);
    Click(Page(CSetupApp::kNetFramework), IDC_NEXT);
    EXPECT_FALSE(ItemEnabled(CSetupApp::kNetFramework, IDC_NEXT));
    EXPECT_FALSE(ItemEnabled(CSetupApp::kNetFramework, IDC_CANCEL));
    EXPECT_EQ(CSetupApp::kLicence, App().VisiblePage());
    for (int id : {IDC_NEXT, IDC_CANCEL})
        Page(CSetupApp::kNetFramework)->GetDlgItem(id)->EnableWindow(TRUE);
}

TEST_F(Pages, ExitOnTheNetFrameworkAndInstallerPagesEndsSetup)
{
    for (int number : {CSetupApp::kNetFramework, CSetupApp::kMsiUpdate}) {
        Show(number);
        Click(Page(number), IDC_CANCEL);
        EXPECT_FALSE(ItemEnabled(number, IDC_CANCEL));
        EXPECT_TRUE(TakeQuitMessage());
        Page(number)->GetDlgItem(IDC_CANCEL)->EnableWindow(TRUE);
    }
    EXPECT_EQ(0, CountedRestarts::Count());
}

TEST_F(Pages, TheInstallerUpdatePageGoesOnToTheLicenceOnlyWithTheNetFramework)
{
    MediumProgram program(L"MSI", L"WindowsInstaller-KB893803-v2-x86.exe");
    EXPECT_EQ(program.Path(), CMSInstallDlg::UpdateProgramPath(L"Setup.exe"));
    // Started by its quoted path: blanks in Setup's folder cannot start another program.
    EXPECT_EQ(L"\"" + program.Path() + L"\"", CMSInstallDlg::UpdateCommandLine(L"Setup.exe"));
    EXPECT_EQ(CString(L"\"E:\\MSI\\WindowsInstaller-KB893803-v2-x86.exe\""),
              CMSInstallDlg::UpdateCommandLine(L"Setup.exe E:\\"));
    setup_test::FakeWindowsVersion xp(VER_PLATFORM_WIN32_NT, 5, 1, 3);   // started directly, not as a task

    const wchar_t* netKey = L"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5";
    bool madeKey = RegOpenKeyExW(HKEY_LOCAL_MACHINE, netKey, 0, KEY_READ, nullptr) != ERROR_SUCCESS;
    DWORD one = 1;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, netKey, L"Install", REG_DWORD, &one, sizeof(one));
    EXPECT_TRUE(CGenericDlg::IsNetFramework35Installed());
    Show(CSetupApp::kMsiUpdate);
    DWORD start = GetTickCount();
    Click(Page(CSetupApp::kMsiUpdate), IDC_NEXT);
    EXPECT_GE(GetTickCount() - start, 1900u);   // the stand-in ran its 2 s and was awaited
    EXPECT_EQ(CSetupApp::kLicence, App().VisiblePage());
    EXPECT_FALSE(TakeQuitMessage());

    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, netKey, L"Install");
    if (madeKey)
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, netKey);
    EXPECT_FALSE(CGenericDlg::IsNetFramework35Installed());
    for (int id : {IDC_NEXT, IDC_CANCEL})
        Page(CSetupApp::kMsiUpdate)->GetDlgItem(id)->EnableWindow(TRUE);
    Show(CSetupApp::kMsiUpdate);
    Click(Page(CSetupApp::kMsiUpdate), IDC_NEXT);
    EXPECT_TRUE(TakeQuitMessage());
    for (int id : {IDC_NEXT, IDC_CANCEL})
        Page(CSetupApp::kMsiUpdate)->GetDlgItem(id)->EnableWindow(TRUE);
}

TEST(Probes, TheInstalledWindowsInstallersVersionComesFromItsFolder)
{
    CString folder;
    if (!CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE,
                                             L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer",
                                             L"InstallerLocation", folder))
        GTEST_SKIP() << "this system does not name Windows Installer's folder";
    CString version = CGenericDlg::GetInstalledMsiVersion();
    EXPECT_FALSE(version.IsEmpty());
    EXPECT_GE(version.Find(L'.'), 1);
}

}  // namespace
