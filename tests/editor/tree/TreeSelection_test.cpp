// The caret and the document's selection: which checklist the preview shows for
// each kind of caret item, and when the other views are told.
#include "tests/editor/tree/TreeTestApp.h"

using app::Position_t;

namespace tree_test {
namespace {

const char* const threeListsText =
    "<0Alpha\n(0A0\nc0a\n)\n>\n"
    "<0Bravo\n(0B0\nc0b\n)\n(0B1\n)\n(0B2\nc0one\nc0two\n)\n>\n"
    "<0Empty\n>\n"
    "END\n";

class TreeSelection : public ::testing::Test {
protected:
    void SetUp() override { Load(threeListsText); }

    // Moves the caret and tells whether the preview was updated, by the tree.
    bool SelectUpdates(HTREEITEM item)
    {
        const int updates = Preview().updates;
        Select(item);
        if (Preview().updates == updates)
            return false;
        EXPECT_EQ(&Tree(), Preview().lastSender);
        return true;
    }
    void ExpectSelection(int group, int checkList)
    {
        EXPECT_EQ(group, Doc().GetSelectedGroup());
        EXPECT_EQ(checkList, Doc().GetSelectedCheckList());
    }
};

TEST_F(TreeSelection, AnEntryOfChecklistTwoInGroupOneSelectsItAndItsNeighbourChangesNothing)
{
    EXPECT_TRUE(SelectUpdates(Tree().GetEntryItem(Position_t(1, 2, 0))));
    ExpectSelection(1, 2);
    EXPECT_FALSE(SelectUpdates(Tree().GetEntryItem(Position_t(1, 2, 1))));
    EXPECT_FALSE(SelectUpdates(Tree().GetEntryItem(Position_t(1, 2, 2))));   // its "<End Of Entries>"
    EXPECT_FALSE(SelectUpdates(Tree().GetCheckListItem(Position_t(1, 2))));
    ExpectSelection(1, 2);
    EXPECT_EQ(Tree().GetCheckListItem(Position_t(1, 2)), Tree().GetCaretItem());
}

TEST_F(TreeSelection, AGroupShowsItsFirstChecklistAndAnEmptyGroupItsEndMarkersPosition)
{
    EXPECT_TRUE(SelectUpdates(Tree().GetGroupItem(1)));
    ExpectSelection(1, 0);
    EXPECT_TRUE(SelectUpdates(Tree().GetGroupItem(2)));
    ExpectSelection(2, 0);
}

TEST_F(TreeSelection, EndMarkersOfGroupsAndOfChecklistsShowNothing)
{
    EXPECT_TRUE(SelectUpdates(Tree().GetGroupItem(3)));
    ExpectSelection(-1, -1);
    Select(Tree().GetGroupItem(0));
    EXPECT_TRUE(SelectUpdates(Tree().GetCheckListItem(Position_t(1, 3))));
    ExpectSelection(-1, -1);
}

TEST_F(TreeSelection, AForcedChangeUpdatesTheViewsEvenWhenTheChecklistStaysTheSame)
{
    Select(Tree().GetEntryItem(Position_t(1, 2, 0)));
    const int updates = Preview().updates;
    Tree().OnSelectionChanged(false);
    EXPECT_EQ(updates, Preview().updates);
    Tree().OnSelectionChanged(true);
    EXPECT_EQ(updates + 1, Preview().updates);
    ExpectSelection(1, 2);
}

TEST_F(TreeSelection, ClickingAnItemMakesItTheCaret)
{
    const HTREEITEM entry = Tree().GetEntryItem(Position_t(1, 2, 1));
    Click(entry);
    EXPECT_EQ(entry, Tree().GetCaretItem());
    ExpectSelection(1, 2);
}

} // namespace
} // namespace tree_test
