// The About box.
#include "editor/shell/AboutDialog.h"

#include "editor/shell/Application.h"
#include "editor/shell/BuildInfo.h"
#include "editor/preview/PreviewStyle.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/gdi/GDI_SmartFont.h"
#include "foundation/glo/GLO_StringResource.h"

#include <string>

namespace app {

namespace {

void Draw(CDC& dc, int x, int y, const std::string& text)
{
    dc.TextOut(x, y, text.c_str(), static_cast<int>(text.size()));
}

int Width(CDC& dc, const char* text)
{
    return dc.GetTextExtent(text, static_cast<int>(std::char_traits<char>::length(text))).cx;
}

} // namespace

BEGIN_MESSAGE_MAP(AboutDialog_t, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

AboutDialog_t::AboutDialog_t() : CDialog(IDD_ABOUTBOX)
{
}

void AboutDialog_t::OnPaint()
{
    CPaintDC dc(this);
    PaintTexts(dc);
}

void AboutDialog_t::PaintTexts(CDC& dc)
{
    dc.SetBkMode(TRANSPARENT);
    const int left = 50;

    CFont large;
    preview::MakeFont(large, 14, FW_NORMAL);
    gdi::SmartFont_t largeFont(&dc, &large);
    const int markWidth = Width(dc, "KIV");
    Draw(dc, left, 15, "KIV");

    int superscriptWidth = 0;
    {
        CFont small;
        preview::MakeFont(small, 8, FW_NORMAL);
        gdi::SmartFont_t smallFont(&dc, &small);
        superscriptWidth = Width(dc, "TM");
        Draw(dc, left + markWidth, 15, "TM");
    }

    if (Application_t::IsOemMode())
        Draw(dc, left + markWidth + superscriptWidth + 5, 15, "[OEM Version]");

    const bool release = IsReleaseBuild();
    const glo::StringResource_t version(release ? IDS_VERSION : IDS_VERSION_BETA, ".\\AboutDialog", 94);
    const std::string number = std::to_string(VersionMajor) + "." + std::to_string(VersionMinor) + (release ? "" : ".0");
    Draw(dc, left, 30, version.FormatArg(number, ".\\AboutDialog", 99));

    if (!release)
        Draw(dc, left, 45, std::string("Build Info:  ") + BuildDate + " " + BuildTime + "(" + BuildLabel + ")");
}

} // namespace app
