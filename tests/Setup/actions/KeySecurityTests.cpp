// Tests of the subkey walk, the access grants on key trees, secured key creation, the
// current user's account and the security wrappers, on test key trees of their own.
#include "tests/Setup/actions/SetupTestSupport.h"

#include "Setup/security/Acl.h"
#include "Setup/security/ExplicitAccess.h"
#include "Setup/security/SecurityDescriptor.h"
#include "Setup/security/Sid.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <sddl.h>
#include <winternl.h>

extern "C" NTSTATUS NTAPI NtQueryKey(HANDLE key, int infoClass, void* info, ULONG length, ULONG* resultLength);
extern "C" NTSTATUS NTAPI NtDeleteKey(HANDLE key);

using setup_test::TestKey;

namespace {

const wchar_t kAdministrators[] = L"S-1-5-32-544";
const wchar_t kEveryone[] = L"S-1-1-0";
const BYTE kInherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

CString OwnRoot(const wchar_t* name)
{
    CString path;
    path.Format(L"Software\\QuorelSetupTests_%lu_%s", GetCurrentProcessId(), name);
    return path;
}

std::wstring SidText(PSID sid)
{
    wchar_t* text = nullptr;
    if (!sid || !ConvertSidToStringSidW(sid, &text))
        return L"";
    std::wstring result(text);
    LocalFree(text);
    return result;
}

struct Entry
{
    BYTE type;
    BYTE flags;
    DWORD mask;
    std::wstring sid;
    bool operator==(const Entry& other) const
    {
        return type == other.type && flags == other.flags && mask == other.mask && sid == other.sid;
    }
};

void PrintTo(const Entry& entry, std::ostream* out)
{
    *out << "{type " << int(entry.type) << ", flags " << int(entry.flags) << ", mask " << std::hex << entry.mask
         << ", " << CString(entry.sid.c_str()).ToAnsi() << "}";
}

std::vector<Entry> EntriesOfList(PACL acl)
{
    std::vector<Entry> entries;
    for (DWORD i = 0; acl && i < acl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        if (!GetAce(acl, i, reinterpret_cast<void**>(&ace)))
            break;
        entries.push_back({ace->Header.AceType, ace->Header.AceFlags, ace->Mask, SidText(&ace->SidStart)});
    }
    return entries;
}

std::vector<Entry> KeyEntries(HKEY root, const CString& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, READ_CONTROL, &key) != ERROR_SUCCESS)
        return {};
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    std::vector<BYTE> buffer(size ? size : 1);
    std::vector<Entry> entries;
    if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, buffer.data(), &size) == ERROR_SUCCESS) {
        BOOL present = FALSE, defaulted = FALSE;
        PACL acl = nullptr;
        GetSecurityDescriptorDacl(buffer.data(), &present, &acl, &defaulted);
        entries = EntriesOfList(acl);
    }
    RegCloseKey(key);
    return entries;
}

Entry FullAccess(const std::wstring& sid)
{
    return {ACCESS_ALLOWED_ACE_TYPE, kInherited, KEY_ALL_ACCESS, sid};
}

// What the machine tree's grant gives everyone: query, enumerate, notify, read control
// and set value (0x2001B).
const DWORD kReadAndSetValues = KEY_READ | KEY_SET_VALUE;

// While it lives, this thread acts as a user outside Administrators: under a copy of the
// process token in which that group only denies.
class OrdinaryUser
{
public:
    OrdinaryUser()
    {
        PSID administrators = nullptr;
        HANDLE process = nullptr, restricted = nullptr, impersonation = nullptr;
        if (ConvertStringSidToSidW(kAdministrators, &administrators) &&
            OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, &process)) {
            SID_AND_ATTRIBUTES denyOnly = {administrators, 0};
            m_acting = CreateRestrictedToken(process, 0, 1, &denyOnly, 0, nullptr, 0, nullptr, &restricted) &&
                       DuplicateToken(restricted, SecurityImpersonation, &impersonation) &&
                       SetThreadToken(nullptr, impersonation);
        }
        for (HANDLE handle : {process, restricted, impersonation})
            if (handle)
                CloseHandle(handle);
        LocalFree(administrators);
    }
    ~OrdinaryUser()
    {
        if (m_acting)
            RevertToSelf();
    }
    bool Acting() const { return m_acting; }

private:
    bool m_acting = false;
};

LONG OpenResult(HKEY root, const CString& path, REGSAM access)
{
    HKEY key = nullptr;
    LONG result = RegOpenKeyExW(root, path, 0, access, &key);
    if (key)
        RegCloseKey(key);
    return result;
}

std::wstring CurrentUserSid()
{
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE buffer[256];
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size);
    CloseHandle(token);
    return SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid);
}

class KeyTree : public ::testing::Test
{
protected:
    void Build(TestKey& key)
    {
        key.CreateSubkey(L"A\\B\\C");
        key.CreateSubkey(L"A\\D");
    }
};

TEST_F(KeyTree, ListSubkeysInPreOrder)
{
    TestKey key(HKEY_CURRENT_USER, OwnRoot(L"List"));
    Build(key);
    const std::string a = (key.Path() + L"\\A").ToAnsi();
    std::vector<std::string> list{"kept"};
    EXPECT_TRUE(CInstallActions::ListSubkeys(HKEY_CURRENT_USER, key.Path() + L"\\A", true, list));
    EXPECT_EQ(list, (std::vector<std::string>{"kept", a + "\\B", a + "\\B\\C", a + "\\D"}));

    list.clear();
    EXPECT_TRUE(CInstallActions::ListSubkeys(HKEY_CURRENT_USER, key.Path() + L"\\A", false, list));
    EXPECT_EQ(list, (std::vector<std::string>{a + "\\B", a + "\\D"}));
}

TEST_F(KeyTree, ListSubkeysRefusesOpenedKeysAndSkipsMissingPaths)
{
    TestKey key(HKEY_CURRENT_USER, OwnRoot(L"Refuse"));
    Build(key);
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.Path(), 0, KEY_READ, &opened), ERROR_SUCCESS);
    std::vector<std::string> list;
    EXPECT_FALSE(CInstallActions::ListSubkeys(opened, L"A", true, list));
    EXPECT_FALSE(CInstallActions::ListSubkeys(HKEY_PERFORMANCE_DATA, L"A", true, list));
    EXPECT_TRUE(list.empty());
    RegCloseKey(opened);
    EXPECT_TRUE(CInstallActions::ListSubkeys(HKEY_CURRENT_USER, key.Path() + L"\\Missing", true, list));
    EXPECT_TRUE(list.empty());
}

TEST_F(KeyTree, GrantKeyAccessLeavesAdministratorsFullAndEveryoneTheGivenAccessOnEveryKey)
{
    TestKey key(HKEY_LOCAL_MACHINE, OwnRoot(L"Grant"));
    Build(key);
    // An older list with other entries is replaced, not merged.
    ASSERT_TRUE(CInstallActions::CreateSecuredKey(HKEY_LOCAL_MACHINE, key.Path() + L"\\A\\Secured"));

    EXPECT_TRUE(CInstallActions::GrantKeyAccess(HKEY_LOCAL_MACHINE, key.Path() + L"\\A", true, nullptr,
                                                kReadAndSetValues));
    const std::vector<Entry> expected{FullAccess(kAdministrators),
                                      {ACCESS_ALLOWED_ACE_TYPE, kInherited, kReadAndSetValues, kEveryone}};
    for (const wchar_t* sub : {L"\\A", L"\\A\\B", L"\\A\\B\\C", L"\\A\\D", L"\\A\\Secured"})
        EXPECT_EQ(KeyEntries(HKEY_LOCAL_MACHINE, key.Path() + sub), expected) << CString(sub).ToAnsi();

    // A user outside Administrators reads and sets values, but neither makes a subkey
    // nor a registry link.
    OrdinaryUser user;
    ASSERT_TRUE(user.Acting());
    const CString b = key.Path() + L"\\A\\B";
    EXPECT_EQ(ERROR_SUCCESS, OpenResult(HKEY_LOCAL_MACHINE, b, kReadAndSetValues));
    EXPECT_EQ(ERROR_ACCESS_DENIED, OpenResult(HKEY_LOCAL_MACHINE, b, KEY_CREATE_SUB_KEY));
    EXPECT_EQ(ERROR_ACCESS_DENIED, OpenResult(HKEY_LOCAL_MACHINE, b, KEY_CREATE_LINK));
}

TEST_F(KeyTree, GrantKeyAccessWithoutRecursionAndForAnAccount)
{
    TestKey key(HKEY_CURRENT_USER, OwnRoot(L"Account"));
    Build(key);
    std::vector<Entry> before = KeyEntries(HKEY_CURRENT_USER, key.Path() + L"\\A\\B");

    wchar_t name[260], domain[260];
    DWORD nameLength = 260, domainLength = 260;
    ASSERT_TRUE(CInstallActions::GetCurrentUserName(name, nameLength, domain, domainLength));
    CString account;
    account.Format(L"%s\\%s", domain, name);
    EXPECT_TRUE(CInstallActions::GrantKeyAccess(HKEY_CURRENT_USER, key.Path() + L"\\A", false, account,
                                                KEY_ALL_ACCESS));
    EXPECT_EQ(KeyEntries(HKEY_CURRENT_USER, key.Path() + L"\\A"),
              (std::vector<Entry>{FullAccess(kAdministrators), FullAccess(CurrentUserSid())}));
    EXPECT_EQ(KeyEntries(HKEY_CURRENT_USER, key.Path() + L"\\A\\B"), before);

    // A key that does not open is skipped, and still counts as done.
    EXPECT_TRUE(CInstallActions::GrantKeyAccess(HKEY_CURRENT_USER, key.Path() + L"\\Missing", true, nullptr,
                                                KEY_ALL_ACCESS));
}

// A registry link of the test's own from root\path to the key root\target, removed when it
// ends. It must end before the tree that holds it: deleting a tree through the ordinary
// calls follows the link and deletes what it points to.
class RegistryLink
{
public:
    RegistryLink(HKEY root, const CString& path, const CString& target) : m_root(root), m_path(path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, target, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        struct { ULONG length; wchar_t name[1024]; } native = {};
        ULONG size = 0;
        bool named = NtQueryKey(key, 3 /* KeyNameInformation */, &native, sizeof(native), &size) == 0;
        RegCloseKey(key);
        if (!named || RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_CREATE_LINK,
                                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        m_made = RegSetValueExW(key, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(native.name),
                                native.length) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~RegistryLink()
    {
        HKEY link = nullptr;
        if (RegOpenKeyExW(m_root, m_path, REG_OPTION_OPEN_LINK, DELETE, &link) == ERROR_SUCCESS) {
            NtDeleteKey(link);
            RegCloseKey(link);
        }
    }
    bool Made() const { return m_made; }

private:
    HKEY m_root;
    CString m_path;
    bool m_made = false;
};

TEST_F(KeyTree, GrantAndListStopAtRegistryLinks)
{
    TestKey key(HKEY_LOCAL_MACHINE, OwnRoot(L"Link"));
    Build(key);
    key.CreateSubkey(L"Target\\Inner");
    const CString tree = key.Path() + L"\\A";
    const std::vector<Entry> target = KeyEntries(HKEY_LOCAL_MACHINE, key.Path() + L"\\Target");
    const std::vector<Entry> inner = KeyEntries(HKEY_LOCAL_MACHINE, key.Path() + L"\\Target\\Inner");
    const std::vector<Entry> granted{FullAccess(kAdministrators), FullAccess(kEveryone)};
    ASSERT_NE(target, granted);
    RegistryLink planted(HKEY_LOCAL_MACHINE, tree + L"\\Planted", key.Path() + L"\\Target");
    RegistryLink top(HKEY_LOCAL_MACHINE, key.Path() + L"\\Top", key.Path() + L"\\Target");
    ASSERT_TRUE(planted.Made() && top.Made());

    const std::string a = tree.ToAnsi();
    std::vector<std::string> list;
    EXPECT_TRUE(CInstallActions::ListSubkeys(HKEY_LOCAL_MACHINE, tree, true, list));
    EXPECT_EQ(list, (std::vector<std::string>{a + "\\B", a + "\\B\\C", a + "\\D"}));

    // The tree is granted; the key a link in it, or its own path, points to is not.
    EXPECT_TRUE(CInstallActions::GrantKeyAccess(HKEY_LOCAL_MACHINE, tree, true, nullptr, KEY_ALL_ACCESS));
    EXPECT_TRUE(CInstallActions::GrantKeyAccess(HKEY_LOCAL_MACHINE, key.Path() + L"\\Top", true, nullptr,
                                                KEY_ALL_ACCESS));
    for (const wchar_t* sub : {L"\\A", L"\\A\\B", L"\\A\\B\\C", L"\\A\\D"})
        EXPECT_EQ(KeyEntries(HKEY_LOCAL_MACHINE, key.Path() + sub), granted) << CString(sub).ToAnsi();
    EXPECT_EQ(KeyEntries(HKEY_LOCAL_MACHINE, key.Path() + L"\\Target"), target);
    EXPECT_EQ(KeyEntries(HKEY_LOCAL_MACHINE, key.Path() + L"\\Target\\Inner"), inner);
}

TEST(CurrentUser, NameAndDomainOfTheToken)
{
    wchar_t name[260], domain[260];
    DWORD nameLength = 260, domainLength = 260;
    ASSERT_TRUE(CInstallActions::GetCurrentUserName(name, nameLength, domain, domainLength));
    EXPECT_GT(wcslen(name), 0u);
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof(sid);
    wchar_t foundDomain[260];
    DWORD foundLength = 260;
    SID_NAME_USE use;
    CString account;
    account.Format(L"%s\\%s", domain, name);
    ASSERT_TRUE(LookupAccountNameW(nullptr, account, sid, &sidSize, foundDomain, &foundLength, &use));
    EXPECT_EQ(SidText(sid), CurrentUserSid());

    DWORD tooShort = 1, domainRoom = 260;
    EXPECT_FALSE(CInstallActions::GetCurrentUserName(name, tooShort, domain, domainRoom));
}

// Whether this platform applies the security attributes given when a key is created.
bool KeyCreationAppliesSecurity(const CString& path)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;KA;;;WD)", SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return false;
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), descriptor, FALSE};
    HKEY key = nullptr;
    bool applied = RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, &attributes, &key,
                                   nullptr) == ERROR_SUCCESS;
    if (key)
        RegCloseKey(key);
    LocalFree(descriptor);
    return applied && KeyEntries(HKEY_CURRENT_USER, path) ==
                          std::vector<Entry>{{ACCESS_ALLOWED_ACE_TYPE, 0, KEY_ALL_ACCESS, kEveryone}};
}

TEST(SecuredKey, CreatedWithReadForEveryoneAndFullForAdministrators)
{
    TestKey key(HKEY_CURRENT_USER, OwnRoot(L"Secured"));
    CString path = key.Path() + L"\\New";
    ASSERT_TRUE(CInstallActions::CreateSecuredKey(HKEY_CURRENT_USER, path));
    HKEY created = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &created), ERROR_SUCCESS);
    RegCloseKey(created);
    const std::vector<Entry> secured{{ACCESS_ALLOWED_ACE_TYPE, kInherited, KEY_READ, kEveryone},
                                     FullAccess(kAdministrators)};
    if (KeyCreationAppliesSecurity(key.Path() + L"\\Probe"))
        EXPECT_EQ(KeyEntries(HKEY_CURRENT_USER, path), secured);
    else
        std::printf("note: this platform ignores security attributes at key creation\n");

    // An existing key keeps its security.
    std::vector<Entry> before = KeyEntries(HKEY_CURRENT_USER, key.Path());
    EXPECT_TRUE(CInstallActions::CreateSecuredKey(HKEY_CURRENT_USER, key.Path()));
    EXPECT_EQ(KeyEntries(HKEY_CURRENT_USER, key.Path()), before);
}

TEST(Sid, WellKnownAccounts)
{
    const wchar_t* expected[] = {L"S-1-0-0",      L"S-1-1-0",      L"S-1-3-0",
                                 L"S-1-3-1",      L"S-1-5-4",      L"S-1-5-32-545",
                                 L"S-1-5-32-544", L"S-1-5-32-546", L"S-1-5-32-547"};
    for (int type = 0; type < 9; ++type) {
        CSid sid(type);
        EXPECT_EQ(SidText(sid.Get()), expected[type]) << type;
        EXPECT_EQ(sid.Size(), GetLengthSid(sid.Get()));
    }
    CSid none(9);
    EXPECT_TRUE(none.IsEmpty());
    none.Free();
    EXPECT_TRUE(none.IsEmpty());
    CSid negative(-1);
    EXPECT_TRUE(negative.IsEmpty());
}

TEST(Sid, OwnBufferForAnAccountLookup)
{
    CSid sid;
    sid.Alloc(SECURITY_MAX_SID_SIZE);
    EXPECT_EQ(sid.Size(), static_cast<DWORD>(SECURITY_MAX_SID_SIZE));
    wchar_t domain[260];
    DWORD domainLength = 260;
    SID_NAME_USE use;
    EXPECT_TRUE(sid.LookupAccount(nullptr, L"Administrators", domain, domainLength, use));
    EXPECT_EQ(SidText(sid.Get()), kAdministrators);

    sid.Attach(malloc(16));
    EXPECT_EQ(sid.Size(), static_cast<DWORD>(SECURITY_MAX_SID_SIZE));
    sid.Free();
    EXPECT_TRUE(sid.IsEmpty());
}

TEST(Acl, InitializeAndMergeEntries)
{
    CAcl acl;
    EXPECT_EQ(acl.Get(), nullptr);
    ASSERT_TRUE(acl.Initialize(64));
    EXPECT_TRUE(IsValidAcl(acl.Get()));
    EXPECT_EQ(acl.Get()->AceCount, 0);

    CSid users(CSid::kUsers);
    CExplicitAccess first(KEY_READ, users.Get(), TRUSTEE_IS_GROUP);
    EXPECT_EQ(acl.SetEntries(1, &first), static_cast<DWORD>(ERROR_SUCCESS));
    CSid guests(CSid::kGuests);
    CExplicitAccess second(KEY_READ, guests.Get(), TRUSTEE_IS_GROUP);
    EXPECT_EQ(acl.SetEntries(1, &second), static_cast<DWORD>(ERROR_SUCCESS));
    std::vector<Entry> entries = EntriesOfList(acl.Get());
    ASSERT_EQ(entries.size(), 2u);

    CExplicitAccess unknown(KEY_READ, L"no such account here", TRUSTEE_IS_USER);
    EXPECT_NE(acl.SetEntries(1, &unknown), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(EntriesOfList(acl.Get()).size(), 2u);
}

TEST(SecurityDescriptor, DaclSaclAndListSize)
{
    CSecurityDescriptor descriptor;
    ASSERT_NE(descriptor.Get(), nullptr);
    EXPECT_TRUE(IsValidSecurityDescriptor(descriptor.Get()));
    CAcl acl;
    ASSERT_TRUE(acl.Initialize(64));
    EXPECT_TRUE(descriptor.SetDacl(TRUE, acl.Get(), FALSE));
    BOOL present = TRUE, defaulted = TRUE;
    PACL sacl = nullptr;
    EXPECT_TRUE(descriptor.GetSacl(present, sacl, defaulted));
    EXPECT_FALSE(present);

    CSid administrators(CSid::kAdministrators), everyone(CSid::kEveryone);
    PSID sids[] = {administrators.Get(), everyone.Get()};
    EXPECT_EQ(CSecurityDescriptor::GetAclSize(2, sids, sizeof(ACCESS_ALLOWED_ACE)), 8 + (16 + 8) + (12 + 8));
    EXPECT_EQ(CSecurityDescriptor::GetAclSize(0, nullptr, 12), 8);

    CSecurityDescriptor attached(LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH));
    EXPECT_TRUE(InitializeSecurityDescriptor(attached.Get(), SECURITY_DESCRIPTOR_REVISION));
}

}  // namespace
