// The standard controls' messages.
#include "framework/Controls.h"
#include <vector>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

namespace {

LRESULT Send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendMessage(hWnd, message, wParam, lParam);
}

} // namespace

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(_T("STATIC"), nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetWindowText(lpszText);
    return TRUE;
}

HICON CStatic::SetIcon(HICON hIcon) { return (HICON)Send(m_hWnd, STM_SETICON, (WPARAM)hIcon); }
HICON CStatic::GetIcon() const { return (HICON)Send(m_hWnd, STM_GETICON); }
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) { return (HBITMAP)Send(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(_T("EDIT"), nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::LimitText(int nChars) { Send(m_hWnd, EM_LIMITTEXT, (WPARAM)nChars); }
void CEdit::SetLimitText(UINT nMax) { Send(m_hWnd, EM_SETLIMITTEXT, nMax); }

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    Send(m_hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    nStartChar = (int)start;
    nEndChar = (int)end;
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    Send(m_hWnd, EM_SETSEL, (WPARAM)nStartChar, nEndChar);
    if (!bNoScroll)
        Send(m_hWnd, EM_SCROLLCARET);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    Send(m_hWnd, EM_REPLACESEL, (WPARAM)bCanUndo, (LPARAM)lpszNewText);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return (BOOL)Send(m_hWnd, EM_SETREADONLY, (WPARAM)bReadOnly); }
int CEdit::GetLineCount() const { return (int)Send(m_hWnd, EM_GETLINECOUNT); }

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(_T("BUTTON"), nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetWindowText(lpszCaption);
    return TRUE;
}

int CButton::GetCheck() const { return (int)Send(m_hWnd, BM_GETCHECK); }
void CButton::SetCheck(int nCheck) { Send(m_hWnd, BM_SETCHECK, (WPARAM)nCheck); }
UINT CButton::GetState() const { return (UINT)Send(m_hWnd, BM_GETSTATE); }
void CButton::SetState(BOOL bHighlight) { Send(m_hWnd, BM_SETSTATE, (WPARAM)bHighlight); }

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(_T("COMBOBOX"), nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const { return (int)Send(m_hWnd, CB_GETCOUNT); }
int CComboBox::GetCurSel() const { return (int)Send(m_hWnd, CB_GETCURSEL); }
int CComboBox::SetCurSel(int nSelect) { return (int)Send(m_hWnd, CB_SETCURSEL, (WPARAM)nSelect); }
int CComboBox::AddString(LPCTSTR lpszString) { return (int)Send(m_hWnd, CB_ADDSTRING, 0, (LPARAM)lpszString); }

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
{
    return (int)Send(m_hWnd, CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszString);
}

int CComboBox::DeleteString(UINT nIndex) { return (int)Send(m_hWnd, CB_DELETESTRING, nIndex); }
void CComboBox::ResetContent() { Send(m_hWnd, CB_RESETCONTENT); }

int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const
{
    return (int)Send(m_hWnd, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)lpszText);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int length = GetLBTextLen(nIndex);
    if (length == CB_ERR) {
        rString.Empty();
        return;
    }
    std::vector<TCHAR> buffer((size_t)length + 1, 0);
    GetLBText(nIndex, buffer.data());
    rString = buffer.data();
}

int CComboBox::GetLBTextLen(int nIndex) const { return (int)Send(m_hWnd, CB_GETLBTEXTLEN, (WPARAM)nIndex); }
DWORD_PTR CComboBox::GetItemData(int nIndex) const { return (DWORD_PTR)Send(m_hWnd, CB_GETITEMDATA, (WPARAM)nIndex); }

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return (int)Send(m_hWnd, CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
{
    return (int)Send(m_hWnd, CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString);
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return (int)Send(m_hWnd, CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind);
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
    return (int)Send(m_hWnd, CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString);
}

BOOL CComboBox::LimitText(int nMaxChars) { return (BOOL)Send(m_hWnd, CB_LIMITTEXT, (WPARAM)nMaxChars); }

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_PROGRESS_CLASS };
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(PROGRESS_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper) { Send(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
void CProgressCtrl::SetRange32(int nLower, int nUpper) { Send(m_hWnd, PBM_SETRANGE32, (WPARAM)nLower, nUpper); }
int CProgressCtrl::SetPos(int nPos) { return (int)Send(m_hWnd, PBM_SETPOS, (WPARAM)nPos); }
int CProgressCtrl::GetPos() const { return (int)Send(m_hWnd, PBM_GETPOS); }
int CProgressCtrl::SetStep(int nStep) { return (int)Send(m_hWnd, PBM_SETSTEP, (WPARAM)nStep); }
int CProgressCtrl::StepIt() { return (int)Send(m_hWnd, PBM_STEPIT); }
