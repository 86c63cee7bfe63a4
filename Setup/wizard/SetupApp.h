// CSetupApp: Setup's application object. Its start-up ends with a message when the
// language library with its pages is missing or damaged, lets only one copy run, refuses
// Windows older than XP Service Pack 2, brings Windows Installer up to date through
// the bootstrap and the page controller, creates the six pages hidden, ends a running
// "Taviro.exe" and shows the welcome page. The program's one object of it is a global
// of Setup.exe.
#pragma once

#include "framework/Framework.h"

class CBrowserController;
class CBrowserPage;

class CSetupApp : public CWinApp
{
public:
    // The pages by their number in the wizard.
    enum Page { kWelcome = 1, kLicence = 2, kFinish = 3, kInstall = 4, kNetFramework = 5, kMsiUpdate = 6 };
    static constexpr int kPageCount = 6;
    // The exit code when no language library with Setup's pages lies beside it.
    static constexpr int kExitWithoutLanguageLibrary = ERROR_FILE_NOT_FOUND;

    CSetupApp();
    ~CSetupApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    CBrowserController* GetController() const { return m_pController; }
    CBrowserPage* GetPage(int number) const;

    DECLARE_MESSAGE_MAP()

private:
    CBrowserController* m_pController = nullptr;
    CBrowserPage* m_pages[kPageCount] = {};   // page n at index n - 1
    HANDLE m_hMutex = nullptr;
    int m_exitCode = 0;   // when start-up fails for a reason the user must mend
};
