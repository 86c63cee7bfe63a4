// CUsbPacket: building and reading packets of the USB link (see UsbPacket.h).
#include "Setup/device/UsbPacket.h"

#include <algorithm>
#include <cstring>

CUsbPacket::CUsbPacket(uint8_t type, uint16_t id, const void* data, uint32_t dataSize)
    : m_bytes(kHeaderSize + dataSize + 1, 0)
{
    m_bytes[0] = type;
    WriteU16(&m_bytes[4], id);
    WriteU32(&m_bytes[8], dataSize);
    if (data && dataSize)
        memcpy(&m_bytes[kHeaderSize], data, dataSize);
}

CUsbPacket::CUsbPacket(const BYTE* bytes, size_t length) : m_bytes(kHeaderSize + 1, 0)
{
    if (!bytes || length < kHeaderSize)
        return;
    uint64_t claimed = kHeaderSize + static_cast<uint64_t>(ReadU32(bytes + 8));
    size_t kept = static_cast<size_t>(std::min<uint64_t>(claimed, length));
    m_bytes.assign(bytes, bytes + kept);
    m_bytes.push_back(0);
    WriteU32(&m_bytes[8], static_cast<uint32_t>(kept - kHeaderSize));
}

void CUsbPacket::WriteU16(BYTE* at, uint16_t value)
{
    at[0] = static_cast<BYTE>(value);
    at[1] = static_cast<BYTE>(value >> 8);
}

void CUsbPacket::WriteU32(BYTE* at, uint32_t value)
{
    WriteU16(at, static_cast<uint16_t>(value));
    WriteU16(at + 2, static_cast<uint16_t>(value >> 16));
}
