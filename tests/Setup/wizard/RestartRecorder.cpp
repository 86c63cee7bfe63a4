// The recorders that stand in for the restart of Windows (see RestartRecorder.h).
#include "tests/Setup/wizard/RestartRecorder.h"

#include "Setup/wizard/Bootstrap.h"

namespace pages_test {

namespace {

RestartLog g_log;
DWORD g_adjustmentError = ERROR_SUCCESS;

BOOL WINAPI RecordAdjustment(HANDLE, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD, PTOKEN_PRIVILEGES,
                             PDWORD)
{
    ++g_log.adjustments;
    g_log.disableAll = disableAll;
    g_log.privilegeCount = newState->PrivilegeCount;
    g_log.privilege = newState->Privileges[0].Luid;
    g_log.attributes = newState->Privileges[0].Attributes;
    SetLastError(g_adjustmentError);
    return TRUE;
}

BOOL WINAPI RecordRestart(UINT flags, DWORD reason)
{
    ++g_log.restarts;
    g_log.flags = flags;
    g_log.reason = reason;
    return TRUE;
}

// Installed while the program starts, before any test can reach the real calls.
const bool g_installed = (CBootstrap::SetRestartCallsForTest(RecordAdjustment, RecordRestart), true);

}  // namespace

const RestartLog& Restarts()
{
    return g_log;
}

void ClearRestartLog()
{
    g_log = RestartLog();
    g_adjustmentError = ERROR_SUCCESS;
}

void SetPrivilegeAdjustmentError(DWORD error)
{
    g_adjustmentError = error;
}

}  // namespace pages_test
