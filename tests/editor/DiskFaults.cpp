// Failing disks for the save's tests.
#include "tests/editor/DiskFaults.h"

#include <windows.h>

using app::DiskCall_t;

namespace {

int writes = 0;
bool flushed = false;

} // namespace

DiskFault::DiskFault(app::DiskFault_t fault)
{
    writes = 0;
    flushed = false;
    app::SetDiskFault(fault);
}

DiskFault::~DiskFault()
{
    app::SetDiskFault(nullptr);
}

unsigned long DiskFull(DiskCall_t call)
{
    return call == DiskCall_t::Write ? ERROR_DISK_FULL : 0;
}

unsigned long FirstWriteFails(DiskCall_t call)
{
    return call == DiskCall_t::Write && writes++ == 0 ? ERROR_WRITE_FAULT : 0;
}

unsigned long FullAfterFirstWrite(DiskCall_t call)
{
    return call == DiskCall_t::Write && writes++ > 0 ? ERROR_DISK_FULL : 0;
}

unsigned long FlushFails(DiskCall_t call)
{
    return call == DiskCall_t::Flush ? ERROR_WRITE_FAULT : 0;
}

unsigned long ReadBackFails(DiskCall_t call)
{
    flushed = flushed || call == DiskCall_t::Flush;
    return call == DiskCall_t::Read && flushed ? ERROR_READ_FAULT : 0;
}

const DiskFailure diskFailures[5] = {
    {"the disk is full", DiskFull, app::SaveStep_t::Write, ERROR_DISK_FULL},
    {"the body's write fails once", FirstWriteFails, app::SaveStep_t::Write, ERROR_WRITE_FAULT},
    {"the disk fills before the trailer", FullAfterFirstWrite, app::SaveStep_t::Write, ERROR_DISK_FULL},
    {"the flush fails", FlushFails, app::SaveStep_t::Write, ERROR_WRITE_FAULT},
    {"reading back fails", ReadBackFails, app::SaveStep_t::Check, ERROR_CRC},
};
