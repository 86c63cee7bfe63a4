// CMapRecord: the record kept beside a map image ("MAP.IMG" -> "MAP.REC") with the image's
// name, description and version x 100, so that they are known when the image itself
// cannot be opened. Binary and little-endian: a flag (u32, 1), the file name, the name and
// the description, each with "%" after it and every byte XOR-ed with a key, then the
// version (u32). Texts are 8-bit and cut to their fields.
#pragma once

#include <string>

class CMapRecord
{
public:
    // Room of the text fields, their terminators included.
    static const size_t kFileNameRoom = 30;
    static const size_t kNameRoom = 20;
    static const size_t kDescriptionRoom = 200;
    static const unsigned char kKey = 0x6B;

    void Set(const std::string& fileName, const std::string& name, const std::string& description, int version);
    // Only the file: description empty, version 0; the name stays.
    void SetFile(const std::string& fileName);

    bool Write() const;
    bool Read();
    bool Remove() const;

    const std::string& GetName() const { return m_name; }
    const std::string& GetDescription() const { return m_description; }
    int GetVersion() const { return m_version; }
    const std::string& GetFileName() const { return m_fileName; }
    const std::string& GetRecordFileName() const { return m_recordFileName; }

private:
    int m_flag = 0;
    std::string m_fileName;
    std::string m_recordFileName;
    std::string m_name;
    std::string m_description;
    int m_version = 0;
};
