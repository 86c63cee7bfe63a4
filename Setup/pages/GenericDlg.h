// CGenericDlg: page 1 of the wizard, the welcome page: a heading and Next, which shows
// the licence page. It also carries two probes of the system that no page calls: the
// installed Windows Installer's version and whether the .NET Framework 3.5 is there.
#pragma once

#include "Setup/wizard/BrowserMenuItem.h"
#include "Setup/wizard/BrowserPage.h"

class CGenericDlg : public CBrowserPage
{
public:
    CGenericDlg();

    void OnPageShown() override;

    // The version of msi.dll in Windows Installer's folder; empty when that folder
    // cannot be read from the registry.
    static CString GetInstalledMsiVersion();
    // Reads whether the .NET Framework 3.5 is installed into the program-wide flag
    // that the Windows Installer page reads; returns it.
    static bool IsNetFramework35Installed();
    static bool NetFramework35Flag();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

protected:
    afx_msg void OnNextClicked();
    DECLARE_MESSAGE_MAP()

private:
    CBrowserMenuItem m_status;
    CBrowserMenuItem m_heading;
    CBrowserMenuItem m_next;
};
