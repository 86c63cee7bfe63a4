// IMG_BootRecord: the 512-byte header sector of a disk image, built from one of
// fifteen size-class templates or parsed from a file, with its field accessors.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class IMG_FileBuffer;

class IMG_BootRecord
{
public:
    static constexpr int SectorSize = 512;
    static constexpr int ClassCount = 15;
    static constexpr int DefaultClass = 4;

    // One size class's template values.
    struct Geometry
    {
        uint16_t sectorsPerTrack;
        uint16_t heads;
        uint16_t cylinders;
        uint8_t blockExponent;  // a block is 2^(9 + blockExponent) bytes
        uint16_t totalBlocks;
        uint32_t capacity;      // in 512-byte sectors
    };
    // Class outside 0-14: code 37.
    static const Geometry& GetClassGeometry(int sizeClass);

    explicit IMG_BootRecord(int sizeClass = DefaultClass);
    virtual ~IMG_BootRecord() = default;
    IMG_BootRecord(const IMG_BootRecord&) = default;
    IMG_BootRecord& operator=(const IMG_BootRecord&) = default;
    // Moving never fails: a layout built aside is taken over with it.
    IMG_BootRecord(IMG_BootRecord&&) noexcept = default;
    IMG_BootRecord& operator=(IMG_BootRecord&&) noexcept = default;

    void Reset();
    void SetSizeClass(int sizeClass);
    // Moves to another class, keeping description, flags, dates, version, name and signature.
    void ChangeSizeClass(int sizeClass);
    // Takes the header from the first 512 bytes of the buffer and finds its size class.
    void Parse(const IMG_FileBuffer& buffer);
    void CopyTo(IMG_FileBuffer& buffer) const;
    const uint8_t* GetBytes() const { return header; }

    uint32_t GetChecksumSum() const;
    void StoreChecksum(uint32_t value);
    uint32_t GetChecksum() const;
    // Stamps the current date and local time of a write.
    void StampDate();
    void StampDate(const SYSTEMTIME& localTime);

    void SetSignature(bool dsd);
    bool IsDsdSignature() const;
    void SetFormatMarker();
    void SetValue87(uint32_t value);
    uint32_t GetValue87() const;
    double GetFormatVersion() const;

    // No text (null): clears the packed name and keeps GetName.
    void SetName(const char* text);
    const std::string& GetName() const { return name; }
    // No text (null): blanks the fields and keeps GetDescription.
    void SetDescription(const char* text);
    const std::string& GetDescription() const { return description; }
    void SetVersion(float version);
    float GetVersion() const;
    void SetDate20(int month, int day, int year);
    void SetDate22(int month, int day, int year);
    void GetDate20(int& month, int& day, int& year) const;
    void GetDate22(int& month, int& day, int& year) const;
    void SetHeaderFlag(bool flag);
    bool GetHeaderFlag() const;
    // Seconds since 1990 on a calendar of twelve 31-day months; 0 without a stamp.
    uint32_t GetCreationTime() const;

    int GetSizeClass() const { return sizeClass; }
    uint32_t GetCapacity() const;
    uint32_t GetBlockSize() const;
    uint8_t GetBlockExponent() const;
    void SetBlockExponent(uint8_t exponent);
    uint32_t GetDirectoryStart() const;
    uint16_t GetTotalBlocks() const;
    void SetTotalBlocks(uint16_t totalBlocks);

private:
    void DecodeName();
    void DecodeDescription();

    std::string name;
    std::string description;
    uint8_t header[SectorSize];
    int32_t sizeClass;
};
