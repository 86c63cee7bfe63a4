// CInstallActions: the program's folder, the source drive, system folders and
// environment paths, and a file's version.
#include "Setup/actions/InstallActions.h"
#include "Setup/actions/SystemLibrary.h"

#include <cwctype>

CString CInstallActions::GetModuleDirectory()
{
    CString path;
    DWORD length = GetModuleFileNameW(nullptr, path.GetBuffer(MAX_PATH), MAX_PATH);
    path.ReleaseBuffer(length < MAX_PATH ? static_cast<int>(length) : MAX_PATH);
    path = path.Left(path.ReverseFind(L'\\') + 1);
    return path.TrimLeft(L'"');
}

CString CInstallActions::GetSourceDrive()
{
    return GetSourceDrive(CString(GetCommandLineW()));
}

CString CInstallActions::GetSourceDrive(const CString& commandLine)
{
    // A distribution disc is named by a drive root at the end of the command line.
    CString line(commandLine);
    line.TrimRight();
    int length = line.GetLength();
    int colon = line.ReverseFind(L':');
    if (colon < 1 || !iswalpha(line[colon - 1]))
        return CString();
    if (colon == length - 2 && line[length - 1] == L'\\')
        return line.Right(3);
    if (colon == length - 1)  // "D:" without its backslash still names the root
        return line.Right(2) + L'\\';
    return CString();
}

CString CInstallActions::GetSystemDirectoryPath()
{
    wchar_t buffer[MAX_PATH] = L"";
    UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length <= 3 || length >= MAX_PATH)
        return CString(L"c:\\windows\\system32");
    return CString(buffer);
}

CString CInstallActions::GetSystemDrive()
{
    wchar_t buffer[MAX_PATH] = L"";
    UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length <= 2 || length >= MAX_PATH)
        return CString(L"C:");
    return CString(buffer, 2).MakeUpper();
}

CString CInstallActions::ExpandEnvironmentPath(const CString& name)
{
    const DWORD kRoom = 0x7FFF;
    CString input(name);
    if (input.Find(L'%') < 0)
        input = L"%" + input + L"%";
    CString expanded;
    DWORD length = ExpandEnvironmentStringsW(input, expanded.GetBuffer(kRoom), kRoom);
    expanded.ReleaseBuffer();
    if (length == 0 || length >= kRoom)
        return CString();
    expanded.Trim();
    // An undefined variable stays as it was written.
    if (expanded.CompareNoCase(input) == 0)
        return CString();
    return expanded;
}

CString CInstallActions::GetWindowsDirectoryPath()
{
    return ExpandEnvironmentPath(L"windir");
}

DWORD CInstallActions::GetFileVersionMS(const CString& path)
{
    CSystemLibrary version(L"version.dll");
    auto getSize = version.Entry<decltype(&GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
    auto getInfo = version.Entry<decltype(&GetFileVersionInfoW)>("GetFileVersionInfoW");
    auto query = version.Entry<decltype(&VerQueryValueW)>("VerQueryValueW");
    if (!getSize || !getInfo || !query)
        return 0;
    DWORD handle = 0;
    DWORD size = getSize(path, &handle);
    if (size == 0)
        return 0;
    std::vector<BYTE> block(size);
    if (!getInfo(path, 0, size, block.data()))
        return 0;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoLength = 0;
    if (!query(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoLength) || !info ||
        infoLength < sizeof(VS_FIXEDFILEINFO))
        return 0;
    return info->dwFileVersionMS;
}
