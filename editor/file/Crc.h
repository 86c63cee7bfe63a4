// The CRC-32 trailer of a checklist file: the last four bytes, little-endian,
// hold the CRC of every byte before them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace app {

class Crc_t {
public:
    explicit Crc_t(const std::string& path) : path(path) {}
    virtual ~Crc_t() = default;

    // CRC-32 of the reflected polynomial 0xEDB88320, register starting at
    // 0xFFFFFFFF, no final inversion (the complement of the common CRC-32).
    static std::uint32_t Compute(const char* bytes, std::size_t size);

    // True when the file's last four bytes are the CRC of the bytes before them.
    // False for a missing or unreadable file and a file of fewer than four bytes.
    bool Check();
    // Appends the CRC of the file's bytes to the file. False when the file
    // could not be read or the trailer not be written.
    bool Append();

    // The trailer that Check read.
    std::uint32_t GetStoredCrc() const { return storedCrc; }

private:
    std::string path;
    std::uint32_t storedCrc = 0;
};

} // namespace app
