// CSecurityDescriptor: an owned security descriptor (see SecurityDescriptor.h).
#include "Setup/security/SecurityDescriptor.h"

CSecurityDescriptor::CSecurityDescriptor()
    : m_descriptor(LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH))
{
    if (m_descriptor)
        InitializeSecurityDescriptor(m_descriptor, SECURITY_DESCRIPTOR_REVISION);
}

CSecurityDescriptor::CSecurityDescriptor(PSECURITY_DESCRIPTOR attached) : m_descriptor(attached) {}

CSecurityDescriptor::~CSecurityDescriptor()
{
    if (m_descriptor)
        LocalFree(m_descriptor);
}

BOOL CSecurityDescriptor::SetDacl(BOOL present, PACL list, BOOL defaulted)
{
    return m_descriptor && SetSecurityDescriptorDacl(m_descriptor, present, list, defaulted);
}

BOOL CSecurityDescriptor::GetSacl(BOOL& present, PACL& list, BOOL& defaulted) const
{
    return m_descriptor && GetSecurityDescriptorSacl(m_descriptor, &present, &list, &defaulted);
}

int CSecurityDescriptor::GetAclSize(int count, const PSID* sids, int entrySize)
{
    int size = sizeof(ACL);
    for (int i = 0; i < count; ++i)
        size += static_cast<int>(GetLengthSid(sids[i])) + entrySize - static_cast<int>(sizeof(DWORD));
    return size;
}
