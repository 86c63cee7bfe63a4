// Status bars: panes, their texts and the key indicators.
#include "framework/CStatusBar.h"
#include "framework/CDC.h"
#include "framework/CFrameWnd.h"
#include "framework/MessageMapEntries.h"
#include <commctrl.h>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    DWORD style = (dwStyle & (WS_CHILD | WS_VISIBLE)) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    return CWnd::CreateEx(0, STATUSCLASSNAME, nullptr, style, 0, 0, 0, 0, pParentWnd->m_hWnd, (HMENU)(UINT_PTR)nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_indicators.assign(lpIDArray, lpIDArray + nIDCount);
    m_widths.assign((size_t)nIDCount, 0);
    CClientDC dc(this);
    HGDIOBJ font = (HGDIOBJ)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ previous = font ? ::SelectObject(dc.m_hDC, font) : nullptr;
    for (int i = 0; i < nIDCount; ++i) {
        if (lpIDArray[i] == ID_SEPARATOR)
            continue;
        CString text = AfxLoadText(lpIDArray[i]);
        m_widths[(size_t)i] = dc.GetTextExtent(text).cx + 12;
    }
    if (previous)
        ::SelectObject(dc.m_hDC, previous);
    LayoutPanes();
    for (int i = 0; i < nIDCount; ++i) {
        if (lpIDArray[i] == ID_SEPARATOR)
            SetPaneText(i, AfxLoadText(AFX_IDS_IDLEMESSAGE).GetString());
    }
    return TRUE;
}

void CStatusBar::LayoutPanes()
{
    if (m_indicators.empty())
        return;
    CRect client;
    GetClientRect(&client);
    // The last pane runs to the edge; each pane before it ends where the next begins.
    size_t count = m_indicators.size();
    std::vector<int> edges(count, -1);
    int x = client.Width();
    for (size_t i = count - 1; i > 0; --i) {
        x -= m_widths[i];
        edges[i - 1] = x;
    }
    SendMessage(SB_SETPARTS, (WPARAM)edges.size(), (LPARAM)edges.data());
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    LayoutPanes();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (GetPaneText(nIndex) == (lpszNewText ? lpszNewText : _T("")))
        return TRUE;
    BOOL ok = (BOOL)::SendMessage(m_hWnd, SB_SETTEXT, (WPARAM)nIndex, (LPARAM)lpszNewText);
    if (bUpdate)
        ::UpdateWindow(m_hWnd);
    return ok;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    int length = LOWORD(::SendMessage(m_hWnd, SB_GETTEXTLENGTH, (WPARAM)nIndex, 0));
    std::vector<TCHAR> text((size_t)length + 1, 0);
    ::SendMessage(m_hWnd, SB_GETTEXT, (WPARAM)nIndex, (LPARAM)text.data());
    return CString(text.data());
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_indicators.size(); ++i) {
        if (m_indicators[i] == nIDFind)
            return (int)i;
    }
    return -1;
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    CClientDC dc(this);
    HGDIOBJ font = (HGDIOBJ)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ previous = font ? ::SelectObject(dc.m_hDC, font) : nullptr;
    TEXTMETRIC metrics = {};
    dc.GetTextMetrics(&metrics);
    if (previous)
        ::SelectObject(dc.m_hDC, previous);
    return CSize(32767, metrics.tmHeight + 8);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The key indicators show their text while the lock is on.
    for (size_t i = 0; i < m_indicators.size(); ++i) {
        int key = 0;
        switch (m_indicators[i]) {
        case ID_INDICATOR_CAPS: key = VK_CAPITAL; break;
        case ID_INDICATOR_NUM: key = VK_NUMLOCK; break;
        case ID_INDICATOR_SCRL: key = VK_SCROLL; break;
        default: continue;
        }
        bool on = (::GetKeyState(key) & 1) != 0;
        SetPaneText((int)i, on ? AfxLoadText(m_indicators[i]).GetString() : _T(""), FALSE);
    }
}
