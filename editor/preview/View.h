// The right-hand pane of the main window: the checklist selected in the tree,
// roughly as a cockpit display shows it. It reads the current document at every
// paint and changes nothing.
#pragma once

#include "framework/Framework.h"

namespace app {

class View_t : public CScrollView {
    DECLARE_DYNCREATE(View_t)

public:
    View_t() = default;
    ~View_t() override = default;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    // The heading with the group's and checklist's names, the entries one below
    // another, a border round them all; the scroll sizes follow.
    void OnDraw(CDC* dc) override;

    // Black behind a checklist, grey when none is shown.
    afx_msg BOOL OnEraseBkgnd(CDC* dc);

    DECLARE_MESSAGE_MAP()
};

} // namespace app
