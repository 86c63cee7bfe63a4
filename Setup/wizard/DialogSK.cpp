// CDialogSK: the skinned dialog with its background bitmap, translucency and dragging.
#include "Setup/wizard/DialogSK.h"

namespace {
int g_testPixelsPerInch = 0;
}

CDialogSK::SetLayeredAttributesCall CDialogSK::s_setLayeredAttributes = nullptr;

CString& SetupTitleText()
{
    static CString title;
    return title;
}

BEGIN_MESSAGE_MAP(CDialogSK, CDialog)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CDialogSK::CDialogSK()
{
    Initialise();
}

CDialogSK::CDialogSK(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd)
{
    Initialise();
}

CDialogSK::CDialogSK(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog(lpszTemplateName, pParentWnd)
{
    Initialise();
}

CDialogSK::~CDialogSK()
{
    DeleteBackground();
}

void CDialogSK::Initialise()
{
    // Systems without layered windows lack the call: the transparency calls then fail.
    s_setLayeredAttributes = reinterpret_cast<SetLayeredAttributesCall>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"USER32.DLL"), "SetLayeredWindowAttributes")));
}

void CDialogSK::SetPixelsPerInchForTest(int dpi)
{
    g_testPixelsPerInch = dpi;
}

void CDialogSK::DeleteBackground()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_bitmapSize = CSize(0, 0);
    m_scaledSize = CSize(0, 0);
}

BOOL CDialogSK::SetBackground(UINT nIDResource)
{
    HANDLE image = LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource), IMAGE_BITMAP, 0, 0,
                              LR_DEFAULTCOLOR);
    // A missing resource leaves no background, and says so.
    return SetBackground(static_cast<HBITMAP>(image)) && image;
}

BOOL CDialogSK::SetBackground(LPCTSTR lpszPath)
{
    HANDLE image = LoadImageW(nullptr, lpszPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    return SetBackground(static_cast<HBITMAP>(image)) && image;
}

BOOL CDialogSK::SetBackground(HBITMAP hBitmap)
{
    if (hBitmap != m_hBitmap)   // the bitmap already held is kept, not deleted under itself
        DeleteBackground();
    m_hBitmap = hBitmap;
    if (hBitmap) {
        BITMAP record = {};
        if (!GetObjectW(hBitmap, sizeof(record), &record)) {
            DeleteBackground();
            return FALSE;
        }
        int dpi = g_testPixelsPerInch;
        if (!dpi) {
            HDC dc = ::GetDC(m_hWnd);
            dpi = GetDeviceCaps(dc, LOGPIXELSX);
            ::ReleaseDC(m_hWnd, dc);
        }
        m_bitmapSize = CSize(record.bmWidth, record.bmHeight);
        m_scaledSize = CSize(static_cast<int>(record.bmWidth * dpi / 96.0),
                             static_cast<int>(record.bmHeight * dpi / 96.0));
    }
    if (m_hWnd)
        Invalidate(TRUE);
    return TRUE;
}

void CDialogSK::SetStyle(int mode)
{
    m_mode = mode;
    if (mode == kFitWindow && m_hBitmap && m_hWnd)
        SetWindowPos(nullptr, 0, 0, m_scaledSize.cx, m_scaledSize.cy, SWP_NOMOVE | SWP_NOOWNERZORDER);
}

void CDialogSK::EnableDrag(BOOL bDrag)
{
    m_bDrag = bDrag;
}

void CDialogSK::RedrawAll()
{
    RedrawWindow(nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

BOOL CDialogSK::SetTransparent(BYTE alpha)
{
    if (!s_setLayeredAttributes)
        return FALSE;
    if (alpha == 255) {
        ModifyStyleEx(WS_EX_LAYERED, 0);
        RedrawAll();
    } else {
        ModifyStyleEx(0, WS_EX_LAYERED);
        s_setLayeredAttributes(m_hWnd, 0, alpha, LWA_ALPHA);
    }
    return TRUE;
}

BOOL CDialogSK::SetTransparentColor(COLORREF colour, BOOL bEnable)
{
    if (!s_setLayeredAttributes)
        return FALSE;
    if (bEnable) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        s_setLayeredAttributes(m_hWnd, colour, 0, LWA_COLORKEY);
    } else {
        ModifyStyleEx(WS_EX_LAYERED, 0);
        RedrawAll();
    }
    return TRUE;
}

void CDialogSK::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CDialogSK::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

int CDialogSK::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetWindowText(SetupTitleText());
    return 0;
}

void CDialogSK::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bDrag) {
        // The window's own move loop takes over, as if the caption had been grabbed.
        CPoint screen = point;
        ClientToScreen(&screen);
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CDialogSK::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_hBitmap)
        Invalidate(TRUE);
}

BOOL CDialogSK::OnEraseBkgnd(CDC* pDC)
{
    BOOL result = CWnd::OnEraseBkgnd(pDC);
    if (!m_hBitmap)
        return result;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return result;
    HGDIOBJ previous = ::SelectObject(memory, m_hBitmap);
    DrawBackground(*pDC, memory, client);
    ::SelectObject(memory, previous);
    return result;
}

void CDialogSK::DrawBackground(CDC& target, CDC& bitmap, const CRect& client) const
{
    int width = client.Width();
    int height = client.Height();
    switch (m_mode) {
    case kStretch:
    case kStretchToo:
    case kFitWindow:
        target.StretchBlt(0, 0, width, height, &bitmap, 0, 0, m_bitmapSize.cx, m_bitmapSize.cy, SRCCOPY);
        break;
    case kTile:
        // A bitmap scaled to nothing is drawn once rather than tiled without end.
        if (m_scaledSize.cx <= 0 || m_scaledSize.cy <= 0) {
            target.BitBlt(0, 0, width, height, &bitmap, 0, 0, SRCCOPY);
            break;
        }
        for (int y = 0; y < height; y += m_scaledSize.cy)
            for (int x = 0; x < width; x += m_scaledSize.cx)
                target.BitBlt(x, y, width, height, &bitmap, 0, 0, SRCCOPY);
        break;
    case kCentre:
        // The whole bitmap: a window narrower than it shows its middle, cut on both sides.
        target.BitBlt((width - m_scaledSize.cx) >> 1, (height - m_scaledSize.cy) >> 1, m_bitmapSize.cx,
                      m_bitmapSize.cy, &bitmap, 0, 0, SRCCOPY);
        break;
    default:
        break;
    }
}
