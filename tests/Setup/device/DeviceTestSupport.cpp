// Helpers of the device code's tests (see DeviceTestSupport.h).
#include "tests/Setup/device/DeviceTestSupport.h"

#include <tlhelp32.h>

#include <cstdio>

std::set<DWORD> Threads()
{
    std::set<DWORD> threads;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return threads;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            threads.insert(entry.th32ThreadID);
    CloseHandle(snapshot);
    return threads;
}

::testing::AssertionResult ThreadsBecome(const std::set<DWORD>& before, int added)
{
    int count = -1;
    auto reached = [&] {
        count = 0;
        for (DWORD thread : Threads())
            count += before.count(thread) == 0 ? 1 : 0;
        return count == added;
    };
    if (WaitFor(reached, 30000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << count << " threads besides the first ones, not " << added;
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(5);
    }
}

Watchdog::Watchdog(DWORD milliseconds)
    : m_done(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_limit(milliseconds)
{
    m_thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

Watchdog::~Watchdog()
{
    SetEvent(m_done);
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    CloseHandle(m_done);
}

DWORD WINAPI Watchdog::Watch(void* self)
{
    auto* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->m_done, watchdog->m_limit) == WAIT_TIMEOUT) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        fprintf(stderr, "\n%s.%s hangs: ended after %lu ms\n", test ? test->test_suite_name() : "?",
                test ? test->name() : "?", static_cast<unsigned long>(watchdog->m_limit));
        fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}

namespace {
const wchar_t kMakerKey[] = L"SOFTWARE\\Quorel";
const wchar_t kTestModeKey[] = L"SOFTWARE\\Quorel\\TestModeKey";

bool CreateKey(const wchar_t* path)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_READ, nullptr, &key, &disposition);
    RegCloseKey(key);
    return disposition == REG_CREATED_NEW_KEY;
}
}  // namespace

TestModeOn::TestModeOn() : m_madeMakerKey(CreateKey(kMakerKey))
{
    CreateKey(kTestModeKey);
}

TestModeOn::~TestModeOn()
{
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kTestModeKey);
    if (m_madeMakerKey)
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kMakerKey);
}
