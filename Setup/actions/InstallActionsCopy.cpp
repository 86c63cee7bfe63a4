// CInstallActions: copying one file with progress and cancel, and copying folders
// through the shell.
#include "Setup/actions/InstallActions.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace {

// Holds a file handle and closes it when it ends.
class Handle
{
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    void Close()
    {
        if (Valid())
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    void Reset(HANDLE handle) { Close(); m_handle = handle; }

private:
    HANDLE m_handle;
};

// SHCreateDirectoryExW's answers that mean the folder cannot be there.
bool CreateFolderChain(const CString& folder)
{
    int result = SHCreateDirectoryExW(nullptr, folder, nullptr);
    return result != ERROR_PATH_NOT_FOUND && result != ERROR_BAD_PATHNAME &&
           result != ERROR_FILENAME_EXCED_RANGE;
}

HANDLE CreateTarget(const CString& target, bool overwrite)
{
    return CreateFileW(target, GENERIC_WRITE, 0, nullptr, overwrite ? CREATE_ALWAYS : CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool IsCancelled(const volatile LONG* cancel)
{
    return cancel && *cancel == 1;
}

}  // namespace

bool CInstallActions::CopyFileWithProgress(const CString& source, const CString& target,
                                           const volatile LONG* cancel, bool overwrite,
                                           const CopyProgress& progress)
{
    if (IsCancelled(cancel))
        return false;
    Handle in(CreateFileW(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.Valid())
        return false;
    // Without overwrite an existing target is kept and the copy fails.
    if (overwrite && PathFileExistsW(target))
        DeleteFileW(target);
    Handle out(CreateTarget(target, overwrite));
    if (!out.Valid()) {
        CString folder = target.Left(target.ReverseFind(L'\\'));
        if (!PathFileExistsW(folder) && !CreateFolderChain(folder))
            return false;
        out.Reset(CreateTarget(target, overwrite));
        if (!out.Valid())
            return false;
    }
    std::vector<BYTE> chunk(0x20000);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(in.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr))
            return false;
        if (read == 0)
            return true;
        if (IsCancelled(cancel)) {
            in.Close();
            out.Close();
            DeleteFileW(target);
            return false;
        }
        if (progress)
            progress(read);
        PumpPendingMessages();
        DWORD written = 0;
        if (!WriteFile(out.get(), chunk.data(), read, &written, nullptr) || written != read)
            return false;
    }
}

bool CInstallActions::CopyFolder(const CString& source, const CString& target)
{
    return CopyFolder(source, target, std::vector<CString>{CString(L"*.*")});
}

bool CInstallActions::CopyFolder(const CString& source, const CString& target, const CString& pattern)
{
    return CopyFolder(source, target, std::vector<CString>{pattern.IsEmpty() ? CString(L"*.*") : pattern});
}

bool CInstallActions::CopyFolder(const CString& source, const CString& target,
                                 const std::vector<CString>& patterns)
{
    if (patterns.empty() || !PathFileExistsW(source))
        return false;
    if (!PathFileExistsW(target) && !CreateFolderChain(target))
        return false;
    // The shell takes a list of zero-terminated names ended by one more zero.
    CString sources;
    for (const CString& pattern : patterns) {
        const wchar_t* form = source.Right(1) == L"\\" ? L"%s%s/" : L"%s\\%s/";
        sources.AppendFormat(form, source.GetString(), pattern.GetString());
    }
    std::vector<wchar_t> from(sources.GetString(), sources.GetString() + sources.GetLength() + 1);
    for (wchar_t& ch : from)
        if (ch == L'/')
            ch = 0;
    CString to(target);
    if (to.Right(1) == L"\\")
        to.Truncate(to.GetLength() - 1);
    std::vector<wchar_t> toList(to.GetString(), to.GetString() + to.GetLength() + 1);
    toList.push_back(0);

    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_COPY;
    operation.pFrom = from.data();
    operation.pTo = toList.data();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
    return SHFileOperationW(&operation) == 0;
}
