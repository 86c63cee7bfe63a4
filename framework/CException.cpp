// Messages and reporting of the framework's exceptions.
#include "framework/CException.h"
#include "framework/Globals.h"
#include <tchar.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace {

BOOL CopyMessage(LPCTSTR text, LPTSTR buffer, UINT size)
{
    if (!buffer || size == 0)
        return FALSE;
    lstrcpyn(buffer, text, (int)size);
    return TRUE;
}

} // namespace

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (lpszError && nMaxError)
        *lpszError = 0;
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    TCHAR message[512];
    if (GetErrorMessage(message, 512))
        return AfxMessageBox(message, nType);
    if (nMessageID)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox(_T("An unsupported operation was attempted."), nType);
}

int CUserException::ReportError(UINT, UINT) const
{
    return 0;
}

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage(_T("A required resource was unavailable."), lpszError, nMaxError);
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    TCHAR text[128];
    wsprintf(text, _T("The clipboard operation failed (0x%08lX)."), (unsigned long)m_sc);
    return CopyMessage(text, lpszError, nMaxError);
}

void AfxThrowUserException()
{
    throw new CUserException;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}

void AfxThrowOleException(HRESULT sc)
{
    throw new COleException(sc);
}
