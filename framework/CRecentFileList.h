// The most-recently-used file list: the last N documents opened or saved, newest
// first, kept in the application's profile (section "Recent File List", entries
// "File1" ...) and shown in the File menu in place of the ID_FILE_MRU_FILE1 item.
// The profile holds the names in UTF-16, as recorded under whatever code page was the
// system's then: each entry keeps that name beside the program's, so an entry this code
// page cannot hold exactly is never taken for another file, and is written back as it was.
#pragma once
#include "framework/FrameworkStrings.h"
#include <string>
#include <vector>

class CCmdUI;

class CRecentFileList
{
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen = 40);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return (int)m_files.size(); }   // the capacity N
    int GetCount() const;                                  // entries in use
    const CString& operator[](int nIndex) const { return m_files[(size_t)nIndex].name; }
    // FALSE for an entry whose name the code page cannot hold ('?' stands for what it cannot).
    BOOL IsHeld(int nIndex) const { return m_files[(size_t)nIndex].held; }

    virtual void Add(LPCTSTR lpszPathName);   // to the front; an entry of the same file moves there
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // Replaces the menu's recent-file items (or its placeholder) by the list.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    CString GetDisplayName(int nIndex) const;

private:
    struct Entry
    {
        CString name;        // the program's name of the file
        std::wstring wide;   // the name in the profile
        BOOL held = TRUE;
    };
    std::wstring EntryName(size_t index) const;   // "File1" ...

    UINT m_nStart;
    CString m_section;
    CString m_entryFormat;
    int m_nMaxDisplayLength;
    std::vector<Entry> m_files;
    CString m_placeholder;   // the menu text shown while the list is empty
};
