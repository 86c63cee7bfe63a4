// The skinned item: its text in the colours of its scheme, its icon and bitmap, the
// hand cursor and the hover text over its text alone, passive items, and what it
// repaints when it changes.
#include "tests/Setup/wizard/PagesTestSupport.h"

#include <functional>

using namespace pages_test;

namespace {

using Page = TestPage<CDialogSK>;

const COLORREF kIconColour = RGB(200, 30, 30);
const COLORREF kOtherIconColour = RGB(30, 30, 200);
const COLORREF kPictureColour = RGB(30, 160, 90);
const CString kHover = L"Go on to the licence";

class MenuItem : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Open(page, IDD_PAGE);
        Pump();
        ::SetCursor(cross);
    }

    // Gives the item a size and paints the page, so that the item's font exists.
    void Place(CWnd& item, int width, int height)
    {
        CRect area = AreaInParent(item);
        item.MoveWindow(area.left, area.top, width, height);
        PaintNow(page);
    }

    CRect Invalid()
    {
        CRect area;
        return GetUpdateRect(page.m_hWnd, &area, FALSE) ? area : CRect();
    }

    Page page;
    HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
};

}  // namespace

TEST_F(MenuItem, SubclassingTakesTheTemplatesTextAndLetsClicksReachThePage)
{
    EXPECT_EQ(CString(L"Welcome"), page.m_heading.GetText());
    EXPECT_EQ(CString(L"Next"), page.m_link.GetText());
    EXPECT_TRUE(page.m_heading.GetStyle() & SS_NOTIFY);
    Mouse(page.m_link, WM_LBUTTONDOWN, 3, 3);
    Mouse(page.m_link, WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(1, page.m_linkClicks);
}

TEST_F(MenuItem, TextIsDrawnInTheColourOfItsSchemeAndState)
{
    struct Scheme
    {
        int scheme;
        COLORREF enabled, disabled;
    };
    const Scheme schemes[] = {
        { 0, RGB(240, 240, 240), RGB(145, 145, 145) }, { 1, RGB(0, 0, 0), RGB(173, 193, 214) },
        { 2, RGB(161, 172, 180), RGB(173, 193, 214) }, { 3, RGB(112, 112, 112), RGB(173, 193, 214) },
        { 4, RGB(42, 63, 85), RGB(173, 193, 214) },    { -1, RGB(42, 63, 85), RGB(173, 193, 214) },
    };
    CRect area = AreaInParent(page.m_link);
    for (const Scheme& s : schemes) {
        for (bool enabled : { true, false }) {
            page.m_link.SetColorScheme(s.scheme);
            page.m_link.EnableWindow(enabled);
            page.m_link.Redraw();
            PaintNow(page);
            COLORREF expected = enabled ? s.enabled : s.disabled;
            COLORREF other = enabled ? s.disabled : s.enabled;
            EXPECT_TRUE(Shows(page, area, expected)) << s.scheme << " " << enabled;
            EXPECT_FALSE(Shows(page, area, other)) << s.scheme << " " << enabled;
        }
    }
}

TEST_F(MenuItem, TheHandCursorAndTheHoverTextBelongToTheTextAlone)
{
    CBrowserMenuItem& link = page.m_link;
    CSize text = BoldTextSize(page, L"Next", 12);
    Place(link, text.cx + 200, text.cy + 10);
    link.SetAlignment(DT_WORDBREAK | DT_CENTER);

    // The first move after entering only starts watching the mouse.
    int middle = 100 + text.cx / 2;
    Mouse(link, WM_MOUSEMOVE, middle, 2);
    EXPECT_EQ(cross, GetCursor());
    EXPECT_EQ(CString(), page.m_status.GetText());

    const struct
    {
        int x, y;
        bool over;
    } points[] = {
        { 100, 2, false }, { 101, 2, true }, { 99 + text.cx, 2, true }, { 100 + text.cx, 2, false },
        { middle, 0, true }, { middle, text.cy - 1, true }, { middle, text.cy, false }, { 0, 2, false },
    };
    for (const auto& p : points) {
        Mouse(link, WM_MOUSEMOVE, p.x, p.y);
        EXPECT_EQ(p.over ? hand : arrow, GetCursor()) << p.x << "," << p.y;
        EXPECT_EQ(p.over ? kHover : CString(), page.m_status.GetText()) << p.x << "," << p.y;
    }

    link.SetAlignment(DT_WORDBREAK | DT_RIGHT);
    for (const auto& p : { CPoint(200, 2), CPoint(201, 2), CPoint(199 + text.cx, 2), CPoint(200 + text.cx, 2) }) {
        Mouse(link, WM_MOUSEMOVE, p.x, p.y);
        bool over = p.x > 200 && p.x < 200 + text.cx;
        EXPECT_EQ(over ? hand : arrow, GetCursor()) << p.x;
    }

    link.SetAlignment(DT_WORDBREAK);
    for (const auto& p : { CPoint(0, 2), CPoint(1, 2), CPoint(text.cx - 1, 2), CPoint(text.cx, 2) }) {
        Mouse(link, WM_MOUSEMOVE, p.x, p.y);
        bool over = p.x > 0 && p.x < text.cx;
        EXPECT_EQ(over ? hand : arrow, GetCursor()) << p.x;
    }
}

TEST_F(MenuItem, TheHoverTextIsShownInTheStatusItemUntilTheMouseLeaves)
{
    CRect status = AreaInParent(page.m_status);
    Mouse(page.m_link, WM_MOUSEMOVE, 5, 5);
    Mouse(page.m_link, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(kHover, page.m_status.GetText());
    PaintNow(page);
    EXPECT_TRUE(Shows(page, status, RGB(0, 0, 0)));

    // Leaving the item for the page clears the status item and its picture.
    Mouse(page.m_link, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(arrow, GetCursor());
    EXPECT_EQ(CString(), page.m_status.GetText());
    PaintNow(page);
    EXPECT_FALSE(Shows(page, status, RGB(0, 0, 0)));

    // Coming back starts over: the first move only watches.
    Mouse(page.m_link, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(CString(), page.m_status.GetText());
    Mouse(page.m_link, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(kHover, page.m_status.GetText());
}

TEST_F(MenuItem, APassiveItemNeverShowsTheHandNorItsHoverText)
{
    CBrowserMenuItem& heading = page.m_heading;
    heading.SetHoverLink(IDS_HOVER, &page.m_status, CSkinnedItem::kText);
    for (int i = 0; i < 3; ++i)
        Mouse(heading, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(cross, GetCursor());
    EXPECT_EQ(CString(), page.m_status.GetText());

    heading.SetPassive(FALSE);
    Mouse(heading, WM_MOUSEMOVE, 5, 5);
    Mouse(heading, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(hand, GetCursor());
    EXPECT_EQ(kHover, page.m_status.GetText());
}

TEST_F(MenuItem, AnIconIsDrawnNearTheCentreAndRedrawnOnlyWhenItChanges)
{
    CBrowserMenuItem& picture = page.m_picture;
    Place(picture, 80, 70);
    CRect area = AreaInParent(picture);
    picture.SetIcon(IDI_PAGE);
    PaintNow(page);
    int x = area.left + (80 - 11) / 2;
    int y = area.top + (70 - 12) / 2;
    EXPECT_EQ(kIconColour, Pixel(page, x, y));
    EXPECT_EQ(kIconColour, Pixel(page, x + 31, y + 31));
    EXPECT_NE(kIconColour, Pixel(page, x - 1, y));
    EXPECT_NE(kIconColour, Pixel(page, x, y - 1));

    picture.SetIcon(IDI_PAGE);
    EXPECT_EQ(CRect(), Invalid());
    picture.SetIcon(IDI_OTHER);
    CRect widened = area;
    widened.InflateRect(5, 0);
    EXPECT_EQ(widened, Invalid());
    PaintNow(page);
    EXPECT_EQ(kOtherIconColour, Pixel(page, x, y));

    picture.SetIcon(IDB_MISSING);
    PaintNow(page);
    EXPECT_FALSE(Shows(page, area, kOtherIconColour));
}

TEST_F(MenuItem, ABitmapIsDrawnCentredAtItsNaturalSize)
{
    CBrowserMenuItem& picture = page.m_picture;
    Place(picture, 80, 70);
    CRect area = AreaInParent(picture);
    picture.SetBitmap(IDB_PICTURE);
    PaintNow(page);
    int x = area.left + 30;
    int y = area.top + 30;
    EXPECT_EQ(kPictureColour, Pixel(page, x, y));
    EXPECT_EQ(kPictureColour, Pixel(page, x + 19, y + 9));
    EXPECT_NE(kPictureColour, Pixel(page, x - 1, y));
    EXPECT_NE(kPictureColour, Pixel(page, x + 20, y));
    EXPECT_NE(kPictureColour, Pixel(page, x, y + 10));
    EXPECT_EQ(CSkinnedItem::kBitmap, picture.GetContentKind());

    picture.SetBitmap(IDB_MISSING);
    PaintNow(page);
    EXPECT_FALSE(Shows(page, area, kPictureColour));

    // A bitmap file, kept by the item.
    setup_test::TempFolder folder;
    EXPECT_FALSE(picture.SetBitmap((folder / L"none.bmp").GetString()));
    PaintNow(page);
    CString path = folder / L"picture.bmp";
    WriteBitmapFile(path, 20, 10, kPictureColour);
    EXPECT_TRUE(picture.SetBitmap(path.GetString()));
    EXPECT_EQ(-1, picture.GetImageId());
    picture.Redraw();
    PaintNow(page);
    EXPECT_EQ(kPictureColour, Pixel(page, x, y));
    EXPECT_NE(kPictureColour, Pixel(page, x - 1, y));
}

TEST_F(MenuItem, AChangeRepaintsThePageUnderTheItemFivePixelsWider)
{
    CBrowserMenuItem& link = page.m_link;
    CRect widened = AreaInParent(link);
    widened.InflateRect(5, 0);
    link.SetText(L"Go on");
    EXPECT_EQ(widened, Invalid());
    PaintNow(page);
    link.SetText(L"Go on");
    link.SetAlignment(DT_WORDBREAK | DT_CENTER);
    link.SetColorScheme(3);
    EXPECT_EQ(CRect(), Invalid());
    link.SetFontSize(14);
    EXPECT_EQ(widened, Invalid());
    PaintNow(page);
    link.SetTextId(IDS_NEXT);
    EXPECT_EQ(CString(L"Next"), link.GetText());
    EXPECT_EQ(widened, Invalid());
}

TEST_F(MenuItem, AfterAFontSizeChangeTheHoverAreaFollowsTheNewText)
{
    CBrowserMenuItem& link = page.m_link;
    CSize small = BoldTextSize(page, L"Next", 12);
    CSize large = BoldTextSize(page, L"Next", 24);
    Place(link, large.cx + 50, large.cy + 10);
    int x = (small.cx + large.cx) / 2;
    Mouse(link, WM_MOUSEMOVE, x, 2);
    Mouse(link, WM_MOUSEMOVE, x, 2);
    EXPECT_EQ(arrow, GetCursor());
    link.SetFontSize(24);
    PaintNow(page);
    Mouse(link, WM_MOUSEMOVE, x, 2);
    EXPECT_EQ(hand, GetCursor());
    Mouse(link, WM_MOUSEMOVE, large.cx, 2);
    EXPECT_EQ(arrow, GetCursor());
}

TEST_F(MenuItem, AHoverLinkCanShowAnIconOrABitmapInTheStatusItem)
{
    CBrowserMenuItem& picture = page.m_picture;
    page.m_link.SetHoverLink(IDI_PAGE, &picture, CSkinnedItem::kIcon);
    Mouse(page.m_link, WM_MOUSEMOVE, 5, 5);
    Mouse(page.m_link, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(CSkinnedItem::kIcon, picture.GetContentKind());
    EXPECT_EQ(IDI_PAGE, picture.GetImageId());
    PaintNow(page);
    EXPECT_TRUE(Shows(page, AreaInParent(picture), kIconColour));

    Mouse(page.m_link, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(CSkinnedItem::kText, picture.GetContentKind());
    PaintNow(page);
    EXPECT_FALSE(Shows(page, AreaInParent(picture), kIconColour));

    page.m_link.SetHoverLink(IDB_PICTURE, &picture, CSkinnedItem::kBitmap);
    Mouse(page.m_link, WM_MOUSEMOVE, 5, 5);
    Mouse(page.m_link, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(CSkinnedItem::kBitmap, picture.GetContentKind());
    EXPECT_EQ(IDB_PICTURE, picture.GetImageId());
}

TEST_F(MenuItem, TheRealMouseOverTheTextShowsTheHandAndTheHoverText)
{
    auto moveTo = [](CWnd& window, int x, int y) {
        CPoint point(x, y);
        window.ClientToScreen(&point);
        int width = GetSystemMetrics(SM_CXSCREEN);
        int height = GetSystemMetrics(SM_CYSCREEN);
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = (point.x * 65536 + width - 1) / width;
        input.mi.dy = (point.y * 65536 + height - 1) / height;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof(input));
    };
    auto waitFor = [](const std::function<bool()>& done) {
        for (int i = 0; i < 100 && !done(); ++i) {
            Pump();
            Sleep(20);
        }
        return done();
    };
    // Twice: the first move into the item only starts watching it.
    moveTo(page.m_link, 6, 6);
    Pump();
    moveTo(page.m_link, 8, 6);
    EXPECT_TRUE(waitFor([&] { return page.m_status.GetText() == kHover; }));
    EXPECT_EQ(hand, GetCursor());

    CRect client;
    page.GetClientRect(&client);
    moveTo(page, client.right - 3, client.bottom - 3);
    EXPECT_TRUE(waitFor([&] { return page.m_status.GetText().IsEmpty(); }));
}
