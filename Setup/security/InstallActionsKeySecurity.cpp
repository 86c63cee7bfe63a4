// CInstallActions: access grants on registry key trees, the subkey walk, the current
// user's account and keys created with their own access list.
#include "Setup/actions/InstallActions.h"

#include "Setup/security/Acl.h"
#include "Setup/security/ExplicitAccess.h"
#include "Setup/actions/RegKeyHandle.h"
#include "Setup/security/SecurityDescriptor.h"
#include "Setup/security/Sid.h"

#include <functional>

namespace {

bool IsPredefinedRoot(HKEY root)
{
    return root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER || root == HKEY_LOCAL_MACHINE ||
           root == HKEY_USERS || root == HKEY_CURRENT_CONFIG;
}

// Whether a key opened as itself (REG_OPTION_OPEN_LINK) is a registry link: its value
// "SymbolicLinkValue" names the key it points to.
bool IsRegistryLink(HKEY key)
{
    DWORD type = REG_NONE;
    return RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}

// Opens root\path as the key itself, never through a registry link: a user may plant
// links in a tree opened to users, pointing anywhere. False for a link.
bool OpenKeyItself(HKEY root, const wchar_t* path, REGSAM access, CRegKeyHandle& key)
{
    return key.Open(root, path, access | KEY_QUERY_VALUE, REG_OPTION_OPEN_LINK) == ERROR_SUCCESS &&
           !IsRegistryLink(key.get());
}

using SubkeyVisitor = std::function<void(HKEY parent, const wchar_t* name, const CString& path)>;

// Visits the subkeys of the opened key `parent` (named `path`) in pre-order, each opened
// by name under its opened parent, so that no link met on the way is followed.
void WalkSubkeys(HKEY parent, const CString& path, bool recurse, const SubkeyVisitor& visit)
{
    wchar_t name[512];
    for (DWORD index = 0; RegEnumKeyW(parent, index, name, 512) == ERROR_SUCCESS; ++index) {
        CRegKeyHandle key;
        bool opened = key.Open(parent, name, KEY_READ, REG_OPTION_OPEN_LINK) == ERROR_SUCCESS;
        if (opened && IsRegistryLink(key.get()))
            continue;  // neither listed nor followed
        CString subkey = path + L"\\" + name;
        visit(parent, name, subkey);
        if (recurse && opened)
            WalkSubkeys(key.get(), subkey, true, visit);
    }
}

// Walks the subkeys of root\path; a path that is a link or does not open has none.
void WalkTree(HKEY root, const CString& path, bool recurse, const SubkeyVisitor& visit)
{
    CRegKeyHandle key;
    if (OpenKeyItself(root, path, KEY_READ, key))
        WalkSubkeys(key.get(), path, recurse, visit);
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

bool CInstallActions::GrantKeyAccess(HKEY root, const CString& path, bool recurse, const wchar_t* account,
                                     DWORD access)
{
    CSid administrators(CSid::kAdministrators);
    CSid everyone(CSid::kEveryone);
    CExplicitAccess entries[2] = {
        CExplicitAccess(KEY_ALL_ACCESS, administrators.Get(), TRUSTEE_IS_GROUP),
        account ? CExplicitAccess(access, account, TRUSTEE_IS_USER)
                : CExplicitAccess(access, everyone.Get(), TRUSTEE_IS_GROUP)};
    // The new list replaces the key's old one: nothing of it is kept.
    CAcl acl;
    CSecurityDescriptor descriptor;
    if (!SetNewDacl(descriptor, acl, entries))
        return false;

    auto secure = [&descriptor](HKEY parent, const wchar_t* name) {
        CRegKeyHandle key;
        if (OpenKeyItself(parent, name, KEY_ALL_ACCESS, key))
            RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor.Get());
    };
    secure(root, path);
    if (recurse && IsPredefinedRoot(root)) {
        WalkTree(root, path, true, [&secure](HKEY parent, const wchar_t* name, const CString& subkey) {
            OutputDebugStringA((subkey.ToAnsi() + "\n").c_str());
            secure(parent, name);
        });
    }
    return true;
}

bool CInstallActions::ListSubkeys(HKEY root, const CString& path, bool recurse, std::vector<std::string>& list)
{
    if (!IsPredefinedRoot(root))
        return false;
    WalkTree(root, path, recurse,
             [&list](HKEY, const wchar_t*, const CString& subkey) { list.push_back(subkey.ToAnsi()); });
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
