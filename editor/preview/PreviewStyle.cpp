// The preview's fonts and text drawing.
#include "editor/preview/PreviewStyle.h"

namespace app {
namespace preview {

void MakeFont(CFont& font, int height, int weight)
{
    font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
}

int DrawString(CDC* dc, const std::string& text, CRect rect, UINT flags)
{
    return dc->DrawText(text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

} // namespace preview
} // namespace app
