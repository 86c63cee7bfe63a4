// CInstallActions: access grants on registry key trees, the subkey walk, the current
// user's account and keys created with their own access list.
#include "Setup/actions/InstallActions.h"

#include "Setup/security/Acl.h"
#include "Setup/security/ExplicitAccess.h"
#include "Setup/actions/RegKeyHandle.h"
#include "Setup/security/SecurityDescriptor.h"
#include "Setup/security/Sid.h"

namespace {

bool IsPredefinedRoot(HKEY root)
{
    return root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER || root == HKEY_LOCAL_MACHINE ||
           root == HKEY_USERS || root == HKEY_CURRENT_CONFIG;
}

void ListSubkeysOf(HKEY root, const CString& path, bool recurse, std::vector<std::string>& list)
{
    CRegKeyHandle key;
    if (key.Open(root, path, KEY_READ) != ERROR_SUCCESS)
        return;
    wchar_t name[512];
    for (DWORD index = 0; RegEnumKeyW(key.get(), index, name, 512) == ERROR_SUCCESS; ++index) {
        CString subkey = path + L"\\" + name;
        list.push_back(subkey.ToAnsi());
        if (recurse)
            ListSubkeysOf(root, subkey, true, list);
    }
}

// Makes a list of exactly the two entries and sets it as the descriptor's DACL.
bool SetNewDacl(CSecurityDescriptor& descriptor, CAcl& acl, CExplicitAccess (&entries)[2])
{
    return acl.SetEntries(2, entries) == ERROR_SUCCESS && descriptor.SetDacl(TRUE, acl.Get(), FALSE);
}

// Holds a token handle or a heap block and releases it when it ends.
struct TokenHandle
{
    HANDLE handle = nullptr;
    ~TokenHandle() { if (handle) CloseHandle(handle); }
};

struct HeapBlock
{
    void* block = nullptr;
    ~HeapBlock() { if (block) HeapFree(GetProcessHeap(), 0, block); }
};

}  // namespace

bool CInstallActions::GrantKeyAccess(HKEY root, const CString& path, bool recurse, const wchar_t* account)
{
    CSid administrators(CSid::kAdministrators);
    CSid everyone(CSid::kEveryone);
    CExplicitAccess entries[2] = {
        CExplicitAccess(KEY_ALL_ACCESS, administrators.Get(), TRUSTEE_IS_GROUP),
        account ? CExplicitAccess(KEY_ALL_ACCESS, account, TRUSTEE_IS_USER)
                : CExplicitAccess(KEY_ALL_ACCESS, everyone.Get(), TRUSTEE_IS_GROUP)};
    // The new list replaces the key's old one: nothing of it is kept.
    CAcl acl;
    CSecurityDescriptor descriptor;
    if (!SetNewDacl(descriptor, acl, entries))
        return false;

    CRegKeyHandle key;
    if (key.Open(root, path, KEY_ALL_ACCESS) == ERROR_SUCCESS)
        RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor.Get());
    key.Close();

    std::vector<std::string> subkeys;
    if (recurse && ListSubkeys(root, path, true, subkeys)) {
        for (const std::string& subkey : subkeys) {
            OutputDebugStringA((subkey + "\n").c_str());
            if (key.OpenA(root, subkey.c_str(), KEY_ALL_ACCESS) == ERROR_SUCCESS)
                RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor.Get());
            key.Close();
        }
    }
    return true;
}

bool CInstallActions::ListSubkeys(HKEY root, const CString& path, bool recurse, std::vector<std::string>& list)
{
    if (!IsPredefinedRoot(root))
        return false;
    ListSubkeysOf(root, path, recurse, list);
    return true;
}

bool CInstallActions::GetCurrentUserName(wchar_t* name, DWORD& nameLength, wchar_t* domain,
                                         DWORD& domainLength)
{
    TokenHandle token;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token.handle)) {
        if (GetLastError() != ERROR_NO_TOKEN || !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token.handle))
            return false;
    }
    DWORD size = 0;
    if (GetTokenInformation(token.handle, TokenUser, nullptr, 0, &size) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    HeapBlock user;
    user.block = HeapAlloc(GetProcessHeap(), 0, size);
    if (!user.block || !GetTokenInformation(token.handle, TokenUser, user.block, size, &size))
        return false;
    SID_NAME_USE use;
    return LookupAccountSidW(nullptr, static_cast<TOKEN_USER*>(user.block)->User.Sid, name, &nameLength,
                             domain, &domainLength, &use) != FALSE;
}

bool CInstallActions::CreateSecuredKey(HKEY root, const CString& path)
{
    CSid everyone(CSid::kEveryone);
    CSid administrators(CSid::kAdministrators);
    CExplicitAccess entries[2] = {
        CExplicitAccess(KEY_READ, everyone.Get(), TRUSTEE_IS_WELL_KNOWN_GROUP),
        CExplicitAccess(KEY_ALL_ACCESS, administrators.Get(), TRUSTEE_IS_GROUP)};
    CAcl acl;
    CSecurityDescriptor descriptor;
    if (!SetNewDacl(descriptor, acl, entries))
        return false;
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), descriptor.Get(), FALSE};
    CRegKeyHandle key;
    DWORD disposition = 0;
    if (RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, &attributes,
                        key.receive(), &disposition) != ERROR_SUCCESS)
        return false;
    RegFlushKey(key.get());
    return true;
}
