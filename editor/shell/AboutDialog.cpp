// The About box.
#include "editor/shell/AboutDialog.h"

#include "editor/shell/Application.h"
#include "editor/shell/BuildInfo.h"
#include "editor/preview/PreviewStyle.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/gdi/GDI_SmartFont.h"
#include "foundation/glo/GLO_StringResource.h"

#include <algorithm>
#include <string>

namespace app {

namespace {

// The texts stand at fixed pixels from here whatever the DPI; the icon, at the
// size it has at 96 DPI, stays left of them.
const int textLeft = 50;
const int iconSize = 32;
const int iconGap = 4;

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

AboutDialog_t::~AboutDialog_t()
{
    if (icon)
        ::DestroyIcon(icon);
}

BOOL AboutDialog_t::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlaceIcon();
    return TRUE;
}

// The template places the icon in dialog units, which grow with the DPI: it keeps
// that place where it leaves the texts clear, else moves left of them.
void AboutDialog_t::PlaceIcon()
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        ::GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") != 0 || (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            continue;
        if (!icon)
            icon = static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON,
                                                  iconSize, iconSize, 0));
        if (!icon)
            return;
        CRect place;
        ::GetWindowRect(child, &place);
        ScreenToClient(&place);
        ::SendMessage(child, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        const int left = std::min<int>(place.left, textLeft - iconGap - iconSize);
        ::SetWindowPos(child, nullptr, left, place.top, iconSize, iconSize, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
}

void AboutDialog_t::OnPaint()
{
    CPaintDC dc(this);
    PaintTexts(dc);
}

void AboutDialog_t::PaintTexts(CDC& dc)
{
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(AfxGetSysColor(COLOR_BTNTEXT));
    const int left = textLeft;

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
