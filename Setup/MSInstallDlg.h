// CMSInstallDlg: page 6 of the wizard, which installs the Windows Installer update
// from the distribution medium and then goes on to the licence page when the .NET
// Framework 3.5 is there, else ends Setup. The wizard registers it but never shows it.
#pragma once

#include "Setup/RedistributablePage.h"

class CMSInstallDlg : public CRedistributablePage
{
public:
    CMSInstallDlg();

    // The Windows Installer update on the medium named by the command line, else
    // beside Setup.
    static CString UpdateProgramPath(const CString& commandLine);

protected:
    void Install() override;
};
