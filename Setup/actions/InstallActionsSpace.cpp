// CInstallActions: free space on a drive, and the space left after a copy.
#include "Setup/actions/InstallActions.h"

namespace {

bool g_replaceFreeSpaceQueries = false;
CInstallActions::FreeSpaceExQuery g_freeSpaceEx = nullptr;
CInstallActions::FreeSpaceQuery g_freeSpace = nullptr;

CString WithoutTrailingBackslash(const CString& path)
{
    return path.Right(1) == L"\\" ? path.Left(path.GetLength() - 1) : path;
}

}  // namespace

void CInstallActions::SetFreeSpaceQueriesForTest(bool replace, FreeSpaceExQuery ex, FreeSpaceQuery plain)
{
    g_replaceFreeSpaceQueries = replace;
    g_freeSpaceEx = ex;
    g_freeSpace = plain;
}

int CInstallActions::FreeBytesToMB(ULONGLONG bytes)
{
    return static_cast<int>(static_cast<LONGLONG>(bytes) / 0x100000);
}

int CInstallActions::GetFreeDiskSpaceMB(const CString& root)
{
    return GetDriveFreeSpace(root.ToAnsi().c_str());
}

int CInstallActions::GetDriveFreeSpace(const char* root)
{
    FreeSpaceExQuery ex = g_freeSpaceEx;
    FreeSpaceQuery plain = g_freeSpace;
    if (!g_replaceFreeSpaceQueries) {
        HMODULE kernel32 = GetModuleHandleW(L"kernel32");
        ex = reinterpret_cast<FreeSpaceExQuery>(
            reinterpret_cast<void*>(GetProcAddress(kernel32, "GetDiskFreeSpaceExA")));
        plain = GetDiskFreeSpaceA;
    }
    if (ex) {
        // The whole volume's free bytes, not the caller's quota.
        ULARGE_INTEGER callerFree = {}, total = {}, totalFree = {};
        if (!ex(root, &callerFree, &total, &totalFree))
            return 0;
        return FreeBytesToMB(totalFree.QuadPart);
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!plain || !plain(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return 0;
    return FreeBytesToMB(static_cast<ULONGLONG>(freeClusters) * sectorsPerCluster * bytesPerSector);
}

float CInstallActions::GetSpaceAfterCopyMB(const CString& source, const CString& target, int& status,
                                           const CString& fileName)
{
    status = 0;
    const CString from = WithoutTrailingBackslash(source);
    const CString to = WithoutTrailingBackslash(target);
    std::vector<CString> files;
    ULONGLONG bytes = 0;
    if (fileName.IsEmpty()) {
        CountFolderFiles(from, true, bytes, &files);
    } else {
        CString path;
        path.Format(L"%s\\%s", from.GetString(), fileName.GetString());
        DWORD size = 0;
        if (!GetFileSizeIfExists(path, size)) {
            status = -30;
            return -1.0f;
        }
        files.push_back(path);
        bytes = size;
    }
    // The copies that already stand at the target will be replaced.
    for (CString& file : files)
        file = to + file.Mid(from.GetLength());
    float alreadyThereMB = 0;
    GetFilesSizeMB(files, alreadyThereMB);
    CString targetRoot;
    targetRoot.Format(L"%s\\", to.Left(2).GetString());
    return static_cast<float>(GetFreeDiskSpaceMB(targetRoot)) + alreadyThereMB -
           static_cast<float>(bytes) / 1048576.0f;
}
