// The application object: start-up names, the message loop with its idle-time
// updates, resources, and the standard commands.
#include "framework/CWinApp.h"
#include "framework/CCmdUI.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CDC.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CMenu.h"
#include "framework/CRecentFileList.h"
#include "framework/CodePage.h"
#include "framework/FrameworkIds.h"
#include "framework/FrameworkInternal.h"
#include "framework/FullPath.h"
#include "framework/Globals.h"
#include "framework/MessageMapEntries.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

void AfxSetApp(CWinApp* app);

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName) {
        m_appName = lpszAppName;
        m_pszAppName = m_appName.GetString();
    }
    AfxSetApp(this);
}

CWinApp::~CWinApp()
{
    for (CDocTemplate* pTemplate : m_templates)
        delete pTemplate;
    m_templates.clear();
    delete m_pRecentFileList;
    AfxSetApp(nullptr);
}

void CWinApp::InitApplicationNames()
{
    TCHAR path[MAX_PATH] = {};
    ::GetModuleFileName(m_hInstance, path, MAX_PATH);
    CString file = AfxFileNameOf(path);
    m_exeName = file.ReverseFind(_T('.')) < 0 ? file : file.Left(file.ReverseFind(_T('.')));
    m_pszExeName = m_exeName.GetString();

    CString helpPath = path;
    m_helpPath = helpPath.Left(helpPath.ReverseFind(_T('.'))) + _T(".HLP");
    m_pszHelpFilePath = m_helpPath.GetString();

    if (!m_pszAppName) {
        m_appName = AfxLoadText(AFX_IDS_APP_TITLE);
        if (m_appName.IsEmpty())
            m_appName = m_exeName;
        m_pszAppName = m_appName.GetString();
    }

    const TCHAR* cmd = ::GetCommandLine();
    bool quoted = false;
    while (*cmd && (quoted || (*cmd != _T(' ') && *cmd != _T('\t')))) {
        if (*cmd == _T('"'))
            quoted = !quoted;
        ++cmd;
    }
    while (*cmd == _T(' ') || *cmd == _T('\t'))
        ++cmd;
    m_cmdLine = cmd;
    m_lpCmdLine = m_cmdLine.GetBuffer();
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (m_pszRegistryKey)
        SaveStdProfileSettings();
    return (int)m_msgCur.wParam;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
    }
    // Keys typed where the focus is outside the main window's family still reach its accelerators.
    CWnd* pMain = m_pMainWnd;
    if (pMain && pMain->m_hWnd && pMsg->hwnd && !::IsChild(pMain->m_hWnd, pMsg->hwnd) && pMsg->hwnd != pMain->m_hWnd &&
        pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::GetParent(pMsg->hwnd) == nullptr)
        return pMain->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinApp::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    AfxRethrowPendingException();
    return TRUE;
}

namespace {

// Messages after which the idle-time updates need not run again.
bool IsIdleMessage(const MSG& msg)
{
    return msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != WM_MOUSEMOVE &&
           msg.message != WM_NCMOUSEMOVE && msg.message != 0x0118 /* the caret's blink */;
}

// Only "not found" says that a file is gone; one that cannot be looked at now may come back.
bool IsMissingFile(LPCTSTR path)
{
    if (::GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

int CWinApp::Run()
{
    bool idle = true;
    LONG idleCount = 0;
    MSG peek;
    for (;;) {
        while (idle && !::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount == 0) {
        CWnd* pMain = m_pMainWnd;
        if (pMain && pMain->m_hWnd && pMain->IsWindowVisible()) {
            if (pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
                static_cast<CFrameWnd*>(pMain)->OnIdleUpdateCmdUI();
        }
        AfxRethrowPendingException();
        return TRUE;
    }
    if (lCount == 1) {
        CWnd::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CDC::DeleteTempMap();
        CMenu::DeleteTempMap();
    }
    return FALSE;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const { return ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource)); }
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const { return ::LoadIcon(AfxGetResourceHandle(), lpszResourceName); }
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(nullptr, lpszIconName); }

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(nullptr, lpszCursorName); }

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    // Without a help file beside the program the user is told which file is missing.
    if (!m_pszHelpFilePath || ::GetFileAttributes(m_pszHelpFilePath) == INVALID_FILE_ATTRIBUTES) {
        const CString text = AfxFormatText1(AfxLoadText(AFX_IDP_HELP_FILE_MISSING), m_pszHelpFilePath);
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ::WinHelp(owner, m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::OnHelp()
{
    WinHelp(0, HELP_FINDER);
}

namespace {

// A window that a message box can block: on screen and taking input.
bool CanOwnMessageBox(HWND hWnd)
{
    return hWnd && ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd);
}

BOOL CALLBACK FindTopLevelOnScreen(HWND hWnd, LPARAM found)
{
    if (!CanOwnMessageBox(hWnd) || ::GetWindow(hWnd, GW_OWNER))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hWnd;
    return FALSE;
}

// The window a message box belongs to and disables until it is answered: the thread's
// active window, else the main window's last active popup, else a window of the thread
// on screen. Never a hidden one (a main window kept out of sight): the window in front
// of the user would stay open to clicks behind the question.
HWND MessageBoxOwner(CWnd* pMainWnd)
{
    HWND active = ::GetActiveWindow();
    if (CanOwnMessageBox(active))
        return active;
    if (pMainWnd && pMainWnd->m_hWnd) {
        HWND popup = ::GetLastActivePopup(pMainWnd->m_hWnd);
        if (CanOwnMessageBox(popup))
            return popup;
    }
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindTopLevelOnScreen, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    LPCTSTR caption = m_pszAppName ? m_pszAppName : _T("");
    int answer = 0;
    if (AfxTestHookAnswerMessageBox(lpszPrompt, caption, nType, &answer))
        return answer;
    HWND owner = MessageBoxOwner(m_pMainWnd);
    if (!(nType & MB_ICONMASK)) {
        UINT button = nType & MB_TYPEMASK;
        if (button == MB_OK || button == MB_OKCANCEL)
            nType |= MB_ICONEXCLAMATION;
        else if (button == MB_YESNO || button == MB_YESNOCANCEL)
            nType |= MB_ICONQUESTION;
    }
    int result = ::MessageBox(owner, lpszPrompt, caption, nType);
    AfxRethrowPendingException();
    return result;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// Documents

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templates.push_back(pTemplate);
}

void CWinApp::OnFileNew()
{
    if (m_templates.empty())
        return;
    m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString fileName;
    if (!DoPromptFileName(fileName, 0, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(fileName.GetString());
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (m_templates.empty())
        return nullptr;
    // The full path, so that the document and the recent-file list name it one way.
    return m_templates.front()->OpenDocumentFile(AfxFullPathOf(lpszFileName).GetString());
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified()
{
    for (CDocTemplate* pTemplate : m_templates) {
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templates)
        pTemplate->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return FALSE;
    int index = (int)(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize())
        return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty())
        return FALSE;
    // A name recorded under another code page that this one cannot hold is refused, as on
    // the command line, rather than opened as a near one; the entry stays.
    if (!m_pRecentFileList->IsHeld(index)) {
        AfxReportUnheldName(path.GetString());
        return TRUE;
    }
    CDocument* pDoc = m_templates.empty() ? nullptr : m_templates.front()->GetFirstDocument();
    const UINT deletesBefore = pDoc ? pDoc->GetDeleteCount() : 0;
    if (OpenDocumentFile(path.GetString()))
        return TRUE;
    // The entry goes when the file is gone, or when the open refused what it read (it had
    // begun to clear the document). It stays when the user cancelled, a save failed, or
    // the file could not be read for now (in use, access denied).
    const bool refused = pDoc && pDoc->GetDeleteCount() != deletesBefore;
    if (refused || IsMissingFile(path.GetString()))
        m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (!m_pRecentFileList) {
        pCmdUI->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}
