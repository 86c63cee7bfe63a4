// CInstallMSIProgressDlg: page 4 of the wizard, which installs while it is shown: it
// switches Windows Installer's own user interface off and hands its messages to
// MsiUiHandler, picks the target drive, installs the USB driver package and then the
// editor's package with a progress bar, an action text and a percentage, offers
// Cancel, and then shows the finish page. It all runs on the user-interface thread,
// inside the controller's ShowPage.
#pragma once

#include "Setup/wizard/BrowserMenuItem.h"
#include "Setup/wizard/BrowserPage.h"
#include "Setup/actions/InstallActions.h"

#include <functional>

class CInstallMSIProgressDlg : public CBrowserPage
{
public:
    CInstallMSIProgressDlg();

    void OnPageShown() override;
    bool RunInstall();
    // Installs the driver package and then the editor's package; true when the
    // editor's package installed (also when Windows wants a restart for it).
    bool InstallPackages();
    // Whether the last installation put the editor's package on the machine; false
    // before any ran. The finish page tells the user.
    static bool LastInstallSucceeded();

    // The root ("C:\") of the first fixed drive with 50 MiB free whose file system keeps
    // access lists; empty when no drive qualifies.
    static CString TargetRoot();
    // The property text of the editor's package, TARGETDIR and LANG, for that root;
    // empty for an empty root.
    static CString TargetProperties(const CString& root);
    // The editor's package: on the distribution medium named by the command line
    // (its root, then "bin\"), else beside Setup.
    static CString MainPackagePath(const CString& commandLine);
    // The driver package beside Setup, for 64-bit or 32-bit Windows.
    static CString DriverPackagePath();
    // Whether the package file is there; when it is not, the user is told which file
    // Setup looked for, in the text missingTextId (its "%s" the path).
    static bool PackageFound(const CString& path, UINT missingTextId);
    // Whether the package may install into the folders it uses below the root; when
    // it may not, the user is told which folder, why, and what to do.
    static bool TargetFoldersAllowed(const CString& root);

    void ResetProgress(int expectedTotal = 0);
    void HideProgress();
    // The action item's text, redrawn.
    static void SetActionText(const CString& text);

    // Progress of a file copy, for callers that copy with CInstallActions: bytes
    // copied so far, and a percentage with an action state (0 to 16, or -1 for none).
    void OnCopyProgress(DWORD bytes);
    int SetProgressState(int percent, int state);
    const CInstallActions::CopyProgress& CopyProgressCallback() const { return m_copyProgress; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // The page's controls that the handler reaches: globals of the program.
    static CProgressCtrl& ProgressBar();
    static CBrowserMenuItem& PercentItem();
    static CBrowserMenuItem& ActionItem();

protected:
    afx_msg void OnCancelClicked();
    DECLARE_MESSAGE_MAP()

private:
    static constexpr int kRequiredMB = 50;

    CBrowserMenuItem m_cancel;
    CBrowserMenuItem m_status;
    CBrowserMenuItem m_heading;
    CBrowserMenuItem m_picture;
    CInstallActions::CopyProgress m_copyProgress;
    std::function<int(int, int)> m_progressState;

    // The copy progress: bytes expected and copied, the last state and percentage shown.
    ULONGLONG m_expectedBytes = 0;
    ULONGLONG m_copiedBytes = 0;
    int m_lastState = -1;
    int m_lastPercent = -1;
};
