// The journal: recording clones, one-step and multi-step replay, clearing,
// and the database's replay state.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "foundation/glo/GLO_Exception.h"
#include "foundation/journal/UTL_Saver.h"
#include "tests/foundation/journal/JournalTestDatabase.h"

using namespace jnl_test;

namespace {

// Runs the call and expects an assertion of the given source stem and line.
template <class Call>
void ExpectAssert(Call call, const char* file, int line)
{
    try {
        call();
        ADD_FAILURE() << "no assertion raised";
    } catch (const glo::Assert_t& e) {
        EXPECT_STREQ(file, e.GetFile());
        EXPECT_EQ(line, e.GetLine());
    }
}

// A database recording into a journal, with the given values set one by one.
struct Recorded {
    ValueDatabase_t database;
    jnl::Journal_t journal;
    Recorded(std::initializer_list<int> values, std::initializer_list<bool> endsStep)
    {
        database.SetJournal(&journal);
        auto ends = endsStep.begin();
        for (int value : values)
            database.Set(value, *ends++);
        database.SetJournal(nullptr);
    }
};

} // namespace

TEST(Journal, RollbackOfAnEmptyJournalDoesNothingAndTellsNobody)
{
    CountingObserver_t observer;
    jnl::Journal_t journal(&observer);
    ValueDatabase_t database;
    database.RunJournal(journal);
    EXPECT_EQ(0, observer.calls);
    EXPECT_TRUE(database.applied.empty());
}

TEST(Journal, StepEndingActionsAreUndoneOneAtATime)
{
    Recorded r({1, 2, 3}, {true, true, true});
    ASSERT_EQ(3, r.database.value);
    r.database.RunJournal(r.journal);
    EXPECT_EQ(2, r.database.value);
    EXPECT_EQ(2u, r.journal.GetCount());
    r.database.RunJournal(r.journal);
    EXPECT_EQ(1, r.database.value);
    r.database.RunJournal(r.journal);
    EXPECT_EQ(0, r.database.value);
    EXPECT_TRUE(r.journal.IsEmpty());
}

TEST(Journal, ActionsUpToTheOldestStepEndAreOneStepReplayedNewestFirst)
{
    Recorded r({1, 2, 3}, {true, false, false});
    r.database.RunJournal(r.journal);
    EXPECT_EQ((std::vector<int>{2, 1, 0}), r.database.applied);
    EXPECT_EQ(0, r.database.value);
    EXPECT_TRUE(r.journal.IsEmpty());
}

TEST(Journal, AStepWithoutEndAppliesEverythingThenAsserts)
{
    Recorded r({1, 2}, {false, false});
    ExpectAssert([&] { r.database.RunJournal(r.journal); }, "JNL_Journal", 31);
    EXPECT_EQ((std::vector<int>{1, 0}), r.database.applied);
    EXPECT_TRUE(r.journal.IsEmpty());
    EXPECT_EQ(nullptr, r.database.GetReplayingJournal());
}

TEST(Journal, ReplayRecordsInversesIntoTheRecordingJournalSoUndoAndRedoSwap)
{
    Recorded r({5, 7}, {true, true});
    jnl::Journal_t redo;
    // Undo: the redo journal records while the undo journal replays.
    r.database.SetJournal(&redo);
    r.database.RunJournal(r.journal);
    r.database.RunJournal(r.journal);
    EXPECT_EQ(0, r.database.value);
    ASSERT_EQ(2u, redo.GetCount());
    EXPECT_EQ(7, ValueAt(redo, 0));
    EXPECT_EQ(5, ValueAt(redo, 1));
    // Redo: the undo journal records while the redo journal replays.
    r.database.SetJournal(&r.journal);
    r.database.RunJournal(redo);
    EXPECT_EQ(5, r.database.value);
    r.database.RunJournal(redo);
    EXPECT_EQ(7, r.database.value);
    EXPECT_TRUE(redo.IsEmpty());
    EXPECT_EQ(2u, r.journal.GetCount());
}

TEST(Journal, TheReplayedActionHasLeftTheJournalBeforeItIsApplied)
{
    CountingObserver_t observer;
    ValueDatabase_t database;
    jnl::Journal_t journal(&observer);
    database.SetJournal(&journal);
    database.Set(1);
    database.Set(2);
    observer.sizes.clear();
    // Recording into the replayed journal itself: the inverse is appended
    // after the replayed action has been removed.
    database.RunJournal(journal);
    EXPECT_EQ((std::vector<std::size_t>{1, 2}), observer.sizes);
    EXPECT_EQ(2, ValueAt(journal, 1));
}

TEST(Journal, ClearDeletesNewestFirstAndNotifiesOncePerAction)
{
    CountingObserver_t observer;
    ValueDatabase_t database;
    jnl::Journal_t journal(&observer);
    database.SetJournal(&journal);
    const int liveBefore = SetValue_t::live;
    for (int i = 1; i <= 4; ++i)
        database.Set(i);
    EXPECT_EQ(liveBefore + 4, SetValue_t::live);
    observer.calls = 0;
    observer.sizes.clear();
    journal.Clear();
    EXPECT_EQ(4, observer.calls);
    EXPECT_EQ((std::vector<std::size_t>{3, 2, 1, 0}), observer.sizes);
    EXPECT_EQ(liveBefore, SetValue_t::live);
    journal.Clear();
    EXPECT_EQ(4, observer.calls);
}

TEST(Journal, RecordStoresAClone)
{
    ValueDatabase_t database;
    jnl::Journal_t journal;
    {
        SetValue_t action(database, 9, true);
        journal.Record(action);
        action.SetValueForTest(4);
    }
    EXPECT_EQ(9, ValueAt(journal, 0));
    database.RunJournal(journal);
    EXPECT_EQ(9, database.value);
}

TEST(Journal, PopBackDeletesTheNewestAndNotifies)
{
    CountingObserver_t observer;
    Recorded r({1, 2}, {true, true});
    jnl::Journal_t journal(&observer);
    journal.AppendFrom(r.journal);
    EXPECT_EQ(2, observer.calls);
    journal.PopBack();
    EXPECT_EQ(3, observer.calls);
    ASSERT_EQ(1u, journal.GetCount());
    EXPECT_EQ(0, ValueAt(journal, 0));
    journal.Clear();
    r.journal.Clear();
}

TEST(Journal, AppendFromCopiesOldestFirst)
{
    Recorded r({1, 2, 3}, {true, true, true});
    jnl::Journal_t copy;
    copy.AppendFrom(r.journal);
    ASSERT_EQ(3u, copy.GetCount());
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(ValueAt(r.journal, i), ValueAt(copy, i));
        EXPECT_NE(r.journal.GetAt(i), copy.GetAt(i));
    }
    copy.Clear();
    r.journal.Clear();
}

TEST(Journal, AFailedCloneIsStoredAsNullAndAssertsWhenReplayed)
{
    CountingObserver_t observer;
    ValueDatabase_t database;
    jnl::Journal_t journal(&observer);
    journal.Record(Unclonable_t());
    ASSERT_EQ(1u, journal.GetCount());
    EXPECT_EQ(nullptr, journal.GetAt(0));
    ExpectAssert([&] { database.RunJournal(journal); }, "GLO_AutoPtr", 133);
    EXPECT_TRUE(journal.IsEmpty());
    EXPECT_EQ(2, observer.calls);
}

TEST(Journal, AnApplyThatThrowsLosesItsActionAndKeepsEarlierOnesApplied)
{
    Recorded r({1, 2, 3}, {true, false, false});
    r.database.applyFailsAt = 1;
    EXPECT_THROW(r.database.RunJournal(r.journal), std::runtime_error);
    EXPECT_EQ(2, r.database.value);
    ASSERT_EQ(1u, r.journal.GetCount());
    EXPECT_EQ(0, ValueAt(r.journal, 0));
    r.journal.Clear();
}

namespace {

// Reads the database's replay state while it is being replayed.
class ReplayProbe_t : public jnl::Action_t {
public:
    ReplayProbe_t(jnl::Database_t& database, jnl::Journal_t** seen, bool fail)
        : database_(database), seen_(seen), fail_(fail) {}
    void Apply() override
    {
        *seen_ = database_.GetReplayingJournal();
        if (fail_)
            throw std::runtime_error("probe");
    }
    bool EndsGroup() const override { return true; }
    jnl::Action_t* Clone() const override { return new ReplayProbe_t(*this); }

private:
    jnl::Database_t& database_;
    jnl::Journal_t** seen_;
    bool fail_;
};

} // namespace

TEST(Journal, RunJournalPointsAtTheReplayedJournalOnlyWhileItRuns)
{
    ValueDatabase_t database;
    jnl::Journal_t journal;
    jnl::Journal_t* seen = nullptr;
    journal.Record(ReplayProbe_t(database, &seen, false));
    journal.Record(ReplayProbe_t(database, &seen, true));

    EXPECT_THROW(database.RunJournal(journal), std::runtime_error);
    EXPECT_EQ(&journal, seen);
    EXPECT_EQ(nullptr, database.GetReplayingJournal());

    database.RunJournal(journal);
    EXPECT_EQ(&journal, seen);
    EXPECT_EQ(nullptr, database.GetReplayingJournal());
}

TEST(Saver, WritesTheSavedValueBackWhenItEnds)
{
    int variable = 3;
    {
        utl::Saver_t<int> saver(variable);
        variable = 8;
    }
    EXPECT_EQ(3, variable);
    try {
        utl::Saver_t<int> saver(variable);
        variable = 9;
        throw std::runtime_error("leave");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(3, variable);
}
