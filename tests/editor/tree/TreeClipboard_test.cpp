// Cut, copy and paste through the real clipboard: the bytes of the three
// formats, where a paste goes, and pastes of damaged and random payloads.
#include "tests/editor/tree/TreeTestApp.h"

#include "editor/tree/ItemClipboard.h"
#include "editor/shell/ResourceIds.h"

#include <chrono>
#include <random>
#include <sstream>
#include <thread>

using app::Position_t;
using app::TreeView_t;

namespace tree_test {
namespace {

class TreeClipboard : public SampleTest {
protected:
    void SetUp() override
    {
        SampleTest::SetUp();
        ClearClipboard();
    }
};

TEST_F(TreeClipboard, CopyOfAGroupPutsItsCountAndTextWithLineFeedsUnderTheGroupFormatOnly)
{
    Load("<0Group1\n(0List\nc0Battery master ON\n)\n>\nEND\n");
    const std::string text = "<0Group1\n(0List\nc0Battery master ON\n)\n>\n";
    ASSERT_EQ(40u, text.size());
    Select(Tree().GetGroupItem(0));
    FrameCommand(ID_EDIT_COPY);
    const std::string block = ClipboardBlock(::RegisterClipboardFormatA("QUOREL KIV GROUP"));
    ASSERT_EQ(44u, block.size());
    EXPECT_EQ(std::string("\x28\0\0\0", 4), block.substr(0, 4));
    EXPECT_EQ(text, block.substr(4));
    EXPECT_EQ(std::vector<UINT>{ app::GroupClipboardFormat() }, ClipboardFormats());
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(TreeClipboard, ChecklistsAndEntriesTravelInTheirOwnFormats)
{
    Select(Tree().GetCheckListItem(Position_t(1, 0)));
    FrameCommand(ID_EDIT_COPY);
    EXPECT_EQ(Block("(0Taxi\nc0Lights\n)\n"), ClipboardBlock(::RegisterClipboardFormatA("QUOREL KIV CHECKLIST")));
    EXPECT_EQ(1u, ClipboardFormats().size());
    Select(Tree().GetEntryItem(Position_t(0, 0, 1)));
    FrameCommand(ID_EDIT_COPY);
    EXPECT_EQ(Block("r0Flaps~SET\n"), ClipboardBlock(::RegisterClipboardFormatA("QUOREL KIV ENTRY")));
    EXPECT_EQ(1u, ClipboardFormats().size());
}

TEST_F(TreeClipboard, PastedEntriesGoBeforeTheCaretEntryOrAfterTheLastOne)
{
    Select(Tree().GetEntryItem(Position_t(0, 0, 1)));
    FrameCommand(ID_EDIT_COPY);
    MakeRedoable();
    const HTREEITEM battery = Tree().GetEntryItem(Position_t(0, 0, 0));
    Select(battery);
    FrameCommand(ID_EDIT_PASTE);
    EXPECT_TRUE(Doc().GetRedoJournal().IsEmpty());
    EXPECT_EQ(battery, Tree().GetCaretItem());
    const HTREEITEM endOfEntries = Tree().GetEntryItem(Position_t(0, 0, 4));
    Select(endOfEntries);
    FrameCommand(ID_EDIT_PASTE);
    EXPECT_EQ(endOfEntries, Tree().GetCaretItem());
    const auto& entries = Doc().GetDatabase().GroupAt(0)->CheckListAt(0)->entries;
    std::vector<std::string> texts;
    for (const app::Entry_t& entry : entries)
        texts.push_back(entry.text);
    EXPECT_EQ((std::vector<std::string>{ "Flaps", "Battery", "Flaps", "Check the doors", "Flaps" }), texts);
    EXPECT_EQ("SET", entries.front().response);
    EXPECT_TRUE(TreeMirrorsDatabase());
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(TreeClipboard, APastedGroupComesWithItsChecklistsAndUndoTakesItAway)
{
    Select(Tree().GetGroupItem(0));
    FrameCommand(ID_EDIT_COPY);
    Select(Tree().GetGroupItem(3));
    FrameCommand(ID_EDIT_PASTE);
    ASSERT_EQ(4u, Doc().GetDatabase().groups.size());
    EXPECT_EQ(2u, Doc().GetDatabase().GroupAt(3)->checklists.size());
    EXPECT_TRUE(TreeMirrorsDatabase());
    Doc().OnEditUndo();
    EXPECT_EQ(sampleText, DatabaseText());
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeClipboard, AfterUndoOfAPasteBeforeTheCaretTheSelectionStillNamesTheCaretsChecklist)
{
    Select(Tree().GetCheckListItem(Position_t(0, 1)));
    FrameCommand(ID_EDIT_COPY);
    Select(Tree().GetCheckListItem(Position_t(0, 0)));
    FrameCommand(ID_EDIT_PASTE);
    EXPECT_EQ(1, Doc().GetSelectedCheckList());
    Doc().OnEditUndo();
    EXPECT_EQ(0, Doc().GetSelectedGroup());
    EXPECT_EQ(0, Doc().GetSelectedCheckList());
    EXPECT_EQ(Tree().GetCheckListItem(Position_t(0, 0)), Tree().GetCaretItem());
}

TEST_F(TreeClipboard, CutOfTheDefaultGroupResetsBothDefaultsAndUndoBringsBackOnlyTheGroup)
{
    Doc().GetHeader().SetDefaultGroup(1);
    Doc().GetHeader().SetDefaultCheckList(3);
    Select(Tree().GetGroupItem(1));
    FrameCommand(ID_EDIT_CUT);
    EXPECT_EQ(Block("<0After Landing\n(0Taxi\nc0Lights\n)\n>\n"), ClipboardBlock(app::GroupClipboardFormat()));
    EXPECT_EQ(2u, Doc().GetDatabase().groups.size());
    EXPECT_EQ(0, Doc().GetDefaultGroup());
    EXPECT_EQ(0, Doc().GetDefaultCheckList());
    Doc().OnEditUndo();
    EXPECT_EQ(sampleText, DatabaseText());
    EXPECT_EQ(0, Doc().GetDefaultGroup());
    EXPECT_EQ(0, Doc().GetDefaultCheckList());
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeClipboard, ACutWhoseCopyCannotReachTheClipboardKeepsTheItem)
{
    Select(Tree().GetCheckListItem(Position_t(1, 0)));
    bool held = false;
    bool release = false;
    std::thread holder([&] {
        HWND owner = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        held = ::OpenClipboard(owner) != FALSE;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (held)
            ::CloseClipboard();
        ::DestroyWindow(owner);
    });
    while (!held)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    FrameCommand(ID_EDIT_CUT);
    release = true;
    holder.join();
    EXPECT_EQ(sampleText, DatabaseText());
    EXPECT_TRUE(Doc().GetUndoJournal().IsEmpty());
    FrameCommand(ID_EDIT_CUT);
    EXPECT_TRUE(Doc().GetDatabase().GroupAt(1)->checklists.empty());
}

TEST_F(TreeClipboard, PasteTakesOnlyTheFormatOfTheCaretsLevelAndKeepsRedoWhenItPastesNothing)
{
    PutOnClipboard(app::GroupClipboardFormat(), Block("<0Group\n>\n"));
    PutOnClipboard(app::EntryClipboardFormat(), Block("p2Entry\n"));
    Select(Tree().GetEntryItem(Position_t(1, 0, 0)));
    FrameCommand(ID_EDIT_PASTE);
    EXPECT_EQ(3u, Doc().GetDatabase().groups.size());
    EXPECT_EQ("Entry", Doc().GetDatabase().GroupAt(1)->CheckListAt(0)->entries.front().text);

    // A group on the clipboard with the caret on a checklist: nothing to paste,
    // and what could be redone stays.
    MakeRedoable();
    Select(Tree().GetCheckListItem(Position_t(1, 0)));
    const std::string before = DatabaseText();
    ViewCommand(ID_EDIT_PASTE);
    EXPECT_EQ(before, DatabaseText());
    EXPECT_FALSE(Doc().GetRedoJournal().IsEmpty());
    EXPECT_FALSE(MenuEnabled(ID_EDIT_PASTE));
}

TEST_F(TreeClipboard, DamagedPayloadsAreInsertedAsFarAsTheyWereRead)
{
    const HTREEITEM taxi = Tree().GetCheckListItem(Position_t(1, 0));
    Select(taxi);
    // A block that does not parse at all: the empty checklist.
    PutOnClipboard(app::CheckListClipboardFormat(), Block("garbage"));
    FrameCommand(ID_EDIT_PASTE);
    EXPECT_EQ("", Doc().GetDatabase().GroupAt(1)->CheckListAt(0)->name);
    EXPECT_TRUE(Doc().GetDatabase().GroupAt(1)->CheckListAt(0)->entries.empty());
    // An entry line cut off before its line feed is read whole.
    Select(Tree().GetEntryItem(Position_t(1, 1, 0)));
    PutOnClipboard(app::EntryClipboardFormat(), Block("w3Engine fire"));
    FrameCommand(ID_EDIT_PASTE);
    const app::Entry_t& entry = Doc().GetDatabase().GroupAt(1)->CheckListAt(1)->entries.front();
    EXPECT_EQ("Engine fire", entry.text);
    EXPECT_EQ(app::Entry_t::Warning, entry.kind);
    EXPECT_EQ(app::Entry_t::Indent3, entry.justification);
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeClipboard, ABlockWhoseCountClaimsMoreThanItHoldsIsNotOffered)
{
    MakeRedoable();
    Select(Tree().GetGroupItem(0));
    std::string block = Block("<0Group\n>\n");
    block[0] = 100;
    PutOnClipboard(app::GroupClipboardFormat(), block);
    FrameCommand(ID_EDIT_PASTE);
    ViewCommand(ID_EDIT_PASTE);
    PutOnClipboard(app::GroupClipboardFormat(), std::string("\x01\x00", 2));
    ViewCommand(ID_EDIT_PASTE);
    EXPECT_EQ(sampleText, DatabaseText());
    EXPECT_FALSE(Doc().GetRedoJournal().IsEmpty());
}

TEST_F(TreeClipboard, RandomPayloadsPasteWithoutHarmAtEveryLevel)
{
    std::mt19937 random(1234);
    const std::string pieces[] = { "<0", "(0", "c0", "r1", "a~", "~", "\n", ">\n", ")\n", "*x\n", "END\n",
                                   "\r\n", std::string(1, '\0'), "\xff", "Name", "t5" };
    int pasted = 0;
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < length; ++i)
            text += pieces[std::uniform_int_distribution<int>(0, 15)(random)];
        std::string block = Block(text);
        const int level = round % 3;
        if (round % 7 == 6)
            block.resize(std::uniform_int_distribution<size_t>(0, block.size())(random));   // cut short
        const UINT formats[] = { app::GroupClipboardFormat(), app::CheckListClipboardFormat(),
                                 app::EntryClipboardFormat() };
        ClearClipboard();
        PutOnClipboard(formats[level], block);
        const HTREEITEM targets[] = { Tree().GetGroupItem(0), Tree().GetCheckListItem(Position_t(0, 0)),
                                      Tree().GetEntryItem(Position_t(0, 0, 0)) };
        Select(targets[level]);
        FrameCommand(ID_EDIT_PASTE);
        if (!Doc().GetUndoJournal().IsEmpty())
            ++pasted;
        ASSERT_TRUE(TreeMirrorsDatabase()) << "payload " << ::testing::PrintToString(text);
        // What was pasted writes and reads back as itself.
        const std::string written = DatabaseText();
        std::istringstream in(written);
        app::Database_t again;
        again.Read(in);
        std::ostringstream rewritten;
        again.Write(rewritten);
        ASSERT_TRUE(again.IsComplete()) << "payload " << ::testing::PrintToString(text);
        ASSERT_EQ(written, rewritten.str()) << "payload " << ::testing::PrintToString(text);
        Load(sampleText);
    }
    EXPECT_LT(0, pasted);
}

} // namespace
} // namespace tree_test
