// Tests of the program folder, the source drive, system folders, environment paths
// and file versions.
#include "tests/Setup/actions/SetupTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Paths, ModuleDirectoryEndsInABackslash)
{
    CString folder = CInstallActions::GetModuleDirectory();
    EXPECT_EQ(folder.Right(1), L"\\");
    EXPECT_EQ(folder.Left(folder.GetLength() - 1).CompareNoCase(setup_test::ProgramFolder()), 0);
}

TEST(Paths, SourceDriveIsADriveRootAtTheEndOfTheCommandLine)
{
    EXPECT_EQ(CInstallActions::GetSourceDrive(L"\"C:\\Install\\Setup.exe\" D:\\"), L"D:\\");
    EXPECT_EQ(CInstallActions::GetSourceDrive(L"Setup.exe e:\\"), L"e:\\");
    EXPECT_EQ(CInstallActions::GetSourceDrive(L"Setup.exe D:\\  "), L"D:\\");
    EXPECT_EQ(CInstallActions::GetSourceDrive(L"Setup.exe D:"), L"D:\\");
    EXPECT_EQ(CInstallActions::GetSourceDrive(L"\"C:\\Install\\Setup.exe\""), L"");
    EXPECT_EQ(CInstallActions::GetSourceDrive(L"C:\\Install\\Setup.exe"), L"");
    EXPECT_EQ(CInstallActions::GetSourceDrive(L"Setup.exe"), L"");
    EXPECT_EQ(CInstallActions::GetSourceDrive(L"Setup.exe :\\"), L"");
    EXPECT_EQ(CInstallActions::GetSourceDrive(L""), L"");
    // This test program was started by its own name.
    EXPECT_EQ(CInstallActions::GetSourceDrive(), L"");
}

TEST(Paths, SystemFolderAndDrive)
{
    CString system = CInstallActions::GetSystemDirectoryPath();
    CString tail = system.Mid(system.ReverseFind(L'\\') + 1);
    EXPECT_TRUE(tail.CompareNoCase(L"system32") == 0 || tail.CompareNoCase(L"syswow64") == 0) << system.ToAnsi();
    EXPECT_EQ(CInstallActions::GetSystemDrive(), system.Left(2).MakeUpper());
    EXPECT_EQ(CInstallActions::GetSystemDrive().GetLength(), 2);
}

TEST(Paths, EnvironmentPaths)
{
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(CInstallActions::ExpandEnvironmentPath(L"windir").CompareNoCase(windows), 0);
    EXPECT_EQ(CInstallActions::GetWindowsDirectoryPath().CompareNoCase(windows), 0);
    EXPECT_EQ(CInstallActions::ExpandEnvironmentPath(L"SETUP_TEST_UNDEFINED_VARIABLE"), L"");
    EXPECT_EQ(CInstallActions::ExpandEnvironmentPath(L"%SETUP_TEST_UNDEFINED_VARIABLE%"), L"");

    SetEnvironmentVariableW(L"SETUP_TEST_FOLDER", L"  C:\\Some Folder ");
    EXPECT_EQ(CInstallActions::ExpandEnvironmentPath(L"SETUP_TEST_FOLDER"), L"C:\\Some Folder");
    EXPECT_EQ(CInstallActions::ExpandEnvironmentPath(L"%SETUP_TEST_FOLDER%\\bin"), L"C:\\Some Folder \\bin");
    SetEnvironmentVariableW(L"SETUP_TEST_FOLDER", nullptr);
}

TEST(Paths, FileVersionOfASystemLibrary)
{
    CString kernel32 = CInstallActions::GetSystemDirectoryPath() + L"\\kernel32.dll";
    DWORD version = CInstallActions::GetFileVersionMS(kernel32);
    EXPECT_GE(HIWORD(version), 5u);
    EXPECT_EQ(CInstallActions::GetFileVersionMS(L"C:\\no such folder\\none.dll"), 0u);
}

}  // namespace
