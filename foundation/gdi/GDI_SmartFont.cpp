// Selecting a font and putting back the one it replaced.
#include "foundation/gdi/GDI_SmartFont.h"

#include "foundation/glo/GLO_Exception.h"

#include "framework/CDC.h"

namespace gdi {

SmartFont_t::SmartFont_t(CDC* dc, CFont* font) : SmartGdiObj_t(dc)
{
    if (font)
        Select(font);
}

SmartFont_t::~SmartFont_t()
{
    Restore(previous);
}

// A null font replaces nothing.
void SmartFont_t::Select(CFont* font)
{
    if (previous)
        throw glo::Exception_t("GDI_SmartFont", 71, std::string());
    previous = font ? dc->SelectObject(font) : nullptr;
}

} // namespace gdi
