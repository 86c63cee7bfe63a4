// CDeviceProtocol: the unit's commands over the USB link (see DeviceProtocol.h).
#include "Setup/device/DeviceProtocol.h"

#include "Setup/actions/InstallActions.h"
#include "Setup/device/UsbDeviceApi.h"
#include "Setup/device/UsbPacket.h"
#include "Setup/device/UsbTransport.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const DWORD kReplyPause = 500;
const int kProgrammerPorts = 15;

uint16_t IdOf(AppPacketId id)
{
    return static_cast<uint16_t>(id);
}

CUsbPacket Request(AppPacketId id, const void* data = nullptr, uint32_t size = 0)
{
    return CUsbPacket(PacketType::Application, IdOf(id), data, size);
}

// The 8-bit text at a place of the data, up to its zero, the data's end or limit bytes.
std::string TextAt(const CUsbPacket& packet, DWORD at, DWORD limit = MAXDWORD)
{
    const BYTE* data = packet.Data();
    DWORD size = packet.DataSize();
    DWORD end = at;
    while (end < size && end - at < limit && data[end])
        ++end;
    return at < end ? std::string(data + at, data + end) : std::string();
}

// The zero-terminated strings of the data from a place to its end, widened.
void TakeStrings(const CUsbPacket& packet, DWORD from, std::vector<CString>& strings)
{
    for (DWORD at = from; at < packet.DataSize();) {
        std::string text = TextAt(packet, at);
        strings.push_back(CString(text.c_str()));
        at += static_cast<DWORD>(text.size()) + 1;
    }
}

// Protocol array entries: a letter and a number, named like "A010".
void TakeProtocolNames(const CUsbPacket& packet, std::vector<CString>& names)
{
    for (DWORD at = 0; at + 3 <= packet.DataSize(); at += 3) {
        char name[16];
        snprintf(name, sizeof(name), "%c%03d", packet.Data()[at], CUsbPacket::ReadU16(packet.Data() + at + 1));
        names.push_back(CString(name));
    }
}

}  // namespace

bool CDeviceProtocol::HasDeviceInterface(DWORD flags)
{
    CUsbDeviceApi& api = CUsbDeviceApi::Current();
    HDEVINFO list = api.GetClassDevsW(&CUsbTransport::kInterfaceClass, flags);
    if (list == INVALID_HANDLE_VALUE)
        return false;
    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof(data);
    bool found = api.EnumDeviceInterfaces(list, &CUsbTransport::kInterfaceClass, 0, &data) != FALSE;
    api.DestroyDeviceInfoList(list);
    return found;
}

bool CDeviceProtocol::IsUnitConnected()
{
    bool answer = false;
    if (CInstallActions::AskTesterInTestMode(CInstallActions::kAskGpsUnitPluggedIn, answer))
        return answer;
    return HasDeviceInterface(DIGCF_PRESENT | DIGCF_DEVICEINTERFACE) || ProbeCardProgrammer();
}

bool CDeviceProtocol::ProbeCardProgrammer()
{
    return ProbeProgrammer(L"\\\\.\\zelq1200-%d");
}

bool CDeviceProtocol::ProbeAviationCardProgrammer()
{
    return ProbeProgrammer(L"\\\\.\\zelq1300-%d");
}

bool CDeviceProtocol::ProbeProgrammer(const wchar_t* pathFormat)
{
    bool answer = false;
    if (CInstallActions::AskTesterInTestMode(CInstallActions::kAskUnitPluggedIn, answer))
        return answer;
    CUsbDeviceApi& api = CUsbDeviceApi::Current();
    for (int port = 0; port < kProgrammerPorts; ++port) {
        CString path;
        path.Format(pathFormat, port);
        HANDLE programmer = api.CreateFileW(path, GENERIC_WRITE, FILE_SHARE_WRITE, OPEN_EXISTING, 0);
        if (programmer != INVALID_HANDLE_VALUE) {
            api.CloseHandle(programmer);
            return true;
        }
    }
    return false;
}

int CDeviceProtocol::CountConnectedDevices()
{
    CUsbDeviceApi& api = CUsbDeviceApi::Current();
    int count = 0;
    HDEVINFO list = api.GetClassDevsW(&CUsbTransport::kInterfaceClass, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list != INVALID_HANDLE_VALUE) {
        SP_DEVICE_INTERFACE_DATA data = {};
        data.cbSize = sizeof(data);
        while (api.EnumDeviceInterfaces(list, &CUsbTransport::kInterfaceClass, count, &data))
            ++count;
        api.DestroyDeviceInfoList(list);
    }
    if (ProbeCardProgrammer())
        ++count;
    if (ProbeAviationCardProgrammer())
        ++count;
    return count;
}

bool CDeviceProtocol::SendPacket(const CUsbPacket& packet)
{
    if (!CUsbTransport::IsOpen() && !CUsbTransport::Open())
        return false;
    int status = CUsbTransport::Send(packet.Bytes(), packet.Length());
    CUsbDeviceApi::Current().Sleep(kReplyPause);
    return status == CUsbTransport::kWriteDone;
}

bool CDeviceProtocol::FindReply(uint16_t id, CUsbPacket& reply)
{
    for (;;) {
        bool hasPacket = false;
        DWORD length = 0;
        CUsbTransport::PeekPacket(hasPacket, length);
        if (!hasPacket)
            return false;
        std::vector<BYTE> bytes(length);
        length = CUsbTransport::PopPacket(bytes.data(), length);
        CUsbPacket packet(bytes.data(), length);
        if (packet.Type() == static_cast<uint8_t>(PacketType::Application) && packet.Id() == id) {
            reply = packet;
            return true;
        }
    }
}

bool CDeviceProtocol::Exchange(const CUsbPacket& request, uint16_t replyId, CUsbPacket& reply)
{
    SendPacket(request);
    return FindReply(replyId, reply);
}

bool CDeviceProtocol::SendCommand(uint16_t command)
{
    BYTE data[2];
    CUsbPacket::WriteU16(data, command);
    return SendPacket(Request(AppPacketId::Command, data, sizeof(data)));
}

bool CDeviceProtocol::GetUnitId(DWORD& id)
{
    id = 0;
    if (!IsUnitConnected())
        return false;
    SendCommand(kUnitId);
    CUsbPacket reply;
    if (FindReply(IdOf(AppPacketId::UnitId), reply) && reply.DataSize() >= 4)
        id = CUsbPacket::ReadU32(reply.Data());
    return id != 0;
}

CString CDeviceProtocol::GetDeviceDateTime()
{
    CString text;
    if (!IsUnitConnected())
        return text;
    SendCommand(kDateTime);
    CUsbPacket reply;
    if (FindReply(IdOf(AppPacketId::DateTime), reply) && reply.DataSize() >= 8) {
        const BYTE* data = reply.Data();
        text.Format(L"%02d/%02d/%04d %02d:%02d:%02d", data[0], data[1], CUsbPacket::ReadU16(data + 2),
                    static_cast<int16_t>(CUsbPacket::ReadU16(data + 4)), data[6], data[7]);
    }
    return text;
}

WORD CDeviceProtocol::GetProductId()
{
    CUsbPacket reply;
    if (IsUnitConnected() && Exchange(Request(AppPacketId::ProductRequest), IdOf(AppPacketId::ProductData), reply) &&
        reply.DataSize() >= 2)
        return CUsbPacket::ReadU16(reply.Data());
    return 0;
}

WORD CDeviceProtocol::GetSoftwareVersion()
{
    CUsbPacket reply;
    if (IsUnitConnected() && Exchange(Request(AppPacketId::ProductRequest), IdOf(AppPacketId::ProductData), reply) &&
        reply.DataSize() >= 4)
        return CUsbPacket::ReadU16(reply.Data() + 2);
    return 0;
}

void CDeviceProtocol::GetProductStrings(std::vector<CString>& strings)
{
    strings.clear();
    CUsbPacket reply;
    if (IsUnitConnected() && Exchange(Request(AppPacketId::ProductRequest), IdOf(AppPacketId::ProductData), reply) &&
        reply.DataSize() >= 5)
        TakeStrings(reply, 4, strings);
}

void CDeviceProtocol::GetExtProductStrings(std::vector<CString>& strings)
{
    strings.clear();
    CUsbPacket reply;
    if (IsUnitConnected() &&
        Exchange(Request(AppPacketId::ProductRequest), IdOf(AppPacketId::ExtProductData), reply) &&
        reply.DataSize() > 0)
        TakeStrings(reply, 0, strings);
}

void CDeviceProtocol::GetProtocolList(std::vector<CString>& names)
{
    names.clear();
    CUsbPacket reply;
    if (IsUnitConnected() &&
        Exchange(Request(AppPacketId::ProductRequest), IdOf(AppPacketId::ProtocolArray), reply) &&
        reply.DataSize() > 0)
        TakeProtocolNames(reply, names);
}

bool CDeviceProtocol::SupportsProtocol(const CString& name)
{
    std::vector<CString> names;
    GetProtocolList(names);
    for (const CString& supported : names)
        if (supported.CompareNoCase(name) == 0)
            return true;
    return false;
}

bool CDeviceProtocol::SupportsA900()
{
    return SupportsProtocol(L"A900");
}

bool CDeviceProtocol::SupportsA907()
{
    return SupportsProtocol(L"A907");
}

bool CDeviceProtocol::SupportsA916()
{
    bool supported = false;
    try {
        supported = SupportsProtocol(L"A916");
    } catch (...) {
        supported = false;
    }
    CloseLink();
    return supported;
}

bool CDeviceProtocol::IsProduct210Or404()
{
    WORD product = GetProductId();
    return product == 210 || product == 404;
}

ULONGLONG CDeviceProtocol::GetStorageSize(BYTE slot)
{
    if (!SupportsProtocol(L"A908"))
        return 0;
    SendPacket(Request(AppPacketId::StorageSizeRequest, &slot, 1));
    CUsbPacket reply;
    if (FindReply(IdOf(AppPacketId::StorageSize), reply) && reply.DataSize() >= 9 && reply.Data()[8] == slot)
        return CUsbPacket::ReadU64(reply.Data());
    return 0;
}

void CDeviceProtocol::AbortTransfer()
{
    if (SupportsProtocol(L"A010"))
        SendCommand(kAbortTransfer);
}

void CDeviceProtocol::TurnOffPower()
{
    if (SupportsProtocol(L"A010"))
        SendCommand(kPowerOff);
}

DWORD CDeviceProtocol::GetMemoryCapacity(WORD& a, WORD& b, DWORD& c)
{
    if (!SupportsProtocol(L"A010"))
        return 0;
    SendCommand(kMemoryCapacity);
    CUsbPacket reply;
    if (!FindReply(IdOf(AppPacketId::Capacity), reply) || reply.DataSize() < 12)
        return 0;
    a = CUsbPacket::ReadU16(reply.Data());
    b = CUsbPacket::ReadU16(reply.Data() + 2);
    c = CUsbPacket::ReadU32(reply.Data() + 4);
    return CUsbPacket::ReadU32(reply.Data() + 8);
}

bool CDeviceProtocol::SendA919Command()
{
    return SupportsProtocol(L"A919") && SendCommand(kCommandA919);
}

bool CDeviceProtocol::GetMapProductRecord(BYTE id, CString& partNumber, CString& productText)
{
    partNumber.Empty();
    productText.Empty();
    if (!IsUnitConnected() || !SupportsProtocol(L"A918") || !SupportsProtocol(L"D918"))
        return false;
    SendCommand(kMapProductRecords);
    CUsbPacket reply;
    if (!FindReply(IdOf(AppPacketId::MapProductRecords), reply) || reply.DataSize() < 30)
        return false;

    // Records: id, three unused fields, two texts of 13 bytes, and a third text of its own
    // length after which the next record begins.
    for (DWORD at = 0; at < reply.DataSize();) {
        BYTE recordId = reply.Data()[at];
        std::string product = TextAt(reply, at + 21, 13);
        std::string third = TextAt(reply, at + 34);
        CString trimmed(third.c_str());
        trimmed.Trim();
        if (recordId == id || (id == 0 && trimmed.CompareNoCase(L"") == 0)) {
            productText = CString(product.c_str());
            if (productText.GetLength() >= 9)
                partNumber = productText.Mid(4, 5);
            return true;
        }
        at += 34 + static_cast<DWORD>(third.size()) + 1;
    }
    return false;
}

CString CDeviceProtocol::FindVersion(const wchar_t* marker)
{
    if (!IsUnitConnected())
        return CString();
    // The product strings first, then the extended ones.
    std::vector<CString> strings;
    GetProductStrings(strings);
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            GetExtProductStrings(strings);
        for (CString text : strings) {
            if (text.Find(marker) >= 0) {
                text.Replace(marker, L"");
                return text;
            }
        }
    }
    return CString();
}

CString CDeviceProtocol::GetCardImageVersion()
{
    return FindVersion(L"VERGPROM ");
}

CString CDeviceProtocol::GetMapSetVersion()
{
    return FindVersion(L"VERSMAP ");
}

void CDeviceProtocol::CloseLink()
{
    if (CUsbTransport::IsOpen())
        CUsbTransport::Close();
}
