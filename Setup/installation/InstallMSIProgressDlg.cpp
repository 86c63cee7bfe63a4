// The installation page (see InstallMSIProgressDlg.h).
#include "Setup/installation/InstallMSIProgressDlg.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/actions/DistributionMedium.h"
#include "Setup/actions/DriveEnumerator.h"
#include "Setup/installation/MsiLibrary.h"
#include "Setup/installation/MsiUiHandler.h"
#include "Setup/installation/TargetFolderCheck.h"
#include "Setup/wizard/PageStyle.h"
#include "Setup/wizard/SetupResource.h"

#include <vector>

namespace {

// The page's controls that the handler reaches, program-wide.
CProgressCtrl g_progressBar;
CBrowserMenuItem g_percentItem;
CBrowserMenuItem g_actionItem;

bool g_lastInstallSucceeded = false;

// The action-state texts of the copy progress, by state.
const UINT kStateTexts[] = {
    IDS_STATE_0, IDS_STATE_1, IDS_STATE_2, IDS_STATE_3, IDS_STATE_4, IDS_STATE_5, IDS_STATE_6,
    IDS_STATE_7, IDS_STATE_8, IDS_STATE_9, IDS_STATE_10, IDS_STATE_11, IDS_STATE_12, IDS_STATE_10,
    IDS_STATE_14, IDS_FILE_ACTION, IDS_STATE_16,
};

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// Windows Installer's results that mean the package is installed: done, done and
// Windows restarting, done and Windows to be restarted.
bool IsInstalled(UINT result)
{
    return result == ERROR_SUCCESS || result == ERROR_SUCCESS_REBOOT_INITIATED ||
           result == ERROR_SUCCESS_REBOOT_REQUIRED;
}

// An absolute folder on a local fixed drive: a drive letter, a colon and a backslash,
// no further colon (no stream), and the drive fixed. Anything else (relative, on
// another drive's current folder, a share, a device) is not made by Setup.
bool IsLocalFixedFolder(const CString& path)
{
    if (path.GetLength() < 3 || !((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) ||
        path[1] != L':' || path[2] != L'\\' || path.Find(L':', 2) >= 0)
        return false;
    return CDriveEnumerator().GetDriveType(path.Left(3)) == DRIVE_FIXED;
}

}  // namespace

BEGIN_MESSAGE_MAP(CInstallMSIProgressDlg, CBrowserPage)
    ON_BN_CLICKED(IDC_INSTALL_CANCEL, &CInstallMSIProgressDlg::OnCancelClicked)
END_MESSAGE_MAP()

CInstallMSIProgressDlg::CInstallMSIProgressDlg() : CBrowserPage(IDD_INSTALL, nullptr)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    m_hIcon = CPageStyle::LoadPageIcon();
}

CProgressCtrl& CInstallMSIProgressDlg::ProgressBar()
{
    return g_progressBar;
}

CBrowserMenuItem& CInstallMSIProgressDlg::PercentItem()
{
    return g_percentItem;
}

CBrowserMenuItem& CInstallMSIProgressDlg::ActionItem()
{
    return g_actionItem;
}

bool CInstallMSIProgressDlg::LastInstallSucceeded()
{
    return g_lastInstallSucceeded;
}

void CInstallMSIProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CBrowserPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INSTALL_CANCEL, m_cancel);
    DDX_Control(pDX, IDC_INSTALL_STATUS, m_status);
    DDX_Control(pDX, IDC_ACTION, g_actionItem);
    DDX_Control(pDX, IDC_INSTALL_HEADING, m_heading);
    DDX_Control(pDX, IDC_PERCENT, g_percentItem);
    DDX_Control(pDX, IDC_INSTALL_PICTURE, m_picture);
    DDX_Control(pDX, IDC_PROGRESS, g_progressBar);
}

BOOL CInstallMSIProgressDlg::OnInitDialog()
{
    CBrowserPage::OnInitDialog();
    CPageStyle::InitPage(*this, m_hIcon);
    MsiUiState().progressBar = g_progressBar.m_hWnd;
    MsiUiState().cancelItem = m_cancel.m_hWnd;

    CPageStyle::InitItem(m_cancel, IDS_INSTALL_CANCEL, 12, false);
    m_cancel.ShowWindow(SW_HIDE);
    CPageStyle::InitItem(m_status, 0, 9, true);
    CPageStyle::InitItem(g_actionItem, 0, 9, true);
    CPageStyle::InitItem(m_heading, IDS_INSTALL_HEADING, 12, false);
    CPageStyle::InitItem(g_percentItem, 0, 9, true);
    g_percentItem.SetAlignment(DT_WORDBREAK | DT_RIGHT);
    m_picture.SetColorScheme(CPageStyle::kColorScheme);
    m_picture.SetBitmap(IDB_INSTALL);
    g_progressBar.SetPos(0);

    m_copyProgress = [this](DWORD bytes) { OnCopyProgress(bytes); };
    m_progressState = [this](int percent, int state) { return SetProgressState(percent, state); };
    UpdateWindow();
    return TRUE;
}

void CInstallMSIProgressDlg::OnPageShown()
{
    Invalidate(TRUE);
    UpdateWindow();
    RunInstall();
    if (m_pController)
        m_pController->ShowPage(3);
}

bool CInstallMSIProgressDlg::RunInstall()
{
    return InstallPackages();
}

CString CInstallMSIProgressDlg::TargetRoot()
{
    CDriveEnumerator drives;
    std::vector<CString> roots;
    drives.GetDriveRoots(roots);
    for (const CString& root : roots) {
        // A file system without access lists would leave the package's locks meaningless.
        if (drives.GetDriveType(root) == DRIVE_FIXED && CInstallActions::GetFreeDiskSpaceMB(root) >= kRequiredMB &&
            drives.KeepsAccessLists(root))
            return root;
    }
    return CString();
}

CString CInstallMSIProgressDlg::TargetProperties(const CString& root)
{
    if (root.IsEmpty())
        return CString();
    // An earlier product's folder on the machine is made sure to exist. Its key is
    // open to every user: only a local folder is made.
    CString productFolder;
    if (CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE, L"Software\\Quorel\\Kestovar", L"InstallDir",
                                            productFolder) &&
        IsLocalFixedFolder(productFolder))
        CreateDirectoryW(productFolder, nullptr);
    CString properties;
    properties.Format(L"TARGETDIR=\"%s\" LANG=%s", root.GetString(), LoadText(IDS_MSI_LANGUAGE).GetString());
    return properties;
}

CString CInstallMSIProgressDlg::DriverPackagePath()
{
    return CInstallActions::GetModuleDirectory() + L"USB_Drivers\\" +
           (CInstallActions::IsWow64() ? L"USB_64.msi" : L"USB_32.msi");
}

CString CInstallMSIProgressDlg::MainPackagePath(const CString& commandLine)
{
    return CDistributionMedium::Folder(commandLine, L"bin\\") + LoadText(IDS_EDITOR_PACKAGE) + L".msi";
}

bool CInstallMSIProgressDlg::PackageFound(const CString& path, UINT missingTextId)
{
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
        return true;
    CString text;
    text.Format(LoadText(missingTextId).GetString(), path.GetString());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool CInstallMSIProgressDlg::TargetFoldersAllowed(const CString& root)
{
    CString refusal = CTargetFolderCheck::RefusalFor(root);
    if (refusal.IsEmpty())
        return true;
    AfxMessageBox(refusal, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool CInstallMSIProgressDlg::InstallPackages()
{
    CMsiUiState& state = MsiUiState();
    m_cancel.ShowWindow(SW_SHOW);
    bool installed = false;
    g_lastInstallSucceeded = false;
    state.cancelRequested = 0;
    m_status.SetTextId(IDS_INSTALL_STATUS);

    CMsiLibrary::SetInternalUI(static_cast<INSTALLUILEVEL>(INSTALLUILEVEL_NONE | INSTALLUILEVEL_SOURCERESONLY),
                               nullptr);
    CMsiLibrary::SetExternalUI(MsiUiHandler, kMsiUiFilter, const_cast<wchar_t*>(L"TEST"));

    CString root = TargetRoot();
    CString properties = TargetProperties(root);
    if (properties.IsEmpty()) {
        AfxMessageBox(IDS_NO_DRIVE_SPACE, MB_OK | MB_ICONINFORMATION);
        if (m_pController)
            m_pController->Finish();
        return false;
    }

    ResetProgress();
    CString driverPackage = DriverPackagePath();
    if (PackageFound(driverPackage, IDS_DRIVER_PACKAGE_MISSING))
        CMsiLibrary::InstallProduct(driverPackage, L"");   // the driver's outcome does not stop the editor

    CString package = MainPackagePath(GetCommandLineW());
    m_cancel.ShowWindow(SW_SHOW);
    g_percentItem.SetText(CString());
    ResetProgress();
    installed = PackageFound(package, IDS_PACKAGE_MISSING) && TargetFoldersAllowed(root) &&
                IsInstalled(CMsiLibrary::InstallProduct(package, properties));

    m_cancel.ShowWindow(SW_HIDE);
    SetActionText(CString());
    HideProgress();
    m_cancel.ShowWindow(SW_HIDE);
    CInstallActions::PumpPendingMessages();
    g_lastInstallSucceeded = installed;
    return installed;
}

void CInstallMSIProgressDlg::OnCancelClicked()
{
    if (MessageBox(LoadText(IDS_CANCEL_QUESTION), L"Quorel Kestovar", MB_YESNO | MB_ICONQUESTION) == IDYES)
        MsiUiState().cancelRequested = 1;
}

void CInstallMSIProgressDlg::ResetProgress(int expectedTotal)
{
    g_progressBar.SetPos(0);
    g_progressBar.SetRange32(0, 100);
    g_progressBar.ShowWindow(SW_SHOW);
    g_percentItem.ShowWindow(SW_SHOW);
    UpdateWindow();
    m_expectedBytes = expectedTotal > 0 ? static_cast<ULONGLONG>(expectedTotal) : 0;
    m_copiedBytes = 0;
}

void CInstallMSIProgressDlg::HideProgress()
{
    g_progressBar.SetPos(0);
    g_progressBar.ShowWindow(SW_HIDE);
    g_percentItem.ShowWindow(SW_HIDE);
    SetActionText(CString());
    UpdateWindow();
    m_expectedBytes = 0;
}

void CInstallMSIProgressDlg::SetActionText(const CString& text)
{
    g_actionItem.SetText(text);
    g_actionItem.Redraw();
}

void CInstallMSIProgressDlg::OnCopyProgress(DWORD bytes)
{
    m_copiedBytes += bytes;
    if (m_expectedBytes == 0)   // nothing announced: no share to show
        return;
    SetProgressState(static_cast<int>(m_copiedBytes * 100 / m_expectedBytes), -1);
}

int CInstallMSIProgressDlg::SetProgressState(int percent, int state)
{
    if (state != m_lastState) {
        m_lastState = state;
        if (state >= 0 && state <= 16)
            SetActionText(LoadText(kStateTexts[state]));
    }
    if (percent != m_lastPercent) {
        int shown = percent < 1 ? 1 : percent > 100 ? 100 : percent;
        g_progressBar.SetPos(shown);
        g_progressBar.UpdateWindow();
        if (shown == m_lastPercent)
            return percent;
        CString text;
        text.Format(L"%d%%", shown);
        g_percentItem.SetText(text);
        m_lastPercent = shown;
    }
    CInstallActions::PumpPendingMessages();
    return percent;
}
