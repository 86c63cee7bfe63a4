// The editor's main window.
#include "editor/shell/MainFrame.h"

#include "editor/shell/ResourceIds.h"
#include "editor/tree/TreeView.h"

namespace app {

namespace {

const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

} // namespace

IMPLEMENT_DYNCREATE(MainFrame_t, CFrameWnd)

BEGIN_MESSAGE_MAP(MainFrame_t, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

MainFrame_t::~MainFrame_t() = default;

BOOL MainFrame_t::PreCreateWindow(CREATESTRUCT& cs)
{
    return CFrameWnd::PreCreateWindow(cs);
}

int MainFrame_t::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CFrameWnd::OnCreate(createStruct) == -1)
        return -1;
    const DWORD barStyle =
        WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!toolBar.CreateEx(this, TBSTYLE_FLAT, barStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !toolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !statusBar.SetIndicators(indicators, sizeof indicators / sizeof indicators[0]))
        return -1;
    toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&toolBar);
    return 0;
}

BOOL MainFrame_t::OnCreateClient(LPCREATESTRUCT, CCreateContext* context)
{
    if (!splitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!splitter.CreateView(0, 0, RUNTIME_CLASS(TreeView_t), CSize(200, 50), context))
        return FALSE;
    if (!splitter.CreateView(0, 1, context->m_pNewViewClass, CSize(10, 1000), context))
        return FALSE;
    SetActiveView(static_cast<CView*>(splitter.GetPane(0, 0)));
    return TRUE;
}

void MainFrame_t::SetTitle(const char* newTitle)
{
    CFrameWnd::SetTitle(newTitle);
    OnUpdateFrameTitle(TRUE);
}

} // namespace app
