// An entry as the preview draws it: its kind's prefix, colour and font, its
// indent, the check box of a challenge, and for a challenge with response the
// response flush right behind a dotted leader.
#include "editor/model/Entry.h"

#include <algorithm>

#include "editor/preview/PreviewStyle.h"
#include "framework/Framework.h"
#include "foundation/gdi/GDI_SmartFont.h"
#include "foundation/gdi/GDI_SmartPen.h"
#include "foundation/glo/GLO_Exception.h"

namespace app {

namespace {

const char sourceFile[] = "EntryDisplay";
const UINT textFlags = DT_BOTTOM | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
const char levelIndent[] = "    ";

struct KindStyle_t {
    const char* prefix;
    COLORREF colour;
    int height;
    int weight;
};

KindStyle_t StyleOf(int kind)
{
    switch (kind) {
    case Entry_t::Caution: return {"CAUTION:  ", preview::white, 18, 400};
    case Entry_t::Note: return {"NOTE:  ", preview::grey, 18, 400};
    case Entry_t::PlainText: return {"", preview::grey, 18, 400};
    case Entry_t::Subtitle: return {"", preview::white, 22, 500};
    case Entry_t::Warning: return {"WARNING:  ", preview::yellow, 18, 400};
    case Entry_t::Challenge:
    case Entry_t::ChallengeResponse: return {levelIndent, preview::cyan, 18, 400};
    default: throw glo::Assert_t(sourceFile, 101);
    }
}

// 1 to 4 for the indents, 0 for the others.
int IndentLevel(int justification)
{
    return justification >= Entry_t::Indent1 && justification <= Entry_t::Indent4 ? justification : 0;
}

TEXTMETRIC Metrics(CDC* dc, int line)
{
    TEXTMETRIC metrics;
    if (!dc->GetTextMetrics(&metrics))
        throw glo::Assert_t(sourceFile, line);
    return metrics;
}

// The challenge at the left, the response flush right, each in at most half the
// width less 40 pixels, and between them " ." stretched over the gap.
int DrawChallengeResponse(CDC* dc, const std::string& challenge, const std::string& response, const CRect& w,
                          UINT flags)
{
    const int half = w.Width() / 2 - 40;
    CRect left = w;
    left.right = w.left + std::min<int>(Entry_t::MeasureText(dc, challenge).cx, half);
    CRect right = w;
    right.left = w.right - std::min<int>(Entry_t::MeasureText(dc, response).cx, half);
    const int height =
        std::max(preview::DrawString(dc, challenge, left, flags), preview::DrawString(dc, response, right, flags));

    const CRect leader(left.right, w.top, right.left, w.bottom);
    const TEXTMETRIC metrics = Metrics(dc, 162);
    if (metrics.tmAveCharWidth < 1)
        throw glo::Assert_t(sourceFile, 163);
    const int dots = std::max<int>(0, leader.Width() / metrics.tmAveCharWidth / 2);
    std::string text;
    for (int i = 0; i < dots; ++i)
        text += " .";
    text += " ";
    dc->SetTextJustification(leader.Width() - Entry_t::MeasureText(dc, text).cx, dots + 1);
    preview::DrawString(dc, text, leader, flags);
    dc->SetTextJustification(0, 0);
    return height;
}

} // namespace

int Entry_t::Draw(CDC* dc, const CRect& rect) const
{
    if (rect.Width() < 120)
        return 0;
    UINT flags = textFlags;
    switch (justification) {
    case Left:
    case Indent1:
    case Indent2:
    case Indent3:
    case Indent4: break;
    case Center: flags |= DT_CENTER; break;
    default: throw glo::Assert_t(sourceFile, 61);
    }
    std::string indent;
    for (int level = IndentLevel(justification); level > 0; --level)
        indent += levelIndent;
    const KindStyle_t style = StyleOf(kind);

    CFont font;
    preview::MakeFont(font, style.height, style.weight);
    gdi::SmartFont_t selected(dc, &font);
    dc->SetTextColor(style.colour);
    dc->SetBkMode(TRANSPARENT);
    CRect w = rect;
    w.bottom = rect.top + 500 * Metrics(dc, 119).tmHeight;

    if (kind == Challenge || kind == ChallengeResponse)
        DrawCheckBox(dc, w);
    w.left += MeasureText(dc, indent).cx;
    const std::string shown = style.prefix + text;
    const int height = kind == ChallengeResponse ? DrawChallengeResponse(dc, shown, response, w, flags)
                                                 : preview::DrawString(dc, shown, w, flags);
    return height + 5;
}

void Entry_t::DrawCheckBox(CDC* dc, const CRect& box) const
{
    if (box.Width() < 11 || box.Height() < 21)
        return;
    const int x = box.left + MeasureText(dc, levelIndent).cx * IndentLevel(justification) + 3;
    gdi::SmartPen_t pen(dc, PS_SOLID, 0, preview::lineColour);
    const POINT outline[] = {
        {x, box.top + 13}, {x, box.top + 5}, {x + 8, box.top + 5}, {x + 8, box.top + 13}, {x, box.top + 13}};
    dc->Polyline(outline, 5);
}

CSize Entry_t::MeasureText(CDC* dc, const std::string& text)
{
    std::string line = text;
    line.erase(std::remove(line.begin(), line.end(), '\n'), line.end());
    return dc->GetTextExtent(line.c_str(), static_cast<int>(line.size()));
}

} // namespace app
