// CInstallActions: whether the user holds administrator rights, by an access check of
// the user's token against a descriptor that admits the Administrators group only.
#include "Setup/actions/InstallActions.h"

#include "Setup/security/Sid.h"

namespace {

const DWORD kAccessRead = 1;
const DWORD kAccessWrite = 2;

class Token
{
public:
    ~Token() { if (m_handle) CloseHandle(m_handle); }
    HANDLE* receive() { return &m_handle; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};

bool OpenCallerToken(Token& token)
{
    const DWORD rights = TOKEN_DUPLICATE | TOKEN_QUERY;
    if (OpenThreadToken(GetCurrentThread(), rights, TRUE, token.receive()))
        return true;
    return GetLastError() == ERROR_NO_TOKEN && OpenProcessToken(GetCurrentProcess(), rights, token.receive());
}

}  // namespace

bool CInstallActions::IsAdministrator()
{
    if (GetWindowsVersion() < kNT4)
        return true;  // Windows 9x has no accounts to check
    Token token;
    if (!OpenCallerToken(token))
        return false;
    Token impersonation;
    if (!DuplicateToken(token.get(), SecurityImpersonation, impersonation.receive()))
        return false;

    CSid administrators(CSid::kAdministrators);
    if (administrators.IsEmpty())
        return false;
    DWORD aclSize = GetLengthSid(administrators.Get()) + 16;
    std::vector<BYTE> aclBuffer(aclSize);
    PACL acl = reinterpret_cast<PACL>(aclBuffer.data());
    SECURITY_DESCRIPTOR descriptor = {};
    if (!InitializeAcl(acl, aclSize, ACL_REVISION2) ||
        !AddAccessAllowedAce(acl, ACL_REVISION2, kAccessRead | kAccessWrite, administrators.Get()) ||
        !InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) ||
        !SetSecurityDescriptorOwner(&descriptor, administrators.Get(), FALSE) ||
        !SetSecurityDescriptorGroup(&descriptor, administrators.Get(), FALSE) ||
        !IsValidSecurityDescriptor(&descriptor))
        return false;

    GENERIC_MAPPING mapping = {kAccessRead, kAccessWrite, 0, kAccessRead | kAccessWrite};
    BYTE privileges[20] = {};
    DWORD privilegesSize = sizeof(privileges);
    DWORD granted = 0;
    BOOL accessStatus = FALSE;
    if (!AccessCheck(&descriptor, impersonation.get(), kAccessRead, &mapping,
                     reinterpret_cast<PPRIVILEGE_SET>(privileges), &privilegesSize, &granted, &accessStatus))
        return false;
    return accessStatus != FALSE;
}
