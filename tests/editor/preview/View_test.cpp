// The preview view in a real window: the background, the heading block, where
// the entries start, the border round them, the scroll sizes, the drawing
// again for a new size, and how often the entries are laid out for them.
#include <gtest/gtest.h>

#include "editor/document/Document.h"
#include "editor/preview/PreviewStyle.h"
#include "editor/preview/View.h"
#include "tests/editor/preview/Canvas.h"

using app::CheckList_t;
using app::Document_t;
using app::Entry_t;
using app::Group_t;
using namespace views_test;
namespace preview = app::preview;

namespace {

const COLORREF lineColour = RGB(200, 200, 200);
const COLORREF black = RGB(0, 0, 0);

class PreviewView : public ::testing::Test {
protected:
    PreviewView()
    {
        Group_t normal("Normal");
        CheckList_t beforeStart("Before Start");
        beforeStart.entries = {Entry_t("Battery", Entry_t::ChallengeResponse, Entry_t::Left, "ON"),
                               Entry_t("Doors", Entry_t::Challenge, Entry_t::Indent1)};
        normal.checklists = {beforeStart, CheckList_t("Taxi")};
        document.GetDatabase().groups = {normal, Group_t("Emergency")};
        document.SetSelectedGroup(0);
        document.SetSelectedCheckList(0);

        parent.CreateEx(0, AfxRegisterWndClass(0), "Preview", WS_POPUP | WS_VISIBLE, 0, 0, 900, 800, nullptr,
                        nullptr);
        view = new app::View_t;
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 500), &parent, AFX_IDW_PANE_FIRST);
        document.AddView(view);
        view->OnInitialUpdate();
    }
    ~PreviewView() override { parent.DestroyWindow(); }

    CRect Client() const
    {
        CRect client;
        view->GetClientRect(&client);
        return client;
    }
    void Resize(int width, int height) { view->MoveWindow(0, 0, width, height); }

    // The document tells its views of a change; the view then draws into a
    // picture as large as the area it may cover.
    void Draw(Canvas_t& canvas)
    {
        document.UpdateAllViews(nullptr);
        view->OnDraw(canvas.Dc());
    }
    // What the window's client area shows on the screen.
    void CopyScreen(Canvas_t& canvas)
    {
        CClientDC dc(view);
        canvas.Dc()->BitBlt(0, 0, canvas.width, canvas.height, &dc, 0, 0, SRCCOPY);
    }

    CSize TotalSize() const { return view->GetTotalSize(); }

    Document_t document;
    CWnd parent;
    app::View_t* view;
};

// The heading block's rows: the two words, 12 pixels apart, from 22 pixels down.
struct Heading_t {
    int groupBottom;
    int checkListTop;
    int checkListBottom;
};

Heading_t Heading()
{
    const int wordHeight = FontHeight(16, 700);
    return {22 + wordHeight, 22 + wordHeight + 12, 22 + 2 * wordHeight + 12};
}

// The frame lines of an area of the given size.
void ExpectFrame(Canvas_t& canvas, int width, int height)
{
    for (int x : {10, width / 2, width - 11}) {
        EXPECT_EQ(lineColour, canvas.Pixel(x, 10)) << x;
        EXPECT_EQ(lineColour, canvas.Pixel(x, 80)) << x;
        EXPECT_EQ(lineColour, canvas.Pixel(x, height - 10)) << x;
    }
    for (int y : {11, height / 2, height - 11}) {
        EXPECT_EQ(lineColour, canvas.Pixel(10, y)) << y;
        EXPECT_EQ(lineColour, canvas.Pixel(width - 10, y)) << y;
    }
    EXPECT_EQ(black, canvas.Pixel(9, 10));
    EXPECT_EQ(black, canvas.Pixel(width - 9, 10));
    EXPECT_EQ(black, canvas.Pixel(10, height - 9));
    EXPECT_EQ(black, canvas.Pixel(11, 11));
    EXPECT_TRUE(canvas.Blank(CRect(0, height - 9, canvas.width, canvas.height)));
    EXPECT_TRUE(canvas.Blank(CRect(width - 9, 0, canvas.width, canvas.height)));
}

} // namespace

TEST_F(PreviewView, WithoutAChecklistTheBackgroundIsGreyAndNothingIsDrawn)
{
    for (int group : {-1, 0}) {
        document.SetSelectedGroup(group);
        document.SetSelectedCheckList(group == -1 ? 0 : -1);
        Canvas_t canvas(700, 600);
        view->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()->GetSafeHdc()));
        EXPECT_EQ(Client(), canvas.Extent(preview::grey, CRect(0, 0, 700, 600)));
        Canvas_t picture(700, 600);
        Draw(picture);
        EXPECT_TRUE(picture.Blank(CRect(0, 0, 700, 600)));
        EXPECT_EQ(CSize(0, 0), TotalSize());
    }
    // A database without groups shows nothing whatever the selection says.
    document.SetSelectedCheckList(0);
    document.GetDatabase().groups.clear();
    Canvas_t canvas(700, 600);
    view->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()->GetSafeHdc()));
    EXPECT_TRUE(canvas.Holds(preview::grey, CRect(0, 0, 10, 10)));
}

TEST_F(PreviewView, BehindAChecklistTheBackgroundIsBlack)
{
    Canvas_t canvas(700, 600);
    canvas.Dc()->PatBlt(0, 0, 700, 600, WHITENESS);
    view->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()->GetSafeHdc()));
    EXPECT_TRUE(canvas.Blank(Client()));
    EXPECT_EQ(preview::white, canvas.Pixel(Client().right, 0));
}

TEST_F(PreviewView, AWindowSmallerThan500By400ScrollsOverThatArea)
{
    Resize(300, 200);
    const CRect client = Client();
    Canvas_t canvas(700, 600);
    Draw(canvas);
    EXPECT_EQ(CSize(500, 400), TotalSize());
    ExpectFrame(canvas, 500, 400);
    // The page is the window's client area.
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(std::min<int>(client.Height(), 400 - Client().Height()), view->GetScrollPosition().y);
}

TEST_F(PreviewView, AWindowLargerThanTheAreaIsTheArea)
{
    const CRect client = Client();
    Canvas_t canvas(700, 600);
    Draw(canvas);
    EXPECT_EQ(client.Size(), TotalSize());
    ExpectFrame(canvas, client.Width(), client.Height());
}

TEST_F(PreviewView, TheHeadingNamesTheGroupAndTheChecklistBesideTheirWords)
{
    Canvas_t canvas(700, 600);
    Draw(canvas);
    const Heading_t heading = Heading();
    const CRect groupWord = canvas.Extent(preview::white, CRect(0, 11, 700, heading.groupBottom + 3));
    EXPECT_NEAR(17, groupWord.left, 2);
    EXPECT_GE(groupWord.top, 22);
    EXPECT_LE(groupWord.bottom, heading.groupBottom);
    EXPECT_LE(groupWord.right, 17 + TextWidth("GROUP", 16, 700));
    const CRect checkListWord = canvas.Extent(preview::white, CRect(0, heading.checkListTop, 700, 80));
    EXPECT_NEAR(17, checkListWord.left, 2);
    EXPECT_LE(checkListWord.bottom, heading.checkListBottom);

    // The names in cyan, 7 pixels after their words, ending 2 pixels below them.
    const CRect groupName = canvas.Extent(preview::cyan, CRect(0, 11, 700, heading.groupBottom + 3));
    EXPECT_NEAR(17 + TextWidth("GROUP", 16, 700) + 7, groupName.left, 2);
    EXPECT_LE(groupName.bottom, heading.groupBottom + 2);
    EXPECT_GE(groupName.bottom, heading.groupBottom - 6);
    EXPECT_LE(groupName.right, 17 + TextWidth("GROUP", 16, 700) + 7 + TextWidth("Normal", 22, 500));
    const CRect checkListName = canvas.Extent(preview::cyan, CRect(0, heading.checkListTop, 700, 80));
    EXPECT_NEAR(17 + TextWidth("CHECKLIST", 16, 700) + 7, checkListName.left, 2);
    EXPECT_LE(checkListName.bottom, heading.checkListBottom + 2);
}

TEST_F(PreviewView, EntriesStartBelowTheHeadingOneBelowAnother)
{
    Canvas_t canvas(700, 600);
    Draw(canvas);
    // The first entry's box stands 18 + 3 pixels in, 88 + 5 down; the second,
    // indented, one entry's height lower.
    const int firstHeight = FontHeight(18, 400) + 5;
    const CRect firstBox = canvas.Extent(lineColour, CRect(12, 81, 300, 88 + firstHeight));
    EXPECT_EQ(CRect(21, 93, 30, 102), firstBox);
    const CRect secondBox = canvas.Extent(lineColour, CRect(12, 88 + firstHeight, 300, 88 + 2 * firstHeight));
    EXPECT_EQ(CRect(21 + TextWidth("    "), 93 + firstHeight, 30 + TextWidth("    "), 102 + firstHeight),
              secondBox);
    // The response stands flush with the entries' right edge, 18 pixels in.
    const CRect response = canvas.Extent(preview::cyan, CRect(300, 88, 700, 88 + FontHeight(18, 400)));
    EXPECT_LE(response.right, Client().right - 18);
    EXPECT_GE(response.right, Client().right - 18 - 4);
}

TEST_F(PreviewView, ALongChecklistGrowsTheAreaAndScrollsVertically)
{
    CheckList_t& list = document.GetDatabase().groups.front().checklists.front();
    list.entries.assign(60, Entry_t("Item", Entry_t::PlainText));
    const int entriesHeight = 60 * (FontHeight(18, 400) + 5);
    const int layouts = view->GetLayoutCountForTest();
    Canvas_t canvas(700, 1600);
    Draw(canvas);
    // Laid out once for each width the view took: without the bar and beside it.
    EXPECT_EQ(layouts + 2, view->GetLayoutCountForTest());
    // A vertical scroll bar, and no horizontal one: the area is as wide as the
    // client rectangle that the bar leaves.
    const CRect client = Client();
    EXPECT_EQ(CRect(0, 0, 600 - ::GetSystemMetrics(SM_CXVSCROLL), 500), client);
    EXPECT_EQ(CSize(client.Width(), entriesHeight + 106), TotalSize());
    ExpectFrame(canvas, client.Width(), entriesHeight + 106);
    EXPECT_EQ(60 * 1, [&] {
        int rows = 0;
        for (int y = 88; y < 88 + entriesHeight; y += FontHeight(18, 400) + 5)
            rows += canvas.Holds(preview::grey, CRect(18, y, 100, y + FontHeight(18, 400)));
        return rows;
    }());
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(client.Height(), view->GetScrollPosition().y);
    view->SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(entriesHeight + 106 - Client().Height(), view->GetScrollPosition().y);
    EXPECT_EQ(layouts + 2, view->GetLayoutCountForTest());

    // Scrolled 2 pixels past the top of a warning in the middle, a paint draws
    // the entries it shows only: the warning in the client's first row.
    *std::next(list.entries.begin(), 30) = Entry_t("Middle", Entry_t::Warning);
    document.UpdateAllViews(nullptr);
    view->ScrollToPosition(CPoint(0, 88 + 30 * (FontHeight(18, 400) + 5) + 2));
    view->RedrawWindow();
    EXPECT_GT(view->GetEntriesDrawnForTest(), 0);
    EXPECT_LT(view->GetEntriesDrawnForTest(), 60);
    Canvas_t screen(client.Width(), client.Height());
    CopyScreen(screen);
    const CRect warning = screen.Extent(preview::yellow, CRect(0, 0, client.Width(), client.Height()));
    EXPECT_FALSE(warning.IsRectEmpty());
    EXPECT_LE(warning.bottom, FontHeight(18, 400) - 2);

    // At the paint's edge, counted: an entry's last 5 rows are blank, so the
    // screen cannot tell. A paint of the warning's last row and the next
    // entry's first draws both; of the next entry's first row alone, where the
    // warning ends, that entry only.
    const int warningEnd = FontHeight(18, 400) + 5 - 2;
    const CRect lastAndFirst(0, warningEnd - 1, client.Width(), warningEnd + 1);
    view->RedrawWindow(&lastAndFirst);
    EXPECT_EQ(2, view->GetEntriesDrawnForTest());
    const CRect firstOnly(0, warningEnd, client.Width(), warningEnd + 1);
    view->RedrawWindow(&firstOnly);
    EXPECT_EQ(1, view->GetEntriesDrawnForTest());
}

TEST_F(PreviewView, AnIndexBeyondItsListDrawsTheFrameAndHeadingsOnly)
{
    const CRect client = Client();
    const Heading_t heading = Heading();
    document.SetSelectedGroup(5);
    Canvas_t noGroup(700, 600);
    Draw(noGroup);
    ExpectFrame(noGroup, client.Width(), client.Height());
    EXPECT_TRUE(noGroup.Holds(preview::white, CRect(0, 11, 700, 80)));
    EXPECT_FALSE(noGroup.Holds(preview::cyan, CRect(0, 0, 700, 600)));

    document.SetSelectedGroup(0);
    document.SetSelectedCheckList(9);
    Canvas_t noCheckList(700, 600);
    Draw(noCheckList);
    ExpectFrame(noCheckList, client.Width(), client.Height());
    EXPECT_TRUE(noCheckList.Holds(preview::cyan, CRect(0, 11, 700, heading.groupBottom + 3)));
    EXPECT_FALSE(noCheckList.Holds(preview::cyan, CRect(0, heading.checkListTop, 700, 600)));
    EXPECT_FALSE(noCheckList.Holds(lineColour, CRect(12, 81, client.Width() - 11, client.Height() - 11)));
}

TEST_F(PreviewView, PaintsOnTheScreenWithItsScrollBars)
{
    CREATESTRUCT create = {};
    view->PreCreateWindow(create);
    EXPECT_EQ(static_cast<LONG>(WS_HSCROLL | WS_VSCROLL), create.style & (WS_HSCROLL | WS_VSCROLL));
    view->RedrawWindow();
    CClientDC dc(view);
    EXPECT_EQ(lineColour, dc.GetPixel(10, 10));
    EXPECT_EQ(lineColour, dc.GetPixel(300, 80));
    EXPECT_EQ(black, dc.GetPixel(5, 5));

    document.SetSelectedGroup(-1);
    view->RedrawWindow();
    EXPECT_EQ(preview::grey, dc.GetPixel(10, 10));
}

TEST_F(PreviewView, AfterAChangeOfSizeTheWholePreviewIsDrawnForTheNewClientArea)
{
    // A checklist longer than the window, its first entry centred; the first
    // display, then the window larger, lower and narrower. A width is laid out
    // once: a new height needs no layout.
    CheckList_t& list = document.GetDatabase().groups.front().checklists.front();
    list.entries.assign(40, Entry_t("Item", Entry_t::PlainText));
    list.entries.front() = Entry_t("Centred", Entry_t::PlainText, Entry_t::Center);
    document.UpdateAllViews(nullptr);
    const int textHeight = FontHeight(18, 400);
    const int entriesHeight = 40 * (textHeight + 5);
    const struct {
        CSize size;
        int layouts;
    } steps[] = {{{600, 500}, 0}, {{800, 650}, 1}, {{800, 500}, 0}, {{550, 450}, 1}};
    for (const auto& step : steps) {
        const CSize size = step.size;
        const int layouts = view->GetLayoutCountForTest();
        Resize(size.cx, size.cy);
        view->UpdateWindow();
        EXPECT_EQ(layouts + step.layouts, view->GetLayoutCountForTest()) << size.cx << " x " << size.cy;
        const CRect client = Client();
        EXPECT_EQ(CRect(0, 0, size.cx - ::GetSystemMetrics(SM_CXVSCROLL), size.cy), client) << size.cx;
        Canvas_t screen(client.Width(), client.Height());
        CopyScreen(screen);
        EXPECT_EQ(CSize(client.Width(), entriesHeight + 106), TotalSize()) << size.cx;
        // The right border stands once, 10 pixels in from the client's right edge.
        for (int y : {11, 200, client.Height() - 1}) {
            EXPECT_EQ(CRect(client.right - 10, y, client.right - 9, y + 1),
                      screen.Extent(lineColour, CRect(11, y, client.right, y + 1)))
                << size.cx << " " << y;
        }
        // The centred entry stands in the middle of the entries' width, which
        // runs from 18 pixels in on the left to 18 in on the right.
        const CRect centred = screen.Extent(preview::grey, CRect(11, 88, client.right, 88 + textHeight));
        EXPECT_NEAR(client.Width() / 2, (centred.left + centred.right) / 2, 2) << size.cx;
        EXPECT_NEAR(TextWidth("Centred"), centred.Width(), 3) << size.cx;
    }
}

TEST_F(PreviewView, AHiddenViewLaysItsChecklistOutWhenItIsShown)
{
    // As at start-up: the frame hidden while the view is sized and the document
    // opened, then shown.
    parent.ShowWindow(SW_HIDE);
    document.GetDatabase().groups.front().checklists.front().entries.assign(60, Entry_t("Item", Entry_t::PlainText));
    const int layouts = view->GetLayoutCountForTest();
    view->OnInitialUpdate();
    Resize(700, 550);
    document.UpdateAllViews(nullptr);
    Resize(650, 500);
    EXPECT_EQ(layouts, view->GetLayoutCountForTest());
    parent.ShowWindow(SW_SHOW);
    view->UpdateWindow();
    // Without the bar, then beside it; the screen shows the border beside the bar.
    EXPECT_EQ(layouts + 2, view->GetLayoutCountForTest());
    const CRect client = Client();
    EXPECT_EQ(CRect(0, 0, 650 - ::GetSystemMetrics(SM_CXVSCROLL), 500), client);
    EXPECT_EQ(CSize(client.Width(), 60 * (FontHeight(18, 400) + 5) + 106), TotalSize());
    Canvas_t screen(client.Width(), client.Height());
    CopyScreen(screen);
    EXPECT_EQ(lineColour, screen.Pixel(client.right - 10, 200));
}
