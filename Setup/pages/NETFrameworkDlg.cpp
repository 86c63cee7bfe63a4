// The .NET Framework page (see NETFrameworkDlg.h).
#include "Setup/pages/NETFrameworkDlg.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/actions/DistributionMedium.h"
#include "Setup/actions/InstallActions.h"
#include "Setup/wizard/PageStyle.h"
#include "Setup/wizard/SetupResource.h"

CNETFrameworkDlg::CNETFrameworkDlg() : CRedistributablePage(IDD_NET_FRAMEWORK, IDC_NET_HEADING, IDS_NET_HEADING)
{
}

void CNETFrameworkDlg::DoDataExchange(CDataExchange* pDX)
{
    CRedistributablePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NET_TEXT, m_text);
}

BOOL CNETFrameworkDlg::OnInitDialog()
{
    CRedistributablePage::OnInitDialog();
    CPageStyle::InitItem(m_text, IDS_NET_TEXT, 12, false);
    return TRUE;
}

CString CNETFrameworkDlg::SetupProgramPath(const CString& commandLine)
{
    return CDistributionMedium::Folder(commandLine, L"") + L"NET\\dotnetfx35setup.exe";
}

void CNETFrameworkDlg::Install()
{
    // Quoted, so that a folder with blanks in its name cannot start another program.
    DWORD exitCode = 0;
    CInstallActions::RunProcessAndWait(L"\"" + SetupProgramPath(GetCommandLineW()) + L"\"", true, exitCode);
    if (m_pController)
        m_pController->ShowPage(2);
}
