// The finish page (see FinishDlg.h).
#include "Setup/pages/FinishDlg.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/actions/InstallActions.h"
#include "Setup/installation/InstallMSIProgressDlg.h"
#include "Setup/installation/MsiLibrary.h"
#include "Setup/wizard/PageStyle.h"
#include "Setup/wizard/SetupResource.h"

namespace {

// The editor's package and the component whose key file is KIV.exe.
const wchar_t* const kEditorProduct = L"{82436DDC-404B-41EE-9A3C-D5A254975809}";
const wchar_t* const kEditorComponent = L"{098E09AF-1EEB-4509-AC65-ED27AF275D80}";

}  // namespace

BEGIN_MESSAGE_MAP(CFinishDlg, CBrowserPage)
    ON_BN_CLICKED(IDC_FINISH, &CFinishDlg::OnFinishClicked)
END_MESSAGE_MAP()

CFinishDlg::CFinishDlg() : CBrowserPage(IDD_FINISH, nullptr)
{
    m_hIcon = CPageStyle::LoadPageIcon();
}

void CFinishDlg::DoDataExchange(CDataExchange* pDX)
{
    CBrowserPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STATUS_LINE, m_status);
    DDX_Control(pDX, IDC_FINISH_OPTION, m_option);
    DDX_Control(pDX, IDC_LAUNCH_EDITOR, m_launchEditor);
    DDX_Control(pDX, IDC_FINISH_HEADING, m_heading);
    DDX_Control(pDX, IDC_FINISH, m_finish);
}

BOOL CFinishDlg::OnInitDialog()
{
    CBrowserPage::OnInitDialog();
    CPageStyle::InitPage(*this, m_hIcon);
    CPageStyle::InitItem(m_status, 0, 9, false);
    m_status.SetAlignment(DT_WORDBREAK | DT_CENTER);
    CPageStyle::InitCheckbox(m_option, IDS_FINISH_OPTION, 12, false);
    m_option.SetHoverLink(IDS_FINISH_OPTION_HOVER, &m_status, 0);
    CPageStyle::InitCheckbox(m_launchEditor, IDS_LAUNCH_EDITOR, 12, false);
    m_launchEditor.SetHoverLink(IDS_LAUNCH_EDITOR_HOVER, &m_status, 0);
    CPageStyle::InitItem(m_heading, IDS_FINISH_HEADING, 12, true);
    CPageStyle::InitItem(m_finish, IDS_FINISH, 12, false);
    m_finish.SetHoverLink(IDS_FINISH_HOVER, &m_status, 0);
    return TRUE;
}

void CFinishDlg::OnPageShown()
{
    // A failed installation is not reported as done, and offers no editor to start; nor
    // is one that placed no editor (a maintenance run that restored nothing reports
    // success all the same).
    bool installed = CInstallMSIProgressDlg::LastInstallSucceeded() && !EditorPath().IsEmpty();
    m_launchEditor.SetCheck(installed ? BST_CHECKED : BST_UNCHECKED);
    m_launchEditor.EnableWindow(installed);
    m_heading.SetTextId(installed ? IDS_FINISH_HEADING : IDS_FINISH_FAILED_HEADING);
    Invalidate(TRUE);
    GrantRegistryAccess();
}

void CFinishDlg::GrantRegistryAccess()
{
    wchar_t name[260] = {};
    wchar_t domain[260] = {};
    DWORD nameLength = 260;
    DWORD domainLength = 260;
    CString account;
    if (CInstallActions::GetCurrentUserName(name, nameLength, domain, domainLength))
        account.Format(L"%s\\%s", domain, name);
    CInstallActions::GrantKeyAccess(HKEY_CURRENT_USER, L"Software\\Quorel", true,
                                    account.IsEmpty() ? nullptr : account.GetString(), KEY_ALL_ACCESS);
    // The machine's keys are shared by every user, and the editor's removal deletes them
    // as the system: users read and set values there, but may not delete keys, make
    // subkeys or registry links, or change access lists or owners.
    CInstallActions::GrantKeyAccess(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\", true, nullptr,
                                    KEY_READ | KEY_SET_VALUE);
}

CString CFinishDlg::EditorPath()
{
    CString path;
    if (!CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\Applications\\Pellorin",
                                             L"InstallPath", path)) {
        CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\Pellorin", L"InstallDir", path);
        path += L"KIV.exe";
    }
    CString installed = InstalledEditorPath();
    return !installed.IsEmpty() && installed.CompareNoCase(path) == 0 ? installed : CString();
}

CString CFinishDlg::InstalledEditorPath()
{
    CString path;
    CMsiLibrary::GetComponentPath(kEditorProduct, kEditorComponent, path);
    DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? path : CString();
}

void CFinishDlg::OnFinishClicked()
{
    m_launch = m_launchEditor.GetCheck() == BST_CHECKED ? 1 : 0;
    if (m_launch) {
        CString path = EditorPath();
        if (!path.IsEmpty())
            CInstallActions::OpenWithShell(path);
    }
    if (m_pController)
        m_pController->Finish();
}
