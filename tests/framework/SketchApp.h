// The framework's test program, a small single-document application: a document
// that records what the framework asked of it, a frame with toolbar, status bar and
// a splitter holding a tree view and a scroll view, and commands handled at every
// stop of the command road. Tests drive it with messages.
#pragma once
#include "framework/Framework.h"
#include <string>
#include <vector>

// What the handlers did, in order ("view:32772", "doc:open C:\x.skt", ...).
extern std::vector<std::string> g_calls;
std::string Narrow(LPCTSTR text);

class CSketchDoc : public CDocument
{
    DECLARE_DYNCREATE(CSketchDoc)
public:
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;

    afx_msg void OnToggle();
    afx_msg void OnUpdateToggle(CCmdUI* pCmdUI);
    afx_msg void OnDocOnly();

    bool m_switch = true;
    std::string m_content;
    DECLARE_MESSAGE_MAP()
};

class CSketchTree : public CTreeView
{
    DECLARE_DYNCREATE(CSketchTree)
public:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

class CSketchView : public CScrollView
{
    DECLARE_DYNCREATE(CSketchView)
public:
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    afx_msg void OnViewOnly();
    afx_msg void OnThrow();

    CPoint m_lastOrigin;   // the device context's viewport origin at the last OnDraw
    int m_draws = 0;
    int m_updates = 0;
    DECLARE_MESSAGE_MAP()
};

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnFrameOnly();

    CSplitterWnd m_splitter;
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    DECLARE_MESSAGE_MAP()
};

class CSketchApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    afx_msg void OnAppOnly();
    DECLARE_MESSAGE_MAP()
};

// The application, started once (InitInstance with a new document) on first use.
CSketchApp& App();
CMainFrame& Frame();
CSketchDoc& Doc();
CSketchTree& Tree();
CSketchView& View();
// Handles every waiting message as the message loop would, then the idle-time work.
void Pump();
// A path in the temporary folder.
CString TempPath(LPCTSTR name);
// A drop of one file, as the shell hands it over (in 8-bit or UTF-16 characters).
HDROP MakeDrop(const CString& path);
HDROP MakeDrop(const std::wstring& path);
