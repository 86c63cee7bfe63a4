// The CRC-32 trailer of a checklist file.
#include "editor/Crc.h"

#include <array>
#include <fstream>
#include <iterator>
#include <vector>

namespace app {

namespace {

constexpr std::array<std::uint32_t, 256> BuildTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t value = n;
        for (int bit = 0; bit < 8; ++bit)
            value = value & 1 ? 0xEDB88320 ^ (value >> 1) : value >> 1;
        table[n] = value;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> table = BuildTable();

} // namespace

std::uint32_t Crc_t::Compute(const char* bytes, std::size_t size)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc;
}

bool Crc_t::Check()
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : 0;
    if (size < 4)
        return false;
    file.seekg(0);
    std::vector<char> bytes(static_cast<std::size_t>(size - 4));
    file.read(bytes.data(), bytes.size());
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    unsigned char trailer[4];
    if (!file.read(reinterpret_cast<char*>(trailer), sizeof trailer))
        return false;
    storedCrc = trailer[0] | trailer[1] << 8 | trailer[2] << 16 |
                static_cast<std::uint32_t>(trailer[3]) << 24;
    return Compute(bytes.data(), bytes.size()) == storedCrc;
}

void Crc_t::Append()
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::uint32_t crc = Compute(bytes.data(), bytes.size());
    const char trailer[4] = {static_cast<char>(crc), static_cast<char>(crc >> 8),
                             static_cast<char>(crc >> 16), static_cast<char>(crc >> 24)};
    std::ofstream(path, std::ios::binary | std::ios::app).write(trailer, sizeof trailer);
}

} // namespace app
