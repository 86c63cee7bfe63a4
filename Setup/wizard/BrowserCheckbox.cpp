// CBrowserCheckbox: the hand-drawn check box of the installer's pages.
#include "Setup/wizard/BrowserCheckbox.h"

BEGIN_MESSAGE_MAP(CBrowserCheckbox, CButton)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    // The button paints itself on these, in the system's look: paint it over again.
    ON_MESSAGE(WM_ENABLE, &CBrowserCheckbox::OnStateChanged)
    ON_MESSAGE(WM_SETTEXT, &CBrowserCheckbox::OnStateChanged)
    ON_MESSAGE(WM_SETFOCUS, &CBrowserCheckbox::OnStateChanged)
    ON_MESSAGE(WM_KILLFOCUS, &CBrowserCheckbox::OnStateChanged)
    ON_MESSAGE(WM_UPDATEUISTATE, &CBrowserCheckbox::OnStateChanged)
    ON_MESSAGE(BM_SETCHECK, &CBrowserCheckbox::OnStateChanged)
    ON_MESSAGE(BM_SETSTATE, &CBrowserCheckbox::OnStateChanged)
END_MESSAGE_MAP()

CBrowserCheckbox::CBrowserCheckbox() : m_item(4)
{
}

CBrowserCheckbox::~CBrowserCheckbox()
{
    if (m_hPreviousBitmap)
        ::SelectObject(m_snapshotDC, m_hPreviousBitmap);
}

COLORREF CBrowserCheckbox::SchemeColor(int scheme, bool enabled)
{
    if (!enabled)
        return RGB(173, 193, 214);
    switch (scheme) {
    case 0: return RGB(240, 240, 240);
    case 1: return RGB(0, 0, 0);
    default: return RGB(42, 63, 85);
    }
}

void CBrowserCheckbox::SetText(const CString& text)
{
    if (m_item.ChangeText(text))
        Redraw();
}

void CBrowserCheckbox::SetTextId(UINT nStringID)
{
    CString text;
    text.LoadString(nStringID);
    SetText(text);
}

void CBrowserCheckbox::SetFontSize(int points)
{
    m_item.ChangeFontSize(points);
    Redraw();
}

void CBrowserCheckbox::SetColorScheme(int scheme)
{
    m_item.m_colorScheme = scheme;
}

void CBrowserCheckbox::SetAlignment(UINT format)
{
    m_item.ChangeFormat(format);
}

void CBrowserCheckbox::SetHoverLink(UINT nStringID, CBrowserMenuItem* pStatus, int kind)
{
    m_item.SetHoverLink(nStringID, pStatus, kind, m_hoverId);
}

void CBrowserCheckbox::SetHoverLink(CBrowserMenuItem* pStatus, const CString& text)
{
    m_item.SetHoverLink(pStatus, text);
}

void CBrowserCheckbox::SetPassive(BOOL bPassive)
{
    m_item.m_passive = bPassive != FALSE;
}

void CBrowserCheckbox::Redraw()
{
    if (!m_hWnd)
        return;
    Invalidate(TRUE);
    if (CWnd* parent = GetParent()) {
        CRect area;
        GetClientRect(&area);
        ::MapWindowPoints(m_hWnd, parent->m_hWnd, reinterpret_cast<LPPOINT>(&area), 2);
        parent->InvalidateRect(&area, TRUE);
    }
}

void CBrowserCheckbox::PaintParentBackground(CDC* pDC)
{
    CWnd* page = GetTopLevelParent();
    if (!page)
        return;
    CRect area;
    GetWindowRect(&area);
    page->ScreenToClient(&area);
    if (!m_snapshotDC.m_hDC) {
        CClientDC pageDC(page);
        if (!m_snapshotDC.CreateCompatibleDC(&pageDC))
            return;
        m_snapshot.CreateCompatibleBitmap(&pageDC, area.Width(), area.Height());
        m_hPreviousBitmap = ::SelectObject(m_snapshotDC, m_snapshot.m_hObject);
        m_snapshotDC.BitBlt(0, 0, area.Width(), area.Height(), &pageDC, area.left, area.top, SRCCOPY);
    }
    pDC->BitBlt(0, 0, area.Width(), area.Height(), &m_snapshotDC, 0, 0, SRCCOPY);
}

LRESULT CBrowserCheckbox::OnStateChanged(WPARAM, LPARAM)
{
    LRESULT result = Default();
    Redraw();
    return result;
}

void CBrowserCheckbox::PreSubclassWindow()
{
    ModifyStyle(0, BS_LEFT);
    GetWindowText(m_item.m_text);
    m_item.m_extentValid = false;
    CButton::PreSubclassWindow();
}

void CBrowserCheckbox::OnPaint()
{
    m_item.CreateFontFor(*this);
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);

    CRect box = client;
    box.right = box.left + 13;
    UINT state = DFCS_BUTTONCHECK | (GetCheck() == BST_CHECKED ? DFCS_CHECKED : 0);
    dc.DrawFrameControl(&box, DFC_BUTTON, state);

    CFont* previous = m_item.m_fontCreated ? dc.SelectObject(&m_item.m_font) : nullptr;
    dc.SetTextColor(SchemeColor(m_item.m_colorScheme, IsWindowEnabled() != FALSE));
    dc.SetBkMode(TRANSPARENT);
    CRect label = client;
    label.left += 20;
    dc.DrawText(m_item.m_text, &label, m_item.m_format);
    if (previous)
        dc.SelectObject(previous);
}

void CBrowserCheckbox::OnDestroy()
{
    CButton::OnDestroy();
    m_item.DeleteItemFont();
}

void CBrowserCheckbox::MeasureText()
{
    if (m_item.m_extentValid || !m_item.m_fontCreated)
        return;
    CClientDC dc(this);
    CFont* previous = dc.SelectObject(&m_item.m_font);
    m_extent = dc.GetTextExtent(m_item.m_text);
    dc.SelectObject(previous);
    m_item.m_extentValid = true;
}

bool CBrowserCheckbox::HitTest(CPoint point) const
{
    return m_item.m_extentValid && point.x >= 0 && point.x < m_extent.cx && point.y >= 0 && point.y < m_extent.cy;
}

void CBrowserCheckbox::OnMouseMove(UINT, CPoint point)
{
    if (m_item.m_passive)
        return;
    if (!m_item.StartTracking(m_hWnd)) {
        MeasureText();
        m_item.ShowHover(HitTest(point), m_hoverId);
    }
    Default();
}

void CBrowserCheckbox::OnMouseLeave()
{
    m_item.OnMouseLeave();
}
