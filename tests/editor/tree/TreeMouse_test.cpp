// The mouse on the tree: the double click (properties instead of expanding) and
// the right click with its context menus, answered by the test hook.
#include "tests/editor/tree/TreeTestApp.h"

#include "editor/tree/ItemClipboard.h"
#include "editor/shell/ResourceIds.h"

using app::Position_t;

namespace tree_test {
namespace {

class TreeMouse : public SampleTest {
protected:
    static bool Expanded(HTREEITEM item)
    {
        return (TreeView_GetItemState(Control().m_hWnd, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    // The menu shown for a right click on the item, as "~" marked greyed items.
    static CString MenuFor(HTREEITEM item, UINT answer = 0)
    {
        CTestHook hook;
        hook.AnswerPopupMenu(answer);
        RightClick(item);
        EXPECT_EQ(0u, hook.Unanswered());
        if (hook.Log().size() != 1)
            return CString(_T("no menu"));
        EXPECT_EQ(CTestHook::Kind::PopupMenu, hook.Log()[0].kind);
        return hook.Log()[0].text;
    }
};

TEST_F(TreeMouse, DoubleClickingAGroupOfAnUnlockedDocumentDoesNotExpandIt)
{
    const HTREEITEM group = Tree().GetGroupItem(1);
    ASSERT_FALSE(Expanded(group));
    CTestHook hook;
    hook.AnswerDialog(IDCANCEL);
    DoubleClick(group);
    EXPECT_EQ(group, Tree().GetCaretItem());
    EXPECT_FALSE(Expanded(group));
}

TEST_F(TreeMouse, DoubleClickingInALockedDocumentOpensNothingAndTheControlExpands)
{
    Lock();
    const HTREEITEM group = Tree().GetGroupItem(1);
    CTestHook hook;
    DoubleClick(group);
    EXPECT_TRUE(hook.Log().empty());
    EXPECT_TRUE(Expanded(group));
    DoubleClick(group);
    EXPECT_FALSE(Expanded(group));
    // An entry has nothing to expand, and nothing opens.
    DoubleClick(Tree().GetEntryItem(Position_t(0, 0, 1)));
    EXPECT_TRUE(hook.Log().empty());
}

TEST_F(TreeMouse, DoubleClickingAnEndMarkerOpensNothingAndDoesNotExpand)
{
    Control().Expand(Tree().GetGroupItem(0), TVE_EXPAND);
    const HTREEITEM endOfCheckLists = Tree().GetCheckListItem(Position_t(0, 2));
    CTestHook hook;
    DoubleClick(endOfCheckLists);
    EXPECT_TRUE(hook.Log().empty());
    EXPECT_EQ(endOfCheckLists, Tree().GetCaretItem());
}

TEST_F(TreeMouse, RightClickingAnEndOfChecklistsShowsTheChecklistMenuWithItsItemCommandsGreyed)
{
    ClearClipboard();
    const HTREEITEM endOfCheckLists = Tree().GetCheckListItem(Position_t(0, 2));
    EXPECT_EQ(CString(_T("~Checklist Properties...|Add New Checklist...|~Cut|~Copy|~Paste|~Delete")),
              MenuFor(endOfCheckLists));
    EXPECT_EQ(endOfCheckLists, Tree().GetCaretItem());
}

TEST_F(TreeMouse, EachLevelHasItsMenuAndPasteFollowsTheClipboard)
{
    ClearClipboard();
    EXPECT_EQ(CString(_T("Group Properties...|Add New Group...|Cut|Copy|~Paste|Delete")),
              MenuFor(Tree().GetGroupItem(1)));
    EXPECT_EQ(Tree().GetGroupItem(1), Tree().GetCaretItem());
    EXPECT_EQ(CString(_T("~Group Properties...|Add New Group...|~Cut|~Copy|~Paste|~Delete")),
              MenuFor(Tree().GetGroupItem(3)));

    Control().Expand(Tree().GetGroupItem(0), TVE_EXPAND);
    Control().Expand(Tree().GetCheckListItem(Position_t(0, 0)), TVE_EXPAND);
    PutOnClipboard(app::EntryClipboardFormat(), Block("c0Pasted\n"));
    EXPECT_EQ(CString(_T("Entry Properties...|Add New Entry...|Cut|Copy|Paste|Delete")),
              MenuFor(Tree().GetEntryItem(Position_t(0, 0, 1))));
    EXPECT_EQ(CString(_T("~Entry Properties...|Add New Entry...|~Cut|~Copy|Paste|~Delete")),
              MenuFor(Tree().GetEntryItem(Position_t(0, 0, 3))));
    EXPECT_EQ(CString(_T("Checklist Properties...|Add New Checklist...|Cut|Copy|~Paste|Delete")),
              MenuFor(Tree().GetCheckListItem(Position_t(0, 1))));
}

TEST_F(TreeMouse, ALockedDocumentsMenuKeepsOnlyCopy)
{
    Lock();
    PutOnClipboard(app::GroupClipboardFormat(), Block("<0Pasted\n>\n"));
    EXPECT_EQ(CString(_T("~Group Properties...|~Add New Group...|~Cut|Copy|~Paste|~Delete")),
              MenuFor(Tree().GetGroupItem(0)));
    Control().Expand(Tree().GetGroupItem(0), TVE_EXPAND);
    EXPECT_EQ(CString(_T("~Checklist Properties...|~Add New Checklist...|~Cut|Copy|~Paste|~Delete")),
              MenuFor(Tree().GetCheckListItem(Position_t(0, 0))));
}

TEST_F(TreeMouse, TheCommandChosenFromTheMenuActsOnTheClickedItem)
{
    ClearClipboard();
    Control().Expand(Tree().GetGroupItem(0), TVE_EXPAND);
    MenuFor(Tree().GetCheckListItem(Position_t(0, 1)), ID_EDIT_COPY);
    EXPECT_EQ(Block("(0Engine Start\nc0Beacon\nc0Starter\n)\n"), ClipboardBlock(app::CheckListClipboardFormat()));
    MenuFor(Tree().GetGroupItem(2), ID_EDIT_DELETE);
    EXPECT_EQ(2u, Doc().GetDatabase().groups.size());
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeMouse, ARightClickBesideTheItemsShowsNoMenu)
{
    CTestHook hook;
    CRect client;
    Tree().GetClientRect(&client);
    CPoint below(10, client.bottom - 5);
    CPoint screen = below;
    Tree().ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    Tree().PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(below.x, below.y));
    Tree().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(below.x, below.y));
    Pump();
    EXPECT_TRUE(hook.Log().empty());
}

} // namespace
} // namespace tree_test
