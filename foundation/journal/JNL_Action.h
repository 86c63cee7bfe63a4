// One recorded change: the action that reverses an edit of a journaled database.
#pragma once

namespace jnl {

class Action_t {
public:
    virtual ~Action_t() = default;

    // Performs the action on the database it refers to; being itself a change of
    // that database, it records its own inverse into the database's recording journal.
    virtual void Apply() = 0;
    virtual bool IsCommitMark() const { return false; }
    // True when a replay step ends after this action.
    virtual bool EndsGroup() const { return false; }
    // A new heap copy owned by the caller; null when memory is exhausted.
    virtual Action_t* Clone() const = 0;

protected:
    Action_t() = default;
    Action_t(const Action_t&) = default;
    Action_t& operator=(const Action_t&) = default;
};

} // namespace jnl
