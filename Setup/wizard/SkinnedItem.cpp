// CSkinnedItem: the font, hover link and mouse tracking of the skinned page items.
#include "Setup/wizard/SkinnedItem.h"

#include "Setup/wizard/BrowserMenuItem.h"

CSkinnedItem::CSkinnedItem(int colorScheme)
    : m_hHand(LoadCursorW(nullptr, IDC_HAND)), m_hArrow(LoadCursorW(nullptr, IDC_ARROW)),
      m_colorScheme(colorScheme)
{
}

bool CSkinnedItem::ChangeText(const CString& text)
{
    if (text == m_text)
        return false;
    m_text = text;
    m_extentValid = false;
    return true;
}

bool CSkinnedItem::ChangeFormat(UINT format)
{
    if (format == m_format)
        return false;
    m_format = format;
    m_extentValid = false;
    return true;
}

void CSkinnedItem::ChangeFontSize(int points)
{
    m_fontSize = points;
    DeleteItemFont();
    m_extentValid = false;
}

void CSkinnedItem::CreateFontFor(CWnd& control)
{
    if (m_fontCreated)
        return;
    CWnd* parent = control.GetParent();
    CFont* parentFont = parent ? parent->GetFont() : nullptr;
    LOGFONTW face = {};
    if (!parentFont || !parentFont->GetLogFont(&face))
        return;
    HDC dc = ::GetDC(control.m_hWnd);
    face.lfHeight = -MulDiv(m_fontSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ::ReleaseDC(control.m_hWnd, dc);
    face.lfWeight = FW_BOLD;
    m_font.DeleteObject();
    m_fontCreated = m_font.CreateFontIndirect(&face) != FALSE;
}

void CSkinnedItem::DeleteItemFont()
{
    m_font.DeleteObject();
    m_fontCreated = false;
}

void CSkinnedItem::SetHoverLink(UINT nStringID, CBrowserMenuItem* pStatus, int kind, int& imageId)
{
    m_pStatus = pStatus;
    m_hoverKind = kind;
    if (kind == kText)
        m_hoverText.LoadString(nStringID);
    else
        imageId = static_cast<int>(nStringID);
}

void CSkinnedItem::SetHoverLink(CBrowserMenuItem* pStatus, const CString& text)
{
    m_pStatus = pStatus;
    m_hoverText = text;
    m_hoverKind = kText;
}

bool CSkinnedItem::StartTracking(HWND control)
{
    if (m_tracking)
        return false;
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = control;
    _TrackMouseEvent(&track);
    m_tracking = true;
    return true;
}

void CSkinnedItem::ShowHover(bool overText, int imageId)
{
    ::SetCursor(overText ? m_hHand : m_hArrow);
    if (!m_pStatus)
        return;
    if (!overText) {
        m_pStatus->SetText(CString());
        return;
    }
    switch (m_hoverKind) {
    case kText:
        m_pStatus->SetText(CString(m_hoverText));
        break;
    case kIcon:
        m_pStatus->SetIcon(static_cast<UINT>(imageId));
        break;
    case kBitmap:
        m_pStatus->SetBitmap(static_cast<UINT>(imageId));
        break;
    default:
        break;
    }
}

void CSkinnedItem::OnMouseLeave()
{
    m_tracking = false;
    ::SetCursor(m_hArrow);
    if (m_pStatus) {
        m_pStatus->SetText(CString());
        m_pStatus->Redraw();
    }
}
