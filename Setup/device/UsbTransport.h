// CUsbTransport: the packet link to a unit on the maker's USB driver. The unit is found
// by its device interface class and opened for overlapped I/O; a writer thread sends to
// the bulk-out pipe, a reader takes packets from the interrupt-in pipe, and another reads
// the bulk-in pipe when the unit announces data. Link-level packets drive the session;
// application packets received during a session wait in a queue for the command layer.
// A packet on the interrupt pipe longer than 4096 bytes is dropped.
// One link per process: all members are static.
#pragma once

#include <windows.h>

class CUsbTransport
{
public:
    CUsbTransport() = delete;

    // Write status of a send.
    enum WriteStatus { kWriteTimedOut = 1, kWriteError = 2, kWriteDone = 16, kWritePending = 17 };
    // Result of waiting on an overlapped operation.
    enum WaitResult { kStopRequested = 0, kWaitTimedOut = 1, kWaitError = 2, kWaitDone = 3 };

    // The units' device interface class {2C9C45C2-8E7D-4C08-A12D-816BBAE722C0}.
    static const GUID kInterfaceClass;
    // Device control codes of the driver: read the interrupt-in pipe (64-byte output),
    // and the bulk-out pipe's maximum packet size (a u16).
    static const DWORD kReadInterruptPipe = 0x222140;
    static const DWORD kBulkOutPacketSize = 0x222144;

    // Opens the first unit, starts the threads and asks for a session; true when the
    // start-session packet was sent. Resources of an earlier link are released first.
    static bool Open();
    // Stops the threads and releases everything; safe after a partial open.
    static void Close();
    static bool IsOpen();
    // Sends bytes on the bulk-out pipe and waits for the write: kWriteDone, kWriteTimedOut
    // or kWriteError. Without a link, kWriteError at once.
    static int Send(const void* bytes, DWORD length);
    static int SendWithTimeout(const void* bytes, DWORD length, DWORD milliseconds);
    // Hands a copy of the bytes to the writer thread.
    static void QueueWrite(const void* bytes, DWORD length, DWORD milliseconds);
    // Whether a received packet waits, and its total length (header and data).
    static void PeekPacket(bool& hasPacket, DWORD& totalLength);
    // Moves the oldest received packet into destination (at most capacity bytes) and
    // removes it; returns the bytes copied, 0 when the queue is empty.
    static DWORD PopPacket(void* destination, DWORD capacity);

private:
    static bool OpenDeviceInterface();
    static void DispatchPacket(const BYTE* bytes, DWORD length);
    static int WaitOverlapped(BOOL immediate, DWORD& transferred, OVERLAPPED& overlapped, DWORD milliseconds);
    static void CancelIo(int waitResult, OVERLAPPED& overlapped);
    static int WriteAndWait(const void* bytes, DWORD length, OVERLAPPED& overlapped, DWORD milliseconds);
    static WORD QueryBulkOutPacketSize(OVERLAPPED& overlapped);
    static void WaitForWriterIdle();
    static unsigned __stdcall BulkReaderThread(void*);
    static unsigned __stdcall InterruptReaderThread(void*);
    static unsigned __stdcall WriterThread(void*);
};
