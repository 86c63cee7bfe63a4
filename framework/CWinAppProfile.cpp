// The application's profile: values under HKEY_CURRENT_USER
// "Software\<registry key>\<profile name>\<section>", and the standard settings
// (the recent-file list) loaded at start-up and saved at the end.
#include "framework/CWinApp.h"
#include "framework/CRecentFileList.h"
#include "framework/FrameworkIds.h"
#include <vector>

namespace {

HKEY CreateKey(HKEY parent, LPCTSTR name)
{
    HKEY key = nullptr;
    if (::RegCreateKeyEx(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                         nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

} // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_registryKey = lpszRegistryKey;
    m_pszRegistryKey = m_registryKey.GetString();
    m_profileName = m_pszAppName ? m_pszAppName : _T("");
    m_pszProfileName = m_profileName.GetString();
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    SetRegistryKey(AfxLoadText(nIDRegistryKey).GetString());
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!m_pszRegistryKey || !m_pszProfileName)
        return nullptr;
    CString path = CString(_T("Software\\")) + m_pszRegistryKey + _T("\\") + m_pszProfileName;
    return CreateKey(HKEY_CURRENT_USER, path.GetString());
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY appKey = GetAppRegistryKey();
    if (!appKey)
        return nullptr;
    HKEY sectionKey = CreateKey(appKey, lpszSection);
    ::RegCloseKey(appKey);
    return sectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    HKEY key = GetSectionKey(lpszSection);
    if (!key)
        return (UINT)nDefault;
    DWORD value = 0, type = 0, size = sizeof(value);
    LONG status = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD ? (UINT)value : (UINT)nDefault;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    HKEY key = GetSectionKey(lpszSection);
    if (!key)
        return FALSE;
    DWORD value = (DWORD)nValue;
    LONG status = ::RegSetValueEx(key, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString fallback = lpszDefault ? lpszDefault : _T("");
    HKEY key = GetSectionKey(lpszSection);
    if (!key)
        return fallback;
    DWORD type = 0, size = 0;
    LONG status = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, nullptr, &size);
    CString result = fallback;
    if (status == ERROR_SUCCESS && type == REG_SZ) {
        std::vector<TCHAR> buffer(size / sizeof(TCHAR) + 1, 0);
        if (::RegQueryValueEx(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size) ==
            ERROR_SUCCESS)
            result = buffer.data();
    }
    ::RegCloseKey(key);
    return result;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    HKEY key = GetSectionKey(lpszSection);
    if (!key)
        return FALSE;
    LONG status;
    if (!lpszValue)
        status = ::RegDeleteValue(key, lpszEntry);
    else
        status = ::RegSetValueEx(key, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                 (DWORD)((lstrlen(lpszValue) + 1) * sizeof(TCHAR)));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    if (nMaxMRU > 16)
        nMaxMRU = 16;
    m_pRecentFileList = new CRecentFileList(0, _T("Recent File List"), _T("File%d"), (int)nMaxMRU);
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}
