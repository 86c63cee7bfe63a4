// Dialog boxes: templates, the modal and modeless ways, OK and Cancel, data exchange.
#include "framework/CDialog.h"
#include "framework/CDataExchange.h"
#include "framework/CException.h"
#include "framework/FrameworkInternal.h"
#include "framework/Globals.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_templateName(lpszTemplateName)
{
    m_lpszTemplateName = m_templateName.GetString();
}

INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;   // every message has been through the dialog's message map already
}

LPCDLGTEMPLATE CDialog::LoadTemplate(LPCTSTR lpszTemplateName) const
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = ::FindResource(module, lpszTemplateName, RT_DIALOG);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATE>(::LockResource(loaded)) : nullptr;
}

// Whether the template decides where the dialog opens: centred by the system,
// at the mouse, at absolute coordinates, or at a place of its own.
bool CDialog::TemplatePlacesDialog(LPCDLGTEMPLATE dialogTemplate)
{
    const WORD* words = reinterpret_cast<const WORD*>(dialogTemplate);
    DWORD style;
    short x, y;
    if (words[0] == 1 && words[1] == 0xFFFF) {   // the extended form: version, signature, help id, ex style
        const BYTE* bytes = reinterpret_cast<const BYTE*>(dialogTemplate);
        style = *reinterpret_cast<const DWORD*>(bytes + 12);
        x = *reinterpret_cast<const short*>(bytes + 18);
        y = *reinterpret_cast<const short*>(bytes + 20);
    } else {
        style = dialogTemplate->style;
        x = dialogTemplate->x;
        y = dialogTemplate->y;
    }
    return (style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) != 0 || x != 0 || y != 0;
}

HWND CDialog::OwnerWindow() const
{
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    CWnd* pMain = AfxGetMainWnd();
    if (pMain && pMain->m_hWnd && ::IsWindowEnabled(pMain->m_hWnd))
        return ::GetLastActivePopup(pMain->m_hWnd);
    return nullptr;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE dialogTemplate = LoadTemplate(m_lpszTemplateName);
    if (!dialogTemplate)
        return -1;
    m_bModal = true;
    m_bEnded = false;
    m_bCentre = !TemplatePlacesDialog(dialogTemplate);
    AfxPushModalDialog(this);
    HookWindowCreate(this);
    INT_PTR result = ::DialogBoxIndirectParam(AfxGetInstanceHandle(), dialogTemplate, OwnerWindow(),
                                              &CDialog::DialogProc, 0);
    UnhookWindowCreate();
    AfxPopModalDialog(this);
    m_bModal = false;
    AfxRethrowPendingException();
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
    m_pParentWnd = pParentWnd;
    return CreateModeless();
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        return Create((UINT)(UINT_PTR)lpszTemplateName, pParentWnd);
    m_templateName = lpszTemplateName;
    m_lpszTemplateName = m_templateName.GetString();
    m_pParentWnd = pParentWnd;
    return CreateModeless();
}

BOOL CDialog::CreateModeless()
{
    LPCDLGTEMPLATE dialogTemplate = LoadTemplate(m_lpszTemplateName);
    if (!dialogTemplate)
        return FALSE;
    m_bModal = false;
    m_bEnded = false;
    HookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(AfxGetInstanceHandle(), dialogTemplate,
                                            m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, &CDialog::DialogProc, 0);
    UnhookWindowCreate();
    AfxRethrowPendingException();
    return hWnd != nullptr;
}

void CDialog::EndDialog(int nResult)
{
    m_bEnded = true;
    if (!m_hWnd)
        return;
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        ShowWindow(SW_HIDE);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        CRect before;
        GetWindowRect(&before);
        LRESULT result = OnInitDialog();
        // A modal dialog that neither its template nor its initialisation placed
        // opens centred on its owner.
        if (m_bModal && m_bCentre && m_hWnd) {
            CRect after;
            GetWindowRect(&after);
            if (after.TopLeft() == before.TopLeft())
                CenterWindow();
        }
        if (m_bModal && AfxTestHookIsInstalled())
            PostMessage(AFX_WM_TESTHOOK_ANSWER);
        return result;
    }
    if (message == AFX_WM_TESTHOOK_ANSWER) {
        AfxTestHookAnswerDialog(this);
        if (m_hWnd && !m_bEnded)
            PostMessage(AFX_WM_TESTHOOK_ANSWER);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    return !m_bModal && m_hWnd && ::IsDialogMessage(m_hWnd, pMsg);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, FALSE);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, FALSE);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, TRUE);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0);
}
