// CNETFrameworkDlg: page 5 of the wizard, which installs the .NET Framework 3.5 from
// the distribution medium and then shows the licence page. The wizard registers it
// but never shows it.
#pragma once

#include "Setup/pages/RedistributablePage.h"

class CNETFrameworkDlg : public CRedistributablePage
{
public:
    CNETFrameworkDlg();

    // The .NET Framework's setup program on the medium named by the command line, else
    // beside Setup.
    static CString SetupProgramPath(const CString& commandLine);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

protected:
    void Install() override;

private:
    CBrowserMenuItem m_text;
};
