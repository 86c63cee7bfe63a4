// CInstallActions: letting waiting window messages and the application's idle work run
// during a long operation, at most every half second.
#include "Setup/actions/InstallActions.h"

#include "framework/CWinApp.h"
#include "framework/Globals.h"

namespace {
DWORD g_lastPump = 0;
}

void CInstallActions::PumpPendingMessages()
{
    DWORD now = GetTickCount();
    if (now - g_lastPump < 500)
        return;
    g_lastPump = now;

    CWinApp* application = AfxGetApp();
    if (!application)
        return;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!application->PumpMessage()) {
            // The quit message belongs to the application's own loop: put it back, with
            // its code, and stop.
            PostQuitMessage(static_cast<int>(application->m_msgCur.wParam));
            return;
        }
    }
    for (LONG count = 0; application->OnIdle(count); ++count) {
    }
}
