// The framework's own exceptions. They are thrown as pointers (throw new ...),
// caught as CException* and ended with Delete(). A window procedure that catches
// one reports it (ReportError) and goes on; CUserException ends a data exchange
// that has already told the user what was wrong, so it reports nothing.
#pragma once
#include "framework/CObject.h"

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    // The message into a buffer of nMaxError characters; false when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Shows the message (or the string nMessageID when there is none) in a message box.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;
    void Delete() { delete this; }
};

// Ends a data exchange (or any user action) that has been reported already.
class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const override;
};

// A resource or system object (a pen, a brush, a window) could not be made.
class CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// A clipboard or OLE call failed; m_sc is its result code.
class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(HRESULT sc = E_FAIL) : m_sc(sc) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    HRESULT m_sc;
};

[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowOleException(HRESULT sc);
