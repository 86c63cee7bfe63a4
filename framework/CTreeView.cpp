// The tree view: a view whose window is the common tree control.
#include "framework/CTreeView.h"
#include "framework/MessageMapEntries.h"

IMPLEMENT_DYNCREATE(CTreeView, CView)

BEGIN_MESSAGE_MAP(CTreeView, CView)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CTreeCtrl& CTreeView::GetTreeCtrl() const
{
    m_tree.m_hWnd = m_hWnd;
    return m_tree;
}

BOOL CTreeView::PreCreateWindow(CREATESTRUCT& cs)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_TREEVIEW_CLASSES };
    ::InitCommonControlsEx(&icc);
    cs.lpszClass = WC_TREEVIEW;
    return CView::PreCreateWindow(cs);
}

void CTreeView::OnDraw(CDC*)
{
}

void CTreeView::OnPaint()
{
    Default();   // the control paints itself
}

BOOL CTreeView::OnEraseBkgnd(CDC* pDC)
{
    return CWnd::OnEraseBkgnd(pDC);
}
