// The restart of Windows as the page tests see it: from the start of the test program,
// the privilege adjustment and the restart request of CBootstrap only write down how
// they were called. Nothing in these tests can restart the machine.
#pragma once

#include <windows.h>

namespace pages_test {

struct RestartLog
{
    int adjustments = 0;        // AdjustTokenPrivileges calls
    BOOL disableAll = TRUE;
    DWORD privilegeCount = 0;
    LUID privilege = {};
    DWORD attributes = 0;
    int restarts = 0;           // ExitWindowsEx calls
    UINT flags = 0;
    DWORD reason = ~0u;
};

// The calls so far; cleared by ClearRestartLog.
const RestartLog& Restarts();
void ClearRestartLog();
// The error the privilege adjustment leaves behind: ERROR_SUCCESS, or
// ERROR_NOT_ALL_ASSIGNED for a process that does not hold the privilege.
void SetPrivilegeAdjustmentError(DWORD error);

}  // namespace pages_test
