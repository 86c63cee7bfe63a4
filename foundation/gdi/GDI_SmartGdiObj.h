// Base of the holders that select a drawing object into a device context and
// put back the one it replaced when they end.
#pragma once

#include "foundation/glo/GLO_NonCopyable.h"

class CDC;
class CGdiObject;

namespace gdi {

class SmartGdiObj_t : private glo::NonCopyable_t {
public:
    virtual ~SmartGdiObj_t() = default;

protected:
    explicit SmartGdiObj_t(CDC* dc) : dc(dc) {}

    // Selects the object replaced before again, when there is one; never throws.
    void Restore(CGdiObject* previous) noexcept;

    CDC* dc;
};

} // namespace gdi
