// The right-hand pane of the main window: the checklist selected in the tree,
// roughly as a cockpit display shows it. It reads the current document at every
// paint and changes nothing.
#pragma once

#include "framework/Framework.h"

#include <map>
#include <vector>

namespace app {

class View_t : public CScrollView {
    DECLARE_DYNCREATE(View_t)

public:
    View_t() = default;
    ~View_t() override = default;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    // The document changed: the scroll sizes follow what it shows, and the whole
    // view is drawn again.
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
    // The heading with the group's and checklist's names, the entries one below
    // another (those the clip box meets), a border round them all.
    void OnDraw(CDC* dc) override;

    // Black behind a checklist, grey when none is shown.
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    // A new client rectangle gives a new area: the scroll sizes follow it.
    afx_msg void OnSize(UINT type, int cx, int cy);
    // The first paint after the view was hidden sets the scroll sizes it waited for.
    afx_msg void OnPaint();

    // How many times the entries have been laid out to learn their height.
    int GetLayoutCountForTest() const { return layoutCount; }
    // How many entries the last drawing of the preview drew.
    int GetEntriesDrawnForTest() const { return entriesDrawn; }

    DECLARE_MESSAGE_MAP()

private:
    // The scroll sizes for the current client rectangle, set before any paint:
    // a paint that switched a scroll bar on or off would change the very client
    // rectangle it draws for. A bar that comes or goes leaves another client
    // rectangle, for which they are set again. A view that cannot be seen
    // leaves them for its first paint.
    void UpdateScrollSizes();
    // The scroll sizes for the area drawn in the given client rectangle.
    void SetScrollSizesFor(const CRect& client);
    // The area drawn in the given client rectangle; empty when there is no
    // checklist to show.
    CRect AreaFor(const CRect& client);

    bool settingScrollSizes = false;
    bool scrollSizesDue = false;
    // What a layout learnt of one width: the area's least height, and each
    // entry's height, by which a paint steps over the entries it need not draw.
    struct Layout_t {
        int height;
        std::vector<int> entryHeights;
    };
    // The layouts of each width since the document last changed: a width's
    // entries keep their height until then.
    std::map<int, Layout_t> layoutsByWidth;
    int layoutCount = 0;
    int entriesDrawn = 0;
};

} // namespace app
