// The pages that install a redistributable (see RedistributablePage.h).
#include "Setup/pages/RedistributablePage.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/wizard/PageStyle.h"
#include "Setup/wizard/SetupResource.h"

BEGIN_MESSAGE_MAP(CRedistributablePage, CBrowserPage)
    ON_BN_CLICKED(IDC_CANCEL, &CRedistributablePage::OnExitClicked)
    ON_BN_CLICKED(IDC_NEXT, &CRedistributablePage::OnInstallClicked)
END_MESSAGE_MAP()

CRedistributablePage::CRedistributablePage(UINT nIDTemplate, UINT headingId, UINT headingText)
    : CBrowserPage(nIDTemplate, nullptr), m_headingId(headingId), m_headingText(headingText)
{
    m_hIcon = CPageStyle::LoadPageIcon();
}

void CRedistributablePage::DoDataExchange(CDataExchange* pDX)
{
    CBrowserPage::DoDataExchange(pDX);
    DDX_Control(pDX, m_headingId, m_heading);
    DDX_Control(pDX, IDC_NEXT, m_install);
    DDX_Control(pDX, IDC_CANCEL, m_exit);
}

BOOL CRedistributablePage::OnInitDialog()
{
    CBrowserPage::OnInitDialog();
    CPageStyle::InitPage(*this, m_hIcon);
    CPageStyle::InitItem(m_heading, m_headingText, 12, true);
    CPageStyle::InitItem(m_install, IDS_NEXT, 12, false);
    CPageStyle::InitItem(m_exit, IDS_CANCEL, 12, false);
    return TRUE;
}

void CRedistributablePage::OnPageShown()
{
    Invalidate(TRUE);
}

void CRedistributablePage::OnExitClicked()
{
    CPageStyle::Disable(m_exit);
    if (m_pController)
        m_pController->Finish();
}

void CRedistributablePage::OnInstallClicked()
{
    CPageStyle::Disable(m_install);
    CPageStyle::Disable(m_exit);
    Install();
}
