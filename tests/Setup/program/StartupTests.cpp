// Tests of Setup's start-up in the test program: one copy at a time, the version gate,
// the six pages created hidden with the welcome page shown, and the end of a running
// "Taviro.exe" (a stand-in that the test starts itself).
#include "tests/Setup/program/SetupProgramTestSupport.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/wizard/SetupApp.h"
#include "Setup/wizard/SetupResource.h"

#include <gtest/gtest.h>

using namespace setup_program_test;
using setup_test::FakeWindowsVersion;

namespace {

TEST(Startup, ASecondCopyEndsWithoutAWindowOrAMessage)
{
    HANDLE firstCopy = CreateMutexW(nullptr, FALSE, L"QuorelSetup");
    ASSERT_NE(nullptr, firstCopy);
    {
        CTestHook hook;
        StartedApp app;
        EXPECT_FALSE(app.Start());
        EXPECT_TRUE(hook.Log().empty());
        EXPECT_EQ(nullptr, app.Page(CSetupApp::kWelcome));
        EXPECT_EQ(nullptr, app.App().GetController());
    }
    CloseHandle(firstCopy);
}

TEST(Startup, WindowsBeforeXpServicePack2IsRefusedWithAMessage)
{
    struct Version { DWORD major, minor; WORD servicePack; };
    for (Version version : {Version{5, 1, 0}, Version{5, 1, 1}, Version{5, 0, 4}}) {
        FakeWindowsVersion fake(VER_PLATFORM_WIN32_NT, version.major, version.minor, version.servicePack);
        CTestHook hook;
        hook.AnswerMessageBox(IDOK);
        StartedApp app;
        EXPECT_FALSE(app.Start());
        ASSERT_EQ(1u, hook.Log().size());
        EXPECT_EQ(Text(IDS_WINDOWS_TOO_OLD), hook.Log()[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), hook.Log()[0].style & 0xFF);
        EXPECT_EQ(nullptr, app.App().GetController());
    }
}

TEST(Startup, XpServicePack3AndLaterShowTheWelcomePageAmongSixHiddenOnes)
{
    struct Version { DWORD major, minor; WORD servicePack; };
    for (Version version : {Version{5, 1, 3}, Version{5, 2, 0}, Version{6, 0, 0}, Version{6, 0, 1}, Version{6, 1, 0}}) {
        FakeWindowsVersion fake(VER_PLATFORM_WIN32_NT, version.major, version.minor, version.servicePack);
        CTestHook hook;
        StartedApp app;
        ASSERT_TRUE(app.Start());
        EXPECT_TRUE(hook.Log().empty());
        EXPECT_EQ(CSetupApp::kWelcome, app.VisiblePage());
        EXPECT_EQ(app.Page(CSetupApp::kWelcome), app.App().m_pMainWnd);
        for (int number = 1; number <= CSetupApp::kPageCount; ++number) {
            ASSERT_NE(nullptr, app.Page(number));
            EXPECT_TRUE(app.App().GetController()->HasPage(number));
            EXPECT_EQ(number == CSetupApp::kWelcome, app.Page(number)->IsWindowVisible() != FALSE);
        }
        CString title;
        app.Page(CSetupApp::kLicence)->GetWindowText(title);
        EXPECT_EQ(Text(IDS_TITLE), title);
    }
}

TEST(Startup, ThePagesTakeTheBackgroundsSizeAndTheIcon)
{
    StartedApp app;
    ASSERT_TRUE(app.Start());
    CWnd* page = app.Page(CSetupApp::kWelcome);
    CRect window;
    page->GetWindowRect(&window);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(static_cast<int>(600 * dpi / 96.0), window.Width());
    EXPECT_EQ(static_cast<int>(400 * dpi / 96.0), window.Height());
    EXPECT_NE(0, page->SendMessage(WM_GETICON, ICON_BIG));
    EXPECT_NE(0, page->SendMessage(WM_GETICON, ICON_SMALL));
    // The licence starts unaccepted, with Next disabled.
    CWnd* licence = app.Page(CSetupApp::kLicence);
    EXPECT_EQ(BST_UNCHECKED, licence->IsDlgButtonChecked(IDC_EULA_AGREE));
    EXPECT_FALSE(licence->GetDlgItem(IDC_EULA_NEXT)->IsWindowEnabled());
}

TEST(Startup, ARunningTaviroIsAskedToCloseAndEnds)
{
    setup_test::TempFolder folder;
    CString program = folder / L"Taviro.exe";
    ASSERT_TRUE(CopyFileW(BesideProgram(L"setup_test_helper.exe"), program, FALSE));
    CString eventName;
    eventName.Format(L"SetupProgramTaviro_%lu", GetCurrentProcessId());
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName);
    PROCESS_INFORMATION taviro = setup_test::StartProcess(L"\"" + program + L"\" window close " + eventName);
    ASSERT_NE(nullptr, taviro.hProcess);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 30000));

    {
        StartedApp app;
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(taviro.hProcess, 0));
    }
    DWORD exitCode = 0;
    if (WaitForSingleObject(taviro.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(taviro.hProcess, 1);   // our own stand-in, left over by a failure
    GetExitCodeProcess(taviro.hProcess, &exitCode);
    EXPECT_EQ(3u, exitCode);   // it closed its window itself
    CloseHandle(taviro.hProcess);
    CloseHandle(taviro.hThread);
    CloseHandle(ready);
}

TEST(Startup, WithoutItsLanguageLibrarySetupNamesTheFileAndEndsWithAnError)
{
    UseLanguageLibrary();
    HINSTANCE library = AfxGetResourceHandle();
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    CString missing(program);
    missing = missing.Left(missing.ReverseFind(L'.')) + L"LOC.dll";
    {
        StartedApp app;
        AfxSetResourceHandle(GetModuleHandleW(nullptr));   // the test program has no page templates
        CTestHook hook;
        hook.AnswerMessageBox(IDOK);
        EXPECT_FALSE(app.Start());
        ASSERT_EQ(1u, hook.Log().size());
        EXPECT_NE(-1, hook.Log()[0].text.Find(missing)) << hook.Log()[0].text.ToAnsi();
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), hook.Log()[0].style & 0xFF);
        EXPECT_EQ(nullptr, app.App().GetController());
        EXPECT_EQ(nullptr, app.Page(CSetupApp::kWelcome));
        EXPECT_EQ(CSetupApp::kExitWithoutLanguageLibrary, app.App().ExitInstance());
    }
    AfxSetResourceHandle(library);
}

}  // namespace
