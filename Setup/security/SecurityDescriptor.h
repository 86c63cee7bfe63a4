// CSecurityDescriptor: owns an absolute security descriptor, new (revision 1, empty)
// or one handed over by its owner.
#pragma once

#include <windows.h>

class CSecurityDescriptor
{
public:
    CSecurityDescriptor();
    // Takes a descriptor allocated with LocalAlloc; it is freed when this object ends.
    explicit CSecurityDescriptor(PSECURITY_DESCRIPTOR attached);
    virtual ~CSecurityDescriptor();
    CSecurityDescriptor(const CSecurityDescriptor&) = delete;
    CSecurityDescriptor& operator=(const CSecurityDescriptor&) = delete;

    BOOL SetDacl(BOOL present, PACL list, BOOL defaulted);
    BOOL GetSacl(BOOL& present, PACL& list, BOOL& defaulted) const;
    // The size of an access list holding one entry of entrySize bytes per SID.
    static int GetAclSize(int count, const PSID* sids, int entrySize);

    PSECURITY_DESCRIPTOR Get() const { return m_descriptor; }

private:
    PSECURITY_DESCRIPTOR m_descriptor;
};
