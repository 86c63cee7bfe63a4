// An owned Win32 handle; INVALID_HANDLE_VALUE means empty.
#pragma once

#include "foundation/glo/GLO_NonCopyable.h"

#include <windows.h>

namespace win {

class Handle_t : private glo::NonCopyable_t {
public:
    explicit Handle_t(HANDLE handle = INVALID_HANDLE_VALUE) : handle(handle) {}
    ~Handle_t() { Close(); }

    HANDLE Get() const { return handle; }
    bool IsEmpty() const { return handle == INVALID_HANDLE_VALUE; }

    // Closes the handle unless empty; it is empty afterwards.
    void Close();
    // Takes another handle, closing the old one first (nothing when it is the same).
    void Reset(HANDLE other);

private:
    HANDLE handle;
};

} // namespace win
