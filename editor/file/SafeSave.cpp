// Saves a checklist file through a temporary file beside it.
#include "editor/file/SafeSave.h"

#include <windows.h>

#include "framework/CodePage.h"

#include "editor/file/Crc.h"
#include "editor/file/DiskFile.h"
#include "editor/file/KivFile.h"

#include <vector>

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

// The folder part of path, split by characters of the code page: a name ending in a
// double-byte character whose second byte is that of "\\" stays whole.
std::string FolderOf(const std::string& path)
{
    const int slash = AfxFindLastOf(path.c_str(), "\\/");
    if (slash < 0)
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
        if (path.empty())
            return;
        // Its own access list back first: the replaced file's may not let us delete it.
        if (!ownAccess.empty())
            SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, ownAccess.data());
        DeleteFileA(path.c_str());
    }
    TemporaryFile_t(const TemporaryFile_t&) = delete;
    TemporaryFile_t& operator=(const TemporaryFile_t&) = delete;

    // Writes the whole file and flushes it to the disk.
    void Write(const KivFileHeader_t& header, const Database_t& database)
    {
        SetLastError(ERROR_SUCCESS);
        if (!WriteKivFile(path, header, database))
            Fail(__LINE__, SaveStep_t::Write, ERROR_DISK_FULL);
        DiskFile_t file;
        if (!file.Open(path, DiskFile_t::ToUpdate) || !file.Flush())
            Fail(__LINE__, SaveStep_t::Write, ERROR_WRITE_FAULT);
    }

    // Reads the file back and checks its trailer as an open would.
    void Check()
    {
        if (!Crc_t(path).Check())
            throw SaveError_t(__LINE__, SaveStep_t::Check, ERROR_CRC);
    }

    // Moves the file over the target in one step; afterwards it is no longer ours to remove.
    void Replace(const std::string& target)
    {
        Enter(SaveStep_t::Replace);
        TakeOver(target);
        if (!MoveFileExA(path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail(__LINE__, SaveStep_t::Replace, ERROR_ACCESS_DENIED);
        path.clear();
    }

private:
    // Gives the file what the file system holds about the file it replaces, as the system's
    // own replace keeps it: the creation time, the attributes (marked for backup, the
    // contents being new) and, last, the access list, which need not let us write the
    // others. A new target has none; a file system without access lists or creation
    // times has none to give, and that is no failure.
    void TakeOver(const std::string& target)
    {
        WIN32_FILE_ATTRIBUTE_DATA old;
        if (!GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &old))
            return;
        const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            SetFileTime(file, &old.ftCreationTime, nullptr, nullptr);
            CloseHandle(file);
        }
        // Read-only is not given: such a file is saved under another name, and ours must stay removable.
        const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (!SetFileAttributesA(path.c_str(), (old.dwFileAttributes & kept) | FILE_ATTRIBUTE_ARCHIVE))
            Fail(__LINE__, SaveStep_t::Replace, ERROR_ACCESS_DENIED);
        std::vector<char> access = AccessList(target);
        if (access.empty())
            return;
        ownAccess = AccessList(path);
        SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, access.data());
    }

    // A file's access list as a security descriptor; empty when it cannot be read.
    static std::vector<char> AccessList(const std::string& file)
    {
        DWORD size = 0;
        GetFileSecurityA(file.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
        std::vector<char> security(size);
        if (!size || !GetFileSecurityA(file.c_str(), DACL_SECURITY_INFORMATION, security.data(), size, &size))
            security.clear();
        return security;
    }

    std::string path;
    std::vector<char> ownAccess;   // the file's own access list, while it has the replaced file's
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
    TemporaryFile_t temporary(FolderOf(path));
    temporary.Write(header, database);
    temporary.Check();
    temporary.Replace(path);
}

void SetSaveFault(SaveFault_t fault)
{
    saveFault = fault;
}

} // namespace app
