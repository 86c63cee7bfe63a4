// Views: joining their document, painting, activation and pane switching.
#include "framework/CView.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CSplitterWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/Globals.h"
#include "framework/MessageMapEntries.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_MOUSEACTIVATE, &CView::OnMouseActivate)
    ON_MESSAGE(AFX_WM_INITIALUPDATE, &CView::OnInitialUpdateMessage)
    ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnNextPaneCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnUpdateNextPaneMenu)
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    // A view draws from its client rectangle: a new width or height, the window's
    // or the scroll bars', has it drawn again whole.
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC*)
{
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && ::GetFocus() != m_hWnd)
        SetFocus();
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->GetActiveView() != this)
        pFrame->SetActiveView(this, FALSE);
}

LRESULT CView::OnMouseActivate(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (result == MA_NOACTIVATEANDEAT || result == MA_ACTIVATEANDEAT)
        return result;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame)
        pFrame->SetActiveView(this);
    return result;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnNextPaneCmd(UINT nID)
{
    CWnd* pParent = GetParent();
    if (pParent && pParent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
        static_cast<CSplitterWnd*>(pParent)->ActivateNext(nID == ID_PREV_PANE);
}

void CView::OnUpdateNextPaneMenu(CCmdUI* pCmdUI)
{
    CWnd* pParent = GetParent();
    pCmdUI->Enable(pParent && pParent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)) &&
                   static_cast<CSplitterWnd*>(pParent)->CanActivateNext(pCmdUI->m_nID == ID_PREV_PANE));
}
