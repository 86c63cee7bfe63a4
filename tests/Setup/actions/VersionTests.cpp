// Tests of the Windows version code, WoW64 and the code-page texts.
#include "tests/Setup/actions/SetupTestSupport.h"

#include <gtest/gtest.h>

using setup_test::FakeWindowsVersion;

namespace {

int CodeOf(DWORD platform, DWORD major, DWORD minor, WORD servicePack = 0)
{
    FakeWindowsVersion version(platform, major, minor, servicePack);
    return CInstallActions::GetWindowsVersion();
}

const DWORD kNT = VER_PLATFORM_WIN32_NT;
const DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;

TEST(WindowsVersion, XpCodesFollowTheServicePack)
{
    EXPECT_EQ(CodeOf(kNT, 5, 1, 0), 6);
    EXPECT_EQ(CodeOf(kNT, 5, 1, 1), 7);
    EXPECT_EQ(CodeOf(kNT, 5, 1, 2), 8);
    EXPECT_EQ(CodeOf(kNT, 5, 1, 3), 9);
    EXPECT_EQ(CodeOf(kNT, 5, 1, 4), 6);
    EXPECT_EQ(CodeOf(kNT, 5, 2, 2), 10);
}

TEST(WindowsVersion, VistaAndLater)
{
    EXPECT_EQ(CodeOf(kNT, 6, 0, 0), 11);
    EXPECT_EQ(CodeOf(kNT, 6, 0, 1), 12);
    EXPECT_EQ(CodeOf(kNT, 6, 0, 2), 11);  // only SP1 has a code of its own
    EXPECT_EQ(CodeOf(kNT, 6, 1, 1), 13);
    EXPECT_EQ(CodeOf(kNT, 6, 2), 11);     // Windows 8 counts as Vista
    EXPECT_EQ(CodeOf(kNT, 10, 0), 11);
}

TEST(WindowsVersion, OlderSystems)
{
    EXPECT_EQ(CodeOf(kNT, 3, 51), 11);    // NT 3.51 falls through to the Vista code
    EXPECT_EQ(CodeOf(kNT, 4, 0, 6), 4);
    EXPECT_EQ(CodeOf(kNT, 5, 0, 4), 5);
    EXPECT_EQ(CodeOf(kNT, 5, 3), 11);
    EXPECT_EQ(CodeOf(k9x, 4, 0), 1);
    EXPECT_EQ(CodeOf(k9x, 4, 10), 2);
    EXPECT_EQ(CodeOf(k9x, 4, 90), 3);
    EXPECT_EQ(CodeOf(k9x, 4, 50), 1);
    EXPECT_EQ(CodeOf(VER_PLATFORM_WIN32s, 3, 11), 0);
    EXPECT_EQ(CodeOf(7, 6, 1), 0);
}

TEST(WindowsVersion, TheRealSystemHasACode)
{
    int code = CInstallActions::GetWindowsVersion();
    EXPECT_GE(code, 8);  // the prefix reports XP SP2 or later
    EXPECT_LE(code, 13);
}

TEST(WindowsVersion, TextHoldsNumberAndServicePack)
{
    FakeWindowsVersion version(kNT, 5, 1, 3, L"Service Pack 3 ");
    EXPECT_EQ(CInstallActions::GetWindowsVersionText(), L"501 Service Pack 3");
}

TEST(Platform, Wow64MatchesThePrefix)
{
    // A WoW64 process has a 32-bit system folder of its own.
    wchar_t folder[MAX_PATH];
    bool wow64Prefix = GetSystemWow64DirectoryW(folder, MAX_PATH) > 0;
    EXPECT_EQ(CInstallActions::IsWow64(), wow64Prefix);
}

TEST(Platform, CodePageNameIsTheTextInParentheses)
{
    CPINFOEXW info = {};
    ASSERT_TRUE(GetCPInfoExW(CP_ACP, 0, &info));
    CString full(info.CodePageName);
    full.Trim();
    CString name = CInstallActions::GetCodePageName();
    if (full.Find(L'(') >= 0) {
        EXPECT_EQ(L"(" + name + L")", full.Mid(full.Find(L'(')));
    } else {
        EXPECT_EQ(name, full);
    }
    EXPECT_EQ(CInstallActions::GetAnsiCodePage(), GetACP());
    EXPECT_TRUE(CInstallActions::IsAnsiCodePage(GetACP()));
    EXPECT_FALSE(CInstallActions::IsAnsiCodePage(GetACP() + 1));
}

}  // namespace
