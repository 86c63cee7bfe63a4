// CFinishDlg: page 3 of the wizard, the finish page. Shown after the installation,
// it says how the installation went, opens the maker's registry keys to the user
// (every time it is shown), and offers to start the editor, which Finish does before
// Setup ends.
#pragma once

#include "Setup/wizard/BrowserCheckbox.h"
#include "Setup/wizard/BrowserMenuItem.h"
#include "Setup/wizard/BrowserPage.h"

class CFinishDlg : public CBrowserPage
{
public:
    CFinishDlg();

    void OnPageShown() override;
    // Full access to HKEY_CURRENT_USER "Software\Quorel" for the current user (or
    // everyone when the user is not known), and reading and setting values of
    // HKEY_LOCAL_MACHINE "Software\Quorel\" for everyone, with all their subkeys,
    // besides full access for the administrators.
    void GrantRegistryAccess();
    // The editor to start: the path that "InstallPath" holds, else "InstallDir" and
    // "KIV.exe", when it is the installed editor's file; empty otherwise. Those keys are
    // open to every user, and Setup runs elevated: only the editor that Windows
    // Installer installed is started.
    static CString EditorPath();
    // The editor's file as Windows Installer reports it for the editor's package, when
    // installed and present; empty otherwise.
    static CString InstalledEditorPath();
    bool GetLaunchFlag() const { return m_launch != 0; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

protected:
    afx_msg void OnFinishClicked();
    DECLARE_MESSAGE_MAP()

private:
    CBrowserMenuItem m_status;
    CBrowserCheckbox m_option;
    CBrowserCheckbox m_launchEditor;
    CBrowserMenuItem m_heading;
    CBrowserMenuItem m_finish;
    BYTE m_launch = 0;
};
