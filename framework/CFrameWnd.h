// The main window of a document: menu, accelerators, icon and title from one
// resource id (LoadFrame), a client area of views (OnCreateClient), control bars
// along its edges, the active view, and the command road: a menu, accelerator or
// toolbar command goes to the active view (and on to its document), then to the
// frame, then to the application - unless its update handler disabled it. Menus
// are updated when they open, control bars at idle time. A new colour scheme is
// passed on to every window inside the frame.
#pragma once
#include "framework/CWnd.h"
#include "framework/CCreateContext.h"
#include "framework/FrameworkIds.h"

class CControlBar;
class CDocument;
class CView;

#define FWS_ADDTOTITLE   0x00008000L   // the caption shows "document - title"
#define FWS_PREFIXTITLE  0x00004000L

#define AFX_WM_INITIALUPDATE 0x0364    // sent to every view after a document was made or opened

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Views and documents
    CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // Title
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : _T(""); }
    const CString& GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);

    // Control bars and the status line
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);   // the status-bar part of the command's prompt
    virtual void OnIdleUpdateCmdUI();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;
    // Whether the command's update handler leaves it enabled (no handler: enabled).
    BOOL IsCommandEnabled(UINT nID);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
    afx_msg void OnToolTipText(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);

    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    BOOL m_bAutoMenuEnable = TRUE;   // menu items without any handler are greyed

    DECLARE_MESSAGE_MAP()

protected:
    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    bool m_bAddToTitle = false;
};
