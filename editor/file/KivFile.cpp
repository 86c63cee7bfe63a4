// A checklist file as a whole.
#include "editor/file/KivFile.h"

#include "editor/file/Crc.h"
#include "editor/model/Database.h"
#include "editor/file/KivFileHeader.h"

namespace app {

KivInputFile_t::KivInputFile_t(const std::string& path) : std::istream(nullptr)
{
    init(&file);
    if (!file.open(path, std::ios::in))
        setstate(std::ios::failbit);
}

KivOutputFile_t::KivOutputFile_t(const std::string& path) : std::ostream(nullptr)
{
    init(&file);
    if (!file.open(path, std::ios::out | std::ios::trunc))
        setstate(std::ios::failbit);
}

void KivOutputFile_t::close()
{
    if (!file.close())
        setstate(std::ios::failbit);
}

bool WriteKivFile(const std::string& path, const KivFileHeader_t& header, const Database_t& database)
{
    KivOutputFile_t out(path);
    if (!out)
        return false;
    header.Write(out);
    database.Write(out);
    out.close();
    return out && Crc_t(path).Append();
}

} // namespace app
