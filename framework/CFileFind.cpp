// Searching for files.
#include "framework/CFileFind.h"
#include "framework/CodePage.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

BOOL CFileFind::FindFile(LPCTSTR pstrName)
{
    Close();
    CString pattern = pstrName ? pstrName : _T("*.*");
    m_folder = pattern.Left(AfxFindLastOf(pattern.GetString(), _T("\\/:")) + 1);
    m_hFind = ::FindFirstFile(pattern, &m_next);
    m_bHasNext = m_hFind != INVALID_HANDLE_VALUE;
    return m_bHasNext;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHasNext)
        return FALSE;
    m_current = m_next;
    m_bHasNext = ::FindNextFile(m_hFind, &m_next) != FALSE;
    return m_bHasNext;
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHasNext = false;
}

BOOL CFileFind::IsDots() const
{
    return IsDirectory() && (lstrcmp(m_current.cFileName, _T(".")) == 0 || lstrcmp(m_current.cFileName, _T("..")) == 0);
}
