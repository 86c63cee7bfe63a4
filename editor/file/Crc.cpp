// The CRC-32 trailer of a checklist file.
#include "editor/file/Crc.h"

#include "editor/file/DiskFile.h"

#include <array>
#include <cstring>
#include <vector>

namespace app {

namespace {

using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

// Table 0 is the byte-at-a-time table of the polynomial; table k gives the effect
// of a byte followed by k zero bytes, so that eight bytes take eight look-ups.
constexpr Tables BuildTables()
{
    Tables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t value = n;
        for (int bit = 0; bit < 8; ++bit)
            value = value & 1 ? 0xEDB88320 ^ (value >> 1) : value >> 1;
        tables[0][n] = value;
    }
    for (std::size_t k = 1; k < 8; ++k) {
        for (std::uint32_t n = 0; n < 256; ++n)
            tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
    }
    return tables;
}

constexpr Tables tables = BuildTables();

// The next four bytes as a little-endian value.
std::uint32_t Word(const unsigned char* bytes)
{
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof value);   // the processor is little-endian
    return value;
}

} // namespace

std::uint32_t Crc_t::Compute(const char* bytes, std::size_t size)
{
    const unsigned char* next = reinterpret_cast<const unsigned char*>(bytes);
    std::uint32_t crc = 0xFFFFFFFF;
    for (; size >= 8; size -= 8, next += 8) {
        const std::uint32_t low = Word(next) ^ crc;
        const std::uint32_t high = Word(next + 4);
        crc = tables[7][low & 0xFF] ^ tables[6][(low >> 8) & 0xFF] ^ tables[5][(low >> 16) & 0xFF] ^
              tables[4][low >> 24] ^ tables[3][high & 0xFF] ^ tables[2][(high >> 8) & 0xFF] ^
              tables[1][(high >> 16) & 0xFF] ^ tables[0][high >> 24];
    }
    for (; size > 0; --size, ++next)
        crc = tables[0][(crc ^ *next) & 0xFF] ^ (crc >> 8);
    return crc;
}

bool Crc_t::Check()
{
    DiskFile_t file;
    std::vector<char> bytes;
    if (!file.Open(path, DiskFile_t::ToRead) || !file.ReadToEnd(bytes) || bytes.size() < 4)
        return false;
    const unsigned char* trailer = reinterpret_cast<const unsigned char*>(&bytes[bytes.size() - 4]);
    storedCrc = trailer[0] | trailer[1] << 8 | trailer[2] << 16 | static_cast<std::uint32_t>(trailer[3]) << 24;
    return Compute(bytes.data(), bytes.size() - 4) == storedCrc;
}

bool Crc_t::Append()
{
    DiskFile_t file;
    std::vector<char> bytes;
    if (!file.Open(path, DiskFile_t::ToUpdate) || !file.ReadToEnd(bytes))
        return false;
    const std::uint32_t crc = Compute(bytes.data(), bytes.size());
    const char trailer[4] = {static_cast<char>(crc), static_cast<char>(crc >> 8),
                             static_cast<char>(crc >> 16), static_cast<char>(crc >> 24)};
    // The read left the file's position at its end.
    return file.Write(trailer, sizeof trailer) && file.Close();
}

} // namespace app
