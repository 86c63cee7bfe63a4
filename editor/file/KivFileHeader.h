// The header of a checklist file: a signature, four bytes (revision, user-made
// flag, default group and checklist) and five descriptive texts.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

namespace app {

class KivFileHeader_t {
public:
    static const std::uint32_t validMagic = 0xF0F0F0F0;

    // The header of a new file; it is user-made unless the editor runs in OEM mode.
    KivFileHeader_t();
    virtual ~KivFileHeader_t() = default;
    KivFileHeader_t(const KivFileHeader_t&) = default;
    KivFileHeader_t& operator=(const KivFileHeader_t&) = default;

    bool operator==(const KivFileHeader_t& other) const;
    bool operator!=(const KivFileHeader_t& other) const { return !(*this == other); }

    bool HasValidMagic() const { return magic == validMagic; }

    // The eight raw bytes and a line feed, then each text on a line of its own.
    // Nothing on a failed stream.
    std::ostream& Write(std::ostream& out) const;
    // Reads what Write writes; comment and empty lines before each text are
    // skipped. Failure only through the stream state. The signature is not checked.
    std::istream& Read(std::istream& in);

    std::uint32_t GetMagic() const { return magic; }
    std::uint8_t GetRevision() const { return revision; }
    std::uint8_t GetUserMade() const { return userMade; }
    std::uint8_t GetDefaultGroup() const { return defaultGroup; }
    std::uint8_t GetDefaultCheckList() const { return defaultCheckList; }
    const std::string& GetCheckListName() const { return checkListName; }
    const std::string& GetAircraftMakeModel() const { return aircraftMakeModel; }
    const std::string& GetAircraftInfo() const { return aircraftInfo; }
    const std::string& GetManufacturerId() const { return manufacturerId; }
    const std::string& GetCopyrightInfo() const { return copyrightInfo; }

    void SetRevision(std::uint8_t value) { revision = value; }
    void SetUserMade(std::uint8_t value) { userMade = value; }
    void SetDefaultGroup(std::uint8_t value) { defaultGroup = value; }
    void SetDefaultCheckList(std::uint8_t value) { defaultCheckList = value; }
    void SetCheckListName(const std::string& text) { checkListName = text; }
    void SetAircraftMakeModel(const std::string& text) { aircraftMakeModel = text; }
    void SetAircraftInfo(const std::string& text) { aircraftInfo = text; }
    void SetManufacturerId(const std::string& text) { manufacturerId = text; }
    void SetCopyrightInfo(const std::string& text) { copyrightInfo = text; }

private:
    std::uint32_t magic;
    std::uint8_t revision;
    std::uint8_t userMade;
    std::uint8_t defaultGroup;
    std::uint8_t defaultCheckList;
    std::string checkListName;
    std::string aircraftMakeModel;
    std::string aircraftInfo;
    std::string manufacturerId;
    std::string copyrightInfo;
};

inline std::ostream& operator<<(std::ostream& out, const KivFileHeader_t& header) { return header.Write(out); }
inline std::istream& operator>>(std::istream& in, KivFileHeader_t& header) { return header.Read(in); }

} // namespace app
