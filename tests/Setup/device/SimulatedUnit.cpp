// The simulated unit on the USB link (see SimulatedUnit.h).
#include "tests/Setup/device/SimulatedUnit.h"

#include "Setup/device/UsbTransport.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>

namespace {

const HANDLE kDevice = reinterpret_cast<HANDLE>(0x5EED0001);
const HANDLE kPort = reinterpret_cast<HANDLE>(0x5EED0002);
const DWORD kStatusSuccess = 0;
const DWORD kStatusPending = 0x103;
const DWORD kStatusCancelled = 0xC0000120;
const DWORD kStatusNotConnected = 0xC000009D;
const DWORD kStatusFailure = 0xC0000001;
const DWORD kPiece = 64;

}  // namespace

const char SimulatedUnit::kDevicePath[] = "\\\\?\\usb#vid_5eed&pid_0003#sim0#{2c9c45c2-8e7d-4c08-a12d-816bbae722c0}";

bool UnitPacket::Parse(const Bytes& bytes, UnitPacket& packet)
{
    if (bytes.size() < 12)
        return false;
    packet.type = bytes[0];
    packet.id = static_cast<WORD>(bytes[4] | bytes[5] << 8);
    size_t size = std::min<size_t>(ReadU32(&bytes[8]), bytes.size() - 12);
    packet.data.assign(bytes.begin() + 12, bytes.begin() + 12 + size);
    packet.bytes = bytes;
    return true;
}

WORD UnitPacket::U16At(size_t at) const
{
    return at + 2 <= data.size() ? static_cast<WORD>(data[at] | data[at + 1] << 8) : 0;
}

Bytes PacketBytes(BYTE type, WORD id, const Bytes& data)
{
    return Bytes{type, 0, 0, 0} + U16(id) + Bytes{0, 0} + U32(static_cast<uint32_t>(data.size())) + data;
}

Bytes AppPacket(WORD id, const Bytes& data)
{
    return PacketBytes(wire::kApplication, id, data);
}

Bytes LinkPacket(WORD id)
{
    return PacketBytes(wire::kLinkLayer, id);
}

Bytes U16(uint16_t value)
{
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8)};
}

Bytes U32(uint32_t value)
{
    return U16(static_cast<uint16_t>(value)) + U16(static_cast<uint16_t>(value >> 16));
}

uint32_t ReadU32(const BYTE* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Text(const std::string& text)
{
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

class SimulatedUnit::Lock
{
public:
    explicit Lock(const SimulatedUnit& unit) : m_section(unit.m_lock) { EnterCriticalSection(&m_section); }
    ~Lock() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION& m_section;
};

SimulatedUnit::SimulatedUnit()
{
    InitializeCriticalSection(&m_lock);
    CUsbDeviceApi::SetForTest(this);
}

SimulatedUnit::~SimulatedUnit()
{
    // A link left open by a failed test must not outlive its unit.
    CUsbTransport::Close();
    CUsbDeviceApi::SetForTest(nullptr);
    DeleteCriticalSection(&m_lock);
}

void SimulatedUnit::Complete(OVERLAPPED* overlapped, DWORD status, DWORD bytes)
{
    overlapped->Internal = status;
    overlapped->InternalHigh = bytes;
    SetEvent(overlapped->hEvent);
}

BOOL SimulatedUnit::Pending(OVERLAPPED* overlapped)
{
    overlapped->Internal = kStatusPending;
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

BOOL SimulatedUnit::CompleteLater(OVERLAPPED* overlapped, DWORD status, DWORD bytes)
{
    Complete(overlapped, status, bytes);
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

void SimulatedUnit::SendInterrupt(const Bytes& packet)
{
    Lock lock(*this);
    for (size_t at = 0; at < packet.size(); at += kPiece)
        m_interruptPieces.push_back(Bytes(packet.begin() + at, packet.begin() + std::min<size_t>(packet.size(), at + kPiece)));
    // A packet that fills whole pieces is ended by an empty one.
    if (packet.size() % kPiece == 0)
        m_interruptPieces.push_back(Bytes());
    DeliverInterrupt();
}

void SimulatedUnit::SendBulk(const Bytes& packet)
{
    {
        Lock lock(*this);
        m_bulkPackets.push_back(packet);
    }
    SendInterrupt(LinkPacket(wire::kDataAvailable));
}

void SimulatedUnit::DeliverInterrupt()
{
    if (!m_interruptRead.overlapped || m_interruptPieces.empty())
        return;
    const Bytes& piece = m_interruptPieces.front();
    DWORD count = std::min(static_cast<DWORD>(piece.size()), m_interruptRead.size);
    memcpy(m_interruptRead.buffer, piece.data(), count);
    OVERLAPPED* overlapped = m_interruptRead.overlapped;
    m_interruptRead = PendingIo();
    m_interruptPieces.pop_front();
    Complete(overlapped, kStatusSuccess, count);
}

void SimulatedUnit::Unplug()
{
    Lock lock(*this);
    m_plugged = false;
    if (m_interruptRead.overlapped)
        Complete(m_interruptRead.overlapped, kStatusNotConnected, 0);
    m_interruptRead = PendingIo();
}

void SimulatedUnit::PlugIn()
{
    Lock lock(*this);
    m_plugged = true;
    m_interruptPieces.clear();
    m_bulkPackets.clear();
}

std::vector<Bytes> SimulatedUnit::Written() const
{
    Lock lock(*this);
    return m_written;
}

std::vector<Bytes> SimulatedUnit::Requests() const
{
    Lock lock(*this);
    return m_requests;
}

std::vector<DWORD> SimulatedUnit::Pauses() const
{
    Lock lock(*this);
    return m_pauses;
}

std::vector<std::wstring> SimulatedUnit::ProbedPorts() const
{
    Lock lock(*this);
    return m_probed;
}

void SimulatedUnit::ClearRecords()
{
    Lock lock(*this);
    m_written.clear();
    m_requests.clear();
    m_probed.clear();
    m_pauses.clear();
}

int SimulatedUnit::OpenEvents() const
{
    Lock lock(*this);
    return static_cast<int>(m_events.size());
}

int SimulatedUnit::OpenDevices() const
{
    Lock lock(*this);
    return m_devicesOpen;
}

int SimulatedUnit::OpenLists() const
{
    Lock lock(*this);
    return static_cast<int>(m_lists.size());
}

int SimulatedUnit::OpenPorts() const
{
    Lock lock(*this);
    return m_portsOpen;
}

int SimulatedUnit::BulkReads() const
{
    Lock lock(*this);
    return m_bulkReads;
}

size_t SimulatedUnit::UnreadBulkPackets() const
{
    Lock lock(*this);
    return m_bulkPackets.size();
}

HDEVINFO SimulatedUnit::NewList(const GUID* interfaceClass, DWORD flags)
{
    Lock lock(*this);
    HDEVINFO list = reinterpret_cast<HDEVINFO>(m_nextList++);
    bool units = interfaceClass && IsEqualGUID(*interfaceClass, wire::kInterfaceClass);
    m_lists[list] = {units, flags};
    m_listFlags = flags;
    return list;
}

HDEVINFO SimulatedUnit::GetClassDevsA(const GUID* interfaceClass, DWORD flags)
{
    return NewList(interfaceClass, flags);
}

HDEVINFO SimulatedUnit::GetClassDevsW(const GUID* interfaceClass, DWORD flags)
{
    return NewList(interfaceClass, flags);
}

BOOL SimulatedUnit::EnumDeviceInterfaces(HDEVINFO list, const GUID* interfaceClass, DWORD index,
                                         SP_DEVICE_INTERFACE_DATA* data)
{
    Lock lock(*this);
    auto found = m_lists.find(list);
    if (found == m_lists.end() || !data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool present = (found->second.second & DIGCF_PRESENT) != 0;
    int count = !found->second.first ? 0 : present ? (m_plugged ? presentInterfaces : 0) : registeredInterfaces;
    if (!interfaceClass || !IsEqualGUID(*interfaceClass, wire::kInterfaceClass) ||
        index >= static_cast<DWORD>(count)) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    data->InterfaceClassGuid = *interfaceClass;
    data->Flags = SPINT_ACTIVE;
    data->Reserved = index;
    return TRUE;
}

BOOL SimulatedUnit::GetDeviceInterfaceDetailA(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                              SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required)
{
    Lock lock(*this);
    if (!m_lists.count(list) || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD needed = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + sizeof(kDevicePath);
    if (required)
        *required = needed;
    if (!detail || size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
        SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    memcpy(detail->DevicePath, kDevicePath, sizeof(kDevicePath));
    return TRUE;
}

BOOL SimulatedUnit::DestroyDeviceInfoList(HDEVINFO list)
{
    Lock lock(*this);
    return m_lists.erase(list) ? TRUE : FALSE;
}

HANDLE SimulatedUnit::CreateFileA(const char* path, DWORD access, DWORD share, DWORD, DWORD flags)
{
    Lock lock(*this);
    if (!path || strcmp(path, kDevicePath) != 0 || !m_plugged || presentInterfaces < 1) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (m_devicesOpen > 0) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    m_openAccess = access;
    m_openShare = share;
    m_openFlags = flags;
    ++m_devicesOpen;
    m_interruptPieces.clear();
    m_bulkPackets.clear();
    return kDevice;
}

HANDLE SimulatedUnit::CreateFileW(const wchar_t* path, DWORD, DWORD, DWORD, DWORD)
{
    Lock lock(*this);
    m_probed.push_back(path ? path : L"");
    wchar_t card[32], aviation[32];
    swprintf(card, 32, L"\\\\.\\zelq1200-%d", cardProgrammerPort);
    swprintf(aviation, 32, L"\\\\.\\zelq1300-%d", aviationProgrammerPort);
    if (path && ((cardProgrammerPort >= 0 && wcscmp(path, card) == 0) ||
                 (aviationProgrammerPort >= 0 && wcscmp(path, aviation) == 0))) {
        ++m_portsOpen;
        return kPort;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

BOOL SimulatedUnit::DeviceIoControl(HANDLE device, DWORD code, void*, DWORD, void* output, DWORD outputSize,
                                    DWORD* returned, OVERLAPPED* overlapped)
{
    Lock lock(*this);
    if (device != kDevice || !overlapped) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    ResetEvent(overlapped->hEvent);
    if (code == wire::kBulkOutPacketSize) {
        if (!bulkOutPacketSize || outputSize < sizeof(WORD)) {
            SetLastError(ERROR_INVALID_FUNCTION);
            return FALSE;
        }
        memcpy(output, &bulkOutPacketSize, sizeof(WORD));
        if (packetSizeLater)
            return CompleteLater(overlapped, kStatusSuccess, sizeof(WORD));
        *returned = sizeof(WORD);
        Complete(overlapped, kStatusSuccess, sizeof(WORD));
        return TRUE;
    }
    if (code != wire::kReadInterrupt || !m_plugged) {
        SetLastError(m_plugged ? ERROR_INVALID_FUNCTION : ERROR_DEVICE_NOT_CONNECTED);
        return FALSE;
    }
    if (m_interruptRead.overlapped) {
        SetLastError(ERROR_BUSY);
        return FALSE;
    }
    // A piece that waits already is read at once; else the read waits for one.
    if (!m_interruptPieces.empty()) {
        const Bytes piece = m_interruptPieces.front();
        m_interruptPieces.pop_front();
        DWORD count = std::min(static_cast<DWORD>(piece.size()), outputSize);
        memcpy(output, piece.data(), count);
        *returned = count;
        Complete(overlapped, kStatusSuccess, count);
        return TRUE;
    }
    m_interruptRead = {static_cast<BYTE*>(output), outputSize, overlapped, GetCurrentThreadId()};
    return Pending(overlapped);
}

BOOL SimulatedUnit::ReadFile(HANDLE device, void* buffer, DWORD size, DWORD* read, OVERLAPPED* overlapped)
{
    Lock lock(*this);
    if (device != kDevice || !overlapped) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    ResetEvent(overlapped->hEvent);
    ++m_bulkReads;
    // An empty pipe answers with a zero-length packet.
    DWORD count = 0;
    if (!m_bulkPackets.empty()) {
        const Bytes packet = m_bulkPackets.front();
        m_bulkPackets.pop_front();
        count = std::min(static_cast<DWORD>(packet.size()), size);
        memcpy(buffer, packet.data(), count);
    }
    m_bulkReading = count != 0;
    *read = count;
    Complete(overlapped, kStatusSuccess, count);
    return TRUE;
}

BOOL SimulatedUnit::WriteFile(HANDLE device, const void* bytes, DWORD size, DWORD* written, OVERLAPPED* overlapped)
{
    Bytes packet;
    {
        Lock lock(*this);
        if (device != kDevice || !overlapped) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        ResetEvent(overlapped->hEvent);
        packet.assign(static_cast<const BYTE*>(bytes), static_cast<const BYTE*>(bytes) + (bytes ? size : 0));
        m_written.push_back(packet);
        switch (writes) {
        case Writes::Fail:
            SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        case Writes::FailLater:
            return CompleteLater(overlapped, kStatusFailure, 0);
        case Writes::Hang:
            m_pendingWrite = {nullptr, 0, overlapped, GetCurrentThreadId()};
            return Pending(overlapped);
        default:
            break;
        }
    }
    Receive(packet);
    if (writes == Writes::CompleteLater)
        return CompleteLater(overlapped, kStatusSuccess, size);
    *written = size;
    Complete(overlapped, kStatusSuccess, size);
    return TRUE;
}

BOOL SimulatedUnit::GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred, BOOL wait)
{
    if (device != kDevice || !overlapped) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Everything this unit starts ends when it is cancelled, so the wait is short.
    if (wait && overlapped->Internal == kStatusPending)
        WaitForSingleObject(overlapped->hEvent, 10000);
    Lock lock(*this);
    *transferred = static_cast<DWORD>(overlapped->InternalHigh);
    switch (overlapped->Internal) {
    case kStatusSuccess:
        return TRUE;
    case kStatusPending:
        SetLastError(ERROR_IO_INCOMPLETE);
        return FALSE;
    case kStatusCancelled:
        SetLastError(ERROR_OPERATION_ABORTED);
        return FALSE;
    case kStatusNotConnected:
        SetLastError(ERROR_DEVICE_NOT_CONNECTED);
        return FALSE;
    default:
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
}

BOOL SimulatedUnit::CancelIo(HANDLE device)
{
    Lock lock(*this);
    if (device != kDevice)
        return FALSE;
    // Like the system's, it ends only what the calling thread started.
    for (PendingIo* pending : {&m_interruptRead, &m_pendingWrite}) {
        if (pending->overlapped && pending->thread == GetCurrentThreadId()) {
            Complete(pending->overlapped, kStatusCancelled, 0);
            *pending = PendingIo();
        }
    }
    return TRUE;
}

HANDLE SimulatedUnit::CreateManualEvent()
{
    HANDLE event = CUsbDeviceApi::CreateManualEvent();
    Lock lock(*this);
    if (event)
        m_events.insert(event);
    return event;
}

BOOL SimulatedUnit::CloseHandle(HANDLE handle)
{
    Lock lock(*this);
    if (handle == kDevice) {
        if (m_devicesOpen == 0)
            return FALSE;
        --m_devicesOpen;
        return TRUE;
    }
    if (handle == kPort) {
        --m_portsOpen;
        return TRUE;
    }
    m_events.erase(handle);
    return ::CloseHandle(handle);
}

void SimulatedUnit::Sleep(DWORD milliseconds)
{
    {
        Lock lock(*this);
        m_pauses.push_back(milliseconds);
    }
    if (realPauses) {
        ::Sleep(milliseconds);
        return;
    }
    // Replies the link never reads (no session, say) end the wait after a while.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2000; ::Sleep(2)) {
        Lock lock(*this);
        if (Delivered())
            return;
    }
}

bool SimulatedUnit::Delivered() const
{
    // The readers have dispatched all they took once each waits for more: the interrupt
    // reader for a piece, the bulk reader after it found the pipe empty.
    bool interruptIdle = m_interruptPieces.empty() && (m_interruptRead.overlapped || !m_plugged);
    return interruptIdle && m_bulkPackets.empty() && !m_bulkReading;
}

void SimulatedUnit::Receive(const Bytes& bytes)
{
    UnitPacket packet;
    if (!UnitPacket::Parse(bytes, packet))
        return;
    if (packet.type == wire::kLinkLayer) {
        if (packet.id == wire::kStartSession && answersSession)
            SendInterrupt(LinkPacket(wire::kSessionStarted));
        return;
    }
    if (packet.type != wire::kApplication)
        return;
    {
        Lock lock(*this);
        m_requests.push_back(bytes);
    }
    for (const Bytes& reply : answer ? answer(packet) : Firmware(packet)) {
        if (repliesOnInterrupt)
            SendInterrupt(reply);
        else
            SendBulk(reply);
    }
}

std::vector<Bytes> SimulatedUnit::Firmware(const UnitPacket& request) const
{
    std::vector<Bytes> replies;
    switch (request.id) {
    case wire::kProductRequest: {
        Bytes product = U16(productId) + U16(softwareVersion);
        for (const std::string& text : productStrings)
            product = product + Text(text);
        replies.push_back(AppPacket(wire::kProductData, product));
        if (!extStrings.empty()) {
            Bytes ext;
            for (const std::string& text : extStrings)
                ext = ext + Text(text);
            replies.push_back(AppPacket(wire::kExtProductData, ext));
        }
        Bytes entries;
        for (const auto& protocol : protocols)
            entries = entries + Bytes{static_cast<BYTE>(protocol.first)} + U16(protocol.second);
        replies.push_back(AppPacket(wire::kProtocolArray, entries));
        break;
    }
    case wire::kCommand:
        if (request.data.size() < 2)
            break;
        switch (request.U16At(0)) {
        case wire::kCmdUnitId:
            replies.push_back(AppPacket(wire::kUnitId, U32(unitId)));
            break;
        case wire::kCmdDateTime:
            replies.push_back(AppPacket(wire::kDateTime, dateTime));
            break;
        case wire::kCmdCapacity:
            replies.push_back(AppPacket(wire::kCapacity, capacity));
            break;
        case wire::kCmdMapRecords:
            if (!mapRecords.empty())
                replies.push_back(AppPacket(wire::kMapProductRecords, mapRecords));
            break;
        default:
            break;
        }
        break;
    case wire::kStorageSizeRequest: {
        BYTE slot = request.data.empty() ? 0 : request.data[0];
        auto size = storageSizes.find(slot);
        if (size != storageSizes.end())
            replies.push_back(AppPacket(wire::kStorageSize, U32(static_cast<uint32_t>(size->second)) +
                                                                U32(static_cast<uint32_t>(size->second >> 32)) +
                                                                Bytes{slot}));
        break;
    }
    default:
        break;
    }
    return replies;
}
