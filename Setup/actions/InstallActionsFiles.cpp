// CInstallActions: file sizes, folder creation, deletion, counting and listing,
// free-space drive search and numbered backup copies.
#include "Setup/actions/InstallActions.h"

#include "Setup/actions/DriveEnumerator.h"
#include "Setup/actions/FindFile.h"

#include <algorithm>

namespace {

CString Child(const CString& folder, const wchar_t* name)
{
    CString path(folder);
    if (path.Right(1) != L"\\")
        path += L'\\';
    return path + name;
}

}  // namespace

bool CInstallActions::GetFileSizeIfExists(const CString& path, DWORD& size)
{
    CFindFile find(path);
    size = find.Found() ? find.Data().nFileSizeLow : 0;
    return find.Found();
}

bool CInstallActions::IsDotOrDotDot(const wchar_t* name)
{
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

bool CInstallActions::CreateDirectoryRecursive(const CString& path, int depth)
{
    // The depth bounds both the attempts and the number of parent levels created.
    for (;;) {
        if (CreateDirectoryW(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
            return true;
        if (depth < 1)
            return false;
        --depth;
        CreateDirectoryRecursive(path.Left(path.ReverseFind(L'\\')), depth);
    }
}

bool CInstallActions::DeleteFolderRecursive(const CString& path)
{
    {
        CFindFile find(Child(path, L"*"));
        if (!find.Found())
            return false;
        do {
            if (IsDotOrDotDot(find.Name()))
                continue;
            CString entry = Child(path, find.Name());
            if (find.IsLink()) {
                // The link goes, never what it points to.
                if (find.IsFolder())
                    RemoveDirectoryW(entry);
                else
                    DeleteFileW(entry);
            } else if (find.IsFolder()) {
                DeleteFolderRecursive(entry);
                RemoveDirectoryW(entry);
            } else {
                if (find.Data().dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                    SetFileAttributesW(entry, find.Data().dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
                DeleteFileW(entry);
            }
        } while (find.Next());
        if (GetLastError() != ERROR_NO_MORE_FILES)
            return false;
    }
    return RemoveDirectoryW(path) != FALSE;
}

bool CInstallActions::DeleteFolderIfOnlyListed(const CString& path, const std::vector<CString>& names)
{
    {
        CFindFile find(Child(path, L"*"));
        if (find.Found()) {
            do {
                if (!find.IsFolder() || IsDotOrDotDot(find.Name()))
                    continue;
                bool listed = false;
                for (const CString& name : names)
                    listed = listed || name.Compare(find.Name()) == 0;
                if (!listed)
                    return false;
            } while (find.Next());
            if (GetLastError() != ERROR_NO_MORE_FILES)
                return false;
        }
    }
    return DeleteFolderRecursive(path);
}

bool CInstallActions::GetFilesSizeMB(const std::vector<CString>& paths, float& megabytes)
{
    ULONGLONG total = 0;
    for (const CString& path : paths) {
        DWORD size = 0;
        if (GetFileSizeIfExists(path, size))
            total += size;
    }
    megabytes = static_cast<float>(total) / 1048576.0f;
    return true;
}

int CInstallActions::CountFolderFiles(const CString& folder, bool recurse, ULONGLONG& bytes,
                                      std::vector<CString>* files)
{
    bytes = 0;
    if (files)
        files->clear();
    int count = 0;
    CFindFile find(Child(folder, L"*.*"));
    if (!find.Found())
        return 0;
    do {
        CString path = Child(folder, find.Name());
        if (!find.IsFolder()) {
            ++count;
            bytes += find.Data().nFileSizeLow;
            if (files)
                files->push_back(path);
        } else if (recurse && find.Name()[0] != L'.') {
            ULONGLONG subBytes = 0;
            std::vector<CString> subFiles;
            count += CountFolderFiles(path, true, subBytes, files ? &subFiles : nullptr);
            bytes += subBytes;
            if (files)
                files->insert(files->end(), subFiles.begin(), subFiles.end());
        }
    } while (find.Next());
    return count;
}

int CInstallActions::ListSubfolders(const CString& folder, std::vector<CString>& folders)
{
    folders.clear();
    CFindFile find(Child(folder, L"*.*"));
    if (!find.Found())
        return 0;
    do {
        if (!find.IsFolder() || find.Name()[0] == L'.')
            continue;
        CString path = Child(folder, find.Name());
        folders.push_back(path);
        std::vector<CString> below;
        ListSubfolders(path, below);
        folders.insert(folders.end(), below.begin(), below.end());
    } while (find.Next());
    return static_cast<int>(folders.size());
}

bool CInstallActions::CompareByLength(const CString& a, const CString& b)
{
    return a.GetLength() < b.GetLength();
}

bool CInstallActions::FindFixedDriveWithSpace(float requiredMB, CString& root)
{
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::vector<CString> roots;
    CDriveEnumerator drives;
    drives.GetDriveRoots(roots);
    bool found = false;
    for (const CString& candidate : roots) {
        if (drives.GetDriveType(candidate) == DRIVE_FIXED &&
            GetFreeDiskSpaceMB(candidate) >= static_cast<int>(requiredMB) + 1) {
            root = candidate;
            found = true;
            break;
        }
    }
    SetErrorMode(previousMode);
    return found;
}

bool CInstallActions::RotateBackupFiles(const CString& path, int count)
{
    if (path.IsEmpty())
        return true;
    count = std::max(1, std::min(count, 9));
    const CString stem = path.Left(path.GetLength() - 1);
    for (int n = count; n >= 1; --n) {
        CString source = path;
        if (n > 1)
            source.Format(L"%s%d", stem.GetString(), n - 1);
        CString target;
        target.Format(L"%s%d", stem.GetString(), n);
        CopyFileW(source, target, FALSE);
    }
    return true;
}
