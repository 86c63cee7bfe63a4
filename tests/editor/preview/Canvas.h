// A memory picture to draw into, filled black, whose pixels a test reads back.
#pragma once

#include <ostream>

#include "framework/Framework.h"

// Rectangles and sizes in a test's messages: their numbers, not their bytes.
inline void PrintTo(const CRect& rect, std::ostream* out)
{
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}
inline void PrintTo(const CSize& size, std::ostream* out)
{
    *out << size.cx << " x " << size.cy;
}

namespace views_test {

class Canvas_t {
public:
    Canvas_t(int width, int height);
    ~Canvas_t();
    Canvas_t(const Canvas_t&) = delete;
    Canvas_t& operator=(const Canvas_t&) = delete;

    CDC* Dc() { return &dc; }
    COLORREF Pixel(int x, int y) const;
    // The smallest box that holds every pixel of exactly colour within the
    // given bounds; an empty one when there is none.
    CRect Extent(COLORREF colour, const CRect& within) const;
    bool Holds(COLORREF colour, const CRect& within) const { return !Extent(colour, within).IsRectEmpty(); }
    // Whether any pixel within the bounds is not black.
    bool Blank(const CRect& within) const;

    const int width;
    const int height;

private:
    COLORREF Raw(int x, int y) const;   // without waiting for drawing in progress

    CDC dc;
    HBITMAP bitmap;
    const DWORD* bits;
    HGDIOBJ previousBitmap;
};

// The height and the width of text in an Arial of the preview.
int FontHeight(int height, int weight);
int TextWidth(const std::string& text, int height = 18, int weight = 400);

} // namespace views_test
