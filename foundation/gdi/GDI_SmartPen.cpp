// Selecting an own pen and putting back the object it replaced.
#include "foundation/gdi/GDI_SmartPen.h"

#include "framework/CDC.h"

namespace gdi {

SmartPen_t::SmartPen_t(CDC* dc, int style, int width, COLORREF color)
    : SmartGdiObj_t(dc), pen(style, width, color), previous(dc->SelectObject(&pen))
{
}

SmartPen_t::~SmartPen_t()
{
    Restore(previous);
    pen.DeleteObject();
}

} // namespace gdi
