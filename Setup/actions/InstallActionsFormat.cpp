// CInstallActions: diagnostic formatters (drive types, file-system flags, bit strings)
// and conversions to standard strings.
#include "Setup/actions/InstallActions.h"

#include <algorithm>

CString CInstallActions::DriveTypeName(UINT type)
{
    static const wchar_t* const kNames[] = {
        L"DRIVE_UNKNOWN", L"DRIVE_NO_ROOT_DIR", L"DRIVE_REMOVABLE", L"DRIVE_FIXED",
        L"DRIVE_REMOTE", L"DRIVE_CDROM", L"DRIVE_RAMDISK"};
    if (type < sizeof(kNames) / sizeof(kNames[0]))
        return CString(kNames[type]);
    CString text;
    text.Format(L"DRIVE TYPE %d", static_cast<int>(type));
    return text;
}

CString CInstallActions::FileSystemFlagNames(DWORD flags, const CString& separator)
{
    static const struct { DWORD bit; const wchar_t* name; } kFlags[] = {
        {0x40000, L"FILE_NAMED_STREAMS"},
        {0x80000, L"FILE_READ_ONLY_VOLUME"},
        {0x10000, L"FILE_SUPPORTS_OBJECT_IDS"},
        {0x80, L"FILE_SUPPORTS_REPARSE_POINTS"},
        {0x40, L"FILE_SUPPORTS_SPARSE_FILES"},
        {0x20, L"FILE_VOLUME_QUOTAS"},
        {0x2, L"FS_CASE_IS_PRESERVED"},
        {0x1, L"FS_CASE_SENSITIVE"},
        {0x10, L"FS_FILE_COMPRESSION"},
        {0x20000, L"FS_FILE_ENCRYPTION"},
        {0x8, L"FS_PERSISTENT_ACLS"},
        {0x4, L"FS_UNICODE_STORED_ON_DISK"},
        {0x8000, L"FS_VOL_IS_COMPRESSED"},
    };
    if (flags == 0)
        return CString(L"[none]");
    CString text;
    for (const auto& flag : kFlags)
        if (flags & flag.bit)
            text += flag.name + separator;
    text.Truncate(std::max(0, text.GetLength() - separator.GetLength()));
    return text;
}

CString CInstallActions::FormatBitString(DWORD value, int group)
{
    CString text;
    for (int bit = 0; bit < 32; ++bit) {
        text += (value >> bit) & 1 ? L'1' : L'0';
        if (group > 0 && (bit + 1) % group == 0)
            text += L' ';
    }
    return text;
}

void CInstallActions::ToStringList(std::vector<CString>& source, std::vector<std::string>& target)
{
    for (const CString& text : source)
        target.push_back(text.ToAnsi());
    source.clear();
}

void CInstallActions::ToStringList(std::vector<CString>& source, std::vector<std::wstring>& target)
{
    for (const CString& text : source)
        target.push_back(text.ToWide());
    source.clear();
}

std::wstring CInstallActions::ToWString(const CString& text)
{
    return text.ToWide();
}
