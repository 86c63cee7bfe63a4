// The header of a checklist file and its form in the file.
#include "editor/file/KivFileHeader.h"

#include "editor/shell/Application.h"
#include "editor/file/TextForm.h"

namespace app {

KivFileHeader_t::KivFileHeader_t()
    : magic(validMagic), revision(0), userMade(Application_t::IsOemMode() ? 0 : 1),
      defaultGroup(0), defaultCheckList(0), checkListName("QUOREL CHECKLIST PN XXX-XXXXX-XX"),
      aircraftMakeModel("Aircraft Make and Model"),
      aircraftInfo("Aircraft specific identification"),
      manufacturerId("Manufacturer Identification"), copyrightInfo("Copyright Information")
{
}

bool KivFileHeader_t::operator==(const KivFileHeader_t& other) const
{
    return magic == other.magic && revision == other.revision && userMade == other.userMade &&
           defaultGroup == other.defaultGroup && defaultCheckList == other.defaultCheckList &&
           checkListName == other.checkListName && aircraftMakeModel == other.aircraftMakeModel &&
           aircraftInfo == other.aircraftInfo && manufacturerId == other.manufacturerId &&
           copyrightInfo == other.copyrightInfo;
}

std::ostream& KivFileHeader_t::Write(std::ostream& out) const
{
    if (!out)
        return out;
    const char raw[8] = {
        static_cast<char>(magic), static_cast<char>(magic >> 8), static_cast<char>(magic >> 16),
        static_cast<char>(magic >> 24), static_cast<char>(revision), static_cast<char>(userMade),
        static_cast<char>(defaultGroup), static_cast<char>(defaultCheckList)};
    out.write(raw, sizeof raw).put('\n');
    for (const std::string* text :
         {&checkListName, &aircraftMakeModel, &aircraftInfo, &manufacturerId, &copyrightInfo})
        out.write(text->data(), text->size()).put('\n');
    return out;
}

std::istream& KivFileHeader_t::Read(std::istream& in)
{
    if (!in.good())
        return in;
    unsigned char raw[8];
    if (!in.read(reinterpret_cast<char*>(raw), sizeof raw))
        return in;
    magic = raw[0] | raw[1] << 8 | raw[2] << 16 | static_cast<std::uint32_t>(raw[3]) << 24;
    revision = raw[4];
    userMade = raw[5];
    defaultGroup = raw[6];
    defaultCheckList = raw[7];
    SkipRestOfLine(in);
    for (std::string* text :
         {&checkListName, &aircraftMakeModel, &aircraftInfo, &manufacturerId, &copyrightInfo}) {
        if (!in)
            break;
        SkipCommentLines(in);
        std::getline(in, *text);
    }
    return in;
}

} // namespace app
