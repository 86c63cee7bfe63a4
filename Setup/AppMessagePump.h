// CAppMessagePump: what the installer's long operations ask of the application object
// while they let window messages run: handle one message, then do the idle work.
// Setup's application object installs its own; until then one that translates and
// dispatches directly, with no idle work, stands in.
#pragma once

#include <windows.h>

class CAppMessagePump
{
public:
    virtual ~CAppMessagePump() = default;

    // Takes and handles one message; FALSE when it was the quit message.
    virtual BOOL PumpMessage();
    // One step of idle work; FALSE when there is no more.
    virtual BOOL OnIdle(LONG count);

    static CAppMessagePump& Current();
    // Null restores the stand-in.
    static void SetCurrent(CAppMessagePump* pump);
};
