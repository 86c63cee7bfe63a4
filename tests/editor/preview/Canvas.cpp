// A memory picture for drawing tests.
#include "tests/editor/preview/Canvas.h"

#include "editor/model/Entry.h"
#include "editor/preview/PreviewStyle.h"
#include "foundation/gdi/GDI_SmartFont.h"

namespace views_test {

Canvas_t::Canvas_t(int width, int height) : width(width), height(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<const DWORD*>(memory);
    dc.Attach(::CreateCompatibleDC(nullptr));
    previousBitmap = ::SelectObject(dc.GetSafeHdc(), bitmap);
    dc.PatBlt(0, 0, width, height, BLACKNESS);
}

Canvas_t::~Canvas_t()
{
    ::SelectObject(dc.GetSafeHdc(), previousBitmap);
    ::DeleteDC(dc.Detach());
    ::DeleteObject(bitmap);
}

COLORREF Canvas_t::Pixel(int x, int y) const
{
    ::GdiFlush();
    return Raw(x, y);
}

COLORREF Canvas_t::Raw(int x, int y) const
{
    const DWORD pixel = bits[y * width + x];   // 0x00RRGGBB
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

CRect Canvas_t::Extent(COLORREF colour, const CRect& within) const
{
    ::GdiFlush();
    CRect found(within.right, within.bottom, within.left, within.top);
    for (int y = std::max<int>(within.top, 0); y < std::min<int>(within.bottom, height); ++y) {
        for (int x = std::max<int>(within.left, 0); x < std::min<int>(within.right, width); ++x) {
            if (Raw(x, y) != colour)
                continue;
            found.left = std::min<int>(found.left, x);
            found.right = std::max<int>(found.right, x + 1);
            found.top = std::min<int>(found.top, y);
            found.bottom = std::max<int>(found.bottom, y + 1);
        }
    }
    return found;
}

bool Canvas_t::Blank(const CRect& within) const
{
    ::GdiFlush();
    for (int y = std::max<int>(within.top, 0); y < std::min<int>(within.bottom, height); ++y)
        for (int x = std::max<int>(within.left, 0); x < std::min<int>(within.right, width); ++x)
            if (Raw(x, y) != RGB(0, 0, 0))
                return false;
    return true;
}

namespace {

CSize Measure(const std::string& text, int height, int weight, TEXTMETRIC* metrics = nullptr)
{
    Canvas_t scratch(1, 1);
    CFont font;
    app::preview::MakeFont(font, height, weight);
    gdi::SmartFont_t selected(scratch.Dc(), &font);
    if (metrics)
        scratch.Dc()->GetTextMetrics(metrics);
    return app::Entry_t::MeasureText(scratch.Dc(), text);
}

} // namespace

int FontHeight(int height, int weight)
{
    TEXTMETRIC metrics = {};
    Measure("", height, weight, &metrics);
    return metrics.tmHeight;
}

int TextWidth(const std::string& text, int height, int weight)
{
    return Measure(text, height, weight).cx;
}

} // namespace views_test
