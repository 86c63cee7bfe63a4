// CDriverInfo: the driver table of the two device families (see DriverInfo.h).
#include "Setup/device/DriverInfo.h"

#include "Setup/actions/InstallActions.h"

namespace {

// The maker's USB vendor id.
const wchar_t kVendorId[] = L"5EED";

CString LimitedPath(const CString& path)
{
    return path.Left(MAX_PATH);
}

}  // namespace

CString CDriverInfo::HardwareId(const wchar_t* productId)
{
    CString id;
    id.Format(L"USB\\VID_%s&PID_%s", kVendorId, productId);
    return id;
}

CDriverInfo::CDriverInfo(const CString& baseFolder, int family, bool platformFolder) : m_family(family)
{
    m_familyFolder = LimitedPath(baseFolder + L"\\");
    m_platformFolder = m_familyFolder;
    if (platformFolder)
        m_platformFolder = LimitedPath(m_familyFolder + (CInstallActions::IsWow64() ? L"Amd64" : L"I386") + L"\\");

    if (family == kGpsFamily) {
        m_interfaceGuid = L"A12A4C5A-E1A3-4151-9927-7F724CA5DC92";
        Add(L"zelqusb.sys", L"zelqusb.inf", L"zelqusb.cat", true, L"0003", L"Quorel GPS Unit");
        Add(L"zelqgen.sys", nullptr, nullptr, false, nullptr, L"");
        if (!CInstallActions::IsWow64()) {
            Add(L"zelq0200.sys", L"zelq0200.inf", L"zelq0200.cat", false, L"0200",
                L"Quorel Data Card Programmer (Install)");
            Add(L"zelq0400.sys", L"zelq0400.inf", L"zelq0400.cat", false, L"0400",
                L"Quorel High-Speed Data Card Programmer (Install)");
            Add(L"zelq1200.sys", L"zelq0400.inf", L"zelq0400.cat", false, L"1200", L"Quorel Data Card Programmer");
        }
    } else if (family == kAviationFamily) {
        m_interfaceGuid = L"8E0001C5-B221-438A-B88F-705405F63A4E";
        Add(L"zelq0300.sys", L"zelq0300.inf", L"zelq0300.cat", false, L"0300",
            L"Quorel Aviation Data Card Programmer (Install)");
        Add(L"zelq1300.sys", L"zelq0300.inf", L"zelq0300.cat", false, L"1300",
            L"Quorel Aviation Data Card Programmer");
    }
    ResolveDriverFiles();
}

void CDriverInfo::Add(const wchar_t* sys, const wchar_t* inf, const wchar_t* cat, bool infInFamilyFolder,
                      const wchar_t* productId, const wchar_t* description)
{
    // The INF and catalogue of the GPS unit lie in the family folder, all others beside their sys file.
    const CString& packageFolder = infInFamilyFolder ? m_familyFolder : m_platformFolder;
    m_rows.push_back(std::make_unique<CDriverFile>(
        sys, m_platformFolder, inf ? CString(inf) : CString(), inf ? packageFolder : CString(),
        cat ? CString(cat) : CString(), cat ? packageFolder : CString(),
        productId ? HardwareId(productId) : CString(), description));
}

void CDriverInfo::ResolveDriverFiles()
{
    for (auto& row : m_rows)
        row->ResolveVersion();
}

bool CDriverInfo::AnyPresent() const
{
    for (const auto& row : m_rows)
        if (row->IsPresent())
            return true;
    return false;
}

bool CDriverInfo::AllPresent() const
{
    if (m_rows.empty())
        return false;
    for (const auto& row : m_rows)
        if (!row->IsPresent())
            return false;
    return true;
}
