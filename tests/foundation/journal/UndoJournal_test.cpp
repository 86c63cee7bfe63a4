// The scoped journal: a transaction handed to the enclosing journal as one step.
#include <gtest/gtest.h>

#include <stdexcept>

#include "foundation/glo/GLO_Exception.h"
#include "foundation/journal/JNL_UndoJournal.h"
#include "tests/foundation/journal/JournalTestDatabase.h"

using namespace jnl_test;

TEST(UndoJournal, RecordsWhileItLivesAndRestoresThePreviousJournal)
{
    ValueDatabase_t database;
    jnl::Journal_t outer;
    database.SetJournal(&outer);
    {
        jnl::UndoJournal_t transaction(database);
        EXPECT_EQ(&transaction, database.GetJournal());
        database.Set(1);
        EXPECT_EQ(1u, transaction.GetCount());
        EXPECT_TRUE(outer.IsEmpty());
    }
    EXPECT_EQ(&outer, database.GetJournal());
    EXPECT_EQ(1u, outer.GetCount());
}

TEST(UndoJournal, ATransactionOfStepEndingActionsBecomesOneActionAfterPurge)
{
    ValueDatabase_t database;
    jnl::Journal_t outer;
    database.SetJournal(&outer);
    const int liveBefore = SetValue_t::live;
    {
        jnl::UndoJournal_t transaction(database);
        database.Set(1);
        database.Set(2);
        database.Set(3);
    }
    // The two later step ends are deleted; the oldest survives in the outer journal.
    ASSERT_EQ(1u, outer.GetCount());
    EXPECT_EQ(0, ValueAt(outer, 0));
    EXPECT_EQ(liveBefore + 1, SetValue_t::live);
    outer.Clear();
}

TEST(UndoJournal, PurgeKeepsActionsThatDoNotEndAStepInOrder)
{
    ValueDatabase_t database;
    jnl::UndoJournal_t transaction(database);
    database.Set(1, true);
    database.Set(2, false);
    database.Set(3, true);
    database.Set(4, false);
    transaction.Purge();
    ASSERT_EQ(3u, transaction.GetCount());
    EXPECT_EQ(0, ValueAt(transaction, 0));
    EXPECT_EQ(1, ValueAt(transaction, 1));
    EXPECT_EQ(3, ValueAt(transaction, 2));
    // The whole block now replays as one step.
    database.SetJournal(nullptr);
    database.RunJournal(transaction);
    EXPECT_EQ(0, database.value);
    EXPECT_TRUE(transaction.IsEmpty());
}

TEST(UndoJournal, PurgeWhoseOldestActionDoesNotEndAStepAsserts)
{
    ValueDatabase_t database;
    jnl::UndoJournal_t transaction(database);
    database.Set(1, false);
    database.Set(2, true);
    try {
        transaction.Purge();
        ADD_FAILURE() << "no assertion raised";
    } catch (const glo::Assert_t& e) {
        EXPECT_STREQ("JNL_Journal", e.GetFile());
        EXPECT_EQ(60, e.GetLine());
    }
    EXPECT_EQ(2u, transaction.GetCount());
}

TEST(UndoJournal, PurgeOfAnEmptyJournalDoesNothing)
{
    ValueDatabase_t database;
    jnl::UndoJournal_t transaction(database);
    EXPECT_NO_THROW(transaction.Purge());
}

TEST(UndoJournal, WithoutAnEnclosingJournalItsActionsAreSimplyDeleted)
{
    ValueDatabase_t database;
    const int liveBefore = SetValue_t::live;
    {
        jnl::UndoJournal_t transaction(database);
        database.Set(1);
        database.Set(2);
    }
    EXPECT_EQ(liveBefore, SetValue_t::live);
    EXPECT_EQ(nullptr, database.GetJournal());
    EXPECT_EQ(2, database.value);
}

TEST(UndoJournal, ItsEndLetsNoExceptionOut)
{
    ValueDatabase_t database;
    jnl::Journal_t outer;
    database.SetJournal(&outer);
    const int liveBefore = SetValue_t::live;
    EXPECT_NO_THROW({
        jnl::UndoJournal_t transaction(database);
        database.Set(1, false);  // the purge at the end asserts on this
    });
    EXPECT_EQ(&outer, database.GetJournal());
    EXPECT_TRUE(outer.IsEmpty());
    EXPECT_EQ(liveBefore, SetValue_t::live);
}

TEST(UndoJournal, NeedsRollbackUnlessEmptyOrEndingInACommitMark)
{
    ValueDatabase_t database;
    jnl::UndoJournal_t transaction(database);
    EXPECT_FALSE(transaction.NeedsRollback());
    database.Set(1);
    EXPECT_TRUE(transaction.NeedsRollback());
    transaction.Record(SetValue_t(database, 0, true, true));
    EXPECT_FALSE(transaction.NeedsRollback());
    transaction.Rollback();  // a commit mark at the end: nothing happens
    EXPECT_EQ(2u, transaction.GetCount());
    EXPECT_EQ(1, database.value);
    EXPECT_TRUE(database.applied.empty());
}

TEST(UndoJournal, RollbackReplaysOneStepRecordingNothing)
{
    ValueDatabase_t database;
    jnl::Journal_t outer;
    database.SetJournal(&outer);
    jnl::UndoJournal_t transaction(database);
    database.Set(1, true);
    database.Set(2, false);
    transaction.Rollback();
    EXPECT_EQ(0, database.value);
    EXPECT_TRUE(transaction.IsEmpty());
    EXPECT_TRUE(outer.IsEmpty());
    EXPECT_EQ(&transaction, database.GetJournal());
}

TEST(UndoJournal, RollbackRestoresTheRecordingJournalWhenApplyThrows)
{
    ValueDatabase_t database;
    jnl::UndoJournal_t transaction(database);
    database.Set(1);
    database.applyFailsAt = 0;
    EXPECT_THROW(transaction.Rollback(), std::runtime_error);
    EXPECT_EQ(&transaction, database.GetJournal());
    EXPECT_EQ(nullptr, database.GetReplayingJournal());
}
