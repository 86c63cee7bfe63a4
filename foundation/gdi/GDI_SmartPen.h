// Makes a pen and selects it into a device context for as long as it lives.
#pragma once

#include "foundation/gdi/GDI_SmartGdiObj.h"

#include "framework/CGdiObject.h"

namespace gdi {

class SmartPen_t : public SmartGdiObj_t {
public:
    // The framework's CResourceException when the pen cannot be made.
    SmartPen_t(CDC* dc, int style, int width, COLORREF color);
    ~SmartPen_t() override;

private:
    CPen pen;
    CGdiObject* previous;
};

} // namespace gdi
