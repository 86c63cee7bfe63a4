// The application: one global object of a class derived from CWinApp. The
// framework's WinMain calls its InitInstance and then Run, the message loop, which
// does the idle-time updates of toolbars and status bars. It also keeps the
// document templates, the recent-file list, the profile in the registry under
// HKEY_CURRENT_USER "Software\<registry key>\<application name>", and handles the
// standard File New, File Open, recent-file, Exit and Help commands.
#pragma once
#include "framework/CCmdTarget.h"
#include "framework/FrameworkStrings.h"
#include <vector>

class CCmdUI;
class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CWnd;

class CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Start-up, message loop and end
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    BOOL PumpMessage();   // one message; false at WM_QUIT

    // Resources
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;

    // Profile
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();                    // to be closed by the caller; null without a registry key
    HKEY GetSectionKey(LPCTSTR lpszSection);     // to be closed by the caller
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);  // null value deletes
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();

    // Documents
    void AddDocTemplate(CDocTemplate* pTemplate);
    const std::vector<CDocTemplate*>& GetDocTemplates() const { return m_templates; }
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // The open- or save-file dialog; fileName gives the proposed name and takes the chosen one.
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate);

    // Command line and shell
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void EnableShellOpen();
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    void UnregisterShellFileTypes();

    // Help and message boxes. WinHelp opens the help file beside the program (its
    // name with ".HLP"), or tells the user that this file is missing.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Standard command handlers
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();
    afx_msg void OnHelp();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    LPCTSTR m_pszAppName = nullptr;      // string AFX_IDS_APP_TITLE, or the program's file name
    LPCTSTR m_pszExeName = nullptr;      // the program's file name without extension
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    MSG m_msgCur = {};

    // Internal: names and the resource module, set up by the framework's WinMain.
    void InitApplicationNames();

    DECLARE_MESSAGE_MAP()

private:
    CString m_appName, m_exeName, m_registryKey, m_profileName, m_helpPath, m_cmdLine;
    std::vector<CDocTemplate*> m_templates;
    bool m_bShellOpen = false;
};

// The framework's entry: called by WinMain with the program's arguments.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The program's resource-only language library, loaded for its resources only, or null
// when there is none beside it (AfxWinMain makes it the resource module; see AfxWinMain.cpp).
HINSTANCE AfxLoadLanguageLibrary(HINSTANCE hProgram);
// The language library's path for a three-letter language name ("ENU", or "LOC" for the
// one of any language): beside the program, after its name ("SetupENU.dll"). Empty when
// the program's path is not known.
CString AfxLanguageLibraryPath(HINSTANCE hProgram, LPCTSTR language);
