// Dialog data exchange: DoDataExchange moves values between a dialog's members
// and its controls, into the controls when m_bSaveAndValidate is false and out of
// them when it is true. A value that does not pass is reported to the user and
// Fail ends the exchange with the focus on the control that failed; the dialog
// then stays open. The framework's own exchanges are the DDX_ and DDV_ functions.
#pragma once
#include "framework/FrameworkStrings.h"

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    HWND PrepareCtrl(int nIDC);       // the control of this id (a missing one throws CResourceException)
    HWND PrepareEditCtrl(int nIDC);   // the same for an edit control, whose text Fail selects
    [[noreturn]] void Fail();         // throws CUserException

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);   // 0 to 255
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);   // subclasses the control once
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
