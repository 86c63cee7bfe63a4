// The system's open-file and save-file dialogs. The filter is given in one text,
// "Name|*.ext|Name2|*.x2||"; the chosen file is GetPathName after DoModal gave IDOK.
// The 8-bit build, too, runs the UTF-16 dialog: a name the code page cannot hold is
// refused with the invalid-path message, and DoModal gives IDCANCEL.
// Answered by the test hook when one is installed.
#pragma once
#include "framework/CDialog.h"
#include <commdlg.h>
#include <string>
#include <vector>

class CFileDialog : public CCmdTarget
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);

    virtual INT_PTR DoModal();
    CString GetPathName() const { return m_fileName.data(); }
    CString GetFileName() const { return CString(AfxFileNameOf(m_fileName.data())); }

    OPENFILENAME m_ofn;

private:
    BOOL RunSystemDialog(std::wstring& path);

    BOOL m_bOpenFileDialog;
    CString m_defExt;
    std::vector<TCHAR> m_filter;
    std::vector<TCHAR> m_fileName;
};
