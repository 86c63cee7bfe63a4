// The data-exchange object and the framework's exchanges for texts, numbers,
// combo boxes, check boxes and control members.
#include "framework/CDataExchange.h"
#include "framework/CException.h"
#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/Globals.h"
#include <vector>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hWnd)
        AfxThrowResourceException();
    m_hWndLastControl = hWnd;
    m_bEditLastControl = FALSE;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

namespace {

CString WindowText(HWND hWnd)
{
    int length = ::GetWindowTextLength(hWnd);
    std::vector<TCHAR> buffer((size_t)length + 1, 0);
    int copied = ::GetWindowText(hWnd, buffer.data(), length + 1);
    return CString(buffer.data(), (size_t)(copied > 0 ? copied : 0));
}

// A whole text as a decimal number: blanks around it, an optional sign, digits.
bool ParseNumber(const CString& text, long long& value)
{
    size_t i = 0, n = text.GetLength();
    while (i < n && (text[i] == _T(' ') || text[i] == _T('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == _T('-') || text[i] == _T('+')))
        negative = text[i++] == _T('-');
    size_t digits = 0;
    value = 0;
    while (i < n && text[i] >= _T('0') && text[i] <= _T('9')) {
        if (value < 10000000000LL)
            value = value * 10 + (text[i] - _T('0'));
        ++i;
        ++digits;
    }
    while (i < n && (text[i] == _T(' ') || text[i] == _T('\t')))
        ++i;
    if (negative)
        value = -value;
    return digits > 0 && i == n;
}

void FailWith(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Reads a number within [low, high] from the control, or shows nIDPrompt and fails.
long long ReadNumber(CDataExchange* pDX, HWND hWnd, long long low, long long high, UINT nIDPrompt)
{
    long long value = 0;
    if (!ParseNumber(WindowText(hWnd), value) || value < low || value > high)
        FailWith(pDX, nIDPrompt);
    return value;
}

void SetNumber(HWND hWnd, long long value)
{
    TCHAR text[32];
    wsprintf(text, _T("%ld"), (long)value);
    if (value > 0x7FFFFFFFLL)
        wsprintf(text, _T("%lu"), (unsigned long)value);
    ::SetWindowText(hWnd, text);
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWnd);
    else
        ::SetWindowText(hWnd, value.GetString());
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (BYTE)ReadNumber(pDX, hWnd, 0, 255, AFX_IDP_PARSE_BYTE);
    else
        SetNumber(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)ReadNumber(pDX, hWnd, -0x80000000LL, 0x7FFFFFFFLL, AFX_IDP_PARSE_INT);
    else
        SetNumber(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (UINT)ReadNumber(pDX, hWnd, 0, 0xFFFFFFFFLL, AFX_IDP_PARSE_UINT);
    else
        SetNumber(hWnd, value);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        // A drop-down list has no edit text: its text is the selected item's.
        value = WindowText(hWnd);
        if (value.IsEmpty()) {
            int index = (int)::SendMessage(hWnd, CB_GETCURSEL, 0, 0);
            if (index != CB_ERR) {
                int length = (int)::SendMessage(hWnd, CB_GETLBTEXTLEN, (WPARAM)index, 0);
                std::vector<TCHAR> buffer((size_t)(length > 0 ? length : 0) + 1, 0);
                ::SendMessage(hWnd, CB_GETLBTEXT, (WPARAM)index, (LPARAM)buffer.data());
                value = buffer.data();
            }
        }
    } else {
        // Select the first item that begins with the text; without one, set the edit's text.
        if (::SendMessage(hWnd, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString()) == CB_ERR)
            ::SetWindowText(hWnd, value.GetString());
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWnd, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWnd, CB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hWnd, BM_GETCHECK, 0, 0);
    else
        ::SendMessage(hWnd, BM_SETCHECK, (WPARAM)(value < 0 || value > 2 ? 0 : value), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWnd))
        AfxThrowResourceException();
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
            ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
        return;
    }
    if ((int)value.GetLength() <= nChars)
        return;
    TCHAR number[16];
    wsprintf(number, _T("%d"), nChars);
    AfxMessageBox(AfxFormatText1(AfxLoadText(AFX_IDP_PARSE_STRING_SIZE), number).GetString(), MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    TCHAR text[128];
    wsprintf(text, _T("Please enter an integer between %d and %d."), minVal, maxVal);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}
