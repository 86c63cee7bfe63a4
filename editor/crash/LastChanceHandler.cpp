// The last-chance handler.
#include "editor/crash/LastChanceHandler.h"

#include "editor/crash/BasicLogStream.h"
#include "editor/crash/CatchLadder.h"
#include "editor/crash/FatalDialog.h"
#include "editor/crash/LogRecord.h"
#include "foundation/win/WIN_StructuredException.h"

#include <windows.h>

namespace app {

namespace {

const char thisFile[] = ".\\LastChanceHandler";

// Set by the first fault; a fault while reporting ends the program at once.
LONG reporting = 0;

win::StructuredException_t Describe(EXCEPTION_POINTERS* pointers)
{
    return win::StructuredException_t(pointers->ExceptionRecord->ExceptionCode, pointers);
}

// On the faulting thread, which has stack to spare: the whole report.
void ReportInPlace(EXCEPTION_POINTERS* pointers)
{
    ReportOrFallBack([pointers] { FatalDialog_t report(thisFile, __LINE__, Describe(pointers)); });
}

// On a thread of its own, for a fault that left its thread no stack: the
// record, then the fallback box. The fatal-error dialog cannot run here: the
// framework's windows belong to the halted thread.
DWORD WINAPI ReportOnOwnStack(void* parameter)
{
    auto* pointers = static_cast<EXCEPTION_POINTERS*>(parameter);
    ReportOrFallBack([pointers] {
        const win::StructuredException_t fault = Describe(pointers);
        AppendToLog(BuildLogRecord(thisFile, __LINE__, fault.what()));
        ReportUnreportable(fault.what());
    });
    return 0;
}

LONG WINAPI LastChance(EXCEPTION_POINTERS* pointers)
{
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    if (::InterlockedExchange(&reporting, 1) == 0) {
        if (code == EXCEPTION_STACK_OVERFLOW || win::IsStackExhausted(pointers->ContextRecord->Esp)) {
            HANDLE reporter = ::CreateThread(nullptr, 0, &ReportOnOwnStack, pointers, 0, nullptr);
            if (reporter) {
                ::WaitForSingleObject(reporter, INFINITE);
                ::CloseHandle(reporter);
            }
        } else {
            ReportInPlace(pointers);
        }
    }
    // Nothing of the program runs on: no exit handlers, no clean-up.
    ::TerminateProcess(::GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void InstallLastChanceHandler()
{
    ::SetUnhandledExceptionFilter(&LastChance);
}

} // namespace app
