// CAcl: an owned access list (see Acl.h).
#include "Setup/security/Acl.h"

#include <aclapi.h>

CAcl::~CAcl()
{
    Free();
}

void CAcl::Free()
{
    if (m_acl)
        LocalFree(m_acl);
    m_acl = nullptr;
}

BOOL CAcl::Initialize(DWORD bytes)
{
    Free();
    m_acl = static_cast<PACL>(LocalAlloc(LMEM_FIXED, bytes));
    return m_acl && InitializeAcl(m_acl, bytes, ACL_REVISION);
}

DWORD CAcl::SetEntries(ULONG count, EXPLICIT_ACCESS_W* entries)
{
    PACL merged = nullptr;
    DWORD result = SetEntriesInAclW(count, entries, m_acl, &merged);
    if (result == ERROR_SUCCESS) {
        Free();
        m_acl = merged;
    }
    return result;
}
