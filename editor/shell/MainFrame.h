// The editor's main window: menu, toolbar and status bar around a splitter
// that holds the tree of the checklist file on the left and the preview of
// the selected checklist on the right.
#pragma once

#include "framework/Framework.h"

namespace app {

class MainFrame_t : public CFrameWnd {
    DECLARE_DYNCREATE(MainFrame_t)

public:
    MainFrame_t() = default;
    ~MainFrame_t() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT createStruct, CCreateContext* context) override;
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);

    // Stores the title and shows it in the caption at once.
    void SetTitle(const char* newTitle);

    CSplitterWnd& GetSplitter() { return splitter; }
    CToolBar& GetToolBar() { return toolBar; }
    CStatusBar& GetStatusBar() { return statusBar; }

    DECLARE_MESSAGE_MAP()

private:
    CSplitterWnd splitter;
    CStatusBar statusBar;
    CToolBar toolBar;
};

} // namespace app
