// The open-file and save-file dialogs.
#include "framework/CFileDialog.h"
#include "framework/FrameworkInternal.h"
#include "framework/Globals.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCmdTarget)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_defExt(lpszDefExt ? lpszDefExt : _T("")),
      m_fileName(MAX_PATH, 0)
{
    if (lpszFileName)
        lstrcpyn(m_fileName.data(), lpszFileName, MAX_PATH);
    if (lpszFilter) {
        // "a|b|c|d||" becomes "a\0b\0c\0d\0\0"
        for (const TCHAR* p = lpszFilter; *p; ++p)
            m_filter.push_back(*p == _T('|') ? _T('\0') : *p);
        m_filter.push_back(_T('\0'));
        m_filter.push_back(_T('\0'));
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.data();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = m_defExt.IsEmpty() ? nullptr : m_defExt.GetString();
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal()
{
    int answer = IDCANCEL;
    if (AfxTestHookAnswerFileDialog(m_bOpenFileDialog, m_ofn.lpstrTitle, m_fileName.data(), MAX_PATH, &answer))
        return answer;
    if (!m_ofn.hwndOwner && AfxGetMainWnd())
        m_ofn.hwndOwner = AfxGetMainWnd()->m_hWnd;
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    AfxRethrowPendingException();
    return ok ? IDOK : IDCANCEL;
}
