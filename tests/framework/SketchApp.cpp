// The framework's test program (see SketchApp.h).
#include "tests/framework/SketchApp.h"
#include "tests/framework/TestIds.h"
#include <shlobj.h>
#include <fstream>
#include <stdexcept>

std::vector<std::string> g_calls;

std::string Narrow(LPCTSTR text)
{
#ifdef UNICODE
    return CString(text).ToAnsi();
#else
    return text ? text : "";
#endif
}

IMPLEMENT_DYNCREATE(CSketchDoc, CDocument)

BEGIN_MESSAGE_MAP(CSketchDoc, CDocument)
    ON_COMMAND(ID_TEST_TOGGLE, &CSketchDoc::OnToggle)
    ON_UPDATE_COMMAND_UI(ID_TEST_TOGGLE, &CSketchDoc::OnUpdateToggle)
    ON_COMMAND(ID_TEST_DOCONLY, &CSketchDoc::OnDocOnly)
END_MESSAGE_MAP()

BOOL CSketchDoc::OnNewDocument()
{
    g_calls.push_back("doc:new");
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_content.clear();
    return TRUE;
}

BOOL CSketchDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    g_calls.push_back("doc:open " + Narrow(lpszPathName));
    CFileException error;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error);
    if (!pFile) {
        ReportSaveLoadException(lpszPathName, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    char buffer[256] = {};
    UINT read = pFile->Read(buffer, sizeof(buffer) - 1);
    ReleaseFile(pFile, FALSE);
    DeleteContents();
    m_content.assign(buffer, read);
    // A sketch that begins "refused" is refused only once the document has been cleared.
    if (m_content.compare(0, 7, "refused") == 0) {
        m_content.clear();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CSketchDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    g_calls.push_back("doc:save " + Narrow(lpszPathName));
    CFileException error;
    CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &error);
    if (!pFile) {
        ReportSaveLoadException(lpszPathName, &error, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    pFile->Write(m_content.data(), (UINT)m_content.size());
    ReleaseFile(pFile, FALSE);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CSketchDoc::OnToggle()
{
    g_calls.push_back("doc:toggle");
}

void CSketchDoc::OnUpdateToggle(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_switch);
    pCmdUI->SetCheck(m_switch ? 1 : 0);
}

void CSketchDoc::OnDocOnly()
{
    g_calls.push_back("doc:doconly");
}

IMPLEMENT_DYNCREATE(CSketchTree, CTreeView)

BEGIN_MESSAGE_MAP(CSketchTree, CTreeView)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, &CSketchTree::OnSelChanged)
END_MESSAGE_MAP()

int CSketchTree::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    lpCreateStruct->style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    return CTreeView::OnCreate(lpCreateStruct);
}

void CSketchTree::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEW* info = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    g_calls.push_back("tree:selchanged " + Narrow(GetTreeCtrl().GetItemText(info->itemNew.hItem)));
    *pResult = 0;
}

IMPLEMENT_DYNCREATE(CSketchView, CScrollView)

BEGIN_MESSAGE_MAP(CSketchView, CScrollView)
    ON_COMMAND(ID_TEST_VIEWONLY, &CSketchView::OnViewOnly)
    ON_COMMAND(ID_TEST_THROW, &CSketchView::OnThrow)
END_MESSAGE_MAP()

void CSketchView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(2000, 2000));
    CScrollView::OnInitialUpdate();
}

void CSketchView::OnDraw(CDC* pDC)
{
    ++m_draws;
    m_lastOrigin = pDC->GetViewportOrg();
    CBrush red(RGB(255, 0, 0));
    CRect mark(150, 250, 170, 270);   // in the drawing's own coordinates
    pDC->FillRect(&mark, &red);
    pDC->TextOut(20, 20, CString(_T("Framework test: the red square sits at (150, 250) of the drawing")));
}

void CSketchView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    ++m_updates;
    CScrollView::OnUpdate(pSender, lHint, pHint);
}

void CSketchView::OnViewOnly()
{
    g_calls.push_back("view:viewonly");
}

void CSketchView::OnThrow()
{
    throw std::runtime_error("thrown by a command handler");
}

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_FRAMEONLY, &CMainFrame::OnFrameOnly)
END_MESSAGE_MAP()

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT,
                            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                CBRS_SIZE_DYNAMIC) ||
        !m_toolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    static const UINT indicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 4))
        return -1;
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!m_splitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST) ||
        !m_splitter.CreateView(0, 0, RUNTIME_CLASS(CSketchTree), CSize(200, 50), pContext) ||
        !m_splitter.CreateView(0, 1, pContext->m_pNewViewClass, CSize(10, 1000), pContext))
        return FALSE;
    SetActiveView(static_cast<CView*>(m_splitter.GetPane(0, 0)));
    return TRUE;
}

void CMainFrame::OnFrameOnly()
{
    g_calls.push_back("frame:frameonly");
}

BEGIN_MESSAGE_MAP(CSketchApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_TEST_APPONLY, &CSketchApp::OnAppOnly)
END_MESSAGE_MAP()

BOOL CSketchApp::InitInstance()
{
    CWinApp::InitInstance();
    AfxOleInit();
    SetRegistryKey(_T("FrameworkTests"));
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CSketchDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CSketchView)));
    CCommandLineInfo info;   // no file named: a new document
    if (!ProcessShellCommand(info))
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    m_pMainWnd->DragAcceptFiles();
    return TRUE;
}

void CSketchApp::OnAppOnly()
{
    g_calls.push_back("app:apponly");
}

namespace {
CSketchApp theApp;
}

CSketchApp& App()
{
    static bool started = false;
    if (!started) {
        started = true;
        theApp.m_hInstance = ::GetModuleHandle(nullptr);
        theApp.InitApplicationNames();
        if (!theApp.InitInstance())
            throw std::runtime_error("the test application did not start");
        ::MoveWindow(theApp.m_pMainWnd->m_hWnd, 0, 0, 900, 600, TRUE);
        Pump();
    }
    return theApp;
}

CMainFrame& Frame()
{
    return *static_cast<CMainFrame*>(App().m_pMainWnd);
}

CSketchDoc& Doc()
{
    return *static_cast<CSketchDoc*>(App().GetDocTemplates().front()->GetFirstDocument());
}

CSketchTree& Tree()
{
    return *static_cast<CSketchTree*>(Frame().m_splitter.GetPane(0, 0));
}

CSketchView& View()
{
    return *static_cast<CSketchView*>(Frame().m_splitter.GetPane(0, 1));
}

void Pump()
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!theApp.PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
            AfxRethrowPendingException();
        }
        theApp.OnIdle(0);
        theApp.OnIdle(1);
    }
}

CString TempPath(LPCTSTR name)
{
    TCHAR folder[MAX_PATH];
    ::GetTempPath(MAX_PATH, folder);
    return CString(folder) + name;
}

namespace {

template <class Char>
HDROP DropOf(const std::basic_string<Char>& path)
{
    HGLOBAL drop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + (path.size() + 2) * sizeof(Char));
    DROPFILES* files = static_cast<DROPFILES*>(::GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = sizeof(Char) == 2;
    path.copy(reinterpret_cast<Char*>(files + 1), path.size());
    ::GlobalUnlock(drop);
    return static_cast<HDROP>(drop);
}

} // namespace

HDROP MakeDrop(const CString& path)
{
    return DropOf(std::basic_string<TCHAR>(path.GetString()));
}

HDROP MakeDrop(const std::wstring& path)
{
    return DropOf(path);
}
