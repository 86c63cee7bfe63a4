// CExplicitAccess: one access-list entry description (see ExplicitAccess.h).
#include "Setup/security/ExplicitAccess.h"

namespace {

void SetAccess(EXPLICIT_ACCESS_W& entry, DWORD access, TRUSTEE_TYPE type)
{
    ZeroMemory(&entry, sizeof(entry));
    entry.grfAccessPermissions = access;
    entry.grfAccessMode = SET_ACCESS;
    entry.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    entry.Trustee.MultipleTrusteeOperation = NO_MULTIPLE_TRUSTEE;
    entry.Trustee.TrusteeType = type;
}

}  // namespace

CExplicitAccess::CExplicitAccess(DWORD access, PSID sid, TRUSTEE_TYPE type)
{
    SetAccess(*this, access, type);
    Trustee.TrusteeForm = TRUSTEE_IS_SID;
    Trustee.ptstrName = static_cast<LPWSTR>(sid);
}

CExplicitAccess::CExplicitAccess(DWORD access, const wchar_t* accountName, TRUSTEE_TYPE type)
{
    SetAccess(*this, access, type);
    Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    Trustee.ptstrName = const_cast<LPWSTR>(accountName);
}
