// Selects a font (not owned) into a device context for as long as it lives.
#pragma once

#include "foundation/gdi/GDI_SmartGdiObj.h"

class CFont;

namespace gdi {

class SmartFont_t : public SmartGdiObj_t {
public:
    explicit SmartFont_t(CDC* dc, CFont* font = nullptr);
    ~SmartFont_t() override;

    // Only one font per holder: a second one is refused with glo::Exception_t.
    void Select(CFont* font);

private:
    CGdiObject* previous = nullptr;
};

} // namespace gdi
