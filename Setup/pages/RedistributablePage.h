// CRedistributablePage: what the two pages that install a redistributable from the
// distribution medium share (the .NET Framework page and the Windows Installer page,
// which the wizard registers but never shows): a heading, Install and Exit. Exit ends
// Setup; Install disables both items and then runs the page's program.
#pragma once

#include "Setup/wizard/BrowserMenuItem.h"
#include "Setup/wizard/BrowserPage.h"

class CRedistributablePage : public CBrowserPage
{
public:
    CRedistributablePage(UINT nIDTemplate, UINT headingId, UINT headingText);

    void OnPageShown() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

protected:
    afx_msg void OnExitClicked();
    afx_msg void OnInstallClicked();
    // Runs the redistributable and moves on; the items are disabled by then.
    virtual void Install() = 0;
    DECLARE_MESSAGE_MAP()

    CBrowserMenuItem m_heading;
    CBrowserMenuItem m_install;
    CBrowserMenuItem m_exit;

private:
    UINT m_headingId;
    UINT m_headingText;
};
