// A dialog box from a dialog template: modal (DoModal returns the button that
// ended it) or modeless (Create). OnInitDialog fills the controls through the data
// exchange (DoDataExchange with UpdateData(FALSE)); OK reads them back
// (UpdateData(TRUE)) and closes only when the exchange succeeded. A test hook
// installed with CTestHook answers modal dialogs without a person. A modal dialog
// opens centred on its owner unless its template or OnInitDialog places it.
#pragma once
#include "framework/CWnd.h"

class CDataExchange;

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Runs the data exchange; false when it failed (the user has been told why).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    bool IsModal() const { return m_bModal; }
    bool IsEnded() const { return m_bEnded; }   // EndDialog has been called since it opened
    UINT GetTemplateID() const { return IS_INTRESOURCE(m_lpszTemplateName) ? (UINT)(UINT_PTR)m_lpszTemplateName : 0; }

    UINT m_nIDHelp = 0;
    LPCTSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

private:
    LPCDLGTEMPLATE LoadTemplate(LPCTSTR lpszTemplateName) const;
    static bool TemplatePlacesDialog(LPCDLGTEMPLATE dialogTemplate);
    BOOL CreateModeless();
    HWND OwnerWindow() const;
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

    CString m_templateName;   // a named template, kept for m_lpszTemplateName
    bool m_bModal = false;
    bool m_bEnded = false;
    bool m_bCentre = false;   // a modal dialog that opens centred on its owner
};
