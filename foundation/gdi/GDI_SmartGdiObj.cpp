// Putting back a replaced drawing object.
#include "foundation/gdi/GDI_SmartGdiObj.h"

#include "framework/CDC.h"

namespace gdi {

void SmartGdiObj_t::Restore(CGdiObject* previous) noexcept
{
    if (!previous)
        return;
    try {
        dc->SelectObject(previous);
    } catch (...) {
    }
}

} // namespace gdi
