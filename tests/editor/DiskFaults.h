// Failing disks for the save's tests: each makes the system's own reads, writes
// or flushes of a checklist file fail, as a full disk or a bad medium would.
#pragma once

#include "editor/file/DiskFile.h"
#include "editor/file/SafeSave.h"

// Makes the disk fail as the fault says while the object lives; counts the calls afresh.
class DiskFault {
public:
    explicit DiskFault(app::DiskFault_t fault);
    ~DiskFault();
    DiskFault(const DiskFault&) = delete;
    DiskFault& operator=(const DiskFault&) = delete;
};

// Every write fails for want of space.
unsigned long DiskFull(app::DiskCall_t call);
// The first write fails and the disk then recovers: what is written later must not hide the loss.
unsigned long FirstWriteFails(app::DiskCall_t call);
// The first write (a small file's body) fits, then the disk is full: the trailer is not written.
unsigned long FullAfterFirstWrite(app::DiskCall_t call);
unsigned long FlushFails(app::DiskCall_t call);
// Every read after the file was flushed fails, as a bad sector would.
unsigned long ReadBackFails(app::DiskCall_t call);

// A failing disk, the step of the save that must report it and the code it reports.
struct DiskFailure {
    const char* what;
    app::DiskFault_t fault;
    app::SaveStep_t step;
    unsigned long code;
};

// Every way the disk can fail a save: in the body, in the trailer, in the flush, in the read-back.
extern const DiskFailure diskFailures[5];
