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

    SetupTitleText().LoadString(IDS_TITLE);

    m_hMutex = CreateMutexW(nullptr, FALSE, L"QuorelSetup");
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return FALSE;   // another copy runs: end without a word

    if (CInstallActions::GetWindowsVersion() < CInstallActions::kXPSP2) {
        AfxMessageBox(IDS_WINDOWS_TOO_OLD, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }

    m_pController = new CBrowserController(new CBootstrap());

    const UINT templates[kPageCount] = {IDD_WELCOME, IDD_EULA, IDD_FINISH, IDD_INSTALL, IDD_NET_FRAMEWORK,
                                        IDD_MS_INSTALL};
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
        // Without its template (no language library beside Setup) a page cannot appear,
        // and Setup would run with no window: it ends instead.
        if (!page->Create(templates[number - 1], nullptr)) {
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
