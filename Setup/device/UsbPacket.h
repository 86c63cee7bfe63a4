// CUsbPacket: one packet of the USB link to a unit: a 12-byte header (type, reserved,
// packet id, reserved, data size; little-endian, reserved bytes zero) and its data.
// A packet built from received bytes never claims more data than it holds, and its
// data is always followed by one zero byte.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

enum class PacketType : uint8_t { UsbLayer = 0, Application = 20 };

// Link-level packet ids.
enum class UsbPacketId : uint16_t { DataAvailable = 2, StartSession = 5, SessionStarted = 6 };

// Application packet ids.
enum class AppPacketId : uint16_t
{
    Command = 10,
    DateTime = 14,
    UnitId = 38,
    Capacity = 95,
    MapProductRecords = 247,
    ExtProductData = 248,
    ProtocolArray = 253,
    ProductRequest = 254,
    ProductData = 255,
    StorageSizeRequest = 980,
    StorageSize = 981
};

class CUsbPacket
{
public:
    static constexpr DWORD kHeaderSize = 12;

    CUsbPacket() : CUsbPacket(uint8_t{0}, uint16_t{0}) {}
    CUsbPacket(uint8_t type, uint16_t id, const void* data = nullptr, uint32_t dataSize = 0);
    CUsbPacket(PacketType type, uint16_t id, const void* data = nullptr, uint32_t dataSize = 0)
        : CUsbPacket(static_cast<uint8_t>(type), id, data, dataSize) {}
    // A packet as received; a data size beyond the bytes is cut to what arrived.
    CUsbPacket(const BYTE* bytes, size_t length);

    uint8_t Type() const { return m_bytes[0]; }
    uint16_t Id() const { return ReadU16(&m_bytes[4]); }
    uint32_t DataSize() const { return ReadU32(&m_bytes[8]); }
    const BYTE* Data() const { return &m_bytes[kHeaderSize]; }
    // The packet's bytes as sent: header and data.
    const BYTE* Bytes() const { return m_bytes.data(); }
    DWORD Length() const { return kHeaderSize + DataSize(); }

    static uint16_t ReadU16(const BYTE* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
    static uint32_t ReadU32(const BYTE* at) { return ReadU16(at) | static_cast<uint32_t>(ReadU16(at + 2)) << 16; }
    static uint64_t ReadU64(const BYTE* at) { return ReadU32(at) | static_cast<uint64_t>(ReadU32(at + 4)) << 32; }
    static void WriteU16(BYTE* at, uint16_t value);
    static void WriteU32(BYTE* at, uint32_t value);

private:
    std::vector<BYTE> m_bytes;  // header, data and one zero byte
};
