// CDriverFile: one driver package row: the driver's sys file, its INF and signed
// catalogue with their folders, the hardware id and device description it installs for,
// and the version of the sys file once it was looked up.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CDriverFile
{
public:
    CDriverFile() = default;
    CDriverFile(const CString& sysName, const CString& sysFolder, const CString& infName, const CString& infFolder,
                const CString& catName, const CString& catFolder, const CString& hardwareId,
                const CString& description);

    CString GetSysName() const { return m_sysName; }
    CString GetSysFolder() const { return m_sysFolder; }
    CString GetInfName() const { return m_infName; }
    CString GetInfFolder() const { return m_infFolder; }
    CString GetCatName() const { return m_catName; }
    CString GetCatFolder() const { return m_catFolder; }
    CString GetHardwareId() const { return m_hardwareId; }
    CString GetDescription() const { return m_description; }
    // The high double word of the sys file's version (major << 16 | minor); 0 when unknown.
    DWORD GetVersion() const { return m_version; }
    // Whether the sys file was ever found with a version.
    bool IsPresent() const { return m_present; }
    bool HasCatalog() const { return !m_catName.IsEmpty(); }

    // Reads the sys file's version again.
    void ResolveVersion();

private:
    CString m_sysName, m_sysFolder;
    CString m_infName, m_infFolder;
    CString m_catName, m_catFolder;
    CString m_hardwareId;
    CString m_description;
    DWORD m_version = 0;
    bool m_present = false;
};
