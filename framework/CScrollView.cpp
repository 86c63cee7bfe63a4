// Scroll bars and scroll position of a scroll view.
#include "framework/CScrollView.h"
#include "framework/MessageMapEntries.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = { 0, 0 };

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_MESSAGE(WM_HSCROLL, &CScrollView::OnHScroll)
    ON_MESSAGE(WM_VSCROLL, &CScrollView::OnVScroll)
    ON_MESSAGE(WM_MOUSEWHEEL, &CScrollView::OnMouseWheel)
END_MESSAGE_MAP()

BOOL CScrollView::PreCreateWindow(CREATESTRUCT& cs)
{
    return CView::PreCreateWindow(cs);
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalSize = sizeTotal;
    m_pageSize = sizePage;
    if (m_pageSize.cx == 0)
        m_pageSize.cx = m_totalSize.cx / 10;
    if (m_pageSize.cy == 0)
        m_pageSize.cy = m_totalSize.cy / 10;
    m_lineSize = sizeLine;
    if (m_lineSize.cx == 0)
        m_lineSize.cx = m_pageSize.cx / 10;
    if (m_lineSize.cy == 0)
        m_lineSize.cy = m_pageSize.cy / 10;
    if (m_hWnd)
        UpdateBars();
}

void CScrollView::OnPrepareDC(CDC* pDC)
{
    pDC->SetMapMode(m_nMapMode);
    pDC->SetViewportOrg(-m_scrollPos.x, -m_scrollPos.y);
}

void CScrollView::UpdateBars()
{
    // Set both bars until the client size stops changing: a bar that appears takes space.
    for (int pass = 0; pass < 3; ++pass) {
        CRect client;
        GetClientRect(&client);
        CPoint pos = m_scrollPos;
        int limitX = m_totalSize.cx - client.Width();
        int limitY = m_totalSize.cy - client.Height();
        pos.x = limitX > 0 ? (pos.x > limitX ? limitX : (pos.x < 0 ? 0 : pos.x)) : 0;
        pos.y = limitY > 0 ? (pos.y > limitY ? limitY : (pos.y < 0 ? 0 : pos.y)) : 0;
        if (pos != m_scrollPos) {
            ::ScrollWindowEx(m_hWnd, m_scrollPos.x - pos.x, m_scrollPos.y - pos.y, nullptr, nullptr, nullptr, nullptr,
                             SW_INVALIDATE | SW_ERASE);
            m_scrollPos = pos;
        }
        SCROLLINFO info = { sizeof(info), SIF_PAGE | SIF_POS | SIF_RANGE, 0, 0, 0, 0, 0 };
        info.nMax = m_totalSize.cx > 0 ? m_totalSize.cx - 1 : 0;
        info.nPage = (UINT)(client.Width() > 0 ? client.Width() : 0);
        info.nPos = m_scrollPos.x;
        ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
        info.nMax = m_totalSize.cy > 0 ? m_totalSize.cy - 1 : 0;
        info.nPage = (UINT)(client.Height() > 0 ? client.Height() : 0);
        info.nPos = m_scrollPos.y;
        ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
        CRect after;
        GetClientRect(&after);
        if (after == client)
            break;
    }
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CPoint target(pt);
    ::ScrollWindowEx(m_hWnd, m_scrollPos.x - target.x, m_scrollPos.y - target.y, nullptr, nullptr, nullptr, nullptr,
                     SW_INVALIDATE | SW_ERASE);
    m_scrollPos = target;
    UpdateBars();
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::ScrollBy(int bar, int code)
{
    SCROLLINFO info = { sizeof(info), SIF_ALL, 0, 0, 0, 0, 0 };
    ::GetScrollInfo(m_hWnd, bar, &info);
    bool horizontal = bar == SB_HORZ;
    int line = horizontal ? m_lineSize.cx : m_lineSize.cy;
    int page = horizontal ? m_pageSize.cx : m_pageSize.cy;
    int pos = horizontal ? m_scrollPos.x : m_scrollPos.y;
    switch (code) {
    case SB_LINEUP: pos -= line > 0 ? line : 1; break;
    case SB_LINEDOWN: pos += line > 0 ? line : 1; break;
    case SB_PAGEUP: pos -= page > 0 ? page : (int)info.nPage; break;
    case SB_PAGEDOWN: pos += page > 0 ? page : (int)info.nPage; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = info.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    default: return;
    }
    CPoint target = m_scrollPos;
    (horizontal ? target.x : target.y) = pos;
    ScrollToPosition(target);
}

LRESULT CScrollView::OnHScroll(WPARAM wParam, LPARAM)
{
    ScrollBy(SB_HORZ, LOWORD(wParam));
    return 0;
}

LRESULT CScrollView::OnVScroll(WPARAM wParam, LPARAM)
{
    ScrollBy(SB_VERT, LOWORD(wParam));
    return 0;
}

LRESULT CScrollView::OnMouseWheel(WPARAM wParam, LPARAM)
{
    int delta = (short)HIWORD(wParam);
    int steps = delta / WHEEL_DELTA * 3;
    for (int i = 0; i < (steps < 0 ? -steps : steps); ++i)
        ScrollBy(SB_VERT, steps < 0 ? SB_LINEDOWN : SB_LINEUP);
    return 0;
}
