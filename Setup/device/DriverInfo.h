// CDriverInfo: the driver catalogue of one device family laid out in one base folder:
// family 1 the GPS units and data-card programmers, family 0 the aviation data-card
// programmers. The sys files lie in a platform folder ("Amd64" or "I386") under the
// family folder, or in the family folder itself, as in the system's drivers folder.
#pragma once

#include "Setup/device/DriverFile.h"

#include <memory>
#include <vector>

class CDriverInfo
{
public:
    enum Family { kAviationFamily = 0, kGpsFamily = 1 };

    CDriverInfo(const CString& baseFolder, int family, bool platformFolder);
    virtual ~CDriverInfo() = default;
    CDriverInfo(const CDriverInfo&) = delete;
    CDriverInfo& operator=(const CDriverInfo&) = delete;

    // Looks up the version of every row's sys file.
    void ResolveDriverFiles();
    bool AnyPresent() const;
    bool AllPresent() const;

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    const CDriverFile& GetRow(int index) const { return *m_rows[index]; }
    int GetFamily() const { return m_family; }
    CString GetInterfaceGuid() const { return m_interfaceGuid; }
    CString GetFamilyFolder() const { return m_familyFolder; }
    CString GetPlatformFolder() const { return m_platformFolder; }

    // The maker's USB hardware id of a product ("USB\VID_....&PID_0003").
    static CString HardwareId(const wchar_t* productId);

private:
    void Add(const wchar_t* sys, const wchar_t* inf, const wchar_t* cat, bool infInFamilyFolder,
             const wchar_t* productId, const wchar_t* description);

    std::vector<std::unique_ptr<CDriverFile>> m_rows;
    CString m_interfaceGuid;
    int m_family;
    CString m_familyFolder;
    CString m_platformFolder;
};
