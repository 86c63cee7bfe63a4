// CDriverFile: one driver package row (see DriverFile.h).
#include "Setup/device/DriverFile.h"

#include "Setup/actions/InstallActions.h"

CDriverFile::CDriverFile(const CString& sysName, const CString& sysFolder, const CString& infName,
                         const CString& infFolder, const CString& catName, const CString& catFolder,
                         const CString& hardwareId, const CString& description)
    : m_sysName(sysName), m_sysFolder(sysFolder), m_infName(infName), m_infFolder(infFolder), m_catName(catName),
      m_catFolder(catFolder), m_hardwareId(hardwareId), m_description(description)
{
}

void CDriverFile::ResolveVersion()
{
    // The folder ends in a backslash.
    m_version = CInstallActions::GetFileVersionMS(m_sysFolder + m_sysName);
    if (m_version)
        m_present = true;
}
