// CSid: an owned security identifier (see Sid.h).
#include "Setup/security/Sid.h"

#include <cstdlib>

CSid::CSid(int wellKnown)
{
    switch (wellKnown) {
    case kNull: AllocWellKnown(0, 1, SECURITY_NULL_RID); break;
    case kEveryone: AllocWellKnown(1, 1, SECURITY_WORLD_RID); break;
    case kCreatorOwner: AllocWellKnown(3, 1, SECURITY_CREATOR_OWNER_RID); break;
    case kCreatorGroup: AllocWellKnown(3, 1, SECURITY_CREATOR_GROUP_RID); break;
    case kInteractive: AllocWellKnown(5, 1, SECURITY_INTERACTIVE_RID); break;
    case kUsers: AllocWellKnown(5, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS); break;
    case kAdministrators: AllocWellKnown(5, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS); break;
    case kGuests: AllocWellKnown(5, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_GUESTS); break;
    case kPowerUsers: AllocWellKnown(5, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_POWER_USERS); break;
    default: break;
    }
}

CSid::~CSid()
{
    Free();
}

bool CSid::AllocWellKnown(BYTE authority, BYTE count, DWORD sub0, DWORD sub1)
{
    Free();
    SID_IDENTIFIER_AUTHORITY identifier = {{0, 0, 0, 0, 0, authority}};
    if (!AllocateAndInitializeSid(&identifier, count, sub0, sub1, 0, 0, 0, 0, 0, 0, &m_sid)) {
        m_sid = nullptr;
        return false;
    }
    m_size = GetLengthSid(m_sid);
    m_allocatedBySystem = true;
    return true;
}

void CSid::Alloc(DWORD size)
{
    Free();
    m_sid = malloc(size);
    m_size = m_sid ? size : 0;
    m_allocatedBySystem = false;
}

void CSid::Attach(PSID buffer)
{
    Free();
    m_sid = buffer;
    m_allocatedBySystem = false;
}

BOOL CSid::LookupAccount(const wchar_t* system, const wchar_t* account, wchar_t* domain, DWORD& domainLength,
                         SID_NAME_USE& use)
{
    DWORD size = m_size;
    return LookupAccountNameW(system, account, m_sid, &size, domain, &domainLength, &use);
}

void CSid::Free()
{
    if (!m_sid)
        return;
    if (m_allocatedBySystem)
        FreeSid(m_sid);
    else
        free(m_sid);
    m_sid = nullptr;
    m_allocatedBySystem = false;
}
