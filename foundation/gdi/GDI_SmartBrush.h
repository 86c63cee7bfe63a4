// Makes a solid brush on request and selects it into a device context for as
// long as the holder lives.
#pragma once

#include "foundation/gdi/GDI_SmartGdiObj.h"

#include "framework/CGdiObject.h"

namespace gdi {

class SmartBrush_t : public SmartGdiObj_t {
public:
    explicit SmartBrush_t(CDC* dc) : SmartGdiObj_t(dc) {}
    ~SmartBrush_t() override;

    // Only one brush per holder: a second one is refused with glo::Exception_t.
    void Create(COLORREF color);

private:
    CBrush brush;
    CGdiObject* previous = nullptr;
};

} // namespace gdi
