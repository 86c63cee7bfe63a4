// The database's edit operations: ignored and missing positions, what each
// records, the order of change, record and notification, undo and redo.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <typeinfo>

#include "editor/model/Database.h"
#include "editor/model/UndoActions.h"
#include "foundation/glo/GLO_Exception.h"
#include "foundation/journal/JNL_Journal.h"
#include "tests/editor/document/AllocationLimit.h"
#include "tests/editor/document/EditFixture.h"

using app::CheckList_t;
using app::Entry_t;
using app::Group_t;
using app::Position_t;
using app_test::EditFixture;

namespace {

// Runs the call and expects an assertion of source Database at the line.
template <class Call>
void ExpectDatabaseAssert(Call call, int line)
{
    try {
        call();
        ADD_FAILURE() << "no assertion raised, expected line " << line;
    } catch (const glo::Assert_t& e) {
        EXPECT_STREQ("Database", e.GetFile());
        EXPECT_EQ(line, e.GetLine());
    }
}

template <class Action>
bool Holds(const jnl::Journal_t& journal, std::size_t index)
{
    return index < journal.GetCount() && journal.GetAt(index) &&
           typeid(*journal.GetAt(index)) == typeid(Action);
}

} // namespace

using DatabaseEdits = EditFixture;

TEST_F(DatabaseEdits, InsertGroupAtTheCountAppendsAndBeyondIsIgnored)
{
    AddSample();
    const std::string before = Text();
    const std::size_t steps = undo.GetCount();
    const std::size_t calls = observer.calls.size();
    database.InsertGroup(Position_t(3), Group_t("beyond"));
    database.InsertGroup(Position_t(-1), Group_t("negative"));
    EXPECT_EQ(before, Text());
    EXPECT_EQ(steps, undo.GetCount());
    EXPECT_EQ(calls, observer.calls.size());

    database.InsertGroup(Position_t(2), Group_t("last"));
    ASSERT_EQ(3u, database.groups.size());
    EXPECT_EQ("last", database.groups.back().name);
    EXPECT_TRUE(Holds<app::GroupInsert_t>(undo, steps));
    EXPECT_EQ("InsertGroupItem 2.0.0 last redraw", observer.calls.back());
}

TEST_F(DatabaseEdits, InsertCheckListAndEntryIgnoreOutOfRangeIndexes)
{
    AddSample();
    const std::string before = Text();
    const std::size_t steps = undo.GetCount();
    for (const Position_t& p : {Position_t(2, 0), Position_t(-1, 0), Position_t(0, 3), Position_t(0, -1)})
        database.InsertCheckList(p, CheckList_t("x"));
    for (const Position_t& p : {Position_t(2, 0, 0), Position_t(0, 2, 0), Position_t(0, -1, 0),
                                Position_t(0, 0, 3), Position_t(0, 0, -1)})
        database.InsertEntry(p, Entry_t("x"));
    EXPECT_EQ(before, Text());
    EXPECT_EQ(steps, undo.GetCount());

    database.InsertCheckList(Position_t(0, 2), CheckList_t("end"));
    database.InsertEntry(Position_t(0, 0, 2), Entry_t("end"));
    EXPECT_EQ("end", database.groups.front().checklists.back().name);
    EXPECT_EQ("end", database.groups.front().checklists.front().entries.back().text);
    EXPECT_TRUE(Holds<app::CheckListInsert_t>(undo, steps));
    EXPECT_TRUE(Holds<app::EntryInsert_t>(undo, steps + 1));
    EXPECT_EQ("InsertEntryItem 0.0.2 end", observer.calls.back());
}

TEST_F(DatabaseEdits, UnchangedRenamesAndUpdatesRecordAndTellNothing)
{
    AddSample();
    const std::size_t steps = undo.GetCount();
    const std::size_t calls = observer.calls.size();
    database.RenameGroup(Position_t(0), "Group A");
    database.RenameCheckList(Position_t(0, 1), "List A2");
    database.UpdateEntry(Position_t(0, 0, 1), Entry_t("Flaps", Entry_t::ChallengeResponse, Entry_t::Left, "SET"));
    EXPECT_EQ(steps, undo.GetCount());
    EXPECT_EQ(calls, observer.calls.size());

    database.UpdateEntry(Position_t(0, 0, 1), Entry_t("Flaps", Entry_t::ChallengeResponse, Entry_t::Center, "SET"));
    ASSERT_EQ(steps + 1, undo.GetCount());
    EXPECT_TRUE(Holds<app::EntryUpdate_t>(undo, steps));
    EXPECT_EQ("UpdateEntryItem 0.0.1 Flaps", observer.calls.back());
    Undo();
    EXPECT_EQ(Entry_t::Left, database.groups.front().checklists.front().EntryAt(1)->justification);
}

TEST_F(DatabaseEdits, RenamesRecordTheOldNameAndUndoRestoresIt)
{
    AddSample();
    database.RenameGroup(Position_t(1), "Renamed");
    database.RenameCheckList(Position_t(0, 1), "Renamed list");
    EXPECT_TRUE(Holds<app::GroupUpdate_t>(undo, undo.GetCount() - 2));
    EXPECT_TRUE(Holds<app::CheckListUpdate_t>(undo, undo.GetCount() - 1));
    EXPECT_EQ("UpdateCheckListItem 0.1.0 Renamed list", observer.calls.back());
    Undo();
    Undo();
    EXPECT_EQ("Group B", database.GroupAt(1)->name);
    EXPECT_EQ("List A2", database.GroupAt(0)->CheckListAt(1)->name);
    // The undone renames left updates holding the names they replaced.
    ASSERT_TRUE(Holds<app::CheckListUpdate_t>(redo, 0));
    EXPECT_EQ("Renamed list", static_cast<const app::CheckListUpdate_t*>(redo.GetAt(0))->GetValue());
    EXPECT_TRUE(Holds<app::GroupUpdate_t>(redo, 1));
}

TEST_F(DatabaseEdits, ErasedCheckListComesBackWhole)
{
    AddSample();
    const std::string before = Text();
    undo.Clear();
    database.EraseCheckList(Position_t(0, 0));
    ASSERT_TRUE(Holds<app::CheckListErase_t>(undo, 0));
    EXPECT_EQ(1u, database.GroupAt(0)->checklists.size());
    EXPECT_EQ("EraseCheckListItem 0.0.0", observer.calls.back());

    Undo();
    EXPECT_EQ(before, Text());
    EXPECT_TRUE(undo.IsEmpty());
    ASSERT_EQ(1u, redo.GetCount());
    EXPECT_TRUE(Holds<app::CheckListInsert_t>(redo, 0));
    EXPECT_EQ("InsertCheckListItem 0.0.0 List A1 redraw", observer.calls.back());

    Redo();
    EXPECT_EQ(1u, database.GroupAt(0)->checklists.size());
    EXPECT_TRUE(redo.IsEmpty());
    ASSERT_EQ(1u, undo.GetCount());
    EXPECT_TRUE(Holds<app::CheckListErase_t>(undo, 0));
    EXPECT_TRUE(observer.Mirrors(database));
}

TEST_F(DatabaseEdits, ErasedGroupAndEntryComeBack)
{
    AddSample();
    const std::string before = Text();
    database.EraseEntry(Position_t(0, 0, 0));
    database.EraseGroup(Position_t(0));
    EXPECT_TRUE(Holds<app::EntryErase_t>(undo, undo.GetCount() - 2));
    EXPECT_TRUE(Holds<app::GroupErase_t>(undo, undo.GetCount() - 1));
    Undo();
    Undo();
    EXPECT_EQ(before, Text());
    EXPECT_TRUE(Holds<app::GroupInsert_t>(redo, 0));
    EXPECT_TRUE(Holds<app::EntryInsert_t>(redo, 1));
    EXPECT_TRUE(observer.Mirrors(database));
}

TEST_F(DatabaseEdits, MissingItemsAssertBeforeAnythingChanges)
{
    AddSample();
    const std::string before = Text();
    const std::size_t steps = undo.GetCount();
    ExpectDatabaseAssert([&] { database.RenameGroup(Position_t(2), "x"); }, 153);
    ExpectDatabaseAssert([&] { database.RenameCheckList(Position_t(-1, 0), "x"); }, 182);
    ExpectDatabaseAssert([&] { database.RenameCheckList(Position_t(1, 1), "x"); }, 185);
    ExpectDatabaseAssert([&] { database.UpdateEntry(Position_t(5, 0, 0), Entry_t()); }, 214);
    ExpectDatabaseAssert([&] { database.UpdateEntry(Position_t(0, 2, 0), Entry_t()); }, 217);
    ExpectDatabaseAssert([&] { database.UpdateEntry(Position_t(0, 0, -1), Entry_t()); }, 220);
    ExpectDatabaseAssert([&] { database.EraseGroup(Position_t(2)); }, 248);
    ExpectDatabaseAssert([&] { database.EraseCheckList(Position_t(2, 0)); }, 270);
    ExpectDatabaseAssert([&] { database.EraseCheckList(Position_t(1, 1)); }, 274);
    ExpectDatabaseAssert([&] { database.EraseEntry(Position_t(2, 0, 0)); }, 297);
    ExpectDatabaseAssert([&] { database.EraseEntry(Position_t(1, 1, 0)); }, 301);
    // The entry at the index equal to the entry count is missing.
    ExpectDatabaseAssert([&] { database.EraseEntry(Position_t(0, 0, 2)); }, 305);
    EXPECT_EQ(before, Text());
    EXPECT_EQ(steps, undo.GetCount());
}

TEST_F(DatabaseEdits, WithoutObserverEachOperationAssertsAfterItsOwnSteps)
{
    AddSample();
    database.SetObserver(nullptr);
    std::size_t steps = undo.GetCount();
    // Inserts, renames and updates have changed and recorded by then.
    ExpectDatabaseAssert([&] { database.InsertGroup(Position_t(0), Group_t("g")); }, 40);
    ExpectDatabaseAssert([&] { database.InsertCheckList(Position_t(0, 0), CheckList_t("c")); }, 83);
    ExpectDatabaseAssert([&] { database.InsertEntry(Position_t(0, 0, 0), Entry_t("e")); }, 135);
    ExpectDatabaseAssert([&] { database.RenameGroup(Position_t(0), "g2"); }, 164);
    ExpectDatabaseAssert([&] { database.RenameCheckList(Position_t(0, 0), "c2"); }, 196);
    ExpectDatabaseAssert([&] { database.UpdateEntry(Position_t(0, 0, 0), Entry_t("e2")); }, 231);
    EXPECT_EQ(steps + 6, undo.GetCount());
    EXPECT_EQ("g2", database.GroupAt(0)->name);
    EXPECT_EQ("e2", database.GroupAt(0)->CheckListAt(0)->EntryAt(0)->text);
    // Erases have recorded, but the item is still there.
    steps = undo.GetCount();
    const std::string before = Text();
    ExpectDatabaseAssert([&] { database.EraseGroup(Position_t(0)); }, 253);
    ExpectDatabaseAssert([&] { database.EraseCheckList(Position_t(0, 0)); }, 280);
    ExpectDatabaseAssert([&] { database.EraseEntry(Position_t(0, 0, 0)); }, 310);
    EXPECT_EQ(steps + 3, undo.GetCount());
    EXPECT_EQ(before, Text());
}

TEST_F(DatabaseEdits, InsertsChangeRecordThenNotifyUpdatesRecordChangeNotifyErasesNotifyBeforeChange)
{
    AddSample();
    std::string seenText;
    std::size_t seenSteps = 0;
    observer.onCall = [&] {
        seenText = Text();
        seenSteps = undo.GetCount();
    };
    std::size_t steps = undo.GetCount();
    database.InsertEntry(Position_t(1, 0, 0), Entry_t("Inserted"));
    EXPECT_NE(std::string::npos, seenText.find("Inserted"));
    EXPECT_EQ(steps + 1, seenSteps);

    database.RenameGroup(Position_t(1), "Renamed");
    EXPECT_NE(std::string::npos, seenText.find("Renamed"));
    EXPECT_EQ(steps + 2, seenSteps);

    database.EraseEntry(Position_t(1, 0, 0));
    EXPECT_NE(std::string::npos, seenText.find("Inserted"));
    EXPECT_EQ(steps + 3, seenSteps);
    EXPECT_EQ(std::string::npos, Text().find("Inserted"));
}

TEST_F(DatabaseEdits, ClearRemovesEverythingAndRecordsAndTellsNothing)
{
    AddSample();
    const std::size_t steps = undo.GetCount();
    const std::size_t calls = observer.calls.size();
    database.Clear();
    EXPECT_TRUE(database.groups.empty());
    EXPECT_EQ(steps, undo.GetCount());
    EXPECT_TRUE(redo.IsEmpty());
    EXPECT_EQ(calls, observer.calls.size());
}

TEST_F(DatabaseEdits, WithoutRecordingJournalNothingIsRecorded)
{
    database.SetJournal(nullptr);
    AddSample();
    EXPECT_TRUE(undo.IsEmpty());
    EXPECT_TRUE(observer.Mirrors(database));
}

TEST_F(DatabaseEdits, AnActionCloneIsNullWhenMemoryRunsOutWhileCopying)
{
    AddSample();
    const app::GroupErase_t erase(database, Position_t(0), database.groups.front());
    std::ostringstream original;
    original << erase.GetValue();
    // Every allowance short of a whole copy gives null, the first large enough a full copy.
    for (std::size_t allowed = 0;; ++allowed) {
        std::unique_ptr<jnl::Action_t> clone;
        {
            AllocationLimit_t limit(allowed);
            clone.reset(erase.Clone());
        }
        if (clone) {
            EXPECT_GT(allowed, 1u) << "copying the group allocates";
            std::ostringstream copied;
            copied << dynamic_cast<const app::GroupErase_t&>(*clone).GetValue();
            EXPECT_EQ(original.str(), copied.str());
            break;
        }
    }
}
