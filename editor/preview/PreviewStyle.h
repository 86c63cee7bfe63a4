// The preview's look: light colours on black, and its fonts, all of the Arial face.
#pragma once

#include <string>

#include "framework/Framework.h"

namespace app {
namespace preview {

const COLORREF white = RGB(255, 255, 255);
const COLORREF grey = RGB(128, 128, 128);
const COLORREF yellow = RGB(255, 255, 0);
const COLORREF cyan = RGB(0, 255, 255);
const COLORREF lineColour = RGB(200, 200, 200);

// An upright Arial of the given height and weight.
void MakeFont(CFont& font, int height, int weight);

// Draws text (of any length, nothing else) into rect; returns the height drawn.
int DrawString(CDC* dc, const std::string& text, CRect rect, UINT flags);

} // namespace preview
} // namespace app
