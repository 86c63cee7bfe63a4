// CBrowserPage: the base of the wizard's pages.
#include "Setup/wizard/BrowserPage.h"

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
