// Selecting an own brush and putting back the object it replaced.
#include "foundation/gdi/GDI_SmartBrush.h"

#include "foundation/glo/GLO_Exception.h"

#include "framework/CDC.h"

namespace gdi {

SmartBrush_t::~SmartBrush_t()
{
    Restore(previous);
    brush.DeleteObject();
}

void SmartBrush_t::Create(COLORREF color)
{
    if (previous)
        throw glo::Exception_t("GDI_SmartBrush", 121, std::string());
    // A brush whose selection failed before is replaced, not leaked.
    brush.DeleteObject();
    brush.Attach(::CreateSolidBrush(color));
    previous = dc->SelectObject(&brush);
}

} // namespace gdi
