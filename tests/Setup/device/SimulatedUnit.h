// A simulated unit in place of the maker's USB driver and its devices. While it lives it
// answers every call of CUsbDeviceApi: the device interface lists of the units' class,
// the device handle with its interrupt-in, bulk-in and bulk-out pipes, and the ports of
// the data-card programmers. Its firmware answers the packet protocol as a unit does:
// the start-session packet with a session-started packet, and each request with its
// replies, sent on the bulk-in pipe and announced on the interrupt pipe. Events made
// through it are real events, counted so that a test can see none is left behind.
// The unit frames and reads its packets itself, with the values of the protocol written
// out below: it shares no packet code or constant with the installer.
#pragma once

#include "Setup/device/UsbDeviceApi.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<BYTE>;

// The protocol as the unit speaks it.
namespace wire {
// The units' device interface class {2C9C45C2-8E7D-4C08-A12D-816BBAE722C0}.
const GUID kInterfaceClass = {0x2C9C45C2, 0x8E7D, 0x4C08, {0xA1, 0x2D, 0x81, 0x6B, 0xBA, 0xE7, 0x22, 0xC0}};
// Device control codes: read the interrupt-in pipe; the bulk-out pipe's packet size.
const DWORD kReadInterrupt = 0x222140;
const DWORD kBulkOutPacketSize = 0x222144;
// Packet types, and the link-level ids.
const BYTE kLinkLayer = 0;
const BYTE kApplication = 20;
const WORD kDataAvailable = 2;
const WORD kStartSession = 5;
const WORD kSessionStarted = 6;
// Application packet ids.
const WORD kCommand = 10;
const WORD kDateTime = 14;
const WORD kUnitId = 38;
const WORD kCapacity = 95;
const WORD kMapProductRecords = 247;
const WORD kExtProductData = 248;
const WORD kProtocolArray = 253;
const WORD kProductRequest = 254;
const WORD kProductData = 255;
const WORD kStorageSizeRequest = 980;
const WORD kStorageSize = 981;
// Command numbers of a command packet.
const WORD kCmdAbort = 0;
const WORD kCmdDateTime = 5;
const WORD kCmdPowerOff = 8;
const WORD kCmdUnitId = 14;
const WORD kCmdA919 = 53;
const WORD kCmdCapacity = 63;
const WORD kCmdMapRecords = 151;
}  // namespace wire

// A packet as the unit reads it: a 12-byte header (type at 0, u16 id at 4, u32 data size
// at 8, little-endian) and the data, cut to the bytes that came.
struct UnitPacket
{
    BYTE type = 0;
    WORD id = 0;
    Bytes data;
    Bytes bytes;  // as written

    // False for fewer bytes than a header.
    static bool Parse(const Bytes& bytes, UnitPacket& packet);
    // The u16 at a place of the data; 0 beyond it.
    WORD U16At(size_t at) const;
};

// The bytes of one packet.
Bytes PacketBytes(BYTE type, WORD id, const Bytes& data = {});
Bytes AppPacket(WORD id, const Bytes& data = {});
Bytes LinkPacket(WORD id);
Bytes U16(uint16_t value);
Bytes U32(uint32_t value);
uint32_t ReadU32(const BYTE* at);
Bytes operator+(Bytes a, const Bytes& b);
Bytes Text(const std::string& text);  // the characters and their zero

class SimulatedUnit : public CUsbDeviceApi
{
public:
    SimulatedUnit();
    ~SimulatedUnit() override;
    SimulatedUnit(const SimulatedUnit&) = delete;
    SimulatedUnit& operator=(const SimulatedUnit&) = delete;

    // What the system shows. A unit counts as present while it is plugged in.
    int registeredInterfaces = 1;
    int presentInterfaces = 1;
    int cardProgrammerPort = -1;      // n of the "\\.\zelq1200-n" that opens; -1 none
    int aviationProgrammerPort = -1;  // the same for "\\.\zelq1300-n"

    // How the link behaves.
    WORD bulkOutPacketSize = 64;  // 0: the driver does not answer the size query
    bool packetSizeLater = false;  // the size query completes after it was issued
    enum class Writes { Complete, CompleteLater, Fail, FailLater, Hang };
    Writes writes = Writes::Complete;
    bool answersSession = true;
    bool repliesOnInterrupt = false;  // replies on the interrupt pipe instead of bulk-in

    // The firmware.
    DWORD unitId = 0x00BC614E;
    Bytes dateTime = {7, 14, 0xD9, 0x07, 13, 0, 5, 9};
    WORD productId = 210;
    WORD softwareVersion = 310;
    std::vector<std::string> productStrings = {"Sorvane 210 Software Version 3.10", "VERSMAP 3.10"};
    std::vector<std::string> extStrings = {"VERGPROM 2.60"};
    std::vector<std::pair<char, WORD>> protocols = {{'A', 10}, {'A', 908}, {'A', 918}, {'D', 918}, {'A', 919}};
    std::map<BYTE, ULONGLONG> storageSizes = {{0, 0x123456789ull}};
    Bytes capacity = U16(1) + U16(2) + U32(0x30000) + U32(0x40000);
    Bytes mapRecords;
    // When set, answers every application request in place of the firmware.
    std::function<std::vector<Bytes>(const UnitPacket& request)> answer;
    // The firmware's replies to a request.
    std::vector<Bytes> Firmware(const UnitPacket& request) const;

    // The pause after a request: by default it lasts until the replies sent so far are
    // in the link's queue; with real pauses it sleeps as asked.
    bool realPauses = false;

    // The unit sends: one packet on the interrupt pipe, in pieces of 64 bytes; or one on
    // the bulk-in pipe, announced by a data-available packet.
    void SendInterrupt(const Bytes& packet);
    void SendBulk(const Bytes& packet);
    // The unit goes away (a pending interrupt read fails) or comes back.
    void Unplug();
    void PlugIn();

    // What happened.
    std::vector<Bytes> Written() const;        // every write, zero-length ones too
    std::vector<Bytes> Requests() const;       // application packets the unit received
    std::vector<DWORD> Pauses() const;         // the pauses asked for, in milliseconds
    std::vector<std::wstring> ProbedPorts() const;
    void ClearRecords();
    int OpenEvents() const;
    int OpenDevices() const;
    int OpenLists() const;
    int OpenPorts() const;
    int BulkReads() const;
    size_t UnreadBulkPackets() const;
    DWORD LastOpenAccess() const { return m_openAccess; }
    DWORD LastOpenShare() const { return m_openShare; }
    DWORD LastOpenFlags() const { return m_openFlags; }
    DWORD LastListFlags() const { return m_listFlags; }

    // CUsbDeviceApi.
    HDEVINFO GetClassDevsA(const GUID* interfaceClass, DWORD flags) override;
    HDEVINFO GetClassDevsW(const GUID* interfaceClass, DWORD flags) override;
    BOOL EnumDeviceInterfaces(HDEVINFO list, const GUID* interfaceClass, DWORD index,
                              SP_DEVICE_INTERFACE_DATA* data) override;
    BOOL GetDeviceInterfaceDetailA(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                   SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required) override;
    BOOL DestroyDeviceInfoList(HDEVINFO list) override;
    HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override;
    HANDLE CreateFileW(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override;
    BOOL DeviceIoControl(HANDLE device, DWORD code, void* input, DWORD inputSize, void* output, DWORD outputSize,
                         DWORD* returned, OVERLAPPED* overlapped) override;
    BOOL ReadFile(HANDLE device, void* buffer, DWORD size, DWORD* read, OVERLAPPED* overlapped) override;
    BOOL WriteFile(HANDLE device, const void* bytes, DWORD size, DWORD* written, OVERLAPPED* overlapped) override;
    BOOL GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred, BOOL wait) override;
    BOOL CancelIo(HANDLE device) override;
    HANDLE CreateManualEvent() override;
    BOOL CloseHandle(HANDLE handle) override;
    void Sleep(DWORD milliseconds) override;

    static const char kDevicePath[];

private:
    // An operation under way, and the thread that started it.
    struct PendingIo
    {
        BYTE* buffer = nullptr;
        DWORD size = 0;
        OVERLAPPED* overlapped = nullptr;
        DWORD thread = 0;
    };

    class Lock;
    HDEVINFO NewList(const GUID* interfaceClass, DWORD flags);
    void Receive(const Bytes& packet);
    void DeliverInterrupt();
    bool Delivered() const;
    static void Complete(OVERLAPPED* overlapped, DWORD status, DWORD bytes);
    static BOOL Pending(OVERLAPPED* overlapped);
    static BOOL CompleteLater(OVERLAPPED* overlapped, DWORD status, DWORD bytes);

    mutable CRITICAL_SECTION m_lock;
    bool m_plugged = true;
    int m_devicesOpen = 0;
    int m_portsOpen = 0;
    std::map<HDEVINFO, std::pair<bool, DWORD>> m_lists;  // of the units' class?, flags
    std::set<HANDLE> m_events;
    uintptr_t m_nextList = 0x5E000000;
    DWORD m_listFlags = 0;
    DWORD m_openAccess = 0, m_openShare = 0, m_openFlags = 0;

    std::deque<Bytes> m_interruptPieces;
    std::deque<Bytes> m_bulkPackets;
    PendingIo m_interruptRead;
    PendingIo m_pendingWrite;
    int m_bulkReads = 0;
    bool m_bulkReading = false;  // the bulk reader took a packet and has not yet found the pipe empty

    std::vector<Bytes> m_written;
    std::vector<Bytes> m_requests;
    std::vector<DWORD> m_pauses;
    std::vector<std::wstring> m_probed;
};
