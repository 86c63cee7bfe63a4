// CDeviceProtocol: the commands of a connected unit over the USB link: its identity,
// clock, product data, protocols, memory and storage sizes and map product records,
// and a few control commands. Each request is one application packet; its reply is
// looked for in the link's queue after a fixed pause. A unit that is missing, a protocol
// it lacks or a reply that is absent or short gives the command's "none" result.
// Commands must not run at the same time: each drains the one reply queue.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class CUsbPacket;

class CDeviceProtocol
{
public:
    CDeviceProtocol() = delete;

    // Command numbers sent in a command packet.
    enum Command : uint16_t {
        kAbortTransfer = 0, kDateTime = 5, kPowerOff = 8, kUnitId = 14, kCommandA919 = 53,
        kMemoryCapacity = 63, kMapProductRecords = 151
    };

    // Whether a unit or a data-card programmer is there (in test mode, the tester says).
    static bool IsUnitConnected();
    // Whether a device interface of the units' class is listed with these SetupAPI flags.
    static bool HasDeviceInterface(DWORD flags);
    static bool ProbeCardProgrammer();
    static bool ProbeAviationCardProgrammer();
    static int CountConnectedDevices();

    static bool GetUnitId(DWORD& id);
    static CString GetDeviceDateTime();
    static WORD GetProductId();
    static WORD GetSoftwareVersion();
    static void GetProductStrings(std::vector<CString>& strings);
    static void GetExtProductStrings(std::vector<CString>& strings);
    static void GetProtocolList(std::vector<CString>& names);
    static bool SupportsProtocol(const CString& name);
    static bool SupportsA900();
    static bool SupportsA907();
    static bool SupportsA916();
    static bool IsProduct210Or404();
    static ULONGLONG GetStorageSize(BYTE slot);
    static void AbortTransfer();
    static void TurnOffPower();
    static DWORD GetMemoryCapacity(WORD& a, WORD& b, DWORD& c);
    static bool SendA919Command();
    static bool GetMapProductRecord(BYTE id, CString& partNumber, CString& productText);
    static CString GetCardImageVersion();
    static CString GetMapSetVersion();
    static void CloseLink();

    // Sends one request (opening the link first when needed), then pauses for the
    // replies; true when it was written.
    static bool SendPacket(const CUsbPacket& packet);
    // Takes packets from the queue until one of type 20 with the id comes; false when
    // the queue runs empty first.
    static bool FindReply(uint16_t id, CUsbPacket& reply);

private:
    static bool Exchange(const CUsbPacket& request, uint16_t replyId, CUsbPacket& reply);
    static bool SendCommand(uint16_t command);
    static bool ProbeProgrammer(const wchar_t* pathFormat);
    static CString FindVersion(const wchar_t* marker);
};
