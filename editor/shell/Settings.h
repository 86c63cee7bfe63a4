// The machine-wide settings of the editor: the key Settings below
// HKEY_LOCAL_MACHINE "Software\Quorel\Pellorin", written by the editor's
// installer, and its value "OEM". Each is opened on first use, read-only, and
// opened again at the next use when opening failed.
#pragma once

#include "foundation/win/WIN_ConstRegValue.h"
#include "foundation/win/WIN_RegKey.h"

namespace app {

class Settings_t {
public:
    // Reads the values; win::RegError_t for a value of the wrong type or size.
    explicit Settings_t(const win::RegKey_t& key);

    // Present when the machine is set up for a checklist maker; its content does not matter.
    const win::ConstRegValue_t<bool>& GetOem() const { return oem; }

private:
    win::RegKey_t key;
    win::ConstRegValue_t<bool> oem;
};

// win::RegError_t when the key Pellorin or Settings is missing.
const win::RegKey_t& GetSettingsKey();
const Settings_t& GetSettings();

} // namespace app
