// CExplicitAccess: one entry for SetEntriesInAclW: an access mask granted to a trustee
// named by SID or by account name, inherited by subkeys and objects.
#pragma once

#include <windows.h>
#include <aclapi.h>

class CExplicitAccess : public EXPLICIT_ACCESS_W
{
public:
    CExplicitAccess(DWORD access, PSID sid, TRUSTEE_TYPE type);
    CExplicitAccess(DWORD access, const wchar_t* accountName, TRUSTEE_TYPE type);
};
