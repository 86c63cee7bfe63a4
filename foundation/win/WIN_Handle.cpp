// Closing and replacing an owned handle.
#include "foundation/win/WIN_Handle.h"

namespace win {

void Handle_t::Close()
{
    if (!IsEmpty())
        ::CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}

void Handle_t::Reset(HANDLE other)
{
    if (other != handle) {
        Close();
        handle = other;
    }
}

} // namespace win
