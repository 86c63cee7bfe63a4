// The licence page (see EulaDlg.h).
#include "Setup/pages/EulaDlg.h"

#include "Setup/wizard/BrowserController.h"
#include "Setup/actions/InstallActions.h"
#include "Setup/wizard/PageStyle.h"
#include "Setup/wizard/SetupResource.h"

BEGIN_MESSAGE_MAP(CEulaDlg, CBrowserPage)
    ON_BN_CLICKED(IDC_CANCEL, &CEulaDlg::OnCancelClicked)
    ON_BN_CLICKED(IDC_EULA_NEXT, &CEulaDlg::OnNextClicked)
    ON_EN_SETFOCUS(IDC_EULA_EDIT, &CEulaDlg::OnEulaSetFocus)
    ON_BN_CLICKED(IDC_EULA_AGREE, &CEulaDlg::OnAgreeClicked)
END_MESSAGE_MAP()

CEulaDlg::CEulaDlg() : CBrowserPage(IDD_EULA, nullptr)
{
    m_hIcon = CPageStyle::LoadPageIcon();
}

CEulaDlg::~CEulaDlg()
{
    delete m_pEulaFont;
}

void CEulaDlg::DoDataExchange(CDataExchange* pDX)
{
    CBrowserPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CANCEL, m_cancel);
    DDX_Control(pDX, IDC_EULA_NEXT, m_next);
    DDX_Control(pDX, IDC_EULA_HEADING, m_heading);
    DDX_Control(pDX, IDC_EULA_TEXT1, m_text1);
    DDX_Control(pDX, IDC_EULA_TEXT2, m_text2);
    DDX_Control(pDX, IDC_EULA_AGREE, m_agree);
    DDX_Control(pDX, IDC_EULA_EDIT, m_eula);
}

BOOL CEulaDlg::OnInitDialog()
{
    CBrowserPage::OnInitDialog();
    CPageStyle::InitPage(*this, m_hIcon);
    CPageStyle::InitItem(m_cancel, IDS_CANCEL, 12, false);
    CPageStyle::InitItem(m_next, IDS_NEXT, 12, false);
    m_next.EnableWindow(FALSE);
    CPageStyle::InitItem(m_heading, IDS_EULA_HEADING, 12, true);
    CPageStyle::InitItem(m_text1, IDS_EULA_TEXT1, 8, true);
    CPageStyle::InitItem(m_text2, IDS_EULA_TEXT2, 8, true);
    CPageStyle::InitCheckbox(m_agree, IDS_EULA_AGREE, 9, true);
    CreateEulaFont();
    LoadEula();
    return TRUE;
}

void CEulaDlg::OnPageShown()
{
}

void CEulaDlg::CreateEulaFont()
{
    if (m_pEulaFont)
        return;
    CFont* pageFont = GetFont();
    LOGFONTW logFont = {};
    if (!pageFont || !pageFont->GetLogFont(&logFont))
        return;
    CClientDC dc(this);
    logFont.lfHeight = -MulDiv(8, dc.GetDeviceCaps(LOGPIXELSY), 72);
    logFont.lfWeight = FW_NORMAL;
    m_pEulaFont = new CFont;
    if (!m_pEulaFont->CreateFontIndirect(&logFont)) {
        delete m_pEulaFont;
        m_pEulaFont = nullptr;
        return;
    }
    m_eula.SetFont(m_pEulaFont, TRUE);
}

void CEulaDlg::LoadEula()
{
    CString name;
    name.LoadString(IDS_EULA_FILE);
    CString text;
    if (CInstallActions::ReadTextFile(CInstallActions::GetModuleDirectory() + name, text))
        m_eula.SetWindowText(text);
}

void CEulaDlg::UpdateNextItem()
{
    m_next.EnableWindow(m_agree.GetCheck() == BST_CHECKED);
    m_next.Redraw();
}

void CEulaDlg::OnCancelClicked()
{
    if (AfxMessageBox(IDS_EULA_CANCEL_QUESTION, MB_OKCANCEL | MB_ICONQUESTION) == IDOK && m_pController)
        m_pController->Finish();
}

void CEulaDlg::OnNextClicked()
{
    // A disabled item takes no clicks; a command that arrives all the same is ignored.
    if (m_next.IsWindowEnabled() && m_pController)
        m_pController->ShowPage(4);
}

void CEulaDlg::OnEulaSetFocus()
{
    m_eula.SendMessage(EM_SETSEL, static_cast<WPARAM>(-1), 0);
    m_eula.SendMessage(EM_SCROLLCARET, 0, 0);
}

void CEulaDlg::OnAgreeClicked()
{
    UpdateNextItem();
}
