// Setup's application object (see SetupApp.h).
#include "Setup/wizard/SetupApp.h"

#include "Setup/wizard/Bootstrap.h"
#include "Setup/wizard/BrowserController.h"
#include "Setup/pages/EulaDlg.h"
#include "Setup/pages/FinishDlg.h"
#include "Setup/pages/GenericDlg.h"
#include "Setup/actions/InstallActions.h"
#include "Setup/installation/InstallMSIProgressDlg.h"
#include "Setup/pages/MSInstallDlg.h"
#include "Setup/pages/NETFrameworkDlg.h"
#include "Setup/wizard/SetupResource.h"

namespace {

const UINT kPageTemplates[CSetupApp::kPageCount] = {IDD_WELCOME, IDD_EULA, IDD_FINISH, IDD_INSTALL,
                                                    IDD_NET_FRAMEWORK, IDD_MS_INSTALL};

// Whether the resources come from a language library with Setup's title and pages. When
// none beside Setup could be loaded, they come from Setup.exe, which has neither.
bool HasLanguageLibrary()
{
    CString title;
    if (!title.LoadString(IDS_TITLE))
        return false;
    for (UINT id : kPageTemplates) {
        if (!FindResource(AfxGetResourceHandle(), MAKEINTRESOURCE(id), RT_DIALOG))
            return false;
    }
    return true;
}

// Tells the user which file to put back. The library would hold the text: it is the
// program's own, in English.
void ReportMissingLanguageLibrary(HINSTANCE program)
{
    CString text;
    text.Format(L"Setup cannot start: the file %s is missing or damaged.\n\n"
                L"It holds Setup's pages and texts and belongs beside Setup.exe. Copy the whole "
                L"installation medium again, then run Setup from the copy.",
                AfxLanguageLibraryPath(program, L"LOC").GetString());
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSetupApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CSetupApp::CSetupApp() = default;

CSetupApp::~CSetupApp()
{
    delete m_pController;
    for (int number : {kFinish, kWelcome, kLicence, kInstall, kMsiUpdate, kNetFramework})
        delete m_pages[number - 1];
    if (m_hMutex)
        CloseHandle(m_hMutex);
}

CBrowserPage* CSetupApp::GetPage(int number) const
{
    return number >= 1 && number <= kPageCount ? m_pages[number - 1] : nullptr;
}

BOOL CSetupApp::InitInstance()
{
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    CWaitCursor wait;

    if (!HasLanguageLibrary()) {
        ReportMissingLanguageLibrary(m_hInstance);
        m_exitCode = kExitWithoutLanguageLibrary;
        return FALSE;
    }
    SetupTitleText().LoadString(IDS_TITLE);

    m_hMutex = CreateMutexW(nullptr, FALSE, L"QuorelSetup");
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return FALSE;   // another copy runs: end without a word

    if (CInstallActions::GetWindowsVersion() < CInstallActions::kXPSP2) {
        AfxMessageBox(IDS_WINDOWS_TOO_OLD, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }

    m_pController = new CBrowserController(new CBootstrap());

    for (int number = 1; number <= kPageCount; ++number) {
        CBrowserPage* page = nullptr;
        switch (number) {
        case kWelcome: page = new CGenericDlg; break;
        case kLicence: page = new CEulaDlg; break;
        case kFinish: page = new CFinishDlg; break;
        case kInstall: page = new CInstallMSIProgressDlg; break;
        case kNetFramework: page = new CNETFrameworkDlg; break;
        default: page = new CMSInstallDlg; break;
        }
        m_pages[number - 1] = page;
        // A page that cannot be created would leave Setup running with no window: it
        // ends instead.
        if (!page->Create(kPageTemplates[number - 1], nullptr)) {
            CInstallActions::TraceFormat(L"Setup: page %d could not be created", number);
            return FALSE;
        }
        page->SetController(m_pController);
        m_pController->AddPage(number, page);
    }

    CInstallActions::CloseRunningProgram(L"Taviro.exe");

    m_pController->ShowPage(kWelcome);
    m_pMainWnd = m_pages[kWelcome - 1];
    return TRUE;
}

int CSetupApp::ExitInstance()
{
    int exitCode = CWinApp::ExitInstance();
    return m_exitCode ? m_exitCode : exitCode;
}
