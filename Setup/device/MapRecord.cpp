// CMapRecord: the scrambled record beside a map image (see MapRecord.h).
#include "Setup/device/MapRecord.h"

#include <cstdint>
#include <cstdio>
#include <fstream>

namespace {

const char kEnd = '%';

// A text cut to its field. "%" ends a stored text, so it is left out of one.
std::string FieldText(const std::string& text, size_t room)
{
    std::string kept;
    for (char c : text)
        if (c != kEnd && kept.size() + 1 < room)
            kept += c;
    return kept;
}

// "MAP.IMG" -> "MAP.REC"; empty when the name has no three-letter extension.
std::string RecordFileName(const std::string& fileName)
{
    size_t length = fileName.size();
    if (length <= 4 || fileName[length - 4] != '.')
        return std::string();
    return fileName.substr(0, length - 4) + ".REC";
}

void WriteU32(std::ofstream& out, uint32_t value)
{
    char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                     static_cast<char>(value >> 24)};
    out.write(bytes, 4);
}

bool ReadU32(std::ifstream& in, uint32_t& value)
{
    unsigned char bytes[4];
    if (!in.read(reinterpret_cast<char*>(bytes), 4))
        return false;
    value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return true;
}

void WriteText(std::ofstream& out, const std::string& text)
{
    std::string stored = text + kEnd;
    for (char& c : stored)
        c = static_cast<char>(c ^ CMapRecord::kKey);
    out.write(stored.data(), static_cast<std::streamsize>(stored.size()));
}

// Reads up to the byte that unscrambles to "%"; keeps what fits the field.
bool ReadText(std::ifstream& in, std::string& text, size_t room)
{
    text.clear();
    for (char c; in.get(c);) {
        c = static_cast<char>(c ^ CMapRecord::kKey);
        if (c == kEnd)
            return true;
        if (text.size() + 1 < room)
            text += c;
    }
    return false;
}

}  // namespace

void CMapRecord::Set(const std::string& fileName, const std::string& name, const std::string& description,
                     int version)
{
    m_flag = 1;
    m_fileName = FieldText(fileName, kFileNameRoom);
    // The record lies beside the image whatever the length of its path.
    m_recordFileName = RecordFileName(fileName);
    m_name = FieldText(name, kNameRoom);
    m_description = FieldText(description, kDescriptionRoom);
    m_version = version;
}

void CMapRecord::SetFile(const std::string& fileName)
{
    m_flag = 1;
    m_fileName = FieldText(fileName, kFileNameRoom);
    m_recordFileName = RecordFileName(fileName);
    m_description.clear();
    m_version = 0;
}

bool CMapRecord::Write() const
{
    if (m_recordFileName.empty())
        return false;
    std::ofstream out(m_recordFileName, std::ios::binary | std::ios::trunc);
    WriteU32(out, static_cast<uint32_t>(m_flag));
    WriteText(out, m_fileName);
    WriteText(out, m_name);
    WriteText(out, m_description);
    WriteU32(out, static_cast<uint32_t>(m_version));
    out.close();
    return !out.fail();
}

bool CMapRecord::Read()
{
    if (m_recordFileName.empty())
        return false;
    std::ifstream in(m_recordFileName, std::ios::binary);
    uint32_t flag = 0, version = 0;
    std::string fileName, name, description;
    // A record that does not read to its end changes nothing.
    if (!in || !ReadU32(in, flag) || !ReadText(in, fileName, kFileNameRoom) || !ReadText(in, name, kNameRoom) ||
        !ReadText(in, description, kDescriptionRoom) || !ReadU32(in, version))
        return false;
    m_flag = static_cast<int>(flag);
    m_fileName = fileName;
    m_name = name;
    m_description = description;
    m_version = static_cast<int>(version);
    return true;
}

bool CMapRecord::Remove() const
{
    return !m_recordFileName.empty() && remove(m_recordFileName.c_str()) == 0;
}
