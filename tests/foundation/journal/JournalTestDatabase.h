// A small journaled database for the engine's tests: one integer whose every
// change records the action that sets it back.
#pragma once

#include <string>
#include <vector>

#include "foundation/journal/JNL_Database.h"
#include "foundation/journal/JNL_Journal.h"
#include "foundation/journal/JNL_JournalObserver.h"

namespace jnl_test {

class ValueDatabase_t : public jnl::Database_t {
public:
    int value = 0;
    std::vector<int> applied;  // the values set by replayed actions, in order
    int applyFailsAt = -1;     // an action setting this value throws instead

    // Sets the value; records an action that sets the old one back and ends a
    // step or not as asked.
    void Set(int newValue, bool endsStep = true);
};

// Sets the database's value; its inverse is recorded by the set itself.
class SetValue_t : public jnl::Action_t {
public:
    SetValue_t(ValueDatabase_t& database, int value, bool endsStep, bool commitMark = false)
        : database_(&database), value_(value), endsStep_(endsStep), commitMark_(commitMark)
    {
        ++live;
    }

    void Apply() override;
    bool EndsGroup() const override { return endsStep_; }
    bool IsCommitMark() const override { return commitMark_; }
    jnl::Action_t* Clone() const override;

    int Value() const { return value_; }
    void SetValueForTest(int value) { value_ = value; }

    static int live;  // objects alive, clones included

    SetValue_t(const SetValue_t& other);
    ~SetValue_t() override;

private:
    ValueDatabase_t* database_;
    int value_;
    bool endsStep_;
    bool commitMark_;
};

// An action whose clone fails as if memory were exhausted.
class Unclonable_t : public jnl::Action_t {
public:
    void Apply() override {}
    bool EndsGroup() const override { return true; }
    jnl::Action_t* Clone() const override { return nullptr; }
};

// Counts the journal's change notifications.
class CountingObserver_t : public jnl::JournalObserver_t {
public:
    int calls = 0;
    std::vector<std::size_t> sizes;  // the journal's size at each call
    void OnChanged(jnl::Journal_t& journal) override
    {
        ++calls;
        sizes.push_back(journal.GetCount());
    }
};

int ValueAt(const jnl::Journal_t& journal, std::size_t index);

} // namespace jnl_test
