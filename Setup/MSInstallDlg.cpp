// The Windows Installer update page (see MSInstallDlg.h).
#include "Setup/MSInstallDlg.h"

#include "Setup/BrowserController.h"
#include "Setup/DistributionMedium.h"
#include "Setup/GenericDlg.h"
#include "Setup/InstallActions.h"
#include "Setup/SetupResource.h"

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
