// The tree's commands: their enabling rules, delete by command and by the Del
// key with the header's defaults, and what a locked document allows.
#include "tests/editor/tree/TreeTestApp.h"

#include "editor/tree/ItemClipboard.h"
#include "editor/shell/ResourceIds.h"

using app::Position_t;

namespace tree_test {
namespace {

const UINT everyCommand[] = { ID_ADD_NEW_GROUP,    ID_ADD_NEW_CHECKLIST,    ID_ADD_NEW_ENTRY,
                              ID_GROUP_PROPERTIES, ID_CHECKLIST_PROPERTIES, ID_ENTRY_PROPERTIES,
                              ID_EDIT_CUT,         ID_EDIT_COPY,            ID_EDIT_PASTE,
                              ID_EDIT_DELETE };

class TreeCommands : public SampleTest {
protected:
    void SetUp() override
    {
        SampleTest::SetUp();
        ClearClipboard();
        Control().Expand(Tree().GetGroupItem(0), TVE_EXPAND);
        Control().Expand(Tree().GetCheckListItem(Position_t(0, 0)), TVE_EXPAND);
    }
    // The enabled commands of the Edit menu, in the order of everyCommand.
    static std::string Enabled()
    {
        std::string enabled;
        for (UINT command : everyCommand)
            enabled += MenuEnabled(command) ? '1' : '0';
        return enabled;
    }
};

TEST_F(TreeCommands, EachKindOfCaretEnablesItsCommands)
{
    //                                                                     add prop cut copy paste del
    Select(Tree().GetGroupItem(0));
    EXPECT_EQ("1001001101", Enabled());
    Select(Tree().GetGroupItem(3));
    EXPECT_EQ("1000000000", Enabled());
    Select(Tree().GetCheckListItem(Position_t(0, 0)));
    EXPECT_EQ("0100101101", Enabled());
    Select(Tree().GetCheckListItem(Position_t(0, 2)));
    EXPECT_EQ("0100000000", Enabled());
    Select(Tree().GetEntryItem(Position_t(0, 0, 0)));
    EXPECT_EQ("0010011101", Enabled());
    Select(Tree().GetEntryItem(Position_t(0, 0, 3)));
    EXPECT_EQ("0010000000", Enabled());
    PutOnClipboard(app::EntryClipboardFormat(), Block("c0x\n"));
    EXPECT_EQ("0010000010", Enabled());
    Select(Tree().GetCheckListItem(Position_t(0, 2)));
    EXPECT_EQ("0100000000", Enabled());
}

TEST_F(TreeCommands, ALockedDocumentEnablesOnlyCopy)
{
    PutOnClipboard(app::GroupClipboardFormat(), Block("<0x\n>\n"));
    Lock();
    Select(Tree().GetGroupItem(0));
    EXPECT_EQ("0000000100", Enabled());
    Select(Tree().GetEntryItem(Position_t(0, 0, 0)));
    EXPECT_EQ("0000000100", Enabled());
}

TEST_F(TreeCommands, InALockedDocumentOnlyCopyActsWhateverWayTheCommandsCome)
{
    PutOnClipboard(app::EntryClipboardFormat(), Block("c0x\n"));
    Lock();
    Select(Tree().GetEntryItem(Position_t(0, 0, 0)));
    CTestHook hook;
    for (UINT command : everyCommand) {
        if (command == ID_EDIT_COPY)
            continue;
        FrameCommand(command);
        ViewCommand(command);
    }
    PressDelete();
    EXPECT_TRUE(hook.Log().empty());
    EXPECT_EQ(sampleText, DatabaseText());
    EXPECT_TRUE(Doc().GetUndoJournal().IsEmpty());
    EXPECT_FALSE(Doc().IsModified());
    FrameCommand(ID_EDIT_COPY);
    EXPECT_EQ(Block("c0Battery\n"), ClipboardBlock(app::EntryClipboardFormat()));
}

TEST_F(TreeCommands, TheDelKeyDeletesTheCaretItemAndNothingOnAnEndMarker)
{
    Doc().GetDatabase().RenameGroup(Position_t(2), "Renamed");
    Doc().OnEditUndo();
    const HTREEITEM flaps = Tree().GetEntryItem(Position_t(0, 0, 1));
    Select(flaps);
    PressDelete();
    EXPECT_EQ(2u, Doc().GetDatabase().GroupAt(0)->CheckListAt(0)->entries.size());
    EXPECT_TRUE(Doc().GetRedoJournal().IsEmpty());
    EXPECT_TRUE(TreeMirrorsDatabase());
    EXPECT_EQ("Check the doors", std::string(Control().GetItemText(Tree().GetCaretItem()).GetString()));

    const std::string before = DatabaseText();
    Select(Tree().GetEntryItem(Position_t(0, 0, 2)));   // "<End Of Entries>"
    PressDelete();
    Select(Tree().GetGroupItem(3));
    PressDelete();
    EXPECT_EQ(before, DatabaseText());
}

TEST_F(TreeCommands, DeletingAChecklistResetsTheDefaultChecklistOfTheSameIndexInAnyGroup)
{
    Load("<0A\n(0a\n)\n(0b\n)\n>\n<0B\n>\n<0C\n>\n<0D\n(0d0\n)\n(0d1\n)\n>\nEND\n");
    Doc().GetHeader().SetDefaultGroup(0);
    Doc().GetHeader().SetDefaultCheckList(1);
    Control().Expand(Tree().GetGroupItem(3), TVE_EXPAND);
    Select(Tree().GetCheckListItem(Position_t(3, 1)));
    FrameCommand(ID_EDIT_DELETE);
    EXPECT_EQ(0, Doc().GetDefaultGroup());
    EXPECT_EQ(0, Doc().GetDefaultCheckList());
    EXPECT_EQ(1u, Doc().GetDatabase().GroupAt(3)->checklists.size());
}

TEST_F(TreeCommands, DeletingAnotherGroupOrAnEntryLeavesTheDefaults)
{
    Doc().GetHeader().SetDefaultGroup(1);
    Doc().GetHeader().SetDefaultCheckList(0);
    Select(Tree().GetGroupItem(2));
    FrameCommand(ID_EDIT_DELETE);
    Select(Tree().GetEntryItem(Position_t(0, 0, 0)));
    FrameCommand(ID_EDIT_DELETE);
    Select(Tree().GetCheckListItem(Position_t(0, 1)));
    FrameCommand(ID_EDIT_DELETE);
    EXPECT_EQ(1, Doc().GetDefaultGroup());
    EXPECT_EQ(0, Doc().GetDefaultCheckList());
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeCommands, EveryDeleteIsOneUndoStep)
{
    Select(Tree().GetGroupItem(0));
    FrameCommand(ID_EDIT_DELETE);
    Select(Tree().GetGroupItem(0));
    FrameCommand(ID_EDIT_CUT);
    EXPECT_EQ(1u, Doc().GetDatabase().groups.size());
    Doc().OnEditUndo();
    Doc().OnEditUndo();
    EXPECT_EQ(sampleText, DatabaseText());
    EXPECT_TRUE(TreeMirrorsDatabase());
    Doc().OnEditRedo();
    EXPECT_EQ(2u, Doc().GetDatabase().groups.size());
    EXPECT_TRUE(TreeMirrorsDatabase());
}

} // namespace
} // namespace tree_test
