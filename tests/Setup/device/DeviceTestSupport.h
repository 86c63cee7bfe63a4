// Helpers of the device code's tests: the threads of this process, waiting for a
// condition with a limit, a watchdog that ends a test program whose test hangs, and the
// installer's test mode switched on.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>

// The ids of the threads this process runs.
std::set<DWORD> Threads();
// Whether the process comes to run exactly that many threads besides those given, waited
// for: a thread that has ended can still be listed a moment after its end was seen, the
// longer the busier the machine.
::testing::AssertionResult ThreadsBecome(const std::set<DWORD>& before, int added);

// Polls the condition until it holds or the time is up; whether it held.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 5000);

// While it lives, a test that runs longer than the limit ends the program with a message,
// so that no test can hang (for tests whose code under test waits without limit).
class Watchdog
{
public:
    explicit Watchdog(DWORD milliseconds = 60000);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* self);
    HANDLE m_done;
    HANDLE m_thread;
    DWORD m_limit;
};

// While it lives the installer runs in test mode: the key HKEY_LOCAL_MACHINE
// "SOFTWARE\Quorel\TestModeKey" exists (made in the test prefix; the maker's key is
// removed again when this made it).
class TestModeOn
{
public:
    TestModeOn();
    ~TestModeOn();
    TestModeOn(const TestModeOn&) = delete;
    TestModeOn& operator=(const TestModeOn&) = delete;

private:
    bool m_madeMakerKey = false;
};
