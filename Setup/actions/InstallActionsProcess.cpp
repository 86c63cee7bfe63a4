// CInstallActions: starting programs directly, waiting for them with the windows kept
// painted, ending a running program, and opening a file through the shell.
#include "Setup/actions/InstallActions.h"

#include "Setup/actions/ProcessFinder.h"

#include <shellapi.h>

namespace {

// Woken by posted and sent messages, timers and paint; input waits in the queue.
const DWORD kWakeMask = QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE;

// Mouse messages 0x0200 to 0x020A, keyboard messages 0x0100 to 0x0108.
const UINT kInputRanges[2][2] = {{0x0200, 0x020A}, {0x0100, 0x0108}};

bool IsInput(UINT message)
{
    for (const UINT* range : kInputRanges) {
        if (message >= range[0] && message <= range[1])
            return true;
    }
    return false;
}

bool IsSignalled(HANDLE handle)
{
    return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
}

CInstallActions::MessageWait g_messageWait = MsgWaitForMultipleObjects;

// Waits for the handle, serving every message but input; a quit message it takes is
// handed out through quit and quitCode.
bool WaitServingMessages(HANDLE handle, bool& quit, int& quitCode)
{
    for (;;) {
        DWORD woken = g_messageWait(1, &handle, FALSE, INFINITE, kWakeMask);
        if (woken == WAIT_OBJECT_0)
            return true;
        if (woken != WAIT_OBJECT_0 + 1)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            bool unicode = IsWindowUnicode(message.hwnd) != FALSE;
            BOOL taken = unicode ? GetMessageW(&message, nullptr, 0, 0) : GetMessageA(&message, nullptr, 0, 0);
            if (taken == 0) {
                quit = true;
                quitCode = static_cast<int>(message.wParam);
            } else if (taken > 0 && !IsInput(message.message)) {
                TranslateMessage(&message);
                if (unicode)
                    DispatchMessageW(&message);
                else
                    DispatchMessageA(&message);
            }
            if (IsSignalled(handle))
                return true;
        }
    }
}

}  // namespace

void CInstallActions::SetMessageWaitForTest(MessageWait wait)
{
    g_messageWait = wait ? wait : MsgWaitForMultipleObjects;
}

bool CInstallActions::RunProgram(const CString& commandLine, bool wait, DWORD& exitCode)
{
    if (GetWindowsVersion() < kVista)
        return RunProcessAndWait(commandLine, wait, exitCode);
    return RunAsUsersGroupTask(commandLine, wait, exitCode);
}

bool CInstallActions::RunProcessAndWait(const CString& commandLine, bool wait, DWORD& exitCode)
{
    CString writable(commandLine);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, writable.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    // A wait that failed leaves the program running and its exit code unknown.
    bool done = !wait ||
                (WaitPumpingMessages(process.hProcess) && GetExitCodeProcess(process.hProcess, &exitCode));
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return done;
}

bool CInstallActions::WaitPumpingMessages(HANDLE handle)
{
    bool quit = false;
    int quitCode = 0;
    bool signalled = WaitServingMessages(handle, quit, quitCode);
    if (quit)
        PostQuitMessage(quitCode);   // the application's own loop ends on it
    return signalled;
}

void CInstallActions::DiscardQueuedInput()
{
    // PeekMessage hands out a waiting quit message whatever the filter: it belongs to
    // the application's own loop and goes back with its code.
    bool quit = false;
    int quitCode = 0;
    MSG message;
    for (const UINT* range : kInputRanges) {
        while (PeekMessageW(&message, nullptr, range[0], range[1], PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(message.wParam);
            }
        }
    }
    if (quit)
        PostQuitMessage(quitCode);
}

bool CInstallActions::CloseRunningProgram(const CString& executableName)
{
    CProcessFinder finder;
    return finder.CloseProcess(executableName.ToAnsi().c_str());
}

bool CInstallActions::OpenWithShell(const CString& path)
{
    HINSTANCE result = ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
