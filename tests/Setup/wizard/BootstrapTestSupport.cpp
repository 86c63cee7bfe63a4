// Helpers of the bootstrap and controller tests (see BootstrapTestSupport.h).
#include "tests/Setup/wizard/BootstrapTestSupport.h"

#include <gtest/gtest.h>

namespace pages_test {

namespace {

const wchar_t kMachineKey[] = L"Software\\QuorelSetupPagesTests\\Machine";

void WriteText(HKEY root, const wchar_t* path, const wchar_t* name, const CString& text)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.GetString()),
                   (text.GetLength() + 1) * sizeof(wchar_t));
    RegCloseKey(key);
}

struct VersionOfCode
{
    DWORD platform, major, minor;
    WORD servicePack;
};

const VersionOfCode kVersions[14] = {
    { VER_PLATFORM_WIN32s, 3, 10, 0 }, { VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0 },
    { VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0 }, { VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0 },
    { VER_PLATFORM_WIN32_NT, 4, 0, 6 }, { VER_PLATFORM_WIN32_NT, 5, 0, 4 }, { VER_PLATFORM_WIN32_NT, 5, 1, 0 },
    { VER_PLATFORM_WIN32_NT, 5, 1, 1 }, { VER_PLATFORM_WIN32_NT, 5, 1, 2 }, { VER_PLATFORM_WIN32_NT, 5, 1, 3 },
    { VER_PLATFORM_WIN32_NT, 5, 2, 2 }, { VER_PLATFORM_WIN32_NT, 6, 0, 0 }, { VER_PLATFORM_WIN32_NT, 6, 0, 1 },
    { VER_PLATFORM_WIN32_NT, 6, 1, 1 },
};

}  // namespace

MachineRegistry::MachineRegistry()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kMachineKey);
    RegCreateKeyExW(HKEY_CURRENT_USER, kMachineKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_key));
}

MachineRegistry::~MachineRegistry()
{
    Restore();
    RegCloseKey(m_key);
    RegDeleteTreeW(HKEY_CURRENT_USER, kMachineKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, kMachineKey);
}

void MachineRegistry::Restore()
{
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
}

void MachineRegistry::SetInstallerLocation(const CString& folder)
{
    WriteText(m_key, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer", L"InstallerLocation", folder);
}

void MachineRegistry::SetBrowserVersion(const CString& version)
{
    WriteText(m_key, L"SOFTWARE\\Microsoft\\Internet Explorer", L"Version", version);
}

WindowsOfCode::WindowsOfCode(int code)
    : FakeWindowsVersion(kVersions[code].platform, kVersions[code].major, kVersions[code].minor,
                         kVersions[code].servicePack)
{
}

Redistributable::Redistributable(DWORD exitCode) : m_folder(ProgramDirectory() + L"bin\\Msi\\2.0")
{
    CInstallActions::CreateDirectoryRecursive(m_folder, 4);
    for (const wchar_t* name : { L"\\InstMsiW.exe", L"\\InstMsiA.exe" })
        EXPECT_TRUE(CopyFileW(StandInPath(), m_folder + name, FALSE));
    SetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_LOG", m_temp / L"command.txt");
    CString code;
    code.Format(L"%lu", exitCode);
    SetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_EXIT", code);
}

Redistributable::~Redistributable()
{
    SetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_LOG", nullptr);
    SetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_EXIT", nullptr);
    CInstallActions::DeleteFolderRecursive(ProgramDirectory() + L"bin");
}

bool Redistributable::Ran() const
{
    return GetFileAttributesW(m_temp / L"command.txt") != INVALID_FILE_ATTRIBUTES;
}

CString Redistributable::CommandLine() const
{
    std::string bytes = setup_test::ReadBytes(m_temp / L"command.txt");
    return CString(reinterpret_cast<const wchar_t*>(bytes.data()), static_cast<int>(bytes.size() / sizeof(wchar_t)));
}

CString ProgramDirectory()
{
    return setup_test::ProgramFolder() + L"\\";
}

CString LanguageLibraryPath()
{
    return ProgramDirectory() + L"setup_pages_language.dll";
}

CString StandInPath()
{
    return ProgramDirectory() + L"setup_pages_stand_in.exe";
}

}  // namespace pages_test
