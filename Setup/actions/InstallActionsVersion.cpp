// CInstallActions: the Windows version code, WoW64 and the ANSI code page.
#include "Setup/actions/InstallActions.h"

namespace {

CInstallActions::VersionQuery g_versionQuery = nullptr;

BOOL QueryVersion(OSVERSIONINFOW* info)
{
    return g_versionQuery ? g_versionQuery(info) : GetVersionExW(info);
}

using IsWow64ProcessCall = BOOL (WINAPI*)(HANDLE, PBOOL);

// Looked up once, before the application starts; null where kernel32 lacks it.
const IsWow64ProcessCall g_isWow64Process = reinterpret_cast<IsWow64ProcessCall>(
    reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "IsWow64Process")));
CInstallActions::Wow64Query g_wow64Query = nullptr;

int NtVersionCode(DWORD major, DWORD minor, WORD servicePack)
{
    if (major == 4)
        return CInstallActions::kNT4;
    if (major == 5 && minor == 0)
        return CInstallActions::kWin2000;
    if (major == 5 && minor == 1) {
        switch (servicePack) {
        case 1: return CInstallActions::kXPSP1;
        case 2: return CInstallActions::kXPSP2;
        case 3: return CInstallActions::kXPSP3;
        default: return CInstallActions::kXP;
        }
    }
    if (major == 5 && minor == 2)
        return CInstallActions::kServer2003;
    if (major == 6 && minor == 0)
        return servicePack == 1 ? CInstallActions::kVistaSP1 : CInstallActions::kVista;
    if (major == 6 && minor == 1)
        return CInstallActions::kWin7;
    return CInstallActions::kVista;  // older and newer NT versions alike
}

}  // namespace

void CInstallActions::SetVersionQueryForTest(VersionQuery query)
{
    g_versionQuery = query;
}

int CInstallActions::GetWindowsVersion()
{
    OSVERSIONINFOW basic = {};
    basic.dwOSVersionInfoSize = sizeof(basic);
    if (!QueryVersion(&basic))
        return kWin32s;
    switch (basic.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
        if (basic.dwMinorVersion == 10)
            return kWin98;
        if (basic.dwMinorVersion == 90)
            return kWinMe;
        return kWin95;
    case VER_PLATFORM_WIN32_NT: {
        OSVERSIONINFOEXW extended = {};
        extended.dwOSVersionInfoSize = sizeof(extended);
        if (!QueryVersion(reinterpret_cast<OSVERSIONINFOW*>(&extended)))
            return kVista;
        return NtVersionCode(extended.dwMajorVersion, extended.dwMinorVersion,
                             extended.wServicePackMajor);
    }
    default:
        return kWin32s;
    }
}

void CInstallActions::SetWow64QueryForTest(Wow64Query query)
{
    g_wow64Query = query;
}

bool CInstallActions::IsWow64()
{
    IsWow64ProcessCall query = g_wow64Query ? g_wow64Query : g_isWow64Process;
    BOOL wow64 = FALSE;
    return query && query(GetCurrentProcess(), &wow64) && wow64;
}

CString CInstallActions::GetWindowsVersionText()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    QueryVersion(&info);
    CString text;
    text.Format(L"%d %s", static_cast<int>(info.dwMajorVersion * 100 + info.dwMinorVersion),
                info.szCSDVersion);
    return text.Trim();
}

UINT CInstallActions::GetAnsiCodePage()
{
    return GetACP();
}

bool CInstallActions::IsAnsiCodePage(UINT codePage)
{
    return GetACP() == codePage;
}

CString CInstallActions::GetCodePageName()
{
    CPINFOEXW info = {};
    if (!GetCPInfoExW(CP_ACP, 0, &info))
        return CString();
    CString name(info.CodePageName);
    name.Trim();
    int open = name.Find(L'(');
    if (open < 0)
        return name;
    // The text in parentheses, without the closing one.
    return name.Mid(open + 1, name.GetLength() - open - 2);
}
