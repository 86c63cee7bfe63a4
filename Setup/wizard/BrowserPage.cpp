// CBrowserPage: the base of the wizard's pages.
#include "Setup/wizard/BrowserPage.h"

#include <cstdlib>

namespace {

// The last press of a mouse button on a page: its time, its place on the screen, the
// page that took it (null when none did), and whether a press after it can make a
// double click with it (not when it was itself the second press of one).
struct Press
{
    DWORD time;
    POINT point;
    const CBrowserPage* page;
    bool beginsDoubleClick;
};
Press g_lastPress = {0, {0, 0}, nullptr, false};

bool IsButtonDown(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

// Whether the tick count a comes before b (the count wraps after 49 days).
bool IsEarlier(DWORD a, DWORD b)
{
    return static_cast<LONG>(a - b) < 0;
}

// Whether a press is the second of a double click as Windows counts one: within the
// double-click time of the last press and within the double-click rectangle around it.
bool IsSecondOfDoubleClick(const MSG& msg)
{
    return g_lastPress.beginsDoubleClick && msg.time - g_lastPress.time <= GetDoubleClickTime() &&
           abs(msg.pt.x - g_lastPress.point.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           abs(msg.pt.y - g_lastPress.point.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

}  // namespace

BEGIN_MESSAGE_MAP(CBrowserPage, CDialogSK)
END_MESSAGE_MAP()

CBrowserPage::CBrowserPage() = default;

CBrowserPage::CBrowserPage(UINT nIDTemplate, CWnd* pParentWnd) : CDialogSK(nIDTemplate, pParentWnd)
{
}

CBrowserPage::CBrowserPage(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialogSK(lpszTemplateName, pParentWnd)
{
}

CBrowserPage::~CBrowserPage() = default;

void CBrowserPage::SetController(CBrowserController* pController)
{
    m_pController = pController;
}

void CBrowserPage::OnPageShown()
{
}

void CBrowserPage::MarkShown()
{
    m_shownAt = GetTickCount();
}

// The items of one page lie where another page's are (Next, Cancel, Finish). A click
// counts only on the page where its button went down after the page appeared; and the
// second click of a double click begun elsewhere (a double click on Next, whose first
// click brought this page) is not for this one either. Any other click is the user's
// own, however soon it follows one on another page.
bool CBrowserPage::IsOwnClick(const MSG& msg) const
{
    if (IsEarlier(msg.time, m_shownAt))
        return false;
    return g_lastPress.page == this || !IsSecondOfDoubleClick(msg);
}

BOOL CBrowserPage::PreTranslateMessage(MSG* pMsg)
{
    if (IsButtonDown(pMsg->message)) {
        bool own = IsOwnClick(*pMsg);
        g_lastPress = {pMsg->time, pMsg->pt, own ? this : nullptr, !IsSecondOfDoubleClick(*pMsg)};
        if (!own)
            return TRUE;
    }
    return CDialogSK::PreTranslateMessage(pMsg);
}

void CBrowserPage::DoDataExchange(CDataExchange* pDX)
{
    CDialogSK::DoDataExchange(pDX);
}

BOOL CBrowserPage::OnInitDialog()
{
    CDialogSK::OnInitDialog();
    return TRUE;
}

void CBrowserPage::OnOK()
{
}

void CBrowserPage::OnCancel()
{
}
