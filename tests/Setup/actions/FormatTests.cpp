// Tests of the diagnostic formatters and the standard-string conversions.
#include "tests/Setup/actions/SetupTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Formatters, DriveTypeNames)
{
    EXPECT_EQ(CInstallActions::DriveTypeName(DRIVE_UNKNOWN), L"DRIVE_UNKNOWN");
    EXPECT_EQ(CInstallActions::DriveTypeName(DRIVE_FIXED), L"DRIVE_FIXED");
    EXPECT_EQ(CInstallActions::DriveTypeName(DRIVE_RAMDISK), L"DRIVE_RAMDISK");
    EXPECT_EQ(CInstallActions::DriveTypeName(9), L"DRIVE TYPE 9");
}

TEST(Formatters, FileSystemFlagNamesInTheirOwnOrder)
{
    EXPECT_EQ(CInstallActions::FileSystemFlagNames(0, L", "), L"[none]");
    EXPECT_EQ(CInstallActions::FileSystemFlagNames(0x3, L", "), L"FS_CASE_IS_PRESERVED, FS_CASE_SENSITIVE");
    EXPECT_EQ(CInstallActions::FileSystemFlagNames(0x8000 | 0x40000, L"|"), L"FILE_NAMED_STREAMS|FS_VOL_IS_COMPRESSED");
    EXPECT_EQ(CInstallActions::FileSystemFlagNames(0x100, L", "), L"");
    EXPECT_EQ(CInstallActions::FileSystemFlagNames(0x8, L""), L"FS_PERSISTENT_ACLS");
}

TEST(Formatters, BitStringsLowestBitFirst)
{
    EXPECT_EQ(CInstallActions::FormatBitString(0x5, 0), L"10100000000000000000000000000000");
    EXPECT_EQ(CInstallActions::FormatBitString(0x80000001, 8),
              L"10000000 00000000 00000000 00000001 ");
    EXPECT_EQ(CInstallActions::FormatBitString(0xF, 5).Left(12), L"11110 00000 ");
    EXPECT_EQ(CInstallActions::FormatBitString(0, 5).GetLength(), 32 + 6);
}

TEST(Conversions, StringListsEmptyTheirSource)
{
    std::vector<CString> source{L"one", L"caf\x00E9"};
    std::vector<std::wstring> wide;
    CInstallActions::ToStringList(source, wide);
    EXPECT_TRUE(source.empty());
    EXPECT_EQ(wide, (std::vector<std::wstring>{L"one", L"caf\x00E9"}));

    source = {L"two"};
    std::vector<std::string> narrow{"kept"};
    CInstallActions::ToStringList(source, narrow);
    EXPECT_TRUE(source.empty());
    EXPECT_EQ(narrow, (std::vector<std::string>{"kept", "two"}));
    EXPECT_EQ(CInstallActions::ToWString(L"text"), L"text");
}

}  // namespace
