// A journal: the ordered actions that undo a database's changes, replayed newest first.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "foundation/journal/JNL_Action.h"
#include "foundation/journal/JNL_JournalObserver.h"

namespace jnl {

class Journal_t {
public:
    explicit Journal_t(JournalObserver_t* observer = nullptr);
    virtual ~Journal_t();

    Journal_t(const Journal_t&) = delete;
    Journal_t& operator=(const Journal_t&) = delete;

    // Appends a clone of the action; the argument stays the caller's.
    void Record(const Action_t& action);
    // Deletes the newest action; the journal must not be empty.
    void PopBack();
    // Deletes every action, newest first, telling the observer of each.
    void Clear();
    // Replays one step: pops and applies actions from the back up to and
    // including the first that ends a step. Reached through Database_t::RunJournal.
    void Rollback();
    // Records each action of the other journal, oldest first.
    void AppendFrom(const Journal_t& other);
    void NotifyObserver();

    bool IsEmpty() const { return actions_.empty(); }
    std::size_t GetCount() const { return actions_.size(); }
    // The action at an index, oldest first; null where a clone failed.
    const Action_t* GetAt(std::size_t index) const { return actions_.at(index).get(); }

protected:
    // Deletes the action at an index and removes it, without telling the observer.
    void Erase(std::size_t index);

private:
    std::vector<std::unique_ptr<Action_t>> actions_;
    JournalObserver_t* observer_;
};

} // namespace jnl
