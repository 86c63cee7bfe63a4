// CBrowserPage: the base of every page of the installer's wizard: a skinned dialog that
// knows the page controller it moves on through, ignores Enter and Esc (a page is left
// only through the controller), is told when the controller has shown it, and takes
// only the clicks made on it after it appeared.
#pragma once

#include "Setup/wizard/DialogSK.h"

class CBrowserController;

class CBrowserPage : public CDialogSK
{
public:
    CBrowserPage();
    explicit CBrowserPage(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CBrowserPage(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CBrowserPage() override;

    void SetController(CBrowserController* pController);
    CBrowserController* GetController() const { return m_pController; }
    // Called by CBrowserController::ShowPage once the page is visible.
    virtual void OnPageShown();
    // Called by CBrowserController::ShowPage as the page appears: from now on it takes clicks.
    void MarkShown();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Drops a click that is not this page's own (see IsOwnClick).
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    DECLARE_MESSAGE_MAP()

    HICON m_hIcon = nullptr;                        // the page's icon, loaded by each page
    CBrowserController* m_pController = nullptr;    // not owned

private:
    bool IsOwnClick(const MSG& msg) const;

    DWORD m_shownAt = 0;   // the tick count when the page last appeared
};
