// The failures that the test variant of the editor raises on request: as the
// command FaultCommand + kind in its message loop, or at start-up when its
// command line holds the switch "/startfault:" and the kind's number. The
// session's end ends it with the code EndedWithTheSession.
#pragma once

enum FaultKind_t {
    MissingFile,
    UnreadableFile,
    RegistryFailure,
    Assertion,
    ProcessorFault,
    OutOfRange,
    ThrownInteger,
    FaultInSystemCode,   // a bad pointer handed to the runtime's strlen
    StackOverflow,
    FaultKindCount
};

const unsigned FaultCommand = 0xBE00;
const unsigned EndedWithTheSession = 0x5E55;
