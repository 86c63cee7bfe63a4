// Saves a checklist file through a temporary file beside it.
#include "editor/SafeSave.h"

#include <windows.h>

#include <cstdint>
#include <sstream>

#include "editor/Crc.h"
#include "editor/Database.h"
#include "editor/KivFileHeader.h"

namespace app {

namespace {

SaveFault_t saveFault = nullptr;

// Fails the step with the last error (or the injected one); a call that failed
// without setting one reports the given fallback code.
[[noreturn]] void Fail(int line, SaveStep_t step, unsigned long fallback)
{
    const unsigned long code = GetLastError();
    throw SaveError_t(line, step, code ? code : fallback);
}

// Throws when the test seam makes this step fail.
void Enter(SaveStep_t step)
{
    if (!saveFault)
        return;
    if (const unsigned long code = saveFault(step))
        throw SaveError_t(__LINE__, step, code);
}

// The file's bytes: the header and body with each line feed stored as CR LF,
// then the CRC of those bytes, least significant byte first.
std::string FileBytes(const KivFileHeader_t& header, const Database_t& database)
{
    std::ostringstream text;
    header.Write(text);
    database.Write(text);
    const std::string lines = text.str();
    std::string bytes;
    bytes.reserve(lines.size() + lines.size() / 16 + 4);
    for (char c : lines) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    std::uint32_t crc = Crc_t::Compute(bytes.data(), bytes.size());
    for (int i = 0; i < 4; ++i, crc >>= 8)
        bytes += static_cast<char>(crc & 0xFF);
    return bytes;
}

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash + 1);
}

// The temporary file: removed when the save does not get as far as the move.
class TemporaryFile_t {
public:
    explicit TemporaryFile_t(const std::string& folder)
    {
        Enter(SaveStep_t::CreateTemporary);
        char name[MAX_PATH];
        if (!GetTempFileNameA(folder.c_str(), "kiv", 0, name))
            Fail(__LINE__, SaveStep_t::CreateTemporary, ERROR_CANNOT_MAKE);
        path = name;
    }
    ~TemporaryFile_t()
    {
        if (!path.empty())
            DeleteFileA(path.c_str());
    }
    TemporaryFile_t(const TemporaryFile_t&) = delete;
    TemporaryFile_t& operator=(const TemporaryFile_t&) = delete;

    void Write(const std::string& bytes)
    {
        Enter(SaveStep_t::Write);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            Fail(__LINE__, SaveStep_t::Write, ERROR_WRITE_FAULT);
        DWORD written = 0;
        SetLastError(ERROR_SUCCESS);
        const bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                              written == bytes.size() && FlushFileBuffers(file);
        const unsigned long code = GetLastError();
        CloseHandle(file);
        if (!complete)
            throw SaveError_t(__LINE__, SaveStep_t::Write, code ? code : ERROR_DISK_FULL);
    }

    // Reads the file back and checks its trailer as an open would.
    void Check()
    {
        Enter(SaveStep_t::Check);
        if (!Crc_t(path).Check())
            throw SaveError_t(__LINE__, SaveStep_t::Check, ERROR_CRC);
    }

    // Moves the file over the target in one step; afterwards it is no longer ours to remove.
    void Replace(const std::string& target)
    {
        Enter(SaveStep_t::Replace);
        if (!MoveFileExA(path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail(__LINE__, SaveStep_t::Replace, ERROR_ACCESS_DENIED);
        path.clear();
    }

private:
    std::string path;
};

} // namespace

SaveError_t::SaveError_t(int line, SaveStep_t step, unsigned long code)
    : win::Error_t("SafeSave", line, code), step(step)
{
}

std::string SaveError_t::GetStepText() const
{
    switch (step) {
    case SaveStep_t::CreateTemporary: return "Creating a temporary file in the document's folder";
    case SaveStep_t::Write: return "Writing the file";
    case SaveStep_t::Check: return "Checking the written file";
    case SaveStep_t::Replace: return "Replacing the document with the written file";
    }
    return std::string();
}

void SaveKivFile(const std::string& path, const KivFileHeader_t& header, const Database_t& database)
{
    const std::string bytes = FileBytes(header, database);
    TemporaryFile_t temporary(FolderOf(path));
    temporary.Write(bytes);
    temporary.Check();
    temporary.Replace(path);
}

void SetSaveFault(SaveFault_t fault)
{
    saveFault = fault;
}

} // namespace app
