// A simulated unit in place of the maker's USB driver and its devices. While it lives it
// answers every call of CUsbDeviceApi: the device interface lists of the units' class,
// the device handle with its interrupt-in, bulk-in and bulk-out pipes, and the ports of
// the data-card programmers. Its firmware answers the packet protocol as a unit does:
// the start-session packet with a session-started packet, and each request with its
// replies, sent on the bulk-in pipe and announced on the interrupt pipe. Events made
// through it are real events, counted so that a test can see none is left behind.
#pragma once

#include "Setup/UsbDeviceApi.h"
#include "Setup/UsbPacket.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<BYTE>;

// The bytes of one packet.
Bytes PacketBytes(uint8_t type, uint16_t id, const Bytes& data = {});
Bytes AppPacket(AppPacketId id, const Bytes& data = {});
Bytes LinkPacket(UsbPacketId id);
Bytes U16(uint16_t value);
Bytes U32(uint32_t value);
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
    std::function<std::vector<Bytes>(const CUsbPacket& request)> answer;
    // The firmware's replies to a request.
    std::vector<Bytes> Firmware(const CUsbPacket& request) const;

    // The unit sends: one packet on the interrupt pipe, in pieces of 64 bytes; or one on
    // the bulk-in pipe, announced by a data-available packet.
    void SendInterrupt(const Bytes& packet);
    void SendBulk(const Bytes& packet);
    // The unit goes away (a pending interrupt read fails) or comes back.
    void Unplug();
    void PlugIn();

    // What happened.
    std::vector<Bytes> Written() const;        // every write, zero-length ones too
    std::vector<CUsbPacket> Requests() const;  // application packets the unit received
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

    std::vector<Bytes> m_written;
    std::vector<CUsbPacket> m_requests;
    std::vector<std::wstring> m_probed;
};
