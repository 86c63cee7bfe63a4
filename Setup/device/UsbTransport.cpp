// CUsbTransport: the USB link, its three threads and its packet queue (see UsbTransport.h).
#include "Setup/device/UsbTransport.h"

#include "Setup/device/UsbDeviceApi.h"
#include "Setup/device/UsbPacket.h"

#include <process.h>

#include <algorithm>
#include <deque>
#include <vector>

const GUID CUsbTransport::kInterfaceClass = {
    0x2C9C45C2, 0x8E7D, 0x4C08, {0xA1, 0x2D, 0x81, 0x6B, 0xBA, 0xE7, 0x22, 0xC0}};

namespace {

const DWORD kStartSessionTimeout = 3000;
const DWORD kInterruptChunk = 64;
const DWORD kBulkBufferSize = 4096;
// The longest packet the interrupt reader keeps: as long as one read of the bulk pipe,
// and as much as the commands take of a reply.
const DWORD kMaxInterruptPacket = 4096;

// The one link of the process.
struct Link
{
    HANDLE device = INVALID_HANDLE_VALUE;
    volatile LONG open = 0;
    volatile LONG sessionStarted = 0;
    HANDLE stop = nullptr;
    HANDLE dataAvailable = nullptr;
    HANDLE writeRequest = nullptr;
    HANDLE writeDone = nullptr;
    HANDLE bulkReader = nullptr;
    HANDLE interruptReader = nullptr;
    HANDLE writer = nullptr;

    // Received application packets, oldest first; guarded by queueLock alone.
    std::deque<std::vector<BYTE>> queue;
    CRITICAL_SECTION queueLock;
    bool lockReady = false;

    // The write handed from the sender to the writer thread.
    std::vector<BYTE> writeCopy;
    DWORD writeTimeout = 0;
    volatile LONG writeStatus = CUsbTransport::kWriteDone;
    // A sender stopped waiting before the writer was done.
    bool writeAbandoned = false;
};

Link g_link;

CUsbDeviceApi& Api()
{
    return CUsbDeviceApi::Current();
}

void CloseEvent(HANDLE& event)
{
    if (event)
        Api().CloseHandle(event);
    event = nullptr;
}

void JoinThread(HANDLE& thread)
{
    if (!thread)
        return;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    thread = nullptr;
}

HANDLE StartThread(unsigned (__stdcall* body)(void*), int priority)
{
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, body, nullptr, 0, nullptr));
    if (thread)
        SetThreadPriority(thread, priority);
    return thread;
}

}  // namespace

bool CUsbTransport::Open()
{
    // A link whose interrupt reader ended still holds its threads and handles.
    Close();

    InitializeCriticalSection(&g_link.queueLock);
    g_link.lockReady = true;
    g_link.sessionStarted = 0;
    g_link.writeCopy.clear();
    g_link.writeTimeout = 0;
    g_link.writeStatus = kWriteDone;
    g_link.writeAbandoned = false;

    g_link.stop = Api().CreateManualEvent();
    g_link.dataAvailable = g_link.stop ? Api().CreateManualEvent() : nullptr;
    g_link.writeRequest = g_link.dataAvailable ? Api().CreateManualEvent() : nullptr;
    g_link.writeDone = g_link.writeRequest ? Api().CreateManualEvent() : nullptr;
    if (!g_link.writeDone || !OpenDeviceInterface()) {
        Close();
        return false;
    }

    g_link.open = 1;
    g_link.bulkReader = StartThread(BulkReaderThread, THREAD_PRIORITY_ABOVE_NORMAL);
    g_link.interruptReader = g_link.bulkReader ? StartThread(InterruptReaderThread, THREAD_PRIORITY_TIME_CRITICAL)
                                               : nullptr;
    g_link.writer = g_link.interruptReader ? StartThread(WriterThread, THREAD_PRIORITY_ABOVE_NORMAL) : nullptr;
    if (!g_link.writer) {
        Close();
        return false;
    }
    Sleep(1);

    CUsbPacket startSession(PacketType::UsbLayer, static_cast<uint16_t>(UsbPacketId::StartSession));
    return SendWithTimeout(startSession.Bytes(), startSession.Length(), kStartSessionTimeout) == kWriteDone;
}

void CUsbTransport::Close()
{
    g_link.sessionStarted = 0;
    if (g_link.stop)
        SetEvent(g_link.stop);
    JoinThread(g_link.interruptReader);
    JoinThread(g_link.bulkReader);
    JoinThread(g_link.writer);
    if (g_link.lockReady)
        DeleteCriticalSection(&g_link.queueLock);
    g_link.lockReady = false;
    CloseEvent(g_link.stop);
    CloseEvent(g_link.dataAvailable);
    CloseEvent(g_link.writeRequest);
    CloseEvent(g_link.writeDone);
    g_link.queue.clear();
    g_link.writeCopy.clear();
    g_link.writeTimeout = 0;
    if (g_link.device != INVALID_HANDLE_VALUE)
        Api().CloseHandle(g_link.device);
    g_link.device = INVALID_HANDLE_VALUE;
    g_link.open = 0;
}

bool CUsbTransport::IsOpen()
{
    return g_link.open != 0;
}

bool CUsbTransport::OpenDeviceInterface()
{
    HDEVINFO list = Api().GetClassDevsA(&kInterfaceClass, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list == INVALID_HANDLE_VALUE)
        return false;
    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof(data);
    if (Api().EnumDeviceInterfaces(list, &kInterfaceClass, 0, &data)) {
        DWORD required = 0;
        Api().GetDeviceInterfaceDetailA(list, &data, nullptr, 0, &required);
        if (required >= sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
            // One spare zero byte keeps the path terminated whatever the call wrote.
            std::vector<BYTE> block(required + 1, 0);
            auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(block.data());
            detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
            if (Api().GetDeviceInterfaceDetailA(list, &data, detail, required, nullptr))
                g_link.device = Api().CreateFileA(detail->DevicePath, GENERIC_READ | GENERIC_WRITE, 0,
                                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED);
        }
    }
    Api().DestroyDeviceInfoList(list);
    return g_link.device != INVALID_HANDLE_VALUE;
}

int CUsbTransport::Send(const void* bytes, DWORD length)
{
    return SendWithTimeout(bytes, length, INFINITE);
}

int CUsbTransport::SendWithTimeout(const void* bytes, DWORD length, DWORD milliseconds)
{
    if (!g_link.writer || !g_link.writeDone)
        return kWriteError;
    WaitForWriterIdle();
    QueueWrite(bytes, length, milliseconds);
    HANDLE waits[] = {g_link.writeDone, g_link.writer};
    DWORD woken = WaitForMultipleObjects(2, waits, FALSE, milliseconds);
    if (woken == WAIT_TIMEOUT) {
        g_link.writeAbandoned = true;
        return kWriteTimedOut;
    }
    if (woken != WAIT_OBJECT_0)
        return kWriteError;  // the writer has ended
    ResetEvent(g_link.writeDone);
    return g_link.writeStatus;
}

void CUsbTransport::WaitForWriterIdle()
{
    // A send that gave up waiting left its write with the writer, which ends it within
    // its own time-out; its bytes must not be replaced while they are being written.
    if (!g_link.writeAbandoned)
        return;
    HANDLE waits[] = {g_link.writeDone, g_link.writer};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    ResetEvent(g_link.writeDone);
    g_link.writeAbandoned = false;
}

void CUsbTransport::QueueWrite(const void* bytes, DWORD length, DWORD milliseconds)
{
    InterlockedExchange(&g_link.writeStatus, kWritePending);
    const BYTE* first = static_cast<const BYTE*>(bytes);
    g_link.writeCopy.assign(first, first + (bytes ? length : 0));
    g_link.writeTimeout = milliseconds;
    if (g_link.writeRequest)
        SetEvent(g_link.writeRequest);
}

void CUsbTransport::PeekPacket(bool& hasPacket, DWORD& totalLength)
{
    hasPacket = false;
    totalLength = 0;
    if (!g_link.lockReady)
        return;
    EnterCriticalSection(&g_link.queueLock);
    if (!g_link.queue.empty()) {
        hasPacket = true;
        totalLength = static_cast<DWORD>(g_link.queue.front().size());
    }
    LeaveCriticalSection(&g_link.queueLock);
}

DWORD CUsbTransport::PopPacket(void* destination, DWORD capacity)
{
    if (!g_link.lockReady)
        return 0;
    DWORD copied = 0;
    EnterCriticalSection(&g_link.queueLock);
    if (!g_link.queue.empty()) {
        const std::vector<BYTE>& oldest = g_link.queue.front();
        copied = std::min(static_cast<DWORD>(oldest.size()), destination ? capacity : 0);
        if (copied)
            memcpy(destination, oldest.data(), copied);
        g_link.queue.pop_front();
    }
    LeaveCriticalSection(&g_link.queueLock);
    return copied;
}

void CUsbTransport::DispatchPacket(const BYTE* bytes, DWORD length)
{
    // A packet shorter than its header carries nothing that can be read.
    if (length < CUsbPacket::kHeaderSize)
        return;
    uint16_t id = CUsbPacket::ReadU16(bytes + 4);
    switch (static_cast<PacketType>(bytes[0])) {
    case PacketType::Application:
        if (g_link.sessionStarted) {
            // The stored copy never claims more data than arrived.
            CUsbPacket packet(bytes, length);
            std::vector<BYTE> copy(packet.Bytes(), packet.Bytes() + packet.Length());
            EnterCriticalSection(&g_link.queueLock);
            g_link.queue.push_back(std::move(copy));
            LeaveCriticalSection(&g_link.queueLock);
        }
        break;
    case PacketType::UsbLayer:
        if (id == static_cast<uint16_t>(UsbPacketId::DataAvailable)) {
            if (g_link.sessionStarted)
                SetEvent(g_link.dataAvailable);
        } else if (id == static_cast<uint16_t>(UsbPacketId::SessionStarted)) {
            g_link.sessionStarted = 1;
        }
        break;
    default:
        break;
    }
}

int CUsbTransport::WaitOverlapped(BOOL immediate, DWORD& transferred, OVERLAPPED& overlapped, DWORD milliseconds)
{
    if (immediate)
        return kWaitDone;
    if (GetLastError() != ERROR_IO_PENDING) {
        transferred = 0;
        return kWaitError;
    }
    HANDLE waits[] = {g_link.stop, overlapped.hEvent};
    switch (WaitForMultipleObjects(2, waits, FALSE, milliseconds)) {
    case WAIT_OBJECT_0:
        return kStopRequested;
    case WAIT_OBJECT_0 + 1:
        return Api().GetOverlappedResult(g_link.device, &overlapped, &transferred, FALSE) ? kWaitDone : kWaitError;
    case WAIT_TIMEOUT:
        return kWaitTimedOut;
    default:
        return kWaitError;
    }
}

void CUsbTransport::CancelIo(int waitResult, OVERLAPPED& overlapped)
{
    Api().CancelIo(g_link.device);
    // An operation still under way keeps its buffer and record until it has ended.
    if (waitResult == kStopRequested || waitResult == kWaitTimedOut) {
        DWORD transferred = 0;
        Api().GetOverlappedResult(g_link.device, &overlapped, &transferred, TRUE);
    }
}

int CUsbTransport::WriteAndWait(const void* bytes, DWORD length, OVERLAPPED& overlapped, DWORD milliseconds)
{
    DWORD written = 0;
    BOOL immediate = Api().WriteFile(g_link.device, bytes, length, &written, &overlapped);
    int result = WaitOverlapped(immediate, written, overlapped, milliseconds);
    if (result != kWaitDone)
        CancelIo(result, overlapped);
    return result;
}

WORD CUsbTransport::QueryBulkOutPacketSize(OVERLAPPED& overlapped)
{
    WORD packetSize = 0;
    DWORD returned = 0;
    BOOL immediate = Api().DeviceIoControl(g_link.device, kBulkOutPacketSize, nullptr, 0, &packetSize,
                                           sizeof(packetSize), &returned, &overlapped);
    int result = WaitOverlapped(immediate, returned, overlapped, INFINITE);
    if (result != kWaitDone) {
        CancelIo(result, overlapped);
        return 0;
    }
    return returned >= sizeof(packetSize) ? packetSize : 0;
}

unsigned __stdcall CUsbTransport::WriterThread(void*)
{
    for (;;) {
        HANDLE waits[] = {g_link.stop, g_link.writeRequest};
        DWORD woken = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        ResetEvent(g_link.writeRequest);
        if (woken != WAIT_OBJECT_0 + 1)
            return 0;

        OVERLAPPED overlapped = {};
        overlapped.hEvent = Api().CreateManualEvent();
        LONG status = kWriteError;
        if (overlapped.hEvent) {
            WORD packetSize = QueryBulkOutPacketSize(overlapped);
            DWORD length = static_cast<DWORD>(g_link.writeCopy.size());
            int result = WriteAndWait(g_link.writeCopy.data(), length, overlapped, g_link.writeTimeout);
            // A write that fills whole packets is ended by a zero-length packet.
            if (result == kWaitDone && packetSize && length % packetSize == 0)
                result = WriteAndWait(nullptr, 0, overlapped, g_link.writeTimeout);
            status = result == kWaitDone ? kWriteDone : result == kWaitTimedOut ? kWriteTimedOut : kWriteError;
            Api().CloseHandle(overlapped.hEvent);
        }
        InterlockedExchange(&g_link.writeStatus, status);
        SetEvent(g_link.writeDone);
    }
}

unsigned __stdcall CUsbTransport::InterruptReaderThread(void*)
{
    OVERLAPPED overlapped = {};
    overlapped.hEvent = Api().CreateManualEvent();
    if (!overlapped.hEvent) {
        g_link.open = 0;
        return 0;
    }
    // A packet comes in pieces of 64 bytes; a shorter piece ends it. A packet that grows
    // beyond the longest one kept is dropped up to its end, where the next one begins.
    std::vector<BYTE> packet;
    packet.reserve(kMaxInterruptPacket);
    bool oversized = false;
    BYTE piece[kInterruptChunk];
    for (;;) {
        ResetEvent(overlapped.hEvent);
        DWORD returned = 0;
        BOOL immediate = Api().DeviceIoControl(g_link.device, kReadInterruptPipe, nullptr, 0, piece, kInterruptChunk,
                                               &returned, &overlapped);
        int result = WaitOverlapped(immediate, returned, overlapped, INFINITE);
        if (result != kWaitDone) {
            CancelIo(result, overlapped);
            Api().CloseHandle(overlapped.hEvent);
            g_link.open = 0;
            return 0;
        }
        returned = std::min(returned, kInterruptChunk);
        if (packet.size() + returned > kMaxInterruptPacket) {
            oversized = true;
            packet.clear();
        }
        if (!oversized)
            packet.insert(packet.end(), piece, piece + returned);
        if (returned == kInterruptChunk)
            continue;
        if (!oversized && !packet.empty())
            DispatchPacket(packet.data(), static_cast<DWORD>(packet.size()));
        packet.clear();
        oversized = false;
    }
}

unsigned __stdcall CUsbTransport::BulkReaderThread(void*)
{
    OVERLAPPED overlapped = {};
    overlapped.hEvent = Api().CreateManualEvent();
    if (!overlapped.hEvent)
        return 0;
    std::vector<BYTE> buffer(kBulkBufferSize);
    for (;;) {
        HANDLE waits[] = {g_link.stop, g_link.dataAvailable};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            break;
        ResetEvent(g_link.dataAvailable);
        for (;;) {
            DWORD read = 0;
            BOOL immediate = Api().ReadFile(g_link.device, buffer.data(), kBulkBufferSize, &read, &overlapped);
            int result = WaitOverlapped(immediate, read, overlapped, INFINITE);
            if (result != kWaitDone) {
                CancelIo(result, overlapped);
                Api().CloseHandle(overlapped.hEvent);
                return 0;
            }
            if (read == 0)
                break;
            DispatchPacket(buffer.data(), std::min(read, kBulkBufferSize));
        }
    }
    Api().CloseHandle(overlapped.hEvent);
    return 0;
}
