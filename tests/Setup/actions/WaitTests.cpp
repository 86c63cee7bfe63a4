// Tests of the waits that keep Setup's windows painted: waiting for a child process
// and letting pending messages and idle work run.
#include "tests/Setup/actions/SetupTestSupport.h"

#include "framework/CWinApp.h"

#include <gtest/gtest.h>

#include <algorithm>

using setup_test::HelperPath;

namespace {

std::vector<UINT> g_received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_received.push_back(message);
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Received(UINT message)
{
    return std::find(g_received.begin(), g_received.end(), message) != g_received.end();
}

// A shown top-level window that records every message it is sent.
class RecordingWindow
{
public:
    RecordingWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SetupWaitTestWindow";
        RegisterClassW(&windowClass);
        m_window = CreateWindowW(L"SetupWaitTestWindow", L"Wait test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        g_received.clear();
    }
    ~RecordingWindow() { DestroyWindow(m_window); }
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

PROCESS_INFORMATION StartHelper(const wchar_t* arguments)
{
    return setup_test::StartProcess(L"\"" + HelperPath(L"setup_test_helper.exe") + L"\" " + arguments);
}

void Close(PROCESS_INFORMATION& process)
{
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

TEST(WaitPumpingMessages, AnEndedProcessReturnsAtOnce)
{
    PROCESS_INFORMATION process = StartHelper(L"exit 0");
    ASSERT_NE(process.hProcess, nullptr);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    // At once: the ended process is seen before any waiting message is served.
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0));
    EXPECT_TRUE(CInstallActions::WaitPumpingMessages(process.hProcess));
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_REMOVE));
    Close(process);
}

TEST(WaitPumpingMessages, DiscardsClicksAndKeysButServesPaintAndPostedMessages)
{
    RecordingWindow window;
    PROCESS_INFORMATION process = StartHelper(L"sleep 1500 0");
    ASSERT_NE(process.hProcess, nullptr);
    PostMessageW(window.Get(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(window.Get(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostMessageW(window.Get(), WM_MOUSEWHEEL, 0, 0);
    PostMessageW(window.Get(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(window.Get(), WM_CHAR, L'x', 1);
    PostMessageW(window.Get(), WM_APP + 1, 0, 0);
    InvalidateRect(window.Get(), nullptr, TRUE);

    EXPECT_TRUE(CInstallActions::WaitPumpingMessages(process.hProcess));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(Received(WM_PAINT));
    EXPECT_TRUE(Received(WM_APP + 1));
    for (UINT input : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEWHEEL, WM_KEYDOWN, WM_CHAR})
        EXPECT_FALSE(Received(input)) << std::hex << input;
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, window.Get(), WM_KEYFIRST, WM_MOUSELAST, PM_NOREMOVE));
    Close(process);
}

TEST(WaitPumpingMessages, AQuitMessageItMeetsIsPostedAgain)
{
    RecordingWindow window;
    PROCESS_INFORMATION process = StartHelper(L"sleep 1000 0");
    ASSERT_NE(process.hProcess, nullptr);
    PostQuitMessage(7);
    PostMessageW(window.Get(), WM_APP + 5, 0, 0);

    EXPECT_TRUE(CInstallActions::WaitPumpingMessages(process.hProcess));
    EXPECT_TRUE(Received(WM_APP + 5));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
    Close(process);
}

TEST(WaitPumpingMessages, AnInvalidHandleFails)
{
    EXPECT_FALSE(CInstallActions::WaitPumpingMessages(nullptr));
}

// An application object that counts what PumpPendingMessages asks of it.
class CountingApp : public CWinApp
{
public:
    BOOL PreTranslateMessage(MSG* message) override
    {
        ++pumped;
        return CWinApp::PreTranslateMessage(message);
    }
    BOOL OnIdle(LONG count) override
    {
        idleCounts.push_back(count);
        return count < 2;
    }
    int pumped = 0;
    std::vector<LONG> idleCounts;
};

void LetThePumpGateOpen()
{
    Sleep(550);
}

TEST(PumpPendingMessages, HandlesWaitingMessagesThenTheIdleWork)
{
    RecordingWindow window;
    CountingApp pump;
    LetThePumpGateOpen();
    PostMessageW(window.Get(), WM_APP + 2, 0, 0);
    PostMessageW(window.Get(), WM_APP + 3, 0, 0);
    CInstallActions::PumpPendingMessages();
    EXPECT_TRUE(Received(WM_APP + 2));
    EXPECT_TRUE(Received(WM_APP + 3));
    EXPECT_GE(pump.pumped, 2);
    EXPECT_EQ(pump.idleCounts, (std::vector<LONG>{0, 1, 2}));
}

TEST(PumpPendingMessages, ASecondCallWithinHalfASecondDoesNothing)
{
    RecordingWindow window;
    CountingApp pump;
    LetThePumpGateOpen();
    CInstallActions::PumpPendingMessages();
    int pumped = pump.pumped;
    Sleep(100);
    PostMessageW(window.Get(), WM_APP + 4, 0, 0);
    CInstallActions::PumpPendingMessages();
    EXPECT_EQ(pump.pumped, pumped);
    EXPECT_FALSE(Received(WM_APP + 4));
    LetThePumpGateOpen();
    CInstallActions::PumpPendingMessages();
    EXPECT_TRUE(Received(WM_APP + 4));
}

TEST(PumpPendingMessages, TheQuitMessageIsPostedAgainAndLeftAlone)
{
    CountingApp pump;
    LetThePumpGateOpen();
    PostQuitMessage(7);
    CInstallActions::PumpPendingMessages();
    EXPECT_EQ(pump.pumped, 0);
    EXPECT_TRUE(pump.idleCounts.empty());
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
