// CInstallActions: reading and writing registry values, deleting a key tree and the
// RunOnce entry that resumes the installation after a restart.
#include "Setup/actions/InstallActions.h"

#include "Setup/actions/RegKeyHandle.h"

#include <shlwapi.h>

namespace {

const REGSAM kReadWrite = KEY_READ | KEY_WRITE;
const wchar_t kRunOnce[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const wchar_t kResumeValue[] = L"QuorelInstallResume";

// Opens an existing key for reading and writing and flushes it.
bool OpenFlushed(CRegKeyHandle& key, HKEY root, const CString& path)
{
    if (key.Open(root, path, kReadWrite) != ERROR_SUCCESS)
        return false;
    RegFlushKey(key.get());
    return true;
}

bool WriteValue(HKEY root, const CString& path, const CString& name, DWORD type, const void* data,
                DWORD size)
{
    CRegKeyHandle key;
    return OpenFlushed(key, root, path) &&
           RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

}  // namespace

bool CInstallActions::ReadRegistryString(HKEY root, const CString& path, const CString& name, CString& text)
{
    text.Empty();
    CRegKeyHandle key;
    if (!OpenFlushed(key, root, path))
        return false;
    wchar_t buffer[150] = {};
    DWORD size = sizeof(buffer);
    if (RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return false;
    text = CString(buffer, static_cast<int>(wcsnlen(buffer, 150)));
    return true;
}

bool CInstallActions::ReadRegistryDword(HKEY root, const CString& path, const CString& name, DWORD& value)
{
    value = 0;
    CRegKeyHandle key;
    if (!OpenFlushed(key, root, path))
        return false;
    DWORD size = sizeof(value);
    if (RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
        value = 0;
        return false;
    }
    return true;
}

bool CInstallActions::WriteRegistryString(HKEY root, const CString& path, const CString& name,
                                          const CString& text)
{
    return WriteValue(root, path, name, REG_SZ, text.GetString(),
                      static_cast<DWORD>((text.GetLength() + 1) * sizeof(wchar_t)));
}

bool CInstallActions::WriteRegistryDword(HKEY root, const CString& path, const CString& name, DWORD value)
{
    return WriteValue(root, path, name, REG_DWORD, &value, sizeof(value));
}

bool CInstallActions::WriteRegistryBinary(HKEY root, const CString& path, const CString& name,
                                          const BYTE* bytes, DWORD length)
{
    return WriteValue(root, path, name, REG_BINARY, bytes, length);
}

bool CInstallActions::DeleteRegistryTree(HKEY root, const CString& path)
{
    int split = path.ReverseFind(L'\\');
    if (split < 1)
        return false;
    CRegKeyHandle parent;
    if (parent.Open(root, path.Left(split), KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return false;
    DWORD result = SHDeleteKeyW(parent.get(), path.Mid(split + 1));
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND;
}

bool CInstallActions::SetInstallResume()
{
    return WriteRegistryString(HKEY_LOCAL_MACHINE, kRunOnce, kResumeValue, CString(GetCommandLineW()));
}

bool CInstallActions::ClearInstallResume()
{
    return WriteRegistryString(HKEY_LOCAL_MACHINE, kRunOnce, kResumeValue, CString());
}
