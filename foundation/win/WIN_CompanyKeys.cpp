// Function-local statics: built on first use, retried when building throws,
// destroyed at exit in the reverse order of their building.
#include "foundation/win/WIN_CompanyKeys.h"

namespace win {

namespace {
const char companyPath[] = "Software\\Quorel\\";
}

const RegKey_t& CurrentUserRootKey()
{
    static const RegKey_t key(HKEY_CURRENT_USER, "HKEY_CURRENT_USER");
    return key;
}

const RegKey_t& LocalMachineRootKey()
{
    static const RegKey_t key(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE");
    return key;
}

const RegKey_t& CurrentUserCompanyKey()
{
    static const RegKey_t key(CurrentUserRootKey(), companyPath, RegKey_t::KeyCreator_t());
    return key;
}

const RegKey_t& LocalMachineCompanyKey()
{
    static const RegKey_t key(LocalMachineRootKey(), companyPath, RegKey_t::KeyReader_t());
    return key;
}

} // namespace win
