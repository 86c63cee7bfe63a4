// CAppMessagePump: the application's message pump (see AppMessagePump.h).
#include "Setup/AppMessagePump.h"

namespace {
CAppMessagePump g_standIn;
CAppMessagePump* g_current = nullptr;
}

BOOL CAppMessagePump::PumpMessage()
{
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0)
        return FALSE;
    TranslateMessage(&message);
    DispatchMessageW(&message);
    return TRUE;
}

BOOL CAppMessagePump::OnIdle(LONG)
{
    return FALSE;
}

CAppMessagePump& CAppMessagePump::Current()
{
    return g_current ? *g_current : g_standIn;
}

void CAppMessagePump::SetCurrent(CAppMessagePump* pump)
{
    g_current = pump;
}
