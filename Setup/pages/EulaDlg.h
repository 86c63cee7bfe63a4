// CEulaDlg: page 2 of the wizard, the licence page: the licence text beside Setup in
// an edit box, an agree box that enables Next, and Cancel, which asks and then ends
// Setup. Next shows the installation page, which installs before it returns.
#pragma once

#include "Setup/wizard/BrowserCheckbox.h"
#include "Setup/wizard/BrowserMenuItem.h"
#include "Setup/wizard/BrowserPage.h"

class CEulaDlg : public CBrowserPage
{
public:
    CEulaDlg();
    ~CEulaDlg() override;

    void OnPageShown() override;
    // Enables Next exactly while the agree box is ticked.
    void UpdateNextItem();
    // The edit box's font: the page's font at 8 points, normal weight.
    void CreateEulaFont();
    // The licence text from its file beside Setup; nothing when it cannot be read.
    void LoadEula();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

protected:
    afx_msg void OnCancelClicked();
    afx_msg void OnNextClicked();
    afx_msg void OnEulaSetFocus();
    afx_msg void OnAgreeClicked();
    DECLARE_MESSAGE_MAP()

private:
    CBrowserMenuItem m_cancel;
    CBrowserMenuItem m_next;
    CBrowserMenuItem m_heading;
    CBrowserMenuItem m_text1;
    CBrowserMenuItem m_text2;
    CBrowserCheckbox m_agree;
    CEdit m_eula;
    CFont* m_pEulaFont = nullptr;
};
