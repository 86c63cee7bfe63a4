// The tree's items: labels, the rebuild from the database, the control's styles
// and images, the lookups between items and positions, and the observer
// operations, also over a long run of random edits with undo and redo.
#include "tests/editor/tree/TreeTestApp.h"

#include "foundation/glo/GLO_Exception.h"

#include <random>

using app::CheckList_t;
using app::Entry_t;
using app::Group_t;
using app::Position_t;
using app::TreeView_t;

namespace tree_test {
namespace {

// The line of the TreeView assertion that the statement raises; 0 for none.
template <class Statement>
int AssertLine(Statement statement)
{
    try {
        statement();
    } catch (const glo::Assert_t& e) {
        EXPECT_STREQ("TreeView", e.GetFile());
        return e.GetLine();
    }
    return 0;
}

TEST(TreeLabels, LongTextsAreCutAtTwentyFiveCharactersWithoutTheBlanksThatEndTheCut)
{
    const std::string twentyFive = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    EXPECT_EQ(twentyFive, TreeView_t::MakeItemLabel(twentyFive));
    EXPECT_EQ(twentyFive + "...", TreeView_t::MakeItemLabel(twentyFive + "Z"));
    const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
    EXPECT_EQ(twenty + "...", TreeView_t::MakeItemLabel(twenty + "     " + "UVWXY"));
    EXPECT_EQ("...", TreeView_t::MakeItemLabel(std::string(30, ' ')));
    EXPECT_EQ("", TreeView_t::MakeItemLabel(""));
}

TEST(TreeItems, AnEmptyDatabaseShowsOnlyTheEndOfGroupsWhichIsTheCaret)
{
    Load("END\n");
    EXPECT_EQ("g <End Of Groups>", TreeText());
    EXPECT_EQ(Control().GetRootItem(), Tree().GetCaretItem());
    EXPECT_EQ(Control().GetRootItem(), Control().GetSelectedItem());
    EXPECT_EQ(-1, Doc().GetSelectedGroup());
    EXPECT_EQ(-1, Doc().GetSelectedCheckList());
}

TEST(TreeItems, RebuildShowsEveryItemInFileOrderWithEndMarkersAndSelectsTheFirstGroup)
{
    Load(sampleText);
    EXPECT_EQ("G Before Start|"
              "C   Cockpit|E     Battery|E     Flaps|E     Check the doors|e     <End Of Entries>|"
              "C   Engine Start|E     Beacon|E     Starter|e     <End Of Entries>|"
              "c   <End Of Checklists>|"
              "G After Landing|C   Taxi|E     Lights|e     <End Of Entries>|c   <End Of Checklists>|"
              "G Spare|c   <End Of Checklists>|"
              "g <End Of Groups>",
              TreeText());
    EXPECT_EQ(Tree().GetGroupItem(0), Tree().GetCaretItem());
    EXPECT_EQ(0, Doc().GetSelectedGroup());
    EXPECT_EQ(0, Doc().GetSelectedCheckList());
}

TEST(TreeItems, ANameOfThirtyCharactersIsShownShortened)
{
    Load("<0ABCDEFGHIJKLMNOPQRST     UVWXY\n(0ABCDEFGHIJKLMNOPQRSTUVWXY\n)\n>\nEND\n");
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRST...", std::string(Control().GetItemText(Tree().GetGroupItem(0)).GetString()));
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRSTUVWXY",
              std::string(Control().GetItemText(Tree().GetCheckListItem(Position_t(0, 0))).GetString()));
}

TEST(TreeItems, LabelsShowNoLineEnds)
{
    // Blank lines after the entries; a lone carriage return inside a name.
    Load("<0Before\rStart\n(0Cockpit\nn0Note text here\n\n\nc0ABCDEFGHIJKLMNOPQRSTUVWX\n\n)\n>\nEND\n");
    EXPECT_EQ("G Before Start|C   Cockpit|E     Note text here|E     ABCDEFGHIJKLMNOPQRSTUVWX|"
              "e     <End Of Entries>|c   <End Of Checklists>|g <End Of Groups>",
              TreeText());
    Doc().GetDatabase().UpdateEntry(Position_t(0, 0, 1), Entry_t("Changed\n\n"));
    EXPECT_EQ("Changed", std::string(Control().GetItemText(Tree().GetEntryItem(Position_t(0, 0, 1))).GetString()));
}

TEST(TreeItems, TheControlHasItsStylesAndTheSixItemImages)
{
    App();
    const DWORD styles = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_NOTOOLTIPS;
    EXPECT_EQ(0x87u, styles);
    EXPECT_EQ(styles, Tree().GetStyle() & styles);
    const HIMAGELIST images = Control().GetImageList(TVSIL_NORMAL);
    ASSERT_NE(nullptr, images);
    EXPECT_EQ(6, ::ImageList_GetImageCount(images));
    int width = 0;
    int height = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(images, &width, &height));
    EXPECT_EQ(15, width);
    EXPECT_EQ(15, height);
}

TEST(TreeItems, EveryItemCarriesItsKindAsBothImages)
{
    Load(sampleText);
    const HTREEITEM entry = Tree().GetEntryItem(Position_t(0, 1, 1));
    int image = -1;
    int selected = -1;
    ASSERT_TRUE(Control().GetItemImage(entry, image, selected));
    EXPECT_EQ(TreeView_t::EntryItem, image);
    EXPECT_EQ(TreeView_t::EntryItem, selected);
    // An image outside the kinds is not an editor item.
    Control().SetItemImage(entry, 9, 9);
    EXPECT_EQ(TreeView_t::NotAnItem, Tree().GetItemKind(entry));
    EXPECT_EQ(TreeView_t::NotAnItem, Tree().GetItemKind(nullptr));
}

TEST(TreeItems, LookupsGiveEachItemsPositionAndEndMarkersTheCountOfTheirLevel)
{
    Load(sampleText);
    TreeView_t& tree = Tree();
    const HTREEITEM endOfGroups = tree.GetGroupItem(3);
    EXPECT_EQ(TreeView_t::EndOfGroups, tree.GetItemKind(endOfGroups));
    EXPECT_EQ(3, tree.GetGroupIndex(endOfGroups));
    EXPECT_EQ(nullptr, tree.GetGroupItem(4));
    EXPECT_EQ(nullptr, tree.GetGroupItem(-1));

    const HTREEITEM endOfCheckLists = tree.GetCheckListItem(Position_t(0, 2));
    EXPECT_EQ(TreeView_t::EndOfCheckLists, tree.GetItemKind(endOfCheckLists));
    const Position_t checkList = tree.GetCheckListPosition(endOfCheckLists);
    EXPECT_EQ(0, checkList.group);
    EXPECT_EQ(2, checkList.checklist);
    EXPECT_EQ(nullptr, tree.GetCheckListItem(Position_t(0, 3)));

    const HTREEITEM endOfEntries = tree.GetEntryItem(Position_t(1, 0, 1));
    EXPECT_EQ(TreeView_t::EndOfEntries, tree.GetItemKind(endOfEntries));
    const Position_t entry = tree.GetEntryPosition(endOfEntries);
    EXPECT_EQ(1, entry.group);
    EXPECT_EQ(0, entry.checklist);
    EXPECT_EQ(1, entry.entry);

    // Lookups of another level's item.
    EXPECT_EQ(-1, tree.GetGroupIndex(endOfEntries));
    EXPECT_EQ(-1, tree.GetCheckListPosition(endOfGroups).group);
    EXPECT_EQ(-1, tree.GetCheckListPosition(endOfGroups).checklist);
    EXPECT_EQ(1468, AssertLine([&] { tree.GetEntryPosition(endOfCheckLists); }));
    EXPECT_EQ(1525, AssertLine([&] { tree.GetCheckListItem(Position_t(4, 0)); }));
    EXPECT_EQ(1549, AssertLine([&] { tree.GetEntryItem(Position_t(0, 3, 0)); }));
    EXPECT_EQ(1623, AssertLine([&] { TreeView_t::GetClipboardFormatForKind(TreeView_t::NotAnItem); }));
}

TEST(TreeItems, TheCaretsGroupAndEntryLevelItems)
{
    Load(sampleText);
    TreeView_t& tree = Tree();
    Select(tree.GetEntryItem(Position_t(0, 1, 2)));   // "<End Of Entries>" of "Engine Start"
    EXPECT_EQ(tree.GetGroupItem(0), tree.GetCaretGroupItem());
    EXPECT_EQ(tree.GetCaretItem(), tree.GetCaretEntryLevelItem());
    Select(tree.GetCheckListItem(Position_t(1, 1)));  // "<End Of Checklists>" of "After Landing"
    EXPECT_EQ(tree.GetGroupItem(1), tree.GetCaretGroupItem());
    EXPECT_EQ(nullptr, tree.GetCaretEntryLevelItem());
    Select(tree.GetGroupItem(1));
    EXPECT_EQ(tree.GetEntryItem(Position_t(1, 0, 0)), tree.GetCaretEntryLevelItem());
    Select(tree.GetGroupItem(3));                     // "<End Of Groups>"
    EXPECT_EQ(tree.GetGroupItem(3), tree.GetCaretGroupItem());
    EXPECT_EQ(nullptr, tree.GetCaretEntryLevelItem());
}

TEST(TreeObserver, AGroupInsertedAtTheEndStandsBeforeTheMarkerWhichStaysTheCaret)
{
    Load(sampleText);
    const HTREEITEM endOfGroups = Tree().GetGroupItem(3);
    Select(endOfGroups);
    Group_t group("New");
    group.checklists.push_back(CheckList_t("List"));
    group.checklists.back().entries.push_back(Entry_t("One"));
    Doc().GetDatabase().InsertGroup(Position_t(3), group);
    EXPECT_TRUE(TreeMirrorsDatabase());
    EXPECT_EQ(endOfGroups, Tree().GetCaretItem());
    EXPECT_EQ(endOfGroups, Control().GetSelectedItem());
    EXPECT_EQ(TreeView_t::GroupItem, Tree().GetItemKind(Control().GetPrevSiblingItem(endOfGroups)));
}

TEST(TreeObserver, AnInsertMakesTheItemAfterTheNewOneTheCaret)
{
    Load(sampleText);
    app::Database_t& database = Doc().GetDatabase();
    const HTREEITEM starter = Tree().GetEntryItem(Position_t(0, 1, 1));
    Select(starter);
    database.InsertEntry(Position_t(0, 1, 1), Entry_t("Fuel pump", Entry_t::Challenge, Entry_t::Indent1));
    EXPECT_EQ(starter, Tree().GetCaretItem());
    database.InsertGroup(Position_t(0), Group_t("Top"));
    EXPECT_EQ(Tree().GetGroupItem(1), Tree().GetCaretItem());
    EXPECT_EQ(1, Doc().GetSelectedGroup());
    EXPECT_EQ(0, Doc().GetSelectedCheckList());
    const int updates = Preview().updates;
    database.InsertCheckList(Position_t(1, 1), CheckList_t("Second"));
    EXPECT_EQ(Tree().GetCheckListItem(Position_t(1, 2)), Tree().GetCaretItem());
    EXPECT_EQ(1, Doc().GetSelectedGroup());
    EXPECT_EQ(2, Doc().GetSelectedCheckList());
    EXPECT_LT(updates, Preview().updates);
    EXPECT_EQ(&Tree(), Preview().lastSender);
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST(TreeObserver, UpdatesRelabelTheItemAndMakeItTheCaret)
{
    Load(sampleText);
    app::Database_t& database = Doc().GetDatabase();
    database.RenameGroup(Position_t(1), "After Landing And Parking Checks");
    EXPECT_EQ(Tree().GetGroupItem(1), Tree().GetCaretItem());
    database.RenameCheckList(Position_t(0, 1), "Start");
    EXPECT_EQ(Tree().GetCheckListItem(Position_t(0, 1)), Tree().GetCaretItem());
    database.UpdateEntry(Position_t(0, 0, 2), Entry_t("Doors closed\n", Entry_t::Note));
    EXPECT_EQ(Tree().GetEntryItem(Position_t(0, 0, 2)), Tree().GetCaretItem());
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST(TreeObserver, AfterUndoOfAnEntrysDeletionTheItemIsBackAndTheCaretBelowIt)
{
    Load(sampleText);
    const HTREEITEM flaps = Tree().GetEntryItem(Position_t(0, 0, 1));
    Select(flaps);
    Tree().DeleteItem(flaps);
    EXPECT_EQ("Check the doors", std::string(Control().GetItemText(Tree().GetCaretItem()).GetString()));
    const HTREEITEM below = Tree().GetCaretItem();
    Doc().OnEditUndo();
    EXPECT_TRUE(TreeMirrorsDatabase());
    EXPECT_EQ("Flaps", std::string(Control().GetItemText(Tree().GetEntryItem(Position_t(0, 0, 1))).GetString()));
    EXPECT_EQ(below, Tree().GetCaretItem());
}

TEST(TreeObserver, AnEraseBeforeTheCaretsChecklistMovesTheSelectionWithIt)
{
    Load(sampleText);
    Select(Tree().GetEntryItem(Position_t(1, 0, 0)));
    EXPECT_EQ(1, Doc().GetSelectedGroup());
    const int updates = Preview().updates;
    Doc().GetDatabase().EraseGroup(Position_t(0));
    EXPECT_EQ(0, Doc().GetSelectedGroup());
    EXPECT_EQ(0, Doc().GetSelectedCheckList());
    EXPECT_LT(updates, Preview().updates);
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST(TreeObserver, AnItemTheTreeDoesNotHaveIsAnAssertion)
{
    Load(sampleText);
    TreeView_t& tree = Tree();
    EXPECT_EQ(154, AssertLine([&] { tree.InsertGroupItem(Position_t(5), Group_t("x"), false); }));
    EXPECT_EQ(218, AssertLine([&] { tree.InsertCheckListItem(Position_t(0, 4), CheckList_t("x"), false); }));
    EXPECT_EQ(269, AssertLine([&] { tree.InsertEntryItem(Position_t(0, 0, 5), Entry_t("x")); }));
    EXPECT_EQ(294, AssertLine([&] { tree.UpdateGroupItem(Position_t(4), "x"); }));
    EXPECT_EQ(309, AssertLine([&] { tree.UpdateCheckListItem(Position_t(0, 3), "x"); }));
    EXPECT_EQ(324, AssertLine([&] { tree.UpdateEntryItem(Position_t(0, 0, 4), "x"); }));
    EXPECT_EQ(338, AssertLine([&] { tree.EraseGroupItem(Position_t(4)); }));
    EXPECT_EQ(351, AssertLine([&] { tree.EraseCheckListItem(Position_t(0, 3)); }));
    EXPECT_EQ(364, AssertLine([&] { tree.EraseEntryItem(Position_t(0, 0, 4)); }));
    EXPECT_TRUE(TreeMirrorsDatabase());
}

// Random edits through the database, each undone and redone now and then: the
// tree stays the database's mirror and the selection names the caret's checklist.
TEST(TreeObserver, TheTreeMirrorsTheDatabaseThroughRandomEditsUndoAndRedo)
{
    Load(sampleText);
    std::mt19937 random(4711);
    const auto pick = [&random](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    app::Database_t& database = Doc().GetDatabase();
    for (int step = 0; step < 150; ++step) {
        const int groups = static_cast<int>(database.groups.size());
        const int action = pick(10);
        if (action == 0 && !Doc().GetUndoJournal().IsEmpty()) {
            Doc().OnEditUndo();
        } else if (action == 1 && !Doc().GetRedoJournal().IsEmpty()) {
            Doc().OnEditRedo();
        } else if (action == 2 || groups < 2) {
            Group_t group("G" + std::to_string(step));
            group.checklists.push_back(CheckList_t("C" + std::to_string(step)));
            database.InsertGroup(Position_t(pick(groups + 1)), group);
        } else {
            const int g = pick(groups);
            Group_t& group = *database.GroupAt(g);
            const int lists = static_cast<int>(group.checklists.size());
            if (action == 3) {
                database.EraseGroup(Position_t(g));
            } else if (action == 4 || lists == 0) {
                database.InsertCheckList(Position_t(g, pick(lists + 1)), CheckList_t("L" + std::to_string(step)));
            } else if (action == 5) {
                database.RenameCheckList(Position_t(g, pick(lists)), "R" + std::to_string(step));
            } else {
                const int c = pick(lists);
                const int entries = static_cast<int>(group.CheckListAt(c)->entries.size());
                if (action == 6 && entries > 0)
                    database.EraseEntry(Position_t(g, c, pick(entries)));
                else if (action == 7 && entries > 0)
                    database.UpdateEntry(Position_t(g, c, pick(entries)), Entry_t("U" + std::to_string(step)));
                else
                    database.InsertEntry(Position_t(g, c, pick(entries + 1)), Entry_t("E" + std::to_string(step)));
            }
        }
        if (pick(4) == 0)
            Select(Tree().GetGroupItem(pick(static_cast<int>(database.groups.size()) + 1)));
        ASSERT_TRUE(TreeMirrorsDatabase()) << "after step " << step;
        const HTREEITEM checkList = Tree().GetCaretCheckListItem();
        const Position_t shown = checkList ? Tree().GetCheckListPosition(checkList) : Position_t(-1, -1);
        ASSERT_EQ(shown.group, Doc().GetSelectedGroup()) << "after step " << step;
        ASSERT_EQ(shown.checklist, Doc().GetSelectedCheckList()) << "after step " << step;
    }
}

} // namespace
} // namespace tree_test
