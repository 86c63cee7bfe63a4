// The preview of the selected checklist.
#include "editor/preview/View.h"

#include "editor/document/Document.h"
#include "editor/preview/PreviewStyle.h"
#include "foundation/gdi/GDI_SmartBrush.h"
#include "foundation/gdi/GDI_SmartFont.h"
#include "foundation/gdi/GDI_SmartPen.h"
#include "foundation/journal/UTL_Saver.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace app {

namespace {

const UINT headingFlags = DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX;
const UINT nameFlags = headingFlags | DT_END_ELLIPSIS;
// The smallest area drawn; a smaller window scrolls over it.
const int minimumWidth = 500;
const int minimumHeight = 400;

// Where the heading words ended.
struct Headings_t {
    int groupWidth;
    int groupBottom;
    int checkListWidth;
    int checkListBottom;
};

// Whether the document has a checklist to show.
bool ShowsCheckList(Document_t& document)
{
    return !document.GetDatabase().groups.empty() && document.GetSelectedGroup() != -1 &&
           document.GetSelectedCheckList() != -1;
}

void DrawLine(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

// A name beside its heading word: from 7 pixels after the word to the area's
// right edge less 10, ending 2 pixels below the word's bottom.
void DrawName(CDC* dc, const std::string& name, int left, int wordBottom, int right)
{
    const CSize size = Entry_t::MeasureText(dc, name);
    preview::DrawString(dc, name, CRect(left, wordBottom - size.cy, right, wordBottom + 2), nameFlags);
}

// The two heading words, in white.
Headings_t DrawHeadings(CDC* dc, const CRect& area)
{
    static const std::string groupWord = "GROUP";
    static const std::string checkListWord = "CHECKLIST";

    CFont font;
    preview::MakeFont(font, 16, 700);
    gdi::SmartFont_t selected(dc, &font);
    dc->SetTextColor(preview::white);
    Headings_t headings;
    headings.groupWidth = Entry_t::MeasureText(dc, groupWord).cx;
    headings.groupBottom = area.top + 22 + Entry_t::MeasureText(dc, groupWord).cy;
    const CRect groupRect(area.left + 17, area.top + 22, area.right - 10, headings.groupBottom);
    preview::DrawString(dc, groupWord, groupRect, headingFlags);
    const int checkListTop = headings.groupBottom + 12;
    headings.checkListWidth = Entry_t::MeasureText(dc, checkListWord).cx;
    headings.checkListBottom = checkListTop + Entry_t::MeasureText(dc, checkListWord).cy;
    const CRect checkListRect(area.left + 17, checkListTop, area.right - 10, headings.checkListBottom);
    preview::DrawString(dc, checkListWord, checkListRect, headingFlags);
    return headings;
}

// The selected group's and checklist's names in cyan, and the checklist's
// entries from 88 pixels below the area's top; returns the entries' height.
// An index beyond its list draws nothing from there on. With a height for each
// entry in heights, only the entries that meet the clip box are drawn, the
// others stepped over; without, every entry is drawn and its height put there.
// drawn counts the entries drawn.
int DrawSelection(CDC* dc, Document_t& document, const CRect& area, const Headings_t& headings,
                  std::vector<int>& heights, int& drawn)
{
    CFont font;
    preview::MakeFont(font, 22, 500);
    gdi::SmartFont_t selected(dc, &font);
    dc->SetTextColor(preview::cyan);
    const Database_t& database = document.GetDatabase();
    const auto group = database.GroupAt(document.GetSelectedGroup());
    if (group == database.groups.end())
        return 0;
    DrawName(dc, group->name, area.left + 17 + headings.groupWidth + 7, headings.groupBottom, area.right - 10);
    const auto checkList = group->CheckListAt(document.GetSelectedCheckList());
    if (checkList == group->checklists.end())
        return 0;
    DrawName(dc, checkList->name, area.left + 17 + headings.checkListWidth + 7, headings.checkListBottom,
             area.right - 10);
    const bool kept = heights.size() == checkList->entries.size();
    if (!kept)
        heights.clear();
    CRect clip;
    dc->GetClipBox(&clip);
    const int first = area.top + 88;
    int top = first;
    size_t i = 0;
    for (auto entry = checkList->entries.begin(); entry != checkList->entries.end(); ++entry, ++i) {
        if (kept && (top + heights[i] <= clip.top || top >= clip.bottom)) {
            top += heights[i];
            continue;
        }
        const int height = entry->Draw(dc, CRect(area.left + 18, top, area.right - 18, top));
        ++drawn;
        if (!kept)
            heights.push_back(height);
        top += height;
    }
    return top - first;
}

// The client rectangle, at least 500 x 400.
CRect LeastArea(const CRect& client)
{
    CRect area = client;
    if (area.Width() < minimumWidth)
        area.right = minimumWidth;
    if (area.Height() < minimumHeight)
        area.bottom = minimumHeight;
    return area;
}

// The whole preview for a client rectangle; returns the area it covers, empty
// when there is no checklist to show. The entries' heights and the count of
// entries drawn as for DrawSelection.
CRect DrawPreview(CDC* dc, Document_t& document, const CRect& client, std::vector<int>& entryHeights,
                  int& entriesDrawn)
{
    if (!ShowsCheckList(document))
        return CRect();
    CRect area = LeastArea(client);
    {
        gdi::SmartPen_t pen(dc, PS_SOLID, 0, preview::lineColour);
        DrawLine(dc, area.left + 10, area.top + 10, area.right - 10, area.top + 10);
        DrawLine(dc, area.left + 10, area.top + 80, area.right - 10, area.top + 80);
    }
    dc->SetBkMode(TRANSPARENT);
    const int entriesHeight =
        DrawSelection(dc, document, area, DrawHeadings(dc, area), entryHeights, entriesDrawn);
    if (entriesHeight + 106 > area.Height())
        area.bottom = area.top + entriesHeight + 106;
    gdi::SmartPen_t pen(dc, PS_SOLID, 0, preview::lineColour);
    const POINT border[] = {{area.left + 10, area.top + 10},
                            {area.left + 10, area.bottom - 10},
                            {area.right - 10, area.bottom - 10},
                            {area.right - 10, area.top + 10}};
    dc->Polyline(border, 4);
    return area;
}

} // namespace

IMPLEMENT_DYNCREATE(View_t, CScrollView)

BEGIN_MESSAGE_MAP(View_t, CScrollView)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL View_t::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_VSCROLL | WS_HSCROLL;
    return CScrollView::PreCreateWindow(cs);
}

void View_t::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(0, 0));
    // The update that follows sets the sizes for what the document shows.
    CScrollView::OnInitialUpdate();
}

BOOL View_t::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    gdi::SmartBrush_t brush(dc);
    brush.Create(ShowsCheckList(CurrentDocument()) ? RGB(0, 0, 0) : preview::grey);
    dc->PatBlt(client.left, client.top, client.Width(), client.Height(), PATCOPY);
    return TRUE;
}

void View_t::OnDraw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    // The heights laid out for this width spare the entries outside the clip
    // box; should there be none, every entry is drawn.
    const auto known = layoutsByWidth.find(LeastArea(client).Width());
    std::vector<int> heights;
    if (known != layoutsByWidth.end())
        heights = known->second.entryHeights;
    entriesDrawn = 0;
    DrawPreview(dc, CurrentDocument(), client, heights, entriesDrawn);
}

void View_t::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject)
{
    layoutsByWidth.clear();
    UpdateScrollSizes();
    CScrollView::OnUpdate(sender, hint, hintObject);
}

void View_t::OnSize(UINT type, int cx, int cy)
{
    // While the sizes are being set, a scroll bar that comes or goes sizes the
    // view again: the setting goes on for the new client rectangle itself.
    if (settingScrollSizes)
        return;
    // Not the scroll view's own handling: it would set the bars for the sizes
    // of the old client rectangle first.
    CView::OnSize(type, cx, cy);
    UpdateScrollSizes();
}

void View_t::OnPaint()
{
    // Before the paint begins: a scroll bar that comes or goes then has the
    // whole client rectangle it leaves painted.
    if (scrollSizesDue)
        UpdateScrollSizes();
    CScrollView::OnPaint();
}

void View_t::UpdateScrollSizes()
{
    // Hidden, as in the frame during start-up, the view lays nothing out.
    scrollSizesDue = !IsWindowVisible();
    if (scrollSizesDue)
        return;
    utl::Saver_t<bool> saver(settingScrollSizes);
    settingScrollSizes = true;
    CRect client;
    GetClientRect(&client);
    // Each bar can come or go once: the client rectangle holds still after a
    // few passes.
    for (int pass = 0; pass < 3; ++pass) {
        SetScrollSizesFor(client);
        CRect left;
        GetClientRect(&left);
        if (left == client)
            break;
        client = left;
    }
}

void View_t::SetScrollSizesFor(const CRect& client)
{
    const CRect area = AreaFor(client);
    if (area.IsRectEmpty()) {
        SetScrollSizes(MM_TEXT, CSize(0, 0));
        return;
    }
    const bool larger = area.Height() > client.Height() || area.Width() > client.Width();
    SetScrollSizes(MM_TEXT, larger ? area.Size() : client.Size(), client.Size());
}

CRect View_t::AreaFor(const CRect& client)
{
    Document_t& document = CurrentDocument();
    if (!ShowsCheckList(document))
        return CRect();
    CRect area = LeastArea(client);
    auto known = layoutsByWidth.find(area.Width());
    if (known == layoutsByWidth.end()) {
        // The entries are laid out where nothing shows, to learn how high they
        // are: each one, and the area's least height for its width.
        CClientDC dc(this);
        dc.IntersectClipRect(0, 0, 0, 0);
        std::vector<int> heights;
        int drawn = 0;
        const CRect laidOut =
            DrawPreview(&dc, document, CRect(area.left, area.top, area.right, area.top), heights, drawn);
        ++layoutCount;
        known = layoutsByWidth.emplace(area.Width(), Layout_t{laidOut.Height(), std::move(heights)}).first;
    }
    area.bottom = std::max<LONG>(area.bottom, area.top + known->second.height);
    return area;
}

} // namespace app
