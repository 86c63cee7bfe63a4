// A scoped journal around a transaction: while it lives it records the
// database's changes; when it ends it hands them to the enclosing journal as one step.
#pragma once

#include "foundation/journal/JNL_Database.h"
#include "foundation/journal/JNL_Journal.h"

namespace jnl {

class UndoJournal_t : public Journal_t {
public:
    UndoJournal_t(Database_t& database, JournalObserver_t* observer = nullptr);
    ~UndoJournal_t() override;

    // True when changes are held and the newest is not a commit mark.
    bool NeedsRollback() const;
    // Replays one step without recording anything, unless the journal is
    // empty or ends in a commit mark.
    void Rollback();
    // Leaves only the oldest action marking a step end, so the whole block
    // replays as one step. The oldest action must end a step.
    void Purge();

private:
    Database_t& database_;
    Journal_t* previous_;
};

} // namespace jnl
