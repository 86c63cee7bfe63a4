// CBrowserMenuItem: the skinned text, icon or bitmap item of the installer's pages.
#include "Setup/wizard/BrowserMenuItem.h"

#include <windowsx.h>

BEGIN_MESSAGE_MAP(CBrowserMenuItem, CStatic)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CBrowserMenuItem::CBrowserMenuItem() : m_item(1)
{
}

CBrowserMenuItem::~CBrowserMenuItem() = default;

COLORREF CBrowserMenuItem::SchemeColor(int scheme, bool enabled)
{
    switch (scheme) {
    case 0: return enabled ? RGB(240, 240, 240) : RGB(145, 145, 145);
    case 1: return enabled ? RGB(0, 0, 0) : RGB(173, 193, 214);
    case 2: return enabled ? RGB(161, 172, 180) : RGB(173, 193, 214);
    case 3: return enabled ? RGB(112, 112, 112) : RGB(173, 193, 214);
    default: return enabled ? RGB(42, 63, 85) : RGB(173, 193, 214);
    }
}

void CBrowserMenuItem::SetText(const CString& text)
{
    bool wasText = m_contentKind == CSkinnedItem::kText;
    m_contentKind = CSkinnedItem::kText;
    if (m_item.ChangeText(text) || !wasText)
        Redraw();
}

void CBrowserMenuItem::SetTextId(UINT nStringID)
{
    CString text;
    text.LoadString(nStringID);
    SetText(text);
}

void CBrowserMenuItem::SetAlignment(UINT format)
{
    m_item.ChangeFormat(format);
}

void CBrowserMenuItem::SetFontSize(int points)
{
    m_item.ChangeFontSize(points);
    Redraw();
}

void CBrowserMenuItem::SetColorScheme(int scheme)
{
    m_item.m_colorScheme = scheme;
}

void CBrowserMenuItem::SetIcon(UINT nIDResource)
{
    ShowImage(CSkinnedItem::kIcon, static_cast<int>(nIDResource));
}

void CBrowserMenuItem::SetBitmap(UINT nIDResource)
{
    ShowImage(CSkinnedItem::kBitmap, static_cast<int>(nIDResource));
}

void CBrowserMenuItem::ShowImage(int kind, int imageId)
{
    if (m_contentKind == kind && m_imageId == imageId)
        return;
    m_imageId = imageId;
    m_contentKind = kind;
    Redraw();
}

bool CBrowserMenuItem::SetBitmap(LPCTSTR lpszPath)
{
    m_imageId = -1;
    m_contentKind = CSkinnedItem::kBitmap;
    if (GetFileAttributesW(lpszPath) == INVALID_FILE_ATTRIBUTES)
        return false;
    HANDLE image = LoadImageW(nullptr, lpszPath, IMAGE_BITMAP, 0, 0,
                              LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_LOADFROMFILE);
    if (!image)
        return false;
    m_fileBitmap.DeleteObject();
    return m_fileBitmap.Attach(image) != FALSE;
}

void CBrowserMenuItem::SetHoverLink(UINT nStringID, CBrowserMenuItem* pStatus, int kind)
{
    m_item.SetHoverLink(nStringID, pStatus, kind, m_imageId);
}

void CBrowserMenuItem::SetHoverLink(CBrowserMenuItem* pStatus, const CString& text)
{
    m_item.SetHoverLink(pStatus, text);
}

void CBrowserMenuItem::SetPassive(BOOL bPassive)
{
    m_item.m_passive = bPassive != FALSE;
}

void CBrowserMenuItem::Redraw()
{
    CWnd* parent = m_hWnd ? GetParent() : nullptr;
    if (!parent)
        return;
    CRect area;
    GetClientRect(&area);
    ::MapWindowPoints(m_hWnd, parent->m_hWnd, reinterpret_cast<LPPOINT>(&area), 2);
    area.InflateRect(5, 0);
    parent->InvalidateRect(&area, TRUE);
}

void CBrowserMenuItem::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    GetWindowText(m_item.m_text);
    m_item.m_extentValid = false;
    CStatic::PreSubclassWindow();
}

void CBrowserMenuItem::OnPaint()
{
    m_item.CreateFontFor(*this);
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    DrawContent(dc, client);
}

void CBrowserMenuItem::DrawContent(CDC& dc, const CRect& client)
{
    int width = client.Width();
    int height = client.Height();
    if (m_contentKind == CSkinnedItem::kIcon) {
        if (HICON icon = LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_imageId)))
            dc.DrawIcon(client.left + (width - 11) / 2, client.top + (height - 12) / 2, icon);
        return;
    }
    if (m_contentKind == CSkinnedItem::kBitmap) {
        CBitmap resource;
        CBitmap* bitmap = &m_fileBitmap;
        if (m_imageId >= 0) {
            if (!resource.LoadBitmap(static_cast<UINT>(m_imageId)))
                return;
            bitmap = &resource;
        }
        BITMAP info = {};
        CDC memory;
        if (!bitmap->m_hObject || !bitmap->GetBitmap(&info) || !memory.CreateCompatibleDC(&dc))
            return;
        CBitmap* previous = memory.SelectObject(bitmap);
        dc.BitBlt(client.left + (width - info.bmWidth) / 2, client.top + (height - info.bmHeight) / 2, info.bmWidth,
                  info.bmHeight, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(previous);
        return;
    }
    CFont* previous = m_item.m_fontCreated ? dc.SelectObject(&m_item.m_font) : nullptr;
    dc.SetTextColor(SchemeColor(m_item.m_colorScheme, IsWindowEnabled() != FALSE));
    dc.SetBkMode(TRANSPARENT);
    CRect box = client;
    dc.DrawText(m_item.m_text, &box, m_item.m_format | DT_NOCLIP);
    if (previous)
        dc.SelectObject(previous);
}

void CBrowserMenuItem::OnDestroy()
{
    CStatic::OnDestroy();
    m_item.DeleteItemFont();
}

void CBrowserMenuItem::MeasureText()
{
    if (m_item.m_extentValid || !m_item.m_fontCreated)
        return;
    CClientDC dc(this);
    CFont* previous = dc.SelectObject(&m_item.m_font);
    CSize size = dc.GetTextExtent(m_item.m_text);
    dc.SelectObject(previous);
    CRect client;
    GetClientRect(&client);
    m_extent.top = client.top;
    m_extent.bottom = size.cy;
    switch (m_item.m_format) {
    case DT_WORDBREAK | DT_CENTER:
        m_extent.left = (client.right - size.cx) / 2;
        m_extent.right = client.right - (client.right - size.cx) / 2;
        break;
    case DT_WORDBREAK | DT_RIGHT:
        m_extent.left = client.right - size.cx;
        m_extent.right = client.right;
        break;
    default:
        m_extent.left = 0;
        m_extent.right = size.cx;
        break;
    }
    m_item.m_extentValid = true;
}

bool CBrowserMenuItem::HitTest(CPoint point) const
{
    return m_item.m_extentValid && m_extent.left < point.x && point.x < m_extent.right && m_extent.top <= point.y &&
           point.y < m_extent.bottom;
}

BOOL CBrowserMenuItem::IsCursorOverText()
{
    DWORD position = GetMessagePos();
    CPoint point(GET_X_LPARAM(position), GET_Y_LPARAM(position));
    ScreenToClient(&point);
    return HitTest(point);
}

void CBrowserMenuItem::OnMouseMove(UINT, CPoint point)
{
    if (m_item.m_passive)
        return;   // not even the control's own handling
    if (!m_item.StartTracking(m_hWnd)) {
        MeasureText();
        m_item.ShowHover(HitTest(point), m_imageId);
    }
    Default();
}

void CBrowserMenuItem::OnMouseLeave()
{
    m_item.OnMouseLeave();
}
