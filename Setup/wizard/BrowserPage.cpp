// CBrowserPage: the base of the wizard's pages.
#include "Setup/wizard/BrowserPage.h"

namespace {

// The last click a page took: its time and the page.
DWORD g_lastClickAt = 0;
const CBrowserPage* g_lastClickPage = nullptr;

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
// second click of a double click begun on another page (a double click on Next, whose
// first click brought this page) is not for this one either.
bool CBrowserPage::IsOwnClick(const MSG& msg) const
{
    if (IsEarlier(msg.time, m_shownAt))
        return false;
    return g_lastClickPage == this || g_lastClickPage == nullptr ||
           msg.time - g_lastClickAt > GetDoubleClickTime();
}

BOOL CBrowserPage::PreTranslateMessage(MSG* pMsg)
{
    if (IsButtonDown(pMsg->message)) {
        if (!IsOwnClick(*pMsg))
            return TRUE;
        g_lastClickAt = pMsg->time;
        g_lastClickPage = this;
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
