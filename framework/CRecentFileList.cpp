// The recent-file list, its profile entries and its File-menu items.
#include "framework/CRecentFileList.h"
#include "framework/CCmdUI.h"
#include "framework/CMenu.h"
#include "framework/CodePage.h"
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
    while (count < GetSize() && !m_files[(size_t)count].name.IsEmpty())
        ++count;
    return count;
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_files.empty())
        return;
    Entry added;
    added.name = lpszPathName;
    added.wide = AfxWideOf(lpszPathName);
    // Names compare in UTF-16: an entry the code page cannot hold never matches a file it can.
    size_t found = m_files.size() - 1;  // the oldest entry drops out when the file is new
    for (size_t i = 0; i < m_files.size(); ++i) {
        if (::CompareStringOrdinal(m_files[i].wide.c_str(), -1, added.wide.c_str(), -1, TRUE) == CSTR_EQUAL) {
            found = i;
            break;
        }
    }
    for (size_t i = found; i > 0; --i)
        m_files[i] = m_files[i - 1];
    m_files[0] = added;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    m_files.erase(m_files.begin() + nIndex);
    m_files.push_back(Entry());
}

std::wstring CRecentFileList::EntryName(size_t index) const
{
    TCHAR entry[64];
    wsprintf(entry, m_entryFormat.GetString(), (int)index + 1);
    return AfxWideOf(entry);
}

void CRecentFileList::ReadList()
{
    // Gaps close up: the list is kept newest first without holes.
    std::vector<Entry> read;
    HKEY key = AfxGetApp()->GetSectionKey(m_section.GetString());
    for (size_t i = 0; key && i < m_files.size(); ++i) {
        const std::wstring entry = EntryName(i);
        DWORD type = 0, size = 0;
        if (::RegQueryValueExW(key, entry.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
            continue;
        std::vector<WCHAR> buffer(size / sizeof(WCHAR) + 1, L'\0');
        if (::RegQueryValueExW(key, entry.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size) !=
                ERROR_SUCCESS ||
            !buffer[0])
            continue;
        Entry file;
        file.wide = buffer.data();
        file.held = AfxNameFromWide(file.wide.c_str(), file.name);
        read.push_back(file);
    }
    if (key)
        ::RegCloseKey(key);
    read.resize(m_files.size());
    m_files = read;
}

void CRecentFileList::WriteList()
{
    HKEY key = AfxGetApp()->GetSectionKey(m_section.GetString());
    if (!key)
        return;
    for (size_t i = 0; i < m_files.size(); ++i) {
        const std::wstring entry = EntryName(i);
        const std::wstring& name = m_files[i].wide;
        if (name.empty())
            ::RegDeleteValueW(key, entry.c_str());
        else
            ::RegSetValueExW(key, entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                             (DWORD)((name.size() + 1) * sizeof(WCHAR)));
    }
    ::RegCloseKey(key);
}

CString CRecentFileList::GetDisplayName(int nIndex) const
{
    const CString& path = m_files[(size_t)nIndex].name;
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
