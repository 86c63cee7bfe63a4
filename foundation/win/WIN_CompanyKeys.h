// The program-wide registry keys: the two root keys and the maker's company
// key "Software\Quorel\" below each. Each is opened on first use (a failed
// opening is tried again at the next call) and closed at program exit.
#pragma once

#include "foundation/win/WIN_RegKey.h"

namespace win {

const RegKey_t& CurrentUserRootKey();
const RegKey_t& LocalMachineRootKey();

// Created when missing.
const RegKey_t& CurrentUserCompanyKey();
// Read-only; it must exist.
const RegKey_t& LocalMachineCompanyKey();

} // namespace win
