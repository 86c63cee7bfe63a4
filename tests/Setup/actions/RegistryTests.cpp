// Tests of the registry value readers and writers, the tree deletion and the RunOnce
// resume entry, on keys of the tests' own.
#include "tests/Setup/actions/SetupTestSupport.h"

#include <gtest/gtest.h>

using setup_test::TestKey;

namespace {

CString OwnRoot()
{
    CString path;
    path.Format(L"Software\\QuorelSetupTests_%lu", GetCurrentProcessId());
    return path;
}

void SetRaw(HKEY root, const CString& path, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(root, path, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

class RegistryValues : public ::testing::Test
{
protected:
    TestKey parent{HKEY_CURRENT_USER, OwnRoot()};
    TestKey key{HKEY_CURRENT_USER, OwnRoot() + L"\\Values"};
};

TEST_F(RegistryValues, StringsRoundTrip)
{
    EXPECT_TRUE(CInstallActions::WriteRegistryString(HKEY_CURRENT_USER, key.Path(), L"InstallDir", L"C:\\Maps\\"));
    CString text;
    EXPECT_TRUE(CInstallActions::ReadRegistryString(HKEY_CURRENT_USER, key.Path(), L"InstallDir", text));
    EXPECT_EQ(text, L"C:\\Maps\\");
    EXPECT_TRUE(CInstallActions::WriteRegistryString(HKEY_CURRENT_USER, key.Path(), L"Empty", L""));
    EXPECT_TRUE(CInstallActions::ReadRegistryString(HKEY_CURRENT_USER, key.Path(), L"Empty", text));
    EXPECT_EQ(text, L"");
}

TEST_F(RegistryValues, MissingKeysAndValuesReadAsEmpty)
{
    CString text(L"stale");
    EXPECT_FALSE(CInstallActions::ReadRegistryString(HKEY_CURRENT_USER, key.Path(), L"None", text));
    EXPECT_EQ(text, L"");
    text = L"stale";
    EXPECT_FALSE(CInstallActions::ReadRegistryString(HKEY_CURRENT_USER, key.Path() + L"\\Missing", L"x", text));
    EXPECT_EQ(text, L"");
    // Writers do not create keys.
    EXPECT_FALSE(CInstallActions::WriteRegistryString(HKEY_CURRENT_USER, key.Path() + L"\\Missing", L"x", L"y"));
    EXPECT_FALSE(CInstallActions::WriteRegistryDword(HKEY_CURRENT_USER, key.Path() + L"\\Missing", L"x", 1));
}

TEST_F(RegistryValues, StringOf150CharactersFitsOneMoreDoesNot)
{
    // Stored without terminator: the writer adds one when a zero follows the data.
    std::wstring exact(150, L'e');
    std::wstring stored = exact + L"!";
    SetRaw(HKEY_CURRENT_USER, key.Path(), L"Exact", REG_SZ, stored.data(), 300);
    CString text;
    EXPECT_TRUE(CInstallActions::ReadRegistryString(HKEY_CURRENT_USER, key.Path(), L"Exact", text));
    EXPECT_EQ(text.GetLength(), 150);
    EXPECT_EQ(text, exact.c_str());

    std::wstring longer(151, L'l');
    SetRaw(HKEY_CURRENT_USER, key.Path(), L"Longer", REG_SZ, longer.c_str(), 304);
    text = L"stale";
    EXPECT_FALSE(CInstallActions::ReadRegistryString(HKEY_CURRENT_USER, key.Path(), L"Longer", text));
    EXPECT_EQ(text, L"");
}

TEST_F(RegistryValues, DwordsAndBinaries)
{
    EXPECT_TRUE(CInstallActions::WriteRegistryDword(HKEY_CURRENT_USER, key.Path(), L"Count", 0xC0FFEE));
    DWORD value = 0;
    EXPECT_TRUE(CInstallActions::ReadRegistryDword(HKEY_CURRENT_USER, key.Path(), L"Count", value));
    EXPECT_EQ(value, 0xC0FFEEu);
    EXPECT_FALSE(CInstallActions::ReadRegistryDword(HKEY_CURRENT_USER, key.Path(), L"None", value));
    EXPECT_EQ(value, 0u);

    const BYTE bytes[] = {1, 2, 3};
    EXPECT_TRUE(CInstallActions::WriteRegistryBinary(HKEY_CURRENT_USER, key.Path(), L"Blob", bytes, 3));
    BYTE read[8] = {};
    DWORD size = sizeof(read), type = 0;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.Path(), L"Blob", RRF_RT_ANY, &type, read, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(read[2], 3);
}

TEST_F(RegistryValues, DeleteRegistryTree)
{
    key.CreateSubkey(L"Tree\\A\\B");
    key.CreateSubkey(L"Tree\\C");
    EXPECT_TRUE(CInstallActions::DeleteRegistryTree(HKEY_CURRENT_USER, key.Path() + L"\\Tree"));
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.Path() + L"\\Tree", 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(CInstallActions::DeleteRegistryTree(HKEY_CURRENT_USER, key.Path() + L"\\Tree"));
    EXPECT_FALSE(CInstallActions::DeleteRegistryTree(HKEY_CURRENT_USER, key.Path() + L"\\No\\Parent"));
    EXPECT_FALSE(CInstallActions::DeleteRegistryTree(HKEY_CURRENT_USER, L"NoBackslash"));
    EXPECT_FALSE(CInstallActions::DeleteRegistryTree(HKEY_CURRENT_USER, L"\\Leading"));
}

// Removes the RunOnce value again, whatever the test did, so that the prefix never
// starts this program after a restart.
class ResumeValueGuard
{
public:
    ~ResumeValueGuard()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunOnce, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, L"QuorelInstallResume");
            RegCloseKey(key);
        }
    }
    static constexpr const wchar_t* kRunOnce = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
};

TEST(InstallResume, WritesAndClearsTheCommandLine)
{
    ResumeValueGuard guard;
    ASSERT_TRUE(CInstallActions::SetInstallResume());
    CString text;
    EXPECT_TRUE(CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE, ResumeValueGuard::kRunOnce,
                                                    L"QuorelInstallResume", text));
    EXPECT_EQ(text, CString(GetCommandLineW()).Left(150));
    EXPECT_TRUE(CInstallActions::ClearInstallResume());
    EXPECT_TRUE(CInstallActions::ReadRegistryString(HKEY_LOCAL_MACHINE, ResumeValueGuard::kRunOnce,
                                                    L"QuorelInstallResume", text));
    EXPECT_EQ(text, L"");
}

}  // namespace
