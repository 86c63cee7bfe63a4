// CInstallActions: the commands of a connected unit, forwarded to CDeviceProtocol, and
// packet listings on the console.
#include "Setup/actions/InstallActions.h"

#include "Setup/device/DeviceProtocol.h"
#include "Setup/device/UsbPacket.h"

#include <cstdio>

int CInstallActions::CountConnectedDevices() { return CDeviceProtocol::CountConnectedDevices(); }

DWORD CInstallActions::GetUnitId()
{
    DWORD id = 0;
    CDeviceProtocol::GetUnitId(id);
    return id;
}

WORD CInstallActions::GetProductId() { return CDeviceProtocol::GetProductId(); }
CString CInstallActions::GetDeviceDateTime() { return CDeviceProtocol::GetDeviceDateTime(); }
WORD CInstallActions::GetSoftwareVersion() { return CDeviceProtocol::GetSoftwareVersion(); }

void CInstallActions::GetProductStrings(std::vector<CString>& strings)
{
    CDeviceProtocol::GetProductStrings(strings);
}

void CInstallActions::GetExtProductStrings(std::vector<CString>& strings)
{
    CDeviceProtocol::GetExtProductStrings(strings);
}

void CInstallActions::GetProtocolList(std::vector<CString>& names) { CDeviceProtocol::GetProtocolList(names); }
bool CInstallActions::SupportsProtocol(const char* name) { return CDeviceProtocol::SupportsProtocol(CString(name)); }
bool CInstallActions::IsProduct210Or404() { return CDeviceProtocol::IsProduct210Or404(); }
ULONGLONG CInstallActions::GetStorageSize(BYTE slot) { return CDeviceProtocol::GetStorageSize(slot); }
bool CInstallActions::SupportsA900() { return CDeviceProtocol::SupportsA900(); }
bool CInstallActions::SupportsA907() { return CDeviceProtocol::SupportsA907(); }
void CInstallActions::CloseDeviceLink() { CDeviceProtocol::CloseLink(); }
void CInstallActions::AbortTransfer() { CDeviceProtocol::AbortTransfer(); }
void CInstallActions::TurnOffPower() { CDeviceProtocol::TurnOffPower(); }

DWORD CInstallActions::GetMemoryCapacity(WORD& a, WORD& b, DWORD& c)
{
    return CDeviceProtocol::GetMemoryCapacity(a, b, c);
}

CString CInstallActions::GetCardImageVersion() { return CDeviceProtocol::GetCardImageVersion(); }
CString CInstallActions::GetMapSetVersion() { return CDeviceProtocol::GetMapSetVersion(); }

void CInstallActions::PrintPacketData(const CUsbPacket& packet, DWORD count)
{
    if (packet.DataSize() < count)
        return;
    for (DWORD i = 0; i < count; ++i)
        printf("%02X ", packet.Data()[i]);
    printf("\n");
}

void CInstallActions::PrintPacket(const CUsbPacket& packet)
{
    const char* line = "-------------------------------------------------------\n";
    printf("%s", line);
    printf("Packet Type = %d\nPacket ID = %d\nPacket Size = %lu\nPacket Data = ", packet.Type(), packet.Id(),
           static_cast<unsigned long>(packet.DataSize()));
    PrintPacketData(packet, packet.DataSize());
    printf("%s", line);
}
