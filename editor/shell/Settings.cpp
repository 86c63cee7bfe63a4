// The editor's machine-wide settings.
#include "editor/shell/Settings.h"

#include "foundation/win/WIN_CompanyKeys.h"

namespace app {

namespace {

const win::RegKey_t& GetProductKey()
{
    static const win::RegKey_t key(win::LocalMachineCompanyKey(), "Pellorin", win::RegKey_t::KeyReader_t());
    return key;
}

} // namespace

Settings_t::Settings_t(const win::RegKey_t& key) : key(key), oem(key, "OEM")
{
}

const win::RegKey_t& GetSettingsKey()
{
    static const win::RegKey_t key(GetProductKey(), "Settings", win::RegKey_t::KeyReader_t());
    return key;
}

const Settings_t& GetSettings()
{
    static const Settings_t settings(GetSettingsKey());
    return settings;
}

} // namespace app
