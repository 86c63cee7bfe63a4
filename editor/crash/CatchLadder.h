// The editor's one place of failure handling. Start-up and the message loop
// each run inside the ladder, which turns every exception that escapes them
// into a message, a log record or the fatal-error dialog; the program ends
// afterwards. The two differ only in the source lines they report.
#pragma once

#include <functional>

namespace app {

// The lines of source "Application" under which failures are reported.
struct CatchLines_t {
    int registryLoad;     // the registry message: its string...
    int registryFormat;   // ...and its formatting
    int structured;
    int lengthError;
    int domainError;
    int outOfRange;
    int invalidArgument;
    int iosFailure;
    int rangeError;
    int overflowError;
    int underflowError;
    int badAlloc;
    int badCast;
    int badException;
    int badTypeid;
    int logicError;
    int runtimeError;
    int exception;
    int unknown;
};

extern const CatchLines_t StartUpLines;
extern const CatchLines_t LoopLines;

// The source file that the ladder names for failures without a position of their own.
extern const char* const LadderSource;

// Runs body; true when it ended normally, false when an exception escaped it
// and has been reported.
bool RunInCatchLadder(const std::function<void()>& body, const CatchLines_t& lines);

// Runs a report; when the report fails in turn, a plain message box tells the
// user instead, so that the program never vanishes without a word.
void ReportOrFallBack(const std::function<void()>& report);

// That plain message box, with the failure's text when there is one.
void ReportUnreportable(const char* what);

} // namespace app
