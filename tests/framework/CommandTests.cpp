// Commands on their road, update handlers for menus and toolbar buttons,
// accelerators, the status-bar prompt, the splitter and the views.
#include "tests/framework/SketchApp.h"
#include "tests/framework/TestIds.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <stdexcept>

namespace {

void Command(UINT id)
{
    g_calls.clear();
    Frame().SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// The Edit popup after the frame updated it as it would when the menu opens.
CMenu* OpenedPopup(int index)
{
    CMenu* popup = Frame().GetMenu()->GetSubMenu(index);
    Frame().SendMessage(WM_INITMENUPOPUP, (WPARAM)popup->m_hMenu, index);
    return popup;
}

bool Greyed(CMenu* popup, UINT id)
{
    return (popup->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

// Presses a key as the message loop would see it, with the modifiers held.
void PressKey(UINT key, bool control, bool shift)
{
    BYTE state[256] = {};
    state[VK_CONTROL] = control ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(state);
    ::PostMessage(::GetFocus() ? ::GetFocus() : Frame().m_hWnd, WM_KEYDOWN, key, 1);
    Pump();
    BYTE none[256] = {};
    ::SetKeyboardState(none);
}

} // namespace

TEST(CommandRoad, EachCommandReachesTheTargetThatHandlesIt)
{
    App();
    Frame().SetActiveView(&View());
    Command(ID_TEST_VIEWONLY);
    Command(ID_TEST_VIEWONLY);
    EXPECT_EQ(std::vector<std::string>{ "view:viewonly" }, g_calls);
    Command(ID_TEST_DOCONLY);
    EXPECT_EQ(std::vector<std::string>{ "doc:doconly" }, g_calls);
    Command(ID_TEST_FRAMEONLY);
    EXPECT_EQ(std::vector<std::string>{ "frame:frameonly" }, g_calls);
    Command(ID_TEST_APPONLY);
    EXPECT_EQ(std::vector<std::string>{ "app:apponly" }, g_calls);
}

TEST(CommandRoad, AViewCommandNeedsItsViewToBeActive)
{
    App();
    Frame().SetActiveView(&Tree());
    Command(ID_TEST_VIEWONLY);
    EXPECT_TRUE(g_calls.empty());
    Command(ID_TEST_DOCONLY);   // the tree view's document is the same document
    EXPECT_EQ(std::vector<std::string>{ "doc:doconly" }, g_calls);
}

TEST(CommandRoad, ADisabledCommandIsNeverRouted)
{
    App();
    Doc().m_switch = false;
    Command(ID_TEST_TOGGLE);
    EXPECT_TRUE(g_calls.empty());
    Doc().m_switch = true;
    Command(ID_TEST_TOGGLE);
    EXPECT_EQ(std::vector<std::string>{ "doc:toggle" }, g_calls);
}

TEST(CommandRoad, AnExceptionOfAHandlerReachesTheCallerOfSendMessage)
{
    App();
    Frame().SetActiveView(&View());
    EXPECT_THROW(Frame().SendMessage(WM_COMMAND, ID_TEST_THROW, 0), std::runtime_error);
    EXPECT_FALSE(AfxHasPendingException());
}

TEST(CommandRoad, AnExceptionOfAPostedCommandLeavesTheMessageLoop)
{
    App();
    Frame().SetActiveView(&View());
    Frame().PostMessage(WM_COMMAND, ID_TEST_THROW, 0);
    EXPECT_THROW(Pump(), std::runtime_error);
}

TEST(MenuUpdate, UpdateHandlersEnableGreyAndCheckItemsWhenTheMenuOpens)
{
    App();
    Frame().SetActiveView(&View());
    Doc().m_switch = true;
    CMenu* edit = OpenedPopup(1);
    EXPECT_FALSE(Greyed(edit, ID_TEST_TOGGLE));
    EXPECT_TRUE(edit->GetMenuState(ID_TEST_TOGGLE, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(Greyed(edit, ID_TEST_VIEWONLY));
    EXPECT_FALSE(Greyed(edit, ID_TEST_APPONLY));
    EXPECT_TRUE(Greyed(edit, ID_TEST_NOHANDLER));   // no handler anywhere

    Doc().m_switch = false;
    edit = OpenedPopup(1);
    EXPECT_TRUE(Greyed(edit, ID_TEST_TOGGLE));
    EXPECT_FALSE(edit->GetMenuState(ID_TEST_TOGGLE, MF_BYCOMMAND) & MF_CHECKED);

    Frame().SetActiveView(&Tree());
    edit = OpenedPopup(1);
    EXPECT_TRUE(Greyed(edit, ID_TEST_VIEWONLY));   // the scroll view's command, with the tree active
    Doc().m_switch = true;
}

TEST(MenuUpdate, ViewMenuShowsAndTogglesTheBars)
{
    App();
    CMenu* view = OpenedPopup(2);
    EXPECT_TRUE(view->GetMenuState(ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    CRect before;
    View().GetWindowRect(&before);

    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(Frame().m_toolBar.IsWindowVisible());
    view = OpenedPopup(2);
    EXPECT_FALSE(view->GetMenuState(ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    CRect without;
    View().GetWindowRect(&without);
    EXPECT_LT(without.top, before.top);   // the panes took the toolbar's room

    Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(Frame().m_toolBar.IsWindowVisible());
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(Frame().m_statusBar.IsWindowVisible());
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(Frame().m_statusBar.IsWindowVisible());
}

TEST(ToolBar, ButtonsFollowTheUpdateHandlersAtIdleTime)
{
    App();
    CToolBar& bar = Frame().m_toolBar;
    ASSERT_EQ(6, bar.GetCount());
    EXPECT_EQ((UINT)ID_FILE_NEW, bar.GetItemID(0));
    EXPECT_EQ(0u, bar.GetItemID(3));   // the separator
    int toggle = bar.CommandToIndex(ID_TEST_TOGGLE);

    Doc().m_switch = false;
    Pump();
    EXPECT_FALSE(bar.GetButtonState(toggle) & TBSTATE_ENABLED);
    EXPECT_FALSE(bar.GetButtonState(bar.CommandToIndex(ID_TEST_NOHANDLER)) & TBSTATE_ENABLED);
    EXPECT_TRUE(bar.GetButtonState(bar.CommandToIndex(ID_FILE_NEW)) & TBSTATE_ENABLED);

    Doc().m_switch = true;
    Pump();
    EXPECT_TRUE(bar.GetButtonState(toggle) & TBSTATE_ENABLED);
    EXPECT_TRUE(bar.GetButtonState(toggle) & TBSTATE_CHECKED);
}

TEST(ToolBar, AButtonClickIsACommand)
{
    App();
    g_calls.clear();
    Frame().SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_TOGGLE, BN_CLICKED), (LPARAM)Frame().m_toolBar.m_hWnd);
    EXPECT_EQ(std::vector<std::string>{ "doc:toggle" }, g_calls);
}

TEST(ToolBar, TooltipsAndTheStatusLineComeFromTheCommandPrompts)
{
    App();
    NMTTDISPINFO tip = {};
    tip.hdr.hwndFrom = Frame().m_toolBar.m_hWnd;
    tip.hdr.idFrom = ID_FILE_OPEN;
    tip.hdr.code = TTN_GETDISPINFO;
    Frame().SendMessage(WM_NOTIFY, ID_FILE_OPEN, (LPARAM)&tip);
    ASSERT_NE(nullptr, tip.lpszText);
    EXPECT_EQ(CString(_T("Open")), CString(tip.lpszText));

    NMTBHOTITEM hot = {};
    hot.hdr.hwndFrom = Frame().m_toolBar.m_hWnd;
    hot.hdr.idFrom = AFX_IDW_TOOLBAR;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_FILE_SAVE;
    Frame().SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, (LPARAM)&hot);
    EXPECT_EQ(CString(_T("Save the active document")), Frame().m_statusBar.GetPaneText(0));
    hot.dwFlags = HICF_LEAVING;
    Frame().SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, (LPARAM)&hot);
    EXPECT_EQ(CString(_T("Ready")), Frame().m_statusBar.GetPaneText(0));
}

TEST(Accelerators, KeysBecomeCommandsUnlessDisabled)
{
    App();
    Tree().SetFocus();
    g_calls.clear();
    PressKey('T', true, false);
    EXPECT_EQ(std::vector<std::string>{ "doc:toggle" }, g_calls);

    Doc().m_switch = false;
    g_calls.clear();
    PressKey('T', true, false);
    EXPECT_TRUE(g_calls.empty());
    Doc().m_switch = true;
}

TEST(Accelerators, F6AndShiftF6MoveBetweenTheSplitterPanes)
{
    App();
    Frame().SetActiveView(&Tree());
    Pump();
    PressKey(VK_F6, false, false);
    EXPECT_EQ(&View(), Frame().GetActiveView());
    EXPECT_EQ(View().m_hWnd, ::GetFocus());
    PressKey(VK_F6, false, false);
    EXPECT_EQ(&Tree(), Frame().GetActiveView());
    PressKey(VK_F6, false, true);
    EXPECT_EQ(&View(), Frame().GetActiveView());
    PressKey(VK_F6, false, true);
    EXPECT_EQ(&Tree(), Frame().GetActiveView());
}

TEST(StatusBar, ShowsThePromptOfTheMenuItemUnderTheCursorThenReady)
{
    App();
    HMENU file = Frame().GetMenu()->GetSubMenu(0)->m_hMenu;
    Frame().SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, MF_STRING), (LPARAM)file);
    EXPECT_EQ(CString(_T("Create a new document")), Frame().m_statusBar.GetPaneText(0));
    Frame().SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_NOHANDLER, MF_STRING), (LPARAM)file);
    EXPECT_EQ(CString(_T("Nobody handles this")), Frame().m_statusBar.GetPaneText(0));
    Frame().SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(CString(_T("Ready")), Frame().m_statusBar.GetPaneText(0));
}

TEST(StatusBar, KeyIndicatorsShowTheirNamesWhileTheLockIsOn)
{
    App();
    BYTE state[256] = {};
    state[VK_CAPITAL] = 1;
    ::SetKeyboardState(state);
    Frame().OnIdleUpdateCmdUI();
    EXPECT_EQ(CString(_T("CAP")), Frame().m_statusBar.GetPaneText(1));
    EXPECT_EQ(CString(), Frame().m_statusBar.GetPaneText(2));
    BYTE none[256] = {};
    ::SetKeyboardState(none);
    Frame().OnIdleUpdateCmdUI();
    EXPECT_EQ(CString(), Frame().m_statusBar.GetPaneText(1));
}

TEST(Frame, TitleIsTheDocumentNameThenTheApplicationName)
{
    App();
    CString title;
    Frame().GetWindowText(title);
    EXPECT_EQ(Doc().GetTitle() + _T(" - FrameworkTest"), title);
    Frame().SetTitle(_T("Other"));
    Frame().OnUpdateFrameTitle(TRUE);
    Frame().GetWindowText(title);
    EXPECT_EQ(Doc().GetTitle() + _T(" - Other"), title);
    Frame().SetTitle(_T("FrameworkTest"));
    Frame().OnUpdateFrameTitle(TRUE);
}

TEST(Splitter, StartsWithTheInitialWidthAndFollowsADraggedBar)
{
    App();
    CSplitterWnd& splitter = Frame().m_splitter;
    int width = 0, minimum = 0;
    splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(200, width);
    CRect tree;
    Tree().GetWindowRect(&tree);
    EXPECT_EQ(200, tree.Width());

    int bar = 200 + CSplitterWnd::kBarSize / 2;
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar, 40));
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 40));
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 40));
    splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(300 - CSplitterWnd::kBarSize / 2, width);
    Tree().GetWindowRect(&tree);
    EXPECT_EQ(width, tree.Width());

    splitter.SetColumnInfo(0, 200, 0);
    splitter.RecalcLayout();
}

TEST(TreeView, StylesAddedAtCreationTakeEffectAndNotificationsAreReflected)
{
    App();
    EXPECT_TRUE(Tree().GetStyle() & TVS_HASBUTTONS);
    EXPECT_TRUE(Tree().GetStyle() & TVS_LINESATROOT);
    CTreeCtrl& tree = Tree().GetTreeCtrl();
    tree.DeleteAllItems();
    HTREEITEM group = tree.InsertItem(_T("Group"), 0, 0);
    HTREEITEM child = tree.InsertItem(_T("Checklist"), 1, 1, group);
    tree.InsertItem(_T("<End Of Groups>"), 3, 3);
    EXPECT_EQ(group, tree.GetRootItem());
    EXPECT_EQ(group, tree.GetParentItem(child));
    EXPECT_EQ(CString(_T("Checklist")), tree.GetItemText(child));
    int image = 0, selected = 0;
    EXPECT_TRUE(tree.GetItemImage(child, image, selected));
    EXPECT_EQ(1, image);
    EXPECT_EQ(3u, tree.GetCount());

    g_calls.clear();
    tree.SelectItem(child);
    EXPECT_EQ(std::vector<std::string>{ "tree:selchanged Checklist" }, g_calls);
    EXPECT_EQ(child, tree.GetSelectedItem());
    tree.DeleteItem(group);
    EXPECT_EQ(1u, tree.GetCount());
}

TEST(ScrollView, DrawsThroughADeviceContextShiftedByTheScrollPosition)
{
    App();
    CSketchView& view = View();
    EXPECT_EQ(CSize(2000, 2000), view.GetTotalSize());
    view.ScrollToPosition(CPoint(100, 200));
    EXPECT_EQ(CPoint(100, 200), view.GetScrollPosition());
    EXPECT_EQ(100, ::GetScrollPos(view.m_hWnd, SB_HORZ));
    EXPECT_EQ(200, ::GetScrollPos(view.m_hWnd, SB_VERT));

    view.RedrawWindow();
    EXPECT_EQ(CPoint(-100, -200), view.m_lastOrigin);
    CClientDC dc(&view);
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(55, 55));    // (150, 250) of the drawing
    EXPECT_NE(RGB(255, 0, 0), dc.GetPixel(155, 255));  // where it would be unscrolled

    view.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(220, view.GetScrollPosition().y);   // a line is a tenth of a tenth of the total
    view.SendMessage(WM_VSCROLL, SB_TOP, 0);
    view.ScrollToPosition(CPoint(5000, 5000));     // clamped to the drawing
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(CPoint(2000 - client.Width(), 2000 - client.Height()), view.GetScrollPosition());
    view.ScrollToPosition(CPoint(0, 0));
}

TEST(ScrollView, ASmallTotalSizeNeedsNoScrolling)
{
    App();
    CSketchView& view = View();
    view.SetScrollSizes(MM_TEXT, CSize(0, 0));
    EXPECT_EQ(CPoint(0, 0), view.GetScrollPosition());
    EXPECT_FALSE(view.GetStyle() & WS_VSCROLL);
    view.SetScrollSizes(MM_TEXT, CSize(2000, 2000));
    EXPECT_TRUE(view.GetStyle() & WS_VSCROLL);
}

TEST(Document, UpdateAllViewsSkipsTheSender)
{
    App();
    int before = View().m_updates;
    Doc().UpdateAllViews(&View());
    EXPECT_EQ(before, View().m_updates);
    Doc().UpdateAllViews(&Tree(), 7);
    EXPECT_EQ(before + 1, View().m_updates);
}

TEST(Views, ClickingAPaneMakesItTheActiveView)
{
    App();
    Frame().SetActiveView(&Tree());
    View().SendMessage(WM_MOUSEACTIVATE, (WPARAM)Frame().m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(&View(), Frame().GetActiveView());
    EXPECT_EQ(&Doc(), Frame().GetActiveDocument());
    Tree().SendMessage(WM_MOUSEACTIVATE, (WPARAM)Frame().m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(&Tree(), Frame().GetActiveView());
}

TEST(Frame, ADroppedFileIsOpenedByItsWholeName)
{
    App();
    Doc().SetModifiedFlag(FALSE);
    CString path = TempPath(_T("dropped.skt"));
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("dropped", 7);
    }
    CTestHook hook;
    Frame().SendMessage(WM_DROPFILES, (WPARAM)MakeDrop(path), 0);
    EXPECT_EQ("dropped", Doc().m_content);
    EXPECT_EQ(path, Doc().GetPathName());

    // A name longer than MAX_PATH reaches the open whole: the message names all of it.
    CString longPath = TempPath((CString(_T('d'), 300) + _T(".skt")).GetString());
    Frame().SendMessage(WM_DROPFILES, (WPARAM)MakeDrop(longPath), 0);
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_NE(-1, hook.Log().front().text.Find(longPath));

    // The code page cannot hold "\u0100" (A with macron): the name is refused, never
    // taken for "Adata.skt" beside it.
    CString nearOne = TempPath(_T("Adata.skt"));
    {
        CFile file(nearOne, CFile::modeCreate | CFile::modeWrite);
        file.Write("near", 4);
    }
    Frame().SendMessage(WM_DROPFILES, (WPARAM)MakeDrop(AfxWideOf(TempPath(_T(""))) + L"\u0100data.skt"), 0);
    ASSERT_EQ(2u, hook.Log().size());
    EXPECT_EQ(TempPath(_T("?data.skt")) + _T(" contains an invalid path."), hook.Log()[1].text);
    EXPECT_EQ("dropped", Doc().m_content);
    EXPECT_EQ(path, Doc().GetPathName());
}

TEST(RuntimeClasses, MakeObjectsByClassAndKnowTheirBases)
{
    CObject* made = RUNTIME_CLASS(CSketchView)->CreateObject();
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CScrollView)));
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CView)));
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CDocument)));
    EXPECT_STREQ("CSketchView", made->GetRuntimeClass()->m_lpszClassName);
    delete made;
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CView)->CreateObject());   // not dyncreate
}

TEST(HandleMaps, OwnWindowsHaveTheirObjectsOthersGetWrappers)
{
    App();
    EXPECT_EQ(&Frame(), CWnd::FromHandlePermanent(Frame().m_hWnd));
    EXPECT_EQ(&Frame(), CWnd::FromHandle(Frame().m_hWnd));
    HWND desktop = ::GetDesktopWindow();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(desktop));
    CWnd* wrapper = CWnd::FromHandle(desktop);
    ASSERT_NE(nullptr, wrapper);
    EXPECT_EQ(desktop, wrapper->m_hWnd);
    EXPECT_EQ(wrapper, CWnd::FromHandle(desktop));   // one wrapper per handle
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(desktop));   // releasing a wrapper leaves its window alone
}

// Keeps the test window up for a screenshot: FRAMEWORK_TEST_HOLD_SECONDS=20.
TEST(Screenshot, HoldTheWindow)
{
    const char* seconds = std::getenv("FRAMEWORK_TEST_HOLD_SECONDS");
    if (!seconds)
        GTEST_SKIP() << "only for looking at the window";
    App();
    CTreeCtrl& tree = Tree().GetTreeCtrl();
    tree.DeleteAllItems();
    HTREEITEM group = tree.InsertItem(_T("Before Start"), 0, 0);
    tree.InsertItem(_T("Cockpit Preparation"), 1, 1, group);
    HTREEITEM list = tree.InsertItem(_T("Engine Start"), 1, 1, group);
    tree.InsertItem(_T("Beacon ... ON"), 2, 2, list);
    tree.InsertItem(_T("<End Of Groups>"), 3, 3);
    tree.Expand(group, TVE_EXPAND);
    tree.Expand(list, TVE_EXPAND);
    tree.SelectItem(list);
    Doc().m_switch = false;
    View().ScrollToPosition(CPoint(100, 200));
    HMENU file = Frame().GetMenu()->GetSubMenu(0)->m_hMenu;
    Frame().SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_SAVE_AS, MF_STRING), (LPARAM)file);
    DWORD end = ::GetTickCount() + 1000 * (DWORD)std::atoi(seconds);
    while (::GetTickCount() < end) {
        Pump();
        ::Sleep(50);
    }
    Doc().m_switch = true;
}
