// CFolderSecurity (see FolderSecurity.h).
#include "Setup/security/FolderSecurity.h"

#include <sddl.h>

namespace {

CFolderSecurity::Query g_queryForTest = nullptr;

const SECURITY_INFORMATION kOwnerAndDacl = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

// Rights that let an account put files into the folder, remove or replace them, or take
// the folder over.
const DWORD kChangeRights = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                            WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

const wchar_t* const kTrustedAccounts[] = {
    L"S-1-5-32-544",   // Administrators
    L"S-1-5-18",       // SYSTEM
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",   // TrustedInstaller
    L"S-1-3-0",        // Creator Owner: stands for whoever made a file, which needs a right of its own
};

CString SidText(PSID sid)
{
    wchar_t* text = nullptr;
    if (!sid || !ConvertSidToStringSidW(sid, &text))
        return CString();
    CString result(text);
    LocalFree(text);
    return result;
}

CString RunningAccount()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return CString();
    BYTE buffer[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
    DWORD size = 0;
    BOOL read = GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size);
    CloseHandle(token);
    return read ? SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid) : CString();
}

bool FromSddl(const CString& sddl, std::vector<BYTE>& descriptor)
{
    PSECURITY_DESCRIPTOR converted = nullptr;
    ULONG size = 0;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &converted, &size))
        return false;
    const BYTE* bytes = static_cast<const BYTE*>(converted);
    descriptor.assign(bytes, bytes + size);
    LocalFree(converted);
    return true;
}

}  // namespace

void CFolderSecurity::SetQueryForTest(Query query)
{
    g_queryForTest = query;
}

bool CFolderSecurity::Read(const CString& folder)
{
    m_descriptor.clear();
    m_runningAccount = RunningAccount();
    if (g_queryForTest)
        return FromSddl(g_queryForTest(folder), m_descriptor);
    DWORD size = 0;
    GetFileSecurityW(folder, kOwnerAndDacl, nullptr, 0, &size);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return false;
    m_descriptor.resize(size);
    if (!GetFileSecurityW(folder, kOwnerAndDacl, m_descriptor.data(), size, &size)) {
        m_descriptor.clear();
        return false;
    }
    return true;
}

bool CFolderSecurity::IsTrusted(PSID sid) const
{
    CString text = SidText(sid);
    if (text.IsEmpty())
        return false;
    if (text == m_runningAccount)
        return true;
    for (const wchar_t* account : kTrustedAccounts) {
        if (text == account)
            return true;
    }
    return false;
}

bool CFolderSecurity::OwnedByTrustedAccount() const
{
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    return !m_descriptor.empty() &&
           GetSecurityDescriptorOwner(const_cast<BYTE*>(m_descriptor.data()), &owner, &defaulted) &&
           IsTrusted(owner);
}

bool CFolderSecurity::OthersMayChangeFiles() const
{
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    if (m_descriptor.empty() ||
        !GetSecurityDescriptorDacl(const_cast<BYTE*>(m_descriptor.data()), &present, &dacl, &defaulted))
        return true;
    if (!present || !dacl)
        return true;   // no access list: everyone may do everything
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void**>(&header)))
            return true;
        if (header->AceType == ACCESS_DENIED_ACE_TYPE || header->AceType == ACCESS_DENIED_CALLBACK_ACE_TYPE)
            continue;   // it only takes rights away
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_ALLOWED_CALLBACK_ACE_TYPE)
            return true;   // an entry of a form not looked into counts as one that lets others in
        auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
        if ((ace->Mask & kChangeRights) && !IsTrusted(&ace->SidStart))
            return true;
    }
    return false;
}
