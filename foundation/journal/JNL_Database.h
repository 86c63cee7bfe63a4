// Base of a database whose changes are journaled: it knows the journal that
// records the inverse of each change, and the journal being replayed.
#pragma once

namespace jnl {

class Journal_t;

class Database_t {
public:
    Database_t() = default;
    virtual ~Database_t() = default;

    Database_t(const Database_t&) = delete;
    Database_t& operator=(const Database_t&) = delete;

    // Every change operation of a derived database builds the action that
    // reverses it and records it here, when a journal is set (null: no recording).
    void SetJournal(Journal_t* journal) { recording_ = journal; }
    Journal_t* GetJournal() const { return recording_; }
    // The journal that RunJournal is replaying, null outside a replay.
    Journal_t* GetReplayingJournal() const { return replaying_; }

    // Replays one step of the journal.
    void RunJournal(Journal_t& journal);

private:
    Journal_t* recording_ = nullptr;
    Journal_t* replaying_ = nullptr;
};

} // namespace jnl
