// Tests of starting programs directly, finding and closing a running program by the
// name of its executable, and opening through the shell. Every process a test ends is
// one it started itself, under a name of its own.
#include "tests/Setup/actions/SetupTestSupport.h"

#include "Setup/actions/ProcessFinder.h"

#include <gtest/gtest.h>

using setup_test::FakeWindowsVersion;
using setup_test::HelperPath;
using setup_test::TempFolder;

namespace {

CString Helper()
{
    return L"\"" + HelperPath(L"setup_test_helper.exe") + L"\"";
}

TEST(RunProcess, WaitsAndGivesTheExitCode)
{
    DWORD exitCode = 0;
    EXPECT_TRUE(CInstallActions::RunProcessAndWait(Helper() + L" exit 42", true, exitCode));
    EXPECT_EQ(exitCode, 42u);

    exitCode = 5;
    EXPECT_TRUE(CInstallActions::RunProcessAndWait(Helper() + L" exit 42", false, exitCode));
    EXPECT_EQ(exitCode, 5u);

    EXPECT_FALSE(CInstallActions::RunProcessAndWait(L"C:\\no such folder\\none.exe", true, exitCode));
    EXPECT_EQ(exitCode, 5u);
}

DWORD WINAPI FailingWait(DWORD, const HANDLE*, BOOL, DWORD, DWORD)
{
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

TEST(RunProcess, AWaitThatFailsIsAFailureWithoutAnExitCode)
{
    CInstallActions::SetMessageWaitForTest(FailingWait);
    DWORD exitCode = 5;
    bool awaited = CInstallActions::RunProcessAndWait(Helper() + L" exit 42", true, exitCode);
    CInstallActions::SetMessageWaitForTest(nullptr);
    EXPECT_FALSE(awaited);
    EXPECT_EQ(exitCode, 5u);
}

TEST(RunProcess, BeforeVistaTheProgramIsStartedDirectly)
{
    for (WORD servicePack : {2, 3}) {
        FakeWindowsVersion xp(VER_PLATFORM_WIN32_NT, 5, 1, servicePack);
        DWORD exitCode = 0;
        EXPECT_TRUE(CInstallActions::RunProgram(Helper() + L" exit 17", true, exitCode));
        EXPECT_EQ(exitCode, 17u);
    }
    FakeWindowsVersion xp64(VER_PLATFORM_WIN32_NT, 5, 2, 2);
    DWORD exitCode = 0;
    EXPECT_TRUE(CInstallActions::RunProgram(Helper() + L" exit 18", true, exitCode));
    EXPECT_EQ(exitCode, 18u);
}

// A copy of the helper under the name that start-up ends, in a folder of the test's own.
class RunningProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_program = m_folder / L"Taviro.exe";
        ASSERT_TRUE(CopyFileW(HelperPath(L"setup_test_helper.exe"), m_program, FALSE));
    }

    void TearDown() override
    {
        if (m_process.hProcess) {
            if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(m_process.hProcess, 1);  // our own child, left over by a failure
            WaitForSingleObject(m_process.hProcess, 5000);
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
    }

    // Starts the copy with a window that closes or ignores WM_CLOSE, and waits until it shows.
    void StartWindow(const wchar_t* mode)
    {
        CString eventName;
        eventName.Format(L"SetupTestReady_%lu", GetCurrentProcessId());
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName);
        CString command;
        command.Format(L"\"%s\" window %s %s", m_program.GetString(), mode, eventName.GetString());
        m_process = setup_test::StartProcess(command);
        ASSERT_NE(m_process.hProcess, nullptr);
        EXPECT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0);
        CloseHandle(ready);
    }

    DWORD ExitCode() const
    {
        WaitForSingleObject(m_process.hProcess, 10000);
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

    TempFolder m_folder;
    CString m_program;
    PROCESS_INFORMATION m_process = {};
};

TEST_F(RunningProgram, NothingToCloseWhenItIsNotRunning)
{
    EXPECT_FALSE(CInstallActions::CloseRunningProgram(L"Taviro.exe"));
    DWORD id = 0;
    EXPECT_EQ(CProcessFinder().OpenByName("Taviro.exe", id), nullptr);
    EXPECT_EQ(CProcessFinder(false).OpenByName("Taviro.exe", id), nullptr);
}

TEST_F(RunningProgram, AProgramThatClosesItsWindowIsNotEnded)
{
    StartWindow(L"close");
    EXPECT_TRUE(CInstallActions::CloseRunningProgram(L"Taviro.exe"));
    EXPECT_EQ(ExitCode(), 3u);  // its own exit code: it closed itself
}

TEST_F(RunningProgram, AProgramThatIgnoresCloseIsEndedAfterFiveSeconds)
{
    StartWindow(L"ignore");
    DWORD started = GetTickCount();
    // Named in another case than its file.
    EXPECT_TRUE(CInstallActions::CloseRunningProgram(L"TAVIRO.EXE"));
    EXPECT_GE(GetTickCount() - started, 4900u);
    EXPECT_EQ(ExitCode(), 0u);
}

TEST_F(RunningProgram, BothSearchRoadsFindItByName)
{
    StartWindow(L"close");
    for (bool toolhelp : {true, false}) {
        CProcessFinder finder(toolhelp);
        DWORD id = 0;
        HANDLE process = finder.OpenByName("tAvIrO.eXe", id);
        ASSERT_NE(process, nullptr) << "toolhelp " << toolhelp;
        EXPECT_EQ(id, m_process.dwProcessId);
        EXPECT_EQ(WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_TIMEOUT));
        CloseHandle(process);
    }
    // The native road closes it as well.
    EXPECT_TRUE(CProcessFinder(false).CloseProcess("Taviro.exe"));
    EXPECT_EQ(ExitCode(), 3u);
}

TEST(Shell, OpeningAMissingPathFails)
{
    EXPECT_FALSE(CInstallActions::OpenWithShell(L"C:\\no such folder\\nothing here.kiv"));
}

}  // namespace
