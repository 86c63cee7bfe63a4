// The open-file and save-file dialogs.
#include "framework/CFileDialog.h"
#include "framework/CodePage.h"
#include "framework/FrameworkInternal.h"
#include "framework/Globals.h"
#include <algorithm>

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
    std::wstring path = AfxWideOf(m_fileName.data());
    int answer = IDCANCEL;
    if (!AfxTestHookAnswerFileDialog(m_bOpenFileDialog, m_ofn.lpstrTitle, path, &answer))
        answer = RunSystemDialog(path) ? IDOK : IDCANCEL;
    if (answer != IDOK)
        return answer;
    CString name;
    if (!AfxNameFromWide(path.c_str(), name)) {
        AfxReportUnheldName(name.GetString());
        return IDCANCEL;
    }
    m_fileName.assign(name.GetString(), name.GetString() + name.GetLength() + 1);
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = (DWORD)m_fileName.size();
    return IDOK;
}

// The UTF-16 dialog on this dialog's settings; path is the name shown first and then the one chosen.
BOOL CFileDialog::RunSystemDialog(std::wstring& path)
{
    if (!m_ofn.hwndOwner && AfxGetMainWnd())
        m_ofn.hwndOwner = AfxGetMainWnd()->m_hWnd;
    const auto wideOrNull = [](LPCTSTR text) { return text ? AfxWideOf(text) : std::wstring(); };
    const std::wstring filter = m_filter.empty() ? std::wstring() : AfxWideOf(m_filter.data(), (int)m_filter.size());
    const std::wstring title = wideOrNull(m_ofn.lpstrTitle);
    const std::wstring initialDir = wideOrNull(m_ofn.lpstrInitialDir);
    const std::wstring defExt = wideOrNull(m_ofn.lpstrDefExt);
    std::vector<WCHAR> file(std::max<size_t>(path.size() + 1, MAX_PATH), 0);
    path.copy(file.data(), path.size());

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_ofn.hwndOwner;
    ofn.hInstance = m_ofn.hInstance;
    ofn.lpstrFilter = m_filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = m_ofn.nFilterIndex;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = (DWORD)file.size();
    ofn.lpstrInitialDir = m_ofn.lpstrInitialDir ? initialDir.c_str() : nullptr;
    ofn.lpstrTitle = m_ofn.lpstrTitle ? title.c_str() : nullptr;
    ofn.lpstrDefExt = m_ofn.lpstrDefExt ? defExt.c_str() : nullptr;
    ofn.Flags = m_ofn.Flags;
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    AfxRethrowPendingException();
    m_ofn.nFilterIndex = ofn.nFilterIndex;
    path = file.data();
    return ok;
}
