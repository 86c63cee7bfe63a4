// IMG_BootRecord: size-class templates, name packing, dates, checksum and parsing.
#include "img_varnok/IMG_BootRecord.h"

#include "img_varnok/IMG_Bytes.h"
#include "img_varnok/IMG_Exception.h"
#include "img_varnok/IMG_FileBuffer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace
{
const char* const unit = "IMG_BootRecord";

// Header offsets.
const int versionWhole = 0x08, versionHundredths = 0x09;
const int writeMonth = 0x0A, writeYear = 0x0B;
const int flagByte = 0x0E, checkByte = 0x0F;
const int signature = 0x10, signatureLength = 6;
const int sectorsPerTrack = 0x18, heads = 0x1A, cylinders = 0x1C;
const int date20 = 0x20, date22 = 0x22;
const int checksum = 0x24;
const int packedName = 0x30, packedNameLength = 9, nameLength = 12;
const int stampYear = 0x39, stampMonth = 0x3B;  // then day, hour, minute, second
const int directoryStart = 0x40;
const int makerWord = 0x41;
const int description1 = 0x49, description1Length = 20;
const int heads2 = 0x5D, sectorsPerTrack2 = 0x5F;
const int sectorExponent = 0x61, blockExponent = 0x62, totalBlocks = 0x63;
const int description2 = 0x65, description2Length = 30;
const int formatMarker = 0x83, formatWhole = 0x85, formatHundredths = 0x86;
const int value87 = 0x87;
const int partitionEntry = 0x1BE;
const int bootSignature = 510;

const uint16_t formatMarkerValue = 0xDEAD;
const IMG_BootRecord::Geometry classes[IMG_BootRecord::ClassCount] = {
    {4, 16, 32, 2, 512, 2048},
    {8, 16, 24, 2, 768, 3072},
    {8, 16, 32, 2, 1024, 4096},
    {16, 16, 24, 2, 1536, 6144},
    {16, 16, 32, 2, 2048, 8192},
    {16, 16, 64, 3, 2048, 16384},
    {16, 16, 128, 4, 2048, 32768},
    {16, 16, 256, 5, 2048, 65536},
    {16, 16, 512, 6, 2048, 131072},
    {16, 16, 1024, 7, 2048, 262144},
    {32, 16, 1024, 8, 2048, 524288},
    {32, 32, 1024, 9, 2048, 1048576},
    {32, 64, 1024, 10, 2048, 2097152},
    {32, 128, 1024, 11, 2048, 4194304},
    {32, 256, 1024, 12, 2048, 8388608},
};

bool IsValidClass(int sizeClass)
{
    return sizeClass >= 0 && sizeClass < IMG_BootRecord::ClassCount;
}

// The class's template sector; its date, name, version, checksum and description bytes are zero.
void MakeTemplate(const IMG_BootRecord::Geometry& g, uint8_t* header)
{
    std::memset(header, 0, IMG_BootRecord::SectorSize);
    std::memcpy(header + signature, "DSKIMG", signatureLength);
    header[0x17] = 2;
    IMG_PutU16(header + sectorsPerTrack, g.sectorsPerTrack);
    IMG_PutU16(header + heads, g.heads);
    IMG_PutU16(header + cylinders, g.cylinders);
    header[directoryStart] = 8;
    std::memcpy(header + makerWord, "QUOREL", 6);
    IMG_PutU16(header + heads2, g.heads);
    IMG_PutU16(header + sectorsPerTrack2, g.sectorsPerTrack);
    header[sectorExponent] = 9;
    header[blockExponent] = g.blockExponent;
    IMG_PutU16(header + totalBlocks, g.totalBlocks);
    IMG_PutU16(header + formatMarker, formatMarkerValue);
    header[formatWhole] = 3;
    header[formatHundredths] = 5;
}

// A classic partition-table entry spanning the whole class.
void PutPartitionEntry(const IMG_BootRecord::Geometry& g, uint8_t* entry)
{
    const uint32_t lastCylinder = g.cylinders - 1u;
    std::memset(entry, 0, 16);
    entry[2] = 1;  // start: head 0, sector 1, cylinder 0
    entry[5] = static_cast<uint8_t>(g.heads - 1);
    entry[6] = static_cast<uint8_t>(g.sectorsPerTrack | (lastCylinder >> 8 & 3) << 6);
    entry[7] = static_cast<uint8_t>(lastCylinder);
    IMG_PutU32(entry + 12, g.capacity);
}

bool IsBlank(char c)
{
    return c == '\0' || std::isspace(static_cast<unsigned char>(c));
}

std::string Trimmed(const std::string& text)
{
    auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

// Truncated toward zero; values no int can hold count as 0.
int Truncated(double x)
{
    return std::fabs(x) < 2147483647.0 ? static_cast<int>(x) : 0;
}

uint16_t PackDate(int month, int day, int year)
{
    if (month == 0 && day == 0 && year == 0)
        return 0;
    return static_cast<uint16_t>(month * 4096 + day * 128 + year - 2000);
}

void UnpackDate(uint16_t value, int& month, int& day, int& year)
{
    month = value >> 12;
    day = value >> 7 & 31;
    year = (value & 0x7F) + 2000;
}
}

const IMG_BootRecord::Geometry& IMG_BootRecord::GetClassGeometry(int sizeClass)
{
    if (!IsValidClass(sizeClass))
        throw IMG_Exception(unit, __LINE__, IMG_Exception::InvalidImageSize);
    return classes[sizeClass];
}

IMG_BootRecord::IMG_BootRecord(int sizeClass) : header(), sizeClass(DefaultClass)
{
    SetSizeClass(sizeClass);
}

void IMG_BootRecord::Reset()
{
    std::memset(header, 0, SectorSize);
    SetSizeClass(DefaultClass);
}

void IMG_BootRecord::SetSizeClass(int newClass)
{
    if (!IsValidClass(newClass))
        throw IMG_Exception(unit, 364, IMG_Exception::InvalidImageSize);
    sizeClass = newClass;
    MakeTemplate(classes[newClass], header);
    PutPartitionEntry(classes[newClass], header + partitionEntry);
    IMG_PutU16(header + bootSignature, 0xAA55);
    std::memset(header + description1, ' ', description1Length);
    std::memset(header + description2, ' ', description2Length);
}

void IMG_BootRecord::ChangeSizeClass(int newClass)
{
    if (newClass == sizeClass)
        return;
    if (!IsValidClass(newClass))
        throw IMG_Exception(unit, 550, IMG_Exception::InvalidImageSize);
    uint8_t old[SectorSize];
    std::memcpy(old, header, SectorSize);
    SetSizeClass(newClass);
    const struct { int offset, length; } kept[] = {
        {description1, description1Length}, {description2, description2Length},
        {flagByte, 1}, {date20, 4}, {versionWhole, 2},
        {packedName, packedNameLength}, {signature, signatureLength},
    };
    for (const auto& field : kept)
        std::memcpy(header + field.offset, old + field.offset, field.length);
}

void IMG_BootRecord::Parse(const IMG_FileBuffer& buffer)
{
    std::memset(header, 0, SectorSize);
    std::memcpy(header, buffer.GetData(), std::min<uint32_t>(SectorSize, buffer.GetSize()));
    const uint32_t sectors = static_cast<uint32_t>(GetTotalBlocks()) << (GetBlockExponent() & 31);
    const Geometry* found = std::find_if(std::begin(classes), std::end(classes),
                                         [sectors](const Geometry& g) { return g.capacity >= sectors; });
    if (found == std::end(classes))
        throw IMG_Exception(unit, 414, IMG_Exception::InvalidImageSize);
    sizeClass = static_cast<int32_t>(found - classes);
    DecodeName();
    DecodeDescription();
}

void IMG_BootRecord::CopyTo(IMG_FileBuffer& buffer) const
{
    std::memcpy(buffer.GetData(), header, std::min<uint32_t>(SectorSize, buffer.GetSize()));
}

uint32_t IMG_BootRecord::GetChecksumSum() const
{
    return IMG_ByteSum(header, SectorSize) - header[checkByte] - IMG_ByteSum(header + checksum, 4);
}

void IMG_BootRecord::StoreChecksum(uint32_t value)
{
    IMG_PutU32(header + checksum, value);
    const uint8_t* b = header + checksum;
    header[checkByte] = static_cast<uint8_t>(256 - (b[0] + b[0] + b[1] + b[2] + b[3]) % 256);
}

uint32_t IMG_BootRecord::GetChecksum() const
{
    return IMG_GetU32(header + checksum);
}

void IMG_BootRecord::StampDate()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    StampDate(now);
}

void IMG_BootRecord::StampDate(const SYSTEMTIME& t)
{
    const int twoDigitYear = t.wYear % 100;
    header[writeMonth] = static_cast<uint8_t>(t.wMonth);
    header[writeYear] = static_cast<uint8_t>(twoDigitYear < 80 ? twoDigitYear + 100 : twoDigitYear);
    IMG_PutU16(header + stampYear, t.wYear);
    const WORD rest[] = {t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
    for (int i = 0; i < 5; ++i)
        header[stampMonth + i] = static_cast<uint8_t>(rest[i]);
}

void IMG_BootRecord::SetSignature(bool dsd)
{
    std::memcpy(header + signature, dsd ? "DSDIMG" : "DSKIMG", signatureLength);
}

bool IMG_BootRecord::IsDsdSignature() const
{
    return std::memcmp(header + signature, "DSDIMG", signatureLength) == 0;
}

void IMG_BootRecord::SetFormatMarker()
{
    IMG_PutU16(header + formatMarker, formatMarkerValue);
    header[formatWhole] = 3;
    header[formatHundredths] = 5;
}

void IMG_BootRecord::SetValue87(uint32_t value)
{
    SetFormatMarker();
    IMG_PutU32(header + value87, value);
}

uint32_t IMG_BootRecord::GetValue87() const
{
    return IMG_GetU32(header + value87);
}

double IMG_BootRecord::GetFormatVersion() const
{
    if (IMG_GetU16(header + formatMarker) != formatMarkerValue)
        return 0;
    return header[formatWhole] + header[formatHundredths] / 100.0;
}

// Twelve 6-bit characters (code - 32), read as one 72-bit number from byte 0x38
// down to 0x30, most significant bit first.
void IMG_BootRecord::SetName(const char* text)
{
    uint8_t* packed = header + packedName;
    std::memset(packed, 0, packedNameLength);
    if (!text)
        return;
    std::string characters(text, strnlen(text, nameLength));
    characters.resize(nameLength, ' ');
    for (char& c : characters)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int i = 0; i < nameLength; ++i)
    {
        const uint32_t value = (static_cast<unsigned char>(characters[i]) - 32u) & 0x3F;
        for (int bit = 0; bit < 6; ++bit)
        {
            const int position = 6 * i + bit;  // from the most significant bit of byte 0x38
            if (value & 0x20 >> bit)
                packed[packedNameLength - 1 - position / 8] |= static_cast<uint8_t>(0x80 >> position % 8);
        }
    }
    DecodeName();
}

void IMG_BootRecord::DecodeName()
{
    const uint8_t* packed = header + packedName;
    std::string text(nameLength, ' ');
    for (int i = 0; i < nameLength; ++i)
    {
        int value = 0;
        for (int bit = 0; bit < 6; ++bit)
        {
            const int position = 6 * i + bit;
            const bool set = packed[packedNameLength - 1 - position / 8] & 0x80 >> position % 8;
            value = value << 1 | set;
        }
        text[i] = static_cast<char>(value + 32);
    }
    name = Trimmed(text);
}

void IMG_BootRecord::SetDescription(const char* text)
{
    std::memset(header + description1, ' ', description1Length);
    std::memset(header + description2, ' ', description2Length);
    if (!text)
        return;
    const size_t length = strnlen(text, description1Length + description2Length);
    std::memcpy(header + description1, text, std::min<size_t>(length, description1Length));
    if (length > description1Length)
        std::memcpy(header + description2, text + description1Length, length - description1Length);
    DecodeDescription();
}

void IMG_BootRecord::DecodeDescription()
{
    const char* first = reinterpret_cast<const char*>(header + description1);
    const char* second = reinterpret_cast<const char*>(header + description2);
    description = Trimmed(std::string(first, description1Length) + std::string(second, description2Length));
}

void IMG_BootRecord::SetVersion(float version)
{
    // Whole part truncated toward zero and kept to 8 bits.
    header[versionWhole] = static_cast<uint8_t>(Truncated(version));
    header[versionHundredths] = static_cast<uint8_t>(Truncated((version - header[versionWhole]) * 100.0 + 0.5));
}

float IMG_BootRecord::GetVersion() const
{
    return header[versionWhole] + header[versionHundredths] / 100.0f;
}

void IMG_BootRecord::SetDate20(int month, int day, int year)
{
    IMG_PutU16(header + date20, PackDate(month, day, year));
}

void IMG_BootRecord::SetDate22(int month, int day, int year)
{
    IMG_PutU16(header + date22, PackDate(month, day, year));
}

void IMG_BootRecord::GetDate20(int& month, int& day, int& year) const
{
    UnpackDate(IMG_GetU16(header + date20), month, day, year);
}

void IMG_BootRecord::GetDate22(int& month, int& day, int& year) const
{
    UnpackDate(IMG_GetU16(header + date22), month, day, year);
}

void IMG_BootRecord::SetHeaderFlag(bool flag)
{
    header[flagByte] = static_cast<uint8_t>((header[flagByte] & ~1) | (flag ? 1 : 0));
}

bool IMG_BootRecord::GetHeaderFlag() const
{
    return header[flagByte] & 1;
}

uint32_t IMG_BootRecord::GetCreationTime() const
{
    const uint32_t year = IMG_GetU16(header + stampYear);
    if (year == 0)
        return 0;
    const uint8_t* t = header + stampMonth;  // month, day, hour, minute, second
    return (((((year - 1990) * 12 + t[0] - 1) * 31 + t[1] - 1) * 24 + t[2]) * 60 + t[3]) * 60 + t[4];
}

uint32_t IMG_BootRecord::GetCapacity() const
{
    return classes[sizeClass].capacity;
}

uint32_t IMG_BootRecord::GetBlockSize() const
{
    // The processor takes a shift count modulo 32; so does this, for any header read.
    return 1u << ((header[sectorExponent] + header[blockExponent]) & 31);
}

uint8_t IMG_BootRecord::GetBlockExponent() const
{
    return header[blockExponent];
}

void IMG_BootRecord::SetBlockExponent(uint8_t exponent)
{
    header[blockExponent] = exponent;
}

uint32_t IMG_BootRecord::GetDirectoryStart() const
{
    return header[directoryStart];
}

uint16_t IMG_BootRecord::GetTotalBlocks() const
{
    return IMG_GetU16(header + totalBlocks);
}

void IMG_BootRecord::SetTotalBlocks(uint16_t blocks)
{
    IMG_PutU16(header + totalBlocks, blocks);
}
