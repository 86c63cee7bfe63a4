// The recent-file list, its profile entries and its File-menu items.
#include "framework/CRecentFileList.h"
#include "framework/CCmdUI.h"
#include "framework/CMenu.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include "framework/Globals.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_section(lpszSection), m_entryFormat(lpszEntryFormat), m_nMaxDisplayLength(nMaxDispLen),
      m_files((size_t)nSize)
{
}

int CRecentFileList::GetCount() const
{
    int count = 0;
    while (count < GetSize() && !m_files[(size_t)count].IsEmpty())
        ++count;
    return count;
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_files.empty())
        return;
    CString path = lpszPathName;
    size_t found = m_files.size() - 1;  // the oldest entry drops out when the file is new
    for (size_t i = 0; i < m_files.size(); ++i) {
        if (lstrcmpi(m_files[i].GetString(), path.GetString()) == 0) {
            found = i;
            break;
        }
    }
    for (size_t i = found; i > 0; --i)
        m_files[i] = m_files[i - 1];
    m_files[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    m_files.erase(m_files.begin() + nIndex);
    m_files.push_back(CString());
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    for (size_t i = 0; i < m_files.size(); ++i) {
        TCHAR entry[64];
        wsprintf(entry, m_entryFormat.GetString(), (int)i + 1);
        m_files[i] = app->GetProfileString(m_section.GetString(), entry);
    }
    // Gaps close up: the list is kept newest first without holes.
    std::vector<CString> packed;
    for (const CString& file : m_files) {
        if (!file.IsEmpty())
            packed.push_back(file);
    }
    packed.resize(m_files.size());
    m_files = packed;
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    for (size_t i = 0; i < m_files.size(); ++i) {
        TCHAR entry[64];
        wsprintf(entry, m_entryFormat.GetString(), (int)i + 1);
        app->WriteProfileString(m_section.GetString(), entry, m_files[i].IsEmpty() ? nullptr : m_files[i].GetString());
    }
}

CString CRecentFileList::GetDisplayName(int nIndex) const
{
    const CString& path = m_files[(size_t)nIndex];
    CString shown = (int)path.GetLength() <= m_nMaxDisplayLength ? path : AfxFileNameOf(path.GetString());
    CString escaped;
    for (int i = 0; i < shown.GetLength(); ++i) {
        TCHAR c = shown[i];
        escaped += c;
        if (c == _T('&'))
            escaped += _T('&');   // a literal ampersand in a menu text
    }
    TCHAR prefix[16];
    wsprintf(prefix, _T("&%d "), nIndex + 1);
    return prefix + escaped;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    UINT firstId = ID_FILE_MRU_FILE1 + m_nStart;
    CMenu* menu = pCmdUI->m_pMenu;
    if (menu && m_placeholder.IsEmpty() && pCmdUI->m_nID == firstId)
        menu->GetMenuString(firstId, m_placeholder, MF_BYCOMMAND);
    int count = GetCount();
    if (!menu)
        return;
    // The first recent-file item met stands for all of them: they are replaced together,
    // by the files of the list or, once it is empty, by the one grey placeholder.
    for (size_t i = 0; i < m_files.size(); ++i)
        menu->DeleteMenu(firstId + (UINT)i, MF_BYCOMMAND);
    UINT position = pCmdUI->m_nIndex;
    if (count == 0)
        menu->InsertMenu(position, MF_BYPOSITION | MF_STRING | MF_DISABLED | MF_GRAYED, firstId,
                         m_placeholder.GetString());
    for (int i = 0; i < count; ++i)
        menu->InsertMenu(position + (UINT)i, MF_BYPOSITION | MF_STRING, firstId + (UINT)i, GetDisplayName(i).GetString());
    pCmdUI->m_nIndex = position + (UINT)(count > 0 ? count : 1) - 1;
    pCmdUI->m_nIndexMax = menu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
