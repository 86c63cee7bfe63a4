// Closing a registry key handle.
#include "foundation/win/WIN_RegKeyHandle.h"

namespace win {

RegKeyHandle_t::~RegKeyHandle_t()
{
    ::RegCloseKey(key);
    key = nullptr;
}

} // namespace win
