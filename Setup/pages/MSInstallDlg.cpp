// The Windows Installer update page (see MSInstallDlg.h).
#include "Setup/pages/MSInstallDlg.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/actions/DistributionMedium.h"
#include "Setup/pages/GenericDlg.h"
#include "Setup/actions/InstallActions.h"
#include "Setup/wizard/SetupResource.h"

CMSInstallDlg::CMSInstallDlg() : CRedistributablePage(IDD_MS_INSTALL, IDC_MSI_HEADING, IDS_MSI_HEADING)
{
}

CString CMSInstallDlg::UpdateProgramPath(const CString& commandLine)
{
    return CDistributionMedium::Folder(commandLine, L"") + L"MSI\\WindowsInstaller-KB893803-v2-x86.exe";
}

CString CMSInstallDlg::UpdateCommandLine(const CString& commandLine)
{
    return L"\"" + UpdateProgramPath(commandLine) + L"\"";
}

void CMSInstallDlg::Install()
{
    DWORD exitCode = 0;
    CInstallActions::RunProgram(UpdateCommandLine(GetCommandLineW()), true, exitCode);
    if (!m_pController)
        return;
    if (CGenericDlg::NetFramework35Flag())
        m_pController->ShowPage(2);
    else
        m_pController->Finish();
}
