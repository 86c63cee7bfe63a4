// Splitter panes: creation, layout, dragging the bars and moving between panes.
#include "framework/CSplitterWnd.h"
#include "framework/CCreateContext.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/Globals.h"
#include "framework/MessageMapEntries.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16)
        return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    m_rows.assign((size_t)nRows, Track{ 0, 0, 0 });
    m_cols.assign((size_t)nCols, Track{ 0, 0, 0 });
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, nullptr, (HBRUSH)(COLOR_BTNFACE + 1));
    CRect rect;
    pParentWnd->GetClientRect(&rect);
    return CreateEx(0, cls, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, 0, 0, rect.Width(), rect.Height(),
                    pParentWnd->m_hWnd, (HMENU)(UINT_PTR)nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col))
        return FALSE;
    m_cols[(size_t)col].ideal = sizeInit.cx;
    m_rows[(size_t)row].ideal = sizeInit.cy;
    CObject* pObject = pViewClass ? pViewClass->CreateObject() : nullptr;
    CWnd* pPane = dynamic_cast<CWnd*>(pObject);
    if (!pPane) {
        delete pObject;
        return FALSE;
    }
    if (!pPane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, sizeInit.cx, sizeInit.cy), this,
                       (UINT)IdFromRowCol(row, col), pContext)) {
        if (!pPane->m_hWnd)
            delete pPane;
        return FALSE;
    }
    pPane->ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    RecalcLayout();
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return pane ? FromHandle(pane) : nullptr;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    m_cols[(size_t)col].ideal = cxIdeal;
    m_cols[(size_t)col].minimum = cxMin;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    m_rows[(size_t)row].ideal = cyIdeal;
    m_rows[(size_t)row].minimum = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = m_cols[(size_t)col].current;
    cxMin = m_cols[(size_t)col].minimum;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = m_rows[(size_t)row].current;
    cyMin = m_rows[(size_t)row].minimum;
}

void CSplitterWnd::Layout(std::vector<Track>& tracks, int total)
{
    int left = total - kBarSize * ((int)tracks.size() - 1);
    for (size_t i = 0; i < tracks.size(); ++i) {
        Track& t = tracks[i];
        if (i + 1 == tracks.size()) {
            t.current = left;
        } else {
            t.current = t.ideal < left ? t.ideal : left;
        }
        if (t.current < 0)
            t.current = 0;
        left -= t.current;
    }
}

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    Layout(m_cols, client.Width());
    Layout(m_rows, client.Height());
    int y = 0;
    for (int row = 0; row < m_nRows; ++row) {
        int x = 0;
        for (int col = 0; col < m_nCols; ++col) {
            if (HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col)))
                ::MoveWindow(pane, x, y, m_cols[(size_t)col].current, m_rows[(size_t)row].current, TRUE);
            x += m_cols[(size_t)col].current + kBarSize;
        }
        y += m_rows[(size_t)row].current + kBarSize;
    }
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

int CSplitterWnd::HitBar(CPoint point, bool& vertical) const
{
    int x = 0;
    for (int col = 0; col + 1 < m_nCols; ++col) {
        x += m_cols[(size_t)col].current;
        if (point.x >= x && point.x < x + kBarSize) {
            vertical = true;
            return col;
        }
        x += kBarSize;
    }
    int y = 0;
    for (int row = 0; row + 1 < m_nRows; ++row) {
        y += m_rows[(size_t)row].current;
        if (point.y >= y && point.y < y + kBarSize) {
            vertical = false;
            return row;
        }
        y += kBarSize;
    }
    return -1;
}

int CSplitterWnd::BarStart(int bar, bool vertical) const
{
    const std::vector<Track>& tracks = vertical ? m_cols : m_rows;
    int start = 0;
    for (int i = 0; i < bar; ++i)
        start += tracks[(size_t)i].current + kBarSize;
    return start + tracks[(size_t)bar].current;
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    m_dragBar = HitBar(point, m_dragVertical);
    if (m_dragBar < 0)
        return;
    m_dragOffset = (m_dragVertical ? point.x : point.y) - BarStart(m_dragBar, m_dragVertical);
    ::SetCapture(m_hWnd);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    if (m_dragBar < 0 || ::GetCapture() != m_hWnd)
        return;
    std::vector<Track>& tracks = m_dragVertical ? m_cols : m_rows;
    int paneStart = BarStart(m_dragBar, m_dragVertical) - tracks[(size_t)m_dragBar].current;
    int size = (m_dragVertical ? point.x : point.y) - m_dragOffset - paneStart;
    Track& t = tracks[(size_t)m_dragBar];
    t.ideal = size < t.minimum ? t.minimum : size;
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint)
{
    if (m_dragBar >= 0 && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_dragBar = -1;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        bool vertical = true;
        if (HitBar(point, vertical) >= 0) {
            ::SetCursor(::LoadCursor(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CSplitterWnd::CanActivateNext(BOOL)
{
    return m_nRows * m_nCols > 1;
}

void CSplitterWnd::ActivateNext(BOOL bPrev)
{
    int count = m_nRows * m_nCols;
    int current = 0;
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pActive = pFrame && pFrame->GetActiveView() ? pFrame->GetActiveView() : CWnd::GetFocus();
    for (int i = 0; i < count; ++i) {
        if (GetPane(i / m_nCols, i % m_nCols) == pActive)
            current = i;
    }
    int next = (current + (bPrev ? count - 1 : 1)) % count;
    CWnd* pPane = GetPane(next / m_nCols, next % m_nCols);
    if (!pPane)
        return;
    if (pFrame && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView(static_cast<CView*>(pPane));
    else
        pPane->SetFocus();
}
