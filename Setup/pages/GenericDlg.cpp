// The welcome page (see GenericDlg.h).
#include "Setup/pages/GenericDlg.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/actions/InstallActions.h"
#include "Setup/installation/MsiLibrary.h"
#include "Setup/wizard/PageStyle.h"
#include "Setup/wizard/SetupResource.h"

namespace {
bool g_netFramework35 = false;
}

BEGIN_MESSAGE_MAP(CGenericDlg, CBrowserPage)
    ON_BN_CLICKED(IDC_NEXT, &CGenericDlg::OnNextClicked)
END_MESSAGE_MAP()

CGenericDlg::CGenericDlg() : CBrowserPage(IDD_WELCOME, nullptr)
{
    m_hIcon = CPageStyle::LoadPageIcon();
}

void CGenericDlg::DoDataExchange(CDataExchange* pDX)
{
    CBrowserPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STATUS_LINE, m_status);
    DDX_Control(pDX, IDC_WELCOME_HEADING, m_heading);
    DDX_Control(pDX, IDC_NEXT, m_next);
}

BOOL CGenericDlg::OnInitDialog()
{
    CBrowserPage::OnInitDialog();
    CPageStyle::InitPage(*this, m_hIcon);
    CPageStyle::InitItem(m_status, 0, 9, false);
    CPageStyle::InitItem(m_heading, IDS_WELCOME_HEADING, 12, true);
    CPageStyle::InitItem(m_next, IDS_NEXT, 12, false);
    return TRUE;
}

void CGenericDlg::OnPageShown()
{
    Invalidate(TRUE);
}

void CGenericDlg::OnNextClicked()
{
    if (m_pController)
        m_pController->ShowPage(2);
}

CString CGenericDlg::GetInstalledMsiVersion()
{
    CString version;
    CString folder;
    if (CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE,
                                            L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer",
                                            L"InstallerLocation", folder)) {
        wchar_t buffer[260] = {};
        DWORD length = 255;
        CMsiLibrary::GetFileVersion(folder + L"\\msi.dll", buffer, &length, nullptr, nullptr);
        version = buffer;
    }
    return version;
}

bool CGenericDlg::IsNetFramework35Installed()
{
    DWORD installed = 0;
    CInstallActions::ReadRegistryDword(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5",
                                       L"Install", installed);
    g_netFramework35 = installed == 1;
    return g_netFramework35;
}

bool CGenericDlg::NetFramework35Flag()
{
    return g_netFramework35;
}
