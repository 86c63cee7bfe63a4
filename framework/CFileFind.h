// Looks for files by a name or a pattern ("C:\dir\*.msi"): FindFile starts the
// search, FindNextFile steps to each match in turn, the Get and Is members describe
// the current one.
#pragma once
#include "framework/CObject.h"
#include "framework/FrameworkStrings.h"

class CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind() = default;
    ~CFileFind() override { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // True when something matches; the first match becomes current after FindNextFile.
    BOOL FindFile(LPCTSTR pstrName = nullptr);
    // Makes the next match current; false when it was the last one (it is still current).
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const { return m_current.cFileName; }
    CString GetFilePath() const { return m_folder + m_current.cFileName; }
    ULONGLONG GetLength() const { return ((ULONGLONG)m_current.nFileSizeHigh << 32) | m_current.nFileSizeLow; }
    BOOL IsDirectory() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    BOOL IsDots() const;

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    CString m_folder;             // the pattern's folder, with its backslash
    WIN32_FIND_DATA m_next = {};  // found, not yet current
    WIN32_FIND_DATA m_current = {};
    bool m_bHasNext = false;
};
