// CMSInstallDlg: page 6 of the wizard, which installs the Windows Installer update
// from the distribution medium and then goes on to the licence page when the .NET
// Framework 3.5 is there, else ends Setup. The wizard registers it but never shows it.
#pragma once

#include "Setup/pages/RedistributablePage.h"

class CMSInstallDlg : public CRedistributablePage
{
public:
    CMSInstallDlg();

    // The Windows Installer update on the medium named by the command line, else
    // beside Setup.
    static CString UpdateProgramPath(const CString& commandLine);
    // The update's path quoted, as it is started: Setup's folder may hold blanks, and
    // Setup runs elevated, so an unquoted "C:\My Setup\..." would start "C:\My.exe".
    static CString UpdateCommandLine(const CString& commandLine);

protected:
    void Install() override;
};
