// Tests of the free-space queries and the space left after a copy.
#include "tests/Setup/actions/SetupTestSupport.h"

#include <gtest/gtest.h>

using setup_test::TempFolder;
using setup_test::WriteBytes;

namespace {

ULONGLONG g_totalFree = 0;
ULONGLONG g_callerFree = 0;
BOOL g_answer = TRUE;

BOOL WINAPI FakeFreeSpaceEx(LPCSTR, PULARGE_INTEGER callerFree, PULARGE_INTEGER total, PULARGE_INTEGER totalFree)
{
    callerFree->QuadPart = g_callerFree;
    total->QuadPart = g_totalFree * 2;
    totalFree->QuadPart = g_totalFree;
    return g_answer;
}

BOOL WINAPI FakeFreeSpace(LPCSTR, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector, LPDWORD freeClusters,
                          LPDWORD clusters)
{
    *sectorsPerCluster = 8;
    *bytesPerSector = 512;
    *freeClusters = static_cast<DWORD>(g_totalFree / 4096);
    *clusters = *freeClusters * 2;
    return g_answer;
}

class FreeSpace : public ::testing::Test
{
protected:
    ~FreeSpace() override { CInstallActions::SetFreeSpaceQueriesForTest(false, nullptr, nullptr); }
};

TEST_F(FreeSpace, WholeMegabytesOfTheVolumesFreeBytes)
{
    EXPECT_EQ(CInstallActions::FreeBytesToMB(52428800), 50);
    EXPECT_EQ(CInstallActions::FreeBytesToMB(52428799), 49);
    EXPECT_EQ(CInstallActions::FreeBytesToMB(0), 0);

    CInstallActions::SetFreeSpaceQueriesForTest(true, FakeFreeSpaceEx, nullptr);
    g_totalFree = 52428800;
    g_callerFree = 1048576;  // a quota does not count
    EXPECT_EQ(CInstallActions::GetFreeDiskSpaceMB(L"C:\\"), 50);
    g_totalFree = 52428799;
    EXPECT_EQ(CInstallActions::GetFreeDiskSpaceMB(L"C:\\"), 49);
    g_answer = FALSE;
    EXPECT_EQ(CInstallActions::GetFreeDiskSpaceMB(L"C:\\"), 0);
    g_answer = TRUE;
}

TEST_F(FreeSpace, ClusterCountsWhereTheExtendedQueryIsMissing)
{
    CInstallActions::SetFreeSpaceQueriesForTest(true, nullptr, FakeFreeSpace);
    g_totalFree = 52428800;
    EXPECT_EQ(CInstallActions::GetDriveFreeSpace("C:\\"), 50);
    g_totalFree = 52428800 - 4096;
    EXPECT_EQ(CInstallActions::GetDriveFreeSpace("C:\\"), 49);
    g_totalFree = 5000ull * 1048576;  // more than 32 bits of bytes
    EXPECT_EQ(CInstallActions::GetDriveFreeSpace("C:\\"), 5000);
    g_answer = FALSE;
    EXPECT_EQ(CInstallActions::GetDriveFreeSpace("C:\\"), 0);
    g_answer = TRUE;
}

TEST_F(FreeSpace, TheRealDriveAnswers)
{
    ULARGE_INTEGER callerFree, total, totalFree;
    ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:\\", &callerFree, &total, &totalFree));
    int expected = static_cast<int>(totalFree.QuadPart / 1048576);
    int reported = CInstallActions::GetFreeDiskSpaceMB(L"C:\\");
    EXPECT_NEAR(reported, expected, 64);  // other programs write meanwhile
    EXPECT_EQ(CInstallActions::GetFreeDiskSpaceMB(L"@:\\"), 0);
}

TEST_F(FreeSpace, SpaceAfterCopy)
{
    TempFolder source, target;
    WriteBytes(source / L"one.bin", std::string(1048576, 'x'));
    CInstallActions::CreateDirectoryRecursive(source / L"sub", 1);
    WriteBytes(source / L"sub\\two.bin", std::string(524288, 'y'));
    CInstallActions::SetFreeSpaceQueriesForTest(true, FakeFreeSpaceEx, nullptr);
    g_totalFree = 100ull * 1048576;

    int status = 5;
    EXPECT_FLOAT_EQ(CInstallActions::GetSpaceAfterCopyMB(source.Path() + L"\\", target.Path(), status, L""), 98.5f);
    EXPECT_EQ(status, 0);
    EXPECT_FLOAT_EQ(CInstallActions::GetSpaceAfterCopyMB(source.Path(), target.Path(), status, L"one.bin"), 99.0f);

    // A copy already at the target is replaced: its space comes back.
    WriteBytes(target / L"one.bin", std::string(1048576, 'o'));
    EXPECT_FLOAT_EQ(CInstallActions::GetSpaceAfterCopyMB(source.Path(), target.Path() + L"\\", status, L""), 99.5f);

    EXPECT_FLOAT_EQ(CInstallActions::GetSpaceAfterCopyMB(source.Path(), target.Path(), status, L"none.bin"), -1.0f);
    EXPECT_EQ(status, -30);
}

}  // namespace
