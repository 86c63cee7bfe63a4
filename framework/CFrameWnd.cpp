// The frame window: creation from its resources, layout of bars and views, the
// command road, menu updates, prompts in the status bar, closing, the end of the
// Windows session, and a new colour scheme passed on to the windows inside.
#include "framework/CFrameWnd.h"
#include "framework/CControlBar.h"
#include "framework/CDocument.h"
#include "framework/CMenu.h"
#include "framework/CStatusBar.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/CodePage.h"
#include "framework/FrameworkIds.h"
#include "framework/Globals.h"
#include "framework/MessageMapEntries.h"
#include <shellapi.h>
#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
    ON_WM_DROPFILES()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_INITMENUPOPUP, &CFrameWnd::OnInitMenuPopup)
    ON_MESSAGE(WM_MENUSELECT, &CFrameWnd::OnMenuSelect)
    ON_MESSAGE(WM_EXITMENULOOP, &CFrameWnd::OnExitMenuLoop)
    ON_NOTIFY_RANGE(TTN_GETDISPINFO, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
END_MESSAGE_MAP()

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(m_nIDHelp));
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1), icon);
    }
    cs.style |= WS_CLIPCHILDREN;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    m_bAddToTitle = (dwDefaultStyle & FWS_ADDTOTITLE) != 0;
    DWORD style = dwDefaultStyle & ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    m_strTitle = AfxExtractSubString(AfxLoadText(nIDResource), 0);
    HMENU menu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    if (!CreateEx(0, nullptr, m_strTitle.GetString(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, menu, pContext)) {
        if (menu && !::IsMenu(menu))
            menu = nullptr;
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    if (!pContext)
        SendMessageToDescendants(AFX_WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = dynamic_cast<CWnd*>(pObject);
    if (!pView) {
        delete pObject;
        return nullptr;
    }
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext)) {
        if (!pView->m_hWnd)
            delete pView;
        return nullptr;
    }
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = pViewNew;
    if (pViewOld && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (pViewNew && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (!m_pViewActive) {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST);
        if (pane && pane->IsKindOf(RUNTIME_CLASS(CView)))
            SetActiveView(static_cast<CView*>(pane), FALSE);
    }
    SendMessageToDescendants(AFX_WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible)
        ActivateFrame();
    (void)pDoc;
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        CWinApp* app = AfxGetApp();
        nCmdShow = IsWindowVisible() || !app ? SW_SHOW : app->m_nCmdShow;
    }
    ShowWindow(nCmdShow);
    ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString title = m_strTitle;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && m_bAddToTitle && pDoc && !pDoc->GetTitle().IsEmpty())
        title = pDoc->GetTitle() + _T(" - ") + m_strTitle;
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title.GetString());
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd)
        return;
    CRect area;
    GetClientRect(&area);
    std::vector<HWND> children;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        CWnd* pWnd = FromHandlePermanent(child);
        if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) || !pWnd->IsWindowVisible())
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(pWnd);
        CSize size = pBar->CalcFixedLayout(TRUE, TRUE);
        if (pBar->GetBarStyle() & CBRS_ALIGN_BOTTOM) {
            pBar->MoveWindow(area.left, area.bottom - size.cy, area.Width(), size.cy);
            area.bottom -= size.cy;
        } else {
            pBar->MoveWindow(area.left, area.top, area.Width(), size.cy);
            area.top += size.cy;
        }
    }
    if (HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::MoveWindow(pane, area.left, area.top, area.Width(), area.Height() > 0 ? area.Height() : 0, TRUE);
}

void CFrameWnd::EnableDocking(DWORD)
{
    // Bars stay at the edge they were created at.
}

void CFrameWnd::DockControlBar(CControlBar*, UINT, LPCRECT)
{
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    CWnd* pWnd = FromHandlePermanent(::GetDlgItem(m_hWnd, (int)nID));
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(pWnd) : nullptr;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    CControlBar* pBar = GetControlBar(AFX_IDW_STATUS_BAR);
    if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CStatusBar)))
        static_cast<CStatusBar*>(pBar)->SetPaneText(0, lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    CString prompt = nID ? AfxExtractSubString(AfxLoadText(nID), 0) : CString();
    if (prompt.IsEmpty())
        prompt = AfxLoadText(AFX_IDS_IDLEMESSAGE);
    SetMessageText(prompt.GetString());
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    std::vector<HWND> children;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        CWnd* pWnd = FromHandlePermanent(child);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) && pWnd->IsWindowVisible())
            static_cast<CControlBar*>(pWnd)->OnUpdateCmdUI(this, TRUE);
    }
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::IsCommandEnabled(UINT nID)
{
    CCmdStateUI state;
    state.m_nID = nID;
    state.DoUpdate(this, FALSE);
    return !state.m_bEnableChanged || state.m_bEnabled;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND from = reinterpret_cast<HWND>(lParam);
    CWnd* pFrom = from ? FromHandlePermanent(from) : nullptr;
    bool isCommand = !from || (pFrom && pFrom->IsKindOf(RUNTIME_CLASS(CControlBar)));
    if (!isCommand)
        return CWnd::OnCommand(wParam, lParam);
    UINT nID = LOWORD(wParam);
    if (!IsCommandEnabled(nID))
        return TRUE;   // a disabled command goes nowhere
    return OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccelTable && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!app->SaveAllModified())
            return;
        HWND hWnd = m_hWnd;
        app->CloseAllDocuments(FALSE);   // usually ends this frame, and deletes it
        if (FromHandlePermanent(hWnd) == this)
            DestroyWindow();   // a frame without a document
        return;
    }
    CDocument* pDoc = GetActiveDocument();
    if (pDoc && !pDoc->CanCloseFrame(this))
        return;
    DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    // A disabled frame has a modal dialog or message box over it, which works on the
    // document: a drop must not replace the document under it.
    if (!IsWindowEnabled()) {
        ::DragFinish(hDropInfo);
        return;
    }
    ::SetActiveWindow(m_hWnd);
    // One document at a time: the first file dropped is opened, its name whole however
    // long, when the code page holds that name.
    const UINT length = ::DragQueryFileW(hDropInfo, 0, nullptr, 0);
    if (length && AfxGetApp()) {
        std::vector<WCHAR> path(length + 1);
        CString name;
        if (::DragQueryFileW(hDropInfo, 0, path.data(), length + 1)) {
            if (AfxNameFromWide(path.data(), name))
                AfxGetApp()->OpenDocumentFile(name.GetString());
            else
                AfxReportUnheldName(name.GetString());
        }
    }
    ::DragFinish(hDropInfo);
}

// Windows asks before it ends the session: the main window asks what closing asks, and
// refuses the end when the user cancels or a save fails.
BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd == this ? app->SaveAllModified() : TRUE;
}

// Windows may end the process at any moment once the session's end has been told: what
// the program keeps is written now, and the message loop is told to end (its end writes
// it once more). Nothing is destroyed here: a dialog's modal loop may be running under
// this message.
void CFrameWnd::OnEndSession(BOOL bEnding)
{
    CWinApp* app = AfxGetApp();
    if (!bEnding || !app || app->m_pMainWnd != this)
        return;
    app->ExitInstance();
    ::PostQuitMessage(0);
}

// Windows tells top-level windows only of a new colour scheme: the bars, views and
// controls inside hear of it from their frame.
void CFrameWnd::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    SendMessageToDescendants(WM_SYSCOLORCHANGE);
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(lParam))
        return Default();   // the system menu
    CMenu* pPopup = CMenu::FromHandle(reinterpret_cast<HMENU>(wParam));
    CCmdUI state;
    state.m_pMenu = pPopup;
    state.m_nIndexMax = pPopup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pPopup->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0 || state.m_nID == (UINT)-1)
            continue;   // separators and sub-menus
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        // An update handler may have added or removed items (the recent-file list).
        UINT count = pPopup->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - count);
            while (state.m_nIndex < count && pPopup->GetMenuItemID((int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = count;
    }
    return 0;
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) {
        SetMessageText((UINT)0);   // the menu closed
        return 0;
    }
    UINT nID = (flags & (MF_POPUP | MF_SEPARATOR)) ? 0 : LOWORD(wParam);
    SetMessageText(nID);
    return 0;
}

LRESULT CFrameWnd::OnExitMenuLoop(WPARAM, LPARAM)
{
    SetMessageText((UINT)0);
    return 0;
}

void CFrameWnd::OnToolTipText(NMHDR* pNMHDR, LRESULT* pResult)
{
    static CString tip;   // must outlive the notification
    NMTTDISPINFO* info = reinterpret_cast<NMTTDISPINFO*>(pNMHDR);
    UINT nID = (UINT)pNMHDR->idFrom;
    if (info->uFlags & TTF_IDISHWND)
        nID = (UINT)::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom));
    tip = nID ? AfxExtractSubString(AfxLoadText(nID), 1) : CString();
    info->lpszText = const_cast<LPTSTR>(tip.GetString());
    info->hinst = nullptr;
    *pResult = 0;
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (!pBar)
        return FALSE;
    ShowControlBar(pBar, !pBar->IsWindowVisible(), FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (!pBar) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(pBar->IsWindowVisible() ? 1 : 0);
}
