// The hand-drawn check box: its box and label colours, toggling, the hover area of its
// label, and the page's background under it.
#include "tests/Setup/wizard/PagesTestSupport.h"

using namespace pages_test;

namespace {

using Page = TestPage<CDialogSK>;

class Checkbox : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Open(page, IDD_PAGE);
        Pump();
        ::SetCursor(LoadCursorW(nullptr, IDC_CROSS));
    }

    // The dark pixels in the box at the control's left edge.
    int DarkPixelsInBox()
    {
        CRect area = AreaInParent(page.m_box);
        HDC dc = ::GetDC(page.m_hWnd);
        int dark = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.left + 13; ++x) {
                COLORREF c = GetPixel(dc, x, y);
                dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 100;
            }
        ::ReleaseDC(page.m_hWnd, dc);
        return dark;
    }

    Page page;
};

}  // namespace

TEST_F(Checkbox, TheLabelIsDrawnInTheColourOfItsSchemeAndState)
{
    struct Scheme
    {
        int scheme;
        COLORREF enabled;
    };
    const Scheme schemes[] = { { 0, RGB(240, 240, 240) }, { 1, RGB(0, 0, 0) }, { 2, RGB(42, 63, 85) },
                               { 4, RGB(42, 63, 85) } };
    CBrowserCheckbox& box = page.m_box;
    CRect label = AreaInParent(box);
    label.left += 20;
    for (const Scheme& s : schemes) {
        for (bool enabled : { true, false }) {
            box.SetColorScheme(s.scheme);
            box.EnableWindow(enabled);
            box.Redraw();
            PaintNow(page);
            COLORREF expected = enabled ? s.enabled : RGB(173, 193, 214);
            COLORREF other = enabled ? RGB(173, 193, 214) : s.enabled;
            EXPECT_TRUE(Shows(page, label, expected)) << s.scheme << " " << enabled;
            EXPECT_FALSE(Shows(page, label, other)) << s.scheme << " " << enabled;
        }
    }
    EXPECT_EQ(CString(L"Start"), box.GetText());
}

TEST_F(Checkbox, AClickTogglesTheBoxAndItsCheckMark)
{
    CBrowserCheckbox& box = page.m_box;
    int empty = DarkPixelsInBox();
    Mouse(box, WM_LBUTTONDOWN, 5, 5);
    Mouse(box, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(BST_CHECKED, box.GetCheck());
    EXPECT_EQ(1, page.m_boxClicks);
    PaintNow(page);
    int ticked = DarkPixelsInBox();
    EXPECT_GT(ticked, empty + 5);

    Mouse(box, WM_LBUTTONDOWN, 5, 5);
    Mouse(box, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(BST_UNCHECKED, box.GetCheck());
    PaintNow(page);
    EXPECT_EQ(empty, DarkPixelsInBox());

    box.SetCheck(BST_CHECKED);
    PaintNow(page);
    EXPECT_EQ(ticked, DarkPixelsInBox());
}

TEST_F(Checkbox, TheHoverAreaStartsAtTheBoxAndIsAsWideAsTheLabel)
{
    CBrowserCheckbox& box = page.m_box;
    CSize text = BoldTextSize(page, L"Start", 12);
    CRect area = AreaInParent(box);
    box.MoveWindow(area.left, area.top, text.cx + 60, text.cy + 6);
    PaintNow(page);
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const CString hover = L"Start the editor at the end";

    Mouse(box, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(CString(), page.m_status.GetText());
    const struct
    {
        int x, y;
        bool over;
    } points[] = { { 0, 0, true }, { text.cx - 1, text.cy - 1, true }, { text.cx, 2, false },
                   { 2, text.cy, false }, { text.cx + 20, 2, false } };
    for (const auto& p : points) {
        Mouse(box, WM_MOUSEMOVE, p.x, p.y);
        EXPECT_EQ(p.over ? hand : arrow, GetCursor()) << p.x << "," << p.y;
        EXPECT_EQ(p.over ? hover : CString(), page.m_status.GetText()) << p.x << "," << p.y;
    }
    Mouse(box, WM_MOUSEMOVE, 1, 1);
    Mouse(box, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(CString(), page.m_status.GetText());

    box.SetPassive(TRUE);
    ::SetCursor(LoadCursorW(nullptr, IDC_CROSS));
    Mouse(box, WM_MOUSEMOVE, 1, 1);
    Mouse(box, WM_MOUSEMOVE, 1, 1);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_CROSS), GetCursor());
    EXPECT_EQ(CString(), page.m_status.GetText());
}

TEST_F(Checkbox, AChangeRepaintsTheBoxAndThePageUnderIt)
{
    CBrowserCheckbox& box = page.m_box;
    CRect area = AreaInParent(box);
    box.SetText(L"Launch");
    CRect invalid;
    ASSERT_TRUE(GetUpdateRect(page.m_hWnd, &invalid, FALSE));
    EXPECT_EQ(area, invalid);
    ASSERT_TRUE(GetUpdateRect(box.m_hWnd, &invalid, FALSE));
    PaintNow(page);
    box.SetText(L"Launch");
    EXPECT_FALSE(GetUpdateRect(page.m_hWnd, &invalid, FALSE));
    box.SetTextId(IDS_NEXT);
    EXPECT_EQ(CString(L"Next"), box.GetText());
}

TEST_F(Checkbox, ItsStateChangesKeepItsOwnDrawing)
{
    // The page's background stays visible right of the label through every change of state.
    CBrowserCheckbox& box = page.m_box;
    CRect area = AreaInParent(box);
    CPoint free(area.right - 2, area.bottom - 2);
    COLORREF background = Pixel(page, free.x, free.y);
    EXPECT_EQ(RGB(free.x, free.y, 60), background);
    box.SetCheck(BST_CHECKED);
    box.SendMessage(BM_SETSTATE, TRUE);
    box.SendMessage(BM_SETSTATE, FALSE);
    box.SetFocus();
    box.EnableWindow(FALSE);
    box.EnableWindow(TRUE);
    PaintNow(page);
    EXPECT_EQ(background, Pixel(page, free.x, free.y));
}

TEST_F(Checkbox, TheParentBackgroundSnapshotIsThePageUnderTheBox)
{
    CBrowserCheckbox& box = page.m_box;
    CRect area = AreaInParent(box);
    HDC screen = ::GetDC(nullptr);
    CDC target;
    target.Attach(CreateCompatibleDC(screen));
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.Width(), area.Height());
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(target, bitmap);
    box.PaintParentBackground(&target);
    int x = area.Width() - 2;
    int y = area.Height() - 2;
    EXPECT_EQ(RGB(area.left + x, area.top + y, 60), GetPixel(target, x, y));
    PatBlt(target, 0, 0, area.Width(), area.Height(), BLACKNESS);
    box.PaintParentBackground(&target);   // taken once, copied again
    EXPECT_EQ(RGB(area.left + x, area.top + y, 60), GetPixel(target, x, y));
    SelectObject(target, previous);
    DeleteObject(bitmap);
    DeleteDC(target.Detach());
}
