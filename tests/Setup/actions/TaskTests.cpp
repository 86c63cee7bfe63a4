// Tests of the task road that starts a program as the Users group from Vista on: its
// COM sequence and diagnostics, and the program it starts where the Task Scheduler
// runs registered tasks.
#include "tests/Setup/actions/FakeTaskScheduler.h"
#include "tests/Setup/actions/SetupTestSupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cwctype>

using setup_test::CapturedDiagnostics;
using setup_test::FakeWindowsVersion;
using setup_test::HelperPath;

namespace {

const wchar_t kRegistered[] = L"\n Success! Task successfully registered. ";
const wchar_t kDeleted[] = L"\n Success! Task successfully deleted. ";
const wchar_t kDidNotStart[] = L"Task didn't start\n";
const wchar_t kNoRegistrationTrigger[] = L"\nCannot add registration trigger to the Task 80004001";

bool IsLaunchTaskName(const std::wstring& name)
{
    if (name.size() <= 7 || name.compare(0, 7, L"Launch ") != 0)
        return false;
    return std::all_of(name.begin() + 7, name.end(), [](wchar_t ch) { return iswdigit(ch) != 0; });
}

TEST(TaskRoad, StartsTheProgramOrReportsThatTheTaskDidNotStart)
{
    // Two launches in one process, under Vista SP1 and Windows 7.
    for (WORD minor : {0, 1}) {
        FakeWindowsVersion version(VER_PLATFORM_WIN32_NT, 6, minor, minor == 0 ? 1 : 0);
        CapturedDiagnostics diagnostics;
        DWORD exitCode = 55;
        // The helper without arguments runs for 2 s and ends with 7.
        bool started = CInstallActions::RunProgram(HelperPath(L"setup_test_helper.exe"), true, exitCode);
        std::vector<std::wstring> leftovers = setup_test::DeleteLeftoverLaunchTasks();
        if (started) {
            EXPECT_EQ(diagnostics.Text(), std::wstring(kRegistered) + kDeleted);
            EXPECT_TRUE(leftovers.empty());
            EXPECT_TRUE(exitCode == 7 || exitCode == 55);  // 55: it ended before the search
        } else if (diagnostics.Text() == kNoRegistrationTrigger) {
            // This Task Scheduler has no registration triggers: nothing was registered.
            std::printf("note: the Task Scheduler here lacks registration triggers\n");
            EXPECT_TRUE(leftovers.empty());
            EXPECT_EQ(exitCode, 55u);
        } else {
            // The Task Scheduler registered the task but never ran it: the task stays.
            EXPECT_EQ(diagnostics.Text(), std::wstring(kRegistered) + kDidNotStart);
            ASSERT_EQ(leftovers.size(), 1u);
            EXPECT_TRUE(IsLaunchTaskName(leftovers[0]));
            EXPECT_EQ(exitCode, 55u);
        }
    }
}

TEST(TaskRoad, ComInitialisedInAnotherModelIsReportedAndLeftAsItWas)
{
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    {
        FakeWindowsVersion vista(VER_PLATFORM_WIN32_NT, 6, 0, 2);
        CapturedDiagnostics diagnostics;
        DWORD exitCode = 0;
        EXPECT_FALSE(CInstallActions::RunProgram(HelperPath(L"setup_test_helper.exe"), true, exitCode));
        EXPECT_EQ(diagnostics.Text(), L"\nCoInitializeEx failed: 80010106");
    }
    // Still initialised once, by this test.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_TRUE(setup_test::DeleteLeftoverLaunchTasks().empty());
}

}  // namespace

namespace {

using setup_test::FakeTaskScheduler;

const std::vector<std::wstring> kAllSteps{L"Connect",      L"GetFolder",    L"DeleteOld",      L"NewTask",
                                          L"GetTriggers",  L"CreateTrigger", L"GetActions",    L"CreateAction",
                                          L"QueryInterface", L"PutPath",    L"PutArguments",  L"Register",
                                          L"DeleteTask"};

TEST(TaskSequence, RegistersAOneShotTaskForTheUsersGroupAndWaitsForItsProgram)
{
    FakeTaskScheduler scheduler;
    scheduler.runsTasks = true;
    CapturedDiagnostics diagnostics;
    CString program = HelperPath(L"setup_test_helper.exe");
    DWORD exitCode = 55;
    EXPECT_TRUE(CInstallActions::RunAsUsersGroupTask(program, true, exitCode));
    EXPECT_EQ(exitCode, 7u);  // found by its name and awaited
    EXPECT_EQ(diagnostics.Text(), std::wstring(kRegistered) + kDeleted);
    EXPECT_EQ(scheduler.steps, kAllSteps);
    EXPECT_TRUE(IsLaunchTaskName(scheduler.registeredName)) << CString(scheduler.registeredName.c_str()).ToAnsi();
    EXPECT_EQ(scheduler.registeredFlags, TASK_CREATE);
    EXPECT_EQ(scheduler.registeredUser, L"S-1-5-32-545");
    EXPECT_EQ(scheduler.passwordType, VT_EMPTY);
    EXPECT_EQ(scheduler.logonType, TASK_LOGON_GROUP);
    EXPECT_EQ(scheduler.registeredSecurity, L"");
    EXPECT_EQ(scheduler.triggerType, TASK_TRIGGER_REGISTRATION);
    EXPECT_EQ(scheduler.actionType, TASK_ACTION_EXEC);
    EXPECT_EQ(scheduler.path, program.GetString());
    EXPECT_EQ(scheduler.arguments, L"");
    EXPECT_EQ(scheduler.references, 0);
}

TEST(TaskSequence, WithoutWaitingTheExitCodeStaysAsItWas)
{
    FakeTaskScheduler scheduler;
    scheduler.runsTasks = true;
    DWORD exitCode = 55;
    EXPECT_TRUE(CInstallActions::RunAsUsersGroupTask(HelperPath(L"setup_test_helper.exe"), false, exitCode));
    EXPECT_EQ(exitCode, 55u);
    EXPECT_EQ(scheduler.references, 0);
}

TEST(TaskSequence, ATaskThatDoesNotRunWithinFiftyPollsStaysRegistered)
{
    FakeTaskScheduler scheduler;
    CapturedDiagnostics diagnostics;
    DWORD exitCode = 55;
    DWORD started = GetTickCount();
    EXPECT_FALSE(CInstallActions::RunAsUsersGroupTask(HelperPath(L"setup_test_helper.exe"), true, exitCode));
    EXPECT_GE(GetTickCount() - started, 4500u);
    EXPECT_EQ(scheduler.statePolls, 50);
    EXPECT_EQ(diagnostics.Text(), std::wstring(kRegistered) + kDidNotStart);
    EXPECT_EQ(scheduler.steps.back(), L"Register");  // not deleted
    EXPECT_EQ(exitCode, 55u);
    EXPECT_EQ(scheduler.references, 0);
}

TEST(TaskSequence, EachFailingStepIsReportedAndEverythingReleased)
{
    const struct { const wchar_t* step; const wchar_t* diagnostic; } kFailures[] = {
        {L"CreateService", L"Failed to CoCreate an instance of the TaskService class: 80004005"},
        {L"Connect", L"ITaskService::Connect failed: 80004005"},
        {L"GetFolder", L"Cannot get Root Folder pointer: 80004005"},
        {L"NewTask", L"\nFailed to create the task definition: 80004005"},
        {L"GetTriggers", L"\nCannot get trigger collection: 80004005"},
        {L"CreateTrigger", L"\nCannot add registration trigger to the Task 80004005"},
        {L"GetActions", L"\nCannot get Task collection pointer: 80004005"},
        {L"CreateAction", L"\npActionCollection->Create failed: 80004005"},
        {L"QueryExecAction", L"\npAction->QueryInterface failed: 80004002"},
        {L"PutPath", L"\nCannot set path of executable: 80004005"},
        {L"PutArguments", L"\nCannot set arguments of executable: 80004005"},
        {L"Register", L"\nError saving the Task : 80004005"},
    };
    for (const auto& failure : kFailures) {
        FakeTaskScheduler scheduler;
        scheduler.failStep = failure.step;
        scheduler.runsTasks = true;
        CapturedDiagnostics diagnostics;
        DWORD exitCode = 55;
        EXPECT_FALSE(CInstallActions::RunAsUsersGroupTask(L"C:\\no such folder\\program.exe", true, exitCode));
        EXPECT_EQ(diagnostics.Text(), failure.diagnostic);
        EXPECT_EQ(scheduler.references, 0) << CString(failure.step).ToAnsi();
        EXPECT_EQ(exitCode, 55u);
    }
}

TEST(TaskSequence, AFailedDeletionAfterTheStartIsReported)
{
    FakeTaskScheduler scheduler;
    scheduler.failStep = L"DeleteTask";
    scheduler.runsTasks = true;
    CapturedDiagnostics diagnostics;
    DWORD exitCode = 55;
    EXPECT_FALSE(CInstallActions::RunAsUsersGroupTask(HelperPath(L"setup_test_helper.exe"), true, exitCode));
    EXPECT_EQ(diagnostics.Text(), std::wstring(kRegistered) + L"\nError deleting the Task : 80004005");
    EXPECT_EQ(exitCode, 55u);
    EXPECT_EQ(scheduler.references, 0);

    // A failure to clear away an older task of the same name does not matter.
    FakeTaskScheduler again;
    again.failStep = L"DeleteOld";
    again.runsTasks = true;
    EXPECT_TRUE(CInstallActions::RunAsUsersGroupTask(HelperPath(L"setup_test_helper.exe"), false, exitCode));
}

}  // namespace

namespace {

TEST(TaskSequence, FromVistaOnRunProgramGoesThroughALaunchTask)
{
    const struct { DWORD minor; WORD servicePack; } kSystems[] = {{0, 0}, {0, 1}, {0, 2}, {1, 1}};
    for (const auto& system : kSystems) {
        FakeWindowsVersion version(VER_PLATFORM_WIN32_NT, 6, system.minor, system.servicePack);
        setup_test::FakeTaskScheduler scheduler;
        scheduler.runsTasks = true;
        DWORD exitCode = 0;
        EXPECT_TRUE(CInstallActions::RunProgram(L"\"" + HelperPath(L"setup_test_helper.exe") + L"\" exit 0", false,
                                                exitCode));
        EXPECT_TRUE(IsLaunchTaskName(scheduler.registeredName));
    }
}

}  // namespace
